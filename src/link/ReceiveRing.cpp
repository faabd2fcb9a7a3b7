#include "link/ReceiveRing.h"

namespace tavin {

std::size_t ReceiveRing::Write(std::string_view bytes) {
    std::size_t stored = 0;
    for (char c : bytes) {
        if (FreeSpace() == 0) {
            break;
        }
        data_[write_] = c;
        write_ = (write_ + 1) & kMask;
        ++stored;
    }
    std::size_t lost = bytes.size() - stored;
    dropped_ += lost;
    return lost;
}

bool ReceiveRing::Read(char& byte) {
    if (Empty()) {
        return false;
    }
    byte = data_[read_];
    read_ = (read_ + 1) & kMask;
    return true;
}

} // namespace tavin

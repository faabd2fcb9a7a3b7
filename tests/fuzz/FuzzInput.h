#pragma once
// Reading a fuzz input as a few choices followed by text, so that one input
// picks the features a parser sees as well as the lines it reads.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tavin::fuzz {

class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size)
        : text_(reinterpret_cast<const char*>(data), size) {}

    bool Empty() const { return at_ >= text_.size(); }
    // The next byte, 0 when none is left.
    std::uint8_t Byte() { return Empty() ? 0 : static_cast<std::uint8_t>(text_[at_++]); }
    // The next n bytes (fewer at the end).
    std::string_view Take(std::size_t n) {
        const std::string_view out = text_.substr(at_, n);
        at_ += out.size();
        return out;
    }
    std::string_view Rest() {
        const std::string_view out = text_.substr(at_);
        at_ = text_.size();
        return out;
    }

private:
    std::string_view text_;
    std::size_t at_ = 0;
};

// Lines ended by CR, LF or CRLF, without the ends.
inline std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(std::move(line));
            line.clear();
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
        } else {
            line.push_back(c);
        }
    }
    if (!line.empty()) {
        lines.push_back(std::move(line));
    }
    return lines;
}

// Firmware version codes around every feature switch.
inline int VersionCodeFrom(std::uint8_t choice) {
    static constexpr int kCodes[] = {0, 100, 110, 112, 115, 120, 125, 130, 132, 140, 150, 153};
    return kCodes[choice % (sizeof kCodes / sizeof kCodes[0])];
}

} // namespace tavin::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

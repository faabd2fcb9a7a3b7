#pragma once
// The receive ring between the serial port and the line framer: a fixed
// 1024-byte array with masked indexes, so that receiving a byte never
// allocates. One slot always stays free, so at most 1023 bytes are held.
//
// A full ring never overwrites bytes that have not been framed yet: further
// bytes are dropped and counted, and the caller reports the loss.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tavin {

class ReceiveRing {
public:
    static constexpr std::size_t kSize = 1024;

    // Stores as many bytes as fit and returns how many were dropped.
    std::size_t Write(std::string_view bytes);
    // Takes the oldest byte; false when the ring is empty.
    bool Read(char& byte);

    bool Empty() const { return read_ == write_; }
    // (read - write - 1) mod 1024
    std::size_t FreeSpace() const { return (read_ - write_ - 1) & kMask; }
    std::size_t Used() const { return (write_ - read_) & kMask; }
    // Both indexes back to 0 (the port was opened again).
    void Reset() { read_ = write_ = 0; }

    // Bytes dropped because the ring was full, since creation.
    std::uint64_t DroppedBytes() const { return dropped_; }

private:
    static constexpr std::size_t kMask = kSize - 1;
    std::array<char, kSize> data_{};
    std::size_t read_ = 0;
    std::size_t write_ = 0;
    std::uint64_t dropped_ = 0;
};

} // namespace tavin

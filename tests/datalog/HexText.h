#pragma once
// Small helpers for writing log records in tests.

#include <cstdint>
#include <initializer_list>
#include <string>

namespace tavin::test {

inline std::string Hex(std::initializer_list<int> bytes) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string text;
    for (int b : bytes) {
        text += kDigits[(b >> 4) & 15];
        text += kDigits[b & 15];
    }
    return text;
}

} // namespace tavin::test

#pragma once
// Helpers for comparing dumped log records in tests.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace tavin::test {

// A filtered dump's lines without their numbers, which must run from 00001.
inline std::vector<std::string> Unnumbered(const std::vector<std::string>& lines) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        char number[32];
        std::snprintf(number, sizeof number, "%05zu ", i + 1);
        EXPECT_EQ(lines[i].substr(0, 6), number) << lines[i];
        out.push_back(lines[i].substr(6));
    }
    return out;
}

} // namespace tavin::test

#include "support/FixedFormats.h"

#include "support/StringRoutines.h"

#include <cstdio>

namespace tavin {
namespace {

bool ThreeNumbers(std::string_view text, char sep, int& a, int& b, int& c) {
    int values[3] = {0, 0, 0};
    std::size_t start = 0;
    for (int i = 0; i < 3; ++i) {
        const std::size_t end = i < 2 ? text.find(sep, start) : text.size();
        if (end == std::string_view::npos) {
            return false;
        }
        const auto part = text.substr(start, end - start);
        if (part.empty() || part.size() > 4 || !IsIntegerText(part, false)) {
            return false;
        }
        std::int32_t v = 0;
        if (!TextToInt32(part, v)) {
            return false;
        }
        values[i] = v;
        start = end + 1;
    }
    a = values[0];
    b = values[1];
    c = values[2];
    return true;
}

bool IsLeapYear(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

} // namespace

std::string FormatShortDate(int year, int month, int day) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d/%02d/%04d", month, day, year);
    return buf;
}

std::string FormatLongTime(int hour, int minute, int second) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", hour, minute, second);
    return buf;
}

bool ParseShortDate(std::string_view text, int& year, int& month, int& day) {
    int m = 0, d = 0, y = 0;
    if (!ThreeNumbers(text, FixedFormats::kDateSeparator, m, d, y)) {
        return false;
    }
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (m < 1 || m > 12 || d < 1 || y < 1) {
        return false;
    }
    const int maxDay = kDays[m - 1] + (m == 2 && IsLeapYear(y) ? 1 : 0);
    if (d > maxDay) {
        return false;
    }
    year = y;
    month = m;
    day = d;
    return true;
}

bool ParseLongTime(std::string_view text, int& hour, int& minute, int& second) {
    int h = 0, m = 0, s = 0;
    if (!ThreeNumbers(text, FixedFormats::kTimeSeparator, h, m, s)) {
        return false;
    }
    if (h > 23 || m > 59 || s > 59) {
        return false;
    }
    hour = h;
    minute = m;
    second = s;
    return true;
}

} // namespace tavin

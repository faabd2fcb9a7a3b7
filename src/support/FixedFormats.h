#pragma once
// The number and date formats the program uses whatever the PC's regional
// settings: every date or time it formats or parses goes through these, so a
// field laptop set to another locale talks to the transmitter the same way.

#include <string>
#include <string_view>

namespace tavin {

struct FixedFormats {
    static constexpr char kDecimalSeparator = '.';
    static constexpr char kThousandSeparator = ',';
    static constexpr std::string_view kCurrencyString = "$";
    static constexpr int kCurrencyDecimals = 2;
    static constexpr char kDateSeparator = '/';
    static constexpr std::string_view kShortDateFormat = "mm/dd/yyyy";
    static constexpr std::string_view kLongDateFormat = "mmmmm/ddddd/yyyy";
    static constexpr char kTimeSeparator = ':';
    static constexpr std::string_view kTimeAMString = "AM";
    static constexpr std::string_view kTimePMString = "PM";
    static constexpr std::string_view kShortTimeFormat = "hh:mm";
    static constexpr std::string_view kLongTimeFormat = "hh:mm:ss";
    static constexpr std::string_view kLocaleName = "English (United States)";
};

// "mm/dd/yyyy"
std::string FormatShortDate(int year, int month, int day);
// "hh:mm:ss"
std::string FormatLongTime(int hour, int minute, int second);
// Reads "mm/dd/yyyy" (one or two digit month and day); false when malformed
// or not a calendar date.
bool ParseShortDate(std::string_view text, int& year, int& month, int& day);
// Reads "hh:mm:ss" within a day; false when malformed.
bool ParseLongTime(std::string_view text, int& hour, int& minute, int& second);

} // namespace tavin

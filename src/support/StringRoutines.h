#pragma once
// Small text routines that take transmitter lines and user input apart.
// All of them work on single-byte texts, keep no state, never throw and never
// read past the text they are given, whatever bytes it holds.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tavin {

// Only this many leading characters of a text take part in word splitting.
inline constexpr std::size_t kSplitWordWindow = 255;

// The n-th word (from 1) of text. Words are runs of non-delimiters; a
// delimiter between two quote characters does not end a word and the quotes
// stay in it. Delimiters in a row separate just two words, so there are no
// empty words. Empty when the text has fewer than n words.
std::string SplitWord(int n, std::string_view text, std::string_view delimiters, char quote = '"');

// text without any occurrence of c.
std::string StripChar(std::string_view text, char c);

// Non-empty and only decimal digits (and "+" with allowSign; never "-").
bool IsIntegerText(std::string_view text, bool allowSign);
// Non-empty, only digits and "." (and "+", "-" with allowSign), and not made of
// signs and points alone. Exponents are not accepted.
bool IsFloatText(std::string_view text, bool allowSign);
// Non-empty and only letters (of the single-byte character set) and digits.
// The flag is accepted for the callers' sake and changes nothing.
bool IsAlphaNumText(std::string_view text, bool flag = false);
// Non-empty and only "0-9A-F" (and "a-f" with allowLowerCase).
bool IsHexText(std::string_view text, bool allowLowerCase);
// An 8-character "hh:mm:ss" time within 24 hours (24:00:00 included) or,
// without is24Hour, within 12 hours (12:00:00 included).
bool IsTimeText(std::string_view text, bool is24Hour);

// One result of ScanFormatted; which member is set follows the conversion.
struct ScanValue {
    enum class Kind { Integer, Real, Word };
    Kind kind = Kind::Integer;
    std::int32_t integer = 0;
    long double real = 0;
    std::string word;
};

// A small formatted scanner ("%d", "%x", "%f", "%s"; other format characters
// are passed over, plain d/f/s skip the text past that character). Makes at
// most lastSlot + 1 conversions into `slots` (cleared first, one entry per
// conversion) and returns how many it made; it stops at the first token that
// is missing or cannot be converted.
int ScanFormatted(std::string_view text, std::string_view format, std::vector<ScanValue>& slots,
                  int lastSlot);

// Strict decimal conversions used by the parsers after a form check: the
// whole text must be the number (optional sign, digits), within range.
bool TextToInt32(std::string_view text, std::int32_t& value);
bool TextToInt64(std::string_view text, std::int64_t& value);
// Plain real: optional sign, digits with an optional ".", optional exponent.
// Independent of the C locale.
bool TextToReal(std::string_view text, double& value);

} // namespace tavin

#pragma once
// Form checks and conversions shared by the configuration parsers and
// builders. Each check says whether a received value has the form its field
// takes, so that a parser can leave the field alone when it has not.

#include "protocol/XmtrConfig.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace tavin {

// Unsigned decimal digits that fit a 32-bit signed field.
bool ReadUnsigned(std::string_view text, std::int32_t& value);
// The same with an optional leading "+" or "-".
bool ReadSigned(std::string_view text, std::int32_t& value);
// A real in plain notation (digits, ".", optional sign): no exponent, no
// "inf" or "nan".
bool ReadPlainReal(std::string_view text, double& value);
// Groups of digits separated by ":": three for "hh:mm:ss", three or four for
// "dd:hh:mm:ss". The values are not range-checked here (local validation does).
bool IsTimeShape(std::string_view text);
bool IsIntervalShape(std::string_view text);
// The index of the word that matches text without regard to case, or -1.
int ChoiceIndex(std::string_view text, std::span<const std::string_view> words);
// Operation flags from a hexadecimal text: bit i of its low byte is flag i.
// False, and flags untouched, when the text is not hexadecimal.
bool ReadHexFlags(std::string_view text, OpFlagSet& flags);
// Flags as two capital hexadecimal digits, flag i = bit i.
std::string FormatHexFlags(const OpFlagSet& flags);
// SplitWord, except that a word cut short by the splitter's 255-character
// window is returned empty: the cut text of a long line is not its value.
std::string UncutWord(int n, std::string_view text, std::string_view delimiters);
// Value k of a set-form line ("TCH=95,300": value 1 is "95"), uncut.
std::string ReplyValue(std::string_view line, int k);
// Text after the first "=", or empty when there is none.
std::string_view AfterFirst(std::string_view line, char c);
bool Contains(std::string_view text, std::string_view part);

// The words of the choice fields, by index.
inline constexpr std::string_view kBitRateWords[] = {"100", "300", "1200"};
inline constexpr std::string_view kInterleaverWords[] = {"None", "Short", "Long"};
inline constexpr std::string_view kTimedFormatWords[] = {"ASCII", "Pseudo", "Binary"};
inline constexpr std::string_view kRandomFormatWords[] = {"ASCII", "PSEUDO", "BINARY"};
inline constexpr std::string_view kPreambleWords[] = {"Short", "Long"};
inline constexpr std::string_view kDataSourceWords[] = {"RS-232", "Sensor"};
inline constexpr std::string_view kDataOrderWords[] = {"Newest", "Oldest"};

} // namespace tavin

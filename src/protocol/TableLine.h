#pragma once
// Small tests shared by the table parsers (internal sensors, min/max/average,
// equations, message formats, random triggers, data pack). A table parser
// recognises its lines by the mnemonics they contain. A line in the set form
// of a known mnemonic belongs to that mnemonic alone, so the values it
// carries (a platform string, an equation, a label, a quoted message text)
// can never make it look like a row of another table; any other line is
// searched outside double quotes, which keeps a line with stray characters
// in front readable.

#include "protocol/ParseContext.h"
#include "protocol/UtilityControl.h"

#include <optional>
#include <string>
#include <string_view>

namespace tavin {

// Where token occurs in line outside double quotes, or npos. A quote that is
// never closed hides the rest of the line.
std::size_t FindUnquoted(std::string_view line, std::string_view token);
inline bool ContainsUnquoted(std::string_view line, std::string_view token) {
    return FindUnquoted(line, token) != std::string_view::npos;
}

// True when the line starts with a known mnemonic (or row prefix and row
// number) followed by "=": "TDP=...", "PIS=...", "SL3=...".
bool IsMnemonicSetForm(std::string_view line);

// Where token stands in the line as the table parsers read it: in a set-form
// line only at its start (position 0), in any other line anywhere outside
// double quotes. npos when it does not.
std::size_t FindInLine(std::string_view line, std::string_view token);
inline bool LineHas(std::string_view line, std::string_view token) {
    return FindInLine(line, token) != std::string_view::npos;
}

// The text after the first c, or nothing when c does not occur.
std::optional<std::string_view> TextAfter(std::string_view text, char c);
// The text before the first c (all of it when c does not occur).
std::string_view TextBefore(std::string_view text, char c);

// A row number: decimal digits only, below `rows`.
std::optional<int> RowNumber(std::string_view text, int rows);

// The shape of a "hh:mm:ss" value: two digits, ":", two digits, ":", two
// digits. Ranges are judged by the local validation, not here.
bool IsTimeForm(std::string_view text);

// Empty, or made only of the record format flag letters C L B X S R N Z.
bool IsRecordFlagText(std::string_view text);

// A real made only of "+-.0123456789" that reads as a number.
std::optional<double> RealValue(std::string_view text);

// A feature switch; a context without switches has them all off.
bool FeatureOn(const ParseContext& ctx, UtilitySwitch s);
// The preferences of the context, or the defaults when it carries none.
const TGlbIni& PrefsOf(const ParseContext& ctx);

} // namespace tavin

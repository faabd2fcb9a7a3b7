#pragma once
// Small tests shared by the table parsers (internal sensors, min/max/average,
// equations, message formats, random triggers, data pack). A table parser
// recognises its lines by the mnemonic they contain; these helpers make that
// test ignore what sits inside a quoted message text and what belongs to
// another command's free text (a platform string, an equation), so that a
// text row reading "TDP?" or an equation naming "RRT" cannot be taken for a
// row of another table.

#include "protocol/ParseContext.h"
#include "protocol/UtilityControl.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tavin {

// Where token occurs in line outside double quotes, or npos. A quote that is
// never closed hides the rest of the line.
std::size_t FindUnquoted(std::string_view line, std::string_view token);
inline bool ContainsUnquoted(std::string_view line, std::string_view token) {
    return FindUnquoted(line, token) != std::string_view::npos;
}

// True when the line is the set form of a known mnemonic that is not in
// `own` ("PIS=...", "EQN=...", "SL3=..."): its values are that command's.
bool IsSetFormOfOther(std::string_view line, std::span<const std::string_view> own);

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

#pragma once
// Builders for command lines and a classifier for reply lines. Command text is
// made here and nowhere else, so that every area spells the language the same
// way. The carriage return is added by the link, not here.

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace tavin {

// "TCH?"
std::string QueryCmd(std::string_view mnemonic);
// "TCH=1,300": values joined by "," with no spaces; "TCH=" when there are none.
std::string SetCmd(std::string_view mnemonic, std::initializer_list<std::string_view> values);
std::string SetCmd(std::string_view mnemonic, const std::vector<std::string>& values);
// "CFS"
std::string ActionCmd(std::string_view mnemonic);
// A short-form table row: "SS3=1,M,..." or "SL3=LBL1".
std::string RowSetCmd(std::string_view prefix, int row,
                      std::initializer_list<std::string_view> values);
std::string RowSetCmd(std::string_view prefix, int row, const std::vector<std::string>& values);
// A bulk query: "SSX=*?" for an X-form mnemonic, "SS*?" for a two-letter prefix.
std::string BulkQueryCmd(std::string_view mnemonic);
// Empties a table: "TDP=CLEAR", or "SS*=CLEAR" for a two-letter prefix.
std::string ClearCmd(std::string_view mnemonic);

// A value in double quotes with any double quote inside it doubled, so that
// it may hold commas ("a,""b""" for a,"b").
std::string QuoteText(std::string_view text);
// The inverse of QuoteText for a word as SplitWord returns it: the outer
// quotes removed and doubled quotes made single. A text without a leading
// quote is returned as it is; a missing closing quote is tolerated.
std::string UnquoteText(std::string_view word);

// The shortest plain decimal that reads back as the same double: 7.5, 10, 0.1,
// never an exponent or trailing zeros, "." whatever the C locale.
std::string FormatReal(double value);
// A decimal integer.
std::string FormatInt(long long value);

enum class ReplyKind {
    Empty,   // nothing
    Prompt,  // ">" alone: the answer to one command is complete
    Ok,      // "OK"
    Err,     // "ERR": refused
    Inv,     // "INV": invalid value
    Echo,    // the command line itself, or a query echo
    SetForm, // "MNE=values" (also a short-form row "SS3=...")
    Keyword, // "Keyword: value"
    Other,
};

// Classifies a framed reply line (without its carriage return). lastCommand,
// when given, is the command outstanding, whose echo is recognised exactly.
ReplyKind ClassifyReply(std::string_view line, std::string_view lastCommand = {});

// True when the line starts with the mnemonic and "=" (the scalar parsers' test).
bool IsSetFormOf(std::string_view line, std::string_view mnemonic);
// True when the line contains the mnemonic and no "?" (the table parsers' test).
bool IsTableLineOf(std::string_view line, std::string_view mnemonic);
// Value n of a set-form line (from 1: word 1 is the mnemonic), split at "=" and ",".
std::string ReplyWord(int n, std::string_view line);
// Everything after the first ":" of a keyword line, leading space included;
// empty when there is no ":".
std::string KeywordValue(std::string_view line);

} // namespace tavin

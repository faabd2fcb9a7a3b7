#pragma once
// How the simulated transmitter reads a command line it has received. This is
// the transmitter's own reading, written apart from the utility's builders and
// parsers on purpose: a mistake made on both sides would hide in every test.

#include <string>
#include <string_view>
#include <vector>

namespace tavin::sim {

enum class LineForm {
    Empty,      // ""                       the bare carriage return
    Action,     // "CFS", "TDP", "ConfigDefault"
    Query,      // "TCH?"
    Set,        // "TCH=95,300", "TDP=CLEAR", "ADP=*"
    BulkX,      // "SSX=*?", "TDP=*?"
    BulkShort,  // "SS*?"
    ClearShort, // "SS*=CLEAR"
    RowQuery,   // "SS3?"
    RowSet,     // "SS3=0,0,1,..."
    Unknown,    // anything else
};

struct SimCommandLine {
    // The mnemonic: three characters ("TCH", "PB1", "SSX"), a two-letter
    // table prefix ("SS", "IM") for the short table forms, or "ConfigDefault".
    // Empty for the empty line and for lines that do not start like a command.
    std::string mnemonic;
    LineForm form = LineForm::Unknown;
    int row = -1;      // RowQuery and RowSet: the row number
    std::string value; // Set and RowSet: the text after the first "="
};

// The two-letter prefixes of the short table forms.
bool IsShortTablePrefix(std::string_view prefix);

SimCommandLine ReadCommandLine(std::string_view line);

// The values of a set command split at every ",", empty ones kept ("a,,b"
// gives three): the transmitter counts positions, it does not skip them.
std::vector<std::string> Fields(std::string_view text);

// The key under which a received line is counted and faults are matched: the
// mnemonic as ReadCommandLine finds it, else the line's first (up to three)
// letters and digits; "" for the empty line, "?" for a line that starts with
// neither.
std::string MnemonicOf(std::string_view line);

} // namespace tavin::sim

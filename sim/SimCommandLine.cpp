#include "sim/SimCommandLine.h"

namespace tavin::sim {
namespace {

constexpr std::string_view kFactoryDefaultCommand = "ConfigDefault";

bool IsUpper(char c) {
    return c >= 'A' && c <= 'Z';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsAlnum(char c) {
    return IsUpper(c) || IsDigit(c) || (c >= 'a' && c <= 'z');
}

// Row numbers of the short forms: one to three digits.
bool ReadRow(std::string_view text, std::size_t& used, int& row) {
    used = 0;
    row = 0;
    while (used < text.size() && IsDigit(text[used]) && used < 3) {
        row = row * 10 + (text[used] - '0');
        ++used;
    }
    return used > 0 && (used == text.size() || !IsDigit(text[used]));
}

} // namespace

bool IsShortTablePrefix(std::string_view prefix) {
    return prefix == "SS" || prefix == "SL" || prefix == "IS" || prefix == "IL" || prefix == "IM" ||
           prefix == "SM";
}

SimCommandLine ReadCommandLine(std::string_view line) {
    SimCommandLine cmd;
    if (line.empty()) {
        cmd.form = LineForm::Empty;
        return cmd;
    }
    if (line == kFactoryDefaultCommand) {
        cmd.mnemonic = std::string(kFactoryDefaultCommand);
        cmd.form = LineForm::Action;
        return cmd;
    }
    // Short table form: two capitals, then a row number or "*".
    if (line.size() >= 3 && IsShortTablePrefix(line.substr(0, 2)) &&
        (IsDigit(line[2]) || line[2] == '*')) {
        cmd.mnemonic = std::string(line.substr(0, 2));
        std::string_view rest = line.substr(2);
        if (rest == "*?") {
            cmd.form = LineForm::BulkShort;
        } else if (rest == "*=CLEAR") {
            cmd.form = LineForm::ClearShort;
        } else {
            std::size_t used = 0;
            int row = 0;
            if (ReadRow(rest, used, row)) {
                std::string_view after = rest.substr(used);
                if (after == "?") {
                    cmd.form = LineForm::RowQuery;
                    cmd.row = row;
                } else if (!after.empty() && after[0] == '=') {
                    cmd.form = LineForm::RowSet;
                    cmd.row = row;
                    cmd.value = std::string(after.substr(1));
                }
            }
        }
        return cmd;
    }
    if (line.size() < 3 || !IsUpper(line[0]) || !IsUpper(line[1]) ||
        !(IsUpper(line[2]) || IsDigit(line[2]))) {
        return cmd;
    }
    cmd.mnemonic = std::string(line.substr(0, 3));
    std::string_view rest = line.substr(3);
    if (rest.empty()) {
        cmd.form = LineForm::Action;
    } else if (rest == "?") {
        cmd.form = LineForm::Query;
    } else if (rest == "=*?") {
        cmd.form = LineForm::BulkX;
    } else if (rest[0] == '=') {
        cmd.form = LineForm::Set;
        cmd.value = std::string(rest.substr(1));
    }
    return cmd;
}

std::string MnemonicOf(std::string_view line) {
    if (line.empty()) {
        return {};
    }
    SimCommandLine cmd = ReadCommandLine(line);
    if (!cmd.mnemonic.empty()) {
        return cmd.mnemonic;
    }
    std::size_t n = 0;
    while (n < line.size() && n < 3 && IsAlnum(line[n])) {
        ++n;
    }
    return n == 0 ? std::string("?") : std::string(line.substr(0, n));
}

std::vector<std::string> Fields(std::string_view text) {
    std::vector<std::string> out;
    std::size_t start = 0;
    while (true) {
        std::size_t comma = text.find(',', start);
        out.emplace_back(
            text.substr(start, comma == std::string_view::npos ? text.npos : comma - start));
        if (comma == std::string_view::npos) {
            return out;
        }
        start = comma + 1;
    }
}

} // namespace tavin::sim

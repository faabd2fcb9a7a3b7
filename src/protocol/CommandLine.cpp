#include "protocol/CommandLine.h"

#include "protocol/Vocabulary.h"
#include "support/StringRoutines.h"

#include <charconv>

namespace tavin {
namespace {

bool IsRowPrefix(std::string_view mnemonic) {
    const auto e = FindMnemonic(mnemonic);
    return e && e->rowPrefix;
}

template <typename Range> std::string Joined(std::string head, const Range& values) {
    bool first = true;
    for (const auto& v : values) {
        if (!first) {
            head.push_back(',');
        }
        head.append(v);
        first = false;
    }
    return head;
}

} // namespace

std::string QueryCmd(std::string_view mnemonic) {
    return std::string(mnemonic) + "?";
}

std::string SetCmd(std::string_view mnemonic, std::initializer_list<std::string_view> values) {
    return Joined(std::string(mnemonic) + "=", values);
}

std::string SetCmd(std::string_view mnemonic, const std::vector<std::string>& values) {
    return Joined(std::string(mnemonic) + "=", values);
}

std::string ActionCmd(std::string_view mnemonic) {
    return std::string(mnemonic);
}

std::string RowSetCmd(std::string_view prefix, int row,
                      std::initializer_list<std::string_view> values) {
    return Joined(std::string(prefix) + std::to_string(row) + "=", values);
}

std::string RowSetCmd(std::string_view prefix, int row, const std::vector<std::string>& values) {
    return Joined(std::string(prefix) + std::to_string(row) + "=", values);
}

std::string BulkQueryCmd(std::string_view mnemonic) {
    return std::string(mnemonic) + (IsRowPrefix(mnemonic) ? "*?" : "=*?");
}

std::string ClearCmd(std::string_view mnemonic) {
    return std::string(mnemonic) + (IsRowPrefix(mnemonic) ? "*=CLEAR" : "=CLEAR");
}

std::string QuoteText(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        out.push_back(c);
        if (c == '"') {
            out.push_back('"');
        }
    }
    out.push_back('"');
    return out;
}

std::string UnquoteText(std::string_view word) {
    if (word.empty() || word.front() != '"') {
        return std::string(word);
    }
    word.remove_prefix(1);
    std::string out;
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (word[i] == '"') {
            if (i + 1 < word.size() && word[i + 1] == '"') {
                out.push_back('"');
                ++i;
                continue;
            }
            break; // the closing quote
        }
        out.push_back(word[i]);
    }
    return out;
}

std::string FormatReal(double value) {
    if (value == 0 || value != value) {
        return "0";
    }
    char buf[512];
    // Without a precision, fixed notation gives the shortest text that reads
    // back as the same value.
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed);
    if (ec != std::errc()) {
        return "0";
    }
    return std::string(buf, end);
}

std::string FormatInt(long long value) {
    return std::to_string(value);
}

ReplyKind ClassifyReply(std::string_view line, std::string_view lastCommand) {
    if (line.empty()) {
        return ReplyKind::Empty;
    }
    if (line == ">") {
        return ReplyKind::Prompt;
    }
    if (line == "OK") {
        return ReplyKind::Ok;
    }
    if (line == "ERR") {
        return ReplyKind::Err;
    }
    if (line == "INV") {
        return ReplyKind::Inv;
    }
    if (!lastCommand.empty() && line == lastCommand) {
        return ReplyKind::Echo;
    }
    const std::string_view mnem = LeadingMnemonic(line);
    if (!mnem.empty()) {
        if (line.find('?') != std::string_view::npos) {
            return ReplyKind::Echo;
        }
        std::size_t i = mnem.size();
        if (mnem.size() == 2) {
            while (i < line.size() && line[i] >= '0' && line[i] <= '9') {
                ++i;
            }
        }
        if (i < line.size() && line[i] == '=') {
            return ReplyKind::SetForm;
        }
        if (i == line.size()) {
            return ReplyKind::Echo; // an action echoed ("CFS")
        }
    }
    const auto colon = line.find(':');
    if (colon != std::string_view::npos && colon > 0) {
        const char first = line.front();
        if ((first >= 'A' && first <= 'Z') || (first >= 'a' && first <= 'z')) {
            return ReplyKind::Keyword;
        }
    }
    return ReplyKind::Other;
}

bool IsSetFormOf(std::string_view line, std::string_view mnemonic) {
    return line.size() > mnemonic.size() && line.starts_with(mnemonic) &&
           line[mnemonic.size()] == '=';
}

bool IsTableLineOf(std::string_view line, std::string_view mnemonic) {
    return line.find(mnemonic) != std::string_view::npos &&
           line.find('?') == std::string_view::npos;
}

std::string ReplyWord(int n, std::string_view line) {
    return SplitWord(n, line, "=,");
}

std::string KeywordValue(std::string_view line) {
    const auto colon = line.find(':');
    if (colon == std::string_view::npos) {
        return {};
    }
    return std::string(line.substr(colon + 1));
}

} // namespace tavin

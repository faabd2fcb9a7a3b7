#include "files/IniFile.h"

#include "files/AtomicFile.h"

namespace tavin {
namespace {

constexpr std::size_t kMaxIniBytes = 16u << 20;

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && IsBlank(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

char Fold(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (Fold(a[i]) != Fold(b[i])) {
            return false;
        }
    }
    return true;
}

// The name of a "[name]" line, if it is one.
std::optional<std::string_view> SectionName(std::string_view line) {
    const std::string_view t = Trim(line);
    if (t.empty() || t.front() != '[') {
        return std::nullopt;
    }
    const auto close = t.find(']');
    if (close == std::string_view::npos) {
        return std::nullopt;
    }
    return Trim(t.substr(1, close - 1));
}

bool IsComment(std::string_view line) {
    const std::string_view t = Trim(line);
    return !t.empty() && (t.front() == ';' || t.front() == '#');
}

// The key of a "key=value" line, if it is one.
std::optional<std::string_view> KeyName(std::string_view line) {
    if (IsComment(line) || SectionName(line)) {
        return std::nullopt;
    }
    const auto eq = line.find('=');
    if (eq == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view key = Trim(line.substr(0, eq));
    if (key.empty()) {
        return std::nullopt;
    }
    return key;
}

std::string OneLine(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c == '\r' || c == '\n') {
            c = ' ';
        }
    }
    return out;
}

// A value that would lose blanks or quotes on reading goes in quotes.
std::string ValueText(std::string_view value) {
    std::string v = OneLine(value);
    const bool edges = !v.empty() && (IsBlank(v.front()) || IsBlank(v.back()));
    const bool quoted =
        v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front();
    return edges || quoted ? "\"" + v + "\"" : v;
}

} // namespace

IniFile IniFile::FromText(std::string_view text) {
    IniFile doc;
    std::size_t i = 0;
    while (i < text.size()) {
        const auto end = text.find_first_of("\r\n", i);
        Line line;
        if (end == std::string_view::npos) {
            line.text = std::string(text.substr(i));
            i = text.size();
        } else {
            line.text = std::string(text.substr(i, end - i));
            const bool crlf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
            line.eol = crlf ? "\r\n" : std::string(1, text[end]);
            i = end + line.eol.size();
        }
        doc.lines_.push_back(std::move(line));
    }
    return doc;
}

std::string IniFile::ToText() const {
    std::string out;
    for (const Line& l : lines_) {
        out += l.text;
        out += l.eol;
    }
    return out;
}

IniFile::LoadResult IniFile::Load(const std::string& path, std::string* error) {
    lines_.clear();
    std::string text;
    bool missing = false;
    if (!ReadWholeFile(path, text, error, &missing, kMaxIniBytes)) {
        return missing ? LoadResult::Missing : LoadResult::Unreadable;
    }
    *this = FromText(text);
    return LoadResult::Loaded;
}

bool IniFile::Save(const std::string& path, std::string* error) const {
    return WriteFileAtomically(path, ToText(), error);
}

std::string IniFile::Eol() const {
    // New lines follow the file's own line ends.
    for (const Line& l : lines_) {
        if (!l.eol.empty()) {
            return l.eol;
        }
    }
    return "\n";
}

std::optional<IniFile::Range> IniFile::FindSection(std::string_view section) const {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const auto name = SectionName(lines_[i].text);
        if (name && SameName(*name, section)) {
            std::size_t end = i + 1;
            while (end < lines_.size() && !SectionName(lines_[end].text)) {
                ++end;
            }
            return Range{i, end};
        }
    }
    return std::nullopt;
}

std::optional<std::size_t> IniFile::FindKey(const Range& r, std::string_view key) const {
    for (std::size_t i = r.header + 1; i < r.end; ++i) {
        const auto name = KeyName(lines_[i].text);
        if (name && SameName(*name, key)) {
            return i;
        }
    }
    return std::nullopt;
}

std::optional<std::string> IniFile::Get(std::string_view section, std::string_view key) const {
    const auto r = FindSection(section);
    if (!r) {
        return std::nullopt;
    }
    const auto at = FindKey(*r, key);
    if (!at) {
        return std::nullopt;
    }
    const std::string& text = lines_[*at].text;
    std::string_view v = Trim(std::string_view(text).substr(text.find('=') + 1));
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
        v = v.substr(1, v.size() - 2);
    }
    return std::string(v);
}

void IniFile::Set(std::string_view section, std::string_view key, std::string_view value) {
    const std::string eol = Eol();
    const auto r = FindSection(section);
    if (r) {
        if (const auto at = FindKey(*r, key)) {
            // Keep the key as the file spells it, and its spacing around "=".
            std::string& text = lines_[*at].text;
            std::size_t keep = text.find('=') + 1;
            while (keep < text.size() && IsBlank(text[keep])) {
                ++keep;
            }
            text = text.substr(0, keep) + ValueText(value);
            return;
        }
    }
    if (!lines_.empty() && lines_.back().eol.empty()) {
        lines_.back().eol = eol;
    }
    const Line entry{OneLine(key) + "=" + ValueText(value), eol};
    if (!r) {
        lines_.push_back({"[" + OneLine(section) + "]", eol});
        lines_.push_back(entry);
        return;
    }
    // After the section's last non-blank line, so that blank lines before the
    // next section stay where they are.
    std::size_t at = r->end;
    while (at > r->header + 1 && Trim(lines_[at - 1].text).empty()) {
        --at;
    }
    if (at > 0 && lines_[at - 1].eol.empty()) {
        lines_[at - 1].eol = eol;
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), entry);
}

bool IniFile::Remove(std::string_view section, std::string_view key) {
    auto r = FindSection(section);
    bool removed = false;
    while (r) {
        const auto at = FindKey(*r, key);
        if (!at) {
            break;
        }
        lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(*at));
        --r->end;
        removed = true;
    }
    return removed;
}

} // namespace tavin

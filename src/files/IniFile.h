#pragma once
// A small INI document that keeps the file as the user left it: lines,
// order, comments, unknown keys, the case of names and the line endings all
// survive a read and a write. Section and key names are compared without
// regard to ASCII case; values are edited in place.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavin {

class IniFile {
public:
    IniFile() = default;
    // Any bytes make a document; lines that are neither sections, keys nor
    // comments are kept and otherwise ignored.
    static IniFile FromText(std::string_view text);
    std::string ToText() const;

    enum class LoadResult { Loaded, Missing, Unreadable };
    // Replaces the document with the file's contents; an empty document when
    // the file is missing or cannot be read.
    LoadResult Load(const std::string& path, std::string* error = nullptr);
    // Writes the document atomically: the old file stays intact on failure.
    bool Save(const std::string& path, std::string* error = nullptr) const;

    // The value of the first such key in the first such section: the text
    // after "=", trimmed of blanks, with one pair of enclosing quotes removed.
    std::optional<std::string> Get(std::string_view section, std::string_view key) const;
    // Sets the first such key, or adds it at the end of its section, or adds
    // the section at the end. Line breaks in a value are turned into blanks.
    void Set(std::string_view section, std::string_view key, std::string_view value);
    // Removes every such key of the first such section; true when one was there.
    bool Remove(std::string_view section, std::string_view key);

private:
    struct Line {
        std::string text; // without its line end
        std::string eol;  // "\r\n", "\n", "\r" or "" for a last line without one
    };
    struct Range {
        std::size_t header;
        std::size_t end; // one past the section's last line
    };
    std::optional<Range> FindSection(std::string_view section) const;
    std::optional<std::size_t> FindKey(const Range& r, std::string_view key) const;
    std::string Eol() const;

    std::vector<Line> lines_;
};

} // namespace tavin

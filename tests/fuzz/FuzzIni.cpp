// The preferences file: any text read, looked up, edited and written again.
// The reader keeps the file as it is, so an edit must read back as set.

#include "FuzzInput.h"
#include "files/IniFile.h"

#include <algorithm>
#include <cctype>

using namespace tavin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzInput in(data, size);
    const std::uint8_t n = in.Byte();
    const std::string section(in.Take(n % 8));
    const std::string key(in.Take((n >> 3) % 8));
    IniFile ini = IniFile::FromText(in.Rest());
    ini.Get(section, key);
    const std::string text = ini.ToText();
    IniFile copy = IniFile::FromText(text);
    if (copy.ToText() != text) {
        __builtin_trap(); // written, read and written again: the same text
    }
    // The program's own names: letters, digits and a few marks.
    auto name = [](const std::string& text) {
        return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
            return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-' || c == '.';
        });
    };
    const bool plain = name(section) && name(key);
    if (plain) {
        ini.Set(section, key, "42");
        if (IniFile::FromText(ini.ToText()).Get(section, key) != std::optional<std::string>("42")) {
            __builtin_trap();
        }
        ini.Remove(section, key);
    }
    return 0;
}

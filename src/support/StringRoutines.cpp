#include "support/StringRoutines.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace tavin {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsHexDigit(char c) {
    return IsDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

bool IsSignOrDigit(char c) {
    return c == '+' || c == '-' || IsDigit(c);
}

bool IsSignOrHexDigit(char c) {
    return c == '+' || c == '-' || IsHexDigit(c);
}

bool IsRealChar(char c) {
    return IsSignOrDigit(c) || c == '.' || c == 'E' || c == 'e';
}

bool AllOf(std::string_view text, bool (*pred)(char)) {
    return !text.empty() && std::all_of(text.begin(), text.end(), pred);
}

// Letters of the single-byte (Windows Latin-1) character set the transmitter's
// users type labels in: ASCII letters and the accented letters above 127.
bool IsLetter(char ch) {
    const auto c = static_cast<unsigned char>(ch);
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) {
        return true;
    }
    switch (c) {
    case 0x83:
    case 0x8A:
    case 0x8C:
    case 0x8E:
    case 0x9A:
    case 0x9C:
    case 0x9E:
    case 0x9F:
    case 0xAA:
    case 0xB5:
    case 0xBA:
        return true;
    default:
        break;
    }
    return c >= 0xC0 && c != 0xD7 && c != 0xF7;
}

// Parses an optional sign and digits in `base`; the whole text must be used.
template <typename T> bool ParseWhole(std::string_view text, int base, T& value) {
    if (text.empty()) {
        return false;
    }
    bool negative = false;
    if (text.front() == '+' || text.front() == '-') {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty() || text.front() == '+' || text.front() == '-') {
        return false;
    }
    using U = std::make_unsigned_t<T>;
    U magnitude = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
    if (ec != std::errc() || end != text.data() + text.size()) {
        return false;
    }
    const U limit = static_cast<U>(std::numeric_limits<T>::max()) + (negative ? 1u : 0u);
    if (magnitude > limit) {
        return false;
    }
    value = negative ? static_cast<T>(U(0) - magnitude) : static_cast<T>(magnitude);
    return true;
}

} // namespace

std::string SplitWord(int n, std::string_view text, std::string_view delimiters, char quote) {
    if (n < 1) {
        return {};
    }
    const std::size_t len = std::min(text.size(), kSplitWordWindow);
    const auto isDelimiter = [&](char c) { return delimiters.find(c) != std::string_view::npos; };
    std::size_t i = 0;
    int count = 0;
    while (i < len) {
        while (i < len && isDelimiter(text[i])) {
            ++i;
        }
        if (i >= len) {
            break;
        }
        ++count;
        const bool wanted = count == n;
        std::string word;
        bool inQuotes = false;
        while (i < len && (inQuotes || !isDelimiter(text[i]))) {
            if (wanted) {
                word.push_back(text[i]);
            }
            if (text[i] == quote) {
                inQuotes = !inQuotes;
            }
            ++i;
        }
        if (wanted) {
            return word;
        }
    }
    return {};
}

std::string StripChar(std::string_view text, char c) {
    std::string out;
    out.reserve(text.size());
    for (char ch : text) {
        if (ch != c) {
            out.push_back(ch);
        }
    }
    return out;
}

bool IsIntegerText(std::string_view text, bool allowSign) {
    if (allowSign) {
        return AllOf(text, [](char c) { return IsDigit(c) || c == '+'; });
    }
    return AllOf(text, IsDigit);
}

bool IsFloatText(std::string_view text, bool allowSign) {
    const auto inSet = allowSign ? +[](char c) { return IsSignOrDigit(c) || c == '.'; }
                                 : +[](char c) { return IsDigit(c) || c == '.'; };
    if (!AllOf(text, inSet)) {
        return false;
    }
    return std::any_of(text.begin(), text.end(), IsDigit);
}

bool IsAlphaNumText(std::string_view text, bool) {
    return AllOf(text, [](char c) { return IsDigit(c) || IsLetter(c); });
}

bool IsHexText(std::string_view text, bool allowLowerCase) {
    if (allowLowerCase) {
        return AllOf(text, IsHexDigit);
    }
    return AllOf(text, [](char c) { return IsDigit(c) || (c >= 'A' && c <= 'F'); });
}

bool IsTimeText(std::string_view text, bool is24Hour) {
    if (text.size() != 8) {
        return false;
    }
    // The scanner alone would take "12:3a:00" or "-1:00:00" for a time; only
    // digits, separators and the blanks of an unfilled masked edit belong here.
    if (!std::all_of(text.begin(), text.end(),
                     [](char c) { return IsDigit(c) || c == ':' || c == ' '; })) {
        return false;
    }
    std::vector<ScanValue> v;
    if (ScanFormatted(text, "%d:%d:%d", v, 2) != 3) {
        return false;
    }
    const int h = v[0].integer, m = v[1].integer, s = v[2].integer;
    const int bound = is24Hour ? 24 : 12;
    return (h < bound && m < 60 && s < 60) || (h == bound && m == 0 && s == 0);
}

bool TextToInt32(std::string_view text, std::int32_t& value) {
    return ParseWhole(text, 10, value);
}

bool TextToInt64(std::string_view text, std::int64_t& value) {
    return ParseWhole(text, 10, value);
}

bool TextToReal(std::string_view text, double& value) {
    if (text.empty()) {
        return false;
    }
    std::string_view body = text;
    if (body.front() == '+') {
        body.remove_prefix(1);
        if (body.empty() || body.front() == '-' || body.front() == '+') {
            return false;
        }
    }
    // from_chars would also take "inf", "nan" and hexadecimal forms.
    if (!std::all_of(body.begin(), body.end(), IsRealChar)) {
        return false;
    }
    double v = 0;
    const auto [end, ec] = std::from_chars(body.data(), body.data() + body.size(), v);
    if (ec != std::errc() || end != body.data() + body.size()) {
        return false;
    }
    value = v;
    return true;
}

int ScanFormatted(std::string_view text, std::string_view format, std::vector<ScanValue>& slots,
                  int lastSlot) {
    slots.clear();
    if (lastSlot < 0) {
        return 0;
    }
    const auto maxConversions = static_cast<std::size_t>(lastSlot) + 1;
    std::size_t t = 0; // position in text
    std::size_t f = 0; // position in format
    const std::size_t tl = text.size();
    while (slots.size() < maxConversions) {
        while (f < format.size() && format[f] != '%' && format[f] != 'd' && format[f] != 'f' &&
               format[f] != 's') {
            ++f;
        }
        if (f >= format.size()) {
            break;
        }
        if (format[f] != '%') {
            const std::size_t at = text.find(format[f], t);
            ++f;
            if (at == std::string_view::npos) {
                break;
            }
            t = at + 1;
            continue;
        }
        ++f;
        if (f >= format.size()) {
            break;
        }
        const char conv = format[f++];
        ScanValue value;
        if (conv == 'd' || conv == 'x') {
            const auto inToken = conv == 'd' ? IsSignOrDigit : IsSignOrHexDigit;
            while (t + 1 < tl && !inToken(text[t])) {
                ++t;
            }
            const std::size_t start = t;
            while (t < tl && inToken(text[t])) {
                ++t;
            }
            const std::string_view token = text.substr(start, t - start);
            if (token.empty()) {
                break;
            }
            value.kind = ScanValue::Kind::Integer;
            if (conv == 'd') {
                if (!ParseWhole(token, 10, value.integer)) {
                    break;
                }
            } else {
                std::int64_t wide = 0;
                if (!ParseWhole(token, 16, wide) || wide > 0xFFFFFFFFLL || wide < INT32_MIN) {
                    break;
                }
                value.integer = static_cast<std::int32_t>(static_cast<std::uint32_t>(wide));
            }
        } else if (conv == 'f') {
            while (t < tl && !IsRealChar(text[t])) {
                ++t;
            }
            const std::size_t start = t;
            while (t < tl && IsRealChar(text[t])) {
                ++t;
            }
            const std::string_view token = text.substr(start, t - start);
            double real = 0;
            if (token.empty() || !TextToReal(token, real)) {
                break;
            }
            value.kind = ScanValue::Kind::Real;
            value.real = real;
        } else if (conv == 's') {
            while (t < tl && text[t] == ' ') {
                ++t;
            }
            const std::size_t start = t;
            while (t < tl && text[t] != ' ') {
                ++t;
            }
            if (t == start) {
                break;
            }
            value.kind = ScanValue::Kind::Word;
            value.word = std::string(text.substr(start, t - start));
        } else {
            break;
        }
        slots.push_back(std::move(value));
    }
    return static_cast<int>(slots.size());
}

} // namespace tavin

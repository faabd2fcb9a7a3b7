#include "protocol/ValueForms.h"

#include "support/StringRoutines.h"

namespace tavin {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

char Upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

int HexDigit(char c) {
    if (IsDigit(c)) {
        return c - '0';
    }
    c = Upper(c);
    return c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
}

bool DigitGroups(std::string_view text, int minGroups, int maxGroups) {
    int groups = 0;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find(':', start);
        const auto part =
            text.substr(start, end == std::string_view::npos ? text.npos : end - start);
        if (part.empty() || part.size() > 2) {
            return false;
        }
        for (char c : part) {
            if (!IsDigit(c)) {
                return false;
            }
        }
        ++groups;
        if (end == std::string_view::npos) {
            break;
        }
        start = end + 1;
    }
    return groups >= minGroups && groups <= maxGroups;
}

} // namespace

bool ReadUnsigned(std::string_view text, std::int32_t& value) {
    return IsIntegerText(text, false) && TextToInt32(text, value);
}

bool ReadSigned(std::string_view text, std::int32_t& value) {
    return TextToInt32(text, value);
}

bool ReadPlainReal(std::string_view text, double& value) {
    return IsFloatText(text, true) && TextToReal(text, value);
}

bool IsTimeShape(std::string_view text) {
    return DigitGroups(text, 3, 3);
}

bool IsIntervalShape(std::string_view text) {
    return DigitGroups(text, 3, 4);
}

int ChoiceIndex(std::string_view text, std::span<const std::string_view> words) {
    int i = 0;
    for (std::string_view w : words) {
        if (w.size() == text.size()) {
            bool same = true;
            for (std::size_t k = 0; k < w.size() && same; ++k) {
                same = Upper(w[k]) == Upper(text[k]);
            }
            if (same) {
                return i;
            }
        }
        ++i;
    }
    return -1;
}

bool ReadHexFlags(std::string_view text, OpFlagSet& flags) {
    if (text.empty()) {
        return false;
    }
    for (char c : text) {
        if (HexDigit(c) < 0) {
            return false;
        }
    }
    // Only the low byte counts, so a long value needs only its last two digits.
    int low = HexDigit(text.back());
    if (text.size() > 1) {
        low += 16 * HexDigit(text[text.size() - 2]);
    }
    for (int i = 0; i < kOpFlagCount; ++i) {
        flags[i] = (low >> i) & 1;
    }
    return true;
}

std::string FormatHexFlags(const OpFlagSet& flags) {
    int value = 0;
    for (int i = 0; i < kOpFlagCount; ++i) {
        if (flags[i]) {
            value |= 1 << i;
        }
    }
    static constexpr char kHex[] = "0123456789ABCDEF";
    return {kHex[value >> 4], kHex[value & 15]};
}

std::string UncutWord(int n, std::string_view text, std::string_view delimiters) {
    std::string word = SplitWord(n, text, delimiters);
    if (text.size() <= kSplitWordWindow || word.empty()) {
        return word;
    }
    // A word that reaches the window's last character changes when the
    // window is one shorter; it was cut unless a delimiter follows it.
    const bool reachesEdge = SplitWord(n, text.substr(0, kSplitWordWindow - 1), delimiters) != word;
    if (reachesEdge && delimiters.find(text[kSplitWordWindow]) == std::string_view::npos) {
        return {};
    }
    return word;
}

std::string ReplyValue(std::string_view line, int k) {
    return UncutWord(k + 1, line, "=,");
}

std::string_view AfterFirst(std::string_view line, char c) {
    const auto at = line.find(c);
    return at == std::string_view::npos ? std::string_view{} : line.substr(at + 1);
}

bool Contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

} // namespace tavin

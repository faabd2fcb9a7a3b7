#include "protocol/TableLine.h"

#include "protocol/GlbIni.h"
#include "protocol/Vocabulary.h"
#include "support/StringRoutines.h"

#include <algorithm>

namespace tavin {

std::size_t FindUnquoted(std::string_view line, std::string_view token) {
    if (token.empty() || token.size() > line.size()) {
        return std::string_view::npos;
    }
    bool inQuotes = false;
    for (std::size_t i = 0; i + token.size() <= line.size(); ++i) {
        if (line[i] == '"') {
            inQuotes = !inQuotes;
            continue;
        }
        if (!inQuotes && line.compare(i, token.size(), token) == 0) {
            return i;
        }
    }
    return std::string_view::npos;
}

bool IsMnemonicSetForm(std::string_view line) {
    const std::string_view mnemonic = LeadingMnemonic(line);
    if (mnemonic.empty()) {
        return false;
    }
    std::size_t i = mnemonic.size();
    if (mnemonic.size() == 2) { // a row prefix: "SL12=" or "IS*="
        while (i < line.size() && ((line[i] >= '0' && line[i] <= '9') || line[i] == '*')) {
            ++i;
        }
    }
    return i < line.size() && line[i] == '=';
}

std::size_t FindInLine(std::string_view line, std::string_view token) {
    if (IsMnemonicSetForm(line)) {
        return !token.empty() && line.starts_with(token) ? 0 : std::string_view::npos;
    }
    return FindUnquoted(line, token);
}

std::optional<std::string_view> TextAfter(std::string_view text, char c) {
    const auto at = text.find(c);
    if (at == std::string_view::npos) {
        return std::nullopt;
    }
    return text.substr(at + 1);
}

std::string_view TextBefore(std::string_view text, char c) {
    return text.substr(0, text.find(c));
}

std::optional<int> RowNumber(std::string_view text, int rows) {
    std::int32_t n = 0;
    if (!IsIntegerText(text, false) || !TextToInt32(text, n) || n >= rows) {
        return std::nullopt;
    }
    return n;
}

bool IsTimeForm(std::string_view text) {
    if (text.size() != 8 || text[2] != ':' || text[5] != ':') {
        return false;
    }
    for (std::size_t i : {0u, 1u, 3u, 4u, 6u, 7u}) {
        if (text[i] < '0' || text[i] > '9') {
            return false;
        }
    }
    return true;
}

bool IsRecordFlagText(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) {
        return std::string_view("CLBXSRNZ").find(c) != std::string_view::npos;
    });
}

std::optional<double> RealValue(std::string_view text) {
    if (text.empty() || !std::all_of(text.begin(), text.end(), [](char c) {
            return std::string_view("+-.0123456789").find(c) != std::string_view::npos;
        })) {
        return std::nullopt;
    }
    double v = 0;
    if (!TextToReal(text, v)) {
        return std::nullopt;
    }
    return v;
}

bool FeatureOn(const ParseContext& ctx, UtilitySwitch s) {
    return ctx.Utility != nullptr && ctx.Utility->Get(s);
}

const TGlbIni& PrefsOf(const ParseContext& ctx) {
    static const TGlbIni kDefaults{};
    return ctx.Ini != nullptr ? *ctx.Ini : kDefaults;
}

} // namespace tavin

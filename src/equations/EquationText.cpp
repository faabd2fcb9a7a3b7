#include "equations/EquationText.h"

#include "protocol/XmtrConfig.h"

#include <algorithm>

namespace tavin {

namespace {

int Clamp(const std::string& text, int point) {
    return std::clamp(point, 0, static_cast<int>(text.size()));
}

} // namespace

EquationEdit InsertToken(const std::string& text, int point, const std::string& token) {
    const int p = Clamp(text, point);
    return {text.substr(0, p) + token + text.substr(p), p + static_cast<int>(token.size())};
}

EquationEdit BackSpace(const std::string& text, int point) {
    const int p = Clamp(text, point);
    if (p == 0) {
        return {text, 0};
    }
    return {text.substr(0, p - 1) + text.substr(p), p - 1};
}

std::vector<std::string> NumberedSensorReferences(char prefix) {
    std::vector<std::string> refs;
    for (int i = 0; i < kSDI12Rows; ++i) {
        refs.push_back(prefix + std::to_string(i));
    }
    return refs;
}

std::vector<std::string> LabelledSensorReferences(const XmtrConfig& cfg, bool sdi12) {
    std::vector<std::string> refs;
    for (int i = 0; i < kSDI12Rows; ++i) {
        const std::string& label = sdi12 ? cfg.SDI12[i].Label : cfg.Internal[i].Label;
        refs.push_back(label.empty() ? (sdi12 ? "S" : "I") + std::to_string(i) : label);
    }
    return refs;
}

const std::vector<std::string>& EquationMathFunctions() {
    static const std::vector<std::string> names = {"sin",  "cos",  "tan",   "abs",   "asin",
                                                   "acos", "atan", "log10", "ln",    "exp",
                                                   "sqrt", "ceil", "floor", "round", "fmod"};
    return names;
}

} // namespace tavin

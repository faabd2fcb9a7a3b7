#include "editor/CellTexts.h"

#include "protocol/ValueForms.h"

#include <cctype>

namespace tavin {

bool IsDigitsOnly(std::string_view text) {
    if (text.empty()) {
        return false;
    }
    for (char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    return true;
}

bool ReadScalingText(std::string_view text, double& value) {
    bool digit = false;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            digit = true;
        } else if (c != '+' && c != '-' && c != '.') {
            return false;
        }
    }
    return digit && ReadPlainReal(text, value);
}

std::string UpperCase(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return out;
}

} // namespace tavin

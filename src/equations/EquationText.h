#pragma once
// The equation editor's text operations, apart from its widgets: insertion
// of a token at the insertion point, back space, and the sensor references
// its lists offer.

#include <string>
#include <vector>

namespace tavin {

struct XmtrConfig;

struct EquationEdit {
    std::string text;
    int point = 0; // where the caret goes: 0 = before the first character
};

// The token put in at the point (kept within the text); the point moves
// behind it.
EquationEdit InsertToken(const std::string& text, int point, const std::string& token);
// The character before the point removed; at the start nothing changes.
EquationEdit BackSpace(const std::string& text, int point);

// "S0".."S63" or "I0".."I63": sensors by number.
std::vector<std::string> NumberedSensorReferences(char prefix);
// The 64 SDI-12 (or internal) labels, "S" (or "I") and the number where a
// label is empty: sensors by label.
std::vector<std::string> LabelledSensorReferences(const XmtrConfig& cfg, bool sdi12);

// "sin" to "fmod".
const std::vector<std::string>& EquationMathFunctions();

} // namespace tavin

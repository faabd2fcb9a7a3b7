#pragma once
// The "Record Format Flags" dialog's rules: which boxes a flags text ticks,
// which the buffer's data format and the row's type allow, where the focus
// starts, and the flags text the boxes give back.

#include <string>

namespace tavin {

// The colon choice `rgLabelColon`.
enum class LabelColon { None = -1, Before = 0, After = 1, NoColon = 2 };

struct FlagBox {
    bool Checked = false;
    bool Enabled = true;

    bool operator==(const FlagBox&) const = default;
};

struct DataFormatFlagsState {
    FlagBox C; // "C : Binary Wrap"
    FlagBox L; // "L: Label"
    FlagBox S; // "S: Space"
    FlagBox R; // "R: Carriage Return"
    FlagBox N; // "N: Line Feed"
    FlagBox Z; // "Add Leading Zero"
    // Enabled only with L; no selection while disabled.
    bool ColonEnabled = false;
    LabelColon Colon = LabelColon::None;

    bool operator==(const DataFormatFlagsState&) const = default;
};

// Which box takes the focus when the dialog shows.
enum class FlagsFocus { C, L, S };

// The dialog as it opens for a flags text (upper case), the buffer's data
// format (0 ASCII, 1 Pseudo, 2 Binary) and the row's type and item index.
DataFormatFlagsState DataFormatFlagsRules(const std::string& flags, int dataFormat, char rowType,
                                          int itemIndex);
// Ticking or unticking L enables the colon choice at "Colon After", or
// disables it without a selection.
void SetLabelChecked(DataFormatFlagsState& state, bool checked);
FlagsFocus InitialFlagsFocus(const DataFormatFlagsState& state);
// OK: "C", "L" and "B" or "X", "S", "R", "N", "Z", in that order.
std::string BuildFlagsText(const DataFormatFlagsState& state);

} // namespace tavin

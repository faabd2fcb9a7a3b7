#include "editor/DataFormatFlagsRules.h"

namespace tavin {

namespace {

bool Has(const std::string& flags, char c) {
    return flags.find(c) != std::string::npos;
}

void Disable(FlagBox& box) {
    box.Enabled = false;
    box.Checked = false;
}

} // namespace

void SetLabelChecked(DataFormatFlagsState& state, bool checked) {
    state.L.Checked = checked;
    state.ColonEnabled = checked;
    state.Colon = checked ? LabelColon::After : LabelColon::None;
}

DataFormatFlagsState DataFormatFlagsRules(const std::string& flags, int dataFormat, char rowType,
                                          int itemIndex) {
    DataFormatFlagsState s;
    SetLabelChecked(s, Has(flags, 'L'));
    if (s.L.Checked) {
        if (Has(flags, 'X')) {
            s.Colon = LabelColon::NoColon;
        }
        if (Has(flags, 'B')) {
            s.Colon = LabelColon::Before;
        }
    }
    s.Z.Checked = Has(flags, 'Z');
    s.N.Checked = Has(flags, 'N');
    s.R.Checked = Has(flags, 'R');
    s.S.Checked = Has(flags, 'S');
    s.C.Checked = Has(flags, 'C');

    // Binary wrap belongs to binary-coded buffers, leading zeros to ASCII.
    if (dataFormat != 0) {
        s.C.Enabled = true;
        Disable(s.Z);
    } else {
        Disable(s.C);
        s.Z.Enabled = true;
    }

    if (rowType == 'H') {
        // A header that may have leading zeros gets its Z back as the text
        // has it, so that opening and closing the dialog loses nothing.
        const bool zeros = Has(flags, 'Z');
        Disable(s.C);
        Disable(s.Z);
        if (itemIndex <= 3) {
            Disable(s.L);
            s.ColonEnabled = false;
            s.Colon = LabelColon::None;
            if (itemIndex == 3) {
                s.Z = {zeros, true};
            }
        } else {
            s.L.Enabled = true;
            s.Z = {zeros, true};
        }
    } else if (rowType == 'T') {
        Disable(s.C);
        Disable(s.Z);
    }
    return s;
}

FlagsFocus InitialFlagsFocus(const DataFormatFlagsState& state) {
    if (state.C.Enabled) {
        return FlagsFocus::C;
    }
    return state.L.Enabled ? FlagsFocus::L : FlagsFocus::S;
}

std::string BuildFlagsText(const DataFormatFlagsState& state) {
    std::string t;
    if (state.C.Checked) {
        t += 'C';
    }
    if (state.L.Checked) {
        t += 'L';
        if (state.Colon == LabelColon::Before) {
            t += 'B';
        } else if (state.Colon == LabelColon::NoColon) {
            t += 'X';
        }
    }
    if (state.S.Checked) {
        t += 'S';
    }
    if (state.R.Checked) {
        t += 'R';
    }
    if (state.N.Checked) {
        t += 'N';
    }
    if (state.Z.Checked) {
        t += 'Z';
    }
    return t;
}

} // namespace tavin

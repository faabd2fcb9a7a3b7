// The rules of the "Record Format Flags" and "Select Channel" dialogs.

#include "editor/ChannelSelectRules.h"
#include "editor/DataFormatFlagsRules.h"

#include <gtest/gtest.h>

using namespace tavin;

namespace {

// One line per box: checked and enabled, as "ce" (upper case = yes).
std::string Boxes(const DataFormatFlagsState& s) {
    std::string out;
    for (const FlagBox* b : {&s.C, &s.L, &s.S, &s.R, &s.N, &s.Z}) {
        out += b->Checked ? 'C' : 'c';
        out += b->Enabled ? 'E' : 'e';
        out += ' ';
    }
    return out;
}

TEST(DataFormatFlagsRules, OpeningStateByFormatAndRowType) {
    struct Case {
        const char* flags;
        int format;
        char type;
        int item;
        const char* boxes; // C L S R N Z
        LabelColon colon;
        FlagsFocus focus;
    } cases[] = {
        // Sensor rows keep the data format's state.
        {"CLSRNZ", 1, 'S', 0, "CE CE CE CE CE ce ", LabelColon::After, FlagsFocus::C},
        {"CLSRNZ", 0, 'S', 0, "ce CE CE CE CE CE ", LabelColon::After, FlagsFocus::L},
        {"LX", 0, 'I', 0, "ce CE cE cE cE cE ", LabelColon::NoColon, FlagsFocus::L},
        {"LB", 2, 'S', 0, "cE CE cE cE cE ce ", LabelColon::Before, FlagsFocus::C},
        {"B", 2, 'S', 0, "cE cE cE cE cE ce ", LabelColon::None, FlagsFocus::C},
        // Text rows: no wrap, no leading zeros.
        {"CZS", 1, 'T', 0, "ce cE CE cE cE ce ", LabelColon::None, FlagsFocus::L},
        // Headers 0-2: no label; 3 gets leading zeros back; 4 and up label and zeros.
        {"LZ", 0, 'H', 0, "ce ce cE cE cE ce ", LabelColon::None, FlagsFocus::S},
        {"LZ", 0, 'H', 3, "ce ce cE cE cE CE ", LabelColon::None, FlagsFocus::S},
        {"LZ", 1, 'H', 4, "ce CE cE cE cE CE ", LabelColon::After, FlagsFocus::L},
        {"", 1, 'H', 8, "ce cE cE cE cE cE ", LabelColon::None, FlagsFocus::L},
    };
    for (const Case& c : cases) {
        const DataFormatFlagsState s = DataFormatFlagsRules(c.flags, c.format, c.type, c.item);
        EXPECT_EQ(Boxes(s), c.boxes) << c.flags << " " << c.format << " " << c.type << c.item;
        EXPECT_EQ(s.Colon, c.colon) << c.flags << " " << c.type << c.item;
        EXPECT_EQ(s.ColonEnabled, s.L.Checked) << c.flags << " " << c.type << c.item;
        EXPECT_EQ(InitialFlagsFocus(s), c.focus) << c.flags << " " << c.type << c.item;
    }
}

TEST(DataFormatFlagsRules, FlagsTextInFixedOrder) {
    DataFormatFlagsState s = DataFormatFlagsRules("ZNRSXLC", 1, 'S', 0);
    s.Z.Checked = true; // what a click would do on an enabled box
    EXPECT_EQ(BuildFlagsText(s), "CLXSRNZ");
    s.Colon = LabelColon::Before;
    EXPECT_EQ(BuildFlagsText(s), "CLBSRNZ");
    SetLabelChecked(s, false);
    EXPECT_FALSE(s.ColonEnabled);
    EXPECT_EQ(BuildFlagsText(s), "CSRNZ");
    SetLabelChecked(s, true);
    EXPECT_EQ(s.Colon, LabelColon::After);
    EXPECT_EQ(BuildFlagsText(s), "CLSRNZ");
}

TEST(ChannelSelectRules, ListsSplitAndJoin) {
    EXPECT_EQ(ArgosChannelList().size(), 1u + 17 + 14 + 3);
    EXPECT_EQ(ArgosChannelList().front(), "");
    EXPECT_EQ(ScdChannelList().size(), 9u + 17);
    EXPECT_EQ(ScdChannelList().back(), "D17");

    struct Case {
        const char* text;
        bool scd;
        const char* argos;
        const char* scdChannel;
        const char* joined;
    } cases[] = {
        {"D5+A3", true, "A3", "D5", "D5+A3"},
        {"A3+D5", true, "A3", "D5", "D5+A3"},
        {"D5+A3", false, "A3", "", "A3"},
        {"A7", true, "A7", "", ""}, // SCD selected without an SCD channel
        {"A7", false, "A7", "", "A7"},
        {"C2", true, "", "C2", "C2"},
        {"C2", false, "", "", ""},
        {"L1+C9", true, "L1", "C9", "C9+L1"},
        {"", true, "", "", ""},
    };
    for (const Case& c : cases) {
        const ChannelSelection s = SplitChannelText(c.text, c.scd);
        EXPECT_EQ(s.Argos, c.argos) << c.text;
        EXPECT_EQ(s.Scd, c.scdChannel) << c.text;
        EXPECT_EQ(JoinChannelText(s, c.scd), c.joined) << c.text;
    }
}

} // namespace

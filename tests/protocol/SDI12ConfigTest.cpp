#include "protocol/SDI12Config.h"
#include "ConfigFixture.h"

#include <gtest/gtest.h>

#include <functional>

using namespace tavin;
using namespace tavin::testing;

namespace {

TSDI12Row Row(const char* address, const char* measurement, int value, const char* interval,
              const char* offset, int logRate, bool delta = false, std::uint8_t trig = 0) {
    TSDI12Row r;
    r.Enabled = true;
    r.Address = address;
    r.Measurement = measurement;
    r.Value = value;
    r.Interval = interval;
    r.Offset = offset;
    r.LogRate = logRate;
    r.Delta = delta;
    r.Trig = trig;
    return r;
}

struct ParseCase {
    const char* line;
    std::function<void(XmtrConfig&)> expect;
};

XmtrConfig Base() {
    XmtrConfig c;
    c.SDI12Present = false;
    c.SDI12[4] = Row("2", "1", 2, "01:00:00", "00:00:10", 3);
    c.SDI12[4].Label = "RAIN";
    c.SDI12[4].Trig = kTrigLow;
    c.SDI12[4].Concurrent = true;
    return c;
}

} // namespace

TEST(ParseSDI12Configuration, RowsAndLabels) {
    const std::vector<ParseCase> cases = {
        {"SSX=3,0,M,1,00:15:00,00:00:00,5H",
         [](XmtrConfig& c) {
             c.SDI12Present = true;
             c.SDI12[3].Enabled = c.SDI12[4].Enabled = true;
             c.SDI12[3].Address = "0";
         }},
        {"SSX=3,0,0,1,00:15:00,00:00:00,5H",
         [](XmtrConfig& c) {
             c.SDI12Present = true;
             c.SDI12[3] = Row("0", "0", 1, "00:15:00", "00:00:00", 5, false, kTrigHigh);
             c.SDI12[3].Label = "SDI3";
         }},
        {"SSX=12,1,C1,2,01:00:00,00:00:00,D",
         [](XmtrConfig& c) {
             c.SDI12Present = true;
             c.SDI12[12] = Row("1", "1", 2, "01:00:00", "00:00:00", 1, true);
             c.SDI12[12].Concurrent = true;
             c.SDI12[12].Label = "SD12";
             c.SDI12[13].Enabled = true;
         }},
        {"SS5=&,&,3,1",
         [](XmtrConfig& c) {
             c.SDI12Present = true;
             auto& r = c.SDI12[5];
             r.Enabled = r.Append = true;
             r.Address = "2";
             r.Value = 3;
             c.SDI12[6].Enabled = true;
         }},
        {"SSX=5,&,&,4,00:10:00,00:00:00,2HL",
         [](XmtrConfig& c) {
             c.SDI12Present = true;
             auto& r = c.SDI12[5];
             r.Enabled = r.Append = true;
             r.Address = "2";
             r.Value = 4;
             r.LogRate = 2;
             r.Trig = kTrigHigh | kTrigLow;
             c.SDI12[6].Enabled = true;
         }},
        {"SS0=&,&,3,1", [](XmtrConfig& c) { c.SDI12Present = true; }},
        {"SS4=C",
         [](XmtrConfig& c) {
             auto& r = c.SDI12[4];
             const auto keep = r;
             r = TSDI12Row{};
             r.Enabled = false; // row 3 is not defined
             r.Label = keep.Label;
             r.Concurrent = keep.Concurrent;
             r.Trig = keep.Trig;
         }},
        {"SSX=4",
         [](XmtrConfig& c) {
             auto& r = c.SDI12[4];
             r.Address.clear();
             r.Measurement = "0";
             r.Value = 1;
             r.Interval = r.Offset = "00:00:00";
             r.LogRate = 1;
             r.Enabled = false;
         }},
        {"SS2=1,T,1,00:30:00,00:00:00",
         [](XmtrConfig& c) {
             c.SDI12Present = true;
             c.SDI12[2] = Row("1", "T", 1, "00:30:00", "00:00:00", 1);
             c.SDI12[2].Label = "SDI2";
             c.SDI12[3].Enabled = true;
         }},
        {"SSX=63,a,0,1,00:01:00,00:00:00,1",
         [](XmtrConfig& c) {
             c.SDI12Present = true;
             c.SDI12[63] = Row("a", "0", 1, "00:01:00", "00:00:00", 1);
             c.SDI12[63].Label = "SD63";
         }},
        {"SSX=7,1,0,1,1:00,00:00:00,4", // a malformed time is left, the rest read
         [](XmtrConfig& c) {
             c.SDI12Present = true;
             c.SDI12[7] = Row("1", "0", 1, "00:00:00", "00:00:00", 4);
             c.SDI12[7].Label = "SDI7";
             c.SDI12[8].Enabled = true;
         }},
        {"SLX=4,WIND", [](XmtrConfig& c) { c.SDI12[4].Label = "WIND"; }},
        {"SLX=4,TEMPERATURE", [](XmtrConfig& c) { c.SDI12[4].Label = "TEMP"; }},
        {"SL12=LVL", [](XmtrConfig& c) { c.SDI12[12].Label = "LVL"; }},
        {"SL4=", [](XmtrConfig&) {}},
        {"SSN=4", [](XmtrConfig& c) { c.SensorCountSDI12 = 10; }},
        {"SSN=32", [](XmtrConfig& c) { c.SensorCountSDI12 = 32; }},
        {"SSN=500", [](XmtrConfig& c) { c.SensorCountSDI12 = 64; }},
        {"SS*=CLEAR", [](XmtrConfig&) {}},
        {"SL*=CLEAR", [](XmtrConfig&) {}},
        {"SSX=*?", [](XmtrConfig&) {}},
        {"SLX=*?", [](XmtrConfig&) {}},
        {"SS*?", [](XmtrConfig&) {}},
        {"SS4?", [](XmtrConfig&) {}},
        {"SLN=5", [](XmtrConfig&) {}},
        {"SSN?", [](XmtrConfig&) {}},
        {"GPS=SS4=1,0,1", [](XmtrConfig&) {}},
    };
    for (const ParseCase& c : cases) {
        Host host;
        XmtrConfig cfg = Base();
        XmtrConfig want = cfg;
        c.expect(want);
        ParseSDI12Configuration(c.line, cfg, host.Ctx);
        EXPECT_EQ(cfg, want) << c.line;
    }
}

TEST(ParseSDI12ConfigExt, ClearingEnablesARowBelowADefinedOne) {
    XmtrConfig cfg = Base();
    ParseSDI12ConfigExt(cfg, 5, "C");
    EXPECT_TRUE(cfg.SDI12[5].Enabled);
    ParseSDI12ConfigExt(cfg, 64, "0,0,1");
    ParseSDI12ConfigExt(cfg, -1, "0,0,1");
    EXPECT_FALSE(cfg.SDI12Present);
}

TEST(BuildSDI12ConfigCmd, ShortAndExtendedForms) {
    XmtrConfig cfg;
    cfg.SDI12[0] = Row("0", "0", 1, "00:15:00", "00:00:00", 5, false, kTrigHigh);
    cfg.SDI12[1] = Row("1", "1", 2, "01:00:00", "00:00:00", 1, true);
    cfg.SDI12[1].Concurrent = true;
    cfg.SDI12[2] = Row("2", "T", 1, "00:30:00", "00:00:00", 3);
    cfg.SDI12[3].Append = true;
    cfg.SDI12[3].Value = 3;
    cfg.SDI12[3].LogRate = 2;
    cfg.SDI12[3].Trig = kTrigHigh | kTrigLow;
    cfg.SDI12[4] = Row("4", "B", 1, "00:30:00", "00:00:00", 1);
    cfg.SDI12[5] = Row("5", "2", 1, "00:30:00", "00:00:00", -1, false, kTrigLow);
    cfg.SDI12[6].Append = true;
    cfg.SDI12[6].Delta = true;

    struct Case {
        int row;
        bool x, triggers;
        const char* cmd;
    };
    for (const Case& c : {
             Case{0, false, false, "SS0=0,0,1,00:15:00,00:00:00,5"},
             Case{0, false, true, "SS0=0,0,1,00:15:00,00:00:00,5H"},
             Case{0, true, false, "SSX=0,0,0,1,00:15:00,00:00:00,5H"},
             Case{1, false, true, "SS1=1,1,2,01:00:00,00:00:00,D"},
             Case{1, true, true, "SSX=1,1,C1,2,01:00:00,00:00:00,D"},
             Case{2, false, true, "SS2=2,T,1,00:30:00,00:00:00"},
             Case{2, true, true, "SSX=2,2,T,1,00:30:00,00:00:00"},
             Case{3, false, false, "SS3=&,&,3"},
             Case{3, false, true, "SS3=&,&,3,2HL"},
             Case{3, true, false, "SSX=3,&,&,3,2HL"},
             Case{4, false, false, "SS4=4,B,1,00:30:00,00:00:00"},
             Case{5, false, false, "SS5=5,2,1,00:30:00,00:00:00,1"},
             Case{5, true, true, "SSX=5,5,2,1,00:30:00,00:00:00,1L"},
             Case{6, true, true, "SSX=6,&,&,1,D"},
             Case{7, true, true, ""},
             Case{64, true, true, ""},
             Case{-1, false, false, ""},
         }) {
        EXPECT_EQ(BuildSDI12ConfigCmd(cfg, c.row, c.x, c.triggers), c.cmd)
            << c.row << " x=" << c.x << " trig=" << c.triggers;
    }
}

TEST(BuildSDI12LabelCmd, CutsToFourCharacters) {
    XmtrConfig cfg;
    cfg.SDI12[3].Label = "TEMPERATURE";
    cfg.SDI12[12].Label = "";
    EXPECT_EQ(BuildSDI12LabelCmd(cfg, 3, false), "SL3=TEMP");
    EXPECT_EQ(BuildSDI12LabelCmd(cfg, 3, true), "SLX=3,TEMP");
    EXPECT_EQ(BuildSDI12LabelCmd(cfg, 12, true), "");
    EXPECT_EQ(BuildSDI12LabelCmd(cfg, 64, true), "");
}

TEST(ConfigSDI12, ClearsThenSendsDefinedRowsAndChangedLabels) {
    XmtrConfig cfg;
    for (int i = 0; i < 12; ++i) {
        cfg.SDI12[i] = Row("0", "0", i + 1, "00:15:00", "00:00:00", 1);
        cfg.SDI12[i].Label = DefaultSDI12Label(i);
    }
    cfg.SDI12[11].Label = "LAST";
    cfg.SDI12[2].Label = "RAIN";
    cfg.SDI12[14] = Row("0", "0", 1, "00:15:00", "00:00:00", 1); // after the gap at 12
    cfg.SDI12[14].Label = "GONE";

    CommandList shortForm;
    ConfigSDI12(cfg, false, false, shortForm);
    ASSERT_EQ(shortForm.Lines.size(), 2u + 10 + 1);
    EXPECT_EQ(shortForm.Lines[0], "SS*=CLEAR");
    EXPECT_EQ(shortForm.Lines[1], "SL*=CLEAR");
    EXPECT_EQ(shortForm.Lines[11], "SS9=0,0,10,00:15:00,00:00:00,1");
    EXPECT_EQ(shortForm.Lines[12], "SL2=RAIN");

    CommandList x;
    ConfigSDI12(cfg, false, false, x); // same again: builders have no state
    EXPECT_EQ(x.Lines, shortForm.Lines);
    x.Lines.clear();
    ConfigSDI12(cfg, true, true, x);
    ASSERT_EQ(x.Lines.size(), 2u + 12 + 2);
    EXPECT_EQ(x.Lines[13], "SSX=11,0,0,12,00:15:00,00:00:00,1");
    EXPECT_EQ(x.Lines[14], "SLX=2,RAIN");
    EXPECT_EQ(x.Lines[15], "SLX=11,LAST");

    cfg.SDI12Present = false; // labels still go, rows do not
    x.Lines.clear();
    ConfigSDI12(cfg, true, true, x);
    EXPECT_EQ(x.Lines,
              (std::vector<std::string>{"SS*=CLEAR", "SL*=CLEAR", "SLX=2,RAIN", "SLX=11,LAST"}));
}

TEST(ConfigSDI12, FormsFollowTheFeatureSwitches) {
    XmtrConfig cfg;
    cfg.SDI12[0] = Row("0", "0", 1, "00:15:00", "00:00:00", 5, false, kTrigHigh);
    struct Case {
        int code;
        const char* row;
    };
    for (const Case& c :
         {Case{114, "SS0=0,0,1,00:15:00,00:00:00,5"}, Case{115, "SS0=0,0,1,00:15:00,00:00:00,5H"},
          Case{130, "SSX=0,0,0,1,00:15:00,00:00:00,5H"}}) {
        Host host(c.code);
        CommandList out;
        ConfigSDI12(cfg, host.Ctx, out);
        ASSERT_EQ(out.Lines.size(), 3u);
        EXPECT_EQ(out.Lines[2], c.row);
    }
}

TEST(SDI12Config, BuiltRowsParseBackInBothForms) {
    XmtrConfig cfg;
    cfg.SDI12[0] = Row("0", "0", 1, "00:15:00", "00:00:05", 5, false, kTrigHigh);
    cfg.SDI12[1] = Row("1", "3", 2, "01:00:00", "00:00:00", 1, true);
    cfg.SDI12[1].Concurrent = true;
    cfg.SDI12[2].Enabled = cfg.SDI12[2].Append = true;
    cfg.SDI12[2].Address = "1";
    cfg.SDI12[2].Value = 3;
    cfg.SDI12[2].LogRate = 4;
    cfg.SDI12[2].Trig = kTrigLow;
    cfg.SDI12[3] = Row("z", "B", 1, "00:30:00", "00:00:00", 1);
    cfg.SDI12[4].Enabled = true;
    for (int i = 0; i < 5; ++i) {
        cfg.SDI12[i].Label = DefaultSDI12Label(i);
    }
    cfg.SDI12[2].Label = "WIND";
    for (bool x : {false, true}) {
        Host host;
        CommandList out;
        ConfigSDI12(cfg, x, true, out);
        XmtrConfig back;
        for (const auto& l : out.Lines) {
            ParseSDI12Configuration(l, back, host.Ctx);
        }
        for (int i = 0; i < 5; ++i) {
            TSDI12Row want = cfg.SDI12[i];
            if (!x) {
                want.Concurrent = false; // the short form has no concurrent mark
            }
            EXPECT_EQ(back.SDI12[i], want) << "row " << i << " x=" << x;
        }
    }
}

#include "FormatTestSupport.h"

#include "protocol/InternSensConfig.h"

#include <gtest/gtest.h>

using namespace tavin;
using tavin::test::Dump;
using tavin::test::Harness;

namespace {

void Parse(Harness& h, std::string_view line) {
    ParseInternalSensorConfiguration(line, h.cfg, h.ctx);
}

struct RowCase {
    const char* line;
    int row;
    const char* type;
    const char* interval;
    const char* offset;
    const char* timeFormat;
    int logRate;
    bool delta;
    int trig;
};

} // namespace

TEST(InternSensParse, RowsInBothForms) {
    const RowCase cases[] = {
        {"ISX=2,TM,00:15:00,00:00:00,4HL", 2, "TM", "00:15:00", "00:00:00", "", 4, false, 3},
        {"IS1=CL,01:00:00,00:00:00,H:M:S", 1, "CL", "01:00:00", "00:00:00", "H:M:S", 1, false, 0},
        {"IS0=1,00:10:00,00:05:00,D", 0, "1", "00:10:00", "00:05:00", "", 1, true, 0},
        {"ISX=63,E12,00:01:00,00:00:30,0L", 63, "E12", "00:01:00", "00:00:30", "", 0, false, 2},
        {"IS12=BV,00:30:00,00:00:00,H", 12, "BV", "00:30:00", "00:00:00", "H", 1, false, 0},
        // No log word, or one that is not a number: log rate 1.
        {"ISX=4,TC,00:15:00,00:00:00", 4, "TC", "00:15:00", "00:00:00", "", 1, false, 0},
        {"ISX=4,TV,00:15:00,00:00:00,x5H", 4, "TV", "00:15:00", "00:00:00", "", 1, false, 1},
        {"ISX=4,TV,00:15:00,00:00:00,99999999999", 4, "TV", "00:15:00", "00:00:00", "", 1, false,
         0},
        // A time of the wrong shape leaves that field as it was.
        {"ISX=5,TM,1:00:00,0a:00:00,2", 5, "TM", "00:00:00", "00:00:00", "", 2, false, 0},
    };
    for (const auto& c : cases) {
        Harness h;
        h.cfg.InternalPresent = false;
        Parse(h, c.line);
        const TInternSensor& r = h.cfg.Internal[c.row];
        SCOPED_TRACE(c.line);
        EXPECT_EQ(r.Type, c.type);
        EXPECT_EQ(r.Interval, c.interval);
        EXPECT_EQ(r.Offset, c.offset);
        EXPECT_EQ(r.TimeFormat, c.timeFormat);
        EXPECT_EQ(r.LogRate, c.logRate);
        EXPECT_EQ(r.Delta, c.delta);
        EXPECT_EQ(r.Trig, c.trig);
        EXPECT_TRUE(h.cfg.InternalPresent);
    }
}

TEST(InternSensParse, ClearingARowRestoresItsDefaultLabel) {
    Harness h;
    Parse(h, "ISX=3,TM,00:15:00,00:00:00,4HL");
    Parse(h, "ILX=3,Temp");
    Parse(h, "ISX=12,TM,00:15:00,00:00:00,4");
    Parse(h, "IL12=Deep");
    Parse(h, "IS3=C");
    Parse(h, "ISX=12,C");
    EXPECT_EQ(Dump(h.cfg), Dump(Harness().cfg));
}

TEST(InternSensParse, LinesThatChangeNothing) {
    const char* lines[] = {
        "ISX=*?", "ISX=*", "IS*?", "IS*=CLEAR", "IL*=CLEAR", "ILX=*?", "ISN?", "IST=1",
        "ISX=64,TM,00:15:00,00:00:00,4", "ISX=99999999999,TM,00:15:00,00:00:00,4",
        "ISX=-1,TM,00:15:00,00:00:00,4", "ISX=x,TM,00:15:00,00:00:00,4", "ISX=2",
        "ISX=2,XX,00:15:00,00:00:00,4", "ISX=2,E,00:15:00,00:00:00,4", "IS=TM,00:15:00",
        "IS 2=TM,00:15:00", "IS2", "IL2", "ILX=2,", "IL2=", "ILX=70,LBL", "TIL=Short", "RIL=None",
        // Another command's text is not an internal row.
        "PIS=ISX=2,TM,00:15:00,00:00:00,4", "EQN=0,ISX=2,TM", "SL3=ISN=9", "TDP=0,T,\"ISX=2,TM\"",
        "TDP=1,T,\"TBA=7\"", "ISN=abc", "ISN=", "TBA=", "TBA=#", "TBA=99999999999", "TBR=abc",
        "TBR=-5", "TBR=99999999999", "TBR=", "TBM=0.03", "TBM=abc", "TBM=1e1", "TBM=-1",
        "TBM=", "IM0=12.5", ""};
    for (const char* line : lines) {
        Harness h;
        const std::string before = Dump(h.cfg);
        Parse(h, line);
        EXPECT_EQ(Dump(h.cfg), before) << line;
        EXPECT_TRUE(h.testOutput.empty()) << line;
    }
}

TEST(InternSensParse, LabelsAndCount) {
    Harness h;
    Parse(h, "ILX=2,Temperature");
    Parse(h, "IL3=AB");
    Parse(h, "IL10=Rain,x");
    // Labels that spell a mnemonic are still labels.
    Parse(h, "ILX=4,ISN1");
    Parse(h, "IL5=TIL");
    Parse(h, "ILX=6,PIS");
    Parse(h, "IL7=TBA=");
    EXPECT_EQ(h.cfg.Internal[2].Label, "Temp");
    EXPECT_EQ(h.cfg.Internal[3].Label, "AB");
    EXPECT_EQ(h.cfg.Internal[10].Label, "Rain");
    EXPECT_EQ(h.cfg.Internal[4].Label, "ISN1");
    EXPECT_EQ(h.cfg.Internal[5].Label, "TIL");
    EXPECT_EQ(h.cfg.Internal[6].Label, "PIS");
    EXPECT_EQ(h.cfg.Internal[7].Label, "TBA=");
    EXPECT_EQ(h.cfg.SensorCountInternal, 5);
    EXPECT_EQ(h.cfg.TippingBucket.ResetInterval, "0");
    Parse(h, "ISN=12");
    EXPECT_EQ(h.cfg.SensorCountInternal, 12);
    Parse(h, "ISN=2");
    EXPECT_EQ(h.cfg.SensorCountInternal, 5);
}

TEST(InternSensParse, TippingBucket) {
    struct Case {
        const char* line;
        const char* interval;
        int days, hour, rollOver, multiplier;
    };
    const Case cases[] = {
        {"TBA=0", "None", 0, 0, 0, 1},     {"TBA=7", "Days", 7, 0, 0, 1},
        {"TBA=D,05", "Daily", 0, 5, 0, 1}, {"TBA=D", "Daily", 0, 0, 0, 1},
        {"TBA=D,x", "Daily", 0, 0, 0, 1},  {"TBA=Q", "Quarterly", 0, 0, 0, 1},
        {"TBA=M", "Monthly", 0, 0, 0, 1},  {"TBA=B", "Bi-Annually", 0, 0, 0, 1},
        {"TBA=A", "Annually", 0, 0, 0, 1}, {"TBA=N", "None", 0, 0, 0, 1},
        {"TBA=X", "None", 0, 0, 0, 1},     {"TBA=z,05", "None", 0, 0, 0, 1},
        {"TBR=100", "0", 0, 0, 100, 1},    {"TBR=65535", "0", 0, 0, 65535, 1},
        {"TBM=0.025", "0", 0, 0, 0, 2},    {"TBM=0.10", "0", 0, 0, 0, 4},
        {"TBM=5", "0", 0, 0, 0, 11},       {"TBM=0.01", "0", 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        Harness h;
        Parse(h, c.line);
        const TTippingBucket& tb = h.cfg.TippingBucket;
        SCOPED_TRACE(c.line);
        EXPECT_EQ(tb.ResetInterval, c.interval);
        EXPECT_EQ(tb.ResetDays, c.days);
        EXPECT_EQ(tb.ResetHour, c.hour);
        EXPECT_EQ(tb.RollOver, c.rollOver);
        EXPECT_EQ(tb.Multiplier, c.multiplier);
    }
}

TEST(InternSensParse, TestModeSendsShortRowsAndSamplesToTheTestOutput) {
    Harness h;
    h.ctx.InternalSensorTestOn = true;
    const std::string before = Dump(h.cfg);
    Parse(h, "IS2=TM,00:15:00,00:00:00,4");
    Parse(h, "IM0=12.5");
    Parse(h, "IMX=1,3.25");
    Parse(h, "IM Time 12:00:00"); // not a sample
    EXPECT_EQ(Dump(h.cfg), before);
    EXPECT_EQ(h.testOutput,
              (std::vector<std::string>{"IS2=TM,00:15:00,00:00:00,4", "IM0=12.5", "IMX=1,3.25"}));
    // X-form rows and labels are still read into the model.
    Parse(h, "ISX=2,TM,00:15:00,00:00:00,4");
    Parse(h, "IL2=Heat");
    EXPECT_EQ(h.cfg.Internal[2].Type, "TM");
    EXPECT_EQ(h.cfg.Internal[2].Label, "Heat");
    EXPECT_EQ(h.testOutput.size(), 3u);
}

TEST(InternSensParse, TestModeWithoutAnOutputDropsTheLines) {
    Harness h;
    h.ctx.InternalSensorTestOn = true;
    h.ctx.AppendTestOutput = nullptr;
    const std::string before = Dump(h.cfg);
    Parse(h, "IS2=TM,00:15:00,00:00:00,4");
    EXPECT_EQ(Dump(h.cfg), before);
}

namespace {

TInternSensor Row(const char* type, int logRate, std::uint8_t trig, bool delta = false,
                  const char* timeFormat = "", const char* label = "") {
    TInternSensor r;
    r.Label = label;
    r.Type = type;
    r.Interval = "00:15:00";
    r.Offset = "00:00:00";
    r.LogRate = logRate;
    r.Trig = trig;
    r.Delta = delta;
    r.TimeFormat = timeFormat;
    return r;
}

} // namespace

TEST(InternSensBuild, RowCommands) {
    struct Case {
        TInternSensor row;
        bool extended, triggers;
        const char* expected;
    };
    const Case cases[] = {
        {Row("TM", 4, 3), true, true, "ISX=2,TM,00:15:00,00:00:00,4HL"},
        {Row("TM", 4, 3), false, true, "IS2=1,00:15:00,00:00:00,4HL"},
        {Row("TM", 4, 3), false, false, "IS2=1,00:15:00,00:00:00,4"},
        {Row("TC", 1, 1), false, false, "IS2=2,00:15:00,00:00:00,1"},
        {Row("TV", 0, 2), false, true, "IS2=3,00:15:00,00:00:00,0L"},
        {Row("2", 1, 0), false, false, "IS2=2,00:15:00,00:00:00,1"},
        {Row("BV", 1, 1), false, false, "IS2=C"},
        {Row("E3", 1, 1), false, false, "IS2=C"},
        {Row("BV", 1, 1), false, true, "IS2=BV,00:15:00,00:00:00,1H"},
        {Row("CL", 1, 0, false, "H:M:S"), true, true, "ISX=2,CL,00:15:00,00:00:00,H:M:S"},
        // A clock row without a format (firmware before the clock formats)
        // carries its log rate like any other row.
        {Row("CL", 2, 1), true, true, "ISX=2,CL,00:15:00,00:00:00,2H"},
        {Row("TM", 4, 3, true), true, true, "ISX=2,TM,00:15:00,00:00:00,D"},
        {Row("TM", -1, 3), true, true, "ISX=2,TM,00:15:00,00:00:00"},
        {Row("C", 1, 0), true, true, ""},
        {Row("", 1, 0), true, true, ""},
    };
    for (const auto& c : cases) {
        Harness h;
        h.cfg.Internal[2] = c.row;
        EXPECT_EQ(BuildInternSensCmd(h.cfg, 2, c.extended, c.triggers), c.expected) << c.expected;
    }
    Harness h;
    EXPECT_EQ(BuildInternSensCmd(h.cfg, 64, true, true), "");
    EXPECT_EQ(BuildInternSensCmd(h.cfg, -1, true, true), "");
}

TEST(InternSensBuild, LabelCommands) {
    Harness h;
    h.cfg.Internal[2].Label = "Temperature";
    EXPECT_EQ(BuildInternSensLabelCmd(h.cfg, 2, true), "ILX=2,Temp");
    EXPECT_EQ(BuildInternSensLabelCmd(h.cfg, 2, false), "IL2=Temp");
    h.cfg.Internal[2].Label.clear();
    EXPECT_EQ(BuildInternSensLabelCmd(h.cfg, 2, true), "");
    EXPECT_EQ(BuildInternSensLabelCmd(h.cfg, 64, true), "");
}

TEST(InternSensConfig, ExtendedFormWithLabelsAndTippingBucket) {
    Harness h(153);
    h.cfg.Internal[0] = Row("TM", 4, 3);
    h.cfg.Internal[1] = Row("TC", 1, 0);
    h.cfg.Internal[1].Label = "Rain";
    h.cfg.Internal[3] = Row("TV", 1, 0); // after the gap: not sent
    h.cfg.Internal[3].Label = "Lost";
    h.cfg.Internal[0].Label = "INT0";
    h.cfg.TippingBucket.ResetInterval = "Daily";
    h.cfg.TippingBucket.ResetHour = 5;
    h.cfg.TippingBucket.RollOver = 1000;
    h.cfg.TippingBucket.Multiplier = 2;
    CommandList out;
    ConfigInternSens(h.cfg, h.ctx, out);
    // The label loop covers the counted rows (at least 5), so row 3's label
    // still goes out although its row does not.
    EXPECT_EQ(out.Lines,
              (std::vector<std::string>{"IS*=CLEAR", "IL*=CLEAR", "ISX=0,TM,00:15:00,00:00:00,4HL",
                                        "ISX=1,TC,00:15:00,00:00:00,1", "ILX=1,Rain", "ILX=3,Lost",
                                        "TBA=D,05", "TBR=1000", "TBM=0.025"}));
}

TEST(InternSensConfig, ShortFormCoversFiveRows) {
    Harness h(115); // triggers, no extended tables
    for (int i = 0; i < 7; ++i) {
        h.cfg.Internal[i] = Row("TM", 1, 1);
    }
    h.cfg.TippingBucket.ResetInterval = "Daily"; // no daily reset before 1.53
    CommandList out;
    ConfigInternSens(h.cfg, h.ctx, out);
    ASSERT_EQ(out.Lines.size(), 2u + 5u + 3u);
    EXPECT_EQ(out.Lines[2], "IS0=1,00:15:00,00:00:00,1H");
    EXPECT_EQ(out.Lines[6], "IS4=1,00:15:00,00:00:00,1H");
    EXPECT_EQ(out.Lines[7], "TBA=0");

    h.Firmware(111); // no triggers either
    out = CommandList{};
    ConfigInternSens(h.cfg, h.ctx, out);
    EXPECT_EQ(out.Lines[2], "IS0=1,00:15:00,00:00:00,1");
}

TEST(InternSensConfig, ResetCodesAndAbsentSensors) {
    struct Case {
        const char* interval;
        int days;
        const char* expected;
    };
    const Case cases[] = {{"0", 0, "TBA=0"},         {"None", 0, "TBA=0"},
                          {"Days", 7, "TBA=7"},      {"Monthly", 0, "TBA=M"},
                          {"Quarterly", 0, "TBA=Q"}, {"Bi-Annually", 0, "TBA=B"},
                          {"Annually", 0, "TBA=A"},  {"", 0, "TBA=0"}};
    for (const auto& c : cases) {
        Harness h;
        h.cfg.InternalPresent = false;
        h.cfg.Internal[0] = Row("TM", 1, 0);
        h.cfg.TippingBucket.ResetInterval = c.interval;
        h.cfg.TippingBucket.ResetDays = c.days;
        CommandList out;
        ConfigInternSens(h.cfg, h.ctx, out);
        EXPECT_EQ(out.Lines, (std::vector<std::string>{"IS*=CLEAR", "IL*=CLEAR", c.expected,
                                                       "TBR=0", "TBM=0.02"}));
    }
    Harness h;
    h.cfg.TippingBucket.Multiplier = 12; // not a multiplier: the line is left out
    const auto lines = BuildTippingBucketCmds(h.cfg, h.ctx);
    EXPECT_EQ(lines, (std::vector<std::string>{"TBA=0", "TBR=0"}));
}

TEST(InternSensConfig, WhatIsSentReadsBackTheSame) {
    Harness sent(153);
    sent.cfg.Internal[0] = Row("TM", 4, 3, false, "", "INT0");
    sent.cfg.Internal[1] = Row("CL", 1, 0, false, "J:H:M:S", "Clk");
    sent.cfg.Internal[2] = Row("E7", 1, 0, true, "", "INT2");
    sent.cfg.Internal[3] = Row("BV", 0, 2, false, "", "Batt");
    sent.cfg.TippingBucket = {500, 7, "Days", 30, 0};
    CommandList out;
    ConfigInternSens(sent.cfg, sent.ctx, out);
    Harness read(153);
    for (const auto& line : out.Lines) {
        ParseInternalSensorConfiguration(line, read.cfg, read.ctx);
    }
    EXPECT_EQ(Dump(read.cfg), Dump(sent.cfg));
}

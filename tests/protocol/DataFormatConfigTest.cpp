#include "FormatTestSupport.h"

#include "protocol/DataFormatConfig.h"

#include <gtest/gtest.h>

using namespace tavin;
using tavin::test::Dump;
using tavin::test::Harness;

namespace {

struct RowCase {
    const char* line;
    int row;
    char type;
    int index, count, stats, width;
    const char* flags;
    double slope, offset;
    const char* text;
};

void Expect(const TDataFormatRow& r, const RowCase& c) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(r.SourceType, c.type);
    EXPECT_EQ(r.SourceIndex, c.index);
    EXPECT_EQ(r.ValueCount, c.count);
    EXPECT_EQ(r.StatFlags, c.stats);
    EXPECT_EQ(r.FieldWidth, c.width);
    EXPECT_EQ(r.Flags, c.flags);
    EXPECT_EQ(r.Slope, c.slope);
    EXPECT_EQ(r.Offset, c.offset);
    EXPECT_EQ(r.Text, c.text);
}

TDataFormatRow Sensor(char type, int index, int count, int width, const char* flags,
                      double slope = 0, double offset = 0, std::uint8_t stats = 0) {
    TDataFormatRow r;
    r.SourceType = type;
    r.SourceIndex = static_cast<std::uint8_t>(index);
    r.ValueCount = static_cast<std::uint8_t>(count);
    r.FieldWidth = width;
    r.Flags = flags;
    r.Slope = slope;
    r.Offset = offset;
    r.StatFlags = stats;
    return r;
}

TDataFormatRow Text(const char* text, const char* flags = "") {
    TDataFormatRow r;
    r.SourceType = 'T';
    r.Text = text;
    r.Flags = flags;
    return r;
}

} // namespace

TEST(DataFormatParse, TimedRows) {
    const RowCase cases[] = {
        {"TDP=0,H0", 0, 'H', 0, 1, 0, 5, "", 0, 0, ""}, // width: the 5-character id string
        {"TDP=1,H7,LR", 1, 'H', 7, 1, 0, 6, "LR", 0, 0, ""},
        {"TDP=1,H3,x", 1, 'H', 3, 1, 0, 3, "", 0, 0, ""},
        {"TDP=3,S0,1,6,LN,1.5,-2", 3, 'S', 0, 1, 0, 6, "LN", 1.5, -2, ""},
        {"TDP=3,S0,1,6,,1.5,-2", 3, 'S', 0, 1, 0, 6, "", 1.5, -2, ""},
        {"TDP=4,I2,1NX,5", 4, 'I', 2, 1, 3, 5, "", 0, 0, ""},
        {"TDP=4,I63,12G,-2,CZ", 4, 'I', 63, 12, 4, -2, "CZ", 0, 0, ""},
        {"TDP=99,S63,255,10,S,x,+.5", 99, 'S', 63, 255, 0, 10, "S", 0, 0.5, ""},
        // A count that is not a number leaves the rest of the row cleared.
        {"TDP=6,S1,x,6,LN,1,2", 6, 'S', 1, 0, 0, 0, "", 0, 0, ""},
        {"TDP=6,S1,256,6", 6, 'S', 1, 0, 0, 0, "", 0, 0, ""},
        // A width of the wrong form stays 0.
        {"TDP=6,S1,2,1-2", 6, 'S', 1, 2, 0, 0, "", 0, 0, ""},
        {"TDP=7,T,\"HELLO\"", 7, 'T', 0, 0, 0, 0, "", 0, 0, "HELLO"},
        {"TDP=7,T,\"A,B\",LN", 7, 'T', 0, 0, 0, 0, "LN", 0, 0, "A,B"},
        {"TDP=7,T,\"say \"\"hi\"\"\",R", 7, 'T', 0, 0, 0, 0, "R", 0, 0, "say \"hi\""},
        {"TDP=7,T,\"\"\"\"", 7, 'T', 0, 0, 0, 0, "", 0, 0, "\""},
        {"TDP=7,T,\"\"\"\"\"\"", 7, 'T', 0, 0, 0, 0, "", 0, 0, "\"\""},
        {"TDP=7,T,\"TDP?\"", 7, 'T', 0, 0, 0, 0, "", 0, 0, "TDP?"},
        {"TDP=7,T,\"abc\",1.5", 7, 'T', 0, 0, 0, 0, "", 0, 0, "abc"},
        {"TDP=7,T,\"abc", 7, 'T', 0, 0, 0, 0, "", 0, 0, "abc"}, // unterminated
        {"TDP=7,T,\"ABCDEFGHIJKLMNOP\"", 7, 'T', 0, 0, 0, 0, "", 0, 0, "ABCDEFGHIJ"},
        {"TDP=7,T", 7, 'T', 0, 0, 0, 0, "", 0, 0, ""},
    };
    for (const auto& c : cases) {
        Harness h;
        h.cfg.General.PlatformIdString = "SITE1";
        ParseTimedDataFormat(c.line, h.cfg, h.ctx);
        Expect(h.cfg.TimedData[c.row], c);
        EXPECT_TRUE(h.cfg.RandomData[0].IsFree());
    }
}

TEST(DataFormatParse, HeaderWidthFollowsTheTableAndItsMessageFormat) {
    Harness h;
    h.cfg.TimedTx.DataFormat = 0;
    h.cfg.RandomTx.DataFormat = 2;
    ParseTimedDataFormat("TDP=0,H10", h.cfg, h.ctx);
    ParseRandomDataFormat("RDP=0,H10", h.cfg, h.ctx);
    ParseTimedDataFormat("TDP=1,H5", h.cfg, h.ctx);
    ParseRandomDataFormat("RDP=1,H5", h.cfg, h.ctx);
    EXPECT_EQ(h.cfg.TimedData[0].FieldWidth, 0);
    EXPECT_EQ(h.cfg.RandomData[0].FieldWidth, 1);
    EXPECT_EQ(h.cfg.TimedData[1].FieldWidth, 5);
    EXPECT_EQ(h.cfg.RandomData[1].FieldWidth, -2);

    // A host may supply its own widths.
    h.ctx.HeaderFieldWidth = [](bool random, int field) { return (random ? 100 : 200) + field; };
    ParseRandomDataFormat("RDP=2,H4", h.cfg, h.ctx);
    EXPECT_EQ(h.cfg.RandomData[2].FieldWidth, 104);
}

TEST(DataFormatParse, RowsThatEndUpCleared) {
    // Row 5 starts defined in both tables; each line must leave it free.
    const char* lines[] = {"TDP=5,0",         "TDP=5,",        "TDP=5",
                           "TDP=5,S0,1,6,OK", "TDP=5,S0,ERR",  "TDP=5,T,\"a\",OK",
                           "TDP=5,X1,1,6",    "TDP=5,S64,1,6", "TDP=5,Sx,1,6",
                           "TDP=5,H11",       "TDP=5,H",       "TDP=5,S99999999999,1,6",
                           "TDP=5,Tx,\"a\""};
    for (const char* line : lines) {
        Harness h;
        ParseTimedDataFormat("TDP=5,S1,1,6", h.cfg, h.ctx);
        ParseRandomDataFormat("RDP=5,S1,1,6", h.cfg, h.ctx);
        ParseTimedDataFormat(line, h.cfg, h.ctx);
        EXPECT_TRUE(h.cfg.TimedData[5].IsFree()) << line;
        EXPECT_EQ(h.cfg.TimedData[5].ValueCount, 0) << line;
        EXPECT_FALSE(h.cfg.RandomData[5].IsFree()) << line;
    }
}

TEST(DataFormatParse, LinesThatChangeNothing) {
    const char* lines[] = {"TDP?", "TDP=*?", "TDP=*", "TDP=CLEAR", "TDP", "TDP=", "TDP=100,S1,1,6",
                           "TDP=-1,S1,1,6", "TDP=99999999999,S1,1,6", "TDP=x,S1,1,6",
                           "RDP=40,S1,1,6",
                           // Other commands whose text mentions a format row.
                           "RDP=0,T,\"TDP=5,0\"", "PIS=TDP=5,0", "EQN=0,TDP=5,0", "SL3=TDP=5",
                           "ILX=2,TDP5", "TBD=120"};
    for (const char* line : lines) {
        Harness h;
        ParseTimedDataFormat("TDP=5,S1,1,6", h.cfg, h.ctx);
        ParseRandomDataFormat("RDP=5,S1,1,6", h.cfg, h.ctx);
        const std::string before = Dump(h.cfg);
        ParseTimedDataFormat(line, h.cfg, h.ctx);
        EXPECT_EQ(Dump(h.cfg), before) << line;
    }
    Harness h;
    const std::string before = Dump(h.cfg);
    for (const char* line : {"RDP=40,S1,1,6", "RDP=*?", "RDP=CLEAR", "TDP=0,T,\"RDP=1,S1\""}) {
        ParseRandomDataFormat(line, h.cfg, h.ctx);
    }
    EXPECT_EQ(Dump(h.cfg), before);
}

TEST(DataFormatBuild, RowCommands) {
    struct Case {
        TDataFormatRow row;
        int format; // message data format: 0 ASCII
        bool extended;
        const char* expected;
    };
    TDataFormatRow header;
    header.SourceType = 'H';
    header.SourceIndex = 4;
    TDataFormatRow flaggedHeader = header;
    flaggedHeader.Flags = "LS";
    const Case cases[] = {
        {header, 0, true, "TDP=2,H4"},
        {flaggedHeader, 2, true, "TDP=2,H4,LS"},
        {Text("HELLO"), 0, true, "TDP=2,T,\"HELLO\""},
        {Text("A,B", "LN"), 1, true, "TDP=2,T,\"A,B\",LN"},
        {Text("say \"hi\""), 0, true, "TDP=2,T,\"say \"\"hi\"\"\""},
        {Text("ABCDEFGHIJKLMNOP"), 0, true, "TDP=2,T,\"ABCDEFGHIJ\""},
        {Sensor('S', 0, 1, 6, "LN", 1.5, -2), 0, true, "TDP=2,S0,1,6,LN"},
        {Sensor('S', 0, 1, 6, "LN", 1.5, -2), 1, true, "TDP=2,S0,1,6,LN,1.5,-2"},
        {Sensor('S', 0, 1, 6, "", 1.5, -2), 2, true, "TDP=2,S0,1,6,,1.5,-2"},
        {Sensor('S', 0, 1, 6, "", 1.5, -2), 0, true, "TDP=2,S0,1,6"},
        {Sensor('I', 2, 1, -5, "", 0, 0, 7), 0, true, "TDP=2,I2,1NXG,-5"},
        {Sensor('I', 2, 1, 5, "", 0, 0, 7), 0, false, "TDP=2,I2,1,5"},
        {TDataFormatRow{}, 0, true, ""},
    };
    for (const auto& c : cases) {
        Harness h;
        h.cfg.TimedData[2] = c.row;
        h.cfg.TimedTx.DataFormat = static_cast<std::uint8_t>(c.format);
        EXPECT_EQ(BuildTimedDataParamCmd(h.cfg, 2, c.extended), c.expected) << c.expected;
    }
    Harness h;
    h.cfg.RandomData[39] = Sensor('S', 1, 2, 3, "", 0.1, 0.2);
    h.cfg.RandomTx.DataFormat = 1;
    h.cfg.TimedTx.DataFormat = 0; // the random row follows its own message's format
    EXPECT_EQ(BuildRandomDataParamCmd(h.cfg, 39, true), "RDP=39,S1,2,3,,0.1,0.2");
    EXPECT_EQ(BuildRandomDataParamCmd(h.cfg, 40, true), "");
    EXPECT_EQ(BuildTimedDataParamCmd(h.cfg, 100, true), "");
    EXPECT_EQ(BuildTimedDataParamCmd(h.cfg, -1, true), "");
}

TEST(DataFormatBuild, WhatIsSentReadsBackTheSame) {
    Harness sent;
    sent.cfg.TimedTx.DataFormat = 1;
    sent.cfg.General.PlatformIdString = "ABC";
    TDataFormatRow header;
    header.SourceType = 'H';
    header.SourceIndex = 0;
    header.ValueCount = 1;
    header.FieldWidth = 3;
    header.Flags = "L";
    const char* texts[] = {"\"", "\"\"", "a,b", ",", "say \"x\",y", "", "TDP?", "0123456789"};
    int row = 0;
    sent.cfg.TimedData[row++] = header;
    for (const char* t : texts) {
        sent.cfg.TimedData[row] = Text(t, row % 2 ? "LN" : "");
        ++row;
    }
    sent.cfg.TimedData[row++] = Sensor('S', 12, 3, -4, "CLBSRNZ", 0.25, -100.5, 5);
    sent.cfg.TimedData[row++] = Sensor('I', 0, 1, 6, "", 1e-3, 7);
    CommandList out;
    ConfigTimedDataParam(sent.cfg, sent.ctx, out);
    Harness read;
    read.cfg.TimedTx.DataFormat = 1;
    read.cfg.General.PlatformIdString = "ABC";
    for (const auto& line : out.Lines) {
        ParseTimedDataFormat(line, read.cfg, read.ctx);
    }
    EXPECT_EQ(Dump(read.cfg), Dump(sent.cfg));
}

TEST(DataFormatConfig, TimedTableLimitsAndGates) {
    Harness h(130);
    for (int i = 0; i < kTimedDataRows; ++i) {
        h.cfg.TimedData[i] = Sensor('S', i % 64, 1, 6, "");
    }
    CommandList all;
    ConfigTimedDataParam(h.cfg, h.ctx, all);
    ASSERT_EQ(all.Lines.size(), 101u);
    EXPECT_EQ(all.Lines.front(), "TDP=CLEAR");
    EXPECT_EQ(all.Lines.back(), "TDP=99,S35,1,6");
    // Every row is noted as the last format command, in order.
    EXPECT_EQ(all.DataFormatCommands,
              std::vector<std::string>(all.Lines.begin() + 1, all.Lines.end()));
    EXPECT_EQ(all.LoadEndMarker, "");

    h.Firmware(129);
    CommandList old;
    ConfigTimedDataParam(h.cfg, h.ctx, old);
    EXPECT_EQ(old.Lines.size(), 21u);

    h.ini.TdfTabVisible = false;
    CommandList hidden;
    ConfigTimedDataParam(h.cfg, h.ctx, hidden);
    EXPECT_EQ(hidden.Lines, std::vector<std::string>{"TDP=CLEAR"});

    h.ini.TdfTabVisible = true;
    h.cfg.RandomTx.ArgosEnabled = true;
    CommandList argos;
    ConfigTimedDataParam(h.cfg, h.ctx, argos);
    EXPECT_EQ(argos.Lines, std::vector<std::string>{"TDP=CLEAR"});
    EXPECT_TRUE(argos.DataFormatCommands.empty());
}

TEST(DataFormatConfig, RandomTableLeavesTheLastRowAsEndMarker) {
    struct Case {
        int rows;
        int version;
        bool tabVisible;
        std::size_t lines;
        const char* marker;
    };
    const Case cases[] = {
        {0, 130, true, 1, "RDP"},      {1, 130, true, 2, "RDP=0"},    {3, 130, true, 4, "RDP=2"},
        {40, 130, true, 41, "RDP=39"}, {40, 129, true, 21, "RDP=19"}, {3, 130, false, 1, "RDP"},
    };
    for (const auto& c : cases) {
        Harness h(c.version);
        h.ini.RdfTabVisible = c.tabVisible;
        for (int i = 0; i < c.rows; ++i) {
            h.cfg.RandomData[i] = Sensor('I', 1, 1, 6, "");
        }
        h.cfg.RandomData[c.rows < 39 ? c.rows + 1 : 39] = Sensor('I', 1, 1, 6, "");
        CommandList out;
        ConfigRandomDataParam(h.cfg, h.ctx, out);
        SCOPED_TRACE(c.rows);
        EXPECT_EQ(out.Lines.size(), c.lines);
        EXPECT_EQ(out.Lines.front(), "RDP=CLEAR");
        EXPECT_EQ(out.LoadEndMarker, c.marker);
        EXPECT_EQ(out.DataFormatCommands.size(), c.lines - 1);
    }
}

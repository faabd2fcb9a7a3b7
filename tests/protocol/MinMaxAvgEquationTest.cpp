#include "FormatTestSupport.h"

#include "protocol/EquationConfig.h"
#include "protocol/MinMaxAvgConfig.h"

#include <gtest/gtest.h>

using namespace tavin;
using tavin::test::Dump;
using tavin::test::Harness;

TEST(MinMaxAvgParse, Rows) {
    struct Case {
        const char* line;
        int row;
        char source;
        int index;
        const char* interval;
        const char* offset;
        const char* letters; // of Min, Max, Avg, Vec
    };
    const Case cases[] = {
        {"MMA=3,S12,01:00:00,00:00:00,NXG", 3, 'S', 12, "01:00:00", "00:00:00", "NXG"},
        {"MMA=0,I2,00:30:00,00:05:00,V", 0, 'I', 2, "00:30:00", "00:05:00", "V"},
        {"MMA=63,S0,00:30:00,00:05:00", 63, 'S', 0, "00:30:00", "00:05:00", ""},
        {"MMA=5,I63,1:00,00:05:00,GN", 5, 'I', 63, "00:00:00", "00:05:00", "NG"},
    };
    for (const auto& c : cases) {
        Harness h;
        ParseMinMaxAvgStr(c.line, h.cfg, h.ctx);
        const TSensorMMA& r = h.cfg.MinMaxAvg[c.row];
        const std::string letters = std::string(r.Min ? "N" : "") + (r.Max ? "X" : "") +
                                    (r.Avg ? "G" : "") + (r.Vec ? "V" : "");
        SCOPED_TRACE(c.line);
        EXPECT_EQ(r.SourceType, c.source);
        EXPECT_EQ(r.SourceIndex, c.index);
        EXPECT_EQ(r.Interval, c.interval);
        EXPECT_EQ(r.Offset, c.offset);
        EXPECT_EQ(letters, c.letters);
    }
}

TEST(MinMaxAvgParse, ClearedOrMalformedRowsEndUpFree) {
    // Each line names row 3, which starts defined; the row must end up free.
    const char* lines[] = {"MMA=3,C",
                           "MMA=3,S,01:00:00",
                           "MMA=3,Sx,01:00:00",
                           "MMA=3,X5,01:00:00",
                           "MMA=3,S64,01:00:00",
                           "MMA=3,I-1,01:00:00",
                           "MMA=3",
                           "MMA=3,S99999999999,01:00:00"};
    for (const char* line : lines) {
        Harness h;
        ParseMinMaxAvgStr("MMA=3,S1,01:00:00,00:00:00,N", h.cfg, h.ctx);
        ParseMinMaxAvgStr(line, h.cfg, h.ctx);
        EXPECT_EQ(Dump(h.cfg), Dump(Harness().cfg)) << line;
    }
}

TEST(MinMaxAvgParse, LinesThatChangeNothing) {
    const char* lines[] = {"MMA=CLEAR",
                           "MMA?",
                           "MMA=64,S1,01:00:00",
                           "MMA=-1,S1",
                           "MMA=x,S1",
                           "MMA=99999999999,S1,01:00:00",
                           "MMN=3",
                           "MMA=",
                           "EQN=0,MMA=3,S1,01:00:00",
                           "PIS=MMA=3,S1,01:00:00",
                           "TDP=0,T,\"MMA=3,S1\""};
    for (const char* line : lines) {
        Harness h;
        ParseMinMaxAvgStr("MMA=3,S1,01:00:00,00:00:00,N", h.cfg, h.ctx);
        const std::string before = Dump(h.cfg);
        ParseMinMaxAvgStr(line, h.cfg, h.ctx);
        EXPECT_EQ(Dump(h.cfg), before) << line;
    }
}

TEST(MinMaxAvgBuild, RowsAndVectorAverage) {
    Harness h;
    h.cfg.MinMaxAvg[0] = {'S', 12, "01:00:00", "00:00:00", true, true, true, true};
    h.cfg.MinMaxAvg[1] = {'I', 2, "00:30:00", "00:05:00", false, false, false, true};
    h.cfg.MinMaxAvg[2] = {'I', 3, "00:30:00", "00:05:00", false, false, true, false};
    EXPECT_EQ(BuildMinMaxAvgCmd(h.cfg, h.ctx, 0), "MMA=0,S12,01:00:00,00:00:00,NXG");
    EXPECT_EQ(BuildMinMaxAvgCmd(h.cfg, h.ctx, 1), "MMA=1,I2,00:30:00,00:05:00");
    EXPECT_EQ(BuildMinMaxAvgCmd(h.cfg, h.ctx, 2), "MMA=2,I3,00:30:00,00:05:00,G");
    EXPECT_EQ(BuildMinMaxAvgCmd(h.cfg, h.ctx, 3), "");
    EXPECT_EQ(BuildMinMaxAvgCmd(h.cfg, h.ctx, 64), "");
    h.ini.VectorAverage = true;
    h.Firmware(151);
    EXPECT_EQ(BuildMinMaxAvgCmd(h.cfg, h.ctx, 0), "MMA=0,S12,01:00:00,00:00:00,NXGV");
    // The vector average alone still carries no letters.
    EXPECT_EQ(BuildMinMaxAvgCmd(h.cfg, h.ctx, 1), "MMA=1,I2,00:30:00,00:05:00");
}

TEST(MinMaxAvgConfig, QueuesUpToTheFirstFreeRowOnlyWithTheTable) {
    Harness h(130);
    CommandList none;
    ConfigMinMaxAvg(h.cfg, h.ctx, none);
    EXPECT_EQ(none.Lines, std::vector<std::string>{"MMA=CLEAR"});

    h.cfg.MinMaxAvg[0] = {'S', 1, "01:00:00", "00:00:00", true, false, false, false};
    h.cfg.MinMaxAvg[1] = {'S', 2, "01:00:00", "00:00:00", false, true, false, false};
    h.cfg.MinMaxAvg[3] = {'S', 3, "01:00:00", "00:00:00", false, true, false, false};
    CommandList out;
    ConfigMinMaxAvg(h.cfg, h.ctx, out);
    EXPECT_EQ(out.Lines, (std::vector<std::string>{"MMA=CLEAR", "MMA=0,S1,01:00:00,00:00:00,N",
                                                   "MMA=1,S2,01:00:00,00:00:00,X"}));

    h.Firmware(129);
    CommandList old;
    ConfigMinMaxAvg(h.cfg, h.ctx, old);
    EXPECT_TRUE(old.Lines.empty());
}

TEST(Equations, EntriesFillTheListInOrder) {
    Harness h;
    for (const char* line : {"EQN=0,S1*2", "EQN=1,I0+1", "EQN=2,(S1+S2)/2"}) {
        ParseEquationCmd(line, h.cfg, h.ctx);
    }
    EXPECT_EQ(h.cfg.Equations, (std::vector<std::string>{"S1*2", "I0+1", "(S1+S2)/2"}));

    Harness two;
    ParseEquationCmd("EQN=0,a", two.cfg, two.ctx);
    ParseEquationCmd("EQN=1,b", two.cfg, two.ctx);
    ParseEquationCmd("EQN=5,c", two.cfg, two.ctx); // beyond the end: appended
    ParseEquationCmd("EQN=1,B", two.cfg, two.ctx); // an existing entry: replaced
    EXPECT_EQ(two.cfg.Equations, (std::vector<std::string>{"a", "B", "c"}));
}

TEST(Equations, TextKeepsCommasAndOperators) {
    Harness h;
    ParseEquationCmd("EQN=0,fmod(S1,3)?S2:S3=1", h.cfg, h.ctx);
    ParseEquationCmd("EQN=1,", h.cfg, h.ctx);
    EXPECT_EQ(h.cfg.Equations, (std::vector<std::string>{"fmod(S1,3)?S2:S3=1", ""}));
}

TEST(Equations, LinesThatChangeNothing) {
    const char* lines[] = {"EQN=CLEAR",          "EQN?",  "EQN=1,C", "EQN=-1,x", "EQN=x,y",
                           "EQN=99999999999,x",  "EQN=3", "EQN",     "EQT=E1",   "PIS=EQN=0,x",
                           "TDP=0,T,\"EQN=0,x\""};
    for (const char* line : lines) {
        Harness h;
        ParseEquationCmd("EQN=0,S1", h.cfg, h.ctx);
        ParseEquationCmd(line, h.cfg, h.ctx);
        EXPECT_EQ(h.cfg.Equations, std::vector<std::string>{"S1"}) << line;
    }
}

TEST(Equations, BuildAndConfig) {
    Harness h;
    h.cfg.Equations = {"S1*2", "fmod(S1,3)"};
    EXPECT_EQ(BuildEquationConfigCmd(h.cfg, 1), "EQN=1,fmod(S1,3)");
    EXPECT_EQ(BuildEquationConfigCmd(h.cfg, 2), "");
    EXPECT_EQ(BuildEquationConfigCmd(h.cfg, -1), "");
    CommandList out;
    ConfigEquations(h.cfg, h.ctx, out);
    EXPECT_EQ(out.Lines, (std::vector<std::string>{"EQN=CLEAR", "EQN=0,S1*2", "EQN=1,fmod(S1,3)"}));
    Harness read;
    for (const auto& line : out.Lines) {
        ParseEquationCmd(line, read.cfg, read.ctx);
    }
    EXPECT_EQ(read.cfg.Equations, h.cfg.Equations);
}

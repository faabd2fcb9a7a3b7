#include "FormatTestSupport.h"

#include "protocol/ArgosDataPack.h"
#include "protocol/RandomTriggerConfig.h"

#include <gtest/gtest.h>

using namespace tavin;
using tavin::test::Dump;
using tavin::test::Harness;

namespace {

TRandomTrigger Trigger(char type, char sensor, int index, double limit) {
    TRandomTrigger t;
    t.TriggerType = type;
    t.SensorType = sensor;
    t.SensorIndex = static_cast<std::uint8_t>(index);
    t.Limit = limit;
    return t;
}

std::string Pack(const XmtrConfig& cfg, int from, int to) {
    std::string s;
    for (int i = from; i <= to; ++i) {
        s += (i > from ? "," : "") + std::to_string(cfg.RandomTx.ArgosDataPack[i]);
    }
    return s;
}

} // namespace

TEST(RandomTriggerParse, Rows) {
    struct Case {
        const char* line;
        int row;
        char type, sensor;
        int index;
        double limit;
    };
    const Case cases[] = {
        {"RRT=0,I,3600", 0, 'I', '\0', 0, 3600},
        {"RRT=0,I,S2,3600", 0, 'I', '\0', 0, 0}, // an interval has no sensor
        {"RRT=1,H,S2,25.5", 1, 'H', 'S', 2, 25.5},
        {"RRT=29,L,I63,-4", 29, 'L', 'I', 63, -4},
        {"RRT=2,A,S1,x", 2, 'A', 'S', 1, 0},
        {"RRT=2,R,S64,1", 2, 'R', '\0', 0, 1},
        {"RRT=2,F,Sx,1", 2, 'F', '\0', 0, 1},
        {"RRT=2,D,25.5", 2, 'D', '\0', 0, 0},
    };
    for (const auto& c : cases) {
        Harness h;
        ParseRandomTriggers(c.line, h.cfg, h.ctx);
        const TRandomTrigger& t = h.cfg.RandomTriggers[c.row];
        SCOPED_TRACE(c.line);
        EXPECT_EQ(t.TriggerType, c.type);
        EXPECT_EQ(t.SensorType, c.sensor);
        EXPECT_EQ(t.SensorIndex, c.index);
        EXPECT_EQ(t.Limit, c.limit);
    }
}

TEST(RandomTriggerParse, ClearingAndLinesThatChangeNothing) {
    Harness h;
    for (int i = 0; i < kRandomTriggerRows; ++i) {
        h.cfg.RandomTriggers[i] = Trigger('H', 'S', 1, 2);
    }
    ParseRandomTriggers("RRT=3", h.cfg, h.ctx);
    ParseRandomTriggers("RRT=4,C", h.cfg, h.ctx);
    ParseRandomTriggers("RRT=5,Z,S1,2", h.cfg, h.ctx); // not a trigger type
    EXPECT_TRUE(h.cfg.RandomTriggers[3].IsFree());
    EXPECT_TRUE(h.cfg.RandomTriggers[4].IsFree());
    EXPECT_TRUE(h.cfg.RandomTriggers[5].IsFree());
    const std::string before = Dump(h.cfg);
    const char* lines[] = {"RRT=20",        "RRT=*?",
                           "RRT=*",         "RRT?",
                           "RRT=CLEAR",     "RRT=30,H,S1,2",
                           "RRT=-1,H,S1,2", "RRT=99999999999,H,S1,2",
                           "RRT=x,H,S1,2",  "RRT=",
                           "RRT",           "EQN=0,RRT=1,H,S1,9",
                           "PIS=RRT=1",     "RDP=0,T,\"RRT=1,L\""};
    for (const char* line : lines) {
        ParseRandomTriggers(line, h.cfg, h.ctx);
        EXPECT_EQ(Dump(h.cfg), before) << line;
    }
}

TEST(RandomTriggerBuild, Commands) {
    Harness h;
    h.cfg.RandomTriggers[0] = Trigger('I', '\0', 0, 3600);
    h.cfg.RandomTriggers[1] = Trigger('H', 'S', 2, 25.5);
    h.cfg.RandomTriggers[2] = Trigger('L', 'I', 3, -0.25);
    h.cfg.RandomTriggers[3] = Trigger('H', '\0', 0, 7); // no sensor chosen yet
    EXPECT_EQ(BuildRandomTrigCmd(h.cfg, 0), "RRT=0,I,3600");
    EXPECT_EQ(BuildRandomTrigCmd(h.cfg, 1), "RRT=1,H,S2,25.5");
    EXPECT_EQ(BuildRandomTrigCmd(h.cfg, 2), "RRT=2,L,I3,-0.25");
    EXPECT_EQ(BuildRandomTrigCmd(h.cfg, 3), "RRT=3,H,7");
    EXPECT_EQ(BuildRandomTrigCmd(h.cfg, 4), "");
    EXPECT_EQ(BuildRandomTrigCmd(h.cfg, 30), "");

    Harness read;
    for (int i = 0; i < 3; ++i) {
        ParseRandomTriggers(BuildRandomTrigCmd(h.cfg, i), read.cfg, read.ctx);
    }
    h.cfg.RandomTriggers[3] = TRandomTrigger{};
    EXPECT_EQ(Dump(read.cfg), Dump(h.cfg));
}

TEST(RandomTriggerConfig, GatesAndEndMarkers) {
    struct Case {
        bool randomOn;
        int source;
        bool tab;
        int rows;
        std::size_t lines;
        const char* marker;
    };
    const Case cases[] = {
        {true, 1, true, 0, 1, "RRT"},      {true, 1, true, 2, 3, "RRT=1"},
        {true, 1, true, 30, 31, "RRT=29"}, {false, 1, true, 2, 1, "RRT"},
        {true, 0, true, 2, 1, "RRT"},      {true, 1, false, 2, 1, "RRT"},
    };
    for (const auto& c : cases) {
        Harness h;
        h.cfg.RandomEnabled = c.randomOn;
        h.cfg.RandomTx.DataSource = static_cast<std::uint8_t>(c.source);
        h.ini.RdfTabVisible = c.tab;
        for (int i = 0; i < c.rows; ++i) {
            h.cfg.RandomTriggers[i] = Trigger('H', 'S', 1, i);
        }
        CommandList out;
        ConfigRandomTriggers(h.cfg, h.ctx, out);
        SCOPED_TRACE(c.rows);
        EXPECT_EQ(out.Lines.size(), c.lines);
        EXPECT_EQ(out.Lines.front(), "RRT=CLEAR");
        EXPECT_EQ(out.LoadEndMarker, c.marker);
    }
}

TEST(ArgosDataPackParse, ValuesFillConsecutiveEntries) {
    Harness h;
    ParesARGOSParameters("ADP=10,3,5,7", h.cfg, h.ctx);
    EXPECT_EQ(Pack(h.cfg, 9, 13), "0,3,5,7,0");
    // A word that is not a byte value is skipped, not left as a gap.
    ParesARGOSParameters("ADP=0,1,x,2,-3,256,3,,4", h.cfg, h.ctx);
    EXPECT_EQ(Pack(h.cfg, 0, 4), "1,2,3,4,0");
    // Only eight values per line, and nothing past entry 47.
    ParesARGOSParameters("ADP=20,1,2,3,4,5,6,7,8,9,10", h.cfg, h.ctx);
    EXPECT_EQ(Pack(h.cfg, 20, 28), "1,2,3,4,5,6,7,8,0");
    ParesARGOSParameters("ADP=45,9,9,9,9,9", h.cfg, h.ctx);
    EXPECT_EQ(Pack(h.cfg, 44, 47), "0,9,9,9");
}

TEST(ArgosDataPackParse, LinesThatChangeNothing) {
    std::string many = "ADP=48";
    for (int i = 0; i < 300; ++i) {
        many += ",7";
    }
    const std::string lines[] = {
        "ADP=*",       "ADP=CLEAR",           "ADP?",   "ADP=", "ADP=x,1,2",
        "ADP=-1,1",    "ADP=99999999999,1,2", "ADP=40", many,   "EQN=0,ADP=0,5",
        "PIS=ADP=0,5", "RDP=0,T,\"ADP=0,5\""};
    for (const auto& line : lines) {
        Harness h;
        ParesARGOSParameters(line, h.cfg, h.ctx);
        EXPECT_EQ(Dump(h.cfg), Dump(Harness().cfg)) << line.substr(0, 40);
    }
}

TEST(ArgosDataPackEmission, FollowsModeSourceAndTarget) {
    Harness h;
    auto& pack = h.cfg.RandomTx.ArgosDataPack;
    pack[0] = 5;
    pack[1] = 7;
    pack[2] = 0;
    pack[3] = 9;
    EXPECT_EQ(BuildArgosDataPackCmds(h.cfg), (std::vector<std::string>{"ADP=0,5", "ADP=1,7"}));

    CommandList goes;
    ConfigArgosDataPack(h.cfg, goes, DataPackTarget::SendAll);
    EXPECT_TRUE(goes.Lines.empty());

    h.cfg.RandomTx.ArgosEnabled = true;
    CommandList rs232;
    ConfigArgosDataPack(h.cfg, rs232, DataPackTarget::SendAll);
    EXPECT_EQ(rs232.Lines, (std::vector<std::string>{"ADP=0,5", "ADP=1,7"}));
    EXPECT_EQ(rs232.LoadEndMarker, "ADP=1");
    CommandList file;
    ConfigArgosDataPack(h.cfg, file, DataPackTarget::File);
    EXPECT_EQ(file.Lines, rs232.Lines);

    h.cfg.RandomTx.DataSource = 1;
    CommandList sensor;
    ConfigArgosDataPack(h.cfg, sensor, DataPackTarget::SendAll);
    EXPECT_EQ(sensor.Lines, std::vector<std::string>{"ADP=*"});
    EXPECT_EQ(sensor.LoadEndMarker, "ADP=");
    CommandList sensorFile;
    ConfigArgosDataPack(h.cfg, sensorFile, DataPackTarget::File);
    EXPECT_TRUE(sensorFile.Lines.empty());

    // A full pack: 48 lines and no more.
    h.cfg.RandomTx.DataSource = 0;
    pack.fill(8);
    CommandList full;
    ConfigArgosDataPack(h.cfg, full, DataPackTarget::SendAll);
    ASSERT_EQ(full.Lines.size(), 48u);
    EXPECT_EQ(full.Lines.back(), "ADP=47,8");
    EXPECT_EQ(full.LoadEndMarker, "ADP=47");
    Harness read;
    for (const auto& line : full.Lines) {
        ParesARGOSParameters(line, read.cfg, read.ctx);
    }
    EXPECT_EQ(read.cfg.RandomTx.ArgosDataPack, pack);
}

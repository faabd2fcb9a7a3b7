#include "protocol/TxSetup.h"
#include "ConfigFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

using namespace tavin;
using namespace tavin::testing;

namespace {

struct ParseCase {
    const char* line;
    std::function<void(XmtrConfig&)> expect; // applied to a copy of the old model
};

void RunParseCases(const std::vector<ParseCase>& cases, bool argos = false) {
    for (const ParseCase& c : cases) {
        Host host;
        XmtrConfig cfg;
        cfg.RandomTx.ArgosEnabled = argos;
        cfg.TimedTx.BitRate = 1;
        XmtrConfig want = cfg;
        c.expect(want);
        ParseTxSetupFields(c.line, cfg, host.Ctx);
        EXPECT_EQ(cfg, want) << c.line;
    }
}

} // namespace

TEST(ParseTxSetupFields, TimedReplies) {
    RunParseCases({
        {"TCH=95,300", [](XmtrConfig& c) { c.TimedTx.Channel = 95, c.TimedTx.BitRate = 1; }},
        {"TCH=abc,1200", [](XmtrConfig& c) { c.TimedTx.BitRate = 2; }},
        {"TCH=12,4800", [](XmtrConfig& c) { c.TimedTx.Channel = 12, c.TimedTx.BitRate = 3; }},
        {"TCH=0", [](XmtrConfig& c) { c.TimedTx.Channel = 0; }},
        {"TCH=7,9600", [](XmtrConfig& c) { c.TimedTx.Channel = 7; }},
        {"TCH=-5,100", [](XmtrConfig& c) { c.TimedTx.BitRate = 0; }},
        {"TCH=99999999999,x", [](XmtrConfig&) {}},
        {"TTI=01:00:00", [](XmtrConfig& c) { c.TimedTx.Interval = "01:00:00"; }},
        {"TTI=02:01:00:00", [](XmtrConfig& c) { c.TimedTx.Interval = "02:01:00:00"; }},
        {"TTI=soon", [](XmtrConfig&) {}},
        {"TTI=", [](XmtrConfig&) {}},
        {"FTT=00:12:30", [](XmtrConfig& c) { c.TimedTx.FirstTx = "00:12:30"; }},
        {"FTT=01:02:03:04", [](XmtrConfig&) {}},
        {"TWL=60", [](XmtrConfig& c) { c.TimedTx.WindowLength = 60; }},
        {"TWL=6O", [](XmtrConfig&) {}},
        {"TOF=A5",
         [](XmtrConfig& c) {
             c.TimedTx.OpFlags = {true, false, true, false, false, true, false, true};
         }},
        {"TOF=1a5", [](XmtrConfig& c) { c.TimedTx.OpFlags = {1, 0, 1, 0, 0, 1, 0, 1}; }},
        {"TOF=G1", [](XmtrConfig&) {}},
        {"TPR=long", [](XmtrConfig& c) { c.TimedTx.Preamble = 1; }},
        {"TIL=SHORT", [](XmtrConfig& c) { c.TimedTx.Interleaver = 1; }},
        {"TIL=Medium", [](XmtrConfig&) {}},
        {"TDF=pseudo", [](XmtrConfig& c) { c.TimedTx.DataFormat = 1; }},
        {"TDF=Binary", [](XmtrConfig& c) { c.TimedTx.DataFormat = 2; }},
        {"TDS=Sensor", [](XmtrConfig& c) { c.TimedTx.DataSource = 1; }},
        {"TDO=Oldest", [](XmtrConfig& c) { c.TimedTx.DataOrder = 1; }},
        {"TCH?", [](XmtrConfig&) {}},
        {"XTCH=95,300", [](XmtrConfig&) {}},
    });
}

TEST(ParseTxSetupFields, TimedFlagsClearTheOthers) {
    Host host;
    XmtrConfig cfg;
    cfg.TimedTx.OpFlags.fill(true);
    ParseTxSetupFields("TOF=A5", cfg, host.Ctx);
    EXPECT_EQ(cfg.TimedTx.OpFlags, (OpFlagSet{true, false, true, false, false, true, false, true}));
}

TEST(ParseTxSetupFields, RandomReplies) {
    RunParseCases({
        {"RCH=55,1200", [](XmtrConfig& c) { c.RandomTx.Channel = 55, c.RandomTx.BitRate = 2; }},
        {"RCH=D17+S55,400",
         [](XmtrConfig& c) { c.RandomTx.ArgosChannel = "D17+S55", c.RandomTx.BitRate = 3; }},
        {"RCH=D17;S55,400", [](XmtrConfig& c) { c.RandomTx.BitRate = 3; }},
        {"RIN=45", [](XmtrConfig& c) { c.RandomTx.Interval = 45; }},
        {"RPC=20", [](XmtrConfig& c) { c.RandomTx.Percent = 20; }},
        {"RRC=4", [](XmtrConfig& c) { c.RandomTx.RepeatCount = 4; }},
        {"RRC=four", [](XmtrConfig&) {}},
        {"RIL=long", [](XmtrConfig& c) { c.RandomTx.Interleaver = 2; }},
        {"RDF=Pseudo", [](XmtrConfig& c) { c.RandomTx.DataFormat = 1; }},
        {"RDF=BINARY", [](XmtrConfig& c) { c.RandomTx.DataFormat = 2; }},
        {"RDS=sensor", [](XmtrConfig& c) { c.RandomTx.DataSource = 1; }},
        {"RDO=Oldest", [](XmtrConfig& c) { c.RandomTx.DataOrder = 1; }},
        {"ROF=1E", [](XmtrConfig& c) { c.RandomTx.OpFlags = {0, 1, 1, 1, 1, 0, 0, 0}; }},
    });
    // With ARGOS on the interval and repeat count are the ARGOS ones.
    RunParseCases(
        {
            {"RIN=120", [](XmtrConfig& c) { c.RandomTx.ArgosInterval = 120; }},
            {"RRC=2", [](XmtrConfig& c) { c.RandomTx.ArgosRepeatCount = 2; }},
        },
        true);
}

TEST(ParseTxSetupFields, ChannelKindsReplaceEachOther) {
    Host host;
    XmtrConfig cfg;
    ParseTxSetupFields("RCH=55,300", cfg, host.Ctx);
    ParseTxSetupFields("RCH=D17+S55,400", cfg, host.Ctx);
    EXPECT_EQ(cfg.RandomTx.Channel, 0);
    EXPECT_EQ(cfg.RandomTx.ArgosChannel, "D17+S55");
    ParseTxSetupFields("RCH=60,100", cfg, host.Ctx);
    EXPECT_EQ(cfg.RandomTx.Channel, 60);
    EXPECT_EQ(cfg.RandomTx.ArgosChannel, "");
}

TEST(ParseTxSetupFields, SideEffects) {
    Host host;
    XmtrConfig cfg;
    ParseTxSetupFields("TDO=Newest", cfg, host.Ctx);
    ParseTxSetupFields("ROF=00", cfg, host.Ctx);
    ParseTxSetupFields("TDS=Sensor", cfg, host.Ctx);
    EXPECT_EQ(host.Posted, (std::vector<std::pair<int, int>>{{1125, 0}, {1125, 0}}));
    ParseTxSetupFields("RDS=Sensor", cfg, host.Ctx);
    EXPECT_TRUE(host.Queued.empty());
    cfg.RandomTx.ArgosEnabled = true;
    ParseTxSetupFields("RDS=RS-232", cfg, host.Ctx);
    EXPECT_EQ(host.Queued, std::vector<std::string>{"ADP?"});
}

TEST(ConfigTimedTransmission, BuildsTheTimedSettings) {
    Host host;
    XmtrConfig cfg;
    EXPECT_EQ(Build(ConfigTimedTransmission, cfg, host.Ctx), std::vector<std::string>{"TCH=0"});

    cfg.TimedEnabled = true;
    auto& t = cfg.TimedTx;
    t.Channel = 95;
    t.BitRate = 0;
    t.Interval = "01:00:00";
    t.FirstTx = "00:05:00";
    t.WindowLength = 10;
    t.OpFlags = {true, false, true, false, false, true, false, true};
    t.Preamble = 1;
    t.DataFormat = 1;
    t.DataSource = 1;
    t.DataOrder = 0;
    EXPECT_EQ(
        Build(ConfigTimedTransmission, cfg, host.Ctx),
        (std::vector<std::string>{"TCH=95,100", "TTI=00:01:00:00", "FTT=00:05:00", "TWL=10",
                                  "TOF=A5", "TPR=Long", "TDF=Pseudo", "TDS=Sensor", "TDO=Newest"}));

    struct Case {
        int channel, rate;
        const char* interval;
        std::vector<std::string> lines; // those between TOF and TDF, and the TCH/TTI lines
    };
    for (const Case& c : {
             Case{201, 0, "02:01:00:00", {"TCH=201,100", "TTI=02:01:00:00"}},
             Case{200, 0, "", {"TCH=200,100", "TPR=Long"}},
             Case{33, 1, "00:30:00", {"TCH=33,300", "TTI=00:00:30:00", "TIL=None"}},
             Case{33, 2, "00:30:00", {"TCH=33,1200", "TTI=00:00:30:00", "TIL=None"}},
             Case{33, 3, "00:30:00", {"TTI=00:00:30:00"}}, // 4800 bps is never sent
         }) {
        t.Channel = c.channel;
        t.BitRate = static_cast<std::uint8_t>(c.rate);
        t.Interval = c.interval;
        std::vector<std::string> got;
        for (const auto& l : Build(ConfigTimedTransmission, cfg, host.Ctx)) {
            if (l.starts_with("TCH") || l.starts_with("TTI") || l.starts_with("TPR") ||
                l.starts_with("TIL")) {
                got.push_back(l);
            }
        }
        EXPECT_EQ(got, c.lines) << c.channel << " " << c.rate;
    }
}

TEST(ConfigRandomTransmission, BuildsGoesAndArgosForms) {
    Host host;
    XmtrConfig cfg;
    EXPECT_EQ(Build(ConfigRandomTransmission, cfg, host.Ctx), std::vector<std::string>{"RCH=0"});

    cfg.RandomEnabled = true;
    auto& r = cfg.RandomTx;
    r.Channel = 55;
    r.BitRate = 1;
    r.Interval = 20;
    r.Percent = 30;
    r.RepeatCount = 2;
    r.Interleaver = 2;
    r.DataFormat = 1;
    r.DataSource = 0;
    r.DataOrder = 1;
    r.OpFlags[1] = r.OpFlags[4] = true;
    r.ArgosChannel = "D17+S55";
    r.ArgosInterval = 90;
    r.ArgosRepeatCount = 5;
    EXPECT_EQ(Build(ConfigRandomTransmission, cfg, host.Ctx),
              (std::vector<std::string>{"RCH=55,300", "RIN=20", "RPC=30", "RRC=2", "RIL=Long",
                                        "RDF=PSEUDO", "RDS=RS-232", "RDO=Oldest", "ROF=12"}));

    host.Ctx.TxMode = kTxModeArgos;
    EXPECT_EQ(Build(ConfigRandomTransmission, cfg, host.Ctx),
              (std::vector<std::string>{"RCH=D17+S55,400", "RIN=90", "RPC=10", "RRC=5", "RIL=None",
                                        "RDF=PSEUDO", "RDS=RS-232", "ADP=CLEAR", "RDO=Oldest",
                                        "ROF=12"}));
    r.DataSource = 1; // the pack then comes from the sensors: no clearing
    host.Ctx.TxMode = kTxModeArgosScd;
    const auto lines = Build(ConfigRandomTransmission, cfg, host.Ctx);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "ADP=CLEAR"), 0);
    EXPECT_EQ(lines[0], "RCH=D17+S55,400");
}

TEST(TxSetup, BuiltLinesParseBackToTheSameModel) {
    Host host;
    XmtrConfig cfg;
    cfg.TimedEnabled = cfg.RandomEnabled = true;
    cfg.TimedTx.Channel = 120;
    cfg.TimedTx.BitRate = 2;
    cfg.TimedTx.Interval = "00:03:00:00";
    cfg.TimedTx.FirstTx = "00:01:30";
    cfg.TimedTx.Interleaver = 2;
    cfg.TimedTx.DataFormat = 2;
    cfg.TimedTx.OpFlags = {0, 1, 1, 0, 1, 0, 1, 1};
    cfg.RandomTx.Channel = 7;
    cfg.RandomTx.BitRate = 0;
    cfg.RandomTx.Interleaver = 1;
    cfg.RandomTx.DataFormat = 2;
    cfg.RandomTx.OpFlags = {0, 1, 0, 0, 1, 0, 0, 0};
    XmtrConfig back;
    back.TimedEnabled = back.RandomEnabled = true;
    for (auto b : {ConfigTimedTransmission, ConfigRandomTransmission}) {
        for (const auto& line : Build(b, cfg, host.Ctx)) {
            ParseTxSetupFields(line, back, host.Ctx);
        }
    }
    EXPECT_EQ(back.TimedTx, cfg.TimedTx);
    EXPECT_EQ(back.RandomTx, cfg.RandomTx);
}

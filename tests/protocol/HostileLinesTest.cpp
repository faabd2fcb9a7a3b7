// Every parser is offered every line, so each must shrug off lines that are
// not its own and values of the wrong form, whatever their length.

#include "ConfigFixture.h"
#include "protocol/GeneralSettings.h"
#include "protocol/SDI12Config.h"
#include "protocol/TimeDataInfo.h"
#include "protocol/TxSetup.h"

#include <gtest/gtest.h>

using namespace tavin;
using namespace std::string_literals;
using namespace tavin::testing;

namespace {

constexpr ConfigParser kParsers[] = {ParseTxSetupFields, ParseTxTimeSyncOscCalFields,
                                     ParseGeneralTxConfiguration, ParseTimeDataInfo,
                                     ParseSDI12Configuration};

// A model with something other than the cleared value nearly everywhere, so
// that a stray write shows.
XmtrConfig Sentinel() {
    XmtrConfig c;
    c.TimedTx.Channel = 77;
    c.TimedTx.BitRate = 1;
    c.TimedTx.Interval = "00:01:00:00";
    c.TimedTx.WindowLength = 45;
    c.TimedTx.OpFlags[2] = true;
    c.RandomTx.Channel = 12;
    c.RandomTx.Interval = 33;
    c.RandomTx.ArgosTxPower = 1.5;
    c.General.PlatformIdString = "KEEP";
    c.General.TxPower300 = 8.5;
    c.General.GpsTimeSync = 9;
    c.General.TimeZoneOffset = 0; // "TZN=" with no number means 0 by rule
    c.General.PowerUpEnable = true;
    for (int i = 0; i < 3; ++i) {
        c.SDI12[i].Enabled = true;
        c.SDI12[i].Address = std::string(1, static_cast<char>('0' + i));
        c.SDI12[i].Label = "L" + std::to_string(i);
    }
    c.SDI12[3].Enabled = true;
    c.SDI12Present = false;
    c.SensorCountSDI12 = 20;
    return c;
}

std::vector<std::string> HostileLines() {
    const std::string huge(5000, 'A');
    const std::string digits(3000, '9');
    std::vector<std::string> lines = {
        "",
        "=",
        ",",
        "==",
        ",,,,",
        "\"",
        "\",\"",
        ">",
        "OK",
        "ERR",
        "INV",
        "?",
        "SS",
        "SSX",
        "SSX=",
        "SSX=,",
        "SSX=abc,0,0,1",
        "SSX=99999999999,0,0,1,00:15:00",
        "SSX=64,0,0,1",
        "SSX=-1,0,0,1",
        "SSX=+3,0,0,1",
        "SSX=3,AB,0,1",
        "SSX=3," + huge,
        "SS64=0,0,1",
        "SS99999999999=0,0,1",
        "SS=0,0,1",
        "SSa=0,0,1",
        "SS3" + huge,
        "SLX=",
        "SLX=99,ABCD",
        "SLX=x,ABCD",
        "SLX=3",
        "SLX=99999999999,ABCD",
        "SL=ABCD",
        "SL64=ABCD",
        "SSN=",
        "SSN=abc",
        "SSN=-4",
        "SSN=99999999999",
        "SSN" + huge,
        "TCH=",
        "TCH=,",
        "TCH=abc,xyz",
        "TCH=99999999999",
        "TWL=-1",
        "TWL=" + digits,
        "TOF=",
        "TOF=XYZ",
        "TOF=" + huge + "Z",
        "TPR=",
        "TIL=",
        "TDF=" + huge,
        "TTI=" + huge,
        "FTT=abc",
        "RCH=",
        "RCH=" + huge,
        "RCH=d17",
        "RIN=",
        "RIN=abc",
        "RPC=1.5",
        "RRC=99999999999",
        "RDF=",
        "ROF=zz",
        "GTS=",
        "GTS=abc",
        "GTC=1.5",
        "GOC=" + digits,
        "GTO=-3",
        "IRC=" + huge,
        "PUE=",
        "PUE=2",
        "PB1=" + huge,
        "TXP=",
        "TXP=,,,",
        "TXP=abc,def,ghi,jkl",
        "TXP=1e5,inf,nan",
        "SFL=",
        "SFL=yes",
        "LGM=",
        "TZN=",
        "TZN=abc",
        "TZN=" + digits,
        "TIM=",
        "TIM=" + huge,
        "DAT=",
        "DAT=" + huge,
        "UTC=",
        "UTC=" + digits,
        "PIS=" + huge,
        huge,
        digits,
        std::string(4000, '='),
        std::string(4000, ','),
        "SSX=3,0\0,0,1"s,
        "\xff\xfe\x01SS3=1,0,1"s,
    };
    return lines;
}

} // namespace

TEST(HostileLines, NoParserChangesTheModelOrCrashes) {
    for (const std::string& line : HostileLines()) {
        Host host;
        XmtrConfig cfg = Sentinel();
        const XmtrConfig before = cfg;
        for (ConfigParser p : kParsers) {
            p(line, cfg, host.Ctx);
        }
        EXPECT_EQ(cfg, before) << line.substr(0, 60);
        EXPECT_EQ(host.Ini.Correction, TGlbIni{}.Correction) << line.substr(0, 60);
        EXPECT_TRUE(host.ModeChanges.empty()) << line.substr(0, 60);
    }
}

TEST(HostileLines, LongValidLinesKeepTheirMeaning) {
    // A valid row followed by a long tail still parses as a row; the tail
    // past the words it needs is ignored.
    Host host;
    XmtrConfig cfg;
    ParseSDI12Configuration("SSX=3,0,0,1,00:15:00,00:00:00,5H," + std::string(5000, 'x'), cfg,
                            host.Ctx);
    EXPECT_EQ(cfg.SDI12[3].Address, "0");
    EXPECT_EQ(cfg.SDI12[3].LogRate, 5);
    ParseTxSetupFields("TCH=95,300," + std::string(5000, '1'), cfg, host.Ctx);
    EXPECT_EQ(cfg.TimedTx.Channel, 95);
}

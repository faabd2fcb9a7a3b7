#include "protocol/GeneralSettings.h"
#include "ConfigFixture.h"

#include <gtest/gtest.h>

#include <functional>

using namespace tavin;
using namespace tavin::testing;

namespace {

struct ParseCase {
    const char* line;
    std::function<void(XmtrConfig&)> expect;
};

void RunParseCases(void (*parser)(std::string_view, XmtrConfig&, ParseContext&),
                   const std::vector<ParseCase>& cases) {
    for (const ParseCase& c : cases) {
        Host host;
        XmtrConfig cfg;
        cfg.General.TimeZoneOffset = 3;
        cfg.General.PlatformIdString = "OLD";
        cfg.General.PowerUpEnable = true;
        cfg.General.InvalidReplaceChar = '$';
        XmtrConfig want = cfg;
        c.expect(want);
        parser(c.line, cfg, host.Ctx);
        EXPECT_EQ(cfg, want) << c.line;
    }
}

} // namespace

TEST(ParseTxTimeSyncOscCalFields, StoresDigitsOnly) {
    RunParseCases(ParseTxTimeSyncOscCalFields,
                  {
                      {"GTS=12", [](XmtrConfig& c) { c.General.GpsTimeSync = 12; }},
                      {"GTC=45", [](XmtrConfig& c) { c.General.GpsTcxoCal = 45; }},
                      {"GOC=0", [](XmtrConfig& c) { c.General.GpsOcxoCal = 0; }},
                      {"GTO=20", [](XmtrConfig& c) { c.General.GpsSyncTimeout = 20; }},
                      {"GTS=", [](XmtrConfig&) {}},
                      {"GTS=-1", [](XmtrConfig&) {}},
                      {"GTO=1O", [](XmtrConfig&) {}},
                      {"GTS=99999999999", [](XmtrConfig&) {}},
                      {"GTS?", [](XmtrConfig&) {}},
                  });
}

TEST(ParseGeneralTxConfiguration, Values) {
    RunParseCases(ParseGeneralTxConfiguration,
                  {
                      {"IRC=#", [](XmtrConfig& c) { c.General.InvalidReplaceChar = '#'; }},
                      {"IRC=", [](XmtrConfig& c) { c.General.InvalidReplaceChar = '\0'; }},
                      {"IRC=ab", [](XmtrConfig&) {}},
                      {"PUE=0", [](XmtrConfig& c) { c.General.PowerUpEnable = false; }},
                      {"PUE=yes", [](XmtrConfig&) {}},
                      {"PIS=.", [](XmtrConfig& c) { c.General.PlatformIdString = ""; }},
                      {"PIS=North, creek =2",
                       [](XmtrConfig& c) { c.General.PlatformIdString = "North, creek =2"; }},
                      {"PIS=ARG=1 SCD=1 PUE=0",
                       [](XmtrConfig& c) { c.General.PlatformIdString = "ARG=1 SCD=1 PUE=0"; }},
                      {"PB1=A", [](XmtrConfig& c) { c.General.PseudoBinaryHeader1 = 'A'; }},
                      {"PB2=B", [](XmtrConfig& c) { c.General.PseudoBinaryHeader2 = 'B'; }},
                      {"PB2=BB", [](XmtrConfig&) {}},
                      {"TXP=7.5,10,0.1",
                       [](XmtrConfig& c) {
                           c.General.TxPower100 = 7.5, c.General.TxPower300 = 10,
                           c.General.TxPower1200 = 0.1;
                       }},
                      {"TXP=7.5,10,0.1,2.5",
                       [](XmtrConfig& c) {
                           c.General.TxPower100 = 7.5, c.General.TxPower300 = 10,
                           c.General.TxPower1200 = 0.1;
                           c.RandomTx.ArgosTxPower = 2.5;
                       }},
                      {"TXP=x,1e3,5", [](XmtrConfig& c) { c.General.TxPower1200 = 5; }},
                      {"TZN=-5", [](XmtrConfig& c) { c.General.TimeZoneOffset = -5; }},
                      {"TZN=+7", [](XmtrConfig& c) { c.General.TimeZoneOffset = 7; }},
                      {"TZN=x", [](XmtrConfig& c) { c.General.TimeZoneOffset = 0; }},
                      {"SFL=1", [](XmtrConfig& c) { c.General.SlashForNull = true; }},
                      {"LGM=1", [](XmtrConfig& c) { c.General.LoggerMode = true; }},
                      {"LGM=on", [](XmtrConfig&) {}},
                      {"PIS?", [](XmtrConfig&) {}},
                  });
}

TEST(ParseGeneralTxConfiguration, PlatformIdStringLongerThan40IsIgnored) {
    Host host;
    XmtrConfig cfg;
    ParseGeneralTxConfiguration("PIS=" + std::string(40, 'x'), cfg, host.Ctx);
    EXPECT_EQ(cfg.General.PlatformIdString, std::string(40, 'x'));
    ParseGeneralTxConfiguration("PIS=" + std::string(41, 'y'), cfg, host.Ctx);
    EXPECT_EQ(cfg.General.PlatformIdString, std::string(40, 'x'));
}

TEST(ParseGeneralTxConfiguration, ArgosAndScdFlagsRederiveTheMode) {
    struct Case {
        const char* line;
        bool argosBefore, scdBefore, argos, scd;
        int mode; // 0: no re-derivation
    };
    for (const Case& c : {
             Case{"ARG=1", false, false, true, false, kTxModeArgos},
             Case{"ARG=1", false, true, true, true, kTxModeArgosScd},
             Case{"ARG=0", true, true, false, false, kTxModeGoes},
             Case{"SCD=1", false, false, true, true, kTxModeArgosScd},
             Case{"SCD=0", true, true, true, false, kTxModeArgos},
             Case{"ARG=x", true, true, true, true, 0},
             Case{"ARG?", false, false, false, false, 0},
         }) {
        Host host;
        XmtrConfig cfg;
        cfg.RandomTx.ArgosEnabled = c.argosBefore;
        cfg.RandomTx.ScdEnabled = c.scdBefore;
        ParseGeneralTxConfiguration(c.line, cfg, host.Ctx);
        EXPECT_EQ(cfg.RandomTx.ArgosEnabled, c.argos) << c.line;
        EXPECT_EQ(cfg.RandomTx.ScdEnabled, c.scd) << c.line;
        if (c.mode) {
            EXPECT_EQ(host.ModeChanges, std::vector<int>{c.mode}) << c.line;
            EXPECT_EQ(host.Ctx.TxMode, c.mode) << c.line;
        } else {
            EXPECT_TRUE(host.ModeChanges.empty()) << c.line;
        }
    }
}

TEST(ConfigGeneralTxSettings, FollowsAdvancedSettingsModeAndSwitches) {
    XmtrConfig cfg;
    auto& g = cfg.General;
    g.TxPower100 = 7.5;
    g.TxPower300 = 10;
    g.TxPower1200 = 0.1;
    g.InvalidReplaceChar = '$';
    g.PowerUpEnable = true;
    g.TimeZoneOffset = -5;
    g.SlashForNull = true;
    cfg.RandomTx.ArgosTxPower = 4;

    Host old(114); // no logger, slash or time zone switches
    EXPECT_EQ(Build(ConfigGeneralTxSettings, cfg, old.Ctx),
              (std::vector<std::string>{"PUE=1", "PIS=.", "PB1=@", "PB2=@"}));

    Host host(130);
    host.Ctx.AdvancedSettings = true;
    g.PlatformIdString = "CREEK, NORTH";
    g.PseudoBinaryHeader2 = '\0';
    EXPECT_EQ(Build(ConfigGeneralTxSettings, cfg, host.Ctx),
              (std::vector<std::string>{"TXP=7.5,10,0.1", "IRC=$", "PUE=1", "PIS=CREEK, NORTH",
                                        "PB1=@", "SFL=1", "TZN=-5"}));
    host.Ctx.TxMode = kTxModeArgos;
    host.Ini.ShowEnableLogger = true;
    host.Utility.SetVersionCode(130, host.Ini, true);
    g.InvalidReplaceChar = '\0';
    EXPECT_EQ(Build(ConfigGeneralTxSettings, cfg, host.Ctx),
              (std::vector<std::string>{"TXP=7.5,10,0.1,4", "PUE=1", "PIS=CREEK, NORTH", "PB1=@",
                                        "LGM=0", "SFL=1", "TZN=-5"}));
}

TEST(ConfigTimeSyncOscCal, AdvancedSettingsAddTheCalibrations) {
    XmtrConfig cfg;
    cfg.General.GpsTimeSync = 12;
    Host host;
    EXPECT_EQ(Build(ConfigTimeSyncOscCal, cfg, host.Ctx), std::vector<std::string>{"GTS=12"});
    host.Ctx.AdvancedSettings = true;
    EXPECT_EQ(Build(ConfigTimeSyncOscCal, cfg, host.Ctx),
              (std::vector<std::string>{"GTS=12", "GTC=90", "GOC=30", "GTO=15"}));
}

TEST(GeneralSettings, BuiltLinesParseBack) {
    Host host(153);
    host.Ctx.AdvancedSettings = true;
    host.Ctx.TxMode = kTxModeArgos;
    host.Ini.ShowEnableLogger = true;
    host.Utility.SetVersionCode(153, host.Ini, true);
    XmtrConfig cfg;
    auto& g = cfg.General;
    g = {true, "A, \"B\" =C", '#', '%', '*', 1.5, 22.25, 99.9, 12, true, true, 999, 1, 2, 30};
    cfg.RandomTx.ArgosTxPower = 0.5;
    XmtrConfig back;
    back.General.LoggerMode = false;
    CommandList out;
    ConfigGeneralTxSettings(cfg, host.Ctx, out);
    ConfigTimeSyncOscCal(cfg, host.Ctx, out);
    for (const auto& l : out.Lines) {
        ParseGeneralTxConfiguration(l, back, host.Ctx);
        ParseTxTimeSyncOscCalFields(l, back, host.Ctx);
    }
    EXPECT_EQ(back.General, cfg.General);
    EXPECT_EQ(back.RandomTx.ArgosTxPower, 0.5);
}

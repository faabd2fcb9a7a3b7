#include "files/ConfigFile.h"
#include "ConfigSamples.h"
#include "TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

using namespace tavin;
using tavin::testing::FileHost;
using tavin::testing::FullConfig;
using tavin::testing::SampleKind;
using tavin::testing::TempFolder;
using ::testing::Contains;
using ::testing::ElementsAreArray;
using ::testing::Not;

namespace {

constexpr int kExtendedFirmware = 153; // every feature switch on
constexpr int kShortFirmware = 115;    // triggers, no extended tables

std::string Text(const std::vector<std::string>& lines) {
    return JoinConfigLines(lines);
}

bool HasPrefix(const std::vector<std::string>& lines, std::string_view prefix) {
    return std::any_of(lines.begin(), lines.end(),
                       [&](const std::string& l) { return l.starts_with(prefix); });
}

// Field-by-field comparison that says which section or row differs.
void ExpectSameModel(const XmtrConfig& got, const XmtrConfig& want) {
    EXPECT_EQ(got.PlatformIdGoes, want.PlatformIdGoes);
    EXPECT_EQ(got.PlatformIdArgos, want.PlatformIdArgos);
    EXPECT_EQ(got.TimedEnabled, want.TimedEnabled);
    EXPECT_EQ(got.RandomEnabled, want.RandomEnabled);
    EXPECT_EQ(got.SensorCountSDI12, want.SensorCountSDI12);
    EXPECT_EQ(got.SensorCountInternal, want.SensorCountInternal);
    EXPECT_TRUE(got.General == want.General) << "general settings";
    EXPECT_TRUE(got.TimedTx == want.TimedTx) << "timed setup";
    EXPECT_TRUE(got.RandomTx == want.RandomTx) << "random setup";
    EXPECT_TRUE(got.TippingBucket == want.TippingBucket) << "tipping bucket";
    EXPECT_EQ(got.Equations, want.Equations);
    const auto rows = [](const char* name, const auto& a, const auto& b) {
        for (std::size_t i = 0; i < a.size(); ++i) {
            EXPECT_TRUE(a[i] == b[i]) << name << " row " << i;
        }
    };
    rows("SDI-12", got.SDI12, want.SDI12);
    rows("internal", got.Internal, want.Internal);
    rows("min/max/avg", got.MinMaxAvg, want.MinMaxAvg);
    rows("timed format", got.TimedData, want.TimedData);
    rows("random format", got.RandomData, want.RandomData);
    rows("trigger", got.RandomTriggers, want.RandomTriggers);
    EXPECT_TRUE(got == want);
}

// ---------------------------------------------------------------------------
// Round trips: every table in use, GOES and both ARGOS modes, with and
// without the extended tables, as files and as templates.

struct RoundTrip {
    const char* name;
    int firmware;
    bool advanced;
    int txMode;
    bool asTemplate;
};

void PrintTo(const RoundTrip& r, std::ostream* os) {
    *os << r.name;
}

class ConfigFileRoundTrip : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(ConfigFileRoundTrip, ModelToFileToModelIsExact) {
    const RoundTrip& p = GetParam();
    FileHost saver(p.firmware, p.advanced, p.txMode);
    const XmtrConfig original = FullConfig(saver, SampleKind{p.txMode, p.asTemplate});
    TempFolder dir;
    const std::string path = dir.File(p.asTemplate ? "setup.tpl" : "setup.txt");
    ASSERT_TRUE(SaveConfigFile(path, original, saver.Ctx, p.asTemplate).Ok);

    FileHost loader(p.firmware, p.advanced);
    XmtrConfig loaded;
    const ConfigFileResult result = LoadConfigFile(path, loaded, loader.Ctx, p.asTemplate);
    ASSERT_TRUE(result.Ok) << result.Error;
    ExpectSameModel(loaded, original);
    EXPECT_EQ(loader.Ctx.TxMode, p.txMode);
    EXPECT_TRUE(loader.Queued.empty()) << "a file load queued " << loader.Queued.front();

    // The reopened model saves to the same bytes.
    const std::string again = dir.File("again");
    ASSERT_TRUE(SaveConfigFile(again, loaded, loader.Ctx, p.asTemplate).Ok);
    EXPECT_EQ(TempFolder::Read(again), TempFolder::Read(path));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ConfigFileRoundTrip,
    ::testing::Values(
        RoundTrip{"GoesExtended", kExtendedFirmware, true, kTxModeGoes, false},
        RoundTrip{"GoesShort", kShortFirmware, true, kTxModeGoes, false},
        RoundTrip{"GoesNoAdvanced", kExtendedFirmware, false, kTxModeGoes, false},
        RoundTrip{"ArgosExtended", kExtendedFirmware, true, kTxModeArgos, false},
        RoundTrip{"ArgosShort", kShortFirmware, true, kTxModeArgos, false},
        RoundTrip{"ArgosScdExtended", kExtendedFirmware, true, kTxModeArgosScd, false},
        RoundTrip{"ArgosScdShort", kShortFirmware, false, kTxModeArgosScd, false},
        RoundTrip{"GoesTemplate", kExtendedFirmware, true, kTxModeGoes, true},
        RoundTrip{"GoesShortTemplate", kShortFirmware, true, kTxModeGoes, true},
        RoundTrip{"ArgosTemplate", kExtendedFirmware, true, kTxModeArgos, true},
        RoundTrip{"ArgosScdShortTemplate", kShortFirmware, true, kTxModeArgosScd, true}),
    [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------
// The line order and its conditions.

TEST(ConfigFileLines, GoesExtendedFileInFullOrder) {
    FileHost h(kExtendedFirmware, true);
    XmtrConfig c;
    c.PlatformIdGoes = "1234ABCE";
    c.TimedTx.Channel = 95;
    c.TimedTx.BitRate = 1;
    c.TimedTx.Interval = "01:00:00"; // kept as held
    c.TimedTx.DataSource = 1;
    c.TimedTx.OpFlags[0] = c.TimedTx.OpFlags[7] = true;
    c.RandomTx.Channel = 120;
    c.RandomTx.DataSource = 1;
    c.General.PowerUpEnable = true;
    c.General.InvalidReplaceChar = '$';
    c.General.TxPower100 = 2.5;
    c.General.TxPower300 = 7;
    c.General.TxPower1200 = 10.1;
    c.General.TimeZoneOffset = -5;
    c.General.PseudoBinaryHeader2 = '\0';
    c.SDI12[0].Address = "0";
    c.SDI12[0].Interval = "00:15:00";
    c.SDI12[0].Label = "LVL";
    c.SDI12[1].Append = true;
    c.SDI12[1].Value = 2;
    c.SDI12[3].Address = "3"; // after the gap at row 2: never saved
    c.Internal[0].Type = "BV";
    c.Internal[0].Interval = "01:00:00";
    c.MinMaxAvg[0] = {'S', 0, "01:00:00", "00:00:00", true, false, true, false};
    c.Equations = {"S0*2"};
    c.TimedData[0] = {'H', 0, 1, 0, 0, "", 0, 0, ""};
    c.TimedData[1] = {'S', 0, 1, kStatMin, 6, "LN", 1, 0, ""};
    c.RandomData[0] = {'T', 0, 0, 0, 0, "", 0, 0, "ALARM"};
    c.RandomTriggers[0] = {'S', 0, 'H', 25.5};
    const std::vector<std::string> want = {
        "ARG=0",
        "NID=1234ABCE",
        "TCH=95,300",
        "TTI=01:00:00",
        "FTT=00:00:00",
        "TWL=30",
        "TOF=81",
        "TPR=Short",
        "TIL=None",
        "TDF=ASCII",
        "TDS=Sensor",
        "TDO=Newest",
        "ARG=0",
        "RCH=120,100",
        "RIN=15",
        "RPC=50",
        "RRC=3",
        "RIL=None",
        "RDF=ASCII",
        "RDS=Sensor",
        "RDO=Newest",
        "ROF=00",
        "PUE=1",
        "GTS=0",
        "GTC=90",
        "GOC=30",
        "GTO=15",
        "TXP=2.5,7.0,10.1",
        "IRC=$",
        "SFL=0",
        "LGM=0",
        "TZN=-5",
        "SSN=10",
        "ISN=5",
        "TPN=2",
        "RPN=1",
        "RTN=1",
        "EQN=0,S0*2",
        "SSX=0,0,0,1,00:15:00,00:00:00,1",
        "SSX=1,&,&,2,1",
        "SLX=0,LVL",
        "ISX=0,BV,01:00:00,00:00:00,1",
        "TBA=0",
        "TBR=0",
        "TBM=0.02",
        "MMN=1",
        "MMA=0,S0,01:00:00,00:00:00,NG",
        "PIS=.",
        "PB1=@",
        "PB2=INV",
        "TDP=0,H0",
        "TDP=1,S0,1N,6,LN",
        "RDP=0,T,\"ALARM\"",
        "RRT=0,H,S0,25.5",
        "CFS",
    };
    EXPECT_THAT(CreateConfigData(c, h.Ctx), ElementsAreArray(want));
}

TEST(ConfigFileLines, ArgosFileCarriesTheArgosSettingsAndTheDataPack) {
    FileHost h(kExtendedFirmware, true, kTxModeArgosScd);
    XmtrConfig c;
    c.PlatformIdArgos = "ABCDE";
    c.PlatformIdGoes = "1234ABCE";
    c.RandomTx.ArgosEnabled = c.RandomTx.ScdEnabled = true;
    c.RandomTx.ArgosChannel = "D17+S55";
    c.RandomTx.ArgosInterval = 90;
    c.RandomTx.ArgosRepeatCount = 4;
    c.RandomTx.ArgosTxPower = 3.5;
    c.RandomTx.ArgosDataPack[0] = 5;
    c.RandomTx.ArgosDataPack[1] = 7;
    c.RandomTx.ArgosDataPack[3] = 9; // behind the zero entry that ends the pack
    const auto lines = CreateConfigData(c, h.Ctx);
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[0], "ARG=1");
    EXPECT_EQ(lines[1], "SCD=1");
    EXPECT_EQ(lines[2], "AID=ABCDE");
    EXPECT_THAT(lines, Not(Contains("NID=1234ABCE")));
    const auto rch = std::find(lines.begin(), lines.end(), "RCH=D17+S55,400");
    ASSERT_NE(rch, lines.end());
    EXPECT_EQ(*(rch + 1), "RIN=90");
    EXPECT_EQ(*(rch + 2), "RPC=10");
    EXPECT_EQ(*(rch + 3), "RRC=4");
    EXPECT_EQ(*(rch + 4), "RDF=ASCII"); // no RIL line in ARGOS mode
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "ARG=0"), 0);
    EXPECT_THAT(lines, Contains("TXP=0.0,0.0,0.0,3.5"));
    const std::vector<std::string> tail(lines.end() - 3, lines.end());
    EXPECT_THAT(tail, ElementsAreArray({"ADP=0,5", "ADP=1,7", "CFS"}));

    // With sensor data the pack is not part of the file.
    c.RandomTx.DataSource = 1;
    EXPECT_FALSE(HasPrefix(CreateConfigData(c, h.Ctx), "ADP="));
}

TEST(ConfigFileLines, ConditionsOfTheFeatureSwitches) {
    struct Case {
        const char* name;
        int firmware;
        bool advanced;
        std::vector<std::string> present;
        std::vector<std::string> absent;
    };
    const Case cases[] = {
        {"old firmware, plain settings",
         111,
         false,
         {"SS0=0,0,1,00:15:00,00:00:00,1", "IS0=3,01:00:00,00:00:00,1"},
         {"SFL=", "LGM=", "TZN=", "SSN=", "ISN=", "TPN=", "RPN=", "RTN=", "EQN=", "SLX=", "SL0",
          "IL0", "MMN=", "MMA=", "GTC=", "TXP=", "IRC="}},
        {"1.15: slash for null, logger, triggers",
         115,
         false,
         {"SFL=0", "LGM=0", "SS0=0,0,1,00:15:00,00:00:00,1H", "IS0=3,01:00:00,00:00:00,1L"},
         {"TZN=", "SSN=", "EQN=", "SLX=", "MMN="}},
        {"1.30: extended tables",
         130,
         true,
         {"SSN=10", "MMN=1", "TZN=0", "EQN=0,S0", "SSX=0,0,0,1,00:15:00,00:00:00,1H",
          "ISX=0,TV,01:00:00,00:00:00,1L", "SLX=0,ABC", "IL0=LBL0", "GTC=90", "TXP=0.0,0.0,0.0"},
         {}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        FileHost h(k.firmware, k.advanced);
        XmtrConfig c;
        c.SDI12[0] = {true, false,      "ABC",      "0", "0",   false,
                      1,    "00:15:00", "00:00:00", 1,   false, kTrigHigh};
        c.Internal[0].Type = k.firmware >= 130 ? "TV" : "3";
        c.Internal[0].Interval = "01:00:00";
        c.Internal[0].Trig = kTrigLow;
        c.Internal[0].Label = "LBL0";
        c.Equations = {"S0"};
        const auto lines = CreateConfigData(c, h.Ctx);
        for (const std::string& line : k.present) {
            EXPECT_THAT(lines, Contains(line));
        }
        for (const std::string& prefix : k.absent) {
            EXPECT_FALSE(HasPrefix(lines, prefix)) << prefix;
        }
    }
}

TEST(ConfigFileLines, TablesStopAtTheirSizeForTheFirmware) {
    struct Case {
        int firmware;
        std::size_t sdi, timed, random, triggers;
    };
    for (const Case k : {Case{115, 10, 20, 20, 15}, Case{130, 64, 100, 40, 30}}) {
        SCOPED_TRACE(k.firmware);
        FileHost h(k.firmware, false);
        XmtrConfig c;
        c.RandomTx.DataSource = 1;
        for (auto& s : c.SDI12) {
            s.Address = "1";
        }
        for (auto& i : c.Internal) {
            i.Type = "3";
        }
        for (auto& d : c.TimedData) {
            d = {'S', 0, 1, 0, 4, "", 0, 0, ""};
        }
        for (auto& d : c.RandomData) {
            d = {'S', 0, 1, 0, 4, "", 0, 0, ""};
        }
        for (auto& t : c.RandomTriggers) {
            t = {'S', 0, 'H', 1};
        }
        const auto lines = CreateConfigData(c, h.Ctx);
        // Rows in the X form ("SSX=3,...") or the short form ("SS3=...").
        const auto count = [&](std::string_view xForm, std::string_view prefix) {
            return static_cast<std::size_t>(
                std::count_if(lines.begin(), lines.end(), [&](const std::string& l) {
                    return l.starts_with(xForm) ||
                           (l.starts_with(prefix) && l.size() > prefix.size() &&
                            std::isdigit(static_cast<unsigned char>(l[prefix.size()])));
                }));
        };
        EXPECT_EQ(count("SSX=", "SS"), k.sdi);
        EXPECT_EQ(count("ISX=", "IS"), 64u);
        EXPECT_EQ(count("TDP=", "TDP="), k.timed);
        EXPECT_EQ(count("RDP=", "RDP="), k.random);
        EXPECT_EQ(count("RRT=", "RRT="), k.triggers);
    }
}

TEST(ConfigFileLines, TemplateBodyLeavesOutTheStationLines) {
    for (int mode : {kTxModeGoes, kTxModeArgos}) {
        FileHost h(kExtendedFirmware, true, mode);
        XmtrConfig c = FullConfig(h, SampleKind{mode, false});
        const auto lines = CreateTemplateData(c, h.Ctx);
        EXPECT_FALSE(HasPrefix(lines, "NID="));
        EXPECT_FALSE(HasPrefix(lines, "AID="));
        EXPECT_FALSE(HasPrefix(lines, "PIS="));
        EXPECT_THAT(lines, Not(Contains("CFS")));
        EXPECT_TRUE(HasPrefix(lines, "TCH=95,"));
        EXPECT_TRUE(HasPrefix(lines, "RCH="));
        EXPECT_TRUE(HasPrefix(lines, "FTT=00:12:30"));
        // The configuration file is the template body with the station lines.
        const auto file = CreateConfigData(c, h.Ctx);
        EXPECT_EQ(file.size(), lines.size() + 3);
        EXPECT_EQ(file.back(), "CFS");
    }
}

TEST(ConfigFileLines, NewTemplateDefaults) {
    FileHost h(kExtendedFirmware, true);
    XmtrConfig c = FullConfig(h, SampleKind{});
    NewTemplate(c, h.Ctx);
    EXPECT_EQ(c.TimedTx, TTimedTxParams{});
    EXPECT_FALSE(c.SDI12[0].IsDefined());
    EXPECT_TRUE(c.General.PowerUpEnable);
    EXPECT_TRUE(c.General.SlashForNull);
    EXPECT_EQ(c.General.InvalidReplaceChar, '$');
    const auto lines = CreateTemplateData(c, h.Ctx);
    EXPECT_THAT(lines, Contains("PB1=@"));
    EXPECT_THAT(lines, Contains("PB2=@"));
    EXPECT_THAT(lines, Contains("PUE=1"));
    EXPECT_THAT(lines, Contains("SFL=1"));
    EXPECT_THAT(lines, Contains("IRC=$"));
}

// ---------------------------------------------------------------------------
// Reading.

TEST(ConfigFileRead, OnlyATimedChannelLeavesEverythingElseCleared) {
    FileHost h(kExtendedFirmware, true);
    XmtrConfig c = FullConfig(h, SampleKind{});
    c.RandomTx.ArgosDataPack[0] = 9;
    const XmtrConfig before = c;
    LoadConfigText("TCH=95,300\r\n", c, h.Ctx, false);

    XmtrConfig want; // cleared, with what a load keeps
    want.TimedTx.Channel = 95;
    want.TimedTx.BitRate = 1;
    want.TimedEnabled = true;
    want.MinMaxAvg = before.MinMaxAvg;
    want.RandomTx.ArgosDataPack = before.RandomTx.ArgosDataPack;
    want.General.LoggerMode = before.General.LoggerMode;
    want.SensorCountSDI12 = before.SensorCountSDI12;
    want.SensorCountInternal = before.SensorCountInternal;
    want.PlatformIdGoes = before.PlatformIdGoes;
    ExpectSameModel(c, want);
}

TEST(ConfigFileRead, LineEndsOfEveryKindReadAlike) {
    FileHost h(kExtendedFirmware, true);
    const std::vector<std::string> lines = CreateConfigData(FullConfig(h, SampleKind{}), h.Ctx);
    const auto join = [&](const char* eol, bool finalEol) {
        std::string s;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            s += lines[i];
            if (i + 1 < lines.size() || finalEol) {
                s += eol;
            }
        }
        return s;
    };
    XmtrConfig reference;
    FileHost r(kExtendedFirmware, true);
    LoadConfigText(join("\r\n", true), reference, r.Ctx, false);
    struct Case {
        const char* name;
        std::string text;
    };
    std::string mixed;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        mixed += lines[i] + (i % 3 == 0 ? "\n" : i % 3 == 1 ? "\r" : "\r\n\r\n");
    }
    const Case cases[] = {
        {"LF", join("\n", true)},
        {"CR", join("\r", true)},
        {"CRLF without a final line end", join("\r\n", false)},
        {"blank lines and mixed ends", mixed},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        FileHost l(kExtendedFirmware, true);
        XmtrConfig c;
        LoadConfigText(k.text, c, l.Ctx, false);
        EXPECT_TRUE(c == reference);
    }
}

TEST(ConfigFileRead, PlatformIdLines) {
    struct Case {
        const char* name;
        const char* text;
        bool templateMode;
        const char* goes;
        const char* argos;
    };
    const Case cases[] = {
        {"both ids", "NID=1234ABCE\r\nAID=ABCDE\r\n", false, "1234ABCE", "ABCDE"},
        {"template mode ignores them", "NID=1234ABCE\r\nAID=ABCDE\r\n", true, "old", "oldA"},
        {"a station name is not an id", "PIS=SITE NID=99\r\n", false, "old", "oldA"},
        {"an equation is not an id", "EQN=0,AID=1\r\n", false, "old", "oldA"},
        {"an empty id", "NID=\r\n", false, "", "oldA"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        FileHost h(kExtendedFirmware, false);
        XmtrConfig c;
        c.PlatformIdGoes = "old";
        c.PlatformIdArgos = "oldA";
        ParseFileData(k.text, c, h.Ctx, k.templateMode);
        EXPECT_EQ(c.PlatformIdGoes, k.goes);
        EXPECT_EQ(c.PlatformIdArgos, k.argos);
    }
}

TEST(ConfigFileRead, SingleFieldsThatAFileSpellsItsOwnWay) {
    struct Case {
        const char* name;
        const char* text;
        bool (*check)(const XmtrConfig&);
    };
    const Case cases[] = {
        {"PIS=. is an empty id string", "PIS=.\r\n",
         [](const XmtrConfig& c) { return c.General.PlatformIdString.empty(); }},
        {"PB1=INV is an empty header character", "PB1=INV\r\nPB2=INV\r\n",
         [](const XmtrConfig& c) {
             return c.General.PseudoBinaryHeader1 == '\0' && c.General.PseudoBinaryHeader2 == '\0';
         }},
        {"CFS alone leaves the cleared model", "CFS",
         [](const XmtrConfig& c) { return c == XmtrConfig{}; }},
        {"=CLEAR lines and unknown commands are ignored", "SSX=CLEAR\r\nFOO=1\r\nTWL=45\r\n",
         [](const XmtrConfig& c) { return c.TimedTx.WindowLength == 45; }},
        {"ARG=1 first puts RIN and RRC in the ARGOS fields", "ARG=1\r\nRIN=120\r\nRRC=6\r\n",
         [](const XmtrConfig& c) {
             return c.RandomTx.ArgosInterval == 120 && c.RandomTx.ArgosRepeatCount == 6 &&
                    c.RandomTx.Interval == 15;
         }},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        FileHost h(kExtendedFirmware, true);
        XmtrConfig c;
        LoadConfigText(k.text, c, h.Ctx, false);
        EXPECT_TRUE(k.check(c));
    }
}

TEST(ConfigFileRead, TablesALoadKeepsAreReplacedWholeWhenTheFileCarriesThem) {
    FileHost h(kExtendedFirmware, true, kTxModeArgos);
    XmtrConfig c;
    for (int i = 0; i < 3; ++i) {
        c.MinMaxAvg[i] = {'S', i, "01:00:00", "00:00:00", true, false, false, false};
        c.RandomTx.ArgosDataPack[i] = 10;
    }
    // A file without them keeps them.
    LoadConfigText("TCH=95,300\r\n", c, h.Ctx, false);
    EXPECT_EQ(c.DefinedMinMaxAvgCount(), 3);
    EXPECT_EQ(c.RandomTx.ArgosDataPack[2], 10);
    // A file with one row of each does not leave the old rows behind it.
    LoadConfigText("ARG=1\r\nMMN=1\r\nMMA=0,I2,00:30:00,00:00:00,X\r\nADP=0,7\r\n", c, h.Ctx,
                   false);
    EXPECT_EQ(c.DefinedMinMaxAvgCount(), 1);
    EXPECT_EQ(c.MinMaxAvg[0].SourceType, 'I');
    EXPECT_EQ(c.RandomTx.ArgosDataPack[0], 7);
    EXPECT_EQ(c.RandomTx.ArgosDataPack[1], 0);
}

TEST(ConfigFileRead, LoadingDoesNotTalkToTheTransmitter) {
    FileHost h(kExtendedFirmware, true, kTxModeArgos);
    h.Ctx.InternalSensorTestOn = true;
    std::vector<std::string> testOutput;
    h.Ctx.AppendTestOutput = [&](std::string_view l) { testOutput.emplace_back(l); };
    XmtrConfig c;
    LoadConfigText("ARG=1\r\nRDS=RS-232\r\nIS0=3,01:00:00,00:00:00,1\r\n", c, h.Ctx, false);
    EXPECT_TRUE(h.Queued.empty());
    EXPECT_TRUE(testOutput.empty());
    EXPECT_EQ(c.Internal[0].Type, "3");
    EXPECT_TRUE(h.Ctx.InternalSensorTestOn) << "the caller's context is left as it was";
}

TEST(ConfigFileRead, LoadDerivesTheEnableSwitchesAndTheMode) {
    struct Case {
        const char* text;
        bool timed, random;
        int mode;
    };
    const Case cases[] = {
        {"TCH=0,100\r\nRCH=0,100\r\n", false, false, kTxModeGoes},
        {"TCH=12,100\r\nRCH=0,100\r\n", true, false, kTxModeGoes},
        {"ARG=1\r\nSCD=1\r\nRCH=D17+S55,400\r\n", false, true, kTxModeArgosScd},
        {"ARG=1\r\nSCD=0\r\nRCH=3,300\r\n", false, true, kTxModeArgos},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.text);
        FileHost h(kExtendedFirmware, true);
        XmtrConfig c;
        LoadConfigText(k.text, c, h.Ctx, false);
        EXPECT_EQ(c.TimedEnabled, k.timed);
        EXPECT_EQ(c.RandomEnabled, k.random);
        EXPECT_EQ(h.Ctx.TxMode, k.mode);
    }
}

TEST(ConfigFileRead, ATemplateWithSensorDataSwitchesTheSensorsOn) {
    struct Case {
        const char* text;
        bool asTemplate;
        bool present;
    };
    const Case cases[] = {
        {"TDS=Sensor\r\n", true, true},
        {"RDS=Sensor\r\n", true, true},
        {"TDS=RS-232\r\nRDS=RS-232\r\n", true, false},
        {"TDS=Sensor\r\n", false, false},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.text);
        FileHost h(kExtendedFirmware, true);
        XmtrConfig c;
        c.SDI12Present = c.InternalPresent = false;
        LoadConfigText(k.text, c, h.Ctx, k.asTemplate);
        EXPECT_EQ(c.SDI12Present, k.present);
        EXPECT_EQ(c.InternalPresent, k.present);
    }
}

// ---------------------------------------------------------------------------
// Hostile files: nothing crashes, nothing hangs, a refused file changes nothing.

TEST(ConfigFileHostile, GarbageLoadsAndTheGoodLinesStillCount) {
    static constexpr char kNulLines[] = "TWL=4\0"
                                        "5\r\nTCH=95,300\r\n";
    std::mt19937 rng(5);
    std::string binary(1 << 20, '\0');
    for (char& b : binary) {
        b = static_cast<char>(rng());
    }
    struct Case {
        const char* name;
        std::string text;
    };
    const Case cases[] = {
        {"binary bytes", binary + "\nTCH=95,300\n"},
        {"NUL bytes inside lines", std::string(kNulLines, sizeof kNulLines - 1)},
        {"100,000-character lines",
         "PIS=" + std::string(100000, 'x') + "\r\nEQN=0," + std::string(100000, '(') +
             "\r\nSSX=0," + std::string(100000, '0') + "\r\nTDP=0,T,\"" + std::string(100000, '"') +
             "\r\n" + std::string(100000, ',') + "\r\nTCH=95,300"},
        {"only separators", std::string(100000, '\r') + "TCH=95,300" + std::string(1000, '\n')},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        FileHost h(kExtendedFirmware, true);
        XmtrConfig c;
        LoadConfigText(k.text, c, h.Ctx, false);
        EXPECT_EQ(c.TimedTx.Channel, 95);
        EXPECT_LE(c.General.PlatformIdString.size(), 40u);
        // Whatever was read saves and reads back the same.
        const std::string saved = Text(CreateConfigData(c, h.Ctx));
        XmtrConfig again;
        FileHost h2(kExtendedFirmware, true);
        LoadConfigText(saved, again, h2.Ctx, false);
        EXPECT_EQ(Text(CreateConfigData(again, h2.Ctx)), saved);
    }
}

TEST(ConfigFileHostile, RefusedFilesLeaveTheModelAsItWas) {
    TempFolder dir;
    const std::string huge = dir.File("huge.txt");
    {
        // 50 MB without writing 50 MB: a sparse file.
        TempFolder::Write(huge, "TCH=1,100\r\n");
        ASSERT_EQ(truncate(huge.c_str(), 50 << 20), 0);
    }
    const std::string atLimit = dir.File("limit.txt");
    TempFolder::Write(atLimit, "TCH=1,100\r\n");
    ASSERT_EQ(truncate(atLimit.c_str(), kMaxConfigFileBytes + 1), 0);
    struct Case {
        const char* name;
        std::string path;
        const char* says;
    };
    const Case cases[] = {
        {"50 MB", huge, "too large"},
        {"one byte over the limit", atLimit, "too large"},
        {"missing", dir.File("none.txt"), "Cannot open"},
        {"a folder", dir.Path(), "not a regular file"},
        {"a device", "/dev/zero", "not a regular file"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        FileHost h(kExtendedFirmware, true, kTxModeArgos);
        XmtrConfig c = FullConfig(h, SampleKind{kTxModeArgos, false});
        const XmtrConfig before = c;
        const ConfigFileResult r = LoadConfigFile(k.path, c, h.Ctx);
        EXPECT_FALSE(r.Ok);
        EXPECT_THAT(r.Error, ::testing::HasSubstr(k.says));
        EXPECT_THAT(r.Error, ::testing::HasSubstr(k.path));
        EXPECT_TRUE(c == before);
        EXPECT_EQ(h.Ctx.TxMode, kTxModeArgos);
        EXPECT_TRUE(h.ModeChanges.empty());
    }
}

TEST(ConfigFileHostile, ALargeFileWithinTheLimitLoads) {
    // Megabytes of unknown commands before one real line.
    std::string text;
    text.reserve(2u << 20);
    while (text.size() < (2u << 20)) {
        text += "XYZ=padding,padding,padding\r\n";
    }
    text += "TCH=95,300\r\n";
    TempFolder dir;
    TempFolder::Write(dir.File("big.txt"), text);
    FileHost h(kExtendedFirmware, true);
    XmtrConfig c;
    const ConfigFileResult r = LoadConfigFile(dir.File("big.txt"), c, h.Ctx);
    ASSERT_TRUE(r.Ok) << r.Error;
    EXPECT_EQ(c.TimedTx.Channel, 95);
}

// ---------------------------------------------------------------------------
// Saving.

TEST(ConfigFileSave, WritesCrlfLinesEndingWithCfs) {
    FileHost h(kExtendedFirmware, true);
    TempFolder dir;
    ASSERT_TRUE(SaveConfigFile(dir.File("a.txt"), FullConfig(h, SampleKind{}), h.Ctx).Ok);
    const std::string bytes = TempFolder::Read(dir.File("a.txt"));
    ASSERT_TRUE(bytes.ends_with("\r\nCFS\r\n"));
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n') {
            ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << "bare LF at " << i;
        }
        if (bytes[i] == '\r') {
            ASSERT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << "bare CR at " << i;
        }
    }
    EXPECT_EQ(dir.EntryCount(), 1u);
}

TEST(ConfigFileSave, AFailedSaveReportsAndKeepsTheOldFile) {
    FileHost h(kExtendedFirmware, true);
    const XmtrConfig c = FullConfig(h, SampleKind{});
    TempFolder dir;
    TempFolder::Write(dir.File("plain"), "not a folder");
    struct Case {
        const char* name;
        std::string path;
    };
    const Case cases[] = {
        {"missing folder", dir.File("missing/a.txt")},
        {"a file in the way of the folder", dir.File("plain/a.txt")},
        {"a folder in the way of the file", dir.Path()},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        const ConfigFileResult r = SaveConfigFile(k.path, c, h.Ctx);
        EXPECT_FALSE(r.Ok);
        EXPECT_FALSE(r.Error.empty());
    }
    EXPECT_EQ(TempFolder::Read(dir.File("plain")), "not a folder");
}

TEST(ConfigFileSave, ReadOnlyFolderKeepsTheOldFile) {
    TempFolder dir;
    const std::string f = dir.File("keep.txt");
    TempFolder::Write(f, "OLD\r\n");
    ASSERT_EQ(chmod(dir.Path().c_str(), 0555), 0);
    if (access(dir.Path().c_str(), W_OK) == 0) {
        chmod(dir.Path().c_str(), 0755);
        GTEST_SKIP() << "this user may write into read-only folders (root)";
    }
    FileHost h(kExtendedFirmware, true);
    const ConfigFileResult r = SaveConfigFile(f, FullConfig(h, SampleKind{}), h.Ctx);
    chmod(dir.Path().c_str(), 0755);
    EXPECT_FALSE(r.Ok);
    EXPECT_THAT(r.Error, ::testing::HasSubstr("keep.txt"));
    EXPECT_EQ(TempFolder::Read(f), "OLD\r\n");
    EXPECT_EQ(dir.EntryCount(), 1u);
}

} // namespace

#include "cli/ConfigCommand.h"
#include "cli/ConfigJson.h"
#include "files/ConfigFile.h"
#include "files/ConfigSamples.h"
#include "files/TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QJsonDocument>

#include <filesystem>
#include <sstream>
#include <unistd.h>

using namespace tavin;
using tavin::testing::FileHost;
using tavin::testing::FullConfig;
using tavin::testing::SampleKind;
using tavin::testing::TempFolder;
using ::testing::HasSubstr;

namespace {

struct Outcome {
    int code = -1;
    std::string out;
    std::string err;
};

// Runs "tavin-cli config ..." with the preferences file of the folder.
class ConfigCommand : public ::testing::Test {
protected:
    TempFolder dir;
    std::string ini = dir.File("tavin-utility.ini");

    void SetUp() override {
        // The preferences the sample configurations are made for.
        TempFolder::Write(ini, "[CONFIG]\r\nTAVINVersion=1.53\r\nShowEnableLogger=1\r\n"
                               "[OFFLINE]\r\nVectorAverage=1\r\n");
    }

    Outcome Config(std::vector<std::string> args) {
        std::ostringstream out, err;
        Outcome r;
        r.code = RunConfigCommand(args, out, err, ini);
        r.out = out.str();
        r.err = err.str();
        return r;
    }

    std::string Write(const std::string& name, const std::string& text) {
        TempFolder::Write(dir.File(name), text);
        return dir.File(name);
    }
};

TEST_F(ConfigCommand, WriteThenJsonGivesTheDocumentBack) {
    struct Case {
        int mode;
        bool asTemplate;
    };
    for (const Case k :
         {Case{kTxModeGoes, false}, Case{kTxModeArgos, false}, Case{kTxModeArgosScd, true}}) {
        SCOPED_TRACE(k.mode);
        FileHost h(153, true, k.mode);
        const QJsonObject doc = ConfigToJson(FullConfig(h, SampleKind{k.mode, k.asTemplate}));
        const std::string json =
            Write("in.json", QJsonDocument(doc).toJson(QJsonDocument::Compact).toStdString());
        std::vector<std::string> write = {"write", json, "-o", dir.File("out.txt"), "--advanced"};
        std::vector<std::string> read = {"json", dir.File("out.txt"), "--advanced"};
        if (k.asTemplate) {
            write.push_back("--template");
            read.push_back("--template");
        }
        const Outcome w = Config(write);
        ASSERT_EQ(w.code, 0) << w.err;
        const Outcome r = Config(read);
        ASSERT_EQ(r.code, 0) << r.err;
        const QJsonObject back = QJsonDocument::fromJson(QByteArray::fromStdString(r.out)).object();
        EXPECT_EQ(back, doc) << r.out;
        // The file is the one the utility itself saves for that model.
        XmtrConfig model;
        QString error;
        ASSERT_TRUE(ConfigFromJson(doc, model, error));
        const std::vector<std::string> lines =
            k.asTemplate ? CreateTemplateData(model, h.Ctx) : CreateConfigData(model, h.Ctx);
        EXPECT_EQ(TempFolder::Read(dir.File("out.txt")), JoinConfigLines(lines));
    }
}

TEST_F(ConfigCommand, WriteStartsFromTheClearedModel) {
    const std::string json = Write("in.json", R"({"TimedTx":{"Channel":12}})");
    ASSERT_EQ(Config({"write", json, "-o", dir.File("out.txt")}).code, 0);
    const std::string text = TempFolder::Read(dir.File("out.txt"));
    EXPECT_THAT(text, HasSubstr("\r\nTCH=12,100\r\n"));
    EXPECT_THAT(text, HasSubstr("\r\nTWL=30\r\n"));
    EXPECT_TRUE(text.ends_with("\r\nCFS\r\n"));
}

TEST_F(ConfigCommand, CheckReportsTheFirstErrorAndWhereItIs) {
    // Timed on, sensor data, one SDI-12 sensor and one message field.
    const std::string good = "TCH=95,300\r\nTTI=00:01:00:00\r\nTDS=Sensor\r\n"
                             "SSX=0,0,0,1,00:15:00,00:00:00,1\r\nTDP=0,S0,1,6\r\n";
    struct Case {
        const char* name;
        std::string text;
        std::vector<std::string> extra;
        int code;
        std::string out;
    };
    const Case cases[] = {
        {"valid", good, {}, 0, "Local Configuration OK\n"},
        {"valid template", good, {"--template"}, 0, "Template OK\n"},
        {"short interval",
         good + "TTI=00:00:04:59\r\n",
         {},
         1,
         "Local Configuration Error\nInvalid Time\nPage: TabTxSetup\nControl: TimedTxInterval\n"},
        {"template error",
         good + "TTI=00:00:04:59\r\n",
         {"--template"},
         1,
         "Template Error\nInvalid Time\nPage: TabTxSetup\nControl: TimedTxInterval\n"},
        {"zero sensor interval in row 1",
         good + "SSX=1,1,0,1,00:00:00,00:00:00,1\r\n",
         {},
         1,
         "Local Configuration Error\nInvalid Interval\nPage: TabSDI12\nControl: GridSDI12\n"
         "Row: 1\n"},
        {"empty header character",
         good + "PB2=INV\r\n",
         {},
         1,
         "Local Configuration Error\nInvalid Data\nPage: TabGeneralTxConfiguration\n"
         "Control: PB2\n"},
        {"advanced: no invalid character replacement",
         good,
         {"--advanced"},
         1,
         "Local Configuration Error\nInvalid Data\nPage: TabGeneralTxConfiguration\n"
         "Control: EdtInvalidReplace\n"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        std::vector<std::string> args = {"check", Write("c.txt", k.text)};
        args.insert(args.end(), k.extra.begin(), k.extra.end());
        const Outcome r = Config(args);
        EXPECT_EQ(r.code, k.code) << r.err;
        EXPECT_EQ(r.out, k.out);
    }
}

TEST_F(ConfigCommand, StatsAsTextAndAsJson) {
    std::string goes = "TCH=150,100\r\nTPR=Short\r\nRCH=10,300\r\nRIL=Long\r\n"
                       "TDP=0,T,\"ABCDEFGHIJ\"\r\nTDP=1,T,\"ABCDEFGHIJ\"\r\n";
    for (int i = 0; i < 18; ++i) {
        goes += "RDP=" + std::to_string(i) + ",T,\"ABCDEFGHIJ\"\r\n";
    }
    goes += "RDP=18,T,\"ABCDEFGH\"\r\n"; // 188 bytes: the long interleaver holds 192
    const std::string argos = "ARG=1\r\nSCD=0\r\nAID=ABC\r\nRCH=D17+S55,400\r\nRDS=RS-232\r\n"
                              "ADP=0,32\r\n";
    Outcome r = Config({"stats", Write("g.txt", goes), "--json"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "{\"Timed\":{\"BufferLength\":20,\"MsgLength\":25,\"Duration\":3.120},"
                     "\"Random\":{\"BufferLength\":188,\"MsgLength\":192,\"Duration\":5.740},"
                     "\"Argos\":{\"BufferBits\":0,\"MsgBits\":28,\"Duration\":0.300}}\n");
    r = Config({"stats", Write("a.txt", argos), "--json"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_THAT(r.out,
                HasSubstr("\"Argos\":{\"BufferBits\":32,\"MsgBits\":60,\"Duration\":0.380}"));
    r = Config({"stats", dir.File("g.txt")});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "Timed\n"
                     "  Buffer Size: 20 bytes\n"
                     "  Msg Length: 25 bytes\n"
                     "  Duration: 3.120 sec\n"
                     "Random\n"
                     "  Buffer Size: 188 bytes\n"
                     "  Msg Length: 192 bytes\n"
                     "  Duration: 5.740 sec\n"
                     "ARGOS\n"
                     "  Buffer Size: 0 Bits\n"
                     "  Msg Length: 28 Bits\n"
                     "  Duration: 0.300 sec\n");
}

TEST_F(ConfigCommand, JsonOfATemplateIgnoresThePlatformId) {
    const std::string f = Write("t.tpl", "NID=1234ABCE\r\nPIS=SITE\r\nTCH=95,300\r\n");
    Outcome r = Config({"json", f});
    ASSERT_EQ(r.code, 0);
    EXPECT_THAT(r.out, HasSubstr("\"PlatformIdGoes\": \"1234ABCE\""));
    r = Config({"json", f, "--template"});
    ASSERT_EQ(r.code, 0);
    EXPECT_THAT(r.out, HasSubstr("\"PlatformIdGoes\": \"\""));
    EXPECT_THAT(r.out, HasSubstr("\"Channel\": 95"));
}

TEST_F(ConfigCommand, FirmwareAndPreferencesChooseTheSwitches) {
    const std::string json = Write("in.json", R"({"SDI12":[{"Address":"0","Label":"LVL"}]})");
    struct Case {
        std::vector<std::string> extra;
        const char* present;
        const char* absent;
    };
    const Case cases[] = {
        {{}, "SSX=0,0,0,1,", "SS0="},                   // 1.53 from the preferences
        {{"--firmware", "1.15"}, "SS0=0,0,1,", "SSX="}, // the option wins
        {{"--ini", dir.File("none.ini")}, "", ""},      // a named file must exist
    };
    for (const Case& k : cases) {
        std::vector<std::string> args = {"write", json, "-o", dir.File("o.txt")};
        args.insert(args.end(), k.extra.begin(), k.extra.end());
        const Outcome r = Config(args);
        if (*k.present == '\0') {
            EXPECT_EQ(r.code, 2);
            EXPECT_THAT(r.err, HasSubstr("none.ini"));
            continue;
        }
        ASSERT_EQ(r.code, 0) << r.err;
        const std::string text = TempFolder::Read(dir.File("o.txt"));
        EXPECT_THAT(text, HasSubstr(k.present));
        EXPECT_THAT(text, ::testing::Not(HasSubstr(k.absent)));
    }
}

TEST_F(ConfigCommand, ExitCodesForBadFilesAndBadOptions) {
    const std::string good = Write("good.txt", "TCH=95,300\r\n");
    const std::string notJson = Write("bad.json", "{\"TimedTx\": {");
    const std::string wrongType = Write("type.json", R"({"TimedTx":{"Channel":"12"}})");
    const std::string array = Write("array.json", "[1,2]");
    const std::string huge = Write("huge.txt", "x");
    ASSERT_EQ(truncate(huge.c_str(), kMaxConfigFileBytes + 1), 0);
    struct Case {
        std::vector<std::string> args;
        int code;
        const char* says;
    };
    const Case cases[] = {
        {{"json", dir.File("none.txt")}, 2, "none.txt"},
        {{"check", huge}, 2, "too large"},
        {{"stats", dir.Path()}, 2, "not a regular file"},
        {{"write", notJson, "-o", dir.File("o.txt")}, 2, "not a JSON document"},
        {{"write", wrongType, "-o", dir.File("o.txt")}, 2, "TimedTx.Channel"},
        {{"write", array, "-o", dir.File("o.txt")}, 2, "JSON object"},
        {{"write", dir.File("none.json"), "-o", dir.File("o.txt")}, 2, "none.json"},
        {{"write", Write("ok.json", "{}"), "-o", dir.File("missing/o.txt")}, 2, "missing"},
        {{}, 3, "Usage"},
        {{"frobnicate", good}, 3, "unknown config command"},
        {{"check"}, 3, "config check needs FILE"},
        {{"check", good, good}, 3, "too many"},
        {{"check", good, "--bogus"}, 3, "unknown option '--bogus'"},
        {{"check", good, "--firmware"}, 3, "needs a value"},
        {{"check", good, "--firmware", "one"}, 3, "not a firmware version"},
        {{"write", good}, 3, "-o"},
        {{"check", good, "-o", "x"}, 3, "only for config write"},
        {{"json", good, "--json"}, 3, "--json is only for config check, config stats"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(::testing::PrintToString(k.args));
        const Outcome r = Config(k.args);
        EXPECT_EQ(r.code, k.code);
        EXPECT_THAT(r.err, HasSubstr(k.says));
    }
    EXPECT_FALSE(std::filesystem::exists(dir.File("o.txt")));
    EXPECT_EQ(Config({"--help"}).code, 0);
}

} // namespace

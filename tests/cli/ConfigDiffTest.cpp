// "config diff" on real files and templates: exact output, exit codes, and
// the JSON form parsed back.
#include "cli/ConfigCommand.h"
#include "files/TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <sstream>

using namespace tavin;
using tavin::testing::TempFolder;

namespace {

// A station: timed transmission of two SDI-12 sensors.
constexpr char kBody[] = "TCH=95,300\r\nTTI=00:01:00:00\r\nTDS=Sensor\r\n"
                         "SSX=0,0,0,1,00:15:00,00:00:00,1\r\nSLX=0,LVL\r\n"
                         "SSX=1,1,0,1,00:30:00,00:00:00,1\r\nSLX=1,WIND\r\nTDP=0,S0,1,6\r\n";
// The same station with a changed channel, a third sensor, the second one
// changed and another platform id.
constexpr char kChanges[] = "SSX=2,2,0,1,00:30:00,00:00:00,1\r\nSLX=2,RAIN\r\nTCH=96,300\r\n"
                            "SSX=1,1,0,1,00:45:00,00:00:00,1\r\nSLX=1,GUST\r\n";

class ConfigDiff : public ::testing::Test {
protected:
    TempFolder dir;
    std::string ini = dir.File("tavin-utility.ini");
    std::string a, b, tpl;

    void SetUp() override {
        TempFolder::Write(ini, "[CONFIG]\r\nTAVINVersion=1.53\r\n");
        a = Write("a.txt", std::string("NID=1234ABCE\r\n") + kBody + "CFS\r\n");
        b = Write("b.txt", std::string("NID=1234ABCF\r\n") + kBody + kChanges + "CFS\r\n");
        tpl = Write("a.tpl", kBody);
    }
    std::string Write(const std::string& name, const std::string& text) {
        TempFolder::Write(dir.File(name), text);
        return dir.File(name);
    }
    std::pair<int, std::string> Diff(std::vector<std::string> args) {
        args.insert(args.begin(), "diff");
        std::ostringstream out, err;
        const int code = RunConfigCommand(args, out, err, ini);
        return {code, out.str() + err.str()};
    }
};

TEST_F(ConfigDiff, SettingsAndRowsInTheModelsOrder) {
    struct Case {
        const char* name;
        std::string first, second;
        int code;
        std::string out;
    };
    const Case cases[] = {
        {"equal", a, a, 0, ""},
        {"changes", a, b, 1,
         "PlatformIdGoes: \"1234ABCE\" -> \"1234ABCF\"\n"
         "TimedTx.Channel: 95 -> 96\n"
         "SDI12[1] changed: Label \"WIND\" -> \"GUST\", Interval \"00:30:00\" -> \"00:45:00\"\n"
         "SDI12[2] added: Label \"RAIN\", Address \"2\", Interval \"00:30:00\"\n"},
        {"the other way", b, a, 1,
         "PlatformIdGoes: \"1234ABCF\" -> \"1234ABCE\"\n"
         "TimedTx.Channel: 96 -> 95\n"
         "SDI12[1] changed: Label \"GUST\" -> \"WIND\", Interval \"00:45:00\" -> \"00:30:00\"\n"
         "SDI12[2] removed: Label \"RAIN\", Address \"2\", Interval \"00:30:00\"\n"},
        // A template has no platform id: the station's is no difference.
        {"file and its template", a, tpl, 0, ""},
        {"file and a template", tpl, b, 1,
         "TimedTx.Channel: 95 -> 96\n"
         "SDI12[1] changed: Label \"WIND\" -> \"GUST\", Interval \"00:30:00\" -> \"00:45:00\"\n"
         "SDI12[2] added: Label \"RAIN\", Address \"2\", Interval \"00:30:00\"\n"},
        // The same lines in another order and with LF ends are the same settings.
        {"order and line ends", a,
         Write("c.txt", "SLX=1,WIND\nSLX=0,LVL\nSSX=1,1,0,1,00:30:00,00:00:00,1\nTDP=0,S0,1,6\n"
                        "TDS=Sensor\nSSX=0,0,0,1,00:15:00,00:00:00,1\nTTI=00:01:00:00\n"
                        "TCH=95,300\nNID=1234ABCE\n"),
         0, ""},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        const auto [code, out] = Diff({k.first, k.second});
        EXPECT_EQ(code, k.code);
        EXPECT_EQ(out, k.out);
    }
}

TEST_F(ConfigDiff, JsonNamesEveryChange) {
    const auto [code, out] = Diff({a, b, "--json"});
    ASSERT_EQ(code, 1) << out;
    QJsonParseError error{};
    const QJsonObject doc =
        QJsonDocument::fromJson(QByteArray::fromStdString(out), &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << out;
    EXPECT_EQ(doc["a"].toString().toStdString(), a);
    EXPECT_EQ(doc["b"].toString().toStdString(), b);
    EXPECT_FALSE(doc["equal"].toBool());
    const QJsonArray list = doc["differences"].toArray();
    ASSERT_EQ(list.size(), 4);
    EXPECT_EQ(
        list[1].toObject(),
        (QJsonObject{{"kind", "changed"}, {"path", "TimedTx.Channel"}, {"old", 95}, {"new", 96}}));
    const QJsonObject changed = list[2].toObject();
    EXPECT_EQ(changed["table"].toString(), "SDI12");
    EXPECT_EQ(changed["row"].toInt(), 1);
    EXPECT_EQ(changed["fields"].toArray()[0].toObject(),
              (QJsonObject{{"field", "Label"}, {"old", "WIND"}, {"new", "GUST"}}));
    const QJsonObject added = list[3].toObject();
    EXPECT_EQ(added["kind"].toString(), "added");
    EXPECT_EQ(added["fields"].toArray()[0].toObject(),
              (QJsonObject{{"field", "Label"}, {"new", "RAIN"}}));

    const auto [same, sameOut] = Diff({a, a, "--json"});
    EXPECT_EQ(same, 0);
    const QJsonObject equal = QJsonDocument::fromJson(QByteArray::fromStdString(sameOut)).object();
    EXPECT_TRUE(equal["equal"].toBool());
    EXPECT_TRUE(equal["differences"].toArray().isEmpty());
}

TEST_F(ConfigDiff, FilesThatCannotBeRead) {
    const auto [code, out] = Diff({a, dir.File("none.txt")});
    EXPECT_EQ(code, 2);
    EXPECT_THAT(out, ::testing::HasSubstr("none.txt"));
    EXPECT_EQ(Diff({a}).first, 3);
}

} // namespace

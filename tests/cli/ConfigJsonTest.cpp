#include "cli/ConfigJson.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>

using namespace tavin;

namespace {

XmtrConfig Sample() {
    XmtrConfig c;
    c.PlatformIdGoes = "1234ABCE";
    c.TimedEnabled = true;
    c.General.PlatformIdString = "Caf\xE9 station";
    c.General.PseudoBinaryHeader1 = 'A';
    c.General.InvalidReplaceChar = '\0';
    c.General.TxPower300 = 7.5;
    c.TimedTx.Channel = 95;
    c.TimedTx.OpFlags[5] = true;
    c.RandomTx.ArgosDataPack[3] = 200;
    c.TimedData[99].SourceType = 'T';
    c.TimedData[99].Text = "a,\"b\"";
    c.SDI12[63].Label = "LAST";
    c.Internal[0].Type = "BV";
    c.MinMaxAvg[10].Vec = true;
    c.RandomTriggers[29].Limit = -1.25;
    c.Equations = {"E0=S0*2", "E1=I1+1"};
    return c;
}

TEST(ConfigJson, RoundTripKeepsEveryField) {
    const QJsonObject first = ConfigToJson(Sample());
    XmtrConfig back;
    QString error;
    ASSERT_TRUE(ConfigFromJson(first, back, error)) << error.toStdString();
    EXPECT_EQ(ConfigToJson(back), first);
    EXPECT_EQ(back.General.PlatformIdString, "Caf\xE9 station");
    EXPECT_EQ(first["TimedData"].toArray().size(), 100);
    EXPECT_EQ(first["RandomData"].toArray().size(), 40);
    EXPECT_EQ(first["SDI12"].toArray().size(), 64);
    EXPECT_EQ(first["General"].toObject()["InvalidReplaceChar"].toString(), "");
    EXPECT_EQ(first["General"].toObject()["PseudoBinaryHeader1"].toString(), "A");
}

TEST(ConfigJson, MissingKeysKeepTheirValues) {
    const auto doc = QJsonDocument::fromJson(R"({"TimedTx":{"Channel":12}})").object();
    XmtrConfig cfg;
    const QJsonObject cleared = ConfigToJson(cfg);
    QString error;
    ASSERT_TRUE(ConfigFromJson(doc, cfg, error));
    EXPECT_EQ(cfg.TimedTx.Channel, 12);
    QJsonObject expected = cleared;
    QJsonObject timed = expected["TimedTx"].toObject();
    timed["Channel"] = 12;
    expected["TimedTx"] = timed;
    EXPECT_EQ(ConfigToJson(cfg), expected);
}

TEST(ConfigJson, BadValuesAreReportedWithTheirPath) {
    struct Case {
        const char* json;
        const char* path;
    };
    const Case cases[] = {
        {R"({"TimedTx":{"Channel":"12"}})", "TimedTx.Channel"},
        {R"({"TimedTx":{"BitRate":256}})", "TimedTx.BitRate"},
        {R"({"TimedTx":{"Channel":1.5}})", "TimedTx.Channel"},
        {R"({"General":{"PseudoBinaryHeader1":"AB"}})", "General.PseudoBinaryHeader1"},
        {R"({"RandomTriggers":[{},{},{},{},{},{},{},{},{},{},{},{},{},{},{},{},{},{},{},{},{},{},{},{},{},{},{},{},{},{},{}]})",
         "RandomTriggers"},
        {R"({"SDI12":[{"Label":5}]})", "SDI12[0].Label"},
        {R"({"SDI12":[7]})", "SDI12"},
        {R"({"Equations":"E0"})", "Equations"},
        {R"({"General":{"PlatformIdString":"\u20ac"}})", "General.PlatformIdString"},
        {R"({"TimedTx":{"OpFlags":[true,1]}})", "TimedTx.OpFlags"},
    };
    for (const auto& c : cases) {
        XmtrConfig cfg;
        QString error;
        EXPECT_FALSE(ConfigFromJson(QJsonDocument::fromJson(c.json).object(), cfg, error))
            << c.json;
        EXPECT_TRUE(error.startsWith(c.path)) << c.json << " -> " << error.toStdString();
    }
}

} // namespace

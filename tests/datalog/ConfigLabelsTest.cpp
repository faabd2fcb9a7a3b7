// The labels and tipping-bucket settings a configuration gives the decoder
// and the window's sensor lists.

#include "datalog/ConfigLabels.h"
#include "datalog/DataLogController.h"

#include <gtest/gtest.h>

namespace tavin {
namespace {

XmtrConfig LabelledConfig() {
    XmtrConfig cfg;
    cfg.SDI12[0].Label = "LVL";
    cfg.SDI12[12].Label = "WIND";
    cfg.SDI12[3].Label = ""; // no label: the decoder keeps its own
    cfg.Internal[2].Label = "RAIN";
    cfg.Internal[20].Label = "TEMPX";
    cfg.TippingBucket.Multiplier = 5; // 0.2
    cfg.TippingBucket.RollOver = 0;   // 65536
    return cfg;
}

TEST(ConfigLabels, EveryRowAndTheBucketSettingsReachTheDecoder) {
    TLOG_REC rec;
    rec.SetSensorLabel(3, "OLD");
    ApplyConfigLabels(LabelledConfig(), rec);
    const std::vector<std::pair<int, std::string>> expected = {
        {0, "LVL "},  {12, "WIND"}, {3, "OLD "},  {9, "SDI9"},  {63, "SD63"},
        {66, "RAIN"}, {84, "TEMP"}, {64, "INT0"}, {127, "IN63"}};
    for (const auto& [index, label] : expected) {
        EXPECT_EQ(rec.SensorLabel(index), label) << index;
    }
    EXPECT_EQ(rec.BucketMultiplier(), 5);
    EXPECT_EQ(rec.BucketRolloverCount(), 65536u);

    // Values a model cannot hold from a file leave the decoder sound.
    XmtrConfig odd;
    odd.TippingBucket.Multiplier = 12;
    odd.TippingBucket.RollOver = 70000;
    ApplyConfigLabels(odd, rec);
    EXPECT_EQ(rec.BucketMultiplier(), 5);
    EXPECT_EQ(rec.BucketRolloverCount(), 65535u);
}

struct QuietHost : DataLogHost {
    int filtersChanged = 0;
    void QueueCommand(const std::string&) override {}
    bool PortOpen() const override { return true; }
    void SendDirect(std::string_view) override {}
    void ReleaseCurrentCommand() override {}
    void AppendMemo(const std::string&) override {}
    void SetReceiveInterval(int) override {}
    void FiltersChanged() override { ++filtersChanged; }
    void ShowBox(const LogBoxSetup&) override {}
    bool BoxOpen() const override { return false; }
    void ShowBoxCancel() override {}
    void SetBoxInstruction(const std::string&) override {}
    void SetBoxCommand(const std::string&) override {}
    void SetBoxProgress(bool, int, int) override {}
    void CloseBoxAfter(int, LogBoxResult) override {}
    bool AskYesNo(const std::string&) override { return false; }
    bool AskErrorYesNo(const std::string&) override { return false; }
    std::optional<std::string> ChooseSaveFile(const std::string&) override { return {}; }
    bool CreateLogFile(const std::string&) override { return false; }
    void WriteLogLine(const std::string&) override {}
    void CloseLogFile() override {}
};

TEST(ConfigLabels, TheWindowsListsShowThemInBothTableSizes) {
    for (bool extended : {false, true}) {
        QuietHost host;
        DataLogController logic(host, DataLogSettings{extended, false, false, "", ""});
        logic.Open(2024, 1, 1);
        const int changesBefore = host.filtersChanged;
        logic.UseConfigLabels(LabelledConfig());
        EXPECT_GT(host.filtersChanged, changesBefore);
        const auto& f = logic.Filters();
        EXPECT_EQ(f.sdi12[0].text, "0: LVL");
        EXPECT_EQ(f.internal[2].text, "2: RAIN");
        EXPECT_EQ(f.sdi12.size(), extended ? 64u : 10u);
        EXPECT_EQ(f.internal.size(), extended ? 64u : 5u);
        if (extended) {
            EXPECT_EQ(f.sdi12[12].text, "12: WIND");
            EXPECT_EQ(f.internal[20].text, "20: TEMP");
        }
        EXPECT_EQ(logic.Decoder().SensorLabel(12), "WIND");
        EXPECT_EQ(logic.Decoder().BucketMultiplier(), 5);
    }
}

} // namespace
} // namespace tavin

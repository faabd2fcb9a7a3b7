// What the buffer pages' statistics groups show, the window-budget warning
// and the data source reactions.

#include "editor/BufferStats.h"
#include "editor/BufferSourceRules.h"

#include "BufferGridFixture.h"

#include <gmock/gmock.h>

using namespace tavin;

namespace {

class BufferStatsTest : public test::BufferGridFixture {};

TEST_F(BufferStatsTest, PagesShowTheirMessage) {
    cfg.TimedTx.Channel = 150;
    cfg.TimedData[0] = Row('T');
    cfg.TimedData[0].Text = "ABCDEFGHIJ";
    cfg.TimedData[1] = Row('T');
    cfg.TimedData[1].Text = "ABCDEFGHIJ";
    const BufferStatsView timed = BufferStats(cfg, ctx, StatsMessage::Timed);
    EXPECT_EQ(timed.Figures.BufferText, "20 bytes");
    EXPECT_EQ(timed.Figures.MsgText, "25 bytes");
    EXPECT_EQ(timed.Figures.DurationText, "3.120 sec");
    EXPECT_TRUE(timed.Labels.Visible);
    EXPECT_EQ(timed.Warning, "");

    EXPECT_EQ(MessageOfRandomPage(ctx), StatsMessage::Random);
    ctx.TxMode = kTxModeArgos;
    EXPECT_EQ(MessageOfRandomPage(ctx), StatsMessage::Argos);
    cfg.RandomTx.ArgosDataPack[0] = 32;
    cfg.PlatformIdArgos = "1234";
    const BufferStatsView argos = BufferStats(cfg, ctx, StatsMessage::Argos);
    EXPECT_EQ(argos.Figures.BufferText, "32 Bits");
    EXPECT_EQ(argos.Figures.MsgText, "60 Bits");
    EXPECT_EQ(argos.Figures.DurationText, "0.380 sec");
}

TEST_F(BufferStatsTest, WarnsWhenTheTimedMessageOutlastsItsWindow) {
    // 100 bit/s, short preamble: B / 12.5 + 1.52 seconds.
    cfg.TimedTx.Channel = 150;
    cfg.TimedTx.WindowLength = 5;
    cfg.TimedData[0] = Row('S', 0, 43, 1); // 43 bytes: 4.96 sec, fits
    EXPECT_EQ(TimedWindowWarning(cfg), "");
    cfg.TimedData[0].ValueCount = 44; // 5.04 sec
    EXPECT_EQ(TimedWindowWarning(cfg),
              "The timed message takes 5.040 sec but its transmit window is 5 sec: shorten the "
              "message or lengthen the window.");
    EXPECT_EQ(BufferStats(cfg, ctx, StatsMessage::Timed).Warning, TimedWindowWarning(cfg));
    cfg.TimedTx.Channel = 0;
    EXPECT_EQ(TimedWindowWarning(cfg), "") << "no timed transmission";
    cfg.TimedTx.Channel = 150;
    cfg.RandomTx.ArgosEnabled = true;
    EXPECT_EQ(TimedWindowWarning(cfg), "") << "ARGOS sends no timed buffer";
}

TEST_F(BufferStatsTest, DataSourceReactions) {
    cfg.TimedTx.OpFlags[6] = cfg.TimedTx.OpFlags[7] = true;
    ini.TdfTabVisible = false;
    DataSourceEffects e = TimedDataSourceChanged(cfg, ini, 1);
    EXPECT_TRUE(e.ShowBufferPage && e.DataOrderEnabled && !e.OpFlags67Enabled);
    EXPECT_TRUE(ini.TdfTabVisible);
    EXPECT_FALSE(cfg.TimedTx.OpFlags[6] || cfg.TimedTx.OpFlags[7]);
    e = TimedDataSourceChanged(cfg, ini, 0);
    EXPECT_TRUE(!e.ShowBufferPage && !e.DataOrderEnabled && e.OpFlags67Enabled);

    ini.RdfTabVisible = false;
    e = RandomDataSourceChanged(cfg, ini, 1);
    EXPECT_TRUE(e.ShowBufferPage && e.ShowTriggerPage && e.DataOrderEnabled && ini.RdfTabVisible);
    e = RandomDataSourceChanged(cfg, ini, 0);
    EXPECT_TRUE(e.HideTriggerPage && !e.DataOrderEnabled && !e.ShowBufferPage);
}

TEST_F(BufferStatsTest, RandomFormatButtonsByMode) {
    struct Case {
        bool argos;
        int source, format;
        RandomFormatButtons buttons;
        int formatAfter;
    } cases[] = {
        {false, 0, 1, {true, true, true, 1}, 1},   {false, 1, 7, {true, true, true, -1}, 7},
        {true, 1, 1, {false, false, false, 2}, 2}, {true, 0, 0, {false, true, true, 1}, 1},
        {true, 0, 2, {false, true, true, 2}, 2},
    };
    for (const Case& c : cases) {
        cfg.RandomTx.DataSource = static_cast<std::uint8_t>(c.source);
        cfg.RandomTx.DataFormat = static_cast<std::uint8_t>(c.format);
        EXPECT_EQ(RefreshRandomDataFormat(cfg, c.argos), c.buttons) << c.argos << c.source;
        EXPECT_EQ(cfg.RandomTx.DataFormat, c.formatAfter) << c.argos << c.source;
    }
}

} // namespace

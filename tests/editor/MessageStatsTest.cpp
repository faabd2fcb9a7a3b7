#include "editor/MessageStats.h"

#include <gtest/gtest.h>

using namespace tavin;

namespace {

TDataFormatRow Row(char type, int index, int count, int width, const char* flags = "",
                   int stat = 0) {
    TDataFormatRow r;
    r.SourceType = type;
    r.SourceIndex = static_cast<std::uint8_t>(index);
    r.ValueCount = static_cast<std::uint8_t>(count);
    r.FieldWidth = width;
    r.Flags = flags;
    r.StatFlags = static_cast<std::uint8_t>(stat);
    return r;
}

TEST(MessageStats, EntryLengths) {
    XmtrConfig cfg;
    auto text = Row('T', 0, 0, 0, "LXRN");
    text.Text = "ABCDE";
    cfg.TimedData[0] = text;
    EXPECT_EQ(CalcTimedBufferLength(cfg), 8);

    XmtrConfig s;
    s.SDI12[2].Label = "RAIN";
    s.TimedData[0] = Row('S', 2, 3, -2, "LB", kStatAvg);
    EXPECT_EQ(CalcTimedBufferLength(s), 15);

    XmtrConfig h; // headers by format; rows anywhere in the table count
    h.General.PlatformIdString = "STATION1";
    h.TimedData[0] = Row('H', 0, 1, 0);
    h.TimedData[50] = Row('H', 8, 1, 0, "L");
    h.TimedData[99] = Row('H', 10, 1, 0); // the trigger code belongs to random only
    EXPECT_EQ(CalcTimedBufferLength(h), 8 + (1 - 1) + 10 + 5);
    h.TimedTx.DataFormat = 1;
    EXPECT_EQ(CalcTimedBufferLength(h), 8 + 4 + 5);
    h.General.PlatformIdString = ".";
    EXPECT_EQ(CalcTimedBufferLength(h), 9);
    h.RandomData[39] = Row('H', 10, 1, 0);
    EXPECT_EQ(CalcRandomBufferLength(h), 3);
}

struct MsgCase {
    const char* name;
    int channel, rate, preamble, interleaver, format, buffer;
    int msg;
    double seconds;
};

TEST(MessageStats, TimedMessage) {
    const MsgCase cases[] = {
        {"100 short", 150, 0, 0, 0, 0, 20, 25, 3.12},
        {"100 long", 150, 0, 1, 0, 0, 20, 25, 1.6 + 8.04},
        {"100 high channel", 201, 0, 0, 0, 0, 20, 28, 1.6 + 8.27},
        {"300 short ascii", 10, 1, 0, 1, 0, 100, 192, 5.74},
        {"300 none binary", 10, 1, 0, 0, 2, 100, 111, 100 / 37.5 + 0.8333333333333334 + 0.08},
        {"1200 none binary", 10, 2, 0, 0, 2, 142, 153, 1.3533333333333333},
        {"1200 long", 10, 2, 0, 2, 1, 200, 384, 384 / 150.0 + 0.28},
        {"no channel", 0, 1, 0, 1, 0, 100, 100, 0},
    };
    for (const auto& c : cases) {
        XmtrConfig cfg;
        auto& tx = cfg.TimedTx;
        tx.Channel = c.channel;
        tx.BitRate = static_cast<std::uint8_t>(c.rate);
        tx.Preamble = static_cast<std::uint8_t>(c.preamble);
        tx.Interleaver = static_cast<std::uint8_t>(c.interleaver);
        tx.DataFormat = static_cast<std::uint8_t>(c.format);
        int n = c.buffer;
        EXPECT_NEAR(CalcTimedMsgLength(cfg, n), c.seconds, 1e-9) << c.name;
        EXPECT_EQ(n, c.msg) << c.name;
    }
}

TEST(MessageStats, RandomMessage) {
    const MsgCase cases[] = {
        {"300 long 188", 10, 1, 0, 2, 0, 188, 192, 192 / 37.5 + 0.62},
        {"300 long 189", 10, 1, 0, 2, 0, 189, 384, 384 / 37.5 + 0.62},
        {"1200 short binary", 10, 2, 0, 1, 2, 80, 96, 96 / 150.0 + 0.28 + 0.02},
        {"100 low channel", 150, 0, 0, 0, 0, 25, 25, 2 + 1.52},
        {"300 none binary", 10, 1, 0, 0, 2, 75, 75, 2 + 0.8333333333333334 + 0.08},
    };
    for (const auto& c : cases) {
        XmtrConfig cfg;
        auto& tx = cfg.RandomTx;
        tx.Channel = c.channel;
        tx.BitRate = static_cast<std::uint8_t>(c.rate);
        tx.Interleaver = static_cast<std::uint8_t>(c.interleaver);
        tx.DataFormat = static_cast<std::uint8_t>(c.format);
        int n = c.buffer;
        EXPECT_NEAR(CalcRandomMsgLength(cfg, n), c.seconds, 1e-9) << c.name;
        EXPECT_EQ(n, c.msg) << c.name;
    }
}

TEST(MessageStats, Argos) {
    XmtrConfig cfg;
    cfg.RandomTx.ArgosDataPack[0] = 16;
    cfg.RandomTx.ArgosDataPack[1] = 16;
    cfg.PlatformIdArgos = "1A2B3C";
    const auto f = ARGOSMessageFigures(cfg, false);
    EXPECT_EQ(f.BufferText, "32 Bits");
    EXPECT_EQ(f.MsgText, "60 Bits");
    EXPECT_EQ(f.DurationText, "0.380 sec");
    int bits = 0;
    cfg.PlatformIdArgos = "1234AB00";
    CalcARGOSMsgLength(cfg, bits);
    EXPECT_EQ(bits, 48);
    bits = 0;
    cfg.PlatformIdArgos = "1234AB01";
    CalcARGOSMsgLength(cfg, bits);
    EXPECT_EQ(bits, 56);

    cfg.RandomTx.DataSource = 1; // sensor data: the random format widths
    cfg.RandomData[0] = Row('S', 0, 2, -8);
    cfg.RandomData[30] = Row('S', 1, 1, 8);
    EXPECT_EQ(CalcARGOSBufferLength(cfg, false), 16);
    EXPECT_EQ(CalcARGOSBufferLength(cfg, true), 24);
}

TEST(MessageStats, Labels) {
    XmtrConfig cfg;
    cfg.TimedTx.Channel = 150;
    auto l = UpdateTimedMsgStats(cfg);
    EXPECT_TRUE(l.Visible);
    EXPECT_EQ(l.TypeCaption, "Preamble:");
    EXPECT_EQ(l.TypeValue, "Short");
    EXPECT_EQ(l.Carrier, "0.50 sec");
    EXPECT_EQ(l.Frame, "0.15");
    cfg.TimedTx.Channel = 250;
    EXPECT_EQ(UpdateTimedMsgStats(cfg).Carrier, "5.00 sec");
    cfg.TimedTx.BitRate = 2;
    cfg.TimedTx.Interleaver = 2;
    l = UpdateTimedMsgStats(cfg);
    EXPECT_EQ(l.TypeValue, "Long");
    EXPECT_EQ(l.SizeValue, "192 bytes");
    EXPECT_EQ(l.SymbolValue, "0.005 sec");
    EXPECT_EQ(l.BitRate, "1200bps");
    cfg.TimedTx.Channel = 0;
    EXPECT_FALSE(UpdateTimedMsgStats(cfg).Visible);

    EXPECT_EQ(UpdateRandomMsgStats(cfg).SizeCaption, "Size");
    cfg.RandomTx.ArgosChannel = "D17";
    cfg.RandomTx.ScdEnabled = true;
    const auto a = UpdateARGOSMsgStats(cfg);
    EXPECT_TRUE(a.Visible);
    EXPECT_EQ(a.TypeValue, "SCD+ARGOS");
    EXPECT_EQ(a.Carrier, "0.1600");
    EXPECT_EQ(a.SymbolValue, "0.0375");
    EXPECT_EQ(a.SizeCaption, "Iterleaver:");
    EXPECT_EQ(a.BitRate, "400 BPS");
    EXPECT_EQ(a.DataRate, "0.0025");

    cfg.TimedTx = TTimedTxParams{};
    cfg.TimedTx.Channel = 150;
    cfg.TimedData[0] = Row('S', 0, 2, 5);
    const auto f = TimedMessageFigures(cfg);
    EXPECT_EQ(f.BufferText, "10 bytes");
    EXPECT_EQ(f.MsgText, "15 bytes");
    EXPECT_EQ(f.DurationText, "2.320 sec");
}

} // namespace

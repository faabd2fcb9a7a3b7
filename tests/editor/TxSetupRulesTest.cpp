#include "editor/TxSetupRules.h"
#include "editor/SetupPageTexts.h"

#include <gtest/gtest.h>

using namespace tavin;

TEST(TxSetupRules, IntervalWithoutDaysIsShownShortAndStoredInTheDayForm) {
    struct Case {
        const char* held;
        bool days;
        const char* shown;
        const char* stored;
    };
    const Case cases[] = {
        {"01:02:03:04", false, "02:03:04", "00:02:03:04"},
        {"01:02:03:04", true, "01:02:03:04", "01:02:03:04"},
        {"01:00:00", false, "01:00:00", "00:01:00:00"},
        {"00:00:00:00", false, "00:00:00", "00:00:00:00"},
    };
    for (const Case& c : cases) {
        const std::string shown = IntervalFieldText(c.held, c.days);
        EXPECT_EQ(shown, c.shown) << c.held;
        EXPECT_EQ(IntervalFromField(shown), c.stored) << c.held;
    }
}

TEST(TxSetupRules, TimedFieldsRoundTripAndStoreOnlyWhileEnabled) {
    XmtrConfig cfg;
    cfg.TimedTx.Channel = 95;
    cfg.TimedTx.Interval = "00:01:00:00";
    cfg.TimedTx.BitRate = 1;
    cfg.TimedTx.OpFlags[3] = true;
    TimedTxFields f = LoadTimedTxFields(cfg.TimedTx, false);
    EXPECT_EQ(f.Interval, "01:00:00");
    EXPECT_EQ(f.BitRate, 1);
    f.Channel = 120;
    f.Preamble = kNoChoice; // no selection leaves the record's value
    cfg.TimedTx.Preamble = 1;

    StoreTimedTxFields(f, cfg);
    EXPECT_EQ(cfg.TimedTx.Channel, 95) << "timed transmissions are off";

    cfg.TimedEnabled = true;
    StoreTimedTxFields(f, cfg);
    EXPECT_EQ(cfg.TimedTx.Channel, 120);
    EXPECT_EQ(cfg.TimedTx.Interval, "00:01:00:00");
    EXPECT_EQ(cfg.TimedTx.Preamble, 1);
    EXPECT_TRUE(cfg.TimedTx.OpFlags[3]);

    // A blank working copy never overwrites the record.
    StoreTimedTxFields(BlankTimedTxFields(), cfg);
    EXPECT_EQ(cfg.TimedTx.Channel, 120);
}

TEST(TxSetupRules, RandomFieldsFollowTheMode) {
    XmtrConfig cfg;
    cfg.RandomEnabled = true;
    TRandomTxParams& r = cfg.RandomTx;
    r.Channel = 7;
    r.Interval = 20;
    r.Percent = 30;
    r.RepeatCount = 4;
    r.BitRate = 3; // "400"
    r.ArgosChannel = "D17+S55";
    r.ArgosInterval = 120;
    r.ArgosRepeatCount = 9;
    r.OpFlags = {true, true, true, true, true, true, true, true};

    const RandomTxFields argos = LoadRandomTxFields(r, true);
    EXPECT_EQ(argos.ArgosChannel, "D17+S55");
    EXPECT_EQ(argos.Interval, 120);
    EXPECT_EQ(argos.Percent, 10);
    EXPECT_EQ(argos.RepeatCount, 9);
    EXPECT_EQ(argos.BitRate, kNoChoice);
    // The future-use flags cannot be ticked.
    EXPECT_EQ(argos.OpFlags, (OpFlagSet{false, true, true, true, true, false, false, false}));

    const RandomTxFields goes = LoadRandomTxFields(r, false);
    EXPECT_EQ(goes.Channel, 7);
    EXPECT_EQ(goes.Percent, 30);
    EXPECT_EQ(goes.BitRate, kNoChoice) << "the 400 bps rate has no button";

    RandomTxFields edited = argos;
    edited.ArgosChannel = "D20+S10";
    edited.Interval = 200;
    edited.DataFormat = 0; // ASCII leaves the format in ARGOS operation
    r.DataFormat = 2;
    StoreRandomTxFields(edited, cfg, true);
    EXPECT_EQ(r.ArgosChannel, "D20+S10");
    EXPECT_EQ(r.ArgosInterval, 200);
    EXPECT_EQ(r.Interval, 20) << "the GOES interval is not the ARGOS one";
    EXPECT_EQ(r.DataFormat, 2);
    edited.DataFormat = 1;
    StoreRandomTxFields(edited, cfg, true);
    EXPECT_EQ(r.DataFormat, 1);
}

TEST(TxSetupRules, BlankingRandomUnticksFlagsOneAndTwoOnly) {
    RandomTxFields f;
    f.OpFlags = {false, true, true, true, true, false, false, false};
    const RandomTxFields blank = BlankRandomTxFields(f);
    EXPECT_TRUE(blank.Blank);
    EXPECT_EQ(blank.OpFlags, (OpFlagSet{false, false, false, true, true, false, false, false}));
}

TEST(TxSetupRules, BitRateReactions) {
    struct Case {
        bool random;
        int rate;
        int channel;
        int max;
        int after;
        const char* message;
        bool preamble;
        bool preambleLong;
        bool interleaver;
    };
    const Case cases[] = {
        {false, kRate100, 150, 266, 150, "", true, false, false},
        {false, kRate100, 201, 266, 201, "", false, true, false},
        {false, kRate100, 200, 266, 200, "", true, false, false},
        {false, kRate300, 250, 266, 250, "", false, false, true},
        {false, kRate1200, 150, 133, 133, texts::kChannelOutOfRange1200, false, false, true},
        {false, kRate1200, 133, 133, 133, "", false, false, true},
        {true, kRate100, 250, 200, 200, texts::kChannelOutOfRange100, false, false, false},
        {true, kRate100, 200, 200, 200, "", false, false, false},
        {true, kRate300, 250, 266, 250, "", false, false, true},
        {true, kRate1200, 150, 133, 133, texts::kChannelOutOfRange1200, false, false, true},
        {true, kNoChoice, 250, 266, 250, "", false, false, false},
    };
    for (const Case& c : cases) {
        const BitRateReaction r = c.random ? RandomBitRateReaction(c.rate, c.channel)
                                           : TimedBitRateReaction(c.rate, c.channel);
        SCOPED_TRACE(testing::Message()
                     << (c.random ? "random " : "timed ") << c.rate << " at " << c.channel);
        EXPECT_EQ(r.MaxChannel, c.max);
        EXPECT_EQ(r.Channel, c.after);
        EXPECT_EQ(r.Message, c.message);
        EXPECT_EQ(r.PreambleEnabled, c.preamble);
        EXPECT_EQ(r.PreambleLong, c.preambleLong);
        EXPECT_EQ(r.InterleaverEnabled, c.interleaver);
    }
    EXPECT_TRUE(TimedPreambleEnabled(kRate100, 200));
    EXPECT_FALSE(TimedPreambleEnabled(kRate100, 201));
    EXPECT_FALSE(TimedPreambleEnabled(kRate300, 10));
}

TEST(TxSetupRules, EnteringThePageFollowsModeAndEnableState) {
    TxSetupInputs goes;
    goes.TimedEnabled = true;
    goes.RandomEnabled = true;
    TxSetupView v = TabTxSetupView(goes);
    EXPECT_FALSE(v.TimedCaptionGreyed);
    EXPECT_TRUE(v.AdaptRandom);
    EXPECT_EQ(v.IntervalMin, 5);
    EXPECT_EQ(v.IntervalMax, 99);
    EXPECT_TRUE(v.PercentEnabled);

    TxSetupInputs argos = goes;
    argos.ArgosMode = true;
    v = TabTxSetupView(argos);
    EXPECT_FALSE(v.PercentEnabled);
    EXPECT_EQ(v.FixedPercent, 10);
    EXPECT_EQ(v.IntervalMin, 35);
    EXPECT_EQ(v.IntervalMax, 300);
    EXPECT_FALSE(v.BitRateEnabled);
    EXPECT_TRUE(v.ClearRateChoices);

    for (auto change : {+[](TxSetupInputs& in) { in.MonitorMode = true; },
                        +[](TxSetupInputs& in) { in.TemplateLocked = true; },
                        +[](TxSetupInputs& in) { in.RandomEnabled = false; }}) {
        TxSetupInputs in = goes;
        change(in);
        v = TabTxSetupView(in);
        EXPECT_TRUE(v.RandomCaptionGreyed);
        EXPECT_FALSE(v.AdaptRandom) << "a greyed random setup is left as it is";
    }
}

TEST(TxSetupRules, RandomFormatButtons) {
    struct Case {
        int model;
        int source;
        bool argos;
        bool ascii, pseudo, binary;
        int checked;
    };
    const Case cases[] = {
        {1, 0, false, true, true, true, 1},   {3, 0, false, true, true, true, kNoChoice},
        {0, 1, true, false, false, false, 2}, {0, 0, true, false, true, true, 1},
        {2, 0, true, false, true, true, 2},
    };
    for (const Case& c : cases) {
        const RandomFormatButtons b = RefreshRandomDataFormat(c.model, c.source, c.argos);
        EXPECT_EQ(b.AsciiEnabled, c.ascii);
        EXPECT_EQ(b.PseudoEnabled, c.pseudo);
        EXPECT_EQ(b.BinaryEnabled, c.binary);
        EXPECT_EQ(b.Checked, c.checked) << c.model << " " << c.source << " " << c.argos;
    }
}

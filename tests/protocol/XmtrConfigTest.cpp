#include "protocol/XmtrConfig.h"
#include "protocol/GlbIni.h"

#include <gtest/gtest.h>

using namespace tavin;

TEST(XmtrConfig, NewModelIsClearedWithArgosPowerAndDefaultLabels) {
    const XmtrConfig c;
    EXPECT_FALSE(c.RandomTx.ArgosEnabled);
    EXPECT_FALSE(c.RandomTx.ScdEnabled);
    EXPECT_EQ(c.RandomTx.ArgosTxPower, 4.0);
    EXPECT_EQ(c.TimedTx.Interval, "00:00:00:00");
    EXPECT_EQ(c.TimedTx.FirstTx, "00:00:00");
    EXPECT_EQ(c.TimedTx.WindowLength, 30);
    EXPECT_EQ(c.RandomTx.Interval, 15);
    EXPECT_EQ(c.RandomTx.Percent, 50);
    EXPECT_EQ(c.RandomTx.RepeatCount, 3);
    EXPECT_EQ(c.General.PseudoBinaryHeader1, '@');
    EXPECT_EQ(c.General.PseudoBinaryHeader2, '@');
    EXPECT_EQ(c.General.InvalidReplaceChar, '\0');
    EXPECT_EQ(c.General.GpsTcxoCal, 90);
    EXPECT_EQ(c.General.GpsOcxoCal, 30);
    EXPECT_EQ(c.General.GpsSyncTimeout, 15);
    EXPECT_EQ(c.TippingBucket.Multiplier, 1);
    EXPECT_EQ(c.TippingBucket.ResetInterval, "0");
    EXPECT_EQ(c.TimedData[99].SourceType, 'C');
    EXPECT_EQ(c.RandomTriggers[29].TriggerType, 'C');
    EXPECT_EQ(c.SDI12[0].Label, "SDI0");
    EXPECT_EQ(c.SDI12[9].Label, "SDI9");
    EXPECT_EQ(c.SDI12[10].Label, "SD10");
    EXPECT_EQ(c.SDI12[63].Label, "SD63");
    EXPECT_EQ(c.Internal[4].Label, "INT4");
    EXPECT_EQ(c.Internal[12].Label, "IN12");
    EXPECT_EQ(c.SDI12[5].Measurement, "0");
    EXPECT_EQ(c.SDI12[5].Value, 1);
    EXPECT_EQ(c.SDI12[5].LogRate, 1);
    EXPECT_EQ(c.Internal[5].Type, "C");
}

TEST(XmtrConfig, GeneralClearingFollowsArgosPreferencesAndKeepsLoggerMode) {
    XmtrConfig c;
    c.General.LoggerMode = true;
    c.General.TxPower100 = 5.5;
    c.General.PlatformIdString = "STATION";
    TGlbIni ini;
    ini.ARGOS_SCD = true;
    ini.SCD = true;
    c.ClearGeneralSettings(ini);
    EXPECT_TRUE(c.General.LoggerMode);
    EXPECT_EQ(c.General.TxPower100, 0.0);
    EXPECT_EQ(c.General.PlatformIdString, "");
    EXPECT_EQ(c.DerivedTxMode(), kTxModeArgosScd);
    ini.SCD = false;
    c.ClearGeneralSettings(ini);
    EXPECT_EQ(c.DerivedTxMode(), kTxModeArgos);
    ini.ARGOS_SCD = false;
    ini.SCD = true; // SCD alone means nothing without ARGOS
    c.ClearGeneralSettings(ini);
    EXPECT_FALSE(c.RandomTx.ScdEnabled);
    EXPECT_EQ(c.DerivedTxMode(), kTxModeGoes);
}

TEST(XmtrConfig, RandomClearingKeepsArgosSettings) {
    XmtrConfig c;
    c.RandomEnabled = true;
    auto& r = c.RandomTx;
    r.Channel = 55;
    r.ArgosChannel = "D17+S55";
    r.ArgosEnabled = r.ScdEnabled = true;
    r.ArgosDataPack[0] = 7;
    r.ArgosInterval = 90;
    r.ArgosRepeatCount = 4;
    r.ArgosTxPower = 2.5;
    r.OpFlags[3] = true;
    c.ClearRandom();
    EXPECT_FALSE(c.RandomEnabled);
    EXPECT_EQ(r.Channel, 0);
    EXPECT_EQ(r.ArgosChannel, "");
    EXPECT_FALSE(r.OpFlags[3]);
    EXPECT_TRUE(r.ArgosEnabled && r.ScdEnabled);
    EXPECT_EQ(r.ArgosDataPack[0], 7);
    EXPECT_EQ(r.ArgosInterval, 90);
    EXPECT_EQ(r.ArgosRepeatCount, 4);
    EXPECT_EQ(r.ArgosTxPower, 2.5);
}

TEST(XmtrConfig, SectionClearingsRestoreRowsAndLabels) {
    XmtrConfig c;
    c.SDI12[3].Address = "1";
    c.SDI12[3].Label = "RAIN";
    c.Internal[2].Type = "TM";
    c.Internal[2].Label = "TEMP";
    c.TippingBucket.RollOver = 100;
    c.Equations = {"E1", "E2"};
    c.MinMaxAvg[0].SourceType = 'S';
    c.TimedData[0].SourceType = 'H';
    c.RandomData[0].SourceType = 'T';
    c.RandomTriggers[0].TriggerType = 'I';
    c.ClearSDI12();
    c.ClearInternal();
    c.ClearEquations();
    c.ClearMinMaxAvg();
    c.ClearTimedData();
    c.ClearRandomData();
    c.ClearRandomTriggers();
    EXPECT_EQ(c, XmtrConfig{});
}

TEST(XmtrConfig, CountsStopAtTheFirstGapWithTheirMinimums) {
    XmtrConfig c;
    EXPECT_EQ(c.DefinedSDI12Count(), 10);
    EXPECT_EQ(c.DefinedInternSensCount(), 5);
    EXPECT_EQ(c.DefinedMinMaxAvgCount(), 1);
    EXPECT_EQ(c.DefinedTimedDataCount(false), 1);
    EXPECT_EQ(c.DefinedRandomDataCount(), 1);
    EXPECT_EQ(c.DefinedRandomTriggerCount(), 1);

    for (int i : {0, 1, 2, 3, 5}) {
        c.MinMaxAvg[i].SourceType = 'S';
        c.TimedData[i].SourceType = 'S';
        c.RandomData[i].SourceType = 'H';
        c.RandomTriggers[i].TriggerType = 'H';
    }
    c.RandomTriggers[2].TriggerType = '\0'; // a zero type is free too
    EXPECT_EQ(c.DefinedMinMaxAvgCount(), 4);
    EXPECT_EQ(c.DefinedTimedDataCount(false), 4);
    EXPECT_EQ(c.DefinedTimedDataCount(true), 1);
    EXPECT_EQ(c.DefinedRandomDataCount(), 4);
    EXPECT_EQ(c.DefinedRandomTriggerCount(), 2);

    for (int i = 0; i < 12; ++i) {
        c.SDI12[i].Address = "0";
        c.Internal[i].Type = "TM";
    }
    c.SDI12[12].Append = true; // row 11 is still defined: 12 is not reached
    c.SDI12[11].Address.clear();
    c.SDI12[11].Append = true;
    c.Internal[7].Type = "";
    EXPECT_EQ(c.DefinedSDI12Count(), 13);
    EXPECT_EQ(c.DefinedInternSensCount(), 7);
    for (auto& r : c.SDI12) {
        r.Address = "1";
    }
    EXPECT_EQ(c.DefinedSDI12Count(), 64);
}

TEST(XmtrConfig, EnabledFlagsAfterALoadFollowTheChannelsAndNeverSwitchOff) {
    XmtrConfig c;
    c.DeriveEnabledAfterLoad(false);
    EXPECT_FALSE(c.TimedEnabled || c.RandomEnabled);
    c.RandomTx.ArgosChannel = "D17";
    c.DeriveEnabledAfterLoad(false);
    EXPECT_FALSE(c.RandomEnabled);
    c.DeriveEnabledAfterLoad(true);
    EXPECT_TRUE(c.RandomEnabled);
    c.TimedTx.Channel = 95;
    c.DeriveEnabledAfterLoad(false);
    EXPECT_TRUE(c.TimedEnabled);
    c.TimedTx.Channel = 0;
    c.DeriveEnabledAfterLoad(false);
    EXPECT_TRUE(c.TimedEnabled);
}

TEST(XmtrConfig, PresenceFollowsThePreferences) {
    XmtrConfig c;
    TGlbIni ini;
    ini.SDI12Visible = false;
    c.InitPresence(ini);
    EXPECT_FALSE(c.SDI12Present);
    EXPECT_TRUE(c.InternalPresent);
}

#include "protocol/UtilityControl.h"
#include "protocol/GlbIni.h"

#include <gtest/gtest.h>

using namespace tavin;

TEST(VersionCode, CutsTheDecimalDigitsWithoutBinaryRounding) {
    struct Case {
        const char* text;
        int code;
    };
    for (const Case& c : {Case{"1.15", 115},
                          {"1.14", 114},
                          {"1.305", 130},
                          {"1.30", 130},
                          {"1.3", 130},
                          {"1.29", 129},
                          {"1.11", 111},
                          {"2", 200},
                          {"1.999", 199},
                          {"0.5", 50}}) {
        bool ok = false;
        EXPECT_EQ(VersionCodeFromText(c.text, &ok), c.code) << c.text;
        EXPECT_TRUE(ok) << c.text;
    }
    for (const char* bad : {"", ".", "abc", "1.1.5", "-1.15", "1,15", "99999999999.1", " 1.15"}) {
        bool ok = true;
        EXPECT_EQ(VersionCodeFromText(bad, &ok), 0) << bad;
        EXPECT_FALSE(ok) << bad;
    }
    // The values a spin box hands over as doubles.
    EXPECT_EQ(VersionCodeFromDouble(1.15), 115);
    EXPECT_EQ(VersionCodeFromDouble(1.29), 129);
    EXPECT_EQ(VersionCodeFromDouble(1.305), 130);
    EXPECT_EQ(VersionCodeFromDouble(1.1 + 0.05), 115);
    EXPECT_EQ(VersionCodeFromDouble(0.57), 57);
    EXPECT_EQ(VersionCodeFromDouble(-1), 0);
    EXPECT_EQ(VersionCodeFromDouble(1e300), 0);
}

TEST(UtilityControl, SwitchesFollowTheCodeAndPreferences) {
    TGlbIni ini;
    TUtilityControl u;
    u.SetVersionCode(114, ini);
    EXPECT_FALSE(u.SensorTriggers());
    EXPECT_FALSE(u.SlashFillEnabled());
    u.SetVersionCode(115, ini);
    EXPECT_TRUE(u.SensorTriggers() && u.InternSensCodes() && u.ConcurrentFlag() &&
                u.SlashFillEnabled() && u.LongSensorIntervals());
    EXPECT_FALSE(u.LoggerModeEnabled()); // needs "ShowEnableLogger"
    u.SetVersionCode(129, ini);
    EXPECT_FALSE(u.ExtendedTables());
    EXPECT_TRUE(u.SensorTriggers());
    u.SetVersionCode(131, ini);
    EXPECT_TRUE(u.ExtendedTables() && u.MinMaxAvgEnabled() && u.EquationsEnabled() &&
                u.TimeZoneEnabled() && u.ProtectEnabled());
    EXPECT_FALSE(u.ClockFormats());
    u.SetVersionCode(132, ini);
    EXPECT_TRUE(u.ClockFormats());
    u.SetVersionCode(151, ini);
    EXPECT_TRUE(u.EquationMathFunctions());
    EXPECT_FALSE(u.VectorAverageEnabled() || u.EquationLabels() || u.DailyBucketReset());
    ini.VectorAverage = ini.LabelsInEquations = ini.ShowEnableLogger = true;
    u.SetVersionCode(153, ini);
    EXPECT_TRUE(u.VectorAverageEnabled() && u.EquationLabels() && u.DailyBucketReset() &&
                u.LoggerModeEnabled());
    EXPECT_EQ(u.VersionCode(), 153);
}

TEST(UtilityControl, RecomputesOnlyOnAChangeOrWhenForced) {
    TGlbIni ini;
    TUtilityControl u;
    int calls = 0;
    UtilitySwitchSet last;
    u.SetChangeHandler([&](const TUtilityControl&, UtilitySwitchSet changed) {
        ++calls;
        last = changed;
    });
    EXPECT_TRUE(u.SetVersionCode(111, ini)); // the first setting always counts
    EXPECT_EQ(calls, 1);
    EXPECT_TRUE(last.none());
    EXPECT_TRUE(u.SetVersionCode(130, ini));
    EXPECT_EQ(calls, 2);
    EXPECT_TRUE(last.test(static_cast<int>(UtilitySwitch::ExtendedTables)));
    EXPECT_TRUE(last.test(static_cast<int>(UtilitySwitch::SensorTriggers)));
    EXPECT_FALSE(last.test(static_cast<int>(UtilitySwitch::ClockFormats)));

    ini.ShowEnableLogger = true; // a preference change alone does nothing ...
    EXPECT_FALSE(u.SetVersionCode(130, ini));
    EXPECT_EQ(calls, 2);
    EXPECT_FALSE(u.LoggerModeEnabled());
    EXPECT_TRUE(u.SetVersionCode(130, ini, true)); // ... until the dialog forces it
    EXPECT_EQ(calls, 3);
    EXPECT_TRUE(u.LoggerModeEnabled());
    EXPECT_EQ(last.count(), 1u);
}

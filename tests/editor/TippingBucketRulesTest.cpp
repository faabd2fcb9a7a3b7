#include "editor/TippingBucketRules.h"
#include "SensorRulesFixture.h"
#include "editor/InternalSensorTests.h"
#include "editor/SensorGridTexts.h"

#include <gtest/gtest.h>

using namespace tavin;
using tavin::test::SensorRulesFixture;

namespace {

TEST(TippingBucketRules, ResetListAndNumberField) {
    struct Case {
        int code;
        const char* stored;
        int days;
        int hour;
        const char* shown;
        bool numberShown;
        int value;
        const char* label;
    };
    const Case cases[] = {
        {153, "Annually", 0, 0, "Annually", false, 0, ""},
        {153, "annually", 0, 0, "Annually", false, 0, ""},
        {153, "0", 0, 0, "None", false, 0, ""},
        {153, "Weekly", 0, 0, "None", false, 0, ""},
        {153, "Daily", 0, 5, "Daily", true, 5, texts::kTBDailyLabel},
        {130, "Daily", 0, 5, "None", false, 0, ""}, // not offered before 1.53
        {130, "Days", 7, 0, "Days", true, 7, texts::kTBDaysLabel},
        {130, "Days", 0, 0, "Days", true, 1, texts::kTBDaysLabel}, // never 0 days
        {130, "Days", 500, 0, "Days", true, 120, texts::kTBDaysLabel},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.code << " " << c.stored);
        SensorRulesFixture f(c.code);
        f.cfg.TippingBucket.ResetInterval = c.stored;
        f.cfg.TippingBucket.ResetDays = c.days;
        f.cfg.TippingBucket.ResetHour = c.hour;
        const TippingBucketView v = RefreshTippingBucketSetup(f.cfg, f.utility);
        EXPECT_EQ(v.resetEntries.size(), c.code >= 153 ? 7u : 6u);
        EXPECT_EQ(v.resetEntries[v.resetIndex], c.shown);
        EXPECT_EQ(f.cfg.TippingBucket.ResetInterval, c.shown);
        EXPECT_EQ(v.numberShown, c.numberShown);
        if (c.numberShown) {
            EXPECT_EQ(v.numberValue, c.value);
            EXPECT_EQ(v.numberLabel, c.label);
        }
    }
}

TEST(TippingBucketRules, Changes) {
    SensorRulesFixture f(153);
    ChooseTBResetInterval(f.cfg, f.utility, "Daily");
    SetTBResetNumber(f.cfg, 30);
    EXPECT_EQ(f.cfg.TippingBucket.ResetInterval, "Daily");
    EXPECT_EQ(f.cfg.TippingBucket.ResetHour, 23);
    ChooseTBResetInterval(f.cfg, f.utility, "Days");
    EXPECT_EQ(f.cfg.TippingBucket.ResetDays, 1);
    SetTBResetNumber(f.cfg, 14);
    EXPECT_EQ(f.cfg.TippingBucket.ResetDays, 14);
    EXPECT_EQ(f.cfg.TippingBucket.ResetHour, 23);
    ChooseTBResetInterval(f.cfg, f.utility, "Fortnightly");
    EXPECT_EQ(f.cfg.TippingBucket.ResetInterval, "Days");
    SetTBRollOver(f.cfg, 70000);
    EXPECT_EQ(f.cfg.TippingBucket.RollOver, 65535);
    SetTBMultiplier(f.cfg, 2);
    SetTBMultiplier(f.cfg, 12);
    EXPECT_EQ(f.cfg.TippingBucket.Multiplier, 2);
}

TEST(InternalSensorTests, Commands) {
    EXPECT_EQ(InternalTestQueries()[0].command, "IM*?");
    EXPECT_EQ(InternalTestQueries()[4].command, "TOT?");
    EXPECT_EQ(BucketPresetCommand(12), "TBC=12");
    EXPECT_EQ(InternalSensorTestModeCommand(true, false), "IST=1");
    EXPECT_EQ(InternalSensorTestModeCommand(true, true), "IST=3");
    EXPECT_EQ(InternalSensorTestModeCommand(false, false), "IST=0");

    SensorRulesFixture f;
    EXPECT_EQ(EquationTestCommand(f.cfg, 3), std::nullopt);
    f.Internal(1, "E4");
    f.Internal(2, "TM");
    f.Internal(5, "E0");
    EXPECT_EQ(EquationTestCommand(f.cfg, 3), "EQT=E4");
    EXPECT_EQ(EquationTestCommand(f.cfg, 5), "EQT=E0");
    EXPECT_EQ(EquationTestCommand(f.cfg, 0), std::nullopt);
}

} // namespace

#include "editor/GeneralSetupRules.h"
#include "editor/SetupPageTexts.h"

#include <gtest/gtest.h>

using namespace tavin;

TEST(GeneralSetupRules, TransmissionTypeDecidesChoiceAndPowers) {
    XmtrConfig cfg;
    cfg.RandomTx.ScdEnabled = true; // kept while ARGOS is off
    GeneralSetupView v = GeneralSetupViewFor(cfg, {});
    EXPECT_FALSE(v.ArgosTicked);
    EXPECT_FALSE(v.ChoiceEnabled);
    EXPECT_EQ(v.ScdChoice, -1);
    EXPECT_TRUE(v.GoesPowersShown);
    EXPECT_FALSE(v.ArgosPowerShown);

    cfg.RandomTx.ArgosEnabled = true;
    v = GeneralSetupViewFor(cfg, {});
    EXPECT_TRUE(v.ChoiceEnabled);
    EXPECT_EQ(v.ScdChoice, kChoiceScd);
    EXPECT_FALSE(v.GoesPowersShown);
    EXPECT_TRUE(v.ArgosPowerShown);
    cfg.RandomTx.ScdEnabled = false;
    EXPECT_EQ(GeneralSetupViewFor(cfg, {}).ScdChoice, kChoiceArgos);
}

TEST(GeneralSetupRules, FeatureSwitchesAndAdvancedSettingsShowTheirGroups) {
    const XmtrConfig cfg;
    GeneralSetupView v = GeneralSetupViewFor(cfg, {});
    EXPECT_FALSE(v.SlashShown || v.TimeZoneShown || v.LoggerEnabled || v.AdvancedShown ||
                 v.AllGpsFieldsShown);
    v = GeneralSetupViewFor(cfg, {true, true, true, true});
    EXPECT_TRUE(v.SlashShown && v.TimeZoneShown && v.LoggerEnabled && v.AdvancedShown &&
                v.AllGpsFieldsShown);
}

TEST(GeneralSetupRules, PlatformIdFollowsTheArgosFlag) {
    XmtrConfig cfg;
    StorePlatformId(cfg, "3A5C1E22");
    EXPECT_EQ(cfg.PlatformIdGoes, "3A5C1E22");
    cfg.RandomTx.ArgosEnabled = true;
    StorePlatformId(cfg, "ABCDE");
    EXPECT_EQ(cfg.PlatformIdArgos, "ABCDE");
    EXPECT_EQ(cfg.PlatformIdGoes, "3A5C1E22");
    EXPECT_EQ(PlatformIdOfMode(cfg), "ABCDE");
}

TEST(GeneralSetupRules, InformationLines) {
    struct Case {
        const char* page;
        bool editing;
        bool timed, timedSensor, random, randomSensor;
        const char* line;
    };
    const char* none = "";
    const Case cases[] = {
        {"TabSDI12", true, true, false, true, false, texts::kSensorsNotEnabled},
        {"TabInternalSensors", true, false, true, false, false, texts::kSensorsNotEnabled},
        {"TabSDI12", true, true, true, false, false, none},
        {"TabSDI12", true, false, false, true, true, none},
        {"TabSDI12", false, false, false, false, false, none},
        {"TabTimedDataFormat", true, false, false, true, true, texts::kTimedDisabledInfo},
        {"TabTimedDataFormat", true, true, false, false, false, none},
        {"TabRandomDataFormat", true, true, true, false, false, texts::kRandomDisabledInfo},
        {"TabRandomTrigger", true, true, true, true, false, texts::kSensorsNotEnabled},
        {"TabRandomTrigger", true, false, false, true, true, none},
        {"TabEquations", true, false, false, false, false, none},
    };
    for (const Case& c : cases) {
        XmtrConfig cfg;
        cfg.TimedEnabled = c.timed;
        cfg.TimedTx.DataSource = c.timedSensor ? 1 : 0;
        cfg.RandomEnabled = c.random;
        cfg.RandomTx.DataSource = c.randomSensor ? 1 : 0;
        EXPECT_EQ(PageInfoLine(c.page, cfg, {c.editing}), c.line) << c.page;
    }
}

TEST(GeneralSetupRules, DataPackUnusableWhileRandomSensorsInEditing) {
    XmtrConfig cfg;
    cfg.RandomTx.DataSource = 1;
    EXPECT_FALSE(ArgosDataPackUsable(cfg, {true}));
    EXPECT_TRUE(ArgosDataPackUsable(cfg, {false}));
    cfg.RandomTx.DataSource = 0;
    EXPECT_TRUE(ArgosDataPackUsable(cfg, {true}));
}

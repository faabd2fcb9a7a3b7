#include "files/PrefsDialogModel.h"

#include <gtest/gtest.h>

using namespace tavin;

namespace {

using B = PrefsBox;

TGlbIni AllBoxes(bool on) {
    TGlbIni ini;
    for (int i = 0; i < kPrefsBoxCount; ++i) {
        ini.*PrefsBoxSetting(static_cast<PrefsBox>(i)) = on;
    }
    ini.DefaultExtended = false; // it would untick the logging triggers
    return ini;
}
TGlbIni AllOn() {
    return AllBoxes(true);
}

// checked/enabled of the boxes the firmware version decides.
struct Expect {
    int protect, password, logger, defExtended, defLogTrigger, labels, vector;
};

void CheckBoxes(const PrefsDialogModel& m, const Expect& e, bool settingsOn, const char* where) {
    const struct {
        B box;
        int state; // 0 unticked disabled, 1 from setting enabled, 2 unticked enabled
    } rows[] = {{B::Protect, e.protect},
                {B::PasswordPrompt, e.password},
                {B::ShowEnableLogger, e.logger},
                {B::DefaultExtended, e.defExtended},
                {B::DefaultLogTrigger, e.defLogTrigger},
                {B::LabelsInEquations, e.labels},
                {B::VectorAverage, e.vector}};
    for (const auto& r : rows) {
        const PrefsBoxState s = m.Box(r.box);
        EXPECT_EQ(s.enabled, r.state != 0) << where << " box " << int(r.box);
        EXPECT_EQ(s.checked, r.state == 1 && settingsOn) << where << " box " << int(r.box);
    }
}

} // namespace

TEST(PrefsDialogModel, VersionRulesByCodeRangeOnOpeningAndOnEverySpinChange) {
    const struct {
        double version;
        Expect e;
    } cases[] = {
        {1.14, {0, 0, 0, 0, 0, 0, 0}}, {0.00, {0, 0, 0, 0, 0, 0, 0}},
        {1.15, {0, 0, 1, 0, 1, 0, 0}}, {1.29, {0, 0, 1, 0, 1, 0, 0}},
        {1.30, {1, 2, 1, 2, 1, 0, 0}}, {1.51, {1, 2, 1, 2, 1, 0, 0}},
        {1.52, {1, 2, 1, 2, 1, 1, 1}}, {19.99, {1, 2, 1, 2, 1, 1, 1}},
    };
    for (bool on : {true, false}) {
        TGlbIni ini = AllBoxes(on);
        ini.DownloadSave = true; // Protect depends on it: see the AutoSave test
        for (const auto& c : cases) {
            const std::string where = std::to_string(c.version) + (on ? " on" : " off");
            // Opened at that code...
            PrefsDialogModel opened(ini, int(c.version * 100 + 0.5));
            EXPECT_DOUBLE_EQ(opened.Version(), int(c.version * 100 + 0.5) / 100.0);
            CheckBoxes(opened, c.e, on, ("opened " + where).c_str());
            // ...and reached by turning the spin from the other end.
            PrefsDialogModel turned(ini, c.version < 1.3 ? 153 : 100);
            turned.SetVersion(c.version);
            CheckBoxes(turned, c.e, on, ("turned " + where).c_str());
        }
    }
}

TEST(PrefsDialogModel, VersionCodeOfTheSpinIsWorkedOutOnItsDecimals) {
    PrefsDialogModel m(TGlbIni{}, 111);
    for (auto [version, code] : {std::pair{1.15, 115}, {1.14, 114}, {1.305, 130}, {0.0, 0}}) {
        m.SetVersion(version);
        EXPECT_EQ(m.VersionCode(), code) << version;
    }
}

TEST(PrefsDialogModel, AutoSaveGovernsProtectDownload) {
    PrefsDialogModel m(AllOn(), 153);
    EXPECT_TRUE(m.Box(B::Protect).checked);
    m.Click(B::DownloadSave, false);
    EXPECT_EQ(m.Box(B::Protect).checked, false);
    EXPECT_EQ(m.Box(B::Protect).enabled, false);
    // Unticking AutoSave and pressing OK stores "Protect" as no.
    EXPECT_FALSE(m.Accepted().Protect);
    EXPECT_FALSE(m.Accepted().DownloadSave);
    m.Click(B::DownloadSave, true);
    EXPECT_TRUE(m.Box(B::Protect).checked); // loaded from its setting again
    EXPECT_TRUE(m.Box(B::Protect).enabled);
    EXPECT_TRUE(m.Accepted().Protect);

    // Firmware without the protect command keeps it off whatever AutoSave says.
    m.SetVersion(1.20);
    m.Click(B::DownloadSave, false);
    m.Click(B::DownloadSave, true);
    EXPECT_FALSE(m.Box(B::Protect).enabled);
    EXPECT_FALSE(m.Accepted().Protect);
}

TEST(PrefsDialogModel, BoxesStoredAtOnceComeBackAfterAVersionChange) {
    PrefsDialogModel m(AllOn(), 153);
    m.Click(B::Protect, false);
    m.Click(B::DefaultLogTrigger, false);
    EXPECT_FALSE(m.Working().Protect);
    EXPECT_FALSE(m.Working().DefaultLogTrigger);
    // An OK-only box is not stored before OK.
    m.Click(B::ShowEnableLogger, false);
    EXPECT_TRUE(m.Working().ShowEnableLogger);
    m.SetVersion(1.10);
    m.SetVersion(1.53);
    EXPECT_FALSE(m.Box(B::Protect).checked);
    EXPECT_FALSE(m.Box(B::DefaultLogTrigger).checked);
    EXPECT_TRUE(m.Box(B::ShowEnableLogger).checked); // its setting, not the click

    // A click on a disabled box changes nothing.
    m.SetVersion(1.10);
    m.Click(B::DefaultLogTrigger, true);
    EXPECT_FALSE(m.Working().DefaultLogTrigger);
}

TEST(PrefsDialogModel, DefaultExtendedTakesTheLoggingTriggersBox) {
    PrefsDialogModel m(AllOn(), 153);
    m.Click(B::DefaultExtended, true);
    EXPECT_FALSE(m.Box(B::DefaultLogTrigger).checked);
    EXPECT_FALSE(m.Box(B::DefaultLogTrigger).enabled);
    EXPECT_TRUE(m.Working().DefaultLogTrigger); // unticking by the rule stores nothing
    m.Click(B::DefaultExtended, false);
    EXPECT_TRUE(m.Box(B::DefaultLogTrigger).checked);
    EXPECT_TRUE(m.Box(B::DefaultLogTrigger).enabled);
}

TEST(PrefsDialogModel, ArgosScdAndItsChoiceAreStoredAtOnce) {
    TGlbIni ini;
    ini.SCD = true;
    PrefsDialogModel m(ini, 153);
    EXPECT_FALSE(m.ChoiceEnabled());
    EXPECT_EQ(m.Choice(), ScdChoice::None);
    m.Choose(false); // ignored while disabled
    EXPECT_TRUE(m.Working().SCD);

    m.Click(B::ArgosScd, true);
    EXPECT_TRUE(m.Working().ARGOS_SCD);
    EXPECT_TRUE(m.ChoiceEnabled());
    EXPECT_EQ(m.Choice(), ScdChoice::Scd);
    m.Choose(false);
    EXPECT_EQ(m.Choice(), ScdChoice::Argos);
    EXPECT_FALSE(m.Working().SCD);

    m.Click(B::ArgosScd, false);
    EXPECT_FALSE(m.Working().ARGOS_SCD);
    EXPECT_FALSE(m.ChoiceEnabled());
    EXPECT_EQ(m.Choice(), ScdChoice::None);
    EXPECT_FALSE(m.Working().SCD); // unticking leaves the choice's setting alone

    // Opening with ARGOS/SCD on shows the stored choice.
    ini.ARGOS_SCD = true;
    ini.SCD = false;
    PrefsDialogModel argos(ini, 153);
    EXPECT_TRUE(argos.ChoiceEnabled());
    EXPECT_EQ(argos.Choice(), ScdChoice::Argos);
}

TEST(PrefsDialogModel, OkStoresEveryBoxAndSetDefaultTheVersion) {
    const TGlbIni defaults;
    PrefsDialogModel m(defaults, 153);
    // Every box the firmware allows is flipped; OK stores it.
    for (int i = 0; i < kPrefsBoxCount; ++i) {
        const auto box = static_cast<PrefsBox>(i);
        if (box != B::DownloadSave && box != B::DefaultExtended) {
            m.Click(box, !m.Box(box).checked);
        }
    }
    const TGlbIni ok = m.Accepted();
    for (int i = 0; i < kPrefsBoxCount; ++i) {
        const auto box = static_cast<PrefsBox>(i);
        if (box != B::DownloadSave && box != B::DefaultExtended) {
            EXPECT_NE(ok.*PrefsBoxSetting(box), defaults.*PrefsBoxSetting(box)) << i;
        }
    }
    // "Prompt for Password" always opens unticked, whatever is stored.
    TGlbIni asked;
    asked.PasswordPrompt = true;
    EXPECT_FALSE(PrefsDialogModel(asked, 153).Box(B::PasswordPrompt).checked);
    EXPECT_FALSE(PrefsDialogModel(asked, 153).Accepted().PasswordPrompt);

    // The spin sets the switches' code; only "Set Default" changes the
    // version assumed at start-up.
    m.SetVersion(1.35);
    EXPECT_EQ(m.VersionCode(), 135);
    EXPECT_EQ(m.Accepted().TAVINVersion, defaults.TAVINVersion);
    m.SetDefault();
    EXPECT_EQ(m.Working().TAVINVersion, 1.35);
    EXPECT_EQ(m.Accepted().TAVINVersion, 1.35);
}

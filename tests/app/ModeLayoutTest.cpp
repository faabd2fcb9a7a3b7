#include "app/ModeLayout.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace tavin;

namespace {

ItemChange ShownOf(const ModeLayout& l, const std::string& name) {
    for (const auto& i : l.shown) {
        if (i.name == name) {
            return i.change;
        }
    }
    ADD_FAILURE() << "no item " << name;
    return ItemChange::Off;
}

ItemChange MenuOf(const ModeLayout& l, const std::string& name) {
    for (const auto& i : l.menus) {
        if (i.name == name) {
            return i.change;
        }
    }
    ADD_FAILURE() << "no menu " << name;
    return ItemChange::Off;
}

PageState PageOf(const ModeLayout& l, const std::string& name) {
    for (const auto& p : l.pages) {
        if (p.name == name) {
            return p;
        }
    }
    ADD_FAILURE() << "no page " << name;
    return {};
}

constexpr OperatingMode kModes[] = {OperatingMode::Idle, OperatingMode::CreateTemplate,
                                    OperatingMode::ConfigFromTemplate, OperatingMode::ConfigControl,
                                    OperatingMode::Monitor};

// One row of the table: the expected cell per mode, as "0", "1" or "-"
// (unchanged), with the preferences at their defaults.
struct RowCase {
    const char* name;
    const char* cells; // Idle, template, from template, control, monitor
    bool menu = false;
};

const RowCase kRows[] = {
    {"BtnRefreshAll", "00011"},
    {"BtnConfigAll", "00110"},
    {"BtnSaveConfig", "00000"}, // DownloadSave on by default
    {"BtnRestoreConfig", "00000"},
    {"BtnCheckConfig", "00110"},
    {"BtnCheckLocal", "00110"},
    {"BtnCheckTemplate", "01000"},
    {"BtnEnableTx", "00010"},
    {"BtnDisableTx", "00010"},
    {"BtnRestoreFactDefaults", "00010"},
    {"BtnEnableLogger", "00000"}, // no logger feature
    {"gbPlatformID", "00110"},
    {"gbTimeDateSetup", "00010"},
    {"gbUTCCorrection", "00010"},
    {"gbTAVINInfo", "00001"},
    {"gbTxTmpData", "00100"},
    {"gbSDI12Query", "-0010"},
    {"cbEnableInternalSensorTests", "-0010"},
    {"subItmOpenConfig", "00010", true},
    {"subItmSaveConfig", "00010", true},
    {"MenuNewTemplate", "01010", true},
    {"MenuSaveTemplate", "01010", true},
    {"MenuOpenTemplate", "01110", true},
    {"MenuTAVINControl", "11111", true},
    {"MenuAdvancedSettings", "11111", true},
};

} // namespace

TEST(ModeLayout, EveryModeFollowsTheTable) {
    const ModeLayoutInputs in;
    for (const RowCase& row : kRows) {
        for (int m = 0; m < 5; ++m) {
            const ModeLayout layout = LayoutForMode(kModes[m], in);
            const ItemChange want = row.cells[m] == '1'   ? ItemChange::On
                                    : row.cells[m] == '-' ? ItemChange::Unchanged
                                                          : ItemChange::Off;
            const ItemChange got = row.menu ? MenuOf(layout, row.name) : ShownOf(layout, row.name);
            EXPECT_EQ(got, want) << row.name << " in mode " << m;
        }
    }
}

TEST(ModeLayout, ConditionalCellsFollowPreferencesAndFeatures) {
    ModeLayoutInputs in;
    in.DownloadSave = false;
    in.LoggerModeEnabled = true;
    for (OperatingMode m : {OperatingMode::ConfigFromTemplate, OperatingMode::ConfigControl}) {
        EXPECT_EQ(ShownOf(LayoutForMode(m, in), "BtnSaveConfig"), ItemChange::On);
        EXPECT_EQ(ShownOf(LayoutForMode(m, in), "BtnRestoreConfig"), ItemChange::On);
    }
    EXPECT_EQ(ShownOf(LayoutForMode(OperatingMode::Monitor, in), "BtnSaveConfig"), ItemChange::Off);
    EXPECT_EQ(ShownOf(LayoutForMode(OperatingMode::ConfigControl, in), "BtnEnableLogger"),
              ItemChange::On);
    EXPECT_EQ(ShownOf(LayoutForMode(OperatingMode::ConfigFromTemplate, in), "BtnEnableLogger"),
              ItemChange::Off);
}

TEST(ModeLayout, PagesHideWhenIdleAndFollowTheSettingsOtherwise) {
    ModeLayoutInputs in;
    in.EquationsEnabled = true;
    in.RandomDataSourceSet = false;
    const ModeLayout idle = LayoutForMode(OperatingMode::Idle, in);
    for (const PageState& p : idle.pages) {
        EXPECT_FALSE(p.shown) << p.name;
    }
    const ModeLayout control = LayoutForMode(OperatingMode::ConfigControl, in);
    EXPECT_TRUE(PageOf(control, "TabGeneralTxConfiguration").shown);
    EXPECT_TRUE(PageOf(control, "TabEquations").shown);
    EXPECT_FALSE(PageOf(control, "TabMinMaxAvg").shown);
    EXPECT_TRUE(PageOf(control, "TabTimedDataFormat").shown);
    EXPECT_FALSE(PageOf(control, "TabRandomTrigger").shown);
    EXPECT_FALSE(PageOf(control, "TabARGOSDataPack").shown);

    in.ArgosScd = true;
    in.RandomDataSourceSet = true;
    const ModeLayout argos = LayoutForMode(OperatingMode::ConfigControl, in);
    EXPECT_FALSE(PageOf(argos, "TabTimedDataFormat").shown);
    EXPECT_TRUE(PageOf(argos, "TabRandomTrigger").shown);
    EXPECT_TRUE(PageOf(argos, "TabARGOSDataPack").shown);
}

TEST(ModeLayout, MonitorIsViewOnlyAndTemplatesMayForbidEdits) {
    ModeLayoutInputs in;
    const ModeLayout monitor = LayoutForMode(OperatingMode::Monitor, in);
    EXPECT_TRUE(PageOf(monitor, "TabTxSetup").shown);
    EXPECT_FALSE(PageOf(monitor, "TabTxSetup").enabled);
    EXPECT_FALSE(PageOf(monitor, "TabSDI12").enabled);
    EXPECT_TRUE(PageOf(LayoutForMode(OperatingMode::ConfigFromTemplate, in), "TabSDI12").enabled);
    in.ModifyOnDownload = false;
    EXPECT_FALSE(PageOf(LayoutForMode(OperatingMode::ConfigFromTemplate, in), "TabSDI12").enabled);
    EXPECT_TRUE(PageOf(LayoutForMode(OperatingMode::CreateTemplate, in), "TabSDI12").enabled);
}

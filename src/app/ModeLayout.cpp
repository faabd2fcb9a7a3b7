#include "app/ModeLayout.h"

#include <array>

namespace tavin {

namespace {

using M = OperatingMode;
constexpr int kModes = 5;

int Column(M mode) {
    return static_cast<int>(mode);
}

// 0 off, 1 on, 2 unchanged, 3 on only without DownloadSave ("DS"), 4 on only
// with the logger-mode feature ("LM").
struct Row {
    const char* name;
    std::array<int, kModes> cells; // Idle, template, from template, control, monitor
};

constexpr Row kShownRows[] = {
    {"BtnRefreshAll", {0, 0, 0, 1, 1}},    {"BtnConfigAll", {0, 0, 1, 1, 0}},
    {"BtnSaveConfig", {0, 0, 3, 3, 0}},    {"BtnRestoreConfig", {0, 0, 3, 3, 0}},
    {"BtnCheckConfig", {0, 0, 1, 1, 0}},   {"BtnCheckLocal", {0, 0, 1, 1, 0}},
    {"BtnCheckTemplate", {0, 1, 0, 0, 0}}, {"BtnEnableTx", {0, 0, 0, 1, 0}},
    {"BtnDisableTx", {0, 0, 0, 1, 0}},     {"BtnRestoreFactDefaults", {0, 0, 0, 1, 0}},
    {"BtnEnableLogger", {0, 0, 0, 4, 0}},  {"gbPlatformID", {0, 0, 1, 1, 0}},
    {"gbTimeDateSetup", {0, 0, 0, 1, 0}},  {"gbUTCCorrection", {0, 0, 0, 1, 0}},
    {"gbTAVINInfo", {0, 0, 0, 0, 1}},      {"gbTxTmpData", {0, 0, 1, 0, 0}},
    {"gbSDI12Query", {2, 0, 0, 1, 0}},     {"BtnSDI12NextSample", {2, 0, 0, 1, 0}},
    {"BtnSDI12Query", {2, 0, 0, 1, 0}},    {"cbEnableInternalSensorTests", {2, 0, 0, 1, 0}},
};

constexpr Row kMenuRows[] = {
    {"subItmOpenConfig", {0, 0, 0, 1, 0}},     {"subItmSaveConfig", {0, 0, 0, 1, 0}},
    {"MenuNewTemplate", {0, 1, 0, 1, 0}},      {"MenuSaveTemplate", {0, 1, 0, 1, 0}},
    {"MenuOpenTemplate", {0, 1, 1, 1, 0}},     {"MenuAdvanced", {1, 1, 1, 1, 1}},
    {"MenuTAVINControl", {1, 1, 1, 1, 1}},     {"MenuTAVINStatus", {1, 1, 1, 1, 1}},
    {"MenuTAVINTxTest", {1, 1, 1, 1, 1}},      {"MenuTAVINCal", {1, 1, 1, 1, 1}},
    {"MenuAdvancedSettings", {1, 1, 1, 1, 1}},
};

ItemChange Cell(int cell, const ModeLayoutInputs& in) {
    switch (cell) {
    case 1:
        return ItemChange::On;
    case 2:
        return ItemChange::Unchanged;
    case 3:
        return in.DownloadSave ? ItemChange::Off : ItemChange::On;
    case 4:
        return in.LoggerModeEnabled ? ItemChange::On : ItemChange::Off;
    default:
        return ItemChange::Off;
    }
}

} // namespace

const std::vector<std::string>& TablePageNames() {
    static const std::vector<std::string> names = {
        "TabEquations",     "TabSDI12",           "TabInternalSensors",
        "TabMinMaxAvg",     "TabTimedDataFormat", "TabRandomDataFormat",
        "TabRandomTrigger", "TabARGOSDataPack",
    };
    return names;
}

ModeLayout LayoutForMode(OperatingMode mode, const ModeLayoutInputs& in) {
    ModeLayout out;
    const int col = Column(mode);
    for (const Row& row : kShownRows) {
        out.shown.push_back({row.name, Cell(row.cells[col], in)});
    }
    for (const Row& row : kMenuRows) {
        out.menus.push_back({row.name, Cell(row.cells[col], in)});
    }
    out.calibrationMenuVisible = in.CalOptionVisible;

    const bool idle = mode == M::Idle;
    // Monitoring is view only; configuring from a template may forbid edits.
    const bool editable =
        mode != M::Monitor && !(mode == M::ConfigFromTemplate && !in.ModifyOnDownload);
    out.pages.push_back({"TabGeneralTxConfiguration", !idle, editable});
    out.pages.push_back({"TabTxSetup", !idle, editable});

    auto table = [&](const char* name, bool shownOutsideIdle) {
        out.pages.push_back({name, !idle && shownOutsideIdle, editable});
    };
    table("TabEquations", in.EquationsEnabled);
    table("TabSDI12", in.SDI12Visible);
    table("TabInternalSensors", in.InternalTabVisible);
    table("TabMinMaxAvg", in.MinMaxAvgEnabled);
    table("TabTimedDataFormat", in.TdfTabVisible && !in.ArgosScd);
    table("TabRandomDataFormat", in.RdfTabVisible);
    table("TabRandomTrigger", in.RdfTabVisible && in.RandomDataSourceSet);
    table("TabARGOSDataPack", in.ArgosScd);
    return out;
}

} // namespace tavin

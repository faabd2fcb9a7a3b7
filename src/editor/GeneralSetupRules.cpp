#include "editor/GeneralSetupRules.h"

#include "editor/SetupPageTexts.h"

namespace tavin {

GeneralSetupView GeneralSetupViewFor(const XmtrConfig& cfg, const GeneralSetupInputs& in) {
    GeneralSetupView v;
    v.ArgosTicked = cfg.RandomTx.ArgosEnabled;
    v.ChoiceEnabled = v.ArgosTicked;
    if (v.ArgosTicked) {
        v.ScdChoice = cfg.RandomTx.ScdEnabled ? kChoiceScd : kChoiceArgos;
    }
    v.GoesPowersShown = !v.ArgosTicked;
    v.ArgosPowerShown = v.ArgosTicked;
    v.SlashShown = in.SlashFillEnabled;
    v.TimeZoneShown = in.TimeZoneEnabled;
    v.LoggerEnabled = in.LoggerModeEnabled;
    v.AdvancedShown = in.AdvancedSettings;
    v.AllGpsFieldsShown = in.AdvancedSettings;
    return v;
}

const std::string& PlatformIdOfMode(const XmtrConfig& cfg) {
    return cfg.RandomTx.ArgosEnabled ? cfg.PlatformIdArgos : cfg.PlatformIdGoes;
}

void StorePlatformId(XmtrConfig& cfg, const std::string& text) {
    (cfg.RandomTx.ArgosEnabled ? cfg.PlatformIdArgos : cfg.PlatformIdGoes) = text;
}

bool SensorsInUse(const XmtrConfig& cfg) {
    return (cfg.TimedEnabled && cfg.TimedTx.DataSource == 1) ||
           (cfg.RandomEnabled && cfg.RandomTx.DataSource == 1);
}

std::string PageInfoLine(const std::string& page, const XmtrConfig& cfg,
                         const PageChangeInputs& in) {
    if (!in.EditingMode) {
        return {};
    }
    if (page == "TabSDI12" || page == "TabInternalSensors") {
        return SensorsInUse(cfg) ? std::string() : texts::kSensorsNotEnabled;
    }
    if (page == "TabTimedDataFormat") {
        return cfg.TimedEnabled ? std::string() : texts::kTimedDisabledInfo;
    }
    if (page == "TabRandomDataFormat") {
        return cfg.RandomEnabled ? std::string() : texts::kRandomDisabledInfo;
    }
    if (page == "TabRandomTrigger") {
        const bool randomSensors = cfg.RandomEnabled && cfg.RandomTx.DataSource == 1;
        return randomSensors ? std::string() : texts::kSensorsNotEnabled;
    }
    return {};
}

bool ArgosDataPackUsable(const XmtrConfig& cfg, const PageChangeInputs& in) {
    return !(in.EditingMode && cfg.RandomTx.DataSource == 1);
}

} // namespace tavin

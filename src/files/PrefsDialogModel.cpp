#include "files/PrefsDialogModel.h"

#include "protocol/UtilityControl.h"

namespace tavin {
namespace {

// Firmware levels at which the boxes of the dialog apply.
constexpr int kTriggersCode = 115;
constexpr int kExtendedCode = 130;
constexpr int kLabelsCode = 152;

} // namespace

bool TGlbIni::*PrefsBoxSetting(PrefsBox box) {
    using G = TGlbIni;
    static constexpr bool G::*kSettings[kPrefsBoxCount] = {
        &G::WorkOffline,      &G::ShowStartUpScreen,  &G::DownloadSave,      &G::Protect,
        &G::ShowFeedback,     &G::SaveLogAsHex,       &G::SaveLogToFile,     &G::PasswordPrompt,
        &G::ShowEnableLogger, &G::SoundOnError,       &G::ModifyOnDownload,  &G::LabelsInEquations,
        &G::VectorAverage,    &G::DefaultExtended,    &G::DefaultLogTrigger, &G::AllowIntervalDays,
        &G::TdfTabVisible,    &G::RdfTabVisible,      &G::ARGOS_SCD,         &G::SDI12AllowChars,
        &G::SDI12Visible,     &G::InternalTabVisible, &G::CalOptionVisible,
    };
    return kSettings[static_cast<int>(box)];
}

PrefsDialogModel::PrefsDialogModel(const TGlbIni& settings, int versionCode)
    : initialCode_(versionCode < 0 ? 0 : versionCode), work_(settings) {
    Load();
}

void PrefsDialogModel::Load() {
    for (int i = 0; i < kPrefsBoxCount; ++i) {
        const auto box = static_cast<PrefsBox>(i);
        Set(box, Setting(box), true);
    }
    version_ = initialCode_ / 100.0;
    ApplyVersionRules();
    FollowArgosScd();
}

int PrefsDialogModel::VersionCode() const {
    return VersionCodeFromDouble(version_);
}

void PrefsDialogModel::SetVersion(double version) {
    version_ = version;
    ApplyVersionRules();
}

void PrefsDialogModel::Set(PrefsBox box, bool checked, bool enabled) {
    At(box) = {checked, enabled};
}

void PrefsDialogModel::ApplyVersionRules() {
    const int code = VersionCode();
    const bool triggers = code >= kTriggersCode;
    const bool extended = code >= kExtendedCode;
    const bool labels = code >= kLabelsCode;
    // "Prompt for Password" always starts unticked: a send asks for the
    // password only when the user asks for it this time.
    Set(PrefsBox::PasswordPrompt, false, extended);
    Set(PrefsBox::ShowEnableLogger, triggers && Setting(PrefsBox::ShowEnableLogger), triggers);
    Set(PrefsBox::DefaultExtended, false, extended);
    for (PrefsBox box : {PrefsBox::LabelsInEquations, PrefsBox::VectorAverage}) {
        Set(box, labels && Setting(box), labels);
    }
    FollowAutoSave();
    FollowDefaultExtended();
}

void PrefsDialogModel::FollowAutoSave() {
    // Protecting a download needs the save that follows it, and firmware
    // that knows the protect command.
    const bool enabled = Box(PrefsBox::DownloadSave).checked && VersionCode() >= kExtendedCode;
    Set(PrefsBox::Protect, enabled && Setting(PrefsBox::Protect), enabled);
}

void PrefsDialogModel::FollowDefaultExtended() {
    const bool enabled = !Box(PrefsBox::DefaultExtended).checked && VersionCode() >= kTriggersCode;
    Set(PrefsBox::DefaultLogTrigger, enabled && Setting(PrefsBox::DefaultLogTrigger), enabled);
}

void PrefsDialogModel::FollowArgosScd() {
    const bool on = Box(PrefsBox::ArgosScd).checked;
    choiceEnabled_ = on;
    choice_ = !on ? ScdChoice::None : work_.SCD ? ScdChoice::Scd : ScdChoice::Argos;
}

void PrefsDialogModel::Click(PrefsBox box, bool checked) {
    if (!Box(box).enabled) {
        return;
    }
    At(box).checked = checked;
    switch (box) {
    case PrefsBox::DownloadSave:
        FollowAutoSave();
        break;
    case PrefsBox::DefaultExtended:
        FollowDefaultExtended();
        break;
    // These three are stored as soon as they are clicked.
    case PrefsBox::Protect:
    case PrefsBox::DefaultLogTrigger:
        work_.*PrefsBoxSetting(box) = checked;
        break;
    case PrefsBox::ArgosScd:
        work_.ARGOS_SCD = checked;
        FollowArgosScd();
        break;
    default:
        break;
    }
}

void PrefsDialogModel::Choose(bool scd) {
    if (!choiceEnabled_) {
        return;
    }
    work_.SCD = scd;
    choice_ = scd ? ScdChoice::Scd : ScdChoice::Argos;
}

void PrefsDialogModel::SetDefault() {
    work_.TAVINVersion = version_;
}

TGlbIni PrefsDialogModel::Accepted() const {
    TGlbIni out = work_;
    for (int i = 0; i < kPrefsBoxCount; ++i) {
        const auto box = static_cast<PrefsBox>(i);
        if (box != PrefsBox::DefaultLogTrigger && box != PrefsBox::ArgosScd) {
            out.*PrefsBoxSetting(box) = Box(box).checked;
        }
    }
    out.Protect = Box(PrefsBox::DownloadSave).checked && Box(PrefsBox::Protect).checked;
    return out;
}

} // namespace tavin

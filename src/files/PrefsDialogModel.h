#pragma once
// What the preferences dialog shows and stores, without a display. The dialog
// works on a copy of the settings: a few boxes store into that copy as soon
// as they are clicked (so that later version changes load them back), the
// others are stored into it by OK. The caller takes the copy only on OK, so
// Cancel leaves the settings exactly as they were.

#include "protocol/GlbIni.h"

#include <array>

namespace tavin {

// Every tick box of the dialog, one per preference.
enum class PrefsBox {
    WorkOffline,
    ShowStartUpScreen,
    DownloadSave, // "AutoSave Configuration to TAVIN on Download"
    Protect,      // "Protect Download"
    ShowFeedback,
    SaveLogAsHex,
    SaveLogToFile,
    PasswordPrompt,
    ShowEnableLogger,
    SoundOnError,
    ModifyOnDownload,
    LabelsInEquations,
    VectorAverage,
    DefaultExtended,   // hidden: "Default To Extend Command Set"
    DefaultLogTrigger, // hidden: "Default Logging Triggers"
    AllowIntervalDays,
    TdfTabVisible,
    RdfTabVisible,
    ArgosScd, // "Enable ARGOS/SCD"
    SDI12AllowChars,
    SDI12Visible,
    InternalTabVisible,
    CalOptionVisible,
};
inline constexpr int kPrefsBoxCount = 23;

// The preference a box stands for.
bool TGlbIni::*PrefsBoxSetting(PrefsBox box);

// The "SCD"/"ARGOS" choice under "Enable ARGOS/SCD".
enum class ScdChoice { None, Scd, Argos };

struct PrefsBoxState {
    bool checked = false;
    bool enabled = true;
};

class PrefsDialogModel {
public:
    // The current settings and the version code of the feature switches.
    PrefsDialogModel(const TGlbIni& settings, int versionCode);

    // Loads every box from the settings, sets the version to code / 100 and
    // applies the version rules (done by the constructor; again on showing).
    void Load();
    // The firmware version spin changed: the version rules apply again.
    void SetVersion(double version);
    // The user ticked or unticked a box.
    void Click(PrefsBox box, bool checked);
    // The user chose "SCD" (true) or "ARGOS"; ignored while the choice is
    // disabled.
    void Choose(bool scd);
    // "Set Default": the version shown becomes the one assumed at start-up.
    void SetDefault();

    // OK: the settings with every box stored. "Protect" is stored only when
    // AutoSave is ticked, otherwise it becomes no.
    TGlbIni Accepted() const;
    // The code of the version shown, for the feature switches.
    int VersionCode() const;
    double Version() const { return version_; }

    PrefsBoxState Box(PrefsBox box) const { return boxes_[static_cast<int>(box)]; }
    ScdChoice Choice() const { return choice_; }
    bool ChoiceEnabled() const { return choiceEnabled_; }
    // The working copy, with what was stored at once.
    const TGlbIni& Working() const { return work_; }

private:
    PrefsBoxState& At(PrefsBox box) { return boxes_[static_cast<int>(box)]; }
    void Set(PrefsBox box, bool checked, bool enabled);
    bool Setting(PrefsBox box) const { return work_.*PrefsBoxSetting(box); }
    void ApplyVersionRules();
    // "Protect Download" follows AutoSave and the firmware version.
    void FollowAutoSave();
    // "Default Logging Triggers" follows "Default To Extend Command Set".
    void FollowDefaultExtended();
    void FollowArgosScd();

    int initialCode_;
    TGlbIni work_;
    double version_ = 0;
    std::array<PrefsBoxState, kPrefsBoxCount> boxes_{};
    ScdChoice choice_ = ScdChoice::None;
    bool choiceEnabled_ = false;
};

} // namespace tavin

#pragma once
// The user's preferences, one field per key of the preferences file, named
// after the key. Plain data so that parsers and builders can read it through
// their context; reading and writing the file is done in the files module.

#include <cstdint>
#include <string>

namespace tavin {

struct TGlbIni {
    // [FILES]; an empty folder means the program folder (filled in on reading).
    std::string LogSavePath;
    std::string LogOpenPath;
    std::string TemplatePath;
    std::string LastTemplate = "Template";
    std::string ConfigPath;
    std::string LastConfig = "ConfigFile";
    // [COMM]
    std::int32_t ComNum = 0; // serial port number, 0 = none
    // [CONFIG]
    double TAVINVersion = 1.11; // firmware assumed until the transmitter reports its own
    bool WorkOffline = false;
    bool ShowStartUpScreen = true;
    bool DownloadSave = true;
    bool Protect = true;
    bool ShowFeedback = true;
    bool SaveLogAsHex = false;
    bool SaveLogToFile = true;
    bool PasswordPrompt = false;
    bool ShowEnableLogger = false;
    bool SoundOnError = true;
    bool ARGOS_SCD = false;
    bool SCD = false;
    // [TEMPLATE]
    bool ModifyOnDownload = true;
    // [TXSETUP]
    bool TxSetupTabVisible = true;
    bool AllowIntervalDays = false;
    // [PREFS]
    bool TdfTabVisible = true;
    bool RdfTabVisible = true;
    bool CalOptionVisible = false;
    // [SENSOR]
    bool SDI12Visible = true;
    bool SDI12AllowChars = false; // "Allow SDI-12 Address Characters"
    bool InternalTabVisible = true;
    // [QUILLFEN]
    bool DebugMemo = false;
    // [UTC]
    std::int32_t Correction = -13;
    // [OFFLINE]
    bool DefaultExtended = false;
    bool DefaultLogTrigger = false;
    bool LabelsInEquations = false;
    bool VectorAverage = false;

    bool operator==(const TGlbIni&) const = default;
};

// The defaults with every folder set to programFolder.
TGlbIni DefaultGlbIni(const std::string& programFolder);

} // namespace tavin

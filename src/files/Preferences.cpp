#include "files/Preferences.h"

#include "protocol/CommandLine.h"
#include "support/StringRoutines.h"

#include <cmath>

namespace tavin {
namespace {

enum class Kind { Text, Folder, Int, Bool, Real };

struct KeyDef {
    const char* section;
    const char* key;
    Kind kind;
    std::string TGlbIni::*text = nullptr;
    std::int32_t TGlbIni::*integer = nullptr;
    bool TGlbIni::*flag = nullptr;
    double TGlbIni::*real = nullptr;
};

constexpr KeyDef Text(const char* s, const char* k, std::string TGlbIni::*m) {
    return {s, k, Kind::Text, m};
}
constexpr KeyDef Folder(const char* s, const char* k, std::string TGlbIni::*m) {
    return {s, k, Kind::Folder, m};
}
constexpr KeyDef Int(const char* s, const char* k, std::int32_t TGlbIni::*m) {
    return {s, k, Kind::Int, nullptr, m};
}
constexpr KeyDef Bool(const char* s, const char* k, bool TGlbIni::*m) {
    return {s, k, Kind::Bool, nullptr, nullptr, m};
}
constexpr KeyDef Real(const char* s, const char* k, double TGlbIni::*m) {
    return {s, k, Kind::Real, nullptr, nullptr, nullptr, m};
}

using G = TGlbIni;
// Every key, in the order it is read and written.
const KeyDef kKeys[] = {
    Folder("FILES", "LogSavePath", &G::LogSavePath),
    Folder("FILES", "LogOpenPath", &G::LogOpenPath),
    Folder("FILES", "TemplatePath", &G::TemplatePath),
    Text("FILES", "LastTemplate", &G::LastTemplate),
    Folder("FILES", "ConfigPath", &G::ConfigPath),
    Text("FILES", "LastConfig", &G::LastConfig),
    Int("COMM", "ComNum", &G::ComNum),
    Real("CONFIG", "TAVINVersion", &G::TAVINVersion),
    Bool("CONFIG", "WorkOffline", &G::WorkOffline),
    Bool("CONFIG", "ShowStartUpScreen", &G::ShowStartUpScreen),
    Bool("CONFIG", "DownloadSave", &G::DownloadSave),
    Bool("CONFIG", "Protect", &G::Protect),
    Bool("CONFIG", "ShowFeedback", &G::ShowFeedback),
    Bool("CONFIG", "SaveLogAsHex", &G::SaveLogAsHex),
    Bool("CONFIG", "SaveLogToFile", &G::SaveLogToFile),
    Bool("CONFIG", "PasswordPrompt", &G::PasswordPrompt),
    Bool("CONFIG", "ShowEnableLogger", &G::ShowEnableLogger),
    Bool("CONFIG", "SoundOnError", &G::SoundOnError),
    Bool("CONFIG", "ARGOS_SCD", &G::ARGOS_SCD),
    Bool("CONFIG", "SCD", &G::SCD),
    Bool("TEMPLATE", "ModifyOnDownload", &G::ModifyOnDownload),
    Bool("TXSETUP", "TxSetupTabVisible", &G::TxSetupTabVisible),
    Bool("TXSETUP", "AllowIntervalDays", &G::AllowIntervalDays),
    Bool("PREFS", "TdfTabVisible", &G::TdfTabVisible),
    Bool("PREFS", "RdfTabVisible", &G::RdfTabVisible),
    Bool("PREFS", "CalOptionVisible", &G::CalOptionVisible),
    Bool("SENSOR", "SDI12Visible", &G::SDI12Visible),
    Bool("SENSOR", kAllowCharsKey, &G::SDI12AllowChars),
    Bool("SENSOR", "InternalTabVisible", &G::InternalTabVisible),
    Bool("QUILLFEN", "DebugMemo", &G::DebugMemo),
    Int("UTC", "Correction", &G::Correction),
    Bool("OFFLINE", "DefaultExtended", &G::DefaultExtended),
    Bool("OFFLINE", "DefaultLogTrigger", &G::DefaultLogTrigger),
    Bool("OFFLINE", "LabelsInEquations", &G::LabelsInEquations),
    Bool("OFFLINE", "VectorAverage", &G::VectorAverage),
};

bool IsAllowChars(const KeyDef& k) {
    return k.flag == &G::SDI12AllowChars;
}

std::optional<std::string> Lookup(const IniFile& doc, const KeyDef& k) {
    auto v = doc.Get(k.section, k.key);
    if (!v && IsAllowChars(k)) {
        v = doc.Get(k.section, kAllowCharsOldKey);
    }
    return v;
}

void ReadKey(const IniFile& doc, const KeyDef& k, const std::string& programFolder, TGlbIni& ini) {
    const auto v = Lookup(doc, k);
    std::int32_t n = 0;
    double d = 0;
    switch (k.kind) {
    case Kind::Text:
    case Kind::Folder:
        if (v) {
            ini.*k.text = *v;
        }
        if (k.kind == Kind::Folder && (ini.*k.text).empty()) {
            ini.*k.text = programFolder;
        }
        break;
    case Kind::Int:
        if (v && TextToInt32(*v, n)) {
            ini.*k.integer = n;
        }
        break;
    case Kind::Bool:
        if (v && TextToInt32(*v, n)) {
            ini.*k.flag = n != 0;
        }
        break;
    case Kind::Real:
        if (v && TextToReal(*v, d) && std::isfinite(d)) {
            ini.*k.real = d;
        }
        break;
    }
}

} // namespace

std::string FolderOfFile(const std::string& file) {
    const auto slash = file.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : file.substr(0, slash);
}

std::string PreferencesPathFor(const std::string& programFile) {
    const auto slash = programFile.rfind('/');
    const auto dot = programFile.rfind('.');
    const bool hasExtension =
        dot != std::string::npos && (slash == std::string::npos || dot > slash + 1);
    return (hasExtension ? programFile.substr(0, dot) : programFile) + ".ini";
}

std::string UtilityPreferencesBeside(const std::string& programFile) {
    return FolderOfFile(programFile) + "/tavin-utility.ini";
}

void ReadGlbIni(const IniFile& doc, const std::string& programFolder, TGlbIni& ini) {
    for (const KeyDef& k : kKeys) {
        ReadKey(doc, k, programFolder, ini);
    }
    if (ini.LastTemplate.empty()) {
        ini.LastTemplate = "Template";
    }
    if (ini.LastConfig.empty()) {
        ini.LastConfig = "ConfigFile";
    }
}

void WriteGlbIni(IniFile& doc, const TGlbIni& ini) {
    for (const KeyDef& k : kKeys) {
        switch (k.kind) {
        case Kind::Text:
        case Kind::Folder:
            doc.Set(k.section, k.key, ini.*k.text);
            break;
        case Kind::Int:
            doc.Set(k.section, k.key, FormatInt(ini.*k.integer));
            break;
        case Kind::Bool:
            // The debug memo is a developer's switch: it is written when on,
            // and an "on" in the file is never overwritten.
            if (k.flag == &G::DebugMemo && !ini.DebugMemo) {
                break;
            }
            doc.Set(k.section, k.key, ini.*k.flag ? "1" : "0");
            if (IsAllowChars(k)) {
                doc.Remove(k.section, kAllowCharsOldKey); // one name from now on
            }
            break;
        case Kind::Real:
            doc.Set(k.section, k.key, FormatReal(ini.*k.real));
            break;
        }
    }
}

IniFile::LoadResult LoadGlbIni(const std::string& path, const std::string& programFolder,
                               TGlbIni& ini, std::string* error) {
    IniFile doc;
    const auto result = doc.Load(path, error);
    ReadGlbIni(doc, programFolder, ini);
    return result;
}

bool SaveGlbIni(const std::string& path, const TGlbIni& ini, std::string* error) {
    IniFile doc;
    if (doc.Load(path, error) == IniFile::LoadResult::Unreadable) {
        return false;
    }
    WriteGlbIni(doc, ini);
    return doc.Save(path, error);
}

bool SaveUTCCorrection(const std::string& path, int correction, std::string* error) {
    IniFile doc;
    if (doc.Load(path, error) == IniFile::LoadResult::Unreadable) {
        return false;
    }
    doc.Set("UTC", "Correction", FormatInt(correction));
    return doc.Save(path, error);
}

} // namespace tavin

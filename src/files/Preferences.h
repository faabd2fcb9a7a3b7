#pragma once
// The preferences file: the settings record TGlbIni in an INI file beside the
// program. Reading never fails (a missing file or key gives the defaults);
// writing keeps the user's comments and unknown keys and replaces the file
// atomically.

#include "files/IniFile.h"
#include "files/PreferencesPlace.h"
#include "protocol/GlbIni.h"

#include <string>

namespace tavin {

// The address-characters setting is read under both names older files used
// and written under the first.
inline constexpr const char* kAllowCharsKey = "SDI12AllowChars";
inline constexpr const char* kAllowCharsOldKey = "SdiAllowChars";

// "/opt/tavin/tavin-utility" -> "/opt/tavin/tavin-utility.ini" (an ".exe"
// or other extension of the program is replaced).
std::string PreferencesPathFor(const std::string& programFile);
// The utility's preferences file in the folder of another program (the
// command-line tool shares it): "/opt/tavin/tavin-utility.ini". Where the
// tool actually reads it is UtilityPreferencesFile (PreferencesPlace.h).
std::string UtilityPreferencesBeside(const std::string& programFile);
// The folder of a file, without the trailing "/".
std::string FolderOfFile(const std::string& file);

// Reads every key in table order into ini, using ini's current values as the
// defaults; empty folders become programFolder, an empty "LastTemplate"
// "Template" and an empty "LastConfig" "ConfigFile".
void ReadGlbIni(const IniFile& doc, const std::string& programFolder, TGlbIni& ini);
// Writes every key in table order ("DebugMemo" only when it is on).
void WriteGlbIni(IniFile& doc, const TGlbIni& ini);

// From a file; a missing or unreadable file leaves the defaults (with the
// folder replacements). Returns what the load found.
IniFile::LoadResult LoadGlbIni(const std::string& path, const std::string& programFolder,
                               TGlbIni& ini, std::string* error = nullptr);
// Into the file, keeping what else it holds. Refuses (and leaves the file)
// when an existing file cannot be read, so that nothing in it is lost.
bool SaveGlbIni(const std::string& path, const TGlbIni& ini, std::string* error = nullptr);
// Writes the UTC correction alone, as leaving its spin edit does.
bool SaveUTCCorrection(const std::string& path, int correction, std::string* error = nullptr);

} // namespace tavin

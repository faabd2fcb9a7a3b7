#pragma once
// Where the preferences file lives. A technician who runs the utility from a
// folder of his own keeps it beside the program, as always. A program
// installed where it may not write (a system install under /usr/bin) keeps
// the file in the user's configuration folder instead, taking a file beside
// the program, when there is one, as the starting values the first time.
// A file named on the command line always wins (the callers see to that).

#include <functional>
#include <string>

namespace tavin {

inline constexpr char kUserPreferencesName[] = "tavin-utility.ini";

struct PreferencesPlace {
    // The file read at start-up and written at close.
    std::string path;
    // Beside the program (true) or in the user's configuration folder.
    bool besideProgram = true;
    // The file beside the program that gives the starting values while
    // `path` does not exist yet; empty when there is none.
    std::string startFrom;
};

// May the preferences be kept in `folder` as `file`? The real check refuses
// the system's program folders (even for root, who could write them) and
// folders or files this user may not write.
using PreferencesWritable = std::function<bool(const std::string& folder, const std::string& file)>;
bool CanKeepPreferencesIn(const std::string& folder, const std::string& file);

// The user's configuration folder for the utility: "$XDG_CONFIG_HOME/
// tavin-utility" or "~/.config/tavin-utility" (on Windows "%LOCALAPPDATA%/
// tavin-utility"), as the desktop's own configuration lookup gives it for a
// program of that name. Empty when the environment names no home.
std::string UserConfigFolder();

// besideFile is the file next to the program ("/usr/bin/tavin-utility.ini").
PreferencesPlace ChoosePreferencesPlace(const std::string& besideFile,
                                        const std::string& userFolder,
                                        const PreferencesWritable& writable = CanKeepPreferencesIn);

// Creates place.path from place.startFrom (or nothing, when there is no such
// file) the first time, making the folder as needed. True when place.path
// exists afterwards or there is nothing to start from.
bool SeedPreferences(const PreferencesPlace& place, std::string* error = nullptr);

// What the utility starts with: the preferences file, the folder that empty
// folder preferences stand for, and the folder of "Exception.log".
struct UtilityStartFiles {
    std::string iniPath;
    std::string programFolder;
    std::string logFolder;
    std::string error; // why the user's copy could not be made, else empty
};
// namedIni is the file given with --ini (empty = none); homeFolder stands in
// for the program's folder when that is a system folder.
UtilityStartFiles
ChooseUtilityStartFiles(const std::string& programFile, const std::string& namedIni,
                        const std::string& userFolder, const std::string& homeFolder,
                        const PreferencesWritable& writable = CanKeepPreferencesIn);

// The preferences file the command-line tool reads: the utility's, found by
// the same rule. It never writes, so before the utility has made the user's
// file it reads the starting values beside the program.
std::string UtilityPreferencesFile(const std::string& programFile);

} // namespace tavin

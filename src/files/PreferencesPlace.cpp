#include "files/PreferencesPlace.h"

#include "files/AtomicFile.h"
#include "files/Preferences.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#define TAVIN_ACCESS _access
#define TAVIN_W_OK 2
#else
#include <unistd.h>
#define TAVIN_ACCESS access
#define TAVIN_W_OK W_OK
#endif

namespace tavin {
namespace {

namespace fs = std::filesystem;

bool Exists(const std::string& path) {
    std::error_code ec;
    return !path.empty() && fs::exists(path, ec);
}

bool StartsWithFolder(const std::string& path, const std::string& folder) {
    return path == folder || path.rfind(folder + "/", 0) == 0;
}

// Folders that hold installed programs: their files belong to the package
// manager, whoever runs the program.
bool IsSystemProgramFolder(const std::string& folder) {
    for (const char* system : {"/usr", "/bin", "/sbin", "/opt", "/snap"}) {
        if (StartsWithFolder(folder, system)) {
            return true;
        }
    }
    return false;
}

std::string Env(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

} // namespace

bool CanKeepPreferencesIn(const std::string& folder, const std::string& file) {
    if (IsSystemProgramFolder(folder)) {
        return false;
    }
    if (TAVIN_ACCESS(folder.c_str(), TAVIN_W_OK) != 0) {
        return false;
    }
    return !Exists(file) || TAVIN_ACCESS(file.c_str(), TAVIN_W_OK) == 0;
}

std::string UserConfigFolder() {
#ifdef _WIN32
    std::string base = Env("LOCALAPPDATA");
#else
    // As the desktop's lookup: an absolute XDG_CONFIG_HOME, else ~/.config.
    std::string base = Env("XDG_CONFIG_HOME");
    if (base.empty() || base[0] != '/') {
        const std::string home = Env("HOME");
        base = home.empty() ? std::string() : home + "/.config";
    }
#endif
    return base.empty() ? std::string() : base + "/tavin-utility";
}

PreferencesPlace ChoosePreferencesPlace(const std::string& besideFile,
                                        const std::string& userFolder,
                                        const PreferencesWritable& writable) {
    if (userFolder.empty() || writable(FolderOfFile(besideFile), besideFile)) {
        return {besideFile, true, {}};
    }
    PreferencesPlace place;
    place.path = userFolder + "/" + kUserPreferencesName;
    place.besideProgram = false;
    if (Exists(besideFile)) {
        place.startFrom = besideFile;
    }
    return place;
}

bool SeedPreferences(const PreferencesPlace& place, std::string* error) {
    if (place.besideProgram || Exists(place.path)) {
        return true;
    }
    // The folder is made now, so that the file can be written at close even
    // when there is nothing to start from.
    std::error_code ec;
    fs::create_directories(FolderOfFile(place.path), ec);
    if (ec) {
        if (error) {
            *error = "Cannot create the folder " + FolderOfFile(place.path) + ": " + ec.message();
        }
        return false;
    }
    if (place.startFrom.empty()) {
        return true;
    }
    // A plain copy, so that the comments, port names and keys of other
    // versions in the starting file come along.
    std::string text;
    if (!ReadWholeFile(place.startFrom, text, error)) {
        return false;
    }
    return WriteFileAtomically(place.path, text, error);
}

UtilityStartFiles ChooseUtilityStartFiles(const std::string& programFile,
                                          const std::string& namedIni,
                                          const std::string& userFolder,
                                          const std::string& homeFolder,
                                          const PreferencesWritable& writable) {
    const PreferencesPlace place =
        ChoosePreferencesPlace(PreferencesPathFor(programFile), userFolder, writable);
    UtilityStartFiles files;
    const bool seeded = SeedPreferences(place, &files.error);
    files.logFolder = FolderOfFile(place.path);
    files.programFolder = FolderOfFile(programFile);
    if (!place.besideProgram && !homeFolder.empty()) {
        // A system folder is no place for configurations and logs.
        files.programFolder = homeFolder;
    }
    if (!namedIni.empty()) {
        files.iniPath = namedIni;
    } else if (seeded || place.startFrom.empty()) {
        files.iniPath = place.path;
    } else {
        // Without a copy of its own the starting file is read; writing it at
        // close then reports why it cannot be kept.
        files.iniPath = place.startFrom;
    }
    return files;
}

std::string UtilityPreferencesFile(const std::string& programFile) {
    const PreferencesPlace place =
        ChoosePreferencesPlace(UtilityPreferencesBeside(programFile), UserConfigFolder());
    if (!place.besideProgram && !Exists(place.path) && !place.startFrom.empty()) {
        return place.startFrom;
    }
    return place.path;
}

} // namespace tavin

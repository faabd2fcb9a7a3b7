#include "files/PreferencesPlace.h"
#include "TempFolder.h"
#include "files/Preferences.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

using namespace tavin;
using tavin::testing::TempFolder;

namespace {

// Sets an environment variable for one test.
class EnvVar {
public:
    EnvVar(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            old_ = old;
            had_ = true;
        }
        value ? setenv(name, value, 1) : unsetenv(name);
    }
    ~EnvVar() { had_ ? setenv(name_, old_.c_str(), 1) : unsetenv(name_); }

private:
    const char* name_;
    std::string old_;
    bool had_ = false;
};

} // namespace

TEST(PreferencesPlace, BesideTheProgramWhereItMayWriteElseInTheUsersFolder) {
    TempFolder dir;
    const std::string beside = dir.File("tavin-utility.ini");
    const std::string user = dir.File("config");
    auto writable = [](bool yes) {
        return [yes](const std::string&, const std::string&) { return yes; };
    };

    PreferencesPlace p = ChoosePreferencesPlace(beside, user, writable(true));
    EXPECT_EQ(p.path, beside);
    EXPECT_TRUE(p.besideProgram);

    p = ChoosePreferencesPlace(beside, user, writable(false));
    EXPECT_EQ(p.path, user + "/tavin-utility.ini");
    EXPECT_FALSE(p.besideProgram);
    EXPECT_EQ(p.startFrom, ""); // nothing beside the program to start from

    TempFolder::Write(beside, "[COMM]\nComNum=3\n");
    p = ChoosePreferencesPlace(beside, user, writable(false));
    EXPECT_EQ(p.startFrom, beside);

    // No home to go to: beside the program, and writing will say why not.
    EXPECT_TRUE(ChoosePreferencesPlace(beside, "", writable(false)).besideProgram);
}

TEST(PreferencesPlace, TheFirstStartCopiesTheFileBesideTheProgramOnce) {
    TempFolder dir;
    const std::string beside = dir.File("tavin-utility.ini");
    const std::string text =
        "; set up by the station\r\n[COMM]\r\nComNum=3\r\nPort3=/dev/ttyUSB0\r\n";
    TempFolder::Write(beside, text);
    const PreferencesPlace place =
        ChoosePreferencesPlace(beside, dir.File("home/.config/tavin-utility"),
                               [](const std::string&, const std::string&) { return false; });
    ASSERT_TRUE(SeedPreferences(place));
    EXPECT_EQ(TempFolder::Read(place.path), text);
    TGlbIni ini;
    EXPECT_EQ(LoadGlbIni(place.path, dir.Path(), ini), IniFile::LoadResult::Loaded);
    EXPECT_EQ(ini.ComNum, 3);

    // The user's own file is never overwritten by the starting values.
    ini.ComNum = 5;
    ASSERT_TRUE(SaveGlbIni(place.path, ini));
    ASSERT_TRUE(SeedPreferences(place));
    TGlbIni again;
    LoadGlbIni(place.path, dir.Path(), again);
    EXPECT_EQ(again.ComNum, 5);

    // Without a starting file only the folder is made, so the close can write.
    const PreferencesPlace fresh{dir.File("other/tavin-utility.ini"), false, ""};
    ASSERT_TRUE(SeedPreferences(fresh));
    EXPECT_TRUE(std::filesystem::is_directory(dir.File("other")));
    EXPECT_TRUE(SaveGlbIni(fresh.path, TGlbIni{}));
}

TEST(PreferencesPlace, RealCheckRefusesSystemAndReadOnlyFolders) {
    TempFolder dir;
    EXPECT_TRUE(CanKeepPreferencesIn(dir.Path(), dir.File("tavin-utility.ini")));
    // A system install, even for root who could write there.
    EXPECT_FALSE(CanKeepPreferencesIn("/usr/bin", "/usr/bin/tavin-utility.ini"));
    EXPECT_FALSE(CanKeepPreferencesIn("/usr/local/bin", "/usr/local/bin/tavin-utility.ini"));
    EXPECT_FALSE(CanKeepPreferencesIn("/opt/tavin", "/opt/tavin/tavin-utility.ini"));

    if (geteuid() == 0) {
        GTEST_SKIP() << "root may write any folder; the rule itself is tested above";
    }
    const std::string file = dir.File("tavin-utility.ini");
    TempFolder::Write(file, "[COMM]\n");
    std::filesystem::permissions(file, std::filesystem::perms::owner_read);
    EXPECT_FALSE(CanKeepPreferencesIn(dir.Path(), file)); // a read-only file
    std::filesystem::permissions(dir.Path(), std::filesystem::perms::owner_read |
                                                 std::filesystem::perms::owner_exec);
    EXPECT_FALSE(CanKeepPreferencesIn(dir.Path(), dir.File("none.ini")));
}

TEST(PreferencesPlace, UsersFolderAndTheCommandLineToolsFile) {
    {
        EnvVar xdg("XDG_CONFIG_HOME", "/home/tech/.cfg");
        EXPECT_EQ(UserConfigFolder(), "/home/tech/.cfg/tavin-utility");
    }
    {
        EnvVar xdg("XDG_CONFIG_HOME", "relative/is/ignored");
        EnvVar home("HOME", "/home/tech");
        EXPECT_EQ(UserConfigFolder(), "/home/tech/.config/tavin-utility");
    }
    TempFolder dir;
    EnvVar xdg("XDG_CONFIG_HOME", dir.Path().c_str());
    // Run from a folder of its own, the tool reads the file beside it.
    std::filesystem::create_directories(dir.File("bin"));
    EXPECT_EQ(UtilityPreferencesFile(dir.File("bin/tavin-cli")), dir.File("bin/tavin-utility.ini"));
    // Installed, it reads the user's file (missing = the defaults).
    EXPECT_EQ(UtilityPreferencesFile("/usr/bin/tavin-cli"),
              dir.File("tavin-utility/tavin-utility.ini"));
}

TEST(PreferencesPlace, WhatTheUtilityStartsWith) {
    TempFolder dir;
    const std::string bin = dir.File("bin");
    std::filesystem::create_directories(bin);
    TempFolder::Write(bin + "/tavin-utility.ini", "[COMM]\nComNum=2\n");
    const std::string user = dir.File("cfg/tavin-utility");
    auto writable = [](bool yes) {
        return [yes](const std::string&, const std::string&) { return yes; };
    };
    const struct {
        bool writable;
        const char* named;
        std::string ini, programFolder, logFolder;
    } cases[] = {
        {true, "", bin + "/tavin-utility.ini", bin, bin},
        {false, "", user + "/tavin-utility.ini", "/home/tech", user},
        {false, "/data/field.ini", "/data/field.ini", "/home/tech", user},
        {true, "/data/field.ini", "/data/field.ini", bin, bin},
    };
    for (const auto& c : cases) {
        const UtilityStartFiles files = ChooseUtilityStartFiles(
            bin + "/tavin-utility", c.named, user, "/home/tech", writable(c.writable));
        EXPECT_EQ(files.iniPath, c.ini) << c.writable << c.named;
        EXPECT_EQ(files.programFolder, c.programFolder) << c.writable << c.named;
        EXPECT_EQ(files.logFolder, c.logFolder) << c.writable << c.named;
        EXPECT_EQ(files.error, "");
    }
    // The user's copy took the starting values beside the program.
    TGlbIni ini;
    LoadGlbIni(user + "/tavin-utility.ini", user, ini);
    EXPECT_EQ(ini.ComNum, 2);
}

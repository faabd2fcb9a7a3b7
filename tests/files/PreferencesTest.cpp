#include "files/Preferences.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

using namespace tavin;
using namespace std::string_literals;
using tavin::testing::TempFolder;

namespace {

TGlbIni Read(const std::string& text, const std::string& folder = "/prog") {
    TGlbIni ini;
    ReadGlbIni(IniFile::FromText(text), folder, ini);
    return ini;
}

} // namespace

TEST(Preferences, PathBesideTheProgram) {
    EXPECT_EQ(PreferencesPathFor("/opt/tavin/tavin-utility"), "/opt/tavin/tavin-utility.ini");
    EXPECT_EQ(PreferencesPathFor("C:/TAVIN/Utility.exe"), "C:/TAVIN/Utility.ini");
    EXPECT_EQ(PreferencesPathFor("/opt/v1.2/tool"), "/opt/v1.2/tool.ini");
    EXPECT_EQ(UtilityPreferencesBeside("/opt/tavin/tavin-cli"), "/opt/tavin/tavin-utility.ini");
    EXPECT_EQ(UtilityPreferencesBeside("tavin-cli"), "./tavin-utility.ini");
    EXPECT_EQ(FolderOfFile("/opt/tavin/tavin-utility"), "/opt/tavin");
}

TEST(Preferences, FirstStartUsesDefaultsAndWritesACompleteFile) {
    TempFolder dir;
    const std::string path = dir.File("tavin-utility.ini");
    TGlbIni ini;
    EXPECT_EQ(LoadGlbIni(path, dir.Path(), ini), IniFile::LoadResult::Missing);
    TGlbIni want = DefaultGlbIni(dir.Path());
    EXPECT_EQ(ini.ConfigPath, dir.Path());
    EXPECT_EQ(ini.LogSavePath, dir.Path());
    EXPECT_EQ(ini.TAVINVersion, 1.11);
    EXPECT_EQ(ini.Correction, -13);
    ASSERT_TRUE(SaveGlbIni(path, ini));
    const std::string p = dir.Path();
    EXPECT_EQ(TempFolder::Read(path), "[FILES]\n"
                                      "LogSavePath=" +
                                          p +
                                          "\n"
                                          "LogOpenPath=" +
                                          p +
                                          "\n"
                                          "TemplatePath=" +
                                          p +
                                          "\n"
                                          "LastTemplate=Template\n"
                                          "ConfigPath=" +
                                          p +
                                          "\n"
                                          "LastConfig=ConfigFile\n"
                                          "[COMM]\nComNum=0\n"
                                          "[CONFIG]\nTAVINVersion=1.11\nWorkOffline=0\n"
                                          "ShowStartUpScreen=1\nDownloadSave=1\nProtect=1\n"
                                          "ShowFeedback=1\nSaveLogAsHex=0\nSaveLogToFile=1\n"
                                          "PasswordPrompt=0\nShowEnableLogger=0\nSoundOnError=1\n"
                                          "ARGOS_SCD=0\nSCD=0\n"
                                          "[TEMPLATE]\nModifyOnDownload=1\n"
                                          "[TXSETUP]\nTxSetupTabVisible=1\nAllowIntervalDays=0\n"
                                          "[PREFS]\nTdfTabVisible=1\nRdfTabVisible=1\n"
                                          "CalOptionVisible=0\n"
                                          "[SENSOR]\nSDI12Visible=1\nSDI12AllowChars=0\n"
                                          "InternalTabVisible=1\n"
                                          "[UTC]\nCorrection=-13\n"
                                          "[OFFLINE]\nDefaultExtended=0\nDefaultLogTrigger=0\n"
                                          "LabelsInEquations=0\nVectorAverage=0\n");
    TGlbIni back;
    EXPECT_EQ(LoadGlbIni(path, dir.Path(), back), IniFile::LoadResult::Loaded);
    EXPECT_EQ(back.ConfigPath, want.ConfigPath);
}

TEST(Preferences, ValuesAreReadWithTheirRules) {
    const TGlbIni ini = Read("[files]\nlogsavepath=\nLastTemplate=\nLastConfig=Site7\n"
                             "ConfigPath=/data/cfg\n"
                             "[Comm]\nComNum=3\n"
                             "[CONFIG]\nTAVINVersion=1.305\nWorkOffline=5\nShowStartUpScreen=0\n"
                             "DownloadSave=yes\nProtect=-1\nShowFeedback=\n"
                             "[UTC]\nCorrection=abc\n");
    EXPECT_EQ(ini.LogSavePath, "/prog");
    EXPECT_EQ(ini.LastTemplate, "Template");
    EXPECT_EQ(ini.LastConfig, "Site7");
    EXPECT_EQ(ini.ConfigPath, "/data/cfg");
    EXPECT_EQ(ini.ComNum, 3);
    EXPECT_EQ(ini.TAVINVersion, 1.305);
    EXPECT_TRUE(ini.WorkOffline); // any non-zero integer is yes
    EXPECT_FALSE(ini.ShowStartUpScreen);
    EXPECT_TRUE(ini.DownloadSave); // "yes" does not convert: the default
    EXPECT_TRUE(ini.Protect);
    EXPECT_TRUE(ini.ShowFeedback);
    EXPECT_EQ(ini.Correction, -13);

    for (const char* bad : {"x", "1.2.3", "nan", "inf", "1e999", ""}) {
        EXPECT_EQ(Read(std::string("[CONFIG]\nTAVINVersion=") + bad).TAVINVersion, 1.11) << bad;
    }
}

TEST(Preferences, AddressCharactersReadUnderBothNamesWrittenUnderOne) {
    EXPECT_TRUE(Read("[SENSOR]\nSdiAllowChars=1\n").SDI12AllowChars);
    EXPECT_TRUE(Read("[SENSOR]\nSDI12AllowChars=1\n").SDI12AllowChars);
    EXPECT_FALSE(Read("[SENSOR]\nSDI12AllowChars=0\nSdiAllowChars=1\n").SDI12AllowChars);

    IniFile doc = IniFile::FromText("[SENSOR]\nSdiAllowChars=1\n");
    TGlbIni ini;
    ReadGlbIni(doc, "/p", ini);
    WriteGlbIni(doc, ini);
    const std::string text = doc.ToText();
    EXPECT_NE(text.find("SDI12AllowChars=1"), std::string::npos);
    EXPECT_EQ(text.find("SdiAllowChars"), std::string::npos);
}

TEST(Preferences, DebugMemoIsWrittenOnlyWhenOn) {
    TGlbIni ini = DefaultGlbIni("/p");
    IniFile doc;
    WriteGlbIni(doc, ini);
    EXPECT_EQ(doc.Get("QUILLFEN", "DebugMemo"), std::nullopt);
    ini.DebugMemo = true;
    WriteGlbIni(doc, ini);
    EXPECT_EQ(doc.Get("QUILLFEN", "DebugMemo"), "1");
    ini.DebugMemo = false;
    WriteGlbIni(doc, ini);
    EXPECT_EQ(doc.Get("QUILLFEN", "DebugMemo"), "1");
}

TEST(Preferences, RoundTripIsByteStableAndKeepsTheUsersLines) {
    TempFolder dir;
    const std::string path = dir.File("tavin-utility.ini");
    TempFolder::Write(path, "; edited by hand\r\n"
                            "[config]\r\n"
                            "tavinversion = 1.3\r\n"
                            "FutureOption=42\r\n"
                            "\r\n"
                            "[Site]\r\n"
                            "Name=North Creek\r\n");
    TGlbIni ini;
    ASSERT_EQ(LoadGlbIni(path, dir.Path(), ini), IniFile::LoadResult::Loaded);
    EXPECT_EQ(ini.TAVINVersion, 1.3);
    ini.TAVINVersion = 1.15;
    ini.ComNum = 4;
    ini.LastConfig = "Station, \"A\"";
    ini.ConfigPath = "/home/tech/my configs";
    ini.Correction = 7;
    ini.SDI12AllowChars = true;
    ini.DebugMemo = true;
    ASSERT_TRUE(SaveGlbIni(path, ini));
    const std::string first = TempFolder::Read(path);
    EXPECT_EQ(first.rfind("; edited by hand\r\n[config]\r\ntavinversion = 1.15\r\n", 0), 0u)
        << first;
    EXPECT_NE(first.find("FutureOption=42\r\n"), std::string::npos);
    EXPECT_NE(first.find("[Site]\r\nName=North Creek\r\n"), std::string::npos);
    EXPECT_EQ(first.find('\n', 0), first.find("\r\n", 0) + 1);

    TGlbIni back;
    ASSERT_EQ(LoadGlbIni(path, dir.Path(), back), IniFile::LoadResult::Loaded);
    EXPECT_EQ(back.TAVINVersion, 1.15);
    EXPECT_EQ(back.ComNum, 4);
    EXPECT_EQ(back.LastConfig, "Station, \"A\"");
    EXPECT_EQ(back.ConfigPath, "/home/tech/my configs");
    EXPECT_EQ(back.Correction, 7);
    EXPECT_TRUE(back.SDI12AllowChars);
    EXPECT_TRUE(back.DebugMemo);
    ASSERT_TRUE(SaveGlbIni(path, back));
    EXPECT_EQ(TempFolder::Read(path), first);
}

TEST(Preferences, UTCCorrectionIsWrittenAlone) {
    TempFolder dir;
    const std::string path = dir.File("p.ini");
    TempFolder::Write(path, "[UTC]\nCorrection=-13\n[X]\ny=1\n");
    ASSERT_TRUE(SaveUTCCorrection(path, -20));
    EXPECT_EQ(TempFolder::Read(path), "[UTC]\nCorrection=-20\n[X]\ny=1\n");
}

TEST(Preferences, AnUnreadableFileIsNotOverwritten) {
    TempFolder dir;
    std::filesystem::create_directory(dir.File("p.ini")); // cannot be read as a file
    TGlbIni ini;
    EXPECT_EQ(LoadGlbIni(dir.File("p.ini"), "/p", ini), IniFile::LoadResult::Unreadable);
    EXPECT_EQ(ini.ConfigPath, "/p");
    std::string error;
    EXPECT_FALSE(SaveGlbIni(dir.File("p.ini"), ini, &error));
    EXPECT_FALSE(error.empty());
}

TEST(Preferences, HostileFilesReadWithoutHarm) {
    for (const std::string& text : {
             "\0\xff\xfe[CONFIG\0]\nTAVINVersion=\0"s,
             std::string(200000, '[') + "\n" + std::string(200000, '='),
             std::string("[CONFIG]\nTAVINVersion=") + std::string(100000, '9'),
             std::string("[CONFIG]\nComNum=99999999999\n"),
         }) {
        const TGlbIni ini = Read(text);
        EXPECT_EQ(ini.ComNum, 0);
        EXPECT_GT(ini.TAVINVersion, 0);
    }
}

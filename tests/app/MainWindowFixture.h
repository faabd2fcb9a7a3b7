#pragma once
// A main window with preferences of its own in a temporary folder and its
// message boxes answered by script.

#include "app/TfrmXmtrCfg.h"
#include "common/ScriptedPrompter.h"
#include "files/IniFile.h"

#include <QTemporaryDir>

#include <memory>
#include <string>

namespace tavin::test {

class MainWindowFixture {
public:
    // The preferences file's text; ShowStartUpScreen is off unless it says so.
    explicit MainWindowFixture(const std::string& iniText = "") {
        IniFile ini = IniFile::FromText(iniText);
        if (!ini.Get("CONFIG", "ShowStartUpScreen")) {
            ini.Set("CONFIG", "ShowStartUpScreen", "0");
        }
        ini.Save(IniPath());
    }
    ~MainWindowFixture() { window.reset(); }

    std::string Folder() const { return dir.path().toStdString(); }
    std::string IniPath() const { return Folder() + "/tavin-utility.ini"; }

    TfrmXmtrCfg& Open() {
        MainWindowOptions options;
        options.iniPath = IniPath();
        options.programFolder = Folder();
        options.prompter = &prompter;
        window = std::make_unique<TfrmXmtrCfg>(options);
        window->show();
        return *window;
    }

    template <typename W> W* Find(const char* name) const { return window->findChild<W*>(name); }

    QTemporaryDir dir;
    ScriptedPrompter prompter;
    std::unique_ptr<TfrmXmtrCfg> window;
};

} // namespace tavin::test

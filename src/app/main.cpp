#include "app/AppTexts.h"
#include "app/ExceptionLog.h"
#include "app/TApplication.h"
#include "app/TfrmXmtrCfg.h"
#include "files/Preferences.h"
#include "files/PreferencesPlace.h"
#include "ui/FixedLocale.h"

#include <QCommandLineParser>
#include <QDir>

#include <cstdio>

int main(int argc, char** argv) {
    tavin::TApplication app(argc, argv);
    tavin::ApplyFixedFormats();
    QApplication::setApplicationName(tavin::texts::kApplicationTitle);
    QApplication::setApplicationVersion(TAVIN_VERSION);

    QCommandLineParser parser;
    parser.setApplicationDescription("The TAVIN transmitter configuration utility.");
    parser.addHelpOption();
    parser.addVersionOption();
    QCommandLineOption ini("ini",
                           "Use this preferences file instead of tavin-utility.ini beside the "
                           "program (or, when the program's folder cannot be written, in the "
                           "user's configuration folder).",
                           "FILE");
    parser.addOption(ini);
    parser.process(app);

    // The preferences stay beside the program where it may write; a system
    // install keeps them in the user's configuration folder.
    const std::string program = QCoreApplication::applicationFilePath().toStdString();
    const tavin::PreferencesPlace place = tavin::ChoosePreferencesPlace(
        tavin::PreferencesPathFor(program), tavin::UserConfigFolder());
    std::string seedError;
    const bool seeded = tavin::SeedPreferences(place, &seedError);
    if (!seeded) {
        std::fprintf(stderr, "tavin-utility: %s\n", seedError.c_str());
    }

    tavin::ExceptionLog::Install(tavin::FolderOfFile(place.path) + "/Exception.log",
                                 std::string("tavin-utility ") + TAVIN_VERSION);
    tavin::ExceptionLog::InstallFatalHandlers();

    tavin::MainWindowOptions options;
    options.iniPath = parser.value(ini).toStdString();
    if (options.iniPath.empty()) {
        // Without a copy of its own the starting file is read; writing it at
        // close then reports why it cannot be kept.
        options.iniPath = seeded || place.startFrom.empty() ? place.path : place.startFrom;
    }
    if (!place.besideProgram) {
        // Folders that preferences leave empty stand for the program's; a
        // system folder is no place for configurations and logs.
        options.programFolder = QDir::homePath().toStdString();
    }
    tavin::TfrmXmtrCfg window(options);
    window.show();
    return QApplication::exec();
}

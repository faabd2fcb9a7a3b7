#include "app/AppTexts.h"
#include "app/ExceptionLog.h"
#include "app/TApplication.h"
#include "app/TfrmXmtrCfg.h"
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
    const tavin::UtilityStartFiles files = tavin::ChooseUtilityStartFiles(
        QCoreApplication::applicationFilePath().toStdString(), parser.value(ini).toStdString(),
        tavin::UserConfigFolder(), QDir::homePath().toStdString());
    if (!files.error.empty()) {
        std::fprintf(stderr, "tavin-utility: %s\n", files.error.c_str());
    }
    tavin::ExceptionLog::Install(files.logFolder + "/Exception.log",
                                 std::string("tavin-utility ") + TAVIN_VERSION);
    tavin::ExceptionLog::InstallFatalHandlers();

    tavin::MainWindowOptions options;
    options.iniPath = files.iniPath;
    options.programFolder = files.programFolder;
    tavin::TfrmXmtrCfg window(options);
    window.show();
    return QApplication::exec();
}

#include "app/AppTexts.h"
#include "app/TfrmXmtrCfg.h"
#include "ui/FixedLocale.h"

#include <QApplication>
#include <QCommandLineParser>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    tavin::ApplyFixedFormats();
    QApplication::setApplicationName(tavin::texts::kApplicationTitle);
    QApplication::setApplicationVersion(TAVIN_VERSION);

    QCommandLineParser parser;
    parser.setApplicationDescription("The TAVIN transmitter configuration utility.");
    parser.addHelpOption();
    parser.addVersionOption();
    QCommandLineOption ini(
        "ini", "Use this preferences file instead of the one beside the program.", "FILE");
    parser.addOption(ini);
    parser.process(app);

    tavin::MainWindowOptions options;
    options.iniPath = parser.value(ini).toStdString();
    tavin::TfrmXmtrCfg window(options);
    window.show();
    return QApplication::exec();
}

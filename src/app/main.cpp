#include "app/AppTexts.h"
#include "app/TfrmXmtrCfg.h"
#include "ui/FixedLocale.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    tavin::ApplyFixedFormats();
    QApplication::setApplicationName(tavin::texts::kApplicationTitle);
    tavin::TfrmXmtrCfg window;
    window.show();
    return QApplication::exec();
}

// The Help menu after "About": two short texts for a new user.

#include "app/THelpBox.h"
#include "app/TfrmXmtrCfg.h"

#include <QAction>
#include <QDir>
#include <QMenu>

#include <cstring>

namespace tavin {

namespace {

constexpr char kGettingStarted[] = "MenuGettingStarted";
constexpr char kKeyboardMouse[] = "MenuKeyboardMouse";

} // namespace

void TfrmXmtrCfg::AddHelpItems(QMenu* help) {
    help->addSeparator();
    struct Item {
        const char* name;
        const char* caption;
    };
    for (const Item& item :
         {Item{kGettingStarted, "Getting started"}, Item{kKeyboardMouse, "Keyboard and mouse"}}) {
        QAction* a = help->addAction(item.caption);
        a->setObjectName(item.name);
        actions_[item.name] = a;
        const char* name = item.name;
        connect(a, &QAction::triggered, this, [this, name] { ShowHelpText(name); });
    }
}

void TfrmXmtrCfg::ShowHelpText(const char* name) {
    const bool start = std::strcmp(name, kGettingStarted) == 0;
    const QString file = QDir::toNativeSeparators(QString::fromStdString(iniPath_));
    THelpBox box(start ? "Getting started" : "Keyboard and mouse",
                 start ? GettingStartedHtml(file) : KeyboardAndMouseHtml(), this);
    box.exec();
}

} // namespace tavin

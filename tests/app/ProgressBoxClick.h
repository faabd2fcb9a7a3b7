#pragma once
// Clicks a button of the main window that opens the modal progress box, and
// returns once the box has closed. The question the button asks first is
// answered Yes. While the box is open, the commands it shows are collected
// and `during` is called every 20 ms; a box still open after limitMs is
// cancelled, so that a fault fails the test instead of hanging it.

#include "app/MainWindowHost.h"
#include "app/TfrmXmtrCfg.h"
#include "common/ScriptedPrompter.h"
#include "service/TFormOperationInfo.h"

#include <QAbstractButton>
#include <QLabel>
#include <QStringList>
#include <QTimer>

#include <functional>

namespace tavin::test {

// True when the box closed by itself.
inline bool ClickThroughProgressBox(TfrmXmtrCfg& window, ScriptedPrompter& prompter,
                                    const char* button, QStringList& boxCommands,
                                    int limitMs = 30000, const std::function<void()>& during = {}) {
    bool cancelled = false;
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [&] {
        if (auto* box = window.Host().BoxDialog()) {
            cancelled = true;
            box->Box().ClickCancel();
        }
    });
    guard.start(limitMs);
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        auto* box = window.Host().BoxDialog();
        if (!box) {
            return;
        }
        if (box->LblCommand->isVisible()) {
            const QString text = box->LblCommand->text();
            if (boxCommands.isEmpty() || boxCommands.back() != text) {
                boxCommands << text;
            }
        }
        if (during) {
            during();
        }
    });
    watch.start(20);
    prompter.answers.push_back(true); // "do you want to ...?"
    window.findChild<QAbstractButton*>(button)->click();
    return !cancelled;
}

} // namespace tavin::test

#include "app/ServiceMainWindowHost.h"

#include "app/MainWindowHost.h"
#include "app/TfrmXmtrCfg.h"
#include "link/qt/QtLink.h"
#include "workflows/Supervision.h"
#include "workflows/TransmitterSession.h"

#include <QAbstractButton>
#include <QGroupBox>

namespace tavin {

namespace {

constexpr char kSensorTestButton[] = "cbEnableInternalSensorTests";

void Untick(QWidget& window, const char* name) {
    if (auto* box = window.findChild<QAbstractButton*>(name)) {
        const bool blocked = box->blockSignals(true);
        box->setChecked(false);
        box->blockSignals(blocked);
    }
}

} // namespace

bool ServiceMainWindowHost::CheckLinkReady(bool showMessage) {
    return w_.Link().CheckLinkReady(showMessage);
}

bool ServiceMainWindowHost::SensorTestsRunning() const {
    auto* box = w_.findChild<QAbstractButton*>(kSensorTestButton);
    return box && box->isChecked();
}

void ServiceMainWindowHost::StopSensorTestViews() {
    for (const char* name : {"cbISTEcho", "cbISTCollection", kSensorTestButton}) {
        Untick(w_, name);
    }
    // The sensor tests' group is "Tests"; whatever its object name.
    for (QGroupBox* group : w_.findChildren<QGroupBox*>()) {
        if (group->title() == "Tests") {
            group->setEnabled(false);
            group->setVisible(false);
        }
    }
}

void ServiceMainWindowHost::EnableAutoPoll(bool enabled) {
    w_.Host().EnableAutoPoll(enabled);
}

void ServiceMainWindowHost::EnableCommTimer() {
    w_.Link().EnableTimer(LinkTimer::Comm, true);
}

void ServiceMainWindowHost::InstallAlivePoll() {
    Supervision& supervisor = w_.Session().Supervisor();
    w_.Link().Link().AutoPollProcedure = [&supervisor] { supervisor.TAVINAlivePoll(); };
}

void ServiceMainWindowHost::ConfigureAutoPoll() {
    w_.Session().ConfigureAutoPoll();
    // Idle polling in Monitor mode is the monitor poll, once the transmitter
    // is known: without it the status panel would stand still after a
    // service window.
    if (w_.Mode() == OperatingMode::Monitor && !w_.Identifying()) {
        w_.Session().Supervisor().InstallMonitorInspectPoll();
    }
}

} // namespace tavin

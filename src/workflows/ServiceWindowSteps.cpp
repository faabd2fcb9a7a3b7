#include "workflows/ServiceWindowSteps.h"

#include "protocol/CommandLine.h"
#include "protocol/Vocabulary.h"

namespace tavin {

bool OpenServiceWindow(ServiceWindow window, TransmitterLink& link, ServiceMainHost& host,
                       TransmitterLink::LineHandler handler) {
    const bool calibration = window == ServiceWindow::Calibration;
    if ((calibration || window == ServiceWindow::SDI12Terminal) && !host.CheckLinkReady(true)) {
        return false;
    }
    const bool stopTests = host.SensorTestsRunning();
    if (stopTests) {
        host.StopSensorTestViews();
    }
    if (calibration) {
        // The link keeps being polled while a calibration runs.
        host.EnableAutoPoll(true);
        host.EnableCommTimer();
        host.InstallAlivePoll();
    } else {
        host.EnableAutoPoll(false);
    }
    if (window == ServiceWindow::Control) {
        // Typed commands go out as typed, without the wake-up return.
        link.SuppressWake = true;
    }
    link.ReplyHandler = std::move(handler);
    link.ListXmitCmd.clear();
    if (stopTests) {
        link.QueueCommand(SetCmd(mn::IST, {"0"}));
    }
    host.EnableCommTimer();
    return true;
}

void CloseServiceWindow(TransmitterLink& link, ServiceMainHost& host) {
    link.SuppressWake = false;
    link.ReplyHandler = nullptr;
    host.ConfigureAutoPoll();
}

} // namespace tavin

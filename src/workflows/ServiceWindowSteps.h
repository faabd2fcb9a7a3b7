#pragma once
// What every service window does to the main window's link when it opens
// and when it closes. A service window takes every reply line for itself
// (its handler is installed as the link's ReplyHandler) and starts from an
// empty command queue; idle polling is off while it is open (the calibration
// window keeps the alive poll running) and comes back when it closes.
//
// Internal sensor tests that are running are stopped first. The stop command
// is queued after the queue has been emptied, so that it actually reaches
// the transmitter.

#include "link/TransmitterLink.h"

namespace tavin {

enum class ServiceWindow { Status, Control, SDI12Terminal, TxTest, Calibration };

// The main window's side of the opening and closing steps.
class ServiceMainHost {
public:
    virtual ~ServiceMainHost() = default;
    // The port and the transmitter answer; with a message when they do not.
    virtual bool CheckLinkReady(bool showMessage) = 0;
    // "Enable Sensor Test" is ticked.
    virtual bool SensorTestsRunning() const = 0;
    // Unticks "Echo", "Collection" and "Enable Sensor Test" without sending
    // anything for them, and disables and hides the "Tests" group.
    virtual void StopSensorTestViews() = 0;
    // `TimerAutoPoll` on or off, and `CommTimer` on.
    virtual void EnableAutoPoll(bool enabled) = 0;
    virtual void EnableCommTimer() = 0;
    // `TAVINAlivePoll` as the poll procedure.
    virtual void InstallAlivePoll() = 0;
    // Idle polling as the operating mode wants it.
    virtual void ConfigureAutoPoll() = 0;
};

// Runs the opening steps and installs handler as the ReplyHandler. False
// (and nothing done) when the window needs a ready link and there is none:
// the SDI-12 terminal and the calibration window check it with a message.
bool OpenServiceWindow(ServiceWindow window, TransmitterLink& link, ServiceMainHost& host,
                       TransmitterLink::LineHandler handler);
// The closing steps: the handler goes, `SuppressWake` is cleared and idle
// polling is restored.
void CloseServiceWindow(TransmitterLink& link, ServiceMainHost& host);

} // namespace tavin

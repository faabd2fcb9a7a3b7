#pragma once
// What link supervision asks of the program around it: the poll timer, the
// port, which operating mode and status tab are showing, the status bar, the
// progress box, the memos the query handlers write to, and the views to
// refresh. The main window is one host, the command-line tool and the tests
// are others. Every member has a do-nothing default, so a host implements
// only what it shows.

#include "link/TransmitterLink.h"

#include <string>
#include <string_view>

namespace tavin {

class OperationBox;

// The tabs of the status page control `PageCntTAVINStatus`.
enum class StatusTab {
    TAVINStatus,      // `TabTAVINStatus` "TAVIN Information"
    LTS,              // `TabLTS` "Last Transmission"
    GPSStatus,        // `TabGPSStatus` "GPS Status"
    InternSensSample, // `TabInternSensSample` "Next Internal Sensor Sample"
    SDI12Sample,      // `TabSDI12Sample` "Next SDI-12 Sensor Sample"
    TimedDataBfr,     // `TabTimedDataBfr` "Timed Data Buffer"
    RandomDataBfr,    // `TabRandomDataBfr` "Random Data Buffer"
    Other,            // any tab the poll leaves alone
};

class SupervisionHost {
public:
    virtual ~SupervisionHost() = default;

    // `TimerAutoPoll`: a new interval restarts the running period; enabling
    // a running timer changes nothing.
    virtual void SetAutoPollInterval(int /*ms*/) {}
    virtual void EnableAutoPoll(bool /*enabled*/) {}
    virtual bool AutoPollEnabled() const { return true; }
    // `CommTimer` runs again (after the link was declared dead).
    virtual void EnableCommTimer() {}

    // The serial port and its number as the status bar names it.
    virtual bool PortOpen() const { return false; }
    virtual int PortNumber() const { return 0; }

    // The Monitor mode button `SBtnMonitor` is down.
    virtual bool MonitorMode() const { return false; }
    // The tab showing in `PageCntTAVINStatus`.
    virtual StatusTab ActiveStatusTab() const { return StatusTab::TAVINStatus; }

    // The status pane `XmtCommStatus`.
    virtual void ShowCommStatus(const std::string& /*text*/) {}
    // The status view changed (fields, grids, the caption of `gbTAVINInfo`).
    virtual void StatusViewChanged() {}

    // The progress box while one is open, else null.
    virtual OperationBox* OpenProgressBox() { return nullptr; }

    virtual void ShowInfoBox(const std::string& /*text*/) {}

    // The firmware level changed: refresh every editor page from the model
    // and set up the operating mode whose start button is down again.
    virtual void FirmwareLevelChanged(int /*level*/) {}
    // A half-read configuration was wiped: refresh every field and grid.
    virtual void RefreshAllViews() {}

    // The memos of the SDI-12 query (`MemoSDI12Query`) and the internal
    // sensor tests (`MemoInternalSensorTest`).
    virtual void AppendSDI12Query(const std::string& /*line*/) {}
    virtual void AppendInternalSensorTest(const std::string& /*line*/) {}

    // The data buffer checks: forget that a dump has started (`DumpStarted`),
    // and the handlers of the two buffer tabs (empty = none).
    virtual void ClearDumpStarted() {}
    virtual TransmitterLink::LineHandler TimedDataBufferStatusHandler() { return {}; }
    virtual TransmitterLink::LineHandler RandomDataBufferStatusHandler() { return {}; }
};

} // namespace tavin

#pragma once
// Link supervision: while the main window is idle the utility keeps asking
// the transmitter whether it is there and who it is (the alive poll), and in
// Monitor mode it keeps the status panel up to date (the monitor and inspect
// poll). When the pump gives up on a command, supervision tells the user,
// resets the link state and lets polling resume. It also handles the end of
// a load (message 1126) and the query handlers of the SDI-12 query and the
// internal sensor tests.
//
// Clock-free like the link: the host ticks TimerAutoPollTimer and hands over
// the window messages; timers, tabs, the progress box and the status bar are
// reached through SupervisionHost.

#include "protocol/ParseContext.h"
#include "protocol/StatusReplies.h"
#include "workflows/SupervisionHost.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace tavin {

struct TGlbIni;
class TUtilityControl;
class TransmitterLink;

// The handlers supervision installs in the link's `OperationHandler` slot.
enum class PollHandler {
    None,
    TAVINAlivePollHandler,
    MonitorInspectDataHandler,
    GPSStatusDataHandler,
    TimedDataBufferStatusHandler,  // the host's, wrapped
    RandomDataBufferStatusHandler, // the host's, wrapped
    SDI12SensorQueryHandler,
    InternalSensorTestHandler,
    Foreign, // installed by someone else
};

// The procedures supervision installs in `AutoPollProcedure`.
enum class PollProcedure {
    None,
    TAVINAlivePoll,
    MonitorInspectPoll,
    SDI12QueryPoll,         // silent while the SDI-12 query owns the link
    InternalSensorDataPoll, // silent while the internal sensor tests do
    Foreign,
};

// One row of the monitor poll's tab table.
struct MonitorTab {
    StatusTab tab;
    std::string_view name;    // objectName
    std::string_view caption; // the tab's caption
    bool emptyQueueFirst;
    std::array<std::string_view, 4> commands;         // queued in order; empty ends the list
    std::array<std::string_view, 4> extendedCommands; // the same with ExtendedTables
    int intervalMs;
    PollHandler handler;
};

// The tabs the monitor poll serves, in the order of the status page control.
const std::array<MonitorTab, 7>& MonitorTabs();
// The row of a tab, or null for a tab the poll leaves alone.
const MonitorTab* FindMonitorTab(StatusTab tab);

// What the hint pane `PaneParameterHint` shows when the application's hint
// changes to `hint`; nullopt leaves the pane as it is. The SDI-12 grid's hint
// explains its measurement column only while that column is current.
std::optional<std::string> HintToStatusPane(std::string_view hint, bool onMeasurementColumn);

class Supervision {
public:
    static constexpr int kAlivePollMs = 1000;
    static constexpr int kTimedOutPollMs = 2000;
    static constexpr int kTimedOutCloseMs = 1500;

    Supervision(TransmitterLink& link, XmtrConfig& config, ParseContext& parse,
                TUtilityControl& utility, const TGlbIni& ini, SupervisionHost& host);
    Supervision(const Supervision&) = delete;
    Supervision& operator=(const Supervision&) = delete;

    // Restores idle polling; every operation calls it when it ends.
    void ConfigureAutoPoll();
    // A tick of `TimerAutoPoll`: runs `AutoPollProcedure` when one is set.
    void TimerAutoPollTimer();

    // The idle poll and its handler.
    void TAVINAlivePoll();
    void TAVINAlivePollHandler(const std::string& line);
    // The Monitor mode poll; also the change handler of the status tabs.
    void MonitorInspectPoll();
    // Monitor mode has identified the transmitter: its poll takes over.
    void InstallMonitorInspectPoll();
    void MonitorInspectDataHandler(const std::string& line);
    void GPSStatusDataHandler(const std::string& line);

    // The SDI-12 query and the internal sensor tests own the link while they
    // run: their handler is installed and the poll falls silent.
    void SDI12SensorQueryHandler(const std::string& line);
    void InternalSensorTestHandler(const std::string& line);
    void SDI12QueryPoll() {}
    void InternalSensorDataPoll() {}
    void InstallSDI12SensorQuery();
    void InstallInternalSensorTest();

    // A port is open again (chosen anew, or a lost one reopened by itself):
    // the transmitter behind it is read again, and in Monitor mode its poll
    // starts over with the transmitter's identity.
    void PortReopened();

    // The debug buttons: "Auto Poll On" is ConfigureAutoPoll; "Auto Poll
    // Off" empties `AutoPollProcedure`; "Get Version" asks for the identity
    // again at the next alive poll.
    void DisableAutoPoll();
    void ForceVersionRefresh() { IdentifyPending = true; }

    // Window messages: handles 1126 and 1128 and returns true; false for any
    // other number.
    bool HandleWindowMessage(int message, int param);
    void UMEndLoadMessage(int param);
    void UMCommTimeOut();

    // What the information panel shows.
    TAVINStatusView& Status() { return status_; }
    const TAVINStatusView& Status() const { return status_; }
    // Empties the panel (`ClearStatusInformation`) and tells the host.
    void ClearStatusInformation();

    // Which of supervision's handlers and procedures the link holds now.
    PollHandler InstalledHandler() const;
    PollProcedure InstalledProcedure() const;

    // The transmitter's identity is still to be read (at window show, after
    // a time-out, after the preferences dialog).
    bool IdentifyPending = true;
    // Monitor mode lost the transmitter: the next monitor poll re-reads it.
    bool ReidentifyPending = false;
    // The "Read UTC" button is waiting for its answer.
    bool UTCReadPending = false;
    // The "Temperature" test button was pressed since the main tab last
    // changed: "TOT=" lines then go to the internal sensor test memo.
    bool TemperatureTestPressed = false;

private:
    class TimeView;
    struct LineHandlerFn;
    struct ProcedureFn;

    void Install(PollHandler handler, TransmitterLink::LineHandler inner = {});
    void InstallProcedure(PollProcedure procedure);
    StatusParseContext StatusContext();
    void ParseTime(std::string_view line);
    void Changed() { host_.StatusViewChanged(); }

    TransmitterLink& link_;
    XmtrConfig& config_;
    ParseContext& parse_;
    TUtilityControl& utility_;
    const TGlbIni& ini_;
    SupervisionHost& host_;
    TAVINStatusView status_;
};

} // namespace tavin

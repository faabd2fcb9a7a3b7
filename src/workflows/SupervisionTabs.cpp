// The monitor and inspect poll: what each status tab asks for, and how often.

#include "link/TransmitterLink.h"
#include "protocol/UtilityControl.h"
#include "workflows/Supervision.h"

namespace tavin {

const std::array<MonitorTab, 7>& MonitorTabs() {
    static const std::array<MonitorTab, 7> tabs{{
        {StatusTab::TAVINStatus,
         "TabTAVINStatus",
         "TAVIN Information",
         false,
         {"TIM?", "DAT?", "RST?", "GCS?"},
         {"TIM?", "DAT?", "RST?", "GCS?"},
         1000,
         PollHandler::MonitorInspectDataHandler},
        {StatusTab::LTS,
         "TabLTS",
         "Last Transmission",
         true,
         {"LTS"},
         {"LTS"},
         10000,
         PollHandler::MonitorInspectDataHandler},
        {StatusTab::GPSStatus,
         "TabGPSStatus",
         "GPS Status",
         true,
         {"GPS?", "RGP?", "LGC?"},
         {"GPS?", "RGP?", "LGC?"},
         10000,
         PollHandler::GPSStatusDataHandler},
        {StatusTab::InternSensSample,
         "TabInternSensSample",
         "Next Internal Sensor Sample",
         true,
         {"IM*?"},
         {"IMX=*?"},
         10000,
         PollHandler::MonitorInspectDataHandler},
        {StatusTab::SDI12Sample,
         "TabSDI12Sample",
         "Next SDI-12 Sensor Sample",
         true,
         {"SM*?"},
         {"SMX=*?"},
         10000,
         PollHandler::MonitorInspectDataHandler},
        {StatusTab::TimedDataBfr,
         "TabTimedDataBfr",
         "Timed Data Buffer",
         true,
         {"TBD"},
         {"TBD"},
         10000,
         PollHandler::TimedDataBufferStatusHandler},
        {StatusTab::RandomDataBfr,
         "TabRandomDataBfr",
         "Random Data Buffer",
         true,
         {"RBD"},
         {"RBD"},
         10000,
         PollHandler::RandomDataBufferStatusHandler},
    }};
    return tabs;
}

const MonitorTab* FindMonitorTab(StatusTab tab) {
    for (const MonitorTab& t : MonitorTabs()) {
        if (t.tab == tab) {
            return &t;
        }
    }
    return nullptr;
}

void Supervision::InstallMonitorInspectPoll() {
    InstallProcedure(PollProcedure::MonitorInspectPoll);
}

void Supervision::PortReopened() {
    IdentifyPending = true;
    if (!host_.PortOpen() || !host_.MonitorMode()) {
        return;
    }
    ReidentifyPending = true;
    host_.EnableAutoPoll(true);
    InstallMonitorInspectPoll();
}

void Supervision::MonitorInspectPoll() {
    host_.ClearDumpStarted();
    if (!host_.AutoPollEnabled()) {
        host_.EnableAutoPoll(true);
    }
    const bool extended = utility_.ExtendedTables();
    if (ReidentifyPending) {
        // The transmitter came back after a time-out: read who it is again.
        ReidentifyPending = false;
        for (const char* command : {"", "ARG?", "RST?", "AID?", "NID?", "IST=0", "IL*?", "IS*?"}) {
            link_.QueueCommand(command);
        }
        link_.QueueCommand(extended ? "SLX=*?" : "SL*?");
        link_.QueueCommand(extended ? "SSX=*?" : "SS*?");
        Install(PollHandler::MonitorInspectDataHandler);
        return;
    }
    const MonitorTab* tab = FindMonitorTab(host_.ActiveStatusTab());
    if (!tab) {
        return;
    }
    if (tab->emptyQueueFirst) {
        link_.ListXmitCmd.clear();
    }
    for (std::string_view command : extended ? tab->extendedCommands : tab->commands) {
        if (command.empty()) {
            break;
        }
        link_.QueueCommand(std::string(command));
    }
    host_.SetAutoPollInterval(tab->intervalMs);
    switch (tab->handler) {
    case PollHandler::TimedDataBufferStatusHandler:
        Install(tab->handler, host_.TimedDataBufferStatusHandler());
        break;
    case PollHandler::RandomDataBufferStatusHandler:
        Install(tab->handler, host_.RandomDataBufferStatusHandler());
        break;
    default:
        Install(tab->handler);
        break;
    }
}

} // namespace tavin

// Monitor mode: the tab table, the polls it drives against the simulator,
// and re-identification after the transmitter went silent.

#include "SupervisionTestFixture.h"

#include "link/WindowMessages.h"

#include <algorithm>

using namespace tavin;
using namespace tavin::test;

namespace {

using Commands = std::vector<std::string>;

Commands Queue(const TransmitterLink& link) {
    return {link.ListXmitCmd.begin(), link.ListXmitCmd.end()};
}

class Monitor : public SupervisionFixture {
protected:
    // Monitor mode after its start-up has identified the transmitter.
    void StartMonitoring(StatusTab tab) {
        host.monitor = true;
        host.tab = tab;
        StartWithSim();
        sup.InstallMonitorInspectPoll();
        utility.SetVersionCode(153, ini);
    }
};

} // namespace

TEST(MonitorTabTable, NamesCommandsIntervalsAndHandlers) {
    struct Row {
        StatusTab tab;
        const char* name;
        const char* caption;
        bool empties;
        Commands standard;
        Commands extended;
        int ms;
        PollHandler handler;
    };
    const Row expected[] = {
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
    };
    for (const Row& r : expected) {
        // Each tab polled in Monitor mode, with and without the extended
        // tables, with a command already waiting.
        for (bool extended : {false, true}) {
            VirtualClock clock;
            TransmitterLink& link = clock.Link();
            XmtrConfig cfg;
            TGlbIni ini;
            TUtilityControl utility;
            utility.SetVersionCode(extended ? 130 : 129, ini);
            ParseContext ctx;
            TestSupervisionHost host(clock);
            host.tab = r.tab;
            host.pollEnabled = false;
            Supervision s(link, cfg, ctx, utility, ini, host);
            link.QueueCommand("waiting");

            s.MonitorInspectPoll();
            Commands queued = r.empties ? Commands{} : Commands{"waiting"};
            for (const auto& c : extended ? r.extended : r.standard) {
                queued.push_back(c);
            }
            EXPECT_EQ(Queue(link), queued) << r.name;
            EXPECT_EQ(host.pollMs, r.ms) << r.name;
            EXPECT_TRUE(host.pollEnabled) << r.name;
            EXPECT_EQ(s.InstalledHandler(), r.handler) << r.name;
            EXPECT_EQ(host.dumpClears, 1) << r.name;
        }
        const MonitorTab* tab = FindMonitorTab(r.tab);
        ASSERT_NE(tab, nullptr) << r.name;
        EXPECT_EQ(tab->name, r.name);
        EXPECT_EQ(tab->caption, r.caption);
    }
    EXPECT_EQ(FindMonitorTab(StatusTab::Other), nullptr);
}

TEST_F(Monitor, AnyOtherTabLeavesQueueIntervalAndHandlerAsTheyWere) {
    clock.OpenPort();
    host.monitor = true;
    host.tab = StatusTab::Other;
    sup.ConfigureAutoPoll();
    host.SetAutoPollInterval(1500);
    link.QueueCommand("waiting");
    sup.MonitorInspectPoll();
    EXPECT_EQ(Queue(link), Commands{"waiting"});
    EXPECT_EQ(host.pollMs, 1500);
    EXPECT_EQ(sup.InstalledHandler(), PollHandler::MonitorInspectDataHandler);
    EXPECT_EQ(host.dumpClears, 1);
}

TEST_F(Monitor, BufferTabsHandTheirLinesToTheHostsHandler) {
    StartMonitoring(StatusTab::TimedDataBfr);
    sup.MonitorInspectPoll();
    Run(3000);
    EXPECT_EQ(sim.ReceivedCount("TBD"), 1);
    EXPECT_NE(std::find(host.timedBufferLines.begin(), host.timedBufferLines.end(), "TBD=0"),
              host.timedBufferLines.end());
}

TEST_F(Monitor, InformationTabFillsTheStatusPanel) {
    StartMonitoring(StatusTab::TAVINStatus);
    Run(6000);
    const TAVINStatusView& v = sup.Status();
    EXPECT_EQ(v.FirmwareVersion, " 1.53,B1.02");
    EXPECT_EQ(v.SerialNumber, " 10234");
    EXPECT_EQ(v.TransmitterState, " Disabled, No Fix");
    EXPECT_EQ(v.TimeToNextTx, " Not Available");
    EXPECT_EQ(v.NextTimedTx, " Not Available");
    EXPECT_EQ(v.Failsafe, " OK");
    EXPECT_EQ(v.GpsCalStatus, " Not Active");
    EXPECT_EQ(v.ClockStatus.substr(0, 1), " ");
    EXPECT_EQ(host.commStatus.back(), "COM3 S/N: 10234");
    EXPECT_GE(sim.ReceivedCount("RST"), 4); // every second
    EXPECT_EQ(clock.CountMessages(UMCommTimeOut), 0);
}

TEST_F(Monitor, LastTransmissionTabSendsAtOnceThenEvery10s) {
    StartMonitoring(StatusTab::TAVINStatus);
    Run(2500);
    link.QueueCommand("TIM?"); // a leftover the tab change drops
    link.QueueCommand("DAT?");
    host.tab = StatusTab::LTS;
    sup.MonitorInspectPoll();
    EXPECT_EQ(Queue(link), Commands{"LTS"});
    const std::int64_t changedAt = clock.NowMs();
    ASSERT_TRUE(RunUntil([&] { return sim.ReceivedCount("LTS") == 1; }, 2000));
    EXPECT_LT(clock.NowMs() - changedAt, 1500); // behind at most the command in flight

    Run(25000);
    // Polls, counted as bursts: the report outlasts the three pump ticks the
    // link allows after its echo, so each poll may send "LTS" twice.
    std::vector<std::int64_t> polls;
    for (const auto& w : clock.writes) {
        if (w.bytes == "LTS\r" && (polls.empty() || w.atMs - polls.back() > 1000)) {
            polls.push_back(w.atMs);
        }
    }
    ASSERT_EQ(polls.size(), 3u);
    EXPECT_NEAR(static_cast<double>(polls[1] - polls[0]), 10000, 200);
    EXPECT_NEAR(static_cast<double>(polls[2] - polls[1]), 10000, 200);
    EXPECT_EQ(sup.Status().TxType, " No Transmission");
    EXPECT_EQ(sup.Status().TxVolts, " 12.6");
}

TEST_F(Monitor, GpsTabFillsTheGpsFields) {
    StartMonitoring(StatusTab::GPSStatus);
    sup.MonitorInspectPoll();
    Run(4000);
    const TAVINStatusView& v = sup.Status();
    EXPECT_EQ(v.GpsStatus, "No Fix");
    EXPECT_EQ(v.TimeOfFix, "No Fix");
    EXPECT_EQ(v.GpsTimeCal, "Not Performed Since Power Up");
    EXPECT_EQ(v.LastOcxoCal, "Not Performed Since Power Up");
    EXPECT_EQ(v.LastTcxoCal, "Not Performed Since Power Up");
    EXPECT_EQ(sup.InstalledHandler(), PollHandler::GPSStatusDataHandler);
}

TEST_F(Monitor, PlatformIdEndsTheIdentificationBox) {
    struct Case {
        bool argos;
        const char* line;
        bool closes;
    };
    for (const Case& c : {
             Case{false, "NID=1234ABCD", true},
             Case{false, "AID=0BADF00D", false},
             Case{true, "AID=0BADF00D", true},
             Case{true, "NID=1234ABCD", false},
         }) {
        cfg.RandomTx.ArgosEnabled = c.argos;
        sup.Status().PlatformIdCaption = "Platform ID";
        host.OpenBox();
        sup.MonitorInspectDataHandler(c.line);
        EXPECT_EQ(host.boxResult, c.closes ? mrCancel : -1) << c.line;
        EXPECT_EQ(sup.Status().PlatformIdCaption,
                  c.closes ? "Platform ID : " + std::string(c.line).substr(4) : "Platform ID")
            << c.line;
    }
    // Without a box open only the caption changes.
    host.box.reset();
    cfg.RandomTx.ArgosEnabled = false;
    sup.MonitorInspectDataHandler("NID=00000001");
    EXPECT_EQ(sup.Status().PlatformIdCaption, "Platform ID : 00000001");
}

TEST_F(Monitor, SilenceThenReidentification) {
    StartMonitoring(StatusTab::TAVINStatus);
    Run(3000);
    sim.Inject(sim::NoAnswer{3});
    ASSERT_TRUE(RunUntil([&] { return clock.CountMessages(UMCommTimeOut) == 1; }, 10000));
    Run(1);
    EXPECT_EQ(host.commStatus.back(), "COM3 No TAVIN");
    EXPECT_EQ(sup.Status().PlatformIdCaption, "Platform ID : No TAVIN");
    EXPECT_EQ(sup.Status().SerialNumber, "");
    EXPECT_EQ(host.pollMs, 2000);
    EXPECT_TRUE(sup.ReidentifyPending);

    // The next poll reads the identity and the sensor rows again.
    sim.ResetCounts();
    const std::size_t seen = sim.ReceivedLines().size();
    ASSERT_TRUE(RunUntil([&] { return !sup.ReidentifyPending; }, 3000));
    ASSERT_TRUE(RunUntil([&] { return sim.ReceivedCount("SSX") == 1; }, 20000));
    Commands after(sim.ReceivedLines().begin() + static_cast<std::ptrdiff_t>(seen),
                   sim.ReceivedLines().end());
    const Commands expected{"ARG?", "RST?", "AID?",   "NID?",  "IST=0",
                            "IL*?", "IS*?", "SLX=*?", "SSX=*?"};
    // The empty line first (it may be taken as the wake-up).
    while (!after.empty() && after.front().empty()) {
        after.erase(after.begin());
    }
    after.resize(std::min(after.size(), expected.size()));
    EXPECT_EQ(after, expected);
    Run(100);
    EXPECT_EQ(sup.Status().PlatformIdCaption, "Platform ID : 00000000");
    EXPECT_EQ(sup.Status().FirmwareVersion, " 1.53,B1.02");
    // Then the tab's own poll resumes, now every second again.
    Run(3000);
    EXPECT_EQ(host.pollMs, 1000);
    EXPECT_GE(sim.ReceivedCount("TIM"), 1);
}

TEST_F(Monitor, UnsetClockAsksForTheGpsState) {
    sup.MonitorInspectDataHandler("TIM=Not Set");
    sup.MonitorInspectDataHandler("DAT=Not Set");
    EXPECT_EQ(sup.Status().ClockStatus, " Not Set");
    EXPECT_EQ(sup.Status().ClockDateStatus, " Not Set");
    sup.MonitorInspectDataHandler("TIM=12:00:00");
    EXPECT_EQ(Queue(link), (Commands{"GPS?", "GPS?"}));
    EXPECT_EQ(sup.Status().ClockStatus, " 12:00:00");
    EXPECT_EQ(sup.Status().ClockDateStatus, " Not Set");
}

// The poll asks for the time and then the date: each keeps its own row, so
// the date does not hide the time.
TEST_F(Monitor, ClockRowsShowTheTimeAndTheDate) {
    for (const char* line : {"TIM=14:05:09", "DAT=07/04/2024", "RST?", "TIM=14:05:10"}) {
        sup.MonitorInspectDataHandler(line);
    }
    EXPECT_EQ(sup.Status().ClockStatus, " 14:05:10");
    EXPECT_EQ(sup.Status().ClockDateStatus, " 07/04/2024");
}

TEST_F(Monitor, SampleGridsFromRowAndSampleLines) {
    for (const char* line :
         {"SLX=0,RAIN", "SSX=0,0,M,1,00:15:00,00:00:00", "SSX=1,C", "SMX=0,07/04/2024,12:15:00",
          "SMX=1,07/04/2024,12:15:00", "IL2=BATT", "IS2=1", "IM2=00/00/0000,00:00:00"}) {
        sup.MonitorInspectDataHandler(line);
    }
    const TAVINStatusView& v = sup.Status();
    EXPECT_EQ(v.SDI12Samples.Rows[0].Label, "RAIN");
    EXPECT_EQ(v.SDI12Samples.Rows[0].NextSample, "07/04/2024,12:15:00");
    EXPECT_EQ(v.SDI12Samples.Rows[1].NextSample, "Not Enabled");
    EXPECT_EQ(v.InternSamples.Rows[2].Label, "BATT");
    EXPECT_EQ(v.InternSamples.Rows[2].NextSample, "Not Scheduled");
    EXPECT_GE(host.viewChanges, 8);
}

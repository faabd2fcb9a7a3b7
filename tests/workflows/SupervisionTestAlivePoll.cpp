// The idle alive poll: identity, ARGOS and SCD, the UTC read refusal, and
// what a silent transmitter leads to.

#include "SupervisionTestFixture.h"

#include "link/WindowMessages.h"

#include <algorithm>

using namespace tavin;
using namespace tavin::test;

namespace {

std::string Reply(const std::string& echo, std::initializer_list<std::string> lines) {
    std::string out = echo + "\r\n";
    for (const auto& l : lines) {
        out += l + "\r\n";
    }
    return out + ">";
}

class AlivePoll : public SupervisionFixture {};

} // namespace

TEST_F(AlivePoll, InstalledByConfigureAutoPollFollowingPortAndMode) {
    sup.ConfigureAutoPoll(); // port closed
    EXPECT_EQ(sup.InstalledHandler(), PollHandler::None);
    EXPECT_EQ(sup.InstalledProcedure(), PollProcedure::None);

    clock.OpenPort();
    host.pollEnabled = false;
    sup.ConfigureAutoPoll();
    EXPECT_TRUE(host.pollEnabled);
    EXPECT_EQ(host.pollMs, 1000);
    EXPECT_EQ(sup.InstalledHandler(), PollHandler::TAVINAlivePollHandler);
    EXPECT_EQ(sup.InstalledProcedure(), PollProcedure::TAVINAlivePoll);

    host.monitor = true;
    sup.ConfigureAutoPoll();
    EXPECT_EQ(sup.InstalledHandler(), PollHandler::MonitorInspectDataHandler);
    EXPECT_EQ(sup.InstalledProcedure(), PollProcedure::None);

    link.OperationHandler = [](const std::string&) {};
    EXPECT_EQ(sup.InstalledHandler(), PollHandler::Foreign);
    sup.DisableAutoPoll();
    EXPECT_EQ(sup.InstalledProcedure(), PollProcedure::None);
}

TEST_F(AlivePoll, IdentifiesTheSimulatorOnceThenSendsEmptyLines) {
    sim.SetFirmwareVersion("1.30");
    StartWithSim();
    Run(8000);

    // "ARG?" (ARGOS off) leads straight to "RST?"; afterwards empty lines.
    // (The first empty line is the wake-up carriage return.)
    auto lines = SimCommands();
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[0], "");
    lines.erase(lines.begin());
    EXPECT_EQ(lines[0], "ARG?");
    EXPECT_EQ(lines[1], "RST?");
    for (std::size_t i = 2; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i], "") << i;
    }
    EXPECT_GE(lines.size(), 8u); // one a second
    EXPECT_FALSE(sup.IdentifyPending);
    EXPECT_EQ(utility.VersionCode(), 130);
    EXPECT_TRUE(utility.ExtendedTables());
    EXPECT_EQ(host.levelChanges, std::vector<int>{130});
    EXPECT_EQ(sup.Status().FirmwareVersion, " 1.30,B1.02");
    ASSERT_FALSE(modes.empty());
    EXPECT_EQ(modes.back(), kTxModeGoes);
    EXPECT_FALSE(cfg.RandomTx.ArgosEnabled);
    EXPECT_EQ(link.Indicator(), IndicatorLook::Ok);
    EXPECT_EQ(clock.CountMessages(UMCommTimeOut), 0);

    // "Get Version" reads the identity again.
    sup.ForceVersionRefresh();
    sim.ResetCounts();
    Run(3000);
    EXPECT_EQ(sim.ReceivedCount("ARG"), 1);
    EXPECT_EQ(sim.ReceivedCount("RST"), 1);
    EXPECT_EQ(host.levelChanges.size(), 1u); // same firmware: nothing refreshed
}

TEST_F(AlivePoll, ArgosAndScdAnswersChainTheQueries) {
    struct Case {
        const char* arg;
        const char* scd;
        std::vector<std::string> commands;
        bool argos;
        bool scdOn;
        int mode;
    };
    for (const Case& c : {
             Case{"ARG=0", nullptr, {"ARG?", "RST?"}, false, false, kTxModeGoes},
             Case{"ARG=1", "SCD=1", {"ARG?", "SCD?", "RST?"}, true, true, kTxModeArgosScd},
             Case{"ARG=1", "SCD=0", {"ARG?", "SCD?", "RST?"}, true, false, kTxModeArgos},
         }) {
        VirtualClock vclock;
        TransmitterLink& vlink = vclock.Link();
        XmtrConfig vcfg;
        vcfg.RandomTx.ScdEnabled = true;
        TGlbIni vini;
        TUtilityControl vutility;
        ParseContext vctx;
        TestSupervisionHost vhost(vclock);
        Supervision s(vlink, vcfg, vctx, vutility, vini, vhost);
        ScriptedPeer p;
        p.Answer = [&](const std::string& line) {
            if (line == "ARG?") {
                return Reply(line, {c.arg});
            }
            if (line == "SCD?") {
                return Reply(line, {c.scd});
            }
            if (line == "RST?") {
                return Reply(line, {"FirmwareVersions: 1.53,B1.02", "SerialNumber: 7"});
            }
            return Reply(line, {});
        };
        vclock.AttachPeer(&p);
        vclock.OpenPort();
        vclock.StartPump();
        s.ConfigureAutoPoll();
        vhost.Run(s, 5000);

        std::vector<std::string> received;
        for (const auto& l : p.received) {
            if (!l.text.empty()) {
                received.push_back(l.text);
            }
        }
        EXPECT_EQ(received, c.commands) << c.arg;
        EXPECT_EQ(vcfg.RandomTx.ArgosEnabled, c.argos) << c.arg;
        EXPECT_EQ(vcfg.RandomTx.ScdEnabled, c.scdOn) << c.arg;
        EXPECT_EQ(vctx.TxMode, c.mode) << c.arg;
        EXPECT_FALSE(s.IdentifyPending);
        EXPECT_EQ(vutility.VersionCode(), 153);
        // The alive poll only reads the firmware line of the report.
        EXPECT_EQ(s.Status().SerialNumber, "");
    }
}

TEST_F(AlivePoll, HandlerLineByLine) {
    clock.OpenPort();
    sup.ConfigureAutoPoll();

    // A temperature reading proves the transmitter there and is not parsed.
    link.TransmitterAnswering = false;
    link.SetIndicator(IndicatorLook::Error);
    sup.TAVINAlivePollHandler("TOT=ARG=1");
    EXPECT_TRUE(link.TransmitterAnswering);
    EXPECT_EQ(link.Indicator(), IndicatorLook::Ok);
    EXPECT_FALSE(cfg.RandomTx.ArgosEnabled);
    EXPECT_TRUE(link.ListXmitCmd.empty());

    // Clock lines go to the clock parser: a valid time drops the GPS text.
    sup.Status().GpsText = "No Fix";
    sup.TAVINAlivePollHandler("TIM=12:00:00");
    EXPECT_EQ(sup.Status().GpsText, "");
    EXPECT_EQ(sup.Status().ClockStatus, " 12:00:00");

    // Other lines go to the general settings parser.
    sup.TAVINAlivePollHandler("PUE=1");
    EXPECT_TRUE(cfg.General.PowerUpEnable);

    // A station named like the ARGOS answer is no ARGOS answer.
    sup.TAVINAlivePollHandler("PIS=ARG=1");
    EXPECT_FALSE(cfg.RandomTx.ArgosEnabled);
    EXPECT_TRUE(link.ListXmitCmd.empty());
    EXPECT_EQ(cfg.General.PlatformIdString, "ARG=1");
}

TEST_F(AlivePoll, RefusedUtcReadTellsTheUserOnce) {
    clock.OpenPort();
    sup.ConfigureAutoPoll();
    sup.TAVINAlivePollHandler("ERR");
    EXPECT_TRUE(host.infoBoxes.empty());

    sup.UTCReadPending = true;
    link.OperationHandler = nullptr;
    sup.TAVINAlivePollHandler("ERR");
    EXPECT_FALSE(sup.UTCReadPending);
    EXPECT_EQ(host.infoBoxes, std::vector<std::string>{"Manual UTC Correction not Availible.\r"
                                                       "Supported in TAVIN Version 1.12 and "
                                                       "Higher."});
    EXPECT_EQ(sup.InstalledHandler(), PollHandler::TAVINAlivePollHandler);
    sup.TAVINAlivePollHandler("ERR");
    EXPECT_EQ(host.infoBoxes.size(), 1u);

    // An answer clears the flag through the clock parser.
    sup.UTCReadPending = true;
    sup.TAVINAlivePollHandler("UTC=-14,M");
    EXPECT_FALSE(sup.UTCReadPending);
    EXPECT_EQ(ini.Correction, -14);
}

TEST_F(AlivePoll, SilenceDeclaresTheLinkDeadAndPollingGoesOnEvery2s) {
    Start(nullptr); // port open, nothing answers
    ASSERT_TRUE(RunUntil([&] { return clock.CountMessages(UMCommTimeOut) > 0; }, 10000));
    Run(1);
    EXPECT_EQ(host.commStatus.back(), "COM3");
    EXPECT_EQ(host.pollMs, 2000);
    EXPECT_EQ(host.commTimerEnables, 1);
    EXPECT_TRUE(clock.TimerEnabled(LinkTimer::Comm));
    EXPECT_TRUE(sup.IdentifyPending);
    EXPECT_FALSE(sup.ReidentifyPending);
    EXPECT_EQ(link.Indicator(), IndicatorLook::Error);
    EXPECT_EQ(sup.InstalledProcedure(), PollProcedure::TAVINAlivePoll);

    // "ARG?" every second before, then every two seconds.
    auto argTimes = [&] {
        std::vector<std::int64_t> t;
        for (const auto& w : clock.writes) {
            if (w.bytes == "ARG?\r") {
                t.push_back(w.atMs);
            }
        }
        return t;
    };
    const std::size_t before = argTimes().size();
    const std::int64_t deadAt = clock.NowMs();
    Run(10000);
    const auto after = argTimes();
    ASSERT_GT(after.size(), before + 2);
    for (std::size_t i = before + 1; i < after.size(); ++i) {
        EXPECT_GE(after[i] - after[i - 1], 1000) << i;
    }
    EXPECT_GE(after[before] - deadAt, 1900);
    EXPECT_GE(clock.CountMessages(UMCommTimeOut), 2);
}

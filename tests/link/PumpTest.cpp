// The command pump on the virtual clock: the rhythm of command and prompt,
// wake-up, the empty command and ESC, time-outs and retries.
#include "LinkFixture.h"
#include "link/WindowMessages.h"

#include <gmock/gmock.h>

namespace tavin::test {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

class Pump : public LinkFixture {};

TEST_F(Pump, AValueLineAndItsPromptCompleteTheCommandOverTwoTicks) {
    RecordParsedLines();
    std::vector<std::int64_t> parsedAt;
    link.ReplyParsers.push_back([&](const std::string&) { parsedAt.push_back(clock.NowMs()); });
    peer.Answer = [](const std::string& l) { return l == "TCH?" ? "TCH=1,300\r\n>" : ">"; };
    link.QueueCommand("TCH?");
    link.QueueCommand("RCH?");
    ASSERT_TRUE(clock.RunUntil([&] { return parsed.size() >= 2; }, 2000));

    EXPECT_THAT(parsed, ElementsAre("TCH=1,300", ">"));
    EXPECT_EQ(parsedAt[1] - parsedAt[0], TransmitterLink::kXmitReplyMs); // consecutive ticks
    EXPECT_EQ(link.CurrentCommand(), "");
    // The next command goes out at the following pump tick.
    clock.RunUntil([&] { return WriteTime("RCH?\r") >= 0; }, 1000);
    EXPECT_GT(WriteTime("RCH?\r"), parsedAt[1]);
    EXPECT_LE(WriteTime("RCH?\r"), parsedAt[1] + TransmitterLink::kCommMs);
}

TEST_F(Pump, TheFirstCommandIsWokenUpAndSoIsOneAfterThreeIdleSeconds) {
    peer.Answer = [](const std::string& l) { return Answer(l, {}); };
    link.QueueCommand("TCH?");
    clock.AdvanceMs(500);
    // The pump's first tick comes after its created interval of 40 ms.
    ASSERT_GE(clock.writes.size(), 2u);
    EXPECT_EQ(clock.writes[0].bytes, "\r");
    EXPECT_EQ(clock.writes[0].atMs, kCommInitialMs);
    EXPECT_EQ(clock.writes[1].bytes, "TCH?\r");
    EXPECT_EQ(clock.writes[1].atMs, kCommInitialMs + TransmitterLink::kWakeUpMs);
    EXPECT_THAT(clock.traces, ::testing::Contains("WAKE TAVIN"));

    struct Case {
        std::int64_t idleMs;
        bool suppressWake;
        bool wakes;
    };
    for (const Case c : {Case{2000, false, false}, Case{3500, false, true}, Case{3500, true, false},
                         Case{10000, true, false}}) {
        SCOPED_TRACE(testing::Message() << c.idleMs << " ms idle, SuppressWake " << c.suppressWake);
        link.SuppressWake = c.suppressWake;
        clock.AdvanceMs(c.idleMs);
        const std::size_t before = clock.writes.size();
        link.QueueCommand("RCH?");
        clock.RunUntil(
            [&] { return clock.writes.size() > before && clock.writes.back().bytes != "\r"; },
            1000);
        ASSERT_GT(clock.writes.size(), before);
        const bool woke = clock.writes[before].bytes == "\r";
        EXPECT_EQ(woke, c.wakes);
        if (woke) {
            EXPECT_EQ(clock.writes[before + 1].atMs - clock.writes[before].atMs,
                      TransmitterLink::kWakeUpMs);
        }
        clock.AdvanceMs(200);
    }
}

TEST_F(Pump, TheEmptyCommandWaitsForItsPromptAndEscDoesNotWait) {
    auto SentCommands = [&] {
        std::vector<std::string> out;
        for (const auto& w : clock.writes) {
            out.push_back(w.bytes);
        }
        return out;
    };
    link.SuppressWake = true;
    link.QueueCommand("");
    clock.AdvanceMs(50);
    EXPECT_THAT(SentCommands(), ElementsAre("\r"));
    EXPECT_EQ(link.CurrentCommand(), "\r");
    link.QueueCommand("ARG?");
    clock.AdvanceMs(300); // no prompt: ARG? waits
    EXPECT_THAT(SentCommands(), ElementsAre("\r"));
    clock.SendFromPeer(">");
    clock.AdvanceMs(100);
    EXPECT_THAT(SentCommands(), ElementsAre("\r", "ARG?\r"));

    link.ReleaseCurrentCommand();
    link.QueueCommand(std::string(1, TransmitterLink::kEsc));
    link.QueueCommand("TCH?");
    clock.AdvanceMs(100); // ESC, then TCH? at the next tick
    EXPECT_THAT(SentCommands(), ElementsAre("\r", "ARG?\r", "\x1b", "TCH?\r"));
    EXPECT_EQ(WriteTime("TCH?\r") - WriteTime("\x1b"), TransmitterLink::kCommMs);
    EXPECT_THAT(clock.traces, ::testing::Contains("ESC SENT"));
    EXPECT_THAT(clock.traces, ::testing::Contains("S=TCH?"));
}

TEST_F(Pump, SlowCommandsGetALongerFirstTick) {
    struct Case {
        const char* command;
        int firstTickMs;
    };
    link.SuppressWake = true;
    for (const Case c :
         {Case{"RGP?", 250},    Case{"LGC?", 250},    Case{"TCR?", 250},    Case{"RST?", 400},
          Case{"SS*?", 4000},   Case{"TDP=*?", 4000}, Case{"SSX=*?", 4000}, Case{"MMA?", 4000},
          Case{"CFS", 4000},    Case{"RDP=*?", 4000}, Case{"SLX=*?", 4000}, Case{"ILX=*?", 4000},
          Case{"ISX=*?", 4000}, Case{"IM*?", 4000},   Case{"SM*?", 4000},   Case{"IS*?", 4000},
          Case{"IL*?", 4000},   Case{"SL*?", 4000},   Case{"EQN?", 4000},   Case{"TDP?", 4000},
          Case{"RDP?", 4000},   Case{"TCH?", 30},     Case{"RST", 30},      Case{"IMX=*?", 30}}) {
        SCOPED_TRACE(c.command);
        const std::int64_t sentBefore = static_cast<std::int64_t>(clock.writes.size());
        link.QueueCommand(c.command);
        clock.RunUntil([&] { return static_cast<std::int64_t>(clock.writes.size()) > sentBefore; },
                       200);
        const std::int64_t sentAt = clock.writes.back().atMs;
        EXPECT_EQ(clock.TimerInterval(LinkTimer::Comm), c.firstTickMs);
        // Unanswered, it times out after its first tick and 33 more of 30 ms.
        clock.RunUntil([&] { return link.CurrentCommand().empty(); }, 10000);
        EXPECT_EQ(clock.NowMs() - sentAt, c.firstTickMs + 33 * 30);
        link.ListXmitCmd.clear();
        link.ResetRetries();
    }
}

TEST(PumpTimeOut, AnUnansweredCommandIsRetriedTwiceThenTheLinkIsDeclaredDead) {
    struct Case {
        std::vector<std::string> queued;
        std::vector<std::string> sent; // each time-out puts the command at the end
        std::vector<std::string> left;
    };
    const std::vector<Case> cases = {
        {{"TCH?"}, {"TCH?\r", "TCH?\r", "TCH?\r"}, {}},
        // Three time-outs in a row kill the link, whichever commands they hit.
        {{"TCH?", "RCH?"}, {"TCH?\r", "RCH?\r", "TCH?\r"}, {"RCH?"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.queued.size());
        VirtualClock clock;
        ScriptedPeer peer;
        clock.AttachPeer(&peer);
        clock.OpenPort();
        clock.StartPump();
        for (const auto& q : c.queued) {
            clock.Link().QueueCommand(q);
        }
        clock.AdvanceMs(10000);
        std::vector<std::string> sent;
        for (const auto& w : clock.writes) {
            if (w.bytes != "\r") {
                sent.push_back(w.bytes);
            }
        }
        EXPECT_THAT(sent, ElementsAreArray(c.sent));
        ASSERT_EQ(clock.CountMessages(UMCommTimeOut), 1);
        // 140 ms to the first send, 1020 ms per time-out, a tick to send each
        // retry.
        EXPECT_EQ(clock.messages[0].atMs, 140 + 3 * 1020 + 2 * 30);
        EXPECT_FALSE(clock.TimerEnabled(LinkTimer::Comm));
        EXPECT_FALSE(clock.Link().TransmitterAnswering);
        EXPECT_EQ(clock.indicator, IndicatorLook::Error);
        EXPECT_THAT(clock.Link().ListXmitCmd, ElementsAreArray(c.left)); // left untouched
    }
}

TEST_F(Pump, AfterTheLinkDiedOneTimeOutIsEnoughUntilALineArrives) {
    // The main window's answer to 1128: empty the queue, restart the pump.
    clock.onMessage = [&](const WindowMessage& m) {
        if (m.message == UMCommTimeOut) {
            link.ListXmitCmd.clear();
            link.ReleaseCurrentCommand();
            clock.EnableTimer(LinkTimer::Comm, true);
        }
    };
    link.QueueCommand("ARG?");
    clock.RunUntil([&] { return clock.CountMessages(UMCommTimeOut) == 1; }, 10000);
    const std::int64_t firstDeath = clock.NowMs();
    link.QueueCommand("ARG?");
    clock.RunUntil([&] { return clock.CountMessages(UMCommTimeOut) == 2; }, 10000);
    EXPECT_LT(clock.NowMs() - firstDeath, 1200);

    // A line brings the retries back and marks the transmitter answering.
    peer.Answer = [](const std::string& l) { return Answer(l, {"ARG=0"}); };
    link.QueueCommand("ARG?");
    clock.RunUntil([&] { return link.TransmitterAnswering; }, 2000);
    EXPECT_EQ(link.RetriesLeft(), 3);
    clock.AdvanceMs(100);
    EXPECT_EQ(clock.indicator, IndicatorLook::Ok);
}

TEST(PumpRestart, ATimeOutRestartsAWholeRetrieveOrConfigureSequence) {
    const std::vector<std::string> list = {"IST=0", "ARG?", "SCD?", "NID?"};
    for (bool configure : {false, true}) {
        SCOPED_TRACE(configure ? "configure" : "retrieve");
        VirtualClock clock;
        ScriptedPeer peer;
        TransmitterLink& link = clock.Link();
        clock.AttachPeer(&peer);
        clock.OpenPort();
        clock.StartPump();
        link.RetrievingAll = !configure;
        link.ConfiguringAll = configure;
        auto requeue = [&] {
            for (const auto& c : list) {
                link.QueueCommand(c);
            }
        };
        clock.onRestartRetrieve = requeue;
        clock.onRestartConfigure = requeue;
        link.QueueCommand("DTX"); // queued before the sequence: not part of a restart
        requeue();
        // Everything answered but "SCD?".
        peer.Answer = [](const std::string& l) { return l == "SCD?" ? "" : Answer(l, {"OK"}); };
        clock.RunUntil([&] { return clock.retrieveRestarts + clock.configureRestarts > 0; }, 10000);
        EXPECT_EQ(clock.retrieveRestarts, configure ? 0 : 1);
        EXPECT_EQ(clock.configureRestarts, configure ? 1 : 0);
        EXPECT_EQ(link.CurrentCommand(), "");
        EXPECT_THAT(link.ListXmitCmd, ElementsAreArray(list)); // "NID?" not left behind
        // The sequence runs again from its start.
        clock.AdvanceMs(200);
        EXPECT_EQ(peer.Count("IST=0"), 2);
        EXPECT_EQ(peer.Count("DTX"), 1);
    }
}

TEST_F(Pump, ARetryAfterTrimmingSendsTheCommandAsItWasQueued) {
    // "TCH?" is answered by its value but the prompt never comes.
    peer.Answer = [](const std::string& l) { return l == "TCH?" ? "TCH=1,300\r\n" : ""; };
    link.QueueCommand("TCH?");
    clock.RunUntil([&] { return link.CurrentCommand() == "TCH"; }, 1000);
    const std::int64_t answeredAt = clock.NowMs();
    EXPECT_EQ(link.ReplyCountdown(), 0);
    // The indicator turns green, but without the prompt the command times
    // out three ticks later (0, -1, 1, 0).
    clock.RunUntil([&] { return link.CurrentCommand().empty(); }, 2000);
    EXPECT_EQ(clock.indicator, IndicatorLook::Ok);
    EXPECT_LE(clock.NowMs() - answeredAt, 4 * TransmitterLink::kCommMs);
    EXPECT_THAT(link.ListXmitCmd, ElementsAre("TCH?"));
    clock.AdvanceMs(100);
    EXPECT_EQ(peer.Count("TCH?"), 2);
    EXPECT_EQ(peer.Count("TCH"), 0);
}

TEST_F(Pump, AClosedPortDiscardsTheQueueAndTurnsTheIndicatorRedOnce) {
    peer.Answer = [](const std::string& l) { return Answer(l, {}); };
    link.QueueCommand("TCH?");
    clock.AdvanceMs(400);
    EXPECT_EQ(clock.indicator, IndicatorLook::Ok);
    clock.ClosePort();
    link.QueueCommand("RCH?");
    const std::size_t written = clock.writes.size();
    clock.AdvanceMs(300);
    EXPECT_TRUE(link.ListXmitCmd.empty());
    EXPECT_EQ(clock.writes.size(), written);
    EXPECT_EQ(clock.indicator, IndicatorLook::Error);
    EXPECT_EQ(link.ReplyCountdown(), -1);
    EXPECT_EQ(clock.CountMessages(UMCommTimeOut), 0);
}

TEST_F(Pump, ALostPortEndsAWaitingOperationAsALinkFailure) {
    link.QueueCommand("TCH?");
    clock.AdvanceMs(200);
    link.PortLost();
    clock.DeliverPosted();
    EXPECT_EQ(clock.CountMessages(UMCommTimeOut), 1);
    EXPECT_FALSE(link.PortReady());
    EXPECT_FALSE(clock.TimerEnabled(LinkTimer::Comm));
}

} // namespace
} // namespace tavin::test

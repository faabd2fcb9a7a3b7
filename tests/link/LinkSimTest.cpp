// The engine against the simulated transmitter on the virtual clock: the
// retries a silent transmitter receives, and the wake-up a sleeping one needs.
#include "common/SimPeer.h"
#include "common/VirtualClock.h"
#include "link/WindowMessages.h"
#include "sim/SimTransmitter.h"

#include <gmock/gmock.h>

namespace tavin::test {
namespace {

using ::testing::Contains;

class LinkWithSim : public ::testing::Test {
protected:
    LinkWithSim() : peer(sim), link(clock.Link()) {
        clock.AttachPeer(&peer);
        clock.OpenPort();
        clock.StartPump();
        link.ReplyParsers = {[this](const std::string& l) { parsed.push_back(l); }};
    }
    bool Idle() const { return link.ListXmitCmd.empty() && link.CurrentCommand().empty(); }

    sim::SimTransmitter sim;
    SimPeer peer;
    VirtualClock clock;
    TransmitterLink& link;
    std::vector<std::string> parsed;
};

// Three sends in all, each after a full time-out, then the link is dead; a
// further command after that is given up after a single time-out.
TEST_F(LinkWithSim, ASilentTransmitterGetsTheCommandThreeTimes) {
    link.QueueCommand("");
    ASSERT_TRUE(clock.RunUntil([&] { return link.TransmitterAnswering && Idle(); }, 2000));
    sim.Inject(sim::NoAnswer{-1});
    const std::int64_t start = clock.NowMs();
    link.QueueCommand("TCH?");
    ASSERT_TRUE(clock.RunUntil([&] { return clock.CountMessages(UMCommTimeOut) == 1; }, 10000));
    EXPECT_EQ(sim.ReceivedCount("TCH"), 3);
    // About 1 s per attempt: 30 ms first tick and 33 more.
    EXPECT_NEAR(static_cast<double>(clock.NowMs() - start), 3 * 34 * 30.0, 150.0);
    EXPECT_FALSE(link.TransmitterAnswering);
    EXPECT_FALSE(clock.TimerEnabled(LinkTimer::Comm));

    // As the time-out handler does: the pump runs again, nothing is pending.
    clock.EnableTimer(LinkTimer::Comm, true);
    link.ListXmitCmd.clear();
    link.ReleaseCurrentCommand();
    link.QueueCommand("RCH?");
    ASSERT_TRUE(clock.RunUntil([&] { return clock.CountMessages(UMCommTimeOut) == 2; }, 10000));
    EXPECT_EQ(sim.ReceivedCount("RCH"), 1);

    // The transmitter speaks again: the retries are back.
    sim.ClearFaults();
    clock.EnableTimer(LinkTimer::Comm, true);
    link.ReleaseCurrentCommand();
    link.QueueCommand("TCH?");
    ASSERT_TRUE(clock.RunUntil([&] { return Idle(); }, 5000));
    EXPECT_THAT(parsed, Contains("TCH=0"));
    EXPECT_TRUE(link.TransmitterAnswering);
    EXPECT_EQ(link.RetriesLeft(), TransmitterLink::kRetriesReload);
}

// After more than 3 s without traffic the transmitter sleeps and the first
// byte it gets only wakes it. The link sends a lone carriage return first, so
// the command arrives whole and is answered at the first attempt.
TEST_F(LinkWithSim, ACommandAfterASilenceWakesTheTransmitterFirst) {
    link.QueueCommand("TCH=95,300");
    ASSERT_TRUE(clock.RunUntil([&] { return Idle(); }, 2000));
    clock.AdvanceMs(5000);
    EXPECT_TRUE(sim.IsAsleep(clock.NowMs()));
    parsed.clear();
    const std::size_t writesBefore = clock.writes.size();
    link.QueueCommand("TCH?");
    ASSERT_TRUE(clock.RunUntil([&] { return Idle(); }, 3000));
    ASSERT_GE(clock.writes.size(), writesBefore + 2);
    EXPECT_EQ(clock.writes[writesBefore].bytes, "\r");
    EXPECT_EQ(clock.writes[writesBefore + 1].bytes, "TCH?\r");
    EXPECT_EQ(clock.writes[writesBefore + 1].atMs - clock.writes[writesBefore].atMs,
              TransmitterLink::kWakeUpMs);
    EXPECT_THAT(parsed, Contains("TCH=95,300"));
    EXPECT_EQ(sim.ReceivedCount("TCH"), 2);
    EXPECT_EQ(clock.CountMessages(UMCommTimeOut), 0);

    // Without the wake-up (the direct control window's mode) the sleeping
    // transmitter loses the first letter and refuses the rest.
    clock.AdvanceMs(5000);
    link.SuppressWake = true;
    parsed.clear();
    link.QueueCommand("TCH?");
    ASSERT_TRUE(clock.RunUntil([&] { return Idle(); }, 3000));
    EXPECT_THAT(parsed, Contains("ERR"));
    EXPECT_EQ(sim.ReceivedCount("TCH"), 2);
}

} // namespace
} // namespace tavin::test

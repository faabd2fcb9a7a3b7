// Retrieve and send against the simulated transmitter on the virtual clock
// when the line misbehaves: noise and split writes during a send, a
// transmitter that stops answering halfway through, and the port pulled in
// the middle of a retrieve. Each ends with its outcome, nothing is left
// queued, and the next action works.

#include "SessionFixture.h"
#include "common/SampleConfigs.h"

#include <gmock/gmock.h>

namespace tavin::test {
namespace {

class TransferFaults : public SessionFixture {
protected:
    void StartSend(const XmtrConfig& config) {
        cfg = config;
        ctx.RederiveTxMode(cfg);
        host.platformIdField = cfg.PlatformIdGoes;
        session.Transfer().BtnConfigAllClick();
    }
    void Send(const XmtrConfig& config) {
        StartSend(config);
        ASSERT_TRUE(RunUntilBoxClosed());
    }
    TransferOutcome Outcome() { return session.Transfer().Outcome(); }
    // What the transmitter holds, as it would write it to a file.
    std::string Held() const { return sim.DumpConfiguration(); }
};

TEST_F(TransferFaults, NoiseAndSplitWritesDuringASendChangeNothing) {
    UseFirmware("1.53");
    Connect();
    const XmtrConfig sample = SampleConfig({4, 2, 4, 2, 1, 1, 1});
    Send(sample);
    ASSERT_EQ(Outcome(), TransferOutcome::Completed);
    const std::string clean = Held();

    sim.Inject(sim::Chunked{3, 4, 7});
    sim.Inject(sim::Garble{1, 24, 11, 0}); // one answer lost in noise
    const int restarts = clock.configureRestarts;
    Send(sample);
    EXPECT_EQ(Outcome(), TransferOutcome::Completed);
    EXPECT_EQ(clock.configureRestarts, restarts + 1); // the lost answer sent it again
    EXPECT_EQ(Held(), clean);
    EXPECT_TRUE(Idle());
    EXPECT_TRUE(PollRestored());
}

TEST_F(TransferFaults, TransmitterSilentHalfwayThroughASend) {
    UseFirmware("1.53");
    Connect();
    const XmtrConfig sample = SampleConfig({4, 2, 4, 2, 1, 1, 1});
    StartSend(sample);
    ASSERT_TRUE(RunUntil([&] { return sim.ReceivedCount("SSX") >= 2; }, 60000));
    sim.Inject(sim::NoAnswer{-1});
    ASSERT_TRUE(RunUntilBoxClosed());
    EXPECT_EQ(Outcome(), TransferOutcome::TimedOut);
    EXPECT_FALSE(link.ConfiguringAll);
    EXPECT_TRUE(Idle());

    sim.ClearFaults();
    Connect();
    Send(sample);
    EXPECT_EQ(Outcome(), TransferOutcome::Completed);
}

TEST_F(TransferFaults, PortPulledDuringARetrieve) {
    UseFirmware("1.53");
    Connect();
    Send(SampleConfig({4, 2, 4, 2, 1, 1, 1}));
    session.Transfer().BtnRefreshAllClick();
    ASSERT_TRUE(RunUntil([&] { return cfg.TimedTx.Channel > 0; }, 30000));
    // What the port control does when the device fails under the link.
    clock.ClosePort();
    link.PortClosed();
    link.PortLost();
    ASSERT_TRUE(RunUntilBoxClosed(5000));
    EXPECT_EQ(Outcome(), TransferOutcome::TimedOut);
    EXPECT_EQ(cfg.TimedTx.Channel, 0); // a half-read configuration is not kept
    EXPECT_FALSE(link.RetrievingAll);
    EXPECT_TRUE(Idle());

    clock.OpenPort();
    link.ResetRetries();
    session.ConfigureAutoPoll();
    Connect();
    Retrieve();
    EXPECT_EQ(Outcome(), TransferOutcome::Completed);
    EXPECT_GT(cfg.TimedTx.Channel, 0);
}

} // namespace
} // namespace tavin::test

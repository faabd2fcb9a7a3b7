// What a field laptop does to the link, tried through the window against the
// simulated transmitter: the transmitter killed in the middle of a retrieve or
// a send, one that stops answering halfway through a send, and split writes.
// Each ends with its message, nothing hangs, and the next action works.

#include "SimWindow.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QToolButton>

#include <csignal>
#include <fstream>

using namespace tavin;
using namespace tavin::test;

namespace {

class FaultScenarios : public SimWindow {
protected:
    void StartWithStation(std::vector<std::string> extra = {}) {
        const std::string config = dir.path().toStdString() + "/station.txt";
        std::ofstream(config) << "NID=3A5C1E22\r\nPIS=WILLOW CREEK\r\nTCH=95,300\r\n";
        extra.insert(extra.begin(), {"--config", config});
        Start(extra);
        Find<QToolButton>("SBtnConfigControl")->click();
        ASSERT_EQ(W().Mode(), OperatingMode::ConfigControl);
    }
    // Called while a box is open: once the transmitter has received `lines`
    // lines since the click, do `what` (once).
    std::function<void()> After(int lines, std::function<void()> what) {
        const int start = static_cast<int>(Received().size());
        auto done = std::make_shared<bool>(false);
        return [this, start, lines, what, done] {
            if (!*done && static_cast<int>(Received().size()) >= start + lines) {
                *done = true;
                what();
            }
        };
    }
    void Retrieve() {
        ASSERT_TRUE(ClickAndWait("BtnRefreshAll"));
        ASSERT_EQ(W().Config().PlatformIdGoes, "3A5C1E22");
        ASSERT_EQ(W().Config().TimedTx.Channel, 95);
    }
    bool Lost() {
        for (const std::string& e : fixture->prompter.Texts("error")) {
            if (e.rfind("COM4 Connection Lost", 0) == 0) {
                return true;
            }
        }
        return false;
    }
    void Replug() {
        StartSim();
        ASSERT_TRUE(QTest::qWaitFor([&] { return W().Link().PortOpen() && Answering(); }, 10000));
    }
};

} // namespace

// A retrieve cut off by a dead transmitter: the box ends by itself, the
// half-read configuration is not kept, and once the transmitter is back the
// retrieve works.
TEST_F(FaultScenarios, TransmitterKilledDuringARetrieve) {
    StartWithStation();
    EXPECT_TRUE(ClickAndWait("BtnRefreshAll", After(12, [&] { sim.Stop(); })));
    EXPECT_TRUE(Lost());
    EXPECT_TRUE(boxCommands.contains("COMMUNICATION TIMED OUT"))
        << boxCommands.join('|').toStdString();
    EXPECT_EQ(ReceivedCount("TCH?"), 1);
    EXPECT_EQ(W().Config().TimedTx.Channel, 0); // read, and not kept
    EXPECT_TRUE(W().Link().Link().ListXmitCmd.empty());
    Replug();
    Retrieve();
}

// A send cut off the same way: the link does not go on sending into the void,
// and the whole send goes through once the transmitter is back.
TEST_F(FaultScenarios, TransmitterKilledDuringASend) {
    StartWithStation();
    Retrieve();
    fixture->prompter.shown.clear();
    EXPECT_TRUE(ClickAndWait("BtnConfigAll", After(10, [&] { sim.Stop(); })));
    EXPECT_TRUE(Lost());
    EXPECT_TRUE(W().Link().Link().ListXmitCmd.empty());
    EXPECT_FALSE(W().Link().Link().ConfiguringAll);
    Replug();
    fixture->prompter.shown.clear();
    EXPECT_TRUE(ClickAndWait("BtnConfigAll"));
    EXPECT_EQ(ReceivedCount("CFS"), 1);
    EXPECT_EQ(ReceivedCount("NID=3A5C1E22"), 1);
    EXPECT_TRUE(fixture->prompter.Texts("error").empty());
}

// A transmitter that stops answering halfway through a send: the pump tries
// again, gives up with "COMMUNICATION TIMED OUT", and the link is usable as
// soon as the transmitter answers again.
TEST_F(FaultScenarios, TransmitterSilentHalfwayThroughASend) {
    StartWithStation();
    Retrieve();
    EXPECT_TRUE(
        ClickAndWait("BtnConfigAll", After(10, [&] { ASSERT_EQ(kill(sim.Pid(), SIGSTOP), 0); })));
    kill(sim.Pid(), SIGCONT);
    EXPECT_TRUE(boxCommands.contains("COMMUNICATION TIMED OUT"))
        << boxCommands.join('|').toStdString();
    EXPECT_FALSE(W().Link().Link().ConfiguringAll);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Answering(); }, 15000));
    Retrieve();
}

// Replies in small random pieces during a send change nothing.
TEST_F(FaultScenarios, SplitWritesDuringASend) {
    StartWithStation({"--chunked"});
    Retrieve();
    fixture->prompter.shown.clear();
    EXPECT_TRUE(ClickAndWait("BtnConfigAll"));
    EXPECT_EQ(ReceivedCount("CFS"), 1);
    EXPECT_TRUE(fixture->prompter.Texts("error").empty());
    EXPECT_TRUE(W().Link().Link().ListXmitCmd.empty());
}

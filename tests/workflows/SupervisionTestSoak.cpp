// A day of Monitor mode on the virtual clock: polling the simulator every
// second, with bursts of line noise and the port pulled twice. What the link
// keeps stays bounded, the transmitter is found again after each disconnect,
// and every field of the information page is filled again.

#include "SupervisionTestFixture.h"

#include "link/WindowMessages.h"

#include <random>

using namespace tavin;
using namespace tavin::test;

namespace {

class Soak : public SupervisionFixture {
protected:
    // The port goes away under the link, as ComPortControl reports it.
    void PullPort() {
        clock.ClosePort();
        link.PortClosed();
        link.PortLost();
        sup.ConfigureAutoPoll();
    }
    // It comes back and is opened again.
    void ReplugPort() {
        clock.OpenPort();
        link.ResetRetries();
        sup.ConfigureAutoPoll();
        sup.PortReopened();
    }
    void NoiseBurst(std::mt19937& random) {
        std::string noise(200 + random() % 600, '\0');
        for (char& c : noise) {
            c = static_cast<char>(random() % 256);
        }
        clock.SendFromPeer(noise);
    }
    // Every field of "TAVIN Information" that the poll reads is shown.
    std::vector<std::string> EmptyFields() const {
        const TAVINStatusView& v = sup.Status();
        const std::pair<const char*, const std::string*> fields[] = {
            {"firmware", &v.FirmwareVersion},       {"serial", &v.SerialNumber},
            {"state", &v.TransmitterState},         {"next tx", &v.TimeToNextTx},
            {"timed buffer", &v.TimedBufferSize},   {"next timed", &v.NextTimedTx},
            {"random buffer", &v.RandomBufferSize}, {"random txs", &v.RandomBufferTxs},
            {"next random", &v.NextRandomTx},       {"failsafe", &v.Failsafe},
            {"gps cal", &v.GpsCalStatus},           {"time", &v.ClockStatus},
            {"date", &v.ClockDateStatus},
        };
        std::vector<std::string> empty;
        for (const auto& [name, text] : fields) {
            if (text->empty()) {
                empty.emplace_back(name);
            }
        }
        if (v.PlatformIdCaption.rfind("Platform ID : ", 0) != 0 ||
            v.PlatformIdCaption == "Platform ID : No TAVIN") {
            empty.emplace_back("platform id");
        }
        return empty;
    }
};

} // namespace

TEST_F(Soak, ADayOfMonitoringWithNoiseAndTwoDisconnects) {
    constexpr std::int64_t kHour = 3600 * 1000;
    const std::int64_t kDay = (std::getenv("TAVIN_SOAK_HOURS") ? std::atoll(std::getenv("TAVIN_SOAK_HOURS")) : 24) * kHour;
    host.monitor = true;
    host.tab = StatusTab::TAVINStatus;
    StartWithSim();
    sup.ReidentifyPending = true;
    sup.InstallMonitorInspectPoll();
    std::mt19937 random(1234);

    std::size_t maxQueue = 0, maxReplies = 0, maxPartial = 0;
    int reconnects = 0;
    std::int64_t pullAt[] = {7 * kHour, 16 * kHour};
    for (std::int64_t now = 0; now < kDay; now += 1000) {
        Run(1000);
        maxQueue = std::max(maxQueue, link.ListXmitCmd.size());
        maxReplies = std::max(maxReplies, link.ListXmitReply().size());
        maxPartial = std::max(maxPartial, link.PartialLine().size());
        if (now % (20 * 60 * 1000) == 10 * 60 * 1000) {
            NoiseBurst(random);
        }
        for (std::int64_t at : pullAt) {
            if (now == at) {
                PullPort();
                EXPECT_EQ(sup.InstalledProcedure(), PollProcedure::None);
            } else if (now == at + 30 * 1000) {
                ReplugPort();
                ++reconnects;
                EXPECT_TRUE(RunUntil([&] { return EmptyFields().empty(); }, 60 * 1000))
                    << "after reconnect " << reconnects
                    << ", still empty: " << ::testing::PrintToString(EmptyFields());
            }
        }
        // The harness's own records of the wire grow with the day; the
        // engine's must not.
        if (now % kHour == 0) {
            clock.writes.clear();
            clock.messages.clear();
            clock.feedback.clear();
            clock.boxCommands.clear();
        }
    }
    EXPECT_EQ(reconnects, 2);
    EXPECT_TRUE(link.TransmitterAnswering);
    EXPECT_TRUE(EmptyFields().empty()) << ::testing::PrintToString(EmptyFields());
    EXPECT_LE(maxQueue, 64u);
    EXPECT_LE(maxReplies, 64u);
    EXPECT_LE(maxPartial, TransmitterLink::kMaxLineLength);
    EXPECT_GE(sim.ReceivedCount("RST"), 20 * 3600); // polled about every second
}

// Noise on the line: random bytes never break the engine, never make it hold
// more than a bounded amount, and the next good reply is understood.
#include "LinkFixture.h"
#include "link/WindowMessages.h"

#include <gmock/gmock.h>

#include <random>

namespace tavin::test {
namespace {

TEST_F(LinkFixture, ARandomByteStormLeavesTheLinkWorking) {
    RecordParsedLines();
    // The main window's answer to a dead link: start the pump again.
    clock.onMessage = [&](const WindowMessage& m) {
        if (m.message == UMCommTimeOut) {
            link.ListXmitCmd.clear();
            link.ReleaseCurrentCommand();
            clock.EnableTimer(LinkTimer::Comm, true);
        }
    };
    std::mt19937 rng(20240611);
    std::string noise(100000, '\0');
    for (char& c : noise) {
        c = static_cast<char>(rng() & 0xFF);
    }
    clock.SendFromPeer(noise); // about 104 s at 9600 baud
    std::size_t mostReplies = 0, mostCommands = 0, longestLine = 0;
    for (int second = 0; second < 110; ++second) {
        if (link.ListXmitCmd.empty()) {
            link.QueueCommand(""); // an idle poll
        }
        for (int ms = 0; ms < 1000; ms += 10) {
            clock.AdvanceMs(10);
            mostReplies = std::max(mostReplies, link.ListXmitReply().size());
            mostCommands = std::max(mostCommands, link.ListXmitCmd.size());
            longestLine = std::max(longestLine, link.PartialLine().size());
        }
    }
    EXPECT_LE(mostReplies, 1u);
    EXPECT_LE(mostCommands, 3u);
    EXPECT_LE(longestLine, TransmitterLink::kMaxLineLength);
    EXPECT_GT(parsed.size(), 100u); // the noise was framed into lines

    // A transmitter answers again; once the poll is through, a query.
    peer.Answer = [](const std::string& l) {
        return l.find("TCH?") != std::string::npos ? Answer("TCH?", {"TCH=1,300"}) : ">";
    };
    ASSERT_TRUE(clock.RunUntil(
        [&] { return link.CurrentCommand().empty() && link.ListXmitCmd.empty(); }, 10000));
    parsed.clear();
    link.QueueCommand("TCH?");
    ASSERT_TRUE(clock.RunUntil(
        [&] { return std::count(parsed.begin(), parsed.end(), "TCH=1,300") == 1; }, 5000));
    clock.AdvanceMs(50);
    EXPECT_EQ(parsed.back(), ">");
    EXPECT_EQ(link.CurrentCommand(), "");
    EXPECT_TRUE(link.TransmitterAnswering);
}

} // namespace
} // namespace tavin::test

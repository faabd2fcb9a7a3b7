// The Qt adapter against the real simulated transmitter over a
// pseudo-terminal: the whole serial stack, nothing played by the test.
#include "common/SimProcess.h"
#include "link/qt/QtLink.h"

#include <gmock/gmock.h>

#include <QTest>

namespace tavin {
namespace {

using ::testing::Contains;

TEST(QtLinkWithSimulator, QueriesAreAnsweredThroughTheSerialPort) {
    test::SimProcess sim;
    std::string error;
    ASSERT_TRUE(sim.Start(TAVIN_SIM_PROGRAM, {"--firmware", "1.53"}, error)) << error;

    QtLink link;
    link.PortControl().Preferences = [&](const std::string& section, const std::string& key) {
        return section == "COMM" && key == "Port3" ? std::optional<std::string>(sim.Link())
                                                   : std::nullopt;
    };
    link.PortControl().ComNum = 3;
    std::vector<std::string> lines;
    link.Link().ReplyParsers = {[&](const std::string& l) { lines.push_back(l); }};
    ASSERT_TRUE(link.InitComPort(3));
    link.EnableTimer(LinkTimer::Comm, true);

    link.Link().QueueCommand("ARG?");
    link.Link().QueueCommand("TCH=95,300");
    link.Link().QueueCommand("TCH?");
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return link.Link().ListXmitCmd.empty() && link.Link().CurrentCommand().empty(); },
        8000));
    EXPECT_THAT(lines, Contains("ARG=0"));
    EXPECT_THAT(lines, Contains("OK"));
    EXPECT_THAT(lines, Contains("TCH=95,300"));
    EXPECT_TRUE(link.CheckLinkReady(false));
}

} // namespace
} // namespace tavin

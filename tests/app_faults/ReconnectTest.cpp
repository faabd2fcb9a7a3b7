// A port that opens again, against the simulated transmitter over a
// pseudo-terminal: chosen anew after a failure, or lost and back by itself
// when its device returns (a replugged adapter: the simulator restarted under
// the same link).

#include "SimWindow.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QRegularExpression>
#include <QTest>
#include <QToolButton>

using namespace tavin;
using namespace tavin::test;

namespace {

class Reconnect : public SimWindow {
protected:
    void SetUp() override { Start(); }
    int ReceivedLines() const { return static_cast<int>(Received().size()); }
};

} // namespace

// A port that failed to open stops the pump; choosing a good one again must
// start it, without choosing a mode again.
TEST_F(Reconnect, ChoosingAPortAgainAfterAFailureResumesPolling) {
    Find<QToolButton>("SBtnConfigControl")->click();
    ASSERT_EQ(W().Mode(), OperatingMode::ConfigControl);
    Find<QAction>("miCOM8")->trigger();
    ASSERT_EQ(fixture->prompter.Texts("error").size(), 1u);
    EXPECT_EQ(CommStatus(), "COM None");
    Find<QAction>("miCOM4")->trigger();
    const int before = ReceivedLines();
    EXPECT_TRUE(QTest::qWaitFor([&] { return ReceivedLines() >= before + 2; }, 5000))
        << "nothing was sent after the port was chosen again";
    EXPECT_TRUE(QTest::qWaitFor([&] { return Answering(); }, 5000));
    EXPECT_EQ(W().Link().Link().Indicator(), IndicatorLook::Ok);
}

// The far end goes away and comes back under the same path: the port is
// reopened by itself within 2 s, the status bar says so, and Monitor mode's
// panel is filled again.
TEST_F(Reconnect, APulledPortComesBackByItselfAndMonitoringGoesOn) {
    auto* firmware = Find<QLabel>("LblFldFirmware");
    Find<QToolButton>("SBtnMonitor")->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return W().Mode() == OperatingMode::Monitor; }, 10000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !firmware->text().isEmpty(); }, 10000));
    // The clock rows show the time and the date the poll reads every second.
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return QRegularExpression("^ \\d\\d:\\d\\d:\\d\\d$")
                       .match(Find<QLabel>("LblFldClockStatus")->text())
                       .hasMatch() &&
                   QRegularExpression("^ \\d\\d/\\d\\d/\\d{4}$")
                       .match(Find<QLabel>("LblFldClockDate")->text())
                       .hasMatch();
        },
        5000))
        << Find<QLabel>("LblFldClockStatus")->text().toStdString() << "|"
        << Find<QLabel>("LblFldClockDate")->text().toStdString();

    for (int round = 1; round <= 2; ++round) {
        SCOPED_TRACE(round);
        fixture->prompter.shown.clear();
        sim.Stop();
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return !fixture->prompter.Texts("error").empty(); }, 5000));
        EXPECT_EQ(fixture->prompter.Texts("error")[0].substr(0, 20), "COM4 Connection Lost");
        EXPECT_EQ(CommStatus(), "COM None");
        EXPECT_TRUE(firmware->text().isEmpty());

        StartSim();
        QElapsedTimer back;
        back.start();
        ASSERT_TRUE(QTest::qWaitFor([&] { return W().Link().PortOpen(); }, 5000));
        EXPECT_LE(back.elapsed(), 2000);
        EXPECT_TRUE(CommStatus().startsWith("COM4")) << CommStatus().toStdString();
        EXPECT_TRUE(QTest::qWaitFor([&] { return !firmware->text().isEmpty(); }, 10000));
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return Find<QGroupBox>("gbTAVINInfo")->title().startsWith("Platform ID : "); },
            10000));
        EXPECT_TRUE(Answering());
    }
}

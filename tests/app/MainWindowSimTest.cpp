// The main window against the simulated transmitter over a pseudo-terminal:
// the modes, retrieve and send with their progress boxes, refusals and
// silence, as a user would meet them.

#include "app/WindowOnSim.h"
#include "files/IniFile.h"
#include "link/qt/QtLink.h"
#include "service/TFormOperationInfo.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <csignal>
#include <fstream>

using namespace tavin;
using namespace tavin::test;

TEST_F(WindowOnSim, RetrieveFillsTheModelAndTheStatus) {
    QTemporaryDir dir;
    const std::string config = dir.path().toStdString() + "/sim.txt";
    std::ofstream(config) << "NID=3A5C1E22\r\nPIS=WILLOW CREEK\r\nSSN=12\r\n";
    Start({"--config", config});
    // The alive poll identifies the transmitter.
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return !Find<QLabel>("LblFldFirmware")->text().isEmpty(); }, 10000));
    EnterConfigControl();
    ClickAndWait("BtnRefreshAll");
    EXPECT_EQ(W().Config().PlatformIdGoes, "3A5C1E22");
    EXPECT_EQ(W().Config().General.PlatformIdString, "WILLOW CREEK");
    EXPECT_EQ(Find<QLineEdit>("OvcNesdisID")->text(), "3A5C1E22");
    EXPECT_TRUE(fixture->prompter.Texts("error").empty());
}

TEST_F(WindowOnSim, SendRefusedByTheTransmitterNamesTheCommand) {
    Start({"--err", "PIS"});
    EnterConfigControl();
    ClickAndWait("BtnRefreshAll");
    fixture->prompter.shown.clear();
    ClickAndWait("BtnConfigAll");
    const auto errors = fixture->prompter.Texts("error");
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], "Error With Command \"PIS=.\"");
    // Nothing of the refused send is left to go out.
    EXPECT_TRUE(W().Link().Link().ListXmitCmd.empty());
}

TEST_F(WindowOnSim, SilenceEndsTheOperationWithCommunicationTimedOut) {
    Start({});
    EnterConfigControl();
    ASSERT_EQ(kill(sim.Pid(), SIGSTOP), 0);
    ClickAndWait("BtnRefreshAll", 60000);
    kill(sim.Pid(), SIGCONT);
    EXPECT_TRUE(boxCommands.contains("COMMUNICATION TIMED OUT"))
        << boxCommands.join('|').toStdString();
    EXPECT_FALSE(W().Link().Link().TransmitterAnswering);
    EXPECT_EQ(Find<QLabel>("XmtCommStatus")->text(), "COM4");
}

TEST_F(WindowOnSim, MonitorModeIdentifiesTheTransmitterAndKeepsPolling) {
    QTemporaryDir dir;
    const std::string config = dir.path().toStdString() + "/sim.txt";
    std::ofstream(config) << "NID=0BADCAFE\r\n";
    Start({"--config", config});
    ClickAndWait("SBtnMonitor");
    EXPECT_EQ(W().Mode(), OperatingMode::Monitor);
    EXPECT_TRUE(Find<QWidget>("gbTAVINInfo")->isVisible());
    EXPECT_FALSE(Find<QWidget>("BtnConfigAll")->isVisible());
    EXPECT_EQ(Find<QGroupBox>("gbTAVINInfo")->title(), "Platform ID : 0BADCAFE");
    // The status poll fills the information page.
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return !Find<QLabel>("LblFldFirmware")->text().isEmpty(); }, 10000));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return !Find<QLabel>("LblFldTimeToNextTx")->text().isEmpty(); }, 10000));
    EXPECT_TRUE(fixture->prompter.Texts("error").empty());

    // Letting go of the port empties the panel.
    Find<QAction>("miComNone")->trigger();
    EXPECT_EQ(Find<QGroupBox>("gbTAVINInfo")->title(), "Platform ID");
    EXPECT_TRUE(Find<QLabel>("LblFldFirmware")->text().isEmpty());
    EXPECT_EQ(Find<QLabel>("XmtCommStatus")->text(), "COM None");
}

#pragma once
// A main window on port 4 talking to the simulated transmitter over a
// pseudo-terminal, with helpers to press buttons that open progress boxes.

#include "app/MainWindowFixture.h"
#include "app/MainWindowHost.h"
#include "app/ProgressBoxClick.h"
#include "common/SimProcess.h"
#include "link/qt/QtLink.h"
#include "service/TFormOperationInfo.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLabel>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <memory>
#include <string>
#include <vector>

namespace tavin::test {

class WindowOnSim : public ::testing::Test {
protected:
    // Starts the simulator with these options and a window on port 4.
    void Start(std::vector<std::string> simArgs, const std::string& iniText = "") {
        std::string error;
        ASSERT_TRUE(sim.Start(TAVIN_SIM_PROGRAM, simArgs, error)) << error;
        fixture = std::make_unique<MainWindowFixture>("[COMM]\nComNum=4\nPort4=" + sim.Link() +
                                                      "\n" + iniText);
        fixture->Open();
        // The alive poll finds the transmitter.
        ASSERT_TRUE(QTest::qWaitFor([&] { return W().Link().Link().TransmitterAnswering; }, 10000));
    }

    TfrmXmtrCfg& W() { return *fixture->window; }
    template <typename T> T* Find(const char* name) { return fixture->Find<T>(name); }

    // Clicks a button that opens a modal progress box; a box still open after
    // limitMs is cancelled so that a fault fails the test instead of hanging it.
    void ClickAndWait(const char* button, int limitMs = 30000) {
        EXPECT_TRUE(ClickThroughProgressBox(W(), fixture->prompter, button, boxCommands, limitMs))
            << button << ": the progress box did not close by itself";
    }

    void EnterConfigControl() {
        Find<QToolButton>("SBtnConfigControl")->click();
        ASSERT_EQ(W().Mode(), OperatingMode::ConfigControl);
    }

    std::string ConfigPath() const { return fixture->Folder() + "/sim-config.txt"; }

    SimProcess sim;
    std::unique_ptr<MainWindowFixture> fixture;
    QStringList boxCommands;
};

} // namespace tavin::test

#pragma once
// A main window on port 4, with the simulated transmitter behind a link in
// the test's folder that a restarted simulator takes over (a replugged
// adapter), and what each simulator received read from its transcript.

#include "app/MainWindowFixture.h"
#include "app/MainWindowHost.h"
#include "app/ProgressBoxClick.h"
#include "common/SimProcess.h"
#include "link/qt/QtLink.h"
#include "service/TFormOperationInfo.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLabel>
#include <QTest>
#include <QTimer>

#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace tavin::test {

class SimWindow : public ::testing::Test {
protected:
    // Starts the simulator with these options and a window on it.
    void Start(std::vector<std::string> simArgs = {}, const std::string& iniText = "") {
        link = dir.path().toStdString() + "/tavin-port";
        args = std::move(simArgs);
        StartSim();
        fixture = std::make_unique<MainWindowFixture>("[COMM]\nComNum=4\nPort4=" + link +
                                                      "\nPort8=" + dir.path().toStdString() +
                                                      "/no-such-device\n" + iniText);
        fixture->Open();
        ASSERT_TRUE(QTest::qWaitFor([&] { return Answering(); }, 10000));
    }
    // A new simulator under the same link, with its own transcript.
    void StartSim() {
        transcript = dir.path().toStdString() + "/transcript-" + std::to_string(++starts) + ".txt";
        std::vector<std::string> all = args;
        all.insert(all.end(), {"--transcript", transcript});
        std::string error;
        ASSERT_TRUE(sim.Start(TAVIN_SIM_PROGRAM, all, error, link)) << error;
    }

    // The lines the current simulator received, in order.
    std::vector<std::string> Received() const {
        std::ifstream in(transcript);
        std::vector<std::string> out;
        std::string line;
        while (std::getline(in, line)) {
            std::istringstream fields(line);
            std::string time, direction, text;
            fields >> time >> direction;
            std::getline(fields, text);
            if (direction == "R") {
                out.push_back(text.empty() ? text : text.substr(1));
            }
        }
        return out;
    }
    int ReceivedCount(const std::string& command) const {
        int n = 0;
        for (const std::string& line : Received()) {
            n += line == command ? 1 : 0;
        }
        return n;
    }

    bool Answering() { return W().Link().Link().TransmitterAnswering; }
    TfrmXmtrCfg& W() { return *fixture->window; }
    template <typename T> T* Find(const char* name) { return fixture->Find<T>(name); }
    QString CommStatus() { return Find<QLabel>("XmtCommStatus")->text(); }

    // Clicks a button that opens a modal progress box, answering Yes to its
    // question. While the box is open, `during` is called every 20 ms; a box
    // still open after limitMs is cancelled so that a fault fails the test
    // instead of hanging it. Returns whether the box closed by itself.
    bool ClickAndWait(const char* button, const std::function<void()>& during = {},
                      int limitMs = 60000) {
        return ClickThroughProgressBox(W(), fixture->prompter, button, boxCommands, limitMs,
                                       during);
    }

    QTemporaryDir dir;
    std::string link;
    std::string transcript;
    std::vector<std::string> args;
    int starts = 0;
    SimProcess sim;
    std::unique_ptr<MainWindowFixture> fixture;
    QStringList boxCommands;
};

} // namespace tavin::test

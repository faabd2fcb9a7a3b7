#pragma once
// The main window on tavin-sim over a pseudo-terminal, with the data log
// window opened from its menu. The simulator's log is built again here as
// the program builds it, so that a test knows every record it must see.

#include "app/MainWindowFixture.h"
#include "app/MainWindowHost.h"
#include "common/SimProcess.h"
#include "datalog/SavedHexLog.h"
#include "datalog/TLOG_REC.h"
#include "datalog/qt/TFormDataLog.h"
#include "datalog/qt/TFormDataLogHost.h"
#include "link/qt/QtLink.h"
#include "sim/SimLog.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <ctime>
#include <fstream>
#include <functional>
#include <set>
#include <sstream>

namespace tavin::test {

inline constexpr std::int64_t kLogEpoch = 946684800; // 01/01/2000 00:00:00 UTC
inline constexpr std::uint32_t kDay = 86400;

// The labels and the tipping-bucket multiplier the simulated transmitter is
// configured with.
inline constexpr char kSimConfig[] = "SLX=0,LVL\r\nSLX=1,WIND\r\nILX=0,BATT\r\nILX=1,TEMP\r\n"
                                     "ILX=2,RAIN\r\nTBM=0.1\r\nPIS=WILLOW CREEK\r\nCFS\r\n";

inline TLOG_REC SimDecoder() {
    TLOG_REC rec;
    for (const auto& [index, label] : std::vector<std::pair<int, std::string>>{
             {0, "LVL"}, {1, "WIND"}, {64, "BATT"}, {65, "TEMP"}, {66, "RAIN"}}) {
        rec.SetSensorLabel(index, label);
    }
    rec.SetBucketMultiplier(4); // 0.1
    return rec;
}

inline std::vector<std::string> FileLines(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> out;
    std::string line;
    while (std::getline(in, line)) {
        out.push_back(line);
    }
    return out;
}

inline std::vector<std::string> Strings(const QStringList& lines) {
    std::vector<std::string> out;
    for (const QString& l : lines) {
        out.push_back(l.toStdString());
    }
    return out;
}

class DataLogOnSim : public ::testing::Test {
protected:
    // The first second of today in log time, as tavin-sim takes it.
    static std::uint32_t LogToday() {
        return static_cast<std::uint32_t>((std::time(nullptr) - kLogEpoch) / kDay * kDay);
    }

    std::string Folder() const { return dir.path().toStdString(); }
    std::string Transcript() const { return Folder() + "/sim.log"; }

    // tavin-sim with `days` of typical records, and the main window on it.
    void Start(int days, std::vector<std::string> args = {},
               const std::string& configText = kSimConfig) {
        const std::string config = Folder() + "/sim-config.txt";
        std::ofstream(config, std::ios::binary) << configText;
        args.insert(args.end(), {"--config", config, "--log-days", std::to_string(days),
                                 "--transcript", Transcript()});
        for (int attempt = 0; attempt < 3 && !started; ++attempt) {
            const std::uint32_t before = LogToday();
            sim = std::make_unique<SimProcess>();
            std::string error;
            ASSERT_TRUE(sim->Start(TAVIN_SIM_PROGRAM, args, error)) << error;
            if (LogToday() == before) {
                logStart = before - static_cast<std::uint32_t>(days) * kDay;
                log.AddTypicalDays(logStart, days);
                started = true;
            }
        }
        ASSERT_TRUE(started) << "the clock kept crossing midnight";
        fixture = std::make_unique<MainWindowFixture>("[COMM]\nComNum=4\nPort4=" + sim->Link() +
                                                      "\n[CONFIG]\nSaveLogToFile=0\n");
        fixture->Open();
        // The alive poll finds and identifies the transmitter.
        ASSERT_TRUE(QTest::qWaitFor(
            [&] {
                return W().Link().Link().TransmitterAnswering &&
                       !fixture->Find<QLabel>("LblFldFirmware")->text().isEmpty();
            },
            10000));
    }

    TfrmXmtrCfg& W() { return *fixture->window; }
    TransmitterLink& Link() { return W().Link().Link(); }

    // Every record of the simulator's log as the window shows it.
    std::vector<std::string> Expected() {
        TLOG_REC rec = SimDecoder();
        return DecodeSavedHexLog(*log.Answer("LHD?"), rec).records;
    }

    // Opens the data log window from the menu, lets its opening queries be
    // answered, runs body and closes the window. A window still open after
    // limitMs is closed, so that a fault fails the test instead of hanging it.
    void InWindow(const std::function<void(TFormDataLog&)>& body, int limitMs = 120000) {
        bool ran = false;
        QTimer guard;
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, [&] {
            if (auto* form = W().findChild<TFormDataLog*>()) {
                if (auto* box = form->Host().BoxDialog()) {
                    box->Box().ClickCancel();
                }
                form->reject();
            }
        });
        guard.start(limitMs);
        QTimer::singleShot(0, [&] {
            auto* form = W().findChild<TFormDataLog*>();
            if (form == nullptr) {
                ADD_FAILURE() << "the data log window did not open";
                return;
            }
            EXPECT_TRUE(Settle(*form));
            body(*form);
            ran = true;
            form->findChild<QPushButton*>("BtnClose")->click();
        });
        fixture->Find<QAction>("MenuTAVINSensorLog")->trigger();
        EXPECT_TRUE(ran);
        EXPECT_TRUE(guard.isActive()) << "the window had to be closed by the guard";
    }

    // Everything queued has been sent and answered, every line handled.
    bool Settle(TFormDataLog& form, int limitMs = 15000) {
        return QTest::qWaitFor(
            [&] {
                return Link().ListXmitCmd.empty() && Link().CurrentCommand().empty() &&
                       form.Logic().PendingLines() == 0;
            },
            limitMs);
    }

    // Clicks a button that opens the progress box and returns when the box
    // has closed; a box still open after limitMs is cancelled.
    void ClickAndWait(TFormDataLog& form, const char* button, int limitMs = 60000) {
        bool cancelled = false;
        QTimer guard;
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, [&] {
            if (auto* box = form.Host().BoxDialog()) {
                cancelled = true;
                box->Box().ClickCancel();
            }
        });
        guard.start(limitMs);
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            intervals.insert(form.TimerReceive().interval());
            if (auto* box = form.Host().BoxDialog()) {
                const std::string text = box->Box().Get(BoxLabel::Instruction).text;
                if (!text.empty()) {
                    lastInstruction = text;
                }
            }
        });
        watch.start(10);
        form.findChild<QPushButton*>(button)->click();
        EXPECT_FALSE(cancelled) << button << ": the progress box did not close by itself";
    }

    // The lines the simulator received, and its notes ("ESC").
    std::vector<std::string> Heard() const {
        std::vector<std::string> out;
        for (const std::string& line : FileLines(Transcript())) {
            for (const char* mark : {" R ", " * "}) {
                if (const auto at = line.find(mark); at != std::string::npos) {
                    out.push_back(line.substr(at + 3));
                }
            }
        }
        return out;
    }

    QTemporaryDir dir;
    std::unique_ptr<SimProcess> sim;
    std::unique_ptr<MainWindowFixture> fixture;
    sim::SimLog log;
    std::uint32_t logStart = 0;
    bool started = false;
    std::string lastInstruction;
    std::set<int> intervals; // of TimerReceive while a box was watched
};

} // namespace tavin::test

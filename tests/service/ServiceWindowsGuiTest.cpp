// Each service window opened from its menu item against the simulated
// transmitter on a pseudo-terminal, one button pressed end to end, and the
// main window polling again once it has closed.

#include "app/MainWindowFixture.h"
#include "app/MainWindowHost.h"
#include "common/SimProcess.h"
#include "link/qt/QtLink.h"
#include "service/ServiceWidgets.h"
#include "service/TFormOperationInfo.h"
#include "service/TFormTAVINCal.h"
#include "workflows/CalibrationLogic.h"
#include "workflows/ServiceTexts.h"
#include "workflows/Supervision.h"
#include "workflows/TransmitterSession.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <fstream>
#include <functional>

using namespace tavin;
using namespace tavin::test;

namespace {

class ServiceOnSim : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string config = dir.path().toStdString() + "/sim.txt";
        std::ofstream(config) << "SSX=0,3,M,1,00:15:00,00:00:00,1\r\n";
        std::string error;
        ASSERT_TRUE(sim.Start(TAVIN_SIM_PROGRAM, {"--config", config}, error)) << error;
        fixture = std::make_unique<MainWindowFixture>("[COMM]\nComNum=4\nPort4=" + sim.Link() +
                                                      "\n[PREFS]\nCalOptionVisible=1\n");
        fixture->Open();
        ASSERT_TRUE(QTest::qWaitFor([&] { return Link().TransmitterAnswering; }, 10000));
    }

    TfrmXmtrCfg& W() { return *fixture->window; }
    TransmitterLink& Link() { return W().Link().Link(); }

    // Triggers a menu item whose window is modal; drive runs inside it and
    // the window is closed afterwards (a guard closes it after limitMs, so a
    // fault fails the test instead of hanging it).
    void RunWindow(const char* menuItem, const std::function<void(QDialog&)>& drive,
                   int limitMs = 30000) {
        bool driven = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr) << menuItem << " opened no window";
            QTimer guard;
            guard.setSingleShot(true);
            QObject::connect(&guard, &QTimer::timeout, dialog, [dialog] { dialog->reject(); });
            guard.start(limitMs);
            drive(*dialog);
            driven = true;
            dialog->accept();
        });
        W().findChild<QAction*>(menuItem)->trigger();
        EXPECT_TRUE(driven);
        // The window let go of the link and idle polling is back.
        EXPECT_FALSE(Link().ReplyHandler);
        EXPECT_TRUE(Link().AutoPollProcedure);
        EXPECT_TRUE(W().Host().AutoPollEnabled());
    }

    static QStringList Memo(QDialog& d, const char* name) {
        return d.findChild<ServiceMemoEdit*>(name)->Lines();
    }

    QTemporaryDir dir;
    SimProcess sim;
    std::unique_ptr<MainWindowFixture> fixture;
};

} // namespace

TEST_F(ServiceOnSim, StatusWindowReadsTheStatus) {
    RunWindow("MenuTAVINStatus", [](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "TAVIN Status");
        EXPECT_FALSE(d.findChild<QPushButton*>("BtnForceFix")->isVisible());
        d.findChild<QPushButton*>("BtnStatusRead")->click();
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return Memo(d, "MemoGenStatus").join('|').contains("Failsafe:"); }, 10000))
            << Memo(d, "MemoGenStatus").join('|').toStdString();
    });
}

TEST_F(ServiceOnSim, DirectControlSendsATypedCommand) {
    RunWindow("MenuTAVINControl", [&](QDialog& d) {
        EXPECT_TRUE(Link().SuppressWake);
        auto* edit = d.findChild<QLineEdit*>("XmitCmdEdit");
        d.findChild<QCheckBox*>("cbChkClearOnEnter")->setChecked(true);
        QTest::keyClicks(edit, "SSX=*?");
        QTest::keyClick(edit, Qt::Key_Return);
        EXPECT_TRUE(edit->text().isEmpty());
        EXPECT_TRUE(QTest::qWaitFor(
            [&] {
                return Memo(d, "MemoTAVINResponse").contains("SSX=0,3,M,1,00:15:00,00:00:00,1");
            },
            10000))
            << Memo(d, "MemoTAVINResponse").join('|').toStdString();
        QTest::keyClick(edit, Qt::Key_Up);
        EXPECT_EQ(edit->text(), "SSX=*?");
        // Escape goes to the transmitter and leaves the window open.
        QTest::keyClick(edit, Qt::Key_Escape);
        EXPECT_TRUE(d.isVisible());
    });
    EXPECT_FALSE(Link().SuppressWake);
}

TEST_F(ServiceOnSim, SDI12TerminalAsksASensor) {
    RunWindow("MenuSDI12Terminal", [](QDialog& d) {
        auto* edit = d.findChild<QLineEdit*>("SDI12CmdEdit");
        QTest::keyClicks(edit, "3M!");
        QTest::keyClick(edit, Qt::Key_Return);
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return Memo(d, "RzMemoSDI12Rsp").contains("30011"); }, 10000))
            << Memo(d, "RzMemoSDI12Rsp").join('|').toStdString();
        EXPECT_EQ(Memo(d, "RzMemoSDI12Rsp").front(), "3M!");
    });
}

TEST_F(ServiceOnSim, TestWindowSwitchesTheOcxoOnFromTheAnswer) {
    RunWindow("MenuTAVINTxTest", [](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "TAVIN Test Options");
        auto* ocxo = d.findChild<QCheckBox*>("cbEnableOCXO");
        ocxo->click();
        EXPECT_FALSE(ocxo->isChecked()) << "waits for the transmitter";
        EXPECT_TRUE(QTest::qWaitFor([&] { return ocxo->isChecked(); }, 10000));
    });
}

TEST_F(ServiceOnSim, CalibrationReadsTheFieldsAndAGpsCalibrationCanBeAborted) {
    fixture->prompter.answers.push_back(true); // "Starting a Calibration ..."
    RunWindow(
        "MenuTAVINCal",
        [&](QDialog& d) {
            auto& form = static_cast<TFormTAVINCal&>(d);
            EXPECT_TRUE(
                QTest::qWaitFor([&] { return form.LblFldTCXOSerNum->text() == "10234"; }, 10000));
            EXPECT_TRUE(QTest::qWaitFor([&] { return form.cbTCXOOK->isChecked(); }, 5000));
            EXPECT_TRUE(
                QTest::qWaitFor([&] { return form.LblOCXOCorrection->text() == "0.0012"; }, 5000));
            bool sawState = false;
            QTimer::singleShot(0, [&] {
                ASSERT_NE(form.StatusDialog(), nullptr);
                TFormOperationInfo& box = *form.StatusDialog();
                sawState = QTest::qWaitFor(
                    [&] { return box.LblOperationString->text().startsWith("State : "); }, 10000);
                box.BtnCancel->click();
            });
            d.findChild<QPushButton*>("BtnStartGPSCal")->click();
            EXPECT_TRUE(sawState);
            EXPECT_TRUE(QTest::qWaitFor([&] { return !form.Controller().Calibrating(); }, 10000));
        },
        60000);
    EXPECT_TRUE(fixture->prompter.Texts("error").empty());
}

TEST_F(ServiceOnSim, QuerySensorAsksTheCurrentRowsSensor) {
    W().Config().SDI12[0].Address = "3";
    W().Config().SDI12[1].Append = true;
    W().Config().SDI12[1].Address = "3";
    W().SetCurrentSDI12Row(2); // appended: asked through the sensor above
    W().findChild<QPushButton*>("BtnSDI12Query")->click();
    auto* memo = W().findChild<ServiceMemoEdit*>("MemoSDI12Query");
    EXPECT_TRUE(QTest::qWaitFor([&] { return memo->Lines().contains("SDI=30011"); }, 10000))
        << memo->Lines().join('|').toStdString();
    EXPECT_EQ(memo->Lines().front(), "SDI=3M!");

    W().SetCurrentSDI12Row(3);
    W().findChild<QPushButton*>("BtnSDI12Query")->click();
    EXPECT_EQ(fixture->prompter.Texts("info"), std::vector<std::string>{texts::kEnterSdiAddress});
    W().findChild<QPushButton*>("BtnClearSDI12Query")->click();
    EXPECT_TRUE(memo->Lines().isEmpty());
}

TEST_F(ServiceOnSim, MemoIsSavedToATextFile) {
    const std::string path = dir.path().toStdString() + "/status.txt";
    fixture->prompter.files.push_back(path);
    RunWindow("MenuTAVINStatus", [&](QDialog& d) {
        d.findChild<QPushButton*>("BtnGPSStatus")->click();
        ASSERT_TRUE(QTest::qWaitFor([&] { return Memo(d, "MemoGenStatus").contains("GPS=No Fix"); },
                                    10000));
        d.findChild<QPushButton*>("BtnSaveMemo")->click();
    });
    std::ifstream in(path);
    std::string first, second;
    std::getline(in, first);
    std::getline(in, second);
    EXPECT_EQ(first, "GPS?");
    EXPECT_EQ(second, "GPS=No Fix");
}

TEST_F(ServiceOnSim, MonitorModePollsTheStatusPanelAgainAfterAServiceWindow) {
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [&] {
        if (auto* box = W().Host().BoxDialog()) {
            box->Box().ClickCancel();
        }
    });
    guard.start(20000);
    W().findChild<QAbstractButton*>("SBtnMonitor")->click();
    ASSERT_EQ(W().Mode(), OperatingMode::Monitor);
    RunWindow("MenuTAVINStatus", [](QDialog&) {});
    // The monitor poll runs again, so the status panel keeps being refreshed.
    EXPECT_EQ(W().Session().Supervisor().InstalledProcedure(), PollProcedure::MonitorInspectPoll);
    EXPECT_EQ(W().Session().Supervisor().InstalledHandler(),
              PollHandler::MonitorInspectDataHandler);
}

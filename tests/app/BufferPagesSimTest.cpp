// The data buffer pages end to end: retrieve from tavin-sim, edit through
// the grids, send, and read the transmitter back.

#include "app/BufferPages.h"
#include "app/MainWindowFixture.h"
#include "app/MainWindowHost.h"
#include "app/ProgressBoxClick.h"
#include "common/SimProcess.h"
#include "editor/qt/DataFormatPage.h"
#include "editor/qt/DataPackPage.h"
#include "editor/qt/GridTableModel.h"
#include "editor/qt/RandomTriggerPage.h"
#include "link/qt/QtLink.h"
#include "service/TFormOperationInfo.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <fstream>

using namespace tavin;
using namespace tavin::test;

namespace {

class BuffersOnSim : public ::testing::Test {
protected:
    void Start(const std::string& configText) {
        const std::string config = dir.path().toStdString() + "/sim.txt";
        std::ofstream(config) << configText;
        std::string error;
        ASSERT_TRUE(sim.Start(TAVIN_SIM_PROGRAM, {"--config", config}, error)) << error;
        fixture =
            std::make_unique<MainWindowFixture>("[COMM]\nComNum=4\nPort4=" + sim.Link() + "\n");
        fixture->Open();
        ASSERT_TRUE(QTest::qWaitFor([&] { return W().Link().Link().TransmitterAnswering; }, 10000));
        fixture->window->findChild<QToolButton*>("SBtnConfigControl")->click();
        ASSERT_EQ(W().Mode(), OperatingMode::ConfigControl);
    }
    TfrmXmtrCfg& W() { return *fixture->window; }

    // Clicks a button whose progress box must close by itself.
    void ClickAndWait(const char* button) {
        QStringList commands;
        EXPECT_TRUE(ClickThroughProgressBox(W(), fixture->prompter, button, commands)) << button;
        EXPECT_TRUE(fixture->prompter.Texts("error").empty()) << button;
    }
    // What the transmitter holds, read back into an emptied model.
    void ReadBack() {
        W().Config().TimedData = {};
        W().Config().RandomTriggers = {};
        W().Config().RandomTx.ArgosDataPack = {};
        ClickAndWait("BtnRefreshAll");
    }
    GridTableModel& Model(const char* grid) {
        return fixture->window->findChild<GridView*>(grid)->Model();
    }

    QTemporaryDir dir;
    SimProcess sim;
    std::unique_ptr<MainWindowFixture> fixture;
};

TEST_F(BuffersOnSim, TimedFormatAndTriggerReachTheTransmitter) {
    Start("TCH=95,100\r\nTWL=10\r\nTDS=Sensor\r\nRCH=101,100\r\nRDS=Sensor\r\n"
          "SSX=0,0,0,1,00:15:00,00:00:00,1\r\nTDP=0,H0\r\nRRT=0,I,3600\r\n");
    ClickAndWait("BtnRefreshAll");
    GridTableModel& timed = Model("GridTimedDataFormat");
    EXPECT_EQ(timed.data(timed.index(0, kDfType)).toString(), "Platform ID");
    EXPECT_EQ(W().findChild<QLabel*>("LblTimedBufferSize")->text(), "0 bytes");

    // A text and a sensor value after the header; the sensor is the one the
    // Type list offers for SDI-12 row 0.
    std::string sensor;
    for (const DataFormatTypeEntry& e : W().Buffers().TimedPage()->Rules().TypeList()) {
        if (e.Kind == "SDI-12 : 0") {
            sensor = e.Name;
        }
    }
    ASSERT_FALSE(sensor.empty());
    ASSERT_TRUE(timed.setData(timed.index(1, kDfType), "Text"));
    ASSERT_TRUE(timed.setData(timed.index(1, kDfValueCount), "HI,\"X\""));
    ASSERT_TRUE(timed.setData(timed.index(2, kDfType), QString::fromStdString(sensor)));
    ASSERT_TRUE(timed.setData(timed.index(2, kDfValueCount), "2"));
    ASSERT_TRUE(timed.setData(timed.index(2, kDfFieldWidth), "5"));
    ASSERT_TRUE(timed.setData(timed.index(2, kDfFlags), "ls"));
    EXPECT_EQ(W().findChild<QLabel*>("LblTimedBufferSize")->text(), "23 bytes");

    GridTableModel& triggers = Model("GridRandomTriggers");
    ASSERT_TRUE(triggers.setData(triggers.index(1, kRtType), "High"));
    ASSERT_TRUE(triggers.setData(triggers.index(1, kRtSensor), QString::fromStdString(sensor)));
    ASSERT_TRUE(triggers.setData(triggers.index(1, kRtLimit), "25.5"));

    const XmtrConfig sent = W().Config();
    ClickAndWait("BtnConfigAll");
    ReadBack();
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(W().Config().TimedData[static_cast<std::size_t>(i)],
                  sent.TimedData[static_cast<std::size_t>(i)])
            << "row " << i;
        EXPECT_EQ(W().Config().RandomTriggers[static_cast<std::size_t>(i)],
                  sent.RandomTriggers[static_cast<std::size_t>(i)])
            << "trigger " << i;
    }
    EXPECT_EQ(W().Config().TimedData[1].Text, "HI,\"X\"");
    EXPECT_EQ(W().Config().RandomTriggers[1].Limit, 25.5);

    // The check shows the transmitter's test buffer of that format.
    auto* check = W().findChild<QCheckBox*>("cbTimedDataBufferCheck");
    check->click();
    auto* memo = W().findChild<QPlainTextEdit*>("memoTimedBufferCheck");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !memo->toPlainText().isEmpty(); }, 10000));
    EXPECT_TRUE(memo->toPlainText().startsWith("H0")) << memo->toPlainText().toStdString();

    // "Refresh" sends the format again and checks anew; its box closes by itself.
    memo->clear();
    ClickAndWait("btnTimedBufferRefresh");
    fixture->prompter.answers.clear();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !memo->toPlainText().isEmpty(); }, 10000));
    EXPECT_TRUE(memo->toPlainText().startsWith("H0"));
    check->click();
    EXPECT_TRUE(memo->isHidden());
}

TEST_F(BuffersOnSim, DataPackReachesTheTransmitter) {
    Start("ARG=1\r\nAID=ABC77\r\nRCH=D17+S55\r\nRDS=RS-232\r\nADP=0,8\r\n");
    ClickAndWait("BtnRefreshAll");
    ASSERT_NE(W().TxType().Mode(), TTAVINTXType::kGoes);
    GridTableModel& pack = Model("GridARGOSSCDDatapak");
    EXPECT_EQ(pack.data(pack.index(0, 1)).toString(), "8");
    ASSERT_TRUE(pack.setData(pack.index(0, 2), "16"));
    ASSERT_TRUE(pack.setData(pack.index(1, 2), "4")); // entry 9, after a gap: not sent
    EXPECT_EQ(W().findChild<QLabel*>("LblARGOSBufferSize")->text(), "28 Bits");
    ClickAndWait("BtnConfigAll");
    ReadBack();
    EXPECT_EQ(W().Config().RandomTx.ArgosDataPack[0], 8);
    EXPECT_EQ(W().Config().RandomTx.ArgosDataPack[1], 16);
    EXPECT_EQ(W().Config().RandomTx.ArgosDataPack[9], 0);
    EXPECT_EQ(pack.data(pack.index(0, 2)).toString(), "16");
}

} // namespace

// The setting pages end to end: what the transmitter holds shows in the
// fields, what the user changes there reaches the transmitter, and a saved
// file brings the same fields back.

#include "app/WindowOnSim.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>

#include <fstream>
#include <sstream>

using namespace tavin;
using namespace tavin::test;

namespace {

class SetupPagesOnSim : public WindowOnSim {
protected:
    void Turn(const char* page) { W().MainPageControl()->setCurrentWidget(Find<QWidget>(page)); }
    std::string Transcript() const {
        std::ifstream in(transcript);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    QTemporaryDir dir;
    std::string transcript = dir.path().toStdString() + "/transcript.txt";
};

} // namespace

TEST_F(SetupPagesOnSim, EditedFieldsReachTheTransmitterAndComeBackFromAFile) {
    const std::string config = dir.path().toStdString() + "/sim.txt";
    std::ofstream(config) << "NID=3A5C1E22\r\nPIS=WILLOW CREEK\r\nTCH=95,300\r\n"
                             "TTI=00:01:00:00\r\nFTT=00:10:00\r\nTIL=Short\r\n"
                             "RCH=50,1200\r\nRIN=20\r\nRPC=30\r\nRRC=4\r\nRDS=Sensor\r\n"
                             "ROF=06\r\nGTS=7\r\n";
    Start({"--config", config, "--transcript", transcript});
    EnterConfigControl();
    ClickAndWait("BtnRefreshAll");

    // The fields show what the transmitter holds.
    Turn("TabGeneralTxConfiguration");
    EXPECT_EQ(Find<QLineEdit>("PIS")->text(), "WILLOW CREEK");
    Turn("TabTxSetup");
    ASSERT_TRUE(Find<QCheckBox>("cbTimed")->isChecked());
    EXPECT_EQ(Find<QSpinBox>("RzTimedChannel")->value(), 95);
    EXPECT_TRUE(Find<QRadioButton>("rgTimedBitRate_1")->isChecked());
    EXPECT_EQ(Find<QLineEdit>("TimedTxInterval")->text(), "01:00:00");
    EXPECT_EQ(Find<QLineEdit>("TimedFirstTx")->text(), "00:10:00");
    ASSERT_TRUE(Find<QCheckBox>("cbRandom")->isChecked());
    EXPECT_EQ(Find<QSpinBox>("RzRandomChannel")->value(), 50);
    EXPECT_TRUE(Find<QRadioButton>("rgRandomBitRate_2")->isChecked());
    EXPECT_EQ(Find<QSpinBox>("RzRandomInterval")->value(), 20);
    EXPECT_EQ(Find<QSpinBox>("RzRandomPercent")->value(), 30);
    EXPECT_EQ(Find<QSpinBox>("RzRandomRepeatCnt")->value(), 4);
    EXPECT_TRUE(Find<QRadioButton>("rgRandomDataSelect_1")->isChecked());
    EXPECT_TRUE(Find<QWidget>("rgRandomDataOrder")->isEnabled());
    auto* randomFlags = Find<QListWidget>("RandomOpFlags");
    EXPECT_EQ(randomFlags->item(1)->checkState(), Qt::Checked);
    EXPECT_EQ(randomFlags->item(2)->checkState(), Qt::Checked);
    EXPECT_EQ(randomFlags->item(3)->checkState(), Qt::Unchecked);
    EXPECT_EQ(Find<QSpinBox>("RzGPSTimeSync")->value(), 7);

    // The user changes the channel and the platform id string.
    QSpinBox* channel = Find<QSpinBox>("RzTimedChannel");
    channel->selectAll();
    QTest::keyClicks(channel, "123");
    Turn("TabGeneralTxConfiguration");
    QLineEdit* pis = Find<QLineEdit>("PIS");
    pis->selectAll();
    QTest::keyClicks(pis, "BEAR LAKE");
    Turn("TabConfigOptions");
    ClickAndWait("BtnConfigAll");
    EXPECT_TRUE(fixture->prompter.Texts("error").empty());
    const std::string sent = Transcript();
    EXPECT_NE(sent.find("TCH=123,300"), std::string::npos);
    EXPECT_NE(sent.find("PIS=BEAR LAKE"), std::string::npos);

    // Retrieved again, the transmitter holds them.
    ClickAndWait("BtnRefreshAll");
    EXPECT_EQ(W().Config().TimedTx.Channel, 123);
    EXPECT_EQ(W().Config().General.PlatformIdString, "BEAR LAKE");
    EXPECT_EQ(Find<QSpinBox>("RzTimedChannel")->value(), 123);

    // Saved and opened again, the pages show the same values.
    const std::string file = dir.path().toStdString() + "/saved.txt";
    fixture->prompter.files.push_back(file);
    Find<QAction>("subItmSaveConfig")->trigger();
    W().Config().ClearGeneralSettings(W().GlbIni());
    W().ClearTimedTxParams();
    EXPECT_NE(Find<QSpinBox>("RzTimedChannel")->value(), 123);
    fixture->prompter.files.push_back(file);
    Find<QAction>("subItmOpenConfig")->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Find<QCheckBox>("cbTimed")->isChecked(); }, 5000));
    Turn("TabTxSetup");
    EXPECT_EQ(Find<QSpinBox>("RzTimedChannel")->value(), 123);
    EXPECT_EQ(Find<QLineEdit>("TimedTxInterval")->text(), "01:00:00");
    EXPECT_TRUE(Find<QRadioButton>("rgTimedBitRate_1")->isChecked());
    Turn("TabGeneralTxConfiguration");
    EXPECT_EQ(Find<QLineEdit>("PIS")->text(), "BEAR LAKE");
    EXPECT_EQ(Find<QLineEdit>("PB1")->text().toStdString(),
              std::string(1, W().Config().General.PseudoBinaryHeader1));
}

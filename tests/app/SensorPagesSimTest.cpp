// The four sensor pages against the simulated transmitter: a retrieved
// configuration shows in the grids, the user changes a row on each page
// (a new sensor, an appended value, a deleted sensor, an equation composed
// in the editor, a min/max/average row), sends, and the transmitter then
// holds exactly those tables; a saved file reopens to the same grids.

#include "app/MainWindowFixture.h"
#include "app/MainWindowHost.h"
#include "common/SimProcess.h"
#include "editor/MinMaxAvgGridRules.h"
#include "editor/SDI12GridRules.h"
#include "editor/qt/GridView.h"
#include "equations/TFrmEquationEdit.h"
#include "link/qt/QtLink.h"
#include "protocol/EquationConfig.h"
#include "protocol/InternSensConfig.h"
#include "protocol/MinMaxAvgConfig.h"
#include "protocol/SDI12Config.h"
#include "service/TFormOperationInfo.h"
#include "workflows/Supervision.h"
#include "workflows/TransmitterSession.h"

#include <gmock/gmock.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <fstream>

using namespace tavin;
using namespace tavin::test;

namespace {

constexpr const char* kSimConfig = "SSX=0,0,0,1,00:15:00,00:00:00,5H\r\n"
                                   "SSX=1,&,&,2,1\r\n"
                                   "SSX=2,5,1,1,00:30:00,00:00:00,1\r\n"
                                   "SLX=0,AIR\r\n"
                                   "SLX=2,SOIL\r\n"
                                   "ISX=0,BV,01:00:00,00:00:00,1\r\n"
                                   "MMA=0,S0,01:00:00,00:00:00,NXG\r\n"
                                   "EQN=0,S0*2\r\n"
                                   "TBA=M\r\n";

class SensorPagesOnSim : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string config = dir.path().toStdString() + "/sim.txt";
        std::ofstream(config) << kSimConfig;
        std::string error;
        ASSERT_TRUE(sim.Start(TAVIN_SIM_PROGRAM, {"--config", config}, error)) << error;
        fixture =
            std::make_unique<MainWindowFixture>("[COMM]\nComNum=4\nPort4=" + sim.Link() + "\n");
        fixture->Open();
        // The alive poll identifies the firmware: the extended tables.
        ASSERT_TRUE(QTest::qWaitFor(
            [&] {
                return W().Link().Link().TransmitterAnswering &&
                       W().UtilityControl().ExtendedTables();
            },
            10000));
        fixture->Find<QToolButton>("SBtnConfigControl")->click();
        ASSERT_EQ(W().Mode(), OperatingMode::ConfigControl);
    }

    TfrmXmtrCfg& W() { return *fixture->window; }
    GridView& Grid(const char* name) { return *fixture->Find<GridView>(name); }
    QString Cell(const char* grid, int row, int col) {
        QAbstractItemModel* m = Grid(grid).model();
        return m->data(m->index(row, col)).toString();
    }
    bool Set(const char* grid, int row, int col, const QVariant& value, int role = Qt::EditRole) {
        QAbstractItemModel* m = Grid(grid).model();
        return m->setData(m->index(row, col), value, role);
    }

    // Clicks a button that opens the modal progress box and waits for it to
    // close; a box still open after a while is cancelled and fails the test.
    void ClickAndWait(const char* button) {
        bool cancelled = false;
        QTimer::singleShot(30000, &W(), [&] {
            if (auto* box = W().Host().BoxDialog()) {
                cancelled = true;
                box->Box().ClickCancel();
            }
        });
        fixture->prompter.answers.push_back(true);
        fixture->Find<QAbstractButton>(button)->click();
        EXPECT_FALSE(cancelled) << button;
    }

    // The sensor tables as the transmitter is sent them.
    std::vector<std::string> SensorCommands() {
        ParseContext ctx;
        ctx.Utility = &W().UtilityControl();
        CommandList out;
        ConfigSDI12(W().Config(), ctx, out);
        ConfigInternSens(W().Config(), ctx, out);
        ConfigMinMaxAvg(W().Config(), ctx, out);
        ConfigEquations(W().Config(), ctx, out);
        return out.Lines;
    }

    QTemporaryDir dir;
    SimProcess sim;
    std::unique_ptr<MainWindowFixture> fixture;
};

TEST_F(SensorPagesOnSim, EditSendAndReadBack) {
    ClickAndWait("BtnRefreshAll");
    using S = SDI12GridRules;
    EXPECT_EQ(Cell("GridSDI12", 0, S::kLabel), "AIR");
    EXPECT_EQ(Cell("GridSDI12", 0, S::kTrig), "High");
    EXPECT_EQ(Cell("GridSDI12", 1, S::kValue), "2");
    EXPECT_EQ(Cell("GridSDI12", 2, S::kAddress), "5");
    EXPECT_EQ(Cell("GridInternSens", 0, 2), "Battery");
    EXPECT_EQ(Cell("GridMinMaxAvg", 0, MinMaxAvgGridRules::kSensor), "AIR");
    EXPECT_EQ(Cell("GridEquations", 0, 1), "S0*2");
    EXPECT_EQ(Grid("GridEquations").model()->rowCount(), 2);

    // SDI-12: delete SOIL by clearing its address, add a sensor, append a value.
    ASSERT_TRUE(Set("GridSDI12", 2, S::kAddress, ""));
    EXPECT_EQ(Cell("GridSDI12", 2, S::kAddress), "");
    ASSERT_TRUE(Set("GridSDI12", 2, S::kAddress, "3"));
    ASSERT_TRUE(Set("GridSDI12", 2, S::kInterval, "01:00:00"));
    ASSERT_TRUE(Set("GridSDI12", 2, S::kLabel, "WIND"));
    ASSERT_TRUE(Set("GridSDI12", 3, S::kAppend, Qt::Checked, Qt::CheckStateRole));
    ASSERT_TRUE(Set("GridSDI12", 3, S::kValue, "2"));
    // Internal: a temperature sensor.
    ASSERT_TRUE(Set("GridInternSens", 1, 2, "Temp"));
    ASSERT_TRUE(Set("GridInternSens", 1, 3, "00:30:00"));
    // Min/max/average: the new temperature sensor's maximum.
    ASSERT_TRUE(Set("GridMinMaxAvg", 1, MinMaxAvgGridRules::kSensor, "INT1\tInternal : 1"));
    ASSERT_TRUE(Set("GridMinMaxAvg", 1, MinMaxAvgGridRules::kMax, Qt::Checked, Qt::CheckStateRole));

    // An equation composed in the editor from the new row's button.
    QTimer::singleShot(100, &W(), [] {
        auto* editor = qobject_cast<TFrmEquationEdit*>(QApplication::activeModalWidget());
        if (!editor) {
            return;
        }
        auto* sdi = editor->findChild<QComboBox*>("cbSDI12Sens");
        emit sdi->activated(2);
        QTest::mouseClick(editor->TokenButton("+"), Qt::LeftButton);
        QTest::mouseClick(editor->TokenButton("1"), Qt::LeftButton);
        QTest::mouseClick(editor->findChild<QPushButton*>("BtnOK"), Qt::LeftButton);
    });
    QTimer::singleShot(10000, &W(), [] {
        if (auto* w = QApplication::activeModalWidget()) {
            w->close(); // fallback: the test fails below instead of hanging
        }
    });
    GridView& equations = Grid("GridEquations");
    const QModelIndex last = equations.model()->index(1, 1);
    equations.setCurrentIndex(last);
    equations.edit(last);
    auto* button = equations.findChild<QToolButton*>("GridCellButton");
    ASSERT_NE(button, nullptr);
    button->click();
    EXPECT_TRUE(QTest::qWaitFor([&] { return W().Config().Equations.size() == 2; }, 5000));
    EXPECT_EQ(W().Config().Equations, (std::vector<std::string>{"S0*2", "S2+1"}));

    const std::vector<std::string> edited = SensorCommands();
    EXPECT_THAT(edited, testing::IsSupersetOf({"SSX=2,3,0,1,01:00:00,00:00:00,1", "SSX=3,&,&,2,1",
                                               "SLX=2,WIND", "ISX=1,TM,00:30:00,00:00:00,1",
                                               "MMA=1,I1,00:00:00,00:00:00,X", "EQN=1,S2+1"}));
    EXPECT_THAT(edited, testing::Not(testing::Contains(testing::HasSubstr("SOIL"))));

    fixture->prompter.shown.clear();
    ClickAndWait("BtnConfigAll");
    EXPECT_TRUE(fixture->prompter.Texts("error").empty());

    // What the transmitter holds now comes back the same.
    W().Config().ClearAll(W().GlbIni());
    ClickAndWait("BtnRefreshAll");
    EXPECT_EQ(SensorCommands(), edited);
    EXPECT_EQ(Cell("GridSDI12", 2, S::kLabel), "WIND");
    EXPECT_EQ(Grid("GridSDI12")
                  .model()
                  ->data(Grid("GridSDI12").model()->index(3, S::kAppend), Qt::CheckStateRole),
              Qt::Checked);
    EXPECT_EQ(Cell("GridEquations", 1, 1), "S2+1");

    // A saved file reopens to the same grids.
    const std::string file = dir.path().toStdString() + "/saved.txt";
    fixture->prompter.files.push_back(file);
    W().subItmSaveConfigClick();
    W().Config().ClearAll(W().GlbIni());
    fixture->prompter.files.push_back(file);
    W().subItmOpenConfigClick();
    EXPECT_EQ(SensorCommands(), edited);
    EXPECT_EQ(Cell("GridMinMaxAvg", 1, MinMaxAvgGridRules::kSensor), "INT1");
    EXPECT_EQ(Cell("GridInternSens", 1, 2), "Temp");
}

TEST_F(SensorPagesOnSim, InternalSensorTestsAnswerInTheMemo) {
    auto* enable = fixture->Find<QCheckBox>("cbEnableInternalSensorTests");
    ASSERT_NE(enable, nullptr);
    W().MainPageControl()->setCurrentWidget(fixture->Find<QWidget>("TabInternalSensors"));
    enable->click();
    auto* memo = fixture->Find<QPlainTextEdit>("MemoInternalSensorTest");
    fixture->Find<QPushButton>("BtnTippingBucketCount")->click();
    fixture->Find<QPushButton>("BtnBatteryVolts")->click();
    fixture->Find<QPushButton>("btnEquationQuery")->click(); // no equation sensor yet
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return memo->toPlainText().contains("Battery Volts : "); }, 10000))
        << memo->toPlainText().toStdString();
    EXPECT_TRUE(memo->toPlainText().contains("Bucket Count : "));
    EXPECT_TRUE(memo->toPlainText().contains("Equation Not Found"));
    enable->click();
    EXPECT_FALSE(fixture->Find<QWidget>("gbInternalSensorTests")->isVisible());
    // Idle polling is back once the tests are off.
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return W().Session().Supervisor().InstalledProcedure() == PollProcedure::TAVINAlivePoll;
        },
        5000));
}

} // namespace

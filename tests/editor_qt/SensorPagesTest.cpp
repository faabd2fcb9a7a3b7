// The sensor pages through their real grids: edits go through the shared
// delegate and model to the rules, and the cells show what the rules say.

#include "common/ScriptedPrompter.h"
#include "editor/SensorRulesFixture.h"
#include "editor/qt/EquationsPage.h"
#include "editor/qt/GridTableModel.h"
#include "editor/qt/GridView.h"
#include "editor/qt/InternalSensorTestGroup.h"
#include "editor/qt/InternalSensorsPage.h"
#include "editor/qt/MinMaxAvgPage.h"
#include "editor/qt/SDI12Page.h"

#include <gmock/gmock.h>

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>

#include <memory>

namespace tavin {
namespace {

using test::ScriptedPrompter;
using test::SensorRulesFixture;

// A page on a window of its own, with a model tester on its grid.
template <typename Page> struct Shown {
    template <typename... Args> explicit Shown(Args&&... args) {
        page = new Page(std::forward<Args>(args)..., &window);
        page->SetPrompter(&prompter);
        window.resize(1100, 600);
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
        grid = window.findChild<GridView*>();
        tester = std::make_unique<QAbstractItemModelTester>(
            grid->model(), QAbstractItemModelTester::FailureReportingMode::Warning);
    }
    QString Shown_(int row, int col) const {
        return grid->model()->data(grid->model()->index(row, col)).toString();
    }
    // Types into a cell through its delegate and presses Return.
    void Type(int row, int col, const char* text) {
        const QModelIndex at = grid->model()->index(row, col);
        grid->setCurrentIndex(at);
        grid->edit(at);
        // The open editor has the focus (older ones may wait to be deleted).
        auto* edit = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        ASSERT_NE(edit, nullptr);
        edit->selectAll();
        edit->del();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
        QTest::qWait(20);
    }
    // Chooses entry `entry` of a list cell through its delegate.
    void Choose(int row, int col, int entry) {
        const QModelIndex at = grid->model()->index(row, col);
        grid->setCurrentIndex(at);
        grid->edit(at);
        auto* box = grid->findChild<QComboBox*>("GridCellList");
        ASSERT_NE(box, nullptr);
        box->setCurrentIndex(entry);
        emit box->activated(entry);
        QTest::qWait(20);
    }

    QWidget window;
    Page* page = nullptr;
    GridView* grid = nullptr;
    ScriptedPrompter prompter;
    std::unique_ptr<QAbstractItemModelTester> tester;
};

TEST(SDI12Page, EditsThroughTheGrid) {
    SensorRulesFixture f(130);
    f.Sensor(0, "0");
    f.Sensor(1, "1");
    Shown<SDI12Page> p(f.cfg, f.utility, f.ini);
    ASSERT_EQ(p.grid->objectName(), "GridSDI12");
    EXPECT_EQ(p.grid->model()->rowCount(), 64);
    EXPECT_FALSE(p.grid->isColumnHidden(SDI12GridRules::kTrig));
    EXPECT_EQ(p.Shown_(0, 0), "0:");

    p.Type(0, SDI12GridRules::kMeasurement, "2C");
    EXPECT_EQ(f.cfg.SDI12[0].Measurement, "2");
    EXPECT_TRUE(f.cfg.SDI12[0].Concurrent);
    EXPECT_EQ(p.Shown_(0, SDI12GridRules::kMeasurement), "2C");

    p.Type(0, SDI12GridRules::kInterval, "240001");
    EXPECT_EQ(f.cfg.SDI12[0].Interval, "00:15:00");
    EXPECT_THAT(p.prompter.Texts("error"), testing::ElementsAre("Invalid Time - To Much Time"));

    // Ticking Append on the free row copies the sensor above.
    const QModelIndex append = p.grid->model()->index(2, SDI12GridRules::kAppend);
    EXPECT_TRUE(p.grid->model()->flags(append) & Qt::ItemIsUserCheckable);
    ASSERT_TRUE(p.grid->model()->setData(append, Qt::Checked, Qt::CheckStateRole));
    EXPECT_TRUE(f.cfg.SDI12[2].Append);
    EXPECT_EQ(f.cfg.SDI12[2].Address, "1");
    EXPECT_TRUE(p.grid->model()
                    ->data(p.grid->model()->index(2, SDI12GridRules::kAddress),
                           Qt::BackgroundRole)
                    .isValid()); // greyed

    // Clearing the first address moves the rows up.
    p.Type(0, SDI12GridRules::kAddress, "");
    EXPECT_EQ(f.cfg.SDI12[0].Address, "1");
    EXPECT_TRUE(f.cfg.SDI12[1].Append);
    EXPECT_EQ(p.Shown_(0, SDI12GridRules::kAddress), "1");

    QSignalSpy rowChanged(p.page, &SDI12Page::CurrentRowChanged);
    p.grid->setCurrentIndex(p.grid->model()->index(0, SDI12GridRules::kAddress));
    QTest::mouseClick(p.window.findChild<QPushButton*>("BtnSDI12Insert"), Qt::LeftButton);
    EXPECT_EQ(f.cfg.SDI12[0].Address, "0");
    EXPECT_EQ(f.cfg.SDI12[1].Address, "1");
    EXPECT_EQ(p.page->CurrentRow(), 0);

    p.grid->setCurrentIndex(p.grid->model()->index(5, SDI12GridRules::kAddress));
    EXPECT_EQ(p.page->CurrentRow(), 5);
    EXPECT_FALSE(rowChanged.isEmpty());
    // An older firmware: ten rows, no Trig column, the cursor back on top.
    f.SetVersion(111);
    p.page->Refresh();
    EXPECT_EQ(p.grid->model()->rowCount(), 10);
    EXPECT_TRUE(p.grid->isColumnHidden(SDI12GridRules::kTrig));
    f.SetVersion(130);
    p.page->Refresh();
    p.grid->setCurrentIndex(p.grid->model()->index(30, 1));
    f.SetVersion(111);
    p.page->Refresh();
    EXPECT_EQ(p.page->CurrentRow(), 0);
}

TEST(InternalSensorsPage, GridTippingBucketAndTests) {
    SensorRulesFixture f(153);
    f.Internal(0, "TM", "AIR");
    f.Internal(2, "TC", "RAIN");
    f.cfg.TippingBucket.ResetInterval = "Annually";
    Shown<InternalSensorsPage> p(f.cfg, f.utility);
    ASSERT_EQ(p.grid->objectName(), "GridInternSens");

    p.Choose(1, InternSensGridRules::kType, 3); // "Value"
    EXPECT_EQ(f.cfg.Internal[1].Type, "TV");
    EXPECT_EQ(p.Shown_(1, InternSensGridRules::kType), "Value");
    p.Type(1, InternSensGridRules::kOffset, "240001");
    EXPECT_THAT(p.prompter.Texts("error"), testing::ElementsAre("Invalid Time"));
    p.Choose(1, InternSensGridRules::kType, 0); // back to "None"
    QTest::mouseClick(p.window.findChild<QPushButton*>("btnInternSensCleanUp"), Qt::LeftButton);
    EXPECT_EQ(f.cfg.Internal[1].Type, "TC");
    EXPECT_EQ(p.Shown_(1, InternSensGridRules::kLabel), "RAIN");

    auto* reset = p.window.findChild<QGroupBox*>("rgTBResetInterval");
    auto* number = p.window.findChild<QSpinBox*>("RzSpinTBResetInterval");
    QRadioButton* annually = nullptr;
    QRadioButton* days = nullptr;
    for (auto* b : reset->findChildren<QRadioButton*>()) {
        if (b->text() == "Annually") {
            annually = b;
        } else if (b->text() == "Days") {
            days = b;
        }
    }
    ASSERT_TRUE(annually && days);
    EXPECT_TRUE(annually->isChecked());
    EXPECT_TRUE(number->isHidden());
    days->click();
    EXPECT_EQ(f.cfg.TippingBucket.ResetInterval, "Days");
    EXPECT_FALSE(number->isHidden());
    EXPECT_EQ(number->value(), 1);
    number->setValue(14);
    EXPECT_EQ(f.cfg.TippingBucket.ResetDays, 14);
    p.window.findChild<QSpinBox*>("RzSpinTBRollOver")->setValue(500);
    EXPECT_EQ(f.cfg.TippingBucket.RollOver, 500);

    // The tests: hidden until enabled; each button says what to queue.
    auto& tests = p.page->Tests();
    auto* group = p.window.findChild<QGroupBox*>("gbInternalSensorTests");
    EXPECT_TRUE(group->isHidden());
    QSignalSpy commands(&tests, &InternalSensorTestGroup::TestCommand);
    QSignalSpy enabled(&tests, &InternalSensorTestGroup::TestsEnabledChanged);
    auto* enable = p.window.findChild<QCheckBox*>("cbEnableInternalSensorTests");
    enable->click();
    EXPECT_FALSE(group->isHidden());
    ASSERT_EQ(enabled.count(), 1);
    p.window.findChild<QPushButton*>("BtnTippingBucketCount")->click();
    p.window.findChild<QCheckBox*>("cbISTCollection")->click();
    p.grid->setCurrentIndex(p.grid->model()->index(2, 1));
    p.window.findChild<QPushButton*>("btnEquationQuery")->click();
    EXPECT_EQ(p.window.findChild<QPlainTextEdit*>("MemoInternalSensorTest")->toPlainText(),
              "Equation Not Found");
    f.Internal(1, "E0");
    p.window.findChild<QPushButton*>("btnEquationQuery")->click();
    enable->click();
    EXPECT_TRUE(group->isHidden());
    EXPECT_FALSE(p.window.findChild<QCheckBox*>("cbISTCollection")->isChecked());
    QStringList sent;
    for (const auto& c : commands) {
        sent << c[0].toString();
    }
    EXPECT_EQ(sent, (QStringList{"TBC?", "IST=2", "EQT=E0", "IST=0"}));
}

TEST(MinMaxAvgPage, SensorListInColumns) {
    SensorRulesFixture f(153);
    f.ini.VectorAverage = true;
    f.SetVersion(153);
    f.Sensor(0, "0");
    f.cfg.SDI12[0].Label = "AIR";
    f.Internal(0, "BV", "BATT");
    Shown<MinMaxAvgPage> p(f.cfg, f.utility, f.ini);
    EXPECT_EQ(p.grid->model()->rowCount(), 64);
    EXPECT_FALSE(p.grid->isColumnHidden(MinMaxAvgGridRules::kVec));

    const QModelIndex at = p.grid->model()->index(0, MinMaxAvgGridRules::kSensor);
    p.grid->setCurrentIndex(at);
    p.grid->edit(at);
    auto* box = p.grid->findChild<QComboBox*>("GridCellList");
    ASSERT_NE(box, nullptr);
    ASSERT_EQ(box->count(), 3);
    EXPECT_EQ(box->model()->columnCount(), 2);
    EXPECT_EQ(box->model()->index(2, 1).data().toString(), "Internal : 0");
    EXPECT_EQ(box->itemText(2), "BATT");
    box->setCurrentIndex(2);
    emit box->activated(2);
    QTest::qWait(20);
    EXPECT_EQ(f.cfg.MinMaxAvg[0].SourceType, 'I');
    EXPECT_EQ(p.Shown_(0, MinMaxAvgGridRules::kSensor), "BATT");
    EXPECT_TRUE(p.grid->model()->flags(p.grid->model()->index(0, MinMaxAvgGridRules::kMax)) &
                Qt::ItemIsUserCheckable);

    f.ini.VectorAverage = false;
    f.SetVersion(153);
    p.page->Refresh();
    EXPECT_TRUE(p.grid->isColumnHidden(MinMaxAvgGridRules::kVec));
}

TEST(EquationsPage, TypedEquationAndTheEditorButton) {
    SensorRulesFixture f;
    f.cfg.Equations = {"S0*2"};
    Shown<EquationsPage> p(f.cfg);
    EXPECT_EQ(p.grid->model()->rowCount(), 2);
    p.Type(1, EquationGridRules::kEquation, "I0+1");
    EXPECT_EQ(f.cfg.Equations, (std::vector<std::string>{"S0*2", "I0+1"}));
    EXPECT_EQ(p.grid->model()->rowCount(), 3);
    EXPECT_EQ(p.grid->currentIndex().row(), 2); // on to the row for a new one

    QSignalSpy requested(p.page, &EquationsPage::EditorRequested);
    const QModelIndex at = p.grid->model()->index(0, EquationGridRules::kEquation);
    p.grid->setCurrentIndex(at);
    p.grid->edit(at);
    auto* button = p.grid->findChild<QAbstractButton*>("GridCellButton");
    ASSERT_NE(button, nullptr);
    button->click();
    QTest::qWait(20);
    ASSERT_EQ(requested.count(), 1);
    EXPECT_EQ(requested[0][0].toInt(), 0);
    EXPECT_EQ(p.page->EditorStartText(0), "S0*2");
    p.page->EditorClosed(0, true, "", "S0*2");
    EXPECT_EQ(f.cfg.Equations, (std::vector<std::string>{"I0+1"}));
    EXPECT_EQ(p.grid->model()->rowCount(), 2);
}

} // namespace
} // namespace tavin

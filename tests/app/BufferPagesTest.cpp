// The data buffer pages offscreen, through their real grids, delegates and
// dialogs.

#include "editor/qt/DataFormatPage.h"
#include "editor/qt/DataPackPage.h"
#include "editor/qt/GridTableModel.h"
#include "editor/qt/RandomTriggerPage.h"
#include "editor/qt/TFrmDataFormatFlags.h"
#include "editor/qt/TformChannelSelect.h"
#include "protocol/GlbIni.h"
#include "protocol/HeaderFieldWidth.h"
#include "protocol/UtilityControl.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

using namespace tavin;

namespace {

class BufferPagesTest : public ::testing::Test {
protected:
    BufferPagesTest() {
        ctx.Utility = &utility;
        ctx.Ini = &ini;
        utility.SetVersionCode(130, ini, true); // extended tables
        cfg.TimedTx.Channel = 150;
        cfg.TimedTx.WindowLength = 5;
        cfg.TimedTx.DataSource = 1;
        cfg.SDI12[0].Address = "0";
        cfg.SDI12[0].Label = "RAIN";
    }
    template <typename W> W* Find(QWidget* in, const char* name) {
        auto* w = in->findChild<W*>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QString Label(QWidget* in, const char* name) { return Find<QLabel>(in, name)->text(); }

    XmtrConfig cfg;
    TGlbIni ini;
    TUtilityControl utility;
    ParseContext ctx;
};

TEST_F(BufferPagesTest, TimedGridEditsShowTheirStatistics) {
    DataFormatPage page(cfg, ctx, kTimedBuffer);
    page.resize(1000, 700);
    page.show();
    GridTableModel& model = page.Grid()->Model();
    QAbstractItemModelTester tester(&model,
                                    QAbstractItemModelTester::FailureReportingMode::Warning);
    EXPECT_EQ(model.rowCount(), 100);

    // A header, a text and two sensor values, as a user builds a message.
    ASSERT_TRUE(model.setData(model.index(0, kDfType), "Platform ID"));
    ASSERT_TRUE(model.setData(model.index(1, kDfType), "Text"));
    ASSERT_TRUE(model.setData(model.index(1, kDfValueCount), "STAGE"));
    ASSERT_TRUE(model.setData(model.index(2, kDfType), "RAIN"));
    // Typed through the delegate's editor, as a person would.
    const QModelIndex count = model.index(2, kDfValueCount);
    page.Grid()->setCurrentIndex(count);
    page.Grid()->edit(count);
    auto* editor = page.Grid()->viewport()->findChild<QLineEdit*>("GridCellEdit");
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, "2NG");
    QTest::keyClick(editor, Qt::Key_Return);
    // The delegate commits after the key event, as a queued call.
    ASSERT_TRUE(QTest::qWaitFor([&] { return cfg.TimedData[2].ValueCount == 2; }, 2000));
    EXPECT_EQ(cfg.TimedData[2].ValueCount, 2);
    EXPECT_EQ(cfg.TimedData[2].StatFlags, kStatMin | kStatAvg);
    EXPECT_EQ(model.data(count).toString(), "2NG");
    ASSERT_TRUE(model.setData(model.index(2, kDfFieldWidth), "6"));

    // 5 + 2 x 6 + 6 (min) + 6 (avg) = 29 bytes: 34 bytes, 3.840 sec at 100 bit/s.
    EXPECT_EQ(Label(&page, "LblTimedBufferSize"), "29 bytes");
    EXPECT_EQ(Label(&page, "LblTimedMsgLength"), "34 bytes");
    EXPECT_EQ(Label(&page, "LblTimedDuration"), "3.840 sec");
    EXPECT_TRUE(Find<QLabel>(&page, "LblTimedWindowWarning")->isHidden());

    // A message longer than its 5 s window says so, and stops saying so.
    ASSERT_TRUE(model.setData(model.index(2, kDfFieldWidth), "10"));
    EXPECT_EQ(Label(&page, "LblTimedDuration"), "5.120 sec");
    EXPECT_FALSE(Find<QLabel>(&page, "LblTimedWindowWarning")->isHidden());
    EXPECT_TRUE(Label(&page, "LblTimedWindowWarning").contains("window is 5 sec"));
    ASSERT_TRUE(model.setData(model.index(2, kDfFieldWidth), "6"));
    EXPECT_TRUE(Find<QLabel>(&page, "LblTimedWindowWarning")->isHidden());

    // Slope and Offset columns only for a binary-coded buffer.
    EXPECT_TRUE(page.Grid()->isColumnHidden(kDfSlope));
    cfg.TimedTx.DataFormat = 1;
    page.RefreshGrid();
    EXPECT_FALSE(page.Grid()->isColumnHidden(kDfOffset));
}

TEST_F(BufferPagesTest, FlagsButtonOpensTheDialogAndStoresItsText) {
    DataFormatPage page(cfg, ctx, kTimedBuffer);
    page.show();
    cfg.TimedData[0].SourceType = 'S';
    cfg.TimedData[0].Flags = "lx";
    page.RefreshGrid();
    DataFormatFlagsInput seen;
    page.AskFlags = [&](const DataFormatFlagsInput& in) -> std::optional<std::string> {
        seen = in;
        TFrmDataFormatFlags dialog(in.Flags, in.DataFormat, in.RowType, in.ItemIndex, &page);
        // Untick L, tick "Line Feed" and press OK, as a person would.
        QTimer::singleShot(0, &dialog, [&dialog] {
            dialog.findChild<QCheckBox*>("ChkL")->click();
            dialog.findChild<QCheckBox*>("ChkN")->click();
            dialog.findChild<QPushButton*>("BtnOK")->click();
        });
        QTimer::singleShot(5000, &dialog, &QDialog::reject); // never hangs
        if (dialog.exec() != QDialog::Accepted) {
            return std::nullopt;
        }
        return dialog.FlagsText();
    };
    page.FlagsButtonClick(0);
    EXPECT_EQ(seen.Flags, "LX");
    EXPECT_EQ(seen.RowType, 'S');
    EXPECT_EQ(cfg.TimedData[0].Flags, "N");

    page.AskFlags = [](const DataFormatFlagsInput&) { return std::optional<std::string>(); };
    page.FlagsButtonClick(0);
    EXPECT_EQ(cfg.TimedData[0].Flags, "N") << "Cancel leaves the cell";
}

TEST_F(BufferPagesTest, FlagsDialogFollowsItsRules) {
    TFrmDataFormatFlags dialog("LB", 0, 'H', 4);
    auto* before = dialog.findChild<QRadioButton*>("rbColonBefore");
    EXPECT_TRUE(before->isChecked());
    EXPECT_FALSE(dialog.findChild<QCheckBox*>("ChkC")->isEnabled());
    dialog.findChild<QCheckBox*>("ChkL")->click();
    EXPECT_FALSE(dialog.findChild<QWidget*>("rgLabelColon")->isEnabled());
    EXPECT_FALSE(before->isChecked());
    dialog.findChild<QCheckBox*>("ChkL")->click();
    EXPECT_TRUE(dialog.findChild<QRadioButton*>("rbColonAfter")->isChecked());
    EXPECT_EQ(dialog.FlagsText(), "L");
    EXPECT_EQ(dialog.windowTitle(), "Record Format Flags");
}

TEST_F(BufferPagesTest, TriggerAndDataPackGrids) {
    cfg.RandomTx.DataSource = 1;
    RandomTriggerPage triggers(cfg, ctx);
    QAbstractItemModelTester t1(&triggers.Grid()->Model(),
                                QAbstractItemModelTester::FailureReportingMode::Warning);
    GridTableModel& tm = triggers.Grid()->Model();
    EXPECT_EQ(tm.rowCount(), 30);
    ASSERT_TRUE(tm.setData(tm.index(0, kRtType), "High"));
    ASSERT_TRUE(tm.setData(tm.index(0, kRtSensor), "RAIN"));
    ASSERT_TRUE(tm.setData(tm.index(0, kRtLimit), "25.5"));
    EXPECT_EQ(cfg.RandomTriggers[0].SensorType, 'S');
    EXPECT_EQ(tm.data(tm.index(0, kRtCode)).toString(), "00");

    DataPackPage pack(cfg, ctx);
    QAbstractItemModelTester t2(&pack.Grid()->Model(),
                                QAbstractItemModelTester::FailureReportingMode::Warning);
    GridTableModel& pm = pack.Grid()->Model();
    EXPECT_EQ(pm.rowCount(), 6);
    EXPECT_EQ(pm.columnCount(), 9);
    ASSERT_TRUE(pm.setData(pm.index(1, 2), "12"));
    EXPECT_EQ(cfg.RandomTx.ArgosDataPack[9], 12);
    cfg.PlatformIdArgos = "1234";
    pack.UpdateStats();
    EXPECT_EQ(Label(&pack, "LblARGOSBufferSize"), "0 Bits") << "sensor data: the random format";
    cfg.RandomTx.DataSource = 0;
    pack.UpdateStats();
    EXPECT_EQ(Label(&pack, "LblARGOSBufferSize"), "12 Bits");
}

TEST_F(BufferPagesTest, ChannelDialogSplitsAndJoins) {
    TformChannelSelect dialog("D5+A3", true);
    EXPECT_EQ(dialog.findChild<QComboBox*>("cbSCDChan")->currentText(), "D5");
    EXPECT_EQ(dialog.findChild<QComboBox*>("cbARGOSChan")->currentText(), "A3");
    EXPECT_EQ(dialog.Result(), "D5+A3");
    dialog.findChild<QComboBox*>("cbARGOSChan")->setCurrentIndex(0);
    EXPECT_EQ(dialog.Result(), "D5");
    TformChannelSelect argosOnly("D5+A3", false);
    EXPECT_FALSE(argosOnly.findChild<QComboBox*>("cbSCDChan")->isEnabled());
    EXPECT_EQ(argosOnly.Result(), "A3");
}

} // namespace

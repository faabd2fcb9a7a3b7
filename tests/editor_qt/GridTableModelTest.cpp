// The shared grid model and delegate over a small table of rules: a text
// column whose edit copies into the next row, a check column, a list column
// and a time column that refuses bad times with a message.

#include "editor/qt/GridTableModel.h"
#include "common/ScriptedPrompter.h"
#include "editor/GridRules.h"
#include "editor/qt/GridCellDelegate.h"
#include "editor/qt/GridView.h"

#include <gmock/gmock.h>

#include <QAbstractItemModelTester>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <array>

namespace tavin {
namespace {

class FakeRules : public GridRules {
public:
    struct Row {
        std::string label;
        bool on = false;
        std::string kind = "A";
        std::string time = "00:00:00";
    };
    std::vector<Row> rows = std::vector<Row>(3);
    int endEdits = 0;

    int RowCount() const override { return int(rows.size()); }
    int ColumnCount() const override { return 4; }
    std::string Header(int column) const override {
        static const std::array<const char*, 4> kNames = {"Label", "On", "Kind", "Time"};
        return kNames[column];
    }
    CellView Cell(int row, int column) const override {
        CellView c;
        c.editable = row < 2; // the last row is not in use yet
        c.greyed = !c.editable;
        const Row& r = rows[row];
        switch (column) {
        case 0:
            c.text = r.label;
            c.maxLength = 4;
            break;
        case 1:
            c.kind = CellKind::Check;
            c.checked = r.on;
            break;
        case 2:
            c.kind = CellKind::List;
            c.entries = {"A", "B", "C"};
            c.text = r.kind;
            break;
        default:
            c.kind = CellKind::Time;
            c.text = r.time;
        }
        return c;
    }
    GridEditResult Edit(int row, int column, const std::string& text) override {
        Row& r = rows[row];
        switch (column) {
        case 0:
            r.label = text;
            rows[row + 1].label = text; // an edit that changes its neighbour
            return GridEditResult::Rows(row, row + 1);
        case 1:
            r.on = text == "1";
            return GridEditResult::Rows(row, row);
        case 2:
            r.kind = text;
            return GridEditResult::Rows(row, row);
        default:
            if (text > "23:59:59") {
                return GridEditResult::Refused("Invalid Time");
            }
            r.time = text;
            return GridEditResult::Rows(row, row);
        }
    }
    GridEditResult EndEdit(int row, int) override {
        ++endEdits;
        if (rows[row].label == "GROW") {
            rows.push_back({});
            GridEditResult r = GridEditResult::Rows(0, RowCount() - 1);
            r.reshaped = true;
            return r;
        }
        return {};
    }
};

TEST(GridTableModel, ShowsAndEditsThroughTheRules) {
    FakeRules rules;
    GridTableModel model(rules);
    QAbstractItemModelTester tester(&model,
                                    QAbstractItemModelTester::FailureReportingMode::Warning);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);

    EXPECT_EQ(model.rowCount(), 3);
    EXPECT_EQ(model.headerData(2, Qt::Horizontal).toString(), "Kind");
    EXPECT_TRUE(model.flags(model.index(0, 0)) & Qt::ItemIsEditable);
    EXPECT_TRUE(model.flags(model.index(0, 1)) & Qt::ItemIsUserCheckable);
    EXPECT_FALSE(model.flags(model.index(2, 0)) & Qt::ItemIsEditable);
    EXPECT_TRUE(model.data(model.index(2, 0), Qt::BackgroundRole).isValid());

    ASSERT_TRUE(model.setData(model.index(0, 0), "SDI1"));
    EXPECT_EQ(rules.rows[1].label, "SDI1");
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed[0][0].toModelIndex().row(), 0);
    EXPECT_EQ(changed[0][1].toModelIndex().row(), 1);

    ASSERT_TRUE(model.setData(model.index(1, 1), Qt::Checked, Qt::CheckStateRole));
    EXPECT_TRUE(rules.rows[1].on);
    EXPECT_EQ(model.data(model.index(1, 1), Qt::CheckStateRole).toInt(), Qt::Checked);

    // A cell that is not editable takes nothing, whatever the caller says.
    EXPECT_FALSE(model.setData(model.index(2, 0), "X"));
    EXPECT_EQ(rules.rows[2].label, "");

    rules.SetReadOnly(true);
    EXPECT_FALSE(model.flags(model.index(0, 0)) & Qt::ItemIsEditable);
    EXPECT_FALSE(model.setData(model.index(0, 0), "NEW"));
}

TEST(GridTableModel, RefusedEditSaysWhyAndReshapeResets) {
    FakeRules rules;
    GridTableModel model(rules);
    QAbstractItemModelTester tester(&model,
                                    QAbstractItemModelTester::FailureReportingMode::Warning);
    QSignalSpy messages(&model, &GridTableModel::EditMessage);
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);

    EXPECT_FALSE(model.setData(model.index(0, 3), "99:99:99"));
    ASSERT_EQ(messages.count(), 1);
    EXPECT_EQ(messages[0][0].toString(), "Invalid Time");
    EXPECT_EQ(rules.rows[0].time, "00:00:00");

    rules.rows[0].label = "GROW";
    model.EndEdit(model.index(0, 0));
    EXPECT_EQ(reset.count(), 1);
    EXPECT_EQ(model.rowCount(), 4);
}

TEST(GridView, DelegateEditsTextTimeAndListCells) {
    FakeRules rules;
    test::ScriptedPrompter prompter;
    GridView view(rules, "GridFake");
    view.SetPrompter(&prompter);
    view.resize(600, 200);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));

    view.setCurrentIndex(view.Model().index(0, 0));
    view.edit(view.Model().index(0, 0));
    auto* edit = view.findChild<QLineEdit*>("GridCellEdit");
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->maxLength(), 4);
    edit->selectAll();
    QTest::keyClicks(edit, "ABCDEF");
    QTest::keyClick(edit, Qt::Key_Return);
    QTest::qWait(20); // the view commits a closed editor after the key event
    EXPECT_EQ(rules.rows[0].label, "ABCD");
    EXPECT_EQ(view.Model().data(view.Model().index(1, 0)).toString(), "ABCD");
    EXPECT_GE(rules.endEdits, 1);

    view.setCurrentIndex(view.Model().index(0, 3));
    view.edit(view.Model().index(0, 3));
    auto* time = view.findChild<QLineEdit*>("GridCellTime");
    ASSERT_NE(time, nullptr);
    EXPECT_EQ(time->inputMask(), "99:99:99");
    time->setText("25:00:00");
    QTest::keyClick(time, Qt::Key_Return);
    QTest::qWait(20);
    EXPECT_EQ(rules.rows[0].time, "00:00:00");
    EXPECT_THAT(prompter.Texts("error"), testing::ElementsAre("Invalid Time"));

    view.setCurrentIndex(view.Model().index(1, 2));
    view.edit(view.Model().index(1, 2));
    auto* list = view.findChild<QComboBox*>("GridCellList");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->count(), 3);
    list->setCurrentIndex(2);
    emit list->activated(2);
    QTest::qWait(20);
    EXPECT_EQ(rules.rows[1].kind, "C");

    view.SetReadOnly(true);
    EXPECT_EQ(view.editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_FALSE(view.Model().flags(view.Model().index(0, 1)) & Qt::ItemIsUserCheckable);
}

} // namespace
} // namespace tavin

#include "editor/qt/DataFormatPage.h"

#include "editor/BufferStats.h"
#include "editor/qt/GridCellDelegate.h"
#include "editor/qt/GridTableModel.h"
#include "editor/qt/MessageStatsPanel.h"
#include "editor/qt/TFrmDataFormatFlags.h"
#include "protocol/HeaderFieldWidth.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tavin {

DataFormatPage::DataFormatPage(XmtrConfig& cfg, const ParseContext& ctx, int buffer,
                               QWidget* parent)
    : QWidget(parent), rules_(cfg, ctx, buffer), ctx_(ctx), random_(buffer == kRandomBuffer) {
    const QString kind = random_ ? "Random" : "Timed";
    setObjectName("pnl" + kind + "DataFormat");
    auto* layout = new QGridLayout(this);

    // The page's information line sits above this panel, kept by the window.
    grid_ = new GridView(rules_, random_ ? "GridRandomDataFormat" : "GridTimedDataFormat", this);
    grid_->horizontalHeader()->setStretchLastSection(false);
    grid_->setColumnWidth(kDfType, 160);
    grid_->setColumnWidth(kDfValueCount, 90);
    grid_->setColumnWidth(kDfFieldWidth, 80);
    grid_->setColumnWidth(kDfFlags, 110);
    grid_->setColumnWidth(kDfSlope, 70);
    grid_->setColumnWidth(kDfOffset, 70);
    layout->addWidget(grid_, 1, 0);

    auto* side = new QWidget(this);
    auto* sideLayout = new QVBoxLayout(side);
    sideLayout->setContentsMargins(0, 0, 0, 0);
    insert_ = new QPushButton("Insert", side);
    insert_->setObjectName(random_ ? "BtnRandomInsert" : "BtnTimedInsert");
    insert_->setToolTip("Insert a new record above the current row");
    cleanUp_ = new QPushButton("Clean Up", side);
    cleanUp_->setObjectName(random_ ? "BtnRandomCleanUp" : "BtnTimedCleanUp");
    cleanUp_->setToolTip("Remove the empty records between the items");
    sideLayout->addWidget(insert_);
    sideLayout->addWidget(cleanUp_);
    stats_ = new MessageStatsPanel(kind, side);
    sideLayout->addWidget(stats_);
    check_ = new QCheckBox(kind + " Data Buffer Check", side);
    check_->setObjectName(random_ ? "cbRandomDataBufferCheck" : "cbTimedDataBufferCheck");
    sideLayout->addWidget(check_);
    memo_ = new QPlainTextEdit(side);
    memo_->setObjectName(random_ ? "memoRandomBufferCheck" : "memoTimedBufferCheck");
    memo_->setReadOnly(true);
    memo_->hide();
    sideLayout->addWidget(memo_, 1);
    refresh_ = new QPushButton("Refresh", side);
    refresh_->setObjectName(random_ ? "btnRandomBufferRefresh" : "btnTimedBufferRefresh");
    refresh_->hide();
    sideLayout->addWidget(refresh_);
    sideLayout->addStretch(0);
    layout->addWidget(side, 1, 1);
    layout->setColumnStretch(0, 1);

    AskFlags = [this](const DataFormatFlagsInput& in) {
        return TFrmDataFormatFlags::Ask(in.Flags, in.DataFormat, in.RowType, in.ItemIndex, this);
    };
    connect(insert_, &QPushButton::clicked, this, [this] { InsertClick(); });
    connect(cleanUp_, &QPushButton::clicked, this, [this] { CleanUpClick(); });
    connect(check_, &QCheckBox::clicked, this, [this](bool checked) {
        if (OnCheckClicked) {
            OnCheckClicked(checked);
        }
    });
    connect(refresh_, &QPushButton::clicked, this, [this] {
        if (OnRefreshClicked) {
            OnRefreshClicked();
        }
    });
    connect(&grid_->Model(), &GridTableModel::RowsEdited, this, [this](int, int) { Edited(); });
    connect(&grid_->Delegate(), &GridCellDelegate::ButtonClicked, this,
            [this](const QModelIndex& index) {
                if (index.column() == kDfFlags) {
                    FlagsButtonClick(index.row());
                }
            });
    // Moving to another cell shows the table afresh (header widths follow a
    // changed platform id or format).
    connect(grid_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex&, const QModelIndex&) {
                if (!refreshing_) {
                    RefreshGrid();
                }
            });
    RefreshGrid();
}

void DataFormatPage::RefreshGrid() {
    refreshing_ = true;
    rules_.NormalizeHeaderRows();
    grid_->RefreshGrid();
    const bool scaling = rules_.ScalingShown();
    grid_->setColumnHidden(kDfSlope, !scaling);
    grid_->setColumnHidden(kDfOffset, !scaling);
    refreshing_ = false;
    UpdateStats();
}

void DataFormatPage::UpdateStats() {
    const StatsMessage which = random_ ? MessageOfRandomPage(ctx_) : StatsMessage::Timed;
    stats_->Show(BufferStats(rules_.Config(), ctx_, which));
}

void DataFormatPage::Edited() {
    UpdateStats();
    if (OnEdited) {
        OnEdited();
    }
}

void DataFormatPage::SetPageEnabled(bool enabled) {
    grid_->SetReadOnly(!enabled);
    insert_->setVisible(enabled);
    cleanUp_->setVisible(enabled);
    check_->setVisible(enabled);
    if (!enabled && check_->isChecked()) {
        check_->setChecked(false);
        if (OnCheckClicked) {
            OnCheckClicked(false);
        }
    }
    if (!enabled) {
        memo_->hide();
        refresh_->hide();
    }
}

void DataFormatPage::InsertClick() {
    const QModelIndex current = grid_->currentIndex();
    if (current.isValid()) {
        grid_->Model().Apply(rules_.Insert(current.row()));
    }
}

void DataFormatPage::CleanUpClick() {
    grid_->Model().Apply(rules_.CleanUp());
}

void DataFormatPage::FlagsButtonClick(int row) {
    if (rules_.ReadOnly() || !AskFlags) {
        return;
    }
    const std::optional<std::string> flags = AskFlags(rules_.FlagsInput(row));
    if (!flags) {
        return;
    }
    grid_->Model().EditCell(row, kDfFlags, *flags);
    RefreshGrid();
}

} // namespace tavin

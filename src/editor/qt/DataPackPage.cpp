#include "editor/qt/DataPackPage.h"

#include "editor/BufferStats.h"
#include "editor/qt/GridTableModel.h"
#include "editor/qt/MessageStatsPanel.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>

namespace tavin {

DataPackPage::DataPackPage(XmtrConfig& cfg, const ParseContext& ctx, QWidget* parent)
    : QWidget(parent), rules_(cfg), cfg_(cfg), ctx_(ctx) {
    setObjectName("pnlARGOSDataPack");
    auto* layout = new QGridLayout(this);
    grid_ = new GridView(rules_, "GridARGOSSCDDatapak", this);
    grid_->horizontalHeader()->setStretchLastSection(false);
    for (int c = 0; c < kDataPackColumns; ++c) {
        grid_->setColumnWidth(c, 48);
    }
    grid_->setMinimumHeight(grid_->verticalHeader()->defaultSectionSize() * 7 + 8);
    layout->addWidget(grid_, 0, 0);

    auto* buttons = new QHBoxLayout;
    insert_ = new QPushButton("Insert", this);
    insert_->setObjectName("BtnARGOSInsert");
    cleanUp_ = new QPushButton("Clean Up", this);
    cleanUp_->setObjectName("BtnARGOSCleanUp");
    buttons->addWidget(insert_);
    buttons->addWidget(cleanUp_);
    buttons->addStretch(1);
    layout->addLayout(buttons, 1, 0);
    stats_ = new MessageStatsPanel("ARGOS", this);
    layout->addWidget(stats_, 2, 0);
    layout->setRowStretch(3, 1);
    layout->setColumnStretch(1, 1);

    connect(insert_, &QPushButton::clicked, this, [this] { InsertClick(); });
    connect(cleanUp_, &QPushButton::clicked, this, [this] { CleanUpClick(); });
    connect(&grid_->Model(), &GridTableModel::RowsEdited, this, [this](int, int) {
        UpdateStats();
        if (OnEdited) {
            OnEdited();
        }
    });
    RefreshGrid();
}

void DataPackPage::RefreshGrid() {
    grid_->RefreshGrid();
    UpdateStats();
}

void DataPackPage::UpdateStats() {
    stats_->Show(BufferStats(cfg_, ctx_, StatsMessage::Argos));
}

void DataPackPage::SetPageEnabled(bool enabled) {
    grid_->SetReadOnly(!enabled);
    grid_->setEnabled(enabled);
    insert_->setEnabled(enabled);
    cleanUp_->setEnabled(enabled);
}

void DataPackPage::InsertClick() {
    const QModelIndex current = grid_->currentIndex();
    if (current.isValid()) {
        grid_->Model().Apply(rules_.Insert(current.row(), current.column()));
    }
}

void DataPackPage::CleanUpClick() {
    grid_->Model().Apply(rules_.CleanUp());
}

} // namespace tavin

#include "editor/qt/RandomTriggerPage.h"

#include "editor/qt/GridTableModel.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tavin {

RandomTriggerPage::RandomTriggerPage(XmtrConfig& cfg, const ParseContext& ctx, QWidget* parent)
    : QWidget(parent), rules_(cfg, ctx) {
    setObjectName("pnlRandomTriggers");
    auto* layout = new QGridLayout(this);
    // The page's information line sits above this panel, kept by the window.
    grid_ = new GridView(rules_, "GridRandomTriggers", this);
    grid_->horizontalHeader()->setStretchLastSection(false);
    grid_->horizontalHeader()->setSectionResizeMode(kRtSensor, QHeaderView::Stretch);
    grid_->setColumnWidth(kRtCode, 50);
    grid_->setColumnWidth(kRtType, 110);
    grid_->setColumnWidth(kRtSensor, 130);
    grid_->setColumnWidth(kRtLimit, 100);
    layout->addWidget(grid_, 1, 0);

    auto* side = new QVBoxLayout;
    insert_ = new QPushButton("Insert", this);
    insert_->setObjectName("BtnInsertRanTrig");
    insert_->setToolTip("Insert a new record into the Random Triggers");
    cleanUp_ = new QPushButton("Clean Up", this);
    cleanUp_->setObjectName("BtnRanTrigCleanUp");
    cleanUp_->setToolTip("Remove all empty records from Random Triggers");
    side->addWidget(insert_);
    side->addWidget(cleanUp_);
    side->addStretch(1);
    layout->addLayout(side, 1, 1);
    layout->setColumnStretch(0, 1);

    connect(insert_, &QPushButton::clicked, this, [this] { InsertClick(); });
    connect(cleanUp_, &QPushButton::clicked, this, [this] { CleanUpClick(); });
    connect(&grid_->Model(), &GridTableModel::RowsEdited, this, [this](int, int) {
        if (OnEdited) {
            OnEdited();
        }
    });
}

void RandomTriggerPage::RefreshGrid() {
    grid_->RefreshGrid();
}

void RandomTriggerPage::SetPageEnabled(bool enabled) {
    grid_->SetReadOnly(!enabled);
    insert_->setVisible(enabled);
    cleanUp_->setVisible(enabled);
}

void RandomTriggerPage::InsertClick() {
    const QModelIndex current = grid_->currentIndex();
    if (current.isValid()) {
        grid_->Model().Apply(rules_.Insert(current.row()));
    }
}

void RandomTriggerPage::CleanUpClick() {
    grid_->Model().Apply(rules_.CleanUp());
}

} // namespace tavin

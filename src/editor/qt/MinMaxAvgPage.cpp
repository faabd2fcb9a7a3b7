#include "editor/qt/MinMaxAvgPage.h"

#include "editor/SensorGridTexts.h"
#include "editor/qt/GridView.h"
#include "editor/qt/SensorPageLayout.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace tavin {

MinMaxAvgPage::MinMaxAvgPage(XmtrConfig& config, const TUtilityControl& utility, const TGlbIni& ini,
                             QWidget* page)
    : QWidget(page), rules_(config, utility, ini) {
    setObjectName("MinMaxAvgPage");
    grid_ = new GridView(rules_, "GridMinMaxAvg", this);
    SetUpSensorGrid(*grid_, texts::kMinMaxAvgGridHint);
    auto* caption = new QLabel(texts::kCheckToLog, this);
    caption->setObjectName("LblCheckToLog");

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(caption);
    layout->addWidget(grid_, 1);
    FillPage(page, this);
    Refresh();
    grid_->resizeColumnsToContents();
    grid_->setColumnWidth(MinMaxAvgGridRules::kSensor, grid_->columnWidth(1) + 60);
    // The caption sits over the flag columns.
    caption->setContentsMargins(grid_->columnViewportPosition(MinMaxAvgGridRules::kMin), 0, 0, 0);
}

void MinMaxAvgPage::SetPrompter(Prompter* prompter) {
    grid_->SetPrompter(prompter);
}

void MinMaxAvgPage::Refresh() {
    grid_->RefreshGrid();
    grid_->setColumnHidden(MinMaxAvgGridRules::kVec, !rules_.VecColumnShown());
}

} // namespace tavin

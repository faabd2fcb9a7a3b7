#include "editor/qt/MinMaxAvgPage.h"

#include "editor/SensorGridTexts.h"
#include "editor/qt/GridView.h"
#include "editor/qt/SensorPageLayout.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>

namespace tavin {

MinMaxAvgPage::MinMaxAvgPage(XmtrConfig& config, const TUtilityControl& utility, const TGlbIni& ini,
                             QWidget* page)
    : QWidget(page), rules_(config, utility, ini) {
    setObjectName("MinMaxAvgPage");
    grid_ = new GridView(rules_, "GridMinMaxAvg", this);
    SetUpSensorGrid(*grid_, texts::kMinMaxAvgGridHint);
    caption_ = new QLabel(texts::kCheckToLog, this);
    caption_->setObjectName("LblCheckToLog");

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(caption_);
    layout->addWidget(grid_, 1);
    FillPage(page, this);
    Refresh();
}

void MinMaxAvgPage::SetPrompter(Prompter* prompter) {
    grid_->SetPrompter(prompter);
}

void MinMaxAvgPage::Refresh() {
    grid_->RefreshGrid();
    FitSensorColumns(*grid_, {{MinMaxAvgGridRules::kSensor, "WWWW  "},
                              {MinMaxAvgGridRules::kInterval, kTimeSample},
                              {MinMaxAvgGridRules::kOffset, kTimeSample}});
    // The caption sits over the flag columns.
    caption_->setContentsMargins(grid_->columnViewportPosition(MinMaxAvgGridRules::kMin), 0, 0, 0);
    grid_->setColumnHidden(MinMaxAvgGridRules::kVec, !rules_.VecColumnShown());
}

} // namespace tavin

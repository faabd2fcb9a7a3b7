#include "editor/qt/InternalSensorsPage.h"

#include "editor/InternalSensorTests.h"
#include "editor/SensorGridTexts.h"
#include "editor/qt/GridTableModel.h"
#include "editor/qt/GridView.h"
#include "editor/qt/InternalSensorTestGroup.h"
#include "editor/qt/SensorPageLayout.h"
#include "editor/qt/TippingBucketGroup.h"
#include "protocol/UtilityControl.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace tavin {

InternalSensorsPage::InternalSensorsPage(XmtrConfig& config, const TUtilityControl& utility,
                                         QWidget* page)
    : QWidget(page), cfg_(config), utility_(utility), rules_(config, utility) {
    setObjectName("InternalSensorsPage");
    grid_ = new GridView(rules_, "GridInternSens", this);
    SetUpSensorGrid(*grid_, texts::kInternSensGridHint);
    auto* insert =
        NamedButton(this, "BtnInternSensInsert", "Insert", "Insert a sensor above the current row");
    auto* cleanUp = NamedButton(this, "btnInternSensCleanUp", "Clean Up",
                                "Remove the None rows between the sensors");
    connect(insert, &QPushButton::clicked, this, &InternalSensorsPage::BtnInternSensInsertClick);
    connect(cleanUp, &QPushButton::clicked, this, &InternalSensorsPage::btnInternSensCleanUpClick);
    bucket_ = new TippingBucketGroup(config, utility, this);
    tests_ = new InternalSensorTestGroup(this);
    connect(tests_, &InternalSensorTestGroup::EquationTestRequested, this,
            &InternalSensorsPage::btnEquationQueryClick);

    auto* layout = new QGridLayout(this);
    layout->addWidget(grid_, 0, 0);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(insert);
    buttons->addWidget(cleanUp);
    buttons->addStretch(1);
    layout->addLayout(buttons, 1, 0);
    auto* side = new QVBoxLayout;
    side->addWidget(bucket_);
    side->addStretch(1);
    layout->addLayout(side, 0, 1, 2, 1);
    layout->addWidget(tests_, 0, 2, 2, 1, Qt::AlignTop);
    layout->setColumnStretch(0, 3);
    layout->setColumnStretch(2, 2);
    FillPage(page, this);

    connect(&grid_->Model(), &GridTableModel::RowsEdited, this, [this] { emit TableEdited(); });
    Refresh();
}

void InternalSensorsPage::SetPrompter(Prompter* prompter) {
    grid_->SetPrompter(prompter);
}

void InternalSensorsPage::Refresh() {
    RefreshSensorGrid(*grid_,
                      {{InternSensGridRules::kType, "Battery"},
                       {InternSensGridRules::kInterval, kTimeSample},
                       {InternSensGridRules::kOffset, kTimeSample},
                       {InternSensGridRules::kTrig, "J:H:M:S"}},
                      InternSensGridRules::kTrig, rules_.TrigColumnShown(),
                      InternSensGridRules::kType);
    bucket_->Refresh();
    tests_->SetBatteryShown(utility_.InternSensCodes());
}

int InternalSensorsPage::CurrentRow() const {
    return CurrentGridRow(*grid_);
}

void InternalSensorsPage::BtnInternSensInsertClick() {
    const int row = CurrentRow();
    if (row >= 0) {
        grid_->Model().Apply(rules_.Insert(row));
    }
}

void InternalSensorsPage::btnInternSensCleanUpClick() {
    grid_->Model().Apply(rules_.CleanUp());
}

void InternalSensorsPage::btnEquationQueryClick() {
    const std::optional<std::string> command = EquationTestCommand(cfg_, std::max(CurrentRow(), 0));
    if (command) {
        emit tests_->TestCommand(Latin1(*command));
    } else {
        tests_->AppendLine(texts::kEquationNotFound);
    }
}

} // namespace tavin

#include "editor/qt/SDI12Page.h"

#include "editor/SensorGridTexts.h"
#include "editor/qt/GridTableModel.h"
#include "editor/qt/GridView.h"
#include "editor/qt/SensorPageLayout.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace tavin {

SDI12Page::SDI12Page(XmtrConfig& config, const TUtilityControl& utility, const TGlbIni& ini,
                     QWidget* page)
    : QWidget(page), rules_(config, utility, ini) {
    setObjectName("SDI12Page");
    grid_ = new GridView(rules_, "GridSDI12", this);
    SetUpSensorGrid(*grid_, texts::kSDI12GridHint);
    auto* insert =
        NamedButton(this, "BtnSDI12Insert", "Insert", "Insert a sensor above the current row");
    connect(insert, &QPushButton::clicked, this, &SDI12Page::BtnSDI12InsertClick);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(insert);
    buttons->addStretch(1);
    layout->addLayout(buttons);
    FillPage(page, this);

    connect(grid_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& now) { emit CurrentRowChanged(now.row()); });
    connect(&grid_->Model(), &GridTableModel::RowsEdited, this, [this] { emit TableEdited(); });
    Refresh();
}

void SDI12Page::SetPrompter(Prompter* prompter) {
    grid_->SetPrompter(prompter);
}

void SDI12Page::Refresh() {
    RefreshSensorGrid(*grid_,
                      {{SDI12GridRules::kInterval, kTimeSample},
                       {SDI12GridRules::kOffset, kTimeSample},
                       {SDI12GridRules::kTrig, "H/L  "}},
                      SDI12GridRules::kTrig, rules_.TrigColumnShown(), SDI12GridRules::kAddress);
}

int SDI12Page::CurrentRow() const {
    return CurrentGridRow(*grid_);
}

void SDI12Page::BtnSDI12InsertClick() {
    const int row = CurrentRow();
    if (row < 0) {
        return;
    }
    grid_->Model().Apply(rules_.Insert(row));
}

} // namespace tavin

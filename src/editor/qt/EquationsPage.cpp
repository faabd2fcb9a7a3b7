#include "editor/qt/EquationsPage.h"

#include "editor/qt/GridCellDelegate.h"
#include "editor/qt/GridTableModel.h"
#include "editor/qt/GridView.h"
#include "editor/qt/SensorPageLayout.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QVBoxLayout>

namespace tavin {

EquationsPage::EquationsPage(XmtrConfig& config, QWidget* page) : QWidget(page), rules_(config) {
    setObjectName("EquationsPage");
    grid_ = new GridView(rules_, "GridEquations", this);
    SetUpSensorGrid(*grid_, "Equations: type one, or press the cell's button for the editor");
    grid_->horizontalHeader()->setStretchLastSection(true);
    grid_->setWordWrap(true);
    // The cell's own button shows only while the cell is edited: this one
    // is always there.
    auto* editor = NamedButton(this, "BtnEquationEditor", "Equation Editor...",
                               "Compose the equation of the current row with the editor");
    connect(editor, &QPushButton::clicked, this, [this] {
        const int row = CurrentGridRow(*grid_);
        emit EditorRequested(row < 0 ? rules_.RowCount() - 1 : row);
    });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(editor);
    buttons->addStretch(1);
    layout->addLayout(buttons);
    FillPage(page, this);
    connect(&grid_->Delegate(), &GridCellDelegate::ButtonClicked, this,
            [this](const QModelIndex& index) {
                if (index.isValid()) {
                    emit EditorRequested(index.row());
                }
            });
    connect(&grid_->Model(), &GridTableModel::RowsEdited, this, [this] { emit TableEdited(); });
    Refresh();
    grid_->resizeColumnToContents(EquationGridRules::kIndex);
}

void EquationsPage::SetPrompter(Prompter* prompter) {
    grid_->SetPrompter(prompter);
}

void EquationsPage::Refresh() {
    const bool wasSingleRow = grid_->model()->rowCount() == 1;
    grid_->RefreshGrid();
    // A first equation read in: the cursor goes to the row for the next one.
    if (wasSingleRow && rules_.RowCount() > 1) {
        grid_->setCurrentIndex(grid_->model()->index(1, EquationGridRules::kEquation));
    }
}

std::string EquationsPage::EditorStartText(int row) const {
    return rules_.EditorStartText(row, "");
}

void EquationsPage::EditorClosed(int row, bool ok, const std::string& text,
                                 const std::string& startText) {
    grid_->Model().Apply(rules_.EditorClosed(row, ok, text, startText));
}

} // namespace tavin

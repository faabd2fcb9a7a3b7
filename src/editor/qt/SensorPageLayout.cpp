#include "editor/qt/SensorPageLayout.h"

#include "editor/qt/GridTableModel.h"
#include "editor/qt/GridView.h"

#include <QFontMetrics>
#include <QHeaderView>

#include <QVBoxLayout>
#include <algorithm>

namespace tavin {

QPushButton* NamedButton(QWidget* parent, const char* name, const char* caption, const char* hint) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    if (hint) {
        b->setToolTip(hint);
    }
    return b;
}

void FillPage(QWidget* page, QWidget* content) {
    // The window may have given the page a layout of its own already (with
    // the page's information line above the content).
    if (QLayout* existing = page->layout()) {
        existing->addWidget(content);
        return;
    }
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(content);
}

void SetUpSensorGrid(GridView& grid, const char* hint) {
    grid.verticalHeader()->hide();
    grid.setToolTip(hint);
    grid.setAlternatingRowColors(false);
    grid.horizontalHeader()->setStretchLastSection(false);
}

void FitSensorColumns(GridView& grid, std::initializer_list<ColumnSample> samples) {
    grid.resizeColumnsToContents();
    const QFontMetrics metrics(grid.font());
    const int padding = 16;
    const int arrow = 24;
    grid.setColumnWidth(0,
                        std::max(grid.columnWidth(0), metrics.horizontalAdvance("63:") + padding));
    for (const ColumnSample& s : samples) {
        const bool list =
            grid.Model().CellAt(grid.model()->index(0, s.column)).kind == CellKind::List;
        const int width = metrics.horizontalAdvance(s.text) + padding + (list ? arrow : 0);
        grid.setColumnWidth(s.column, std::max(grid.columnWidth(s.column), width));
    }
}

void RefreshSensorGrid(GridView& grid, std::initializer_list<ColumnSample> samples, int trigColumn,
                       bool trigShown, int homeColumn) {
    const int before = CurrentGridRow(grid);
    grid.RefreshGrid();
    FitSensorColumns(grid, samples);
    grid.setColumnHidden(trigColumn, !trigShown);
    const int rows = grid.model()->rowCount();
    if (before >= rows || (before < 0 && rows > 0)) {
        grid.setCurrentIndex(grid.model()->index(0, homeColumn));
    }
}

int CurrentGridRow(const GridView& grid) {
    const QModelIndex at = grid.currentIndex();
    return at.isValid() ? at.row() : -1;
}

} // namespace tavin

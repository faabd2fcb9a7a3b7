#include "editor/qt/SensorPageLayout.h"

#include "editor/qt/GridView.h"

#include <QHeaderView>
#include <QVBoxLayout>

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

int CurrentGridRow(const GridView& grid) {
    const QModelIndex at = grid.currentIndex();
    return at.isValid() ? at.row() : -1;
}

} // namespace tavin

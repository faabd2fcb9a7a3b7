#include "editor/qt/GridView.h"

#include "editor/GridRules.h"
#include "editor/qt/GridCellDelegate.h"
#include "editor/qt/GridTableModel.h"
#include "ui/MessageBoxes.h"

#include <QHeaderView>
#include <QTimer>

namespace tavin {

GridView::GridView(GridRules& rules, const char* objectName, QWidget* parent) : QTableView(parent) {
    setObjectName(objectName);
    model_ = new GridTableModel(rules, this);
    delegate_ = new GridCellDelegate(this);
    setModel(model_);
    setItemDelegate(delegate_);
    editTriggers_ = QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                    QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed;
    setEditTriggers(editTriggers_);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setStretchLastSection(true);
    resizeColumnsToContents();

    connect(model_, &GridTableModel::EditMessage, this, [this](const QString& message) {
        if (!prompter_) {
            return;
        }
        // The box opens after the edit has finished, never inside the
        // delegate's commit.
        const std::string text = message.toStdString();
        QTimer::singleShot(0, this, [this, text] {
            if (prompter_) {
                prompter_->ShowErrorBox(text);
            }
        });
    });
    connect(model_, &GridTableModel::MoveCursor, this, [this](int row, int column) {
        QTimer::singleShot(0, this, [this, row, column] {
            const QModelIndex where = model_->index(row, column);
            if (where.isValid()) {
                setCurrentIndex(where);
            }
        });
    });
}

void GridView::RefreshGrid() {
    model_->Refresh();
}

void GridView::SetReadOnly(bool readOnly) {
    model_->Rules().SetReadOnly(readOnly);
    setEditTriggers(readOnly ? QAbstractItemView::NoEditTriggers : editTriggers_);
    model_->Refresh();
}

bool GridView::IsReadOnly() const {
    return model_->Rules().ReadOnly();
}

} // namespace tavin

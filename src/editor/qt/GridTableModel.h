#pragma once
// The one table model of every editable grid: it shows what the grid's rules
// describe and hands every edit back to them. It holds no rule of its own, so
// a grid behaves the same in a test without a display.

#include "editor/GridRules.h"

#include <QAbstractTableModel>
#include <QString>

namespace tavin {

class GridTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit GridTableModel(GridRules& rules, QObject* parent = nullptr);

    GridRules& Rules() { return rules_; }
    const GridRules& Rules() const { return rules_; }
    // The whole description of the cell at index (an empty text cell outside
    // the table).
    CellView CellAt(const QModelIndex& index) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    // Applies a choice or typed text as the user's edit of the cell.
    bool EditCell(int row, int column, const std::string& text);
    // The editor of a cell has closed: the rules that act at the end of an
    // edit run now.
    void EndEdit(const QModelIndex& index);
    // Shows what the rules say now: after a retrieve, a file load, a change
    // of feature switches or anything else that changed the configuration
    // behind the grid's back.
    void Refresh();
    // Shows what an edit of the rules made outside this model (a page's
    // Insert or Clean Up button) changed.
    void Apply(const GridEditResult& result);

signals:
    // A refused or noted edit has something to tell the user.
    void EditMessage(const QString& message);
    // The rules move the cursor after an edit.
    void MoveCursor(int row, int column);
    // Rows firstRow..lastRow may show something else (statistics follow).
    void RowsEdited(int firstRow, int lastRow);

private:
    GridRules& rules_;
    int rows_ = 0;
    int columns_ = 0;
};

} // namespace tavin

#pragma once
// One delegate for every grid: it builds the editor the cell's description
// asks for (a line edit, a masked time edit, a list, a line edit with a
// button) and never decides a choice itself.

#include <QStyledItemDelegate>

namespace tavin {

class GridCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;
    void destroyEditor(QWidget* editor, const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;

protected:
    // A read-only view (a page disabled by the operating mode) does not let a
    // click tick a check cell either.
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;

signals:
    // The button of a button cell was pressed; the page opens its dialog.
    void ButtonClicked(const QModelIndex& index) const;
};

} // namespace tavin

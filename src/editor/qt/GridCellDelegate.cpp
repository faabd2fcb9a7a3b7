#include "editor/qt/GridCellDelegate.h"

#include "editor/qt/GridTableModel.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTableView>
#include <QToolButton>

namespace tavin {

namespace {

const GridTableModel* GridModel(const QModelIndex& index) {
    return qobject_cast<const GridTableModel*>(index.model());
}

CellView CellOf(const QModelIndex& index) {
    const GridTableModel* model = GridModel(index);
    return model ? model->CellAt(index) : CellView{};
}

QString ToQ(const std::string& s) {
    return QString::fromLatin1(s.data(), int(s.size()));
}

// A line edit with a "..." button beside it, for cells whose value comes
// from a dialog but may also be typed.
class ButtonLineEdit : public QWidget {
public:
    explicit ButtonLineEdit(QWidget* parent) : QWidget(parent) {
        auto* layout = new QHBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        edit = new QLineEdit(this);
        edit->setObjectName("GridCellEdit");
        button = new QToolButton(this);
        button->setObjectName("GridCellButton");
        button->setText("...");
        layout->addWidget(edit, 1);
        layout->addWidget(button);
        setFocusProxy(edit);
    }
    QLineEdit* edit = nullptr;
    QToolButton* button = nullptr;
};

// Where a list in columns keeps the whole entry of each of its rows.
constexpr int kEntryRole = Qt::UserRole + 1;

// A list whose entries are shown in columns (the sensor lists): the entry's
// columns are separated by tabs; the box shows the first column.
void FillColumnList(QComboBox* box, const CellView& cell) {
    auto* items = new QStandardItemModel(0, cell.listColumns, box);
    for (const std::string& entry : cell.entries) {
        const QStringList parts = ToQ(entry).split('\t');
        QList<QStandardItem*> row;
        for (int c = 0; c < cell.listColumns; ++c) {
            row << new QStandardItem(c < parts.size() ? parts[c] : QString());
        }
        row[0]->setData(ToQ(entry), kEntryRole);
        items->appendRow(row);
    }
    auto* view = new QTableView(box);
    view->horizontalHeader()->hide();
    view->verticalHeader()->hide();
    view->setShowGrid(false);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    box->setModel(items);
    box->setView(view);
    view->resizeColumnsToContents();
    int width = 0;
    for (int c = 0; c < cell.listColumns; ++c) {
        width += view->columnWidth(c);
    }
    view->setMinimumWidth(width + view->verticalScrollBar()->sizeHint().width() + 4);
}

} // namespace

QWidget* GridCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                        const QModelIndex& index) const {
    const CellView cell = CellOf(index);
    switch (cell.kind) {
    case CellKind::Check:
        return nullptr;
    case CellKind::List: {
        auto* box = new QComboBox(parent);
        box->setObjectName("GridCellList");
        if (cell.listColumns > 1) {
            FillColumnList(box, cell);
        } else {
            for (std::size_t i = 0; i < cell.entries.size(); ++i) {
                // A second column is shown beside the entry; the entry alone
                // is what a choice passes back.
                const std::string& detail =
                    i < cell.entryDetails.size() ? cell.entryDetails[i] : std::string();
                const QString entry = ToQ(cell.entries[i]);
                box->addItem(detail.empty() ? entry : entry + "   " + ToQ(detail), entry);
            }
        }
        box->setMaxVisibleItems(20);
        // A choice applies at once, as picking from a list should.
        connect(box, &QComboBox::activated, this, [this, box] {
            auto* self = const_cast<GridCellDelegate*>(this);
            emit self->commitData(box);
            emit self->closeEditor(box);
        });
        return box;
    }
    case CellKind::Time: {
        auto* edit = new QLineEdit(parent);
        edit->setObjectName("GridCellTime");
        edit->setInputMask("99:99:99");
        return edit;
    }
    case CellKind::Button: {
        auto* editor = new ButtonLineEdit(parent);
        if (cell.maxLength > 0) {
            editor->edit->setMaxLength(cell.maxLength);
        }
        const QPersistentModelIndex where(index);
        connect(editor->button, &QToolButton::clicked, this, [this, editor, where] {
            auto* self = const_cast<GridCellDelegate*>(this);
            // The typed text goes first so that the dialog starts from it.
            emit self->commitData(editor);
            emit self->closeEditor(editor);
            emit self->ButtonClicked(where);
        });
        return editor;
    }
    case CellKind::Text:
        break;
    }
    auto* edit = qobject_cast<QLineEdit*>(QStyledItemDelegate::createEditor(parent, option, index));
    if (!edit) {
        edit = new QLineEdit(parent);
    }
    edit->setObjectName("GridCellEdit");
    if (cell.maxLength > 0) {
        edit->setMaxLength(cell.maxLength);
    }
    return edit;
}

void GridCellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    const CellView cell = CellOf(index);
    if (auto* box = qobject_cast<QComboBox*>(editor)) {
        // Lists in columns keep the entry under their own role; lists with a
        // second column keep it as the item's data.
        int at = box->findData(ToQ(cell.text), kEntryRole, Qt::MatchFixedString);
        if (at < 0) {
            at = box->findData(ToQ(cell.text), Qt::UserRole, Qt::MatchFixedString);
        }
        if (at < 0) {
            at = box->findText(ToQ(cell.text), Qt::MatchFixedString);
        }
        box->setCurrentIndex(at);
        return;
    }
    if (auto* withButton = dynamic_cast<ButtonLineEdit*>(editor)) {
        withButton->edit->setText(ToQ(cell.text));
        return;
    }
    if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
        edit->setText(ToQ(cell.text));
        return;
    }
    QStyledItemDelegate::setEditorData(editor, index);
}

void GridCellDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                    const QModelIndex& index) const {
    QString text;
    if (auto* box = qobject_cast<QComboBox*>(editor)) {
        if (box->currentIndex() < 0) {
            return;
        }
        // A list in columns shows the first column; the rules get the entry.
        const QVariant entry = box->currentData(kEntryRole);
        if (entry.isValid()) {
            model->setData(index, entry.toString(), Qt::EditRole);
            return;
        }
        text = box->currentData().toString();
    } else if (auto* withButton = dynamic_cast<ButtonLineEdit*>(editor)) {
        text = withButton->edit->text();
    } else if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
        text = edit->text();
    } else {
        QStyledItemDelegate::setModelData(editor, model, index);
        return;
    }
    // An unchanged cell is no edit: leaving a cell must not rerun its rules.
    if (text == model->data(index, Qt::EditRole).toString()) {
        return;
    }
    model->setData(index, text, Qt::EditRole);
}

void GridCellDelegate::destroyEditor(QWidget* editor, const QModelIndex& index) const {
    QStyledItemDelegate::destroyEditor(editor, index);
    if (auto* model = const_cast<GridTableModel*>(GridModel(index))) {
        model->EndEdit(index);
    }
}

void GridCellDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                            const QModelIndex& index) const {
    QStyledItemDelegate::updateEditorGeometry(editor, option, index);
    if (qobject_cast<QComboBox*>(editor)) {
        // A list cell may be narrower than its entries.
        editor->setMinimumWidth(option.rect.width());
    }
}

bool GridCellDelegate::editorEvent(QEvent* event, QAbstractItemModel* model,
                                   const QStyleOptionViewItem& option, const QModelIndex& index) {
    const auto* view = qobject_cast<const QAbstractItemView*>(option.widget);
    if (view && view->editTriggers() == QAbstractItemView::NoEditTriggers) {
        return false;
    }
    return QStyledItemDelegate::editorEvent(event, model, option, index);
}

} // namespace tavin

#include "editor/qt/GridTableModel.h"

#include <QColor>

#include <algorithm>

namespace tavin {

namespace {

// Single-byte texts: the transmitter speaks ASCII, the model keeps bytes.
QString ToQ(const std::string& s) {
    return QString::fromLatin1(s.data(), int(s.size()));
}

const QColor kGreyedBackground(0xE4, 0xE4, 0xE4);
const QColor kGreyedText(0x80, 0x80, 0x80);

} // namespace

GridTableModel::GridTableModel(GridRules& rules, QObject* parent)
    : QAbstractTableModel(parent), rules_(rules), rows_(rules.RowCount()),
      columns_(rules.ColumnCount()) {}

CellView GridTableModel::CellAt(const QModelIndex& index) const {
    if (!index.isValid() || index.row() >= rows_ || index.column() >= columns_) {
        return {};
    }
    return rules_.Cell(index.row(), index.column());
}

int GridTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int GridTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columns_;
}

QVariant GridTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rows_ || index.column() >= columns_) {
        return {};
    }
    const CellView cell = CellAt(index);
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        if (cell.kind == CellKind::Check) {
            return {};
        }
        return ToQ(cell.text);
    case Qt::CheckStateRole:
        if (cell.kind != CellKind::Check) {
            return {};
        }
        return cell.checked ? Qt::Checked : Qt::Unchecked;
    case Qt::BackgroundRole:
        if (cell.greyed) {
            return kGreyedBackground;
        }
        return {};
    case Qt::ForegroundRole:
        if (cell.greyed) {
            return kGreyedText;
        }
        return {};
    case Qt::ToolTipRole:
        if (cell.hint.empty()) {
            return {};
        }
        return ToQ(cell.hint);
    default:
        return {};
    }
}

QVariant GridTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) {
        return {};
    }
    if (orientation == Qt::Vertical) {
        return section + 1;
    }
    if (section < 0 || section >= columns_) {
        return {};
    }
    return ToQ(rules_.Header(section));
}

Qt::ItemFlags GridTableModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    const CellView cell = CellAt(index);
    if (!cell.editable || rules_.ReadOnly()) {
        return f;
    }
    if (cell.kind == CellKind::Check) {
        return f | Qt::ItemIsUserCheckable;
    }
    return f | Qt::ItemIsEditable;
}

bool GridTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || rules_.ReadOnly()) {
        return false;
    }
    if (role == Qt::CheckStateRole) {
        const bool checked = value.toInt() == Qt::Checked;
        return EditCell(index.row(), index.column(), checked ? "1" : "0");
    }
    if (role != Qt::EditRole) {
        return false;
    }
    const QByteArray bytes = value.toString().toLatin1();
    return EditCell(index.row(), index.column(), std::string(bytes.constData(), bytes.size()));
}

bool GridTableModel::EditCell(int row, int column, const std::string& text) {
    if (row < 0 || row >= rows_ || column < 0 || column >= columns_ || rules_.ReadOnly()) {
        return false;
    }
    const CellView cell = rules_.Cell(row, column);
    if (!cell.editable) {
        return false;
    }
    const GridEditResult result = rules_.Edit(row, column, text);
    Apply(result);
    return result.accepted;
}

void GridTableModel::EndEdit(const QModelIndex& index) {
    if (!index.isValid() || index.row() >= rows_ || index.column() >= columns_) {
        return;
    }
    Apply(rules_.EndEdit(index.row(), index.column()));
}

void GridTableModel::Refresh() {
    if (rules_.RowCount() != rows_ || rules_.ColumnCount() != columns_) {
        beginResetModel();
        rows_ = rules_.RowCount();
        columns_ = rules_.ColumnCount();
        endResetModel();
        return;
    }
    if (rows_ > 0 && columns_ > 0) {
        emit dataChanged(index(0, 0), index(rows_ - 1, columns_ - 1));
        emit headerDataChanged(Qt::Horizontal, 0, columns_ - 1);
    }
}

void GridTableModel::Apply(const GridEditResult& result) {
    if (result.reshaped || rules_.RowCount() != rows_ || rules_.ColumnCount() != columns_) {
        Refresh();
        if (result.accepted) {
            emit RowsEdited(0, rows_ - 1);
        }
    } else if (result.firstRow >= 0 && rows_ > 0 && columns_ > 0) {
        const int first = std::min(result.firstRow, rows_ - 1);
        const int last = std::clamp(result.lastRow < 0 ? first : result.lastRow, first, rows_ - 1);
        emit dataChanged(index(first, 0), index(last, columns_ - 1));
        emit RowsEdited(first, last);
    }
    if (!result.message.empty()) {
        emit EditMessage(ToQ(result.message));
    }
    if (result.moveToRow >= 0) {
        emit MoveCursor(result.moveToRow, result.moveToColumn < 0 ? 0 : result.moveToColumn);
    }
}

} // namespace tavin

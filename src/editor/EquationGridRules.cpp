#include "editor/EquationGridRules.h"

#include "editor/SensorCells.h"
#include "editor/SensorGridTexts.h"

namespace tavin {

int EquationGridRules::RowCount() const {
    return static_cast<int>(cfg_.Equations.size()) + 1;
}

std::string EquationGridRules::Header(int column) const {
    return column == kEquation ? "Equation" : "";
}

CellView EquationGridRules::Cell(int row, int column) const {
    if (row < 0 || row >= RowCount()) {
        return {};
    }
    if (column == kIndex) {
        return cells::Index(row);
    }
    CellView cell;
    cell.kind = CellKind::Button;
    cell.editable = true;
    if (row < static_cast<int>(cfg_.Equations.size())) {
        cell.text = cfg_.Equations[row];
    }
    return cells::Finish(std::move(cell), ReadOnly());
}

GridEditResult EquationGridRules::Edit(int row, int column, const std::string& text) {
    if (column != kEquation || row < 0 || row >= RowCount() || ReadOnly()) {
        return GridEditResult::Refused();
    }
    GridEditResult result = Store(row, text);
    if (result.accepted) {
        result.moveToRow = RowCount() - 1;
        result.moveToColumn = kEquation;
    }
    return result;
}

GridEditResult EquationGridRules::Store(int row, const std::string& text) {
    auto& list = cfg_.Equations;
    const int count = static_cast<int>(list.size());
    if (row < 0 || row > count) {
        return GridEditResult::Refused();
    }
    if (!cells::IsLineText(text)) {
        return GridEditResult::Refused(texts::kBadEquation);
    }
    if (text.empty()) {
        if (row == count) {
            return GridEditResult::Rows(row, row); // nothing typed on the new row
        }
        list.erase(list.begin() + row);
    } else if (row == count) {
        list.push_back(text);
    } else {
        list[row] = text;
    }
    GridEditResult result = GridEditResult::Rows(row, RowCount() - 1);
    result.reshaped = static_cast<int>(list.size()) != count;
    return result;
}

std::string EquationGridRules::EditorStartText(int row, const std::string& cellText) const {
    if (row >= 0 && row < static_cast<int>(cfg_.Equations.size())) {
        return cfg_.Equations[row];
    }
    return cellText;
}

GridEditResult EquationGridRules::EditorClosed(int row, bool ok, const std::string& text,
                                               const std::string& startText) {
    if (ReadOnly()) {
        return GridEditResult::Refused();
    }
    if (ok) {
        return Store(row, text);
    }
    if (startText.empty()) {
        return {};
    }
    return Store(row, startText);
}

} // namespace tavin

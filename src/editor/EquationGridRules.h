#pragma once
// The equation grid (`GridEquations`): one row per equation and one more,
// empty, for a new equation. An emptied row deletes its equation; the cell's
// button opens the equation editor, whose result comes back through
// EditorClosed.

#include "editor/GridRules.h"
#include "protocol/XmtrConfig.h"

namespace tavin {

class EquationGridRules : public GridRules {
public:
    enum Column { kIndex, kEquation, kColumnCount };

    explicit EquationGridRules(XmtrConfig& config) : cfg_(config) {}

    int RowCount() const override;
    int ColumnCount() const override { return kColumnCount; }
    std::string Header(int column) const override;
    CellView Cell(int row, int column) const override;
    // Replaces, appends or (with an empty text) deletes the row's equation;
    // the cursor then goes to the row for a new equation.
    GridEditResult Edit(int row, int column, const std::string& text) override;

    // What the editor starts with for a row: its equation, or on the last
    // row the text being typed there.
    std::string EditorStartText(int row, const std::string& cellText) const;
    // The editor closed: OK stores its text (empty deletes), Cancel puts a
    // non-empty starting text back.
    GridEditResult EditorClosed(int row, bool ok, const std::string& text,
                                const std::string& startText);

private:
    GridEditResult Store(int row, const std::string& text);

    XmtrConfig& cfg_;
};

} // namespace tavin

#pragma once
// The "Equations" page: one row per equation and one for a new one. The
// button of a cell asks the window for the equation editor, whose result
// comes back through EditorClosed.

#include "editor/EquationGridRules.h"

#include <QWidget>

namespace tavin {

class GridView;
class Prompter;

class EquationsPage : public QWidget {
    Q_OBJECT
public:
    EquationsPage(XmtrConfig& config, QWidget* page);

    void SetPrompter(Prompter* prompter);
    GridView& Grid() { return *grid_; }
    EquationGridRules& Rules() { return rules_; }
    // RefreshEquationGrid.
    void Refresh();
    // GridEquationsButtonClick for `row`: what the editor starts with.
    std::string EditorStartText(int row) const;
    // The editor opened for `row` with `startText` has closed.
    void EditorClosed(int row, bool ok, const std::string& text, const std::string& startText);

signals:
    // The cell button of `row` was pressed.
    void EditorRequested(int row);
    void TableEdited();

private:
    EquationGridRules rules_;
    GridView* grid_ = nullptr;
};

} // namespace tavin

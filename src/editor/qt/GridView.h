#pragma once
// A grid of the main window: a table view over a grid's rules with the
// shared model and delegate. Messages of the rules ("Invalid Time") go to
// the page through the Prompter it is given.

#include <QTableView>

namespace tavin {

class GridCellDelegate;
class GridRules;
class GridTableModel;
class Prompter;

class GridView : public QTableView {
    Q_OBJECT
public:
    GridView(GridRules& rules, const char* objectName, QWidget* parent = nullptr);

    GridTableModel& Model() { return *model_; }
    GridCellDelegate& Delegate() { return *delegate_; }
    // Who shows a refused edit's message; none = the message is dropped.
    void SetPrompter(Prompter* prompter) { prompter_ = prompter; }
    // Re-reads every cell from the rules.
    void RefreshGrid();
    // A read-only grid shows its cells but takes no edit, not even a tick.
    void SetReadOnly(bool readOnly);
    bool IsReadOnly() const;

private:
    GridTableModel* model_ = nullptr;
    GridCellDelegate* delegate_ = nullptr;
    Prompter* prompter_ = nullptr;
    QAbstractItemView::EditTriggers editTriggers_;
};

} // namespace tavin

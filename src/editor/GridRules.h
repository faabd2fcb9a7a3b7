#pragma once
// What every editable grid of the main window is to its view: a table of
// cells, each described completely by plain code (kind, editability, grey,
// shown text, offered entries), and one edit operation that changes the
// configuration and says which rows it touched. The Qt adapter and the
// per-kind delegates only display these descriptions and pass edits back, so
// every rule of a grid is tested without a display.

#include <string>
#include <utility>
#include <vector>

namespace tavin {

enum class CellKind {
    Text,   // free text, limited by maxLength when it is not 0
    Check,  // a tick; edits pass "1" or "0"
    List,   // one of entries; edits pass the chosen entry's text
    Time,   // "hh:mm:ss" typed through a "99:99:99" mask
    Button, // text with a button that opens a dialog of the page
};

struct CellView {
    CellKind kind = CellKind::Text;
    bool editable = false;
    // Shown in the grid's disabled colour (a cell that does not apply).
    bool greyed = false;
    std::string text;
    bool checked = false;
    std::vector<std::string> entries;
    // A list whose entries are shown in columns (the sensor lists).
    int listColumns = 1;
    // The second column of a two-column list, one per entry (may be empty
    // or shorter than entries): shown beside the entry, never passed back.
    std::vector<std::string> entryDetails;
    int maxLength = 0;
    // Shown as the cell's tool tip.
    std::string hint;
};

struct GridEditResult {
    // False when the edit was refused and nothing changed.
    bool accepted = false;
    // The rows whose cells may show something else now (inclusive; -1 when
    // none). An edit may change neighbours: an appended value copies its
    // parent, a deleted sensor moves the rows under it up.
    int firstRow = -1;
    int lastRow = -1;
    // The row count may have changed (rows shown by a feature switch).
    bool reshaped = false;
    // A message for the user ("Invalid Time"), empty when none.
    std::string message;
    // Where the cursor goes next when the rules move it (-1 = stays).
    int moveToRow = -1;
    int moveToColumn = -1;

    static GridEditResult Refused(std::string why = {}) {
        GridEditResult r;
        r.message = std::move(why);
        return r;
    }
    static GridEditResult Rows(int first, int last) {
        GridEditResult r;
        r.accepted = true;
        r.firstRow = first;
        r.lastRow = last;
        return r;
    }
};

class GridRules {
public:
    virtual ~GridRules() = default;
    virtual int RowCount() const = 0;
    virtual int ColumnCount() const = 0;
    virtual std::string Header(int column) const = 0;
    virtual CellView Cell(int row, int column) const = 0;
    // Applies what the user typed or chose in a cell. A check cell passes
    // "1" or "0"; a list cell the entry's text.
    virtual GridEditResult Edit(int row, int column, const std::string& text) = 0;
    // Called when the editor of a cell closes (the end of an edit), for the
    // rules that act only then (an SDI-12 address left empty deletes the
    // sensor). Default: nothing.
    virtual GridEditResult EndEdit(int /*row*/, int /*column*/) { return {}; }
    // The grid accepts edits at all (a page disabled by the mode is not).
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }

private:
    bool readOnly_ = false;
};

} // namespace tavin

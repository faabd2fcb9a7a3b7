#pragma once
// The ARGOS/SCD data pack grid (`GridARGOSSCDDatapak`): the 48 field widths
// in bits of an ARGOS message, shown as 6 rows of 8 after a read-only column
// with the number of each row's first field. Entry e sits in row e / 8 and
// column e % 8 + 1; an empty (0) entry shows as an empty cell.

#include "editor/GridRules.h"
#include "protocol/XmtrConfig.h"

namespace tavin {

inline constexpr int kDataPackRows = 6;
inline constexpr int kDataPackColumns = 9;

class DataPackGridRules : public GridRules {
public:
    explicit DataPackGridRules(XmtrConfig& cfg);

    int RowCount() const override { return kDataPackRows; }
    int ColumnCount() const override { return kDataPackColumns; }
    std::string Header(int column) const override;
    CellView Cell(int row, int column) const override;
    // Digits store their value (a width up to 255); anything else empties
    // the entry.
    GridEditResult Edit(int row, int column, const std::string& text) override;

    // The entry of a cell, or -1 for the first column or outside the grid.
    static int EntryAt(int row, int column);

    // "Insert": only with RS-232 data; the entries from the cell's on move
    // one place further (the last is dropped) and the cell's becomes empty.
    GridEditResult Insert(int row, int column);
    // "Clean Up": the widths to the front in their order, the rest empty.
    GridEditResult CleanUp();

private:
    XmtrConfig& cfg_;
};

} // namespace tavin

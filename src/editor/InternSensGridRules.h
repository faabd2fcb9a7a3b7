#pragma once
// The internal sensor grid (`GridInternSens`): the type list by the feature
// switches (with the clock and one entry per equation on the extended
// firmware), the clock row's own list of time formats, the edits, "Insert"
// and "Clean Up".

#include "editor/GridRules.h"
#include "protocol/XmtrConfig.h"

#include <string_view>
#include <vector>

namespace tavin {

class TUtilityControl;

class InternSensGridRules : public GridRules {
public:
    enum Column {
        kIndex,
        kLabel,
        kType,
        kInterval,
        kOffset,
        kDelta,
        kLogRate,
        kTrig,
        kColumnCount
    };

    InternSensGridRules(XmtrConfig& config, const TUtilityControl& utility)
        : cfg_(config), utility_(utility) {}

    // 64 rows with the extended tables, else 5.
    int RowCount() const override;
    int ColumnCount() const override { return kColumnCount; }
    std::string Header(int column) const override;
    CellView Cell(int row, int column) const override;
    GridEditResult Edit(int row, int column, const std::string& text) override;

    // The Trig column applies with sensor triggers or the extended tables.
    bool TrigColumnShown() const;
    // The names the Type list offers.
    std::vector<std::string> TypeEntries() const;

    // "Insert" with the grid's current row: the rows from it move down one
    // place; the opened row copies the row above it, or is a free row on
    // row 0. Refused when no row is free.
    GridEditResult Insert(int currentRow);
    // "Clean Up": the free rows between the sensors go to the end, the
    // sensors keep their order and labels.
    GridEditResult CleanUp();

private:
    XmtrConfig& cfg_;
    const TUtilityControl& utility_;
};

// The name a type code shows ("TM" "Temp", "E3" "EQN3", "2" "Count").
std::string InternTypeName(std::string_view code);

} // namespace tavin

#pragma once
// The min/max/average grid (`GridMinMaxAvg`): 64 rows, each naming an SDI-12
// or internal sensor by its label, its own interval and offset, and which of
// minimum, maximum, average and vector average to log. The Sensor list has
// two columns: the label and which table and row it comes from.

#include "editor/GridRules.h"
#include "protocol/XmtrConfig.h"

#include <vector>

namespace tavin {

struct TGlbIni;
class TUtilityControl;

class MinMaxAvgGridRules : public GridRules {
public:
    enum Column { kIndex, kSensor, kInterval, kOffset, kMin, kMax, kAvg, kVec, kColumnCount };

    // Between the two columns of a Sensor entry.
    static constexpr char kColumnSeparator = '\t';

    MinMaxAvgGridRules(XmtrConfig& config, const TUtilityControl& utility, const TGlbIni& ini)
        : cfg_(config), utility_(utility), ini_(ini) {}

    int RowCount() const override { return kMinMaxAvgRows; }
    int ColumnCount() const override { return kColumnCount; }
    std::string Header(int column) const override;
    CellView Cell(int row, int column) const override;
    // Choosing "None" for a row in the middle removes it and moves the rows
    // under it up: the transmitter takes the table only up to its first
    // free row, so a gap would silently drop the rows after it.
    GridEditResult Edit(int row, int column, const std::string& text) override;

    // The "Vec" column applies with vector averages.
    bool VecColumnShown() const;
    // "None", then the SDI-12 sensors in use and the internal sensors with a
    // type, as the preferences "SDI12Visible" and "InternalTabVisible" allow:
    // "label" + kColumnSeparator + "SDI-12 : n" or "Internal : n".
    std::vector<std::string> SensorEntries() const;

private:
    std::string SensorLabel(const TSensorMMA& r) const;

    XmtrConfig& cfg_;
    const TUtilityControl& utility_;
    const TGlbIni& ini_;
};

} // namespace tavin

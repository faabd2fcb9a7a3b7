#pragma once
// The SDI-12 sensor grid (`GridSDI12`): which cells of a row apply in each of
// its four states (not enabled, enabled and free, a sensor, an appended
// value), what every edit does to the table, "Insert", and the deletion of a
// sensor whose address is cleared. Sensors are entered from the top down:
// a row becomes enabled when the row above is put in use, and the rows in
// use stay contiguous from row 0.

#include "editor/GridRules.h"
#include "protocol/XmtrConfig.h"

namespace tavin {

struct TGlbIni;
class TUtilityControl;

class SDI12GridRules : public GridRules {
public:
    enum Column {
        kIndex,
        kLabel,
        kAppend,
        kAddress,
        kMeasurement,
        kValue,
        kInterval,
        kOffset,
        kDelta,
        kLogRate,
        kTrig,
        kColumnCount
    };

    SDI12GridRules(XmtrConfig& config, const TUtilityControl& utility, const TGlbIni& ini)
        : cfg_(config), utility_(utility), ini_(ini) {}

    // 64 rows with the extended tables, else 10.
    int RowCount() const override;
    int ColumnCount() const override { return kColumnCount; }
    std::string Header(int column) const override;
    CellView Cell(int row, int column) const override;
    GridEditResult Edit(int row, int column, const std::string& text) override;
    // An address left empty (or refused) deletes the sensor.
    GridEditResult EndEdit(int row, int column) override;

    // The Trig column applies with sensor triggers or the extended tables.
    bool TrigColumnShown() const;

    // "Insert" with the grid's current row: opens a place at that row and
    // moves the rows from it down by one. Refused when the last row is in
    // use (nothing may fall off the table) or the row lies below the
    // enabled rows.
    GridEditResult Insert(int currentRow);

    // Deletes sensor k: the rows under it move up one place.
    GridEditResult DeleteSensor(int k);

private:
    enum class RowState { NotEnabled, Free, Sensor, Appended };
    RowState StateOf(int row) const;
    bool AppendOffered(int row) const;
    bool AddressAccepted(const std::string& text) const;
    CellView DataCell(int row, int column) const;

    GridEditResult EditAppend(int k, bool checked);
    GridEditResult EditAddress(int k, const std::string& text);
    GridEditResult EditMeasurement(int k, const std::string& text);

    XmtrConfig& cfg_;
    const TUtilityControl& utility_;
    const TGlbIni& ini_;
};

// For record n, the nearest record above it that is not an appended value,
// searching from n-1 down to 1; 0 when there is none or n is 0.
int SDI12GetParentRow(const XmtrConfig& cfg, int n);

} // namespace tavin

#pragma once
// The random trigger grid (`GridRandomTriggers`): up to 30 events that start
// a random transmission, each a trigger type, the sensor it watches and a
// limit.

#include "editor/GridRules.h"
#include "protocol/ParseContext.h"
#include "protocol/XmtrConfig.h"

#include <string>
#include <vector>

namespace tavin {

enum RandomTriggerColumn {
    kRtCode = 0,
    kRtType = 1,
    kRtSensor = 2,
    kRtLimit = 3,
    kRtColumnCount = 4,
};

// An entry of the trigger grid's Sensor list: the label and "SDI-12 : n" or
// "Internal : n"; the first entry is empty.
struct TriggerSensorEntry {
    std::string Label;
    std::string Kind;
    char SensorType = '\0';
    int Index = 0;
};

// The record an "Insert" leaves: no type, and a sensor kind "C" that marks
// it as not filled in yet.
TRandomTrigger InsertedTrigger();

class RandomTriggerGridRules : public GridRules {
public:
    RandomTriggerGridRules(XmtrConfig& cfg, const ParseContext& ctx);

    int RowCount() const override;
    int ColumnCount() const override { return kRtColumnCount; }
    std::string Header(int column) const override;
    CellView Cell(int row, int column) const override;
    // Type and Sensor take a list entry (or a typed text); Limit a number.
    GridEditResult Edit(int row, int column, const std::string& text) override;
    // A list closed (`GridRandomTriggersComboRollUp`): from this record on,
    // records still marked as not filled in are removed.
    GridEditResult EndEdit(int row, int column) override;

    // The Type list: "None" and the seven trigger types.
    static const std::vector<std::string>& TypeList();
    // The Sensor list of a record.
    std::vector<TriggerSensorEntry> SensorList(int row) const;

    GridEditResult ChooseType(int row, const std::string& name);
    GridEditResult ChooseSensor(int row, const TriggerSensorEntry& entry);
    GridEditResult RemoveUnfilled(int fromRow);

    // "Insert" at a row of the rows shown; "Clean Up" over them.
    GridEditResult Insert(int row);
    GridEditResult CleanUp();

private:
    TRandomTrigger& At(int row) const { return cfg_.RandomTriggers[static_cast<std::size_t>(row)]; }

    XmtrConfig& cfg_;
    const ParseContext& ctx_;
};

} // namespace tavin

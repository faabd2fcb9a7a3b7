#pragma once
// The timed and random data buffer grids (`GridTimedDataFormat`,
// `GridRandomDataFormat`): one row per message field, a header item, a text
// or a sensor value, with its value count, width, record flags and scaling.
// The rules read and write the model's format tables directly, so what the
// grid shows is always what a send or a file save would carry.

#include "editor/GridRules.h"
#include "protocol/ParseContext.h"
#include "protocol/XmtrConfig.h"

#include <span>
#include <string>
#include <vector>

namespace tavin {

// Columns of both data format grids.
enum DataFormatColumn {
    kDfType = 0,
    kDfValueCount = 1,
    kDfFieldWidth = 2,
    kDfFlags = 3,
    kDfSlope = 4,
    kDfOffset = 5,
    kDfColumnCount = 6,
};

// One entry of a grid's Type list: the two columns the list shows, and the
// row type and item index that choosing it stores.
struct DataFormatTypeEntry {
    std::string Name;
    std::string Kind;
    char Type = 'C';
    int Index = -1;

    bool operator==(const DataFormatTypeEntry&) const = default;
};

// What the "Record Format Flags" dialog opens with for one row.
struct DataFormatFlagsInput {
    std::string Flags;  // upper case
    int DataFormat = 0; // 0 ASCII, 1 Pseudo, 2 Binary
    char RowType = 'C';
    int ItemIndex = 0;
};

// The label a sensor row shows in the format grids, the trigger grid and
// their lists: its own label, or "SDI"/"INT" and the row number when it has
// none.
std::string SensorListLabel(const XmtrConfig& cfg, char kind, int index);
// The SDI-12 and internal rows the lists offer, as (kind, index): SDI-12
// rows in use among 0-63 (0-9 without extended tables), then internal rows
// whose type is set among 0-63 (0-4). A kind whose preference hides its
// page is left out.
std::vector<std::pair<char, int>> SensorListRows(const XmtrConfig& cfg, const ParseContext& ctx);

class DataFormatGridRules : public GridRules {
public:
    // buffer: kTimedBuffer or kRandomBuffer (protocol/HeaderFieldWidth.h).
    DataFormatGridRules(XmtrConfig& cfg, const ParseContext& ctx, int buffer);

    int RowCount() const override;
    int ColumnCount() const override { return kDfColumnCount; }
    std::string Header(int column) const override;
    CellView Cell(int row, int column) const override;
    GridEditResult Edit(int row, int column, const std::string& text) override;

    bool IsRandom() const { return random_; }
    const XmtrConfig& Config() const { return cfg_; }
    // The buffer's data format (0 ASCII, 1 Pseudo, 2 Binary) and source (0
    // RS-232, 1 Sensor).
    int DataFormat() const;
    int DataSource() const;
    // Slope and Offset are shown only for a Pseudo or Binary buffer.
    bool ScalingShown() const { return DataFormat() != 0; }

    // `GridDataFormatComboDropDown`: the Type list as it is now.
    std::vector<DataFormatTypeEntry> TypeList() const;
    // `GridTimedDataFormatComboGetValue` / `GridRandomDataFormatComboGetValue`.
    GridEditResult ChooseType(int row, char type, int index);

    // Header rows take value count 1 and the header's width as the buffer's
    // format gives it (run by the grid's refresh).
    void NormalizeHeaderRows();

    // "Insert" at a row: that row becomes empty and the rows below move down;
    // the table's last row is dropped.
    GridEditResult Insert(int row);
    // "Clean Up": closes the gaps, keeping the order of the items.
    GridEditResult CleanUp();

    // The Flags cell's button.
    DataFormatFlagsInput FlagsInput(int row) const;

private:
    std::span<TDataFormatRow> Table() const;
    // The rows Insert works within: all 100 timed rows; 40 random rows with
    // extended tables, else 20.
    int InsertRows() const;
    bool Extended() const;
    GridEditResult EditValueCount(TDataFormatRow& r, int row, const std::string& text);
    GridEditResult EditFieldWidth(TDataFormatRow& r, int row, const std::string& text);

    XmtrConfig& cfg_;
    const ParseContext& ctx_;
    bool random_;
};

} // namespace tavin

#include "editor/DataFormatGridRules.h"

#include "editor/CellTexts.h"
#include "protocol/CommandLine.h"
#include "protocol/GlbIni.h"
#include "protocol/HeaderFieldWidth.h"
#include "protocol/UtilityControl.h"
#include "protocol/ValueForms.h"

#include <algorithm>
#include <cctype>

namespace tavin {

namespace {

// The header names as the grid shows them; the Type list says "Tx Rev Pwr"
// for item 6 (kHeaderFieldNames).
constexpr const char* kHeaderGridNames[kHeaderFieldCount] = {
    "Platform ID", "Pseudo-Bin 1", "Pseudo-Bin 2", "Seq Num",   "Tx Batt Volts", "Tx Fwd Pwr",
    "Tx Ref Pwr",  "Tx Temp",      "Latitude",     "Longitude", "Trigger Code"};

constexpr int kShownRowsCompact = 20;

// Slope and offset a header item gets when it is chosen: the transmitter
// scales battery volts and the power and temperature readings itself.
void HeaderScaling(int item, double& slope, double& offset) {
    slope = 0;
    offset = 0;
    if (item == 4) {
        slope = 10;
        offset = -9;
    } else if (item >= 5 && item <= 7) {
        slope = 10;
    }
}

TDataFormatRow ClearedKeepingText(const TDataFormatRow& r) {
    TDataFormatRow c;
    c.Text = r.Text;
    return c;
}

std::string ValueCountText(const TDataFormatRow& r, bool letters) {
    std::string t = FormatInt(r.ValueCount);
    if (letters) {
        if (r.StatFlags & kStatMin) {
            t += 'N';
        }
        if (r.StatFlags & kStatMax) {
            t += 'X';
        }
        if (r.StatFlags & kStatAvg) {
            t += 'G';
        }
    }
    return t;
}

} // namespace

std::string SensorListLabel(const XmtrConfig& cfg, char kind, int index) {
    if (kind == 'S' && index >= 0 && index < kSDI12Rows) {
        const std::string& label = cfg.SDI12[static_cast<std::size_t>(index)].Label;
        return label.empty() ? "SDI" + FormatInt(index) : label;
    }
    if (kind == 'I' && index >= 0 && index < kInternRows) {
        const std::string& label = cfg.Internal[static_cast<std::size_t>(index)].Label;
        return label.empty() ? "INT" + FormatInt(index) : label;
    }
    return {};
}

std::vector<std::pair<char, int>> SensorListRows(const XmtrConfig& cfg, const ParseContext& ctx) {
    const bool extended = ctx.Utility != nullptr && ctx.Utility->ExtendedTables();
    std::vector<std::pair<char, int>> rows;
    if (ctx.Ini == nullptr || ctx.Ini->SDI12Visible) {
        const int last = extended ? kSDI12Rows : kMinSDI12Count;
        for (int i = 0; i < last; ++i) {
            if (cfg.SDI12[static_cast<std::size_t>(i)].IsDefined()) {
                rows.emplace_back('S', i);
            }
        }
    }
    if (ctx.Ini == nullptr || ctx.Ini->InternalTabVisible) {
        const int last = extended ? kInternRows : kMinInternCount;
        for (int i = 0; i < last; ++i) {
            if (cfg.Internal[static_cast<std::size_t>(i)].IsDefined()) {
                rows.emplace_back('I', i);
            }
        }
    }
    return rows;
}

DataFormatGridRules::DataFormatGridRules(XmtrConfig& cfg, const ParseContext& ctx, int buffer)
    : cfg_(cfg), ctx_(ctx), random_(buffer == kRandomBuffer) {}

bool DataFormatGridRules::Extended() const {
    return ctx_.Utility != nullptr && ctx_.Utility->ExtendedTables();
}

std::span<TDataFormatRow> DataFormatGridRules::Table() const {
    if (random_) {
        return {cfg_.RandomData.data(), cfg_.RandomData.size()};
    }
    return {cfg_.TimedData.data(), cfg_.TimedData.size()};
}

int DataFormatGridRules::RowCount() const {
    if (!Extended()) {
        return kShownRowsCompact;
    }
    return random_ ? kRandomDataRows : kTimedDataRows;
}

int DataFormatGridRules::InsertRows() const {
    return random_ ? (Extended() ? kRandomDataRows : kShownRowsCompact) : kTimedDataRows;
}

int DataFormatGridRules::DataFormat() const {
    return random_ ? cfg_.RandomTx.DataFormat : cfg_.TimedTx.DataFormat;
}

int DataFormatGridRules::DataSource() const {
    return random_ ? cfg_.RandomTx.DataSource : cfg_.TimedTx.DataSource;
}

std::string DataFormatGridRules::Header(int column) const {
    static constexpr const char* kHeaders[kDfColumnCount] = {"Type",  "Value Count", "Field Width",
                                                             "Flags", "Slope",       "Offset"};
    return column >= 0 && column < kDfColumnCount ? kHeaders[column] : std::string();
}

std::vector<DataFormatTypeEntry> DataFormatGridRules::TypeList() const {
    std::vector<DataFormatTypeEntry> list;
    list.push_back({"None", "", 'C', -1});
    for (int i = 0; i <= 9; ++i) {
        list.push_back({kHeaderFieldNames[static_cast<std::size_t>(i)], "Header", 'H', i});
    }
    const bool sensor = DataSource() == 1;
    if (random_ && sensor) {
        list.push_back({kHeaderFieldNames[10], "Header", 'H', 10});
    }
    list.push_back({"Text", "User Defined", 'T', 0});
    if (sensor) {
        for (const auto& [kind, index] : SensorListRows(cfg_, ctx_)) {
            list.push_back({SensorListLabel(cfg_, kind, index),
                            (kind == 'S' ? "SDI-12 : " : "Internal : ") + FormatInt(index), kind,
                            index});
        }
    }
    return list;
}

CellView DataFormatGridRules::Cell(int row, int column) const {
    CellView v;
    if (row < 0 || row >= RowCount() || column < 0 || column >= kDfColumnCount) {
        return v;
    }
    const TDataFormatRow& r = Table()[static_cast<std::size_t>(row)];
    const bool scaling = column == kDfSlope || column == kDfOffset;
    const auto shown = [&](std::string text, bool editable) {
        v.text = std::move(text);
        v.editable = editable && !ReadOnly();
        v.greyed = !editable;
    };
    if (column == kDfType) {
        v.kind = CellKind::List;
        v.listColumns = 2;
        for (const DataFormatTypeEntry& e : TypeList()) {
            v.entries.push_back(e.Name);
            v.entryDetails.push_back(e.Kind);
        }
        std::string name = "None";
        if (r.SourceType == 'H') {
            name = r.SourceIndex < kHeaderFieldCount ? kHeaderGridNames[r.SourceIndex] : "";
        } else if (r.SourceType == 'T') {
            name = "Text";
        } else if (r.SourceType == 'S' || r.SourceType == 'I') {
            name = SensorListLabel(cfg_, r.SourceType, r.SourceIndex);
        }
        shown(name, true);
        return v;
    }
    if (column == kDfFlags) {
        v.kind = CellKind::Button;
        shown(r.Flags, true);
        return v;
    }
    switch (r.SourceType) {
    case 'H':
        if (column == kDfValueCount) {
            shown("1", false);
        } else if (column == kDfFieldWidth) {
            shown(FormatInt(GetHeaderFieldWidth(cfg_, random_ ? kRandomBuffer : kTimedBuffer,
                                                r.SourceIndex)),
                  false);
        } else if (r.SourceIndex >= 4 && r.SourceIndex <= 7) {
            shown(FormatReal(column == kDfSlope ? r.Slope : r.Offset), false);
        } else {
            shown("", false);
        }
        break;
    case 'T':
        if (column == kDfValueCount) {
            shown(r.Text, true);
            v.maxLength = 10;
        } else {
            shown("", false);
        }
        break;
    case 'S':
    case 'I':
        if (column == kDfValueCount) {
            shown(ValueCountText(r, Extended()), true);
        } else if (column == kDfFieldWidth) {
            shown(FormatInt(r.FieldWidth), true);
        } else {
            shown(FormatReal(column == kDfSlope ? r.Slope : r.Offset), true);
        }
        break;
    default:
        // An empty row shows what was typed into it before a type was chosen.
        if (column == kDfValueCount) {
            shown(r.ValueCount || r.StatFlags ? ValueCountText(r, Extended()) : "", true);
        } else if (column == kDfFieldWidth) {
            shown(r.FieldWidth != 0 ? FormatInt(r.FieldWidth) : "", true);
        } else if (scaling) {
            const double value = column == kDfSlope ? r.Slope : r.Offset;
            shown(value != 0 ? FormatReal(value) : "", true);
        }
        break;
    }
    return v;
}

void DataFormatGridRules::NormalizeHeaderRows() {
    const int buffer = random_ ? kRandomBuffer : kTimedBuffer;
    for (TDataFormatRow& r : Table()) {
        if (r.SourceType == 'H') {
            r.ValueCount = 1;
            r.FieldWidth = GetHeaderFieldWidth(cfg_, buffer, r.SourceIndex);
        }
    }
}

GridEditResult DataFormatGridRules::ChooseType(int row, char type, int index) {
    if (ReadOnly() || row < 0 || row >= RowCount()) {
        return GridEditResult::Refused();
    }
    TDataFormatRow& r = Table()[static_cast<std::size_t>(row)];
    // The new row takes what its cells show now, as the user sees them.
    const std::string countCell = Cell(row, kDfValueCount).text;
    const std::string widthCell = Cell(row, kDfFieldWidth).text;
    const std::string flagsCell = Cell(row, kDfFlags).text;
    const std::string slopeCell = Cell(row, kDfSlope).text;
    const std::string offsetCell = Cell(row, kDfOffset).text;
    const int buffer = random_ ? kRandomBuffer : kTimedBuffer;
    TDataFormatRow n;
    switch (type) {
    case 'H':
        if (index < 0 || index >= kHeaderFieldCount) {
            break;
        }
        n.SourceType = 'H';
        n.SourceIndex = static_cast<std::uint8_t>(index);
        n.ValueCount = 1;
        n.Flags = flagsCell;
        HeaderScaling(index, n.Slope, n.Offset);
        n.FieldWidth = GetHeaderFieldWidth(cfg_, buffer, index);
        break;
    case 'T':
        n.SourceType = 'T';
        n.Text = countCell.substr(0, std::min<std::size_t>(countCell.size(), 10));
        if (!random_) {
            n.Flags = flagsCell;
        }
        break;
    case 'S':
    case 'I': {
        if (index < 0 || index >= (type == 'S' ? kSDI12Rows : kInternRows)) {
            break;
        }
        n = r;
        n.SourceType = type;
        n.SourceIndex = static_cast<std::uint8_t>(index);
        const std::string count = r.ValueCount == 0 ? "1" : countCell;
        const std::string width = r.FieldWidth < 1 ? "1" : widthCell;
        std::int32_t value = 0;
        if (IsDigitsOnly(count) && ReadUnsigned(count, value) && value <= 255) {
            n.ValueCount = static_cast<std::uint8_t>(value);
        }
        if (IsDigitsOnly(width) && ReadUnsigned(width, value)) {
            n.FieldWidth = value;
        }
        n.Flags = flagsCell;
        double real = 0;
        if (ReadScalingText(slopeCell, real)) {
            n.Slope = real;
        }
        if (ReadScalingText(offsetCell, real)) {
            n.Offset = real;
        }
        break;
    }
    default:
        break;
    }
    if (n.SourceType == 'C') {
        n = TDataFormatRow{};
    }
    r = n;
    return GridEditResult::Rows(row, row);
}

GridEditResult DataFormatGridRules::Edit(int row, int column, const std::string& text) {
    if (ReadOnly() || row < 0 || row >= RowCount()) {
        return GridEditResult::Refused();
    }
    TDataFormatRow& r = Table()[static_cast<std::size_t>(row)];
    switch (column) {
    case kDfType:
        for (const DataFormatTypeEntry& e : TypeList()) {
            if (e.Name == text || (!e.Kind.empty() && e.Kind == text)) {
                return ChooseType(row, e.Type, e.Index);
            }
        }
        return GridEditResult::Refused();
    case kDfValueCount:
        if (r.SourceType == 'H') {
            return GridEditResult::Refused();
        }
        return EditValueCount(r, row, text);
    case kDfFieldWidth:
        if (r.SourceType == 'H' || r.SourceType == 'T') {
            return GridEditResult::Refused();
        }
        return EditFieldWidth(r, row, text);
    case kDfFlags:
        r.Flags = UpperCase(text);
        return GridEditResult::Rows(row, row);
    case kDfSlope:
    case kDfOffset: {
        if (r.SourceType == 'H' || r.SourceType == 'T') {
            return GridEditResult::Refused();
        }
        double value = 0;
        if (!ReadScalingText(text, value)) {
            return GridEditResult::Refused();
        }
        (column == kDfSlope ? r.Slope : r.Offset) = value;
        return GridEditResult::Rows(row, row);
    }
    default:
        return GridEditResult::Refused();
    }
}

GridEditResult DataFormatGridRules::EditValueCount(TDataFormatRow& r, int row,
                                                   const std::string& text) {
    if (r.SourceType == 'T') {
        r.Text = text.substr(0, std::min<std::size_t>(text.size(), 10));
        return GridEditResult::Rows(row, row);
    }
    std::string rest;
    std::uint8_t flags = 0;
    for (char c : text) {
        switch (std::toupper(static_cast<unsigned char>(c))) {
        case 'N':
            flags |= kStatMin;
            break;
        case 'X':
            flags |= kStatMax;
            break;
        case 'G':
            flags |= kStatAvg;
            break;
        default:
            rest += c;
            break;
        }
    }
    r.StatFlags = flags;
    std::int32_t value = 0;
    if (IsDigitsOnly(rest) && ReadUnsigned(rest, value) && value <= 255) {
        r.ValueCount = static_cast<std::uint8_t>(value);
    }
    return GridEditResult::Rows(row, row);
}

GridEditResult DataFormatGridRules::EditFieldWidth(TDataFormatRow& r, int row,
                                                   const std::string& text) {
    // Negative widths are signed binary fields: only a binary-coded buffer
    // has them.
    const bool signedAllowed = DataFormat() != 0;
    bool onlyDashes = true;
    for (char c : text) {
        const bool digit = c >= '0' && c <= '9';
        if (!digit && !(signedAllowed && c == '-')) {
            return GridEditResult::Refused();
        }
        if (c != '-' && c != ' ') {
            onlyDashes = false;
        }
    }
    std::int32_t value = 0;
    if (text.empty() || onlyDashes || !ReadSigned(text, value)) {
        return GridEditResult::Refused();
    }
    r.FieldWidth = value;
    return GridEditResult::Rows(row, row);
}

GridEditResult DataFormatGridRules::Insert(int row) {
    const int rows = InsertRows();
    if (ReadOnly() || row < 0 || row >= rows) {
        return GridEditResult::Refused();
    }
    auto table = Table();
    for (int i = rows - 1; i > row; --i) {
        table[static_cast<std::size_t>(i)] = table[static_cast<std::size_t>(i - 1)];
    }
    TDataFormatRow& r = table[static_cast<std::size_t>(row)];
    r = ClearedKeepingText(r);
    return GridEditResult::Rows(row, std::min(rows, RowCount()) - 1);
}

GridEditResult DataFormatGridRules::CleanUp() {
    if (ReadOnly()) {
        return GridEditResult::Refused();
    }
    auto table = Table();
    const int rows = static_cast<int>(table.size());
    int first = -1;
    for (int i = 1; i < rows; ++i) {
        auto& here = table[static_cast<std::size_t>(i)];
        if (here.IsFree() || !table[static_cast<std::size_t>(i - 1)].IsFree()) {
            continue;
        }
        int to = i - 1;
        while (to > 0 && table[static_cast<std::size_t>(to - 1)].IsFree()) {
            --to;
        }
        table[static_cast<std::size_t>(to)] = here;
        here = ClearedKeepingText(here);
        if (first < 0) {
            first = to;
        }
    }
    if (first < 0 || first >= RowCount()) {
        // Nothing moved that the grid shows.
        GridEditResult none;
        none.accepted = true;
        return none;
    }
    return GridEditResult::Rows(first, RowCount() - 1);
}

DataFormatFlagsInput DataFormatGridRules::FlagsInput(int row) const {
    DataFormatFlagsInput in;
    in.DataFormat = DataFormat();
    if (row < 0 || row >= RowCount()) {
        return in;
    }
    const TDataFormatRow& r = Table()[static_cast<std::size_t>(row)];
    in.Flags = UpperCase(r.Flags);
    in.RowType = r.SourceType;
    in.ItemIndex = r.SourceIndex;
    return in;
}

} // namespace tavin

#include "editor/RandomTriggerGridRules.h"

#include "editor/CellTexts.h"
#include "editor/DataFormatGridRules.h"
#include "protocol/CommandLine.h"
#include "protocol/UtilityControl.h"

#include <cstdio>

namespace tavin {

namespace {

constexpr int kShownRowsCompact = 15;

// Trigger type letters and the names the grid shows.
struct TriggerName {
    char type;
    const char* name;
};
constexpr TriggerName kTriggerNames[] = {
    {'A', "Accum"},    {'D', "Delta"}, {'F', "Fall"}, {'H', "High"},
    {'I', "Interval"}, {'L', "Low"},   {'R', "Rise"},
};

std::string TriggerTypeName(char type) {
    for (const TriggerName& t : kTriggerNames) {
        if (t.type == type) {
            return t.name;
        }
    }
    return "None";
}

bool HasSensor(const TRandomTrigger& t) {
    return t.TriggerType != 'I' && !t.IsFree();
}

} // namespace

TRandomTrigger InsertedTrigger() {
    TRandomTrigger t;
    t.SensorType = 'C';
    return t;
}

RandomTriggerGridRules::RandomTriggerGridRules(XmtrConfig& cfg, const ParseContext& ctx)
    : cfg_(cfg), ctx_(ctx) {}

int RandomTriggerGridRules::RowCount() const {
    const bool extended = ctx_.Utility != nullptr && ctx_.Utility->ExtendedTables();
    return extended ? kRandomTriggerRows : kShownRowsCompact;
}

std::string RandomTriggerGridRules::Header(int column) const {
    static constexpr const char* kHeaders[kRtColumnCount] = {"Code", "Type", "Sensor", "Limit"};
    return column >= 0 && column < kRtColumnCount ? kHeaders[column] : std::string();
}

const std::vector<std::string>& RandomTriggerGridRules::TypeList() {
    static const std::vector<std::string> list = {"None", "Delta", "High",  "Low",
                                                  "Rise", "Fall",  "Accum", "Interval"};
    return list;
}

std::vector<TriggerSensorEntry> RandomTriggerGridRules::SensorList(int row) const {
    std::vector<TriggerSensorEntry> list{{}};
    if (row < 0 || row >= RowCount() || cfg_.RandomTx.DataSource != 1 ||
        At(row).TriggerType == 'I') {
        return list;
    }
    // Triggers watch any sensor in use, whichever sensor pages are shown.
    ParseContext all = ctx_;
    all.Ini = nullptr;
    for (const auto& [kind, index] : SensorListRows(cfg_, all)) {
        list.push_back({SensorListLabel(cfg_, kind, index),
                        (kind == 'S' ? "SDI-12 : " : "Internal : ") + FormatInt(index), kind,
                        index});
    }
    return list;
}

CellView RandomTriggerGridRules::Cell(int row, int column) const {
    CellView v;
    if (row < 0 || row >= RowCount() || column < 0 || column >= kRtColumnCount) {
        return v;
    }
    const TRandomTrigger& t = At(row);
    const bool editable = !ReadOnly();
    switch (column) {
    case kRtCode: {
        char code[16];
        std::snprintf(code, sizeof code, "%2.2d", row);
        v.text = code;
        break;
    }
    case kRtType:
        v.kind = CellKind::List;
        v.entries = TypeList();
        v.text = TriggerTypeName(t.TriggerType);
        v.editable = editable;
        break;
    case kRtSensor:
        if (!HasSensor(t)) {
            v.greyed = true;
            break;
        }
        v.kind = CellKind::List;
        v.listColumns = 2;
        for (const TriggerSensorEntry& e : SensorList(row)) {
            v.entries.push_back(e.Label);
            v.entryDetails.push_back(e.Kind);
        }
        if (t.SensorType == 'S' || t.SensorType == 'I') {
            v.text = SensorListLabel(cfg_, t.SensorType, t.SensorIndex);
        }
        v.editable = editable;
        break;
    case kRtLimit:
        v.text = t.IsFree() && t.Limit == 0 ? "" : FormatReal(t.Limit);
        v.editable = editable;
        break;
    default:
        break;
    }
    return v;
}

GridEditResult RandomTriggerGridRules::ChooseType(int row, const std::string& name) {
    if (ReadOnly() || row < 0 || row >= RowCount()) {
        return GridEditResult::Refused();
    }
    TRandomTrigger& t = At(row);
    const std::string word = UpperCase(name.substr(0, name.find(':')));
    if (word.empty() || word == "NONE") {
        t.SensorType = '\0';
        t.SensorIndex = 0;
        t.TriggerType = 'C';
        t.Limit = 0;
    } else {
        t.TriggerType = word[0];
        // A record given a type is filled in, even before its sensor is chosen.
        if (t.TriggerType == 'I' || t.SensorType == 'C') {
            t.SensorType = '\0';
            t.SensorIndex = 0;
        }
    }
    return GridEditResult::Rows(row, row);
}

GridEditResult RandomTriggerGridRules::ChooseSensor(int row, const TriggerSensorEntry& entry) {
    if (ReadOnly() || row < 0 || row >= RowCount() || !HasSensor(At(row))) {
        return GridEditResult::Refused();
    }
    if (entry.Kind.empty()) {
        return GridEditResult::Rows(row, row);
    }
    TRandomTrigger& t = At(row);
    t.SensorType = entry.SensorType;
    t.SensorIndex = static_cast<std::uint8_t>(entry.Index);
    return GridEditResult::Rows(row, row);
}

GridEditResult RandomTriggerGridRules::Edit(int row, int column, const std::string& text) {
    if (ReadOnly() || row < 0 || row >= RowCount()) {
        return GridEditResult::Refused();
    }
    TRandomTrigger& t = At(row);
    switch (column) {
    case kRtType:
        for (const std::string& name : TypeList()) {
            if (name == text) {
                return ChooseType(row, name);
            }
        }
        if (text.empty()) {
            return GridEditResult::Refused();
        }
        if (text[0] == 'N' || text[0] == 'n') {
            t.TriggerType = 'C';
        } else {
            t.TriggerType = UpperCase(text.substr(0, 1))[0];
            if (t.SensorType == 'C') {
                t.SensorType = '\0';
            }
        }
        return GridEditResult::Rows(row, row);
    case kRtSensor:
        for (const TriggerSensorEntry& e : SensorList(row)) {
            if (!e.Kind.empty() && (e.Label == text || e.Kind == text)) {
                return ChooseSensor(row, e);
            }
        }
        if (!HasSensor(t)) {
            return GridEditResult::Refused();
        }
        t.SensorType = text.empty() ? '\0' : UpperCase(text.substr(0, 1))[0];
        return GridEditResult::Rows(row, row);
    case kRtLimit: {
        double value = 0;
        if (!ReadScalingText(text, value)) {
            return GridEditResult::Refused();
        }
        t.Limit = value;
        return GridEditResult::Rows(row, row);
    }
    default:
        return GridEditResult::Refused();
    }
}

GridEditResult RandomTriggerGridRules::EndEdit(int row, int column) {
    if (column != kRtType && column != kRtSensor) {
        return {};
    }
    return RemoveUnfilled(row);
}

GridEditResult RandomTriggerGridRules::RemoveUnfilled(int fromRow) {
    const int rows = RowCount();
    if (ReadOnly() || fromRow < 0 || fromRow >= rows) {
        return {};
    }
    bool removed = false;
    int i = fromRow;
    int left = rows - fromRow; // every record is looked at once
    while (left-- > 0) {
        if (At(i).SensorType != 'C') {
            ++i;
            continue;
        }
        for (int k = i; k < rows - 1; ++k) {
            At(k) = At(k + 1);
        }
        At(rows - 1) = TRandomTrigger{};
        removed = true;
    }
    if (!removed) {
        return {};
    }
    return GridEditResult::Rows(fromRow, rows - 1);
}

GridEditResult RandomTriggerGridRules::Insert(int row) {
    const int rows = RowCount();
    if (ReadOnly() || row < 0 || row >= rows) {
        return GridEditResult::Refused();
    }
    for (int k = rows - 1; k > row; --k) {
        At(k) = At(k - 1);
    }
    At(row) = InsertedTrigger();
    return GridEditResult::Rows(row, rows - 1);
}

GridEditResult RandomTriggerGridRules::CleanUp() {
    if (ReadOnly()) {
        return GridEditResult::Refused();
    }
    const int rows = RowCount();
    const auto empty = [this](int k) { return At(k).IsFree() || At(k).SensorType == 'C'; };
    int first = -1;
    for (int i = 1; i < rows; ++i) {
        if (At(i).IsFree() || !empty(i - 1)) {
            continue;
        }
        int to = i - 1;
        while (to > 0 && empty(to - 1)) {
            --to;
        }
        At(to) = At(i);
        At(i) = TRandomTrigger{};
        if (first < 0) {
            first = to;
        }
    }
    // What is left below the triggers is plainly empty.
    for (int k = 0; k < rows; ++k) {
        if (At(k).SensorType == 'C') {
            At(k) = TRandomTrigger{};
        }
    }
    if (first < 0) {
        first = 0;
    }
    return GridEditResult::Rows(first, rows - 1);
}

} // namespace tavin

#include "editor/InternSensGridRules.h"

#include "editor/SensorCells.h"
#include "editor/SensorGridTexts.h"
#include "protocol/UtilityControl.h"
#include "support/StringRoutines.h"

#include <algorithm>

namespace tavin {

namespace {

constexpr const char* kHeaders[] = {"",       "Label", "Type",     "Interval",
                                    "Offset", "Delta", "Log Rate", "Trig"};

// By position: the digit codes of the older firmware.
constexpr const char* kTypeNames[] = {texts::kTypeNone,  texts::kTypeTemp,    texts::kTypeCount,
                                      texts::kTypeValue, texts::kTypeBattery, texts::kTypeClock};
// The letter codes of "Temp" to "Clock".
constexpr const char* kTypeCodes[] = {"TM", "TC", "TV", "BV", "CL"};

bool IsFree(const TInternSensor& r) {
    return !r.IsDefined();
}

bool IsClock(const TInternSensor& r) {
    return r.Type == "CL";
}

const std::vector<std::string>& ClockFormatEntries() {
    static const std::vector<std::string> entries(kTimeFormatCodes.begin(), kTimeFormatCodes.end());
    return entries;
}

TInternSensor DefaultRecord(int row) {
    TInternSensor r;
    r.Label = DefaultInternLabel(row);
    return r;
}

} // namespace

std::string InternTypeName(std::string_view code) {
    if (code.empty() || code == "C") {
        return texts::kTypeNone;
    }
    if (code[0] == 'B') {
        return texts::kTypeBattery;
    }
    if (code == "CL") {
        return texts::kTypeClock;
    }
    if (code[0] == 'E') {
        return texts::kTypeEquation + std::string(code.substr(1));
    }
    for (int i = 0; i < 3; ++i) {
        if (code == kTypeCodes[i]) {
            return kTypeNames[i + 1];
        }
    }
    std::int32_t n = 0;
    if (IsIntegerText(code, false) && TextToInt32(code, n) && n >= 0 && n < 6) {
        return kTypeNames[n];
    }
    return std::string(code);
}

int InternSensGridRules::RowCount() const {
    return utility_.ExtendedTables() ? kInternRows : kMinInternCount;
}

std::string InternSensGridRules::Header(int column) const {
    return column >= 0 && column < kColumnCount ? kHeaders[column] : "";
}

bool InternSensGridRules::TrigColumnShown() const {
    return utility_.ExtendedTables() || utility_.SensorTriggers();
}

std::vector<std::string> InternSensGridRules::TypeEntries() const {
    std::vector<std::string> entries(kTypeNames, kTypeNames + 4);
    if (utility_.SensorTriggers()) {
        entries.emplace_back(texts::kTypeBattery);
        if (utility_.ExtendedTables()) {
            entries.emplace_back(texts::kTypeClock);
            for (std::size_t n = 0; n < cfg_.Equations.size(); ++n) {
                entries.push_back(texts::kTypeEquation + std::to_string(n));
            }
        }
    }
    return entries;
}

CellView InternSensGridRules::Cell(int row, int column) const {
    if (row < 0 || row >= RowCount()) {
        return {};
    }
    const TInternSensor& r = cfg_.Internal[row];
    CellView cell;
    if (column == kIndex) {
        return cells::Index(row);
    }
    if (column == kLabel) {
        cell = cells::Text(r.Label, true, 4);
    } else if (column == kType) {
        cell = cells::List(InternTypeName(r.Type), TypeEntries(), true);
        cell.listColumns = 1;
    } else if (IsFree(r)) {
        // A free row has nothing to time or log until it gets a type.
        cell = cells::Empty();
    } else if (column == kInterval || column == kOffset) {
        cell = cells::Time(column == kInterval ? r.Interval : r.Offset, true);
    } else if (IsClock(r)) {
        if (column != kTrig) {
            cell = cells::Empty(false, true);
        } else if (utility_.ClockFormats()) {
            cell = cells::List(r.TimeFormat, ClockFormatEntries(), true);
        } else {
            cell = cells::Text(r.TimeFormat, false);
            cell.greyed = true;
        }
    } else if (column == kDelta) {
        cell = cells::Check(r.Delta, true);
    } else if (r.Delta) {
        cell = cells::Empty(false, true);
    } else if (column == kLogRate) {
        cell = cells::Text(r.LogRate < 0 ? "" : std::to_string(r.LogRate), true, 5);
    } else {
        cell = cells::List(cells::TrigName(r.Trig), cells::TrigEntries(), true);
    }
    return cells::Finish(std::move(cell), ReadOnly());
}

GridEditResult InternSensGridRules::Edit(int row, int column, const std::string& text) {
    if (row < 0 || row >= RowCount() || !Cell(row, column).editable) {
        return GridEditResult::Refused();
    }
    TInternSensor& r = cfg_.Internal[row];
    switch (column) {
    case kLabel:
        if (!cells::IsLabelText(text)) {
            return GridEditResult::Refused(texts::kBadLabel);
        }
        // One character is no label: the row takes its default.
        r.Label = text.size() >= 2 ? text.substr(0, 4) : DefaultInternLabel(row);
        break;
    case kType: {
        const int e = cells::EntryIndex(TypeEntries(), text);
        if (e < 0) {
            return GridEditResult::Refused();
        }
        if (e == 0) {
            r.Type = "C";
            r.Label = DefaultInternLabel(row);
        } else if (utility_.InternSensCodes() || utility_.ClockFormats()) {
            r.Type = e <= 5 ? kTypeCodes[e - 1] : "E" + std::to_string(e - 6);
            if (IsClock(r) && r.TimeFormat.empty() && utility_.ClockFormats()) {
                r.TimeFormat = kTimeFormatCodes[0];
            }
        } else {
            r.Type = e <= 3 ? std::to_string(e) : "C";
        }
        break;
    }
    case kInterval:
    case kOffset:
        if (!cells::IsAcceptedTime(text)) {
            return GridEditResult::Refused(texts::kInvalidTime);
        }
        (column == kInterval ? r.Interval : r.Offset) = text;
        break;
    case kDelta:
        r.Delta = text == "1";
        break;
    case kLogRate: {
        std::int32_t rate = 1;
        if (!text.empty() && !cells::ReadCount(text, rate)) {
            return GridEditResult::Refused();
        }
        r.LogRate = rate;
        break;
    }
    case kTrig:
        if (IsClock(r)) {
            if (cells::EntryIndex(ClockFormatEntries(), text) < 0) {
                return GridEditResult::Refused();
            }
            r.TimeFormat = text;
        } else {
            const int trig = cells::TrigFromName(text);
            if (trig < 0) {
                return GridEditResult::Refused();
            }
            r.Trig = static_cast<std::uint8_t>(trig);
        }
        break;
    default:
        return GridEditResult::Refused();
    }
    return GridEditResult::Rows(row, row);
}

GridEditResult InternSensGridRules::Insert(int a) {
    const int n = RowCount();
    if (ReadOnly() || a < 0 || a >= n) {
        return GridEditResult::Refused();
    }
    auto& t = cfg_.Internal;
    int i = 0;
    while (i < n && !IsFree(t[i])) {
        ++i;
    }
    if (i == n) {
        return GridEditResult::Refused(texts::kInternTableFull);
    }
    if (a > i) {
        return GridEditResult::Refused(); // below the sensors: nothing to open
    }
    for (; i > a; --i) {
        t[i] = t[i - 1];
    }
    t[a] = a == 0 ? DefaultRecord(0) : t[a - 1];
    return GridEditResult::Rows(a, n - 1);
}

GridEditResult InternSensGridRules::CleanUp() {
    if (ReadOnly()) {
        return GridEditResult::Refused();
    }
    // The sensors move up in their order, labels and all; the free rows
    // left at the end are default rows with the labels of their places.
    auto& t = cfg_.Internal;
    int next = 0;
    for (int i = 0; i < kInternRows; ++i) {
        if (!IsFree(t[i])) {
            if (i != next) {
                t[next] = t[i];
            }
            ++next;
        }
    }
    for (int i = next; i < kInternRows; ++i) {
        t[i] = DefaultRecord(i);
    }
    return GridEditResult::Rows(0, RowCount() - 1);
}

} // namespace tavin

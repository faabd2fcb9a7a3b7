#include "editor/SDI12GridRules.h"

#include "editor/SensorCells.h"
#include "editor/SensorGridTexts.h"
#include "protocol/GlbIni.h"
#include "protocol/UtilityControl.h"
#include "support/StringRoutines.h"

#include <algorithm>
#include <cctype>

namespace tavin {

namespace {

constexpr const char* kHeaders[] = {"",      "Label",    "Append", "Address", "Measurement",
                                    "Value", "Interval", "Offset", "Delta",   "Log Rate",
                                    "Trig"};

bool IsTB(const TSDI12Row& r) {
    return r.Measurement == "T" || r.Measurement == "B";
}

bool IsAsciiAlnum(const std::string& text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) && static_cast<unsigned char>(c) < 0x80;
    });
}

std::string Upper(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return text;
}

} // namespace

int SDI12GetParentRow(const XmtrConfig& cfg, int n) {
    for (int i = std::min(n, kSDI12Rows) - 1; i >= 1; --i) {
        if (!cfg.SDI12[i].Append) {
            return i;
        }
    }
    return 0;
}

int SDI12GridRules::RowCount() const {
    return utility_.ExtendedTables() ? kSDI12Rows : kMinSDI12Count;
}

std::string SDI12GridRules::Header(int column) const {
    return column >= 0 && column < kColumnCount ? kHeaders[column] : "";
}

bool SDI12GridRules::TrigColumnShown() const {
    return utility_.ExtendedTables() || utility_.SensorTriggers();
}

SDI12GridRules::RowState SDI12GridRules::StateOf(int row) const {
    const TSDI12Row& r = cfg_.SDI12[row];
    if (row > 0 && r.Append) {
        return RowState::Appended;
    }
    if (!r.Address.empty()) {
        return RowState::Sensor;
    }
    return r.Enabled ? RowState::Free : RowState::NotEnabled;
}

bool SDI12GridRules::AppendOffered(int row) const {
    if (row == 0) {
        return false;
    }
    const RowState state = StateOf(row);
    if (state == RowState::Appended) {
        return true; // it can always be taken back
    }
    return state != RowState::NotEnabled && !IsTB(cfg_.SDI12[row - 1]);
}

CellView SDI12GridRules::Cell(int row, int column) const {
    if (row < 0 || row >= RowCount()) {
        return {};
    }
    const TSDI12Row& r = cfg_.SDI12[row];
    CellView cell;
    switch (column) {
    case kIndex:
        return cells::Index(row);
    case kLabel:
        cell = cells::Text(r.Label, true, 4);
        break;
    case kAppend:
        cell = AppendOffered(row) ? cells::Check(r.Append, true) : cells::Empty();
        break;
    default:
        cell = DataCell(row, column);
        break;
    }
    return cells::Finish(std::move(cell), ReadOnly());
}

CellView SDI12GridRules::DataCell(int row, int column) const {
    const TSDI12Row& r = cfg_.SDI12[row];
    const RowState state = StateOf(row);
    const bool sensor = state == RowState::Sensor;
    switch (column) {
    case kAddress:
    case kMeasurement:
    case kInterval:
    case kOffset: {
        if (state == RowState::Appended) {
            return cells::Empty(false, true);
        }
        // The first row can always take a sensor.
        const bool editable = row == 0 || state != RowState::NotEnabled;
        std::string text;
        if (sensor) {
            if (column == kAddress) {
                text = r.Address;
            } else if (column == kMeasurement) {
                text = r.Measurement;
                if (r.Concurrent && utility_.ConcurrentFlag() && !IsTB(r)) {
                    text += "C";
                }
            } else {
                text = column == kInterval ? r.Interval : r.Offset;
            }
        }
        if (column == kInterval || column == kOffset) {
            return cells::Time(text, editable);
        }
        return cells::Text(text, editable, column == kAddress ? 1 : 3);
    }
    case kValue:
        if (state == RowState::NotEnabled) {
            return cells::Empty();
        }
        return cells::Text(state == RowState::Free ? "" : std::to_string(r.Value), true, 3);
    default:
        break;
    }

    // Delta, Log Rate and Trig.
    const bool logged =
        (sensor && !IsTB(r)) || (state == RowState::Appended && utility_.SensorTriggers());
    if (!logged) {
        const bool greyed = state == RowState::Sensor || state == RowState::Appended;
        return cells::Empty(false, greyed);
    }
    if (column == kDelta) {
        return cells::Check(r.Delta, true);
    }
    if (r.Delta) {
        return cells::Empty(false, true);
    }
    if (column == kLogRate) {
        return cells::Text(r.LogRate < 0 ? "" : std::to_string(r.LogRate), true, 5);
    }
    return cells::List(cells::TrigName(r.Trig), cells::TrigEntries(), true);
}

bool SDI12GridRules::AddressAccepted(const std::string& text) const {
    if (text.size() != 1) {
        return false;
    }
    return IsIntegerText(text, false) || (ini_.SDI12AllowChars && IsAsciiAlnum(text));
}

GridEditResult SDI12GridRules::Edit(int row, int column, const std::string& text) {
    if (row < 0 || row >= RowCount() || !Cell(row, column).editable) {
        return GridEditResult::Refused();
    }
    TSDI12Row& r = cfg_.SDI12[row];
    std::int32_t number = 0;
    switch (column) {
    case kLabel:
        if (!cells::IsLabelText(text)) {
            return GridEditResult::Refused(texts::kBadLabel);
        }
        r.Label = text.empty() ? DefaultSDI12Label(row) : text.substr(0, 4);
        return GridEditResult::Rows(row, row);
    case kAppend:
        return EditAppend(row, text == "1");
    case kAddress:
        return EditAddress(row, text);
    case kMeasurement:
        return EditMeasurement(row, text);
    case kValue:
        if (!cells::ReadCount(text, number)) {
            return GridEditResult::Refused();
        }
        r.Value = std::max(number, 1);
        return GridEditResult::Rows(row, row);
    case kInterval:
    case kOffset:
        if (text.size() != 8) {
            return GridEditResult::Refused(); // not a whole time yet
        }
        if (!cells::IsAcceptedTime(text)) {
            return GridEditResult::Refused(texts::kInvalidTimeToMuchTime);
        }
        (column == kInterval ? r.Interval : r.Offset) = text;
        return GridEditResult::Rows(row, row);
    case kDelta:
        if (r.Address.empty()) {
            return GridEditResult::Refused();
        }
        r.Delta = text == "1";
        return GridEditResult::Rows(row, row);
    case kLogRate:
        if (r.Address.empty() || !cells::ReadCount(text, number)) {
            return GridEditResult::Refused();
        }
        r.LogRate = number;
        return GridEditResult::Rows(row, row);
    case kTrig: {
        const int trig = cells::TrigFromName(text);
        if (trig < 0) {
            return GridEditResult::Refused();
        }
        r.Trig = static_cast<std::uint8_t>(trig);
        return GridEditResult::Rows(row, row);
    }
    default:
        return GridEditResult::Refused();
    }
}

GridEditResult SDI12GridRules::EditAppend(int k, bool checked) {
    TSDI12Row& r = cfg_.SDI12[k];
    if (checked) {
        // The parent's measurement, timing, logging and value; the row
        // keeps its own label.
        TSDI12Row appended = cfg_.SDI12[SDI12GetParentRow(cfg_, k)];
        appended.Label = r.Label;
        appended.Enabled = true;
        appended.Append = true;
        r = appended;
        if (k < kSDI12Rows - 1) {
            cfg_.SDI12[k + 1].Enabled = true;
        }
    } else {
        r.Append = false;
        if (r.Address.empty() && k < kSDI12Rows - 1) {
            cfg_.SDI12[k + 1].Enabled = false;
            cfg_.SDI12[k + 1].Append = false;
        }
    }
    return GridEditResult::Rows(k, std::min(k + 1, RowCount() - 1));
}

GridEditResult SDI12GridRules::EditAddress(int k, const std::string& text) {
    TSDI12Row& r = cfg_.SDI12[k];
    const int last = RowCount() - 1;
    if (text.empty()) {
        const bool wasDefined = r.IsDefined();
        r.Address.clear();
        if (wasDefined) {
            return DeleteSensor(k);
        }
        GridEditResult closed = EndEdit(k, kAddress);
        return closed.accepted ? closed : GridEditResult::Rows(k, k);
    }
    std::string address;
    if (AddressAccepted(text)) {
        address = text;
    } else if (r.Address.empty()) {
        address = "0"; // a new sensor starts at the bus's first address
    } else {
        return GridEditResult::Refused(); // the sensor keeps its address
    }
    r.Address = address;
    r.Enabled = true;
    if (k < last) {
        cfg_.SDI12[k + 1].Enabled = true;
    }
    return GridEditResult::Rows(k, std::min(k + 1, last));
}

GridEditResult SDI12GridRules::EditMeasurement(int k, const std::string& typed) {
    TSDI12Row& r = cfg_.SDI12[k];
    const std::string text = Upper(typed);
    const int last = std::min(k + 1, RowCount() - 1);
    if (text.find('T') != std::string::npos || text.find('B') != std::string::npos) {
        r.Measurement = text.find('T') != std::string::npos ? "T" : "B";
        r.Concurrent = false; // a "C" before "T" or "B" means nothing to the sensor
        if (k < kSDI12Rows - 1) {
            cfg_.SDI12[k + 1].Append = false;
        }
        return GridEditResult::Rows(k, last);
    }
    const bool concurrent = text.find('C') != std::string::npos;
    const std::string digits = StripChar(text, 'C');
    if (digits.empty() && concurrent) {
        r.Concurrent = true;
        return GridEditResult::Rows(k, k);
    }
    if (!IsIntegerText(digits, false)) {
        return GridEditResult::Refused();
    }
    r.Concurrent = concurrent;
    r.Measurement = digits;
    return GridEditResult::Rows(k, last);
}

GridEditResult SDI12GridRules::EndEdit(int row, int column) {
    const int n = RowCount();
    if (column != kAddress || row < 0 || row >= n - 1 || ReadOnly()) {
        return {};
    }
    // A row left without a sensor while the row under it is open for one
    // would leave a gap in the table: the rows under it move up.
    if (!cfg_.SDI12[row].IsDefined() && cfg_.SDI12[row + 1].Enabled) {
        return DeleteSensor(row);
    }
    return {};
}

GridEditResult SDI12GridRules::DeleteSensor(int k) {
    const int n = RowCount();
    if (k < 0 || k >= n) {
        return GridEditResult::Refused();
    }
    auto& t = cfg_.SDI12;
    for (int i = k; i < n - 1; ++i) {
        t[i] = t[i + 1];
        if (i == 0) {
            const bool wasAppend = t[0].Append;
            t[0].Append = false;
            if (wasAppend && t[0].Address.empty()) {
                t[0].Address = "0";
                t[0].Enabled = true;
            }
        }
        if (!t[i].IsDefined()) {
            t[i].Label = DefaultSDI12Label(i);
        }
    }
    TSDI12Row& tail = t[n - 1];
    const bool tailEnabled = k == n - 1 ? tail.Enabled : n >= 2 && t[n - 2].IsDefined();
    const std::uint8_t trig = tail.Trig;
    const bool concurrent = tail.Concurrent;
    tail = TSDI12Row{};
    tail.Label = DefaultSDI12Label(n - 1);
    tail.Trig = trig;
    tail.Concurrent = concurrent;
    tail.Enabled = tailEnabled;
    if (k < n - 1) {
        if (t[k].IsDefined()) {
            t[k + 1].Enabled = true;
        }
        if (k > 0 && t[k - 1].IsDefined()) {
            t[k].Enabled = true;
        }
    }
    return GridEditResult::Rows(k, n - 1);
}

GridEditResult SDI12GridRules::Insert(int a) {
    const int n = RowCount();
    if (ReadOnly() || a < 0 || a >= n) {
        return GridEditResult::Refused();
    }
    auto& t = cfg_.SDI12;
    if (t[n - 1].IsDefined()) {
        return GridEditResult::Refused(texts::kSDI12TableFull);
    }
    int i = 0;
    while (i < n - 1 && t[i].Enabled) {
        ++i;
    }
    if (a > i || (a > 0 && !t[a - 1].IsDefined())) {
        return GridEditResult::Refused(); // below the table: nothing to open
    }
    if (i > a) {
        const int bottom = i;
        for (; i > a; --i) {
            t[i] = t[i - 1];
        }
        if (!t[bottom].IsDefined()) {
            t[bottom].Label = DefaultSDI12Label(bottom);
        }
    }
    if (a == 0) {
        TSDI12Row& r = t[0];
        const std::uint8_t trig = r.Trig;
        const bool concurrent = r.Concurrent;
        r = TSDI12Row{};
        r.Enabled = true;
        r.Label = DefaultSDI12Label(0);
        r.Address = "0";
        r.Trig = trig;
        r.Concurrent = concurrent;
    } else {
        t[a] = t[a - 1];
        // A continuation of the sensor above, unless that one reads "T" or
        // "B", which give no further values: then a copy of it.
        t[a].Append = !IsTB(t[a - 1]);
    }
    const int lastInUse = [&] {
        int m = 0;
        while (m < n && t[m].IsDefined()) {
            ++m;
        }
        return m;
    }();
    if (lastInUse < kSDI12Rows) {
        t[lastInUse].Enabled = true;
    }
    return GridEditResult::Rows(a, n - 1);
}

} // namespace tavin

#include "editor/MinMaxAvgGridRules.h"

#include "editor/SensorCells.h"
#include "editor/SensorGridTexts.h"
#include "protocol/GlbIni.h"
#include "protocol/UtilityControl.h"

namespace tavin {

namespace {

constexpr const char* kHeaders[] = {"", "Sensor", "Interval", "Offset", "Min", "Max", "Avg", "Vec"};

std::string LabelOr(const std::string& label, const std::string& fallback) {
    return label.empty() ? fallback : label;
}

} // namespace

std::string MinMaxAvgGridRules::Header(int column) const {
    return column >= 0 && column < kColumnCount ? kHeaders[column] : "";
}

bool MinMaxAvgGridRules::VecColumnShown() const {
    return utility_.VectorAverageEnabled();
}

std::vector<std::string> MinMaxAvgGridRules::SensorEntries() const {
    const bool extended = utility_.ExtendedTables();
    std::vector<std::string> entries{std::string(texts::kTypeNone) + kColumnSeparator};
    if (ini_.SDI12Visible) {
        const int rows = extended ? kSDI12Rows : kMinSDI12Count;
        for (int i = 0; i < rows; ++i) {
            if (cfg_.SDI12[i].IsDefined()) {
                entries.push_back(LabelOr(cfg_.SDI12[i].Label, DefaultSDI12Label(i)) +
                                  kColumnSeparator + texts::kSensorSDI12 + std::to_string(i));
            }
        }
    }
    if (ini_.InternalTabVisible) {
        const int rows = extended ? kInternRows : kMinInternCount;
        for (int i = 0; i < rows; ++i) {
            if (cfg_.Internal[i].IsDefined()) {
                entries.push_back(LabelOr(cfg_.Internal[i].Label, DefaultInternLabel(i)) +
                                  kColumnSeparator + texts::kSensorInternal + std::to_string(i));
            }
        }
    }
    return entries;
}

std::string MinMaxAvgGridRules::SensorLabel(const TSensorMMA& r) const {
    if (r.SourceType == 'S' && r.SourceIndex >= 0 && r.SourceIndex < kSDI12Rows) {
        return LabelOr(cfg_.SDI12[r.SourceIndex].Label, DefaultSDI12Label(r.SourceIndex));
    }
    if (r.SourceType == 'I' && r.SourceIndex >= 0 && r.SourceIndex < kInternRows) {
        return LabelOr(cfg_.Internal[r.SourceIndex].Label, DefaultInternLabel(r.SourceIndex));
    }
    return texts::kTypeNone;
}

CellView MinMaxAvgGridRules::Cell(int row, int column) const {
    if (row < 0 || row >= RowCount()) {
        return {};
    }
    const TSensorMMA& r = cfg_.MinMaxAvg[row];
    CellView cell;
    switch (column) {
    case kIndex:
        return cells::Index(row);
    case kSensor:
        // Rows are filled from the top: a row opens when the one above is used.
        cell = cells::List(SensorLabel(r), SensorEntries(),
                           row == 0 || !cfg_.MinMaxAvg[row - 1].IsFree());
        cell.listColumns = 2;
        break;
    case kInterval:
    case kOffset:
        cell = r.IsFree() ? cells::Empty()
                          : cells::Time(column == kInterval ? r.Interval : r.Offset, true);
        break;
    default: {
        const bool flags[] = {r.Min, r.Max, r.Avg, r.Vec};
        const bool shown = column != kVec || VecColumnShown();
        cell = r.IsFree() ? cells::Empty() : cells::Check(flags[column - kMin], shown);
        break;
    }
    }
    return cells::Finish(std::move(cell), ReadOnly());
}

GridEditResult MinMaxAvgGridRules::Edit(int row, int column, const std::string& text) {
    if (row < 0 || row >= RowCount() || column <= kIndex || column >= kColumnCount ||
        !Cell(row, column).editable) {
        return GridEditResult::Refused();
    }
    TSensorMMA& r = cfg_.MinMaxAvg[row];
    if (column == kSensor) {
        const std::vector<std::string> entries = SensorEntries();
        if (cells::EntryIndex(entries, text) < 0) {
            return GridEditResult::Refused();
        }
        // The second column decides: "SDI-12 : n", "Internal : n" or empty.
        const std::string source = text.substr(text.find(kColumnSeparator) + 1);
        const auto colon = source.find(':');
        std::int32_t index = 0;
        bool known = false;
        if ((source.starts_with('S') || source.starts_with('I')) && colon != std::string::npos) {
            const auto digits = source.find_first_not_of(' ', colon + 1);
            known = digits != std::string::npos && cells::ReadCount(source.substr(digits), index);
        }
        if (known) {
            r.SourceType = source[0];
            r.SourceIndex = index;
            return GridEditResult::Rows(row, row + 1 < RowCount() ? row + 1 : row);
        }
        // "None": the row goes, the rows under it move up.
        auto& t = cfg_.MinMaxAvg;
        for (int i = row; i < RowCount() - 1; ++i) {
            t[i] = t[i + 1];
        }
        t[RowCount() - 1] = TSensorMMA{};
        return GridEditResult::Rows(row, RowCount() - 1);
    }
    if (column == kInterval || column == kOffset) {
        if (!cells::IsAcceptedTime(text)) {
            return GridEditResult::Refused(texts::kInvalidTime);
        }
        (column == kInterval ? r.Interval : r.Offset) = text;
        return GridEditResult::Rows(row, row);
    }
    bool* flags[] = {&r.Min, &r.Max, &r.Avg, &r.Vec};
    *flags[column - kMin] = text == "1";
    return GridEditResult::Rows(row, row);
}

} // namespace tavin

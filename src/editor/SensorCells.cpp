#include "editor/SensorCells.h"

#include "editor/SensorGridTexts.h"
#include "support/StringRoutines.h"

#include <utility>

namespace tavin::cells {

CellView Index(int row) {
    CellView c;
    c.text = std::to_string(row) + ":";
    return c;
}

CellView Empty(bool editable, bool greyed) {
    CellView c;
    c.editable = editable;
    c.greyed = greyed;
    return c;
}

CellView Text(std::string text, bool editable, int maxLength) {
    CellView c;
    c.text = std::move(text);
    c.editable = editable;
    c.maxLength = maxLength;
    return c;
}

CellView Time(std::string text, bool editable) {
    CellView c;
    c.kind = CellKind::Time;
    c.text = std::move(text);
    c.editable = editable;
    return c;
}

CellView Check(bool checked, bool editable) {
    CellView c;
    c.kind = CellKind::Check;
    c.checked = checked;
    c.editable = editable;
    return c;
}

CellView List(std::string text, std::vector<std::string> entries, bool editable) {
    CellView c;
    c.kind = CellKind::List;
    c.text = std::move(text);
    c.entries = std::move(entries);
    c.editable = editable;
    return c;
}

CellView Finish(CellView cell, bool readOnly) {
    if (readOnly) {
        cell.editable = false;
    }
    return cell;
}

bool ReadCount(std::string_view text, std::int32_t& value) {
    return IsIntegerText(text, false) && TextToInt32(text, value) && value >= 0;
}

bool IsAcceptedTime(std::string_view text) {
    return text.size() == 8 && IsTimeText(text, true);
}

bool IsLineText(std::string_view text) {
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x20 || c > 0x7E) {
            return false;
        }
    }
    return true;
}

bool IsLabelText(std::string_view text) {
    return IsLineText(text) && text.find(',') == std::string_view::npos;
}

const std::vector<std::string>& TrigEntries() {
    static const std::vector<std::string> entries(std::begin(texts::kTrigNames),
                                                  std::end(texts::kTrigNames));
    return entries;
}

std::string TrigName(std::uint8_t trig) {
    return TrigEntries()[trig & 3];
}

int TrigFromName(std::string_view name) {
    return EntryIndex(TrigEntries(), name);
}

int EntryIndex(const std::vector<std::string>& entries, std::string_view text) {
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i] == text) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

} // namespace tavin::cells

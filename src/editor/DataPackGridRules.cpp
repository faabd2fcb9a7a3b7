#include "editor/DataPackGridRules.h"

#include "editor/CellTexts.h"
#include "protocol/CommandLine.h"
#include "protocol/ValueForms.h"

namespace tavin {

DataPackGridRules::DataPackGridRules(XmtrConfig& cfg) : cfg_(cfg) {}

std::string DataPackGridRules::Header(int column) const {
    return column >= 1 && column < kDataPackColumns ? FormatInt(column) : std::string();
}

int DataPackGridRules::EntryAt(int row, int column) {
    if (row < 0 || row >= kDataPackRows || column < 1 || column >= kDataPackColumns) {
        return -1;
    }
    return row * 8 + column - 1;
}

CellView DataPackGridRules::Cell(int row, int column) const {
    CellView v;
    if (row < 0 || row >= kDataPackRows || column < 0 || column >= kDataPackColumns) {
        return v;
    }
    if (column == 0) {
        v.text = FormatInt(row * 8);
        v.greyed = true;
        return v;
    }
    const int width = cfg_.RandomTx.ArgosDataPack[static_cast<std::size_t>(EntryAt(row, column))];
    v.text = width == 0 ? "" : FormatInt(width);
    v.editable = !ReadOnly();
    v.maxLength = 3;
    return v;
}

GridEditResult DataPackGridRules::Edit(int row, int column, const std::string& text) {
    const int e = EntryAt(row, column);
    if (ReadOnly() || e < 0) {
        return GridEditResult::Refused();
    }
    std::int32_t value = 0;
    if (IsDigitsOnly(text)) {
        if (!ReadUnsigned(text, value) || value > 255) {
            return GridEditResult::Refused("A data pack width is 0 to 255 bits");
        }
    }
    cfg_.RandomTx.ArgosDataPack[static_cast<std::size_t>(e)] = static_cast<std::uint8_t>(value);
    return GridEditResult::Rows(row, row);
}

GridEditResult DataPackGridRules::Insert(int row, int column) {
    const int e = EntryAt(row, column);
    if (ReadOnly() || e < 0 || cfg_.RandomTx.DataSource != 0) {
        return GridEditResult::Refused();
    }
    auto& pack = cfg_.RandomTx.ArgosDataPack;
    for (int k = kArgosDataPackSize - 1; k > e; --k) {
        pack[static_cast<std::size_t>(k)] = pack[static_cast<std::size_t>(k - 1)];
    }
    pack[static_cast<std::size_t>(e)] = 0;
    return GridEditResult::Rows(row, kDataPackRows - 1);
}

GridEditResult DataPackGridRules::CleanUp() {
    if (ReadOnly()) {
        return GridEditResult::Refused();
    }
    auto& pack = cfg_.RandomTx.ArgosDataPack;
    std::size_t to = 0;
    for (std::uint8_t width : pack) {
        if (width != 0) {
            pack[to++] = width;
        }
    }
    for (; to < pack.size(); ++to) {
        pack[to] = 0;
    }
    return GridEditResult::Rows(0, kDataPackRows - 1);
}

} // namespace tavin

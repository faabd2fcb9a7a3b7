#pragma once
// Cell descriptions and input checks shared by the sensor grids.

#include "editor/GridRules.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tavin::cells {

// Column 0 of every sensor grid: "n:", read-only.
CellView Index(int row);
// A cell without content or control.
CellView Empty(bool editable = false, bool greyed = false);
CellView Text(std::string text, bool editable, int maxLength = 0);
CellView Time(std::string text, bool editable);
CellView Check(bool checked, bool editable);
CellView List(std::string text, std::vector<std::string> entries, bool editable);

// Read-only grids (a page disabled by the mode) offer nothing for editing.
CellView Finish(CellView cell, bool readOnly);

// A non-negative decimal number of digits only that fits the field.
bool ReadCount(std::string_view text, std::int32_t& value);
// An 8-character "hh:mm:ss" within 24 hours (24:00:00 included).
bool IsAcceptedTime(std::string_view text);
// Printable ASCII only, no comma: what a label may carry on the command line.
bool IsLabelText(std::string_view text);
// Printable ASCII only: one line that the command language can carry.
bool IsLineText(std::string_view text);

// "None", "High", "Low", "H/L" by the trigger flags; -1 for an unknown name.
const std::vector<std::string>& TrigEntries();
std::string TrigName(std::uint8_t trig);
int TrigFromName(std::string_view name);

// The index of text in entries (case as shown), or -1.
int EntryIndex(const std::vector<std::string>& entries, std::string_view text);

} // namespace tavin::cells

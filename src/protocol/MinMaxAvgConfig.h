#pragma once
// The min/max/average table: rows that make the transmitter keep the
// minimum, maximum, average or vector average of an SDI-12 or internal
// sensor over an interval of their own ("MMA=3,S12,01:00:00,00:00:00,NXG").

#include "protocol/ParseContext.h"

#include <string>
#include <string_view>

namespace tavin {

// Recognises "MMA=" rows; "MMA=3,C" clears row 3.
void ParseMinMaxAvgStr(std::string_view line, XmtrConfig& cfg, ParseContext& ctx);

// The row command, or an empty text for a free row or a row outside the table.
std::string BuildMinMaxAvgCmd(const XmtrConfig& cfg, const ParseContext& ctx, int row);

// "MMA=CLEAR" and the rows from row 0 up to the first free one; nothing at
// all unless the firmware has the table.
void ConfigMinMaxAvg(const XmtrConfig& cfg, const ParseContext& ctx, CommandSink& sink);

} // namespace tavin

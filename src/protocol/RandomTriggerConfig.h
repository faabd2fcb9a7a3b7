#pragma once
// The random transmission triggers: up to 30 rows, each a sensor crossing a
// limit, rising, falling, changing or accumulating, or a plain interval
// ("RRT=1,H,S2,25.5", "RRT=0,I,3600").

#include "protocol/ParseContext.h"

#include <string>
#include <string_view>

namespace tavin {

// Recognises "RRT=" rows; "RRT=n" with no type clears rows 0 to 14.
void ParseRandomTriggers(std::string_view line, XmtrConfig& cfg, ParseContext& ctx);

// The trigger command, or an empty text for a free row or a row outside the table.
std::string BuildRandomTrigCmd(const XmtrConfig& cfg, int row);

// "RRT=CLEAR" (end marker "RRT") and, when random transmissions take their
// data from the sensors and the random format tab is shown, the triggers
// from row 0 up to the first free one (end marker "RRT=" + the last row).
void ConfigRandomTriggers(const XmtrConfig& cfg, const ParseContext& ctx, CommandSink& sink);

} // namespace tavin

#pragma once
// The clock replies (TIM, DAT, UTC). The clock is not part of the
// configuration: these lines only change what the user sees, through the
// context's TimeDataView, and the UTC correction preference.

#include "protocol/ParseContext.h"

#include <string_view>

namespace tavin {

inline constexpr std::string_view kClockNotSetText = "TAVIN CLOCK IS NOT SET";
inline constexpr std::string_view kUTCNotSetText = "UTC Is Not Set";
inline constexpr std::string_view kUTCManualSetText = "Manual Set";

void ParseTimeDataInfo(std::string_view line, XmtrConfig& cfg, ParseContext& ctx);

} // namespace tavin

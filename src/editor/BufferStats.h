#pragma once
// What the "Message Information" and "Message Stats" groups of a buffer page
// show: the message's figures and the timing labels of its bit rate, and,
// for the timed message, whether it still fits the transmit window.

#include "editor/MessageStats.h"
#include "protocol/ParseContext.h"

#include <string>

namespace tavin {

// The message a page's groups describe.
enum class StatsMessage { Timed, Random, Argos };

struct BufferStatsView {
    MessageFigures Figures;
    MessageStatsLabels Labels;
    // A plain-words warning for the "Message Stats" group; empty when none.
    std::string Warning;
};

// The random page shows the ARGOS figures in ARGOS/SCD mode.
StatsMessage MessageOfRandomPage(const ParseContext& ctx);
BufferStatsView BufferStats(const XmtrConfig& cfg, const ParseContext& ctx, StatsMessage which);

// The timed message's duration against the timed window length `TWL`: a
// message that takes longer than its window is cut off by the transmitter's
// window (or lost). Empty when it fits or no timed transmission is set.
std::string TimedWindowWarning(const XmtrConfig& cfg);

} // namespace tavin

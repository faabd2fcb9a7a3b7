#include "editor/BufferStats.h"

#include "protocol/UtilityControl.h"

#include <cstdio>

namespace tavin {

StatsMessage MessageOfRandomPage(const ParseContext& ctx) {
    return ctx.IsArgosMode() ? StatsMessage::Argos : StatsMessage::Random;
}

BufferStatsView BufferStats(const XmtrConfig& cfg, const ParseContext& ctx, StatsMessage which) {
    BufferStatsView v;
    switch (which) {
    case StatsMessage::Timed:
        v.Figures = TimedMessageFigures(cfg);
        v.Labels = UpdateTimedMsgStats(cfg);
        v.Warning = TimedWindowWarning(cfg);
        break;
    case StatsMessage::Random:
        v.Figures = RandomMessageFigures(cfg);
        v.Labels = UpdateRandomMsgStats(cfg);
        break;
    case StatsMessage::Argos:
        v.Figures =
            ARGOSMessageFigures(cfg, ctx.Utility != nullptr && ctx.Utility->ExtendedTables());
        v.Labels = UpdateARGOSMsgStats(cfg);
        break;
    }
    return v;
}

std::string TimedWindowWarning(const XmtrConfig& cfg) {
    if (cfg.TimedTx.Channel <= 0 || cfg.RandomTx.ArgosEnabled) {
        return {};
    }
    const MessageFigures f = TimedMessageFigures(cfg);
    const int window = cfg.TimedTx.WindowLength;
    if (f.Seconds <= window) {
        return {};
    }
    char text[200];
    std::snprintf(text, sizeof text,
                  "The timed message takes %.3f sec but its transmit window is %d sec: "
                  "shorten the message or lengthen the window.",
                  f.Seconds, window);
    return text;
}

} // namespace tavin

#include "protocol/RandomTriggerConfig.h"

#include "protocol/CommandLine.h"
#include "protocol/GlbIni.h"
#include "protocol/TableLine.h"
#include "protocol/Vocabulary.h"
#include "support/StringRoutines.h"

namespace tavin {
namespace {

// Older firmware had 15 triggers; an empty answer clears only those.
constexpr int kClearableByEmptyRow = 15;
constexpr char kIntervalTrigger = 'I';

bool IsTriggerType(char c) {
    return std::string_view("ADFHILRC").find(c) != std::string_view::npos;
}

} // namespace

void ParseRandomTriggers(std::string_view line, XmtrConfig& cfg, ParseContext&) {
    if (!LineHas(line, mn::RRT) || LineHas(line, "RRT=*") || LineHas(line, "RRT?")) {
        return;
    }
    const std::string v = SplitWord(2, line, "=");
    const std::string t0 = SplitWord(1, v, "C,");
    const std::string t1 = SplitWord(2, v, ",");
    const std::string t2 = SplitWord(3, v, ",");
    const std::string t3 = SplitWord(4, v, ",");
    if (t1.empty()) {
        if (const auto row = RowNumber(t0, kClearableByEmptyRow)) {
            cfg.RandomTriggers[*row] = TRandomTrigger{};
        }
        return;
    }
    const auto row = RowNumber(t0, kRandomTriggerRows);
    if (!row) {
        return;
    }
    TRandomTrigger& r = cfg.RandomTriggers[*row];
    r = TRandomTrigger{};
    const char type = t1.front();
    if (!IsTriggerType(type)) {
        return; // not a trigger: the row stays free
    }
    r.TriggerType = type;
    std::string limit;
    if (type == kIntervalTrigger) {
        limit = t2; // an interval trigger has no sensor; its limit is the interval
    } else {
        const char letter = t2.find('S') != std::string::npos   ? 'S'
                            : t2.find('I') != std::string::npos ? 'I'
                                                                : '\0';
        const auto sensor = letter == '\0' ? std::nullopt
                                           : RowNumber(SplitWord(1, t2, "SI"),
                                                       letter == 'S' ? kSDI12Rows : kInternRows);
        if (sensor) {
            r.SensorType = letter;
            r.SensorIndex = static_cast<std::uint8_t>(*sensor);
        }
        limit = t3;
    }
    if (const auto value = RealValue(limit)) {
        r.Limit = *value;
    }
}

std::string BuildRandomTrigCmd(const XmtrConfig& cfg, int row) {
    if (row < 0 || row >= kRandomTriggerRows || cfg.RandomTriggers[row].IsFree()) {
        return {};
    }
    const TRandomTrigger& r = cfg.RandomTriggers[row];
    std::vector<std::string> values = {FormatInt(row), std::string(1, r.TriggerType)};
    // A sensor trigger without its sensor goes out without that field, so
    // the transmitter refuses it by name instead of receiving a zero byte.
    if (r.TriggerType != kIntervalTrigger && r.SensorType != '\0') {
        values.push_back(std::string(1, r.SensorType) + FormatInt(r.SensorIndex));
    }
    values.push_back(FormatReal(r.Limit));
    return SetCmd(mn::RRT, values);
}

void ConfigRandomTriggers(const XmtrConfig& cfg, const ParseContext& ctx, CommandSink& sink) {
    sink.Add(ClearCmd(mn::RRT));
    sink.SetLoadEndMarker(mn::RRT);
    if (!cfg.RandomEnabled || cfg.RandomTx.DataSource != 1 || !PrefsOf(ctx).RdfTabVisible) {
        return;
    }
    for (int i = 0; i < kRandomTriggerRows; ++i) {
        std::string cmd = BuildRandomTrigCmd(cfg, i);
        if (cmd.empty()) {
            if (i != 0) {
                sink.SetLoadEndMarker(SetCmd(mn::RRT, {FormatInt(i - 1)}));
            }
            break;
        }
        sink.SetLoadEndMarker(SetCmd(mn::RRT, {FormatInt(i)}));
        sink.Add(std::move(cmd));
    }
}

} // namespace tavin

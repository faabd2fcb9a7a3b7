#include "protocol/InternSensConfig.h"

#include "protocol/CommandLine.h"
#include "protocol/TableLine.h"
#include "protocol/Vocabulary.h"
#include "support/StringRoutines.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>

namespace tavin {
namespace {

constexpr int kShortFormRows = 5;

bool IsTimeFormatCode(std::string_view word) {
    return std::any_of(kTimeFormatCodes.begin(), kTimeFormatCodes.end(),
                       [&](const char* code) { return word == code; });
}

// The types a row may carry: the letter codes, the older digit codes, and
// "E" followed by an equation number.
bool IsSensorType(std::string_view type) {
    static constexpr std::array<std::string_view, 9> kTypes = {"C",  "TM", "TC", "TV", "BV",
                                                               "CL", "1",  "2",  "3"};
    if (std::find(kTypes.begin(), kTypes.end(), type) != kTypes.end()) {
        return true;
    }
    return type.size() > 1 && type.front() == 'E' && IsIntegerText(type.substr(1), false);
}

// The short form carries temperature, count and value as digits.
std::string_view ShortFormType(std::string_view type) {
    if (type == "TM") {
        return "1";
    }
    if (type == "TC") {
        return "2";
    }
    if (type == "TV") {
        return "3";
    }
    return type;
}

bool IsBasicType(std::string_view shortType) {
    return shortType == "1" || shortType == "2" || shortType == "3";
}

void ClearRow(XmtrConfig& cfg, int row) {
    cfg.Internal[row] = TInternSensor{};
    cfg.Internal[row].Label = DefaultInternLabel(row);
}

void SetLabel(XmtrConfig& cfg, int row, std::string_view text) {
    const std::string_view label = text.substr(0, 4);
    if (!label.empty()) {
        cfg.Internal[row].Label = std::string(label);
    }
}

// "ISX=2,TM,..." and "ILX=2,LBL": the row number up to the first ",", then
// the rest. Nothing when either part is missing or the row is not a row.
std::optional<std::pair<int, std::string_view>> ExtendedRow(std::string_view line) {
    const auto value = TextAfter(line, '=');
    if (!value) {
        return std::nullopt;
    }
    const auto rest = TextAfter(*value, ',');
    const auto row = RowNumber(TextBefore(*value, ','), kInternRows);
    if (!rest || !row) {
        return std::nullopt;
    }
    return std::make_pair(*row, *rest);
}

// "IS12=..." and "IL12=...": the digits between the prefix and "=".
std::optional<std::pair<int, std::string_view>> ShortRow(std::string_view line) {
    const auto eq = line.find('=');
    if (eq == std::string_view::npos) {
        return std::nullopt;
    }
    const auto row = RowNumber(line.substr(2, eq - 2), kInternRows);
    if (!row) {
        return std::nullopt;
    }
    return std::make_pair(*row, line.substr(eq + 1));
}

void ParseSensorCount(std::string_view line, XmtrConfig& cfg) {
    const auto value = TextAfter(line, '=');
    std::int32_t n = 0;
    if (value && TextToInt32(TextBefore(*value, ','), n)) {
        cfg.SensorCountInternal = std::max(n, kMinInternCount);
    }
}

void ParseResetInterval(std::string_view line, XmtrConfig& cfg) {
    const std::string_view from = line.substr(FindInLine(line, "TBA="));
    const std::string v1 = SplitWord(2, from, "=,");
    const std::string v2 = SplitWord(3, from, "=,");
    TTippingBucket& tb = cfg.TippingBucket;
    std::int32_t n = 0;
    if (IsIntegerText(v1, false)) {
        if (!TextToInt32(v1, n)) {
            return;
        }
        if (n > 0) {
            tb.ResetInterval = "Days";
            tb.ResetDays = n;
        } else {
            tb.ResetInterval = "None";
        }
        return;
    }
    if (v1.empty()) {
        return;
    }
    switch (std::toupper(static_cast<unsigned char>(v1.front()))) {
    case 'A':
        tb.ResetInterval = "Annually";
        break;
    case 'B':
        tb.ResetInterval = "Bi-Annually";
        break;
    case 'M':
        tb.ResetInterval = "Monthly";
        break;
    case 'Q':
        tb.ResetInterval = "Quarterly";
        break;
    case 'D':
        tb.ResetInterval = "Daily";
        if (IsIntegerText(v2, false) && TextToInt32(v2, n)) {
            tb.ResetHour = n;
        }
        break;
    default:
        // "N", or a letter the utility has no interval for; anything that is
        // not a letter is no reset code and leaves the interval as it was.
        if (std::isalpha(static_cast<unsigned char>(v1.front())) != 0) {
            tb.ResetInterval = "None";
        }
        break;
    }
}

void ParseRollOver(std::string_view line, XmtrConfig& cfg) {
    const std::string_view v = *TextAfter(line, '=');
    std::int32_t n = 0;
    if (IsIntegerText(v, false) && TextToInt32(v, n)) {
        cfg.TippingBucket.RollOver = n;
    }
}

void ParseMultiplier(std::string_view line, XmtrConfig& cfg) {
    const std::string_view v = *TextAfter(line, '=');
    double m = 0;
    if (!IsFloatText(v, false) || !TextToReal(v, m)) {
        return;
    }
    for (int i = 0; i < kBucketMultiplierCount; ++i) {
        if (m == kBucketMultiplierValues[i]) {
            cfg.TippingBucket.Multiplier = i;
            return;
        }
    }
}

void ToTestOutput(std::string_view line, ParseContext& ctx) {
    if (ctx.AppendTestOutput) {
        ctx.AppendTestOutput(line);
    }
}

std::string TwoDigits(int n) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d", n);
    return buf;
}

std::string ResetIntervalValue(const TTippingBucket& tb, const ParseContext& ctx) {
    const std::string& interval = tb.ResetInterval;
    if (interval == "None" || interval.empty()) {
        return "0";
    }
    if (interval == "Daily") {
        return FeatureOn(ctx, UtilitySwitch::DailyBucketReset) ? "D," + TwoDigits(tb.ResetHour)
                                                               : "0";
    }
    if (interval == "Days") {
        return FormatInt(tb.ResetDays);
    }
    return interval.substr(0, 1); // "M", "Q", "B", "A"; the cleared "0" stays "0"
}

} // namespace

void ParseInternalSensorConfiguration(std::string_view line, XmtrConfig& cfg, ParseContext& ctx) {
    const auto has = [&](std::string_view token) { return LineHas(line, token); };
    if (has(mn::PIS)) {
        return; // the platform id string is free text
    }
    if (has("ISN") && !has("ISN?")) {
        ParseSensorCount(line, cfg);
    } else if (has("ISX=") && !has("ISX=*")) {
        if (const auto row = ExtendedRow(line)) {
            ParseInternSensStr(row->second, row->first, cfg);
        }
    } else if (has("ILX=") && !has("ILX=*")) {
        if (const auto row = ExtendedRow(line)) {
            SetLabel(cfg, row->first, row->second);
        }
    } else if (line.starts_with(mn::IS) && !has("IST") && !has("IS*?") && !has("ISX") &&
               !has("ISN")) {
        if (ctx.InternalSensorTestOn) {
            ToTestOutput(line, ctx);
        } else if (const auto row = ShortRow(line)) {
            ParseInternSensStr(row->second, row->first, cfg);
        }
    } else if (line.starts_with(mn::IL) && !has("IL*") && !has("TIL") && !has("RIL") &&
               !has("ILX")) {
        if (const auto row = ShortRow(line)) {
            SetLabel(cfg, row->first, row->second);
        }
    } else if (has("TBA=")) {
        ParseResetInterval(line, cfg);
    } else if (line.starts_with("TBR=")) {
        ParseRollOver(line, cfg);
    } else if (line.starts_with("TBM=")) {
        ParseMultiplier(line, cfg);
    } else if (line.starts_with(mn::IM) && line.find("Time") == std::string_view::npos) {
        if (ctx.InternalSensorTestOn) {
            ToTestOutput(line, ctx);
        }
    }
}

void ParseInternSensStr(std::string_view value, int row, XmtrConfig& cfg) {
    if (row < 0 || row >= kInternRows) {
        return;
    }
    if (value == "C") {
        ClearRow(cfg, row);
        return;
    }
    const std::string type = SplitWord(1, value, ",");
    if (!IsSensorType(type)) {
        return;
    }
    TInternSensor& r = cfg.Internal[row];
    cfg.InternalPresent = true;
    r.Type = type;
    if (const std::string interval = SplitWord(2, value, ","); IsTimeForm(interval)) {
        r.Interval = interval;
    }
    if (const std::string offset = SplitWord(3, value, ","); IsTimeForm(offset)) {
        r.Offset = offset;
    }
    std::string log = SplitWord(4, value, ",");
    if (log == "D") {
        r.Delta = true;
        r.LogRate = 1;
        r.TimeFormat.clear(); // neither is sent with delta logging
        r.Trig = 0;
        return;
    }
    if (IsTimeFormatCode(log)) {
        r.TimeFormat = log;
        r.LogRate = 1;
        r.Trig = 0;
        r.Delta = false;
        return;
    }
    r.TimeFormat.clear();
    r.Trig = 0;
    if (log.find('H') != std::string::npos) {
        r.Trig |= kTrigHigh;
        log = StripChar(log, 'H');
    }
    if (log.find('L') != std::string::npos) {
        r.Trig |= kTrigLow;
        log = StripChar(log, 'L');
    }
    std::int32_t rate = 1;
    if (!IsIntegerText(log, false) || !TextToInt32(log, rate)) {
        rate = 1;
    }
    r.LogRate = rate;
    r.Delta = false;
}

std::string BuildInternSensCmd(const XmtrConfig& cfg, int row, bool extendedForm,
                               bool allowTriggers) {
    if (row < 0 || row >= kInternRows || !cfg.Internal[row].IsDefined()) {
        return {};
    }
    const TInternSensor& r = cfg.Internal[row];
    std::vector<std::string> values;
    if (extendedForm) {
        values.push_back(FormatInt(row));
        values.push_back(r.Type);
    } else {
        const std::string_view type = ShortFormType(r.Type);
        if (!allowTriggers && !IsBasicType(type)) {
            return RowSetCmd(mn::IS, row, {"C"}); // older firmware knows only these types
        }
        values.emplace_back(type);
    }
    values.push_back(r.Interval);
    values.push_back(r.Offset);
    if (r.Type == "CL" && !r.TimeFormat.empty()) {
        values.push_back(r.TimeFormat);
    } else if (r.Delta) {
        values.emplace_back("D");
    } else if (r.LogRate >= 0) {
        std::string log = FormatInt(r.LogRate);
        if (allowTriggers) {
            if (r.Trig & kTrigHigh) {
                log += 'H';
            }
            if (r.Trig & kTrigLow) {
                log += 'L';
            }
        }
        values.push_back(std::move(log));
    }
    return extendedForm ? SetCmd(mn::ISX, values) : RowSetCmd(mn::IS, row, values);
}

std::string BuildInternSensLabelCmd(const XmtrConfig& cfg, int row, bool extendedForm) {
    if (row < 0 || row >= kInternRows || cfg.Internal[row].Label.empty()) {
        return {};
    }
    const std::string label = cfg.Internal[row].Label.substr(0, 4);
    return extendedForm ? SetCmd(mn::ILX, {FormatInt(row), label})
                        : RowSetCmd(mn::IL, row, {label});
}

std::vector<std::string> BuildTippingBucketCmds(const XmtrConfig& cfg, const ParseContext& ctx) {
    const TTippingBucket& tb = cfg.TippingBucket;
    std::vector<std::string> lines;
    lines.push_back(SetCmd(mn::TBA, {ResetIntervalValue(tb, ctx)}));
    lines.push_back(SetCmd(mn::TBR, {FormatInt(tb.RollOver)}));
    if (tb.Multiplier >= 0 && tb.Multiplier < kBucketMultiplierCount) {
        lines.push_back(SetCmd(mn::TBM, {kBucketMultiplierTexts[tb.Multiplier]}));
    }
    return lines;
}

void ConfigInternSens(const XmtrConfig& cfg, const ParseContext& ctx, CommandSink& sink) {
    sink.Add(ClearCmd(mn::IS));
    sink.Add(ClearCmd(mn::IL));
    const bool extended = FeatureOn(ctx, UtilitySwitch::ExtendedTables);
    const bool triggers = extended || FeatureOn(ctx, UtilitySwitch::SensorTriggers);
    const int rows = extended ? cfg.DefinedInternSensCount() : kShortFormRows;
    if (cfg.InternalPresent) {
        for (int i = 0; i < rows; ++i) {
            std::string cmd = BuildInternSensCmd(cfg, i, extended, triggers);
            if (cmd.empty()) {
                break;
            }
            sink.Add(std::move(cmd));
        }
        for (int i = 0; i < rows; ++i) {
            if (cfg.Internal[i].Label != DefaultInternLabel(i)) {
                if (std::string cmd = BuildInternSensLabelCmd(cfg, i, extended); !cmd.empty()) {
                    sink.Add(std::move(cmd));
                }
            }
        }
    }
    for (std::string& line : BuildTippingBucketCmds(cfg, ctx)) {
        sink.Add(std::move(line));
    }
}

} // namespace tavin

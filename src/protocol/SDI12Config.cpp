#include "protocol/SDI12Config.h"

#include "protocol/CommandLine.h"
#include "protocol/UtilityControl.h"
#include "protocol/ValueForms.h"
#include "protocol/Vocabulary.h"
#include "support/StringRoutines.h"

#include <algorithm>
#include <vector>

namespace tavin {
namespace {

constexpr std::size_t kLabelLength = 4;

bool RowNumber(std::string_view text, int& row) {
    std::int32_t v = 0;
    if (!ReadUnsigned(text, v) || v >= kSDI12Rows) {
        return false;
    }
    row = v;
    return true;
}

// The text between the prefix and the first `end` character.
std::string_view Between(std::string_view line, std::size_t from, char end) {
    const auto at = line.find(end, from);
    return at == std::string_view::npos ? std::string_view{} : line.substr(from, at - from);
}

void StoreLabel(XmtrConfig& cfg, int row, std::string_view afterSeparator) {
    const std::string_view label = afterSeparator.substr(0, kLabelLength);
    if (!label.empty()) {
        cfg.SDI12[row].Label = std::string(label);
    }
}

// "D" for delta logging, else a log rate with "H" and "L" trigger letters.
void ParseLogWord(TSDI12Row& r, std::string_view word) {
    if (word.empty()) {
        return;
    }
    if (Contains(word, "D")) {
        r.Delta = true;
        return;
    }
    std::vector<ScanValue> v;
    if (ScanFormatted(word, "%d", v, 0) == 1) {
        r.LogRate = v[0].integer;
    }
    r.Delta = false;
    r.Trig = 0;
    if (Contains(word, "H")) {
        r.Trig |= kTrigHigh;
    }
    if (Contains(word, "L")) {
        r.Trig |= kTrigLow;
    }
}

bool IsMeasurement(std::string_view m) {
    return IsIntegerText(m, false) || m == "T" || m == "B";
}

void EnableNext(XmtrConfig& cfg, int row) {
    if (row + 1 < kSDI12Rows) {
        cfg.SDI12[row + 1].Enabled = true;
    }
}

std::string LogText(const TSDI12Row& r, bool withTriggers) {
    if (r.Delta) {
        return ",D";
    }
    std::string s = "," + FormatInt(r.LogRate < 0 ? 1 : r.LogRate);
    if (withTriggers) {
        if (r.Trig & kTrigHigh) {
            s += 'H';
        }
        if (r.Trig & kTrigLow) {
            s += 'L';
        }
    }
    return s;
}

} // namespace

void ParseSDI12Configuration(std::string_view line, XmtrConfig& cfg, ParseContext&) {
    int row = 0;
    if (line.starts_with(mn::SSX)) {
        // "SSX=row,values"; the bulk query echo "SSX=*?" has no row number.
        if (!IsSetFormOf(line, mn::SSX)) {
            return;
        }
        const auto comma = line.find(',');
        const std::string_view rowText =
            comma == std::string_view::npos ? line.substr(4) : line.substr(4, comma - 4);
        if (RowNumber(rowText, row)) {
            ParseSDI12ConfigExt(cfg, row,
                                comma == std::string_view::npos ? "" : line.substr(comma + 1));
        }
    } else if (line.starts_with("SLX=")) {
        if (Contains(line, "SLX=*")) {
            return;
        }
        const auto comma = line.find(',');
        if (comma != std::string_view::npos && RowNumber(line.substr(4, comma - 4), row)) {
            StoreLabel(cfg, row, line.substr(comma + 1));
        }
    } else if (line.starts_with(mn::SSN)) {
        if (Contains(line, "SSN?")) {
            return;
        }
        std::int32_t count = 0;
        if (IsSetFormOf(line, mn::SSN) && ReadUnsigned(AfterFirst(line, '='), count)) {
            cfg.SensorCountSDI12 = std::clamp(count, kMinSDI12Count, kSDI12Rows);
        }
    } else if (line.starts_with(mn::SS)) {
        if (Contains(line, "GPS") || Contains(line, "SS*")) {
            return;
        }
        // "SS3=values"
        const std::string value = SplitWord(2, line, "=");
        if (!value.empty() && UncutWord(2, line, "=").empty()) {
            return; // the row value runs past what the splitter reads
        }
        if (RowNumber(Between(line, 2, '='), row)) {
            ParseSDI12ConfigExt(cfg, row, value);
        }
    } else if (line.starts_with(mn::SL)) {
        if (Contains(line, "SL*") || Contains(line, "SLX=") || Contains(line, "SLN")) {
            return;
        }
        if (RowNumber(Between(line, 2, '='), row)) {
            StoreLabel(cfg, row, AfterFirst(line, '='));
        }
    }
}

void ParseSDI12ConfigExt(XmtrConfig& cfg, int row, std::string_view value) {
    if (row < 0 || row >= kSDI12Rows) {
        return;
    }
    TSDI12Row& r = cfg.SDI12[row];
    if (value.empty() || value == "C") {
        if (row > 0) {
            r.Enabled = cfg.SDI12[row - 1].IsDefined();
        }
        r.Append = false;
        r.Address.clear();
        r.Measurement = "0";
        r.Value = 1;
        r.Interval = kClearedTime;
        r.Offset = kClearedTime;
        r.LogRate = 1;
        r.Delta = false;
        return; // the label, Concurrent and Trig stay
    }
    std::string w[7];
    for (int k = 1; k <= 6; ++k) {
        w[k] = UncutWord(k, value, ",");
    }
    if (w[1] != "&" && w[1].size() != 1) {
        return; // an address is one character
    }
    cfg.SDI12Present = true;
    std::int32_t number = 0;
    if (w[1] == "&") {
        if (row == 0) {
            return; // row 0 has no row above to take a value from
        }
        r.Enabled = true;
        r.Append = true;
        r.Address = cfg.SDI12[row - 1].Address;
        EnableNext(cfg, row);
        if (ReadUnsigned(w[3], number)) {
            r.Value = number;
        }
        // The interval and offset of an append row are not stored.
        ParseLogWord(r, Contains(w[4], ":") ? w[6] : w[4]);
        return;
    }
    EnableNext(cfg, row);
    r.Enabled = true;
    r.Append = false;
    r.Concurrent = false;
    r.Address = w[1];
    std::string measurement = w[2];
    if (Contains(measurement, "C")) {
        measurement = StripChar(measurement, 'C');
        r.Concurrent = true;
    }
    if (!IsMeasurement(measurement)) {
        return;
    }
    r.Measurement = measurement;
    if (!ReadUnsigned(w[3], number)) {
        return;
    }
    r.Value = number;
    if (IsTimeShape(w[4])) {
        r.Interval = w[4];
    }
    if (IsTimeShape(w[5])) {
        r.Offset = w[5];
    }
    ParseLogWord(r, w[6]);
}

std::string BuildSDI12ConfigCmd(const XmtrConfig& cfg, int row, bool extendedForm,
                                bool allowTriggers) {
    if (row < 0 || row >= kSDI12Rows) {
        return {};
    }
    const TSDI12Row& r = cfg.SDI12[row];
    const std::string prefix = extendedForm ? std::string(mn::SSX) + "=" + FormatInt(row) + ","
                                            : std::string(mn::SS) + FormatInt(row) + "=";
    const bool triggers = extendedForm || allowTriggers;
    if (row > 0 && r.Append) {
        std::string cmd = prefix + "&,&," + FormatInt(r.Value);
        if (triggers) {
            cmd += LogText(r, true);
        }
        return cmd;
    }
    if (r.Address.empty()) {
        return {};
    }
    std::string cmd = prefix + r.Address.substr(0, 1);
    cmd += (extendedForm && r.Concurrent ? ",C" : ",") + r.Measurement;
    cmd += "," + FormatInt(r.Value) + "," + r.Interval + "," + r.Offset;
    // Temperature and battery readings are not logged through a rate.
    if (r.Measurement != "T" && r.Measurement != "B") {
        cmd += LogText(r, triggers);
    }
    return cmd;
}

std::string BuildSDI12LabelCmd(const XmtrConfig& cfg, int row, bool extendedForm) {
    if (row < 0 || row >= kSDI12Rows || cfg.SDI12[row].Label.empty()) {
        return {};
    }
    const std::string label = cfg.SDI12[row].Label.substr(0, kLabelLength);
    return extendedForm ? std::string(mn::SLX) + "=" + FormatInt(row) + "," + label
                        : RowSetCmd(mn::SL, row, {label});
}

void ConfigSDI12(const XmtrConfig& cfg, bool extendedForm, bool allowTriggers, CommandSink& out) {
    out.Add(ClearCmd(mn::SS));
    out.Add(ClearCmd(mn::SL));
    // Older firmware knows ten rows.
    const int count = extendedForm ? cfg.DefinedSDI12Count() : kMinSDI12Count;
    if (cfg.SDI12Present) {
        for (int i = 0; i < count; ++i) {
            std::string cmd = BuildSDI12ConfigCmd(cfg, i, extendedForm, allowTriggers);
            if (cmd.empty()) {
                break;
            }
            out.Add(std::move(cmd));
        }
    }
    for (int i = 0; i < count; ++i) {
        if (cfg.SDI12[i].Label != DefaultSDI12Label(i)) {
            std::string cmd = BuildSDI12LabelCmd(cfg, i, extendedForm);
            if (!cmd.empty()) {
                out.Add(std::move(cmd));
            }
        }
    }
}

void ConfigSDI12(const XmtrConfig& cfg, const ParseContext& ctx, CommandSink& out) {
    const bool extended = ctx.Utility && ctx.Utility->ExtendedTables();
    const bool triggers = extended || (ctx.Utility && ctx.Utility->SensorTriggers());
    ConfigSDI12(cfg, extended, triggers, out);
}

} // namespace tavin

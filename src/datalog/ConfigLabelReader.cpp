#include "datalog/ConfigLabelReader.h"

#include "datalog/LogReplyLines.h"

namespace tavin {

ConfigLabelResult ApplyConfigurationLabels(const std::vector<std::string>& lines, TLOG_REC& rec) {
    ConfigLabelResult result;
    for (const std::string& raw : lines) {
        std::string_view line(raw);
        while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) {
            line.remove_suffix(1);
        }
        // In a file every command starts its line, so only the start counts.
        if (line.starts_with("IL")) {
            if (auto l = ParseInternalLabelLine(line)) {
                rec.SetSensorLabel(TLOG_REC::kInternalLabelBase + l->sensor, l->label);
                ++result.labels;
            }
        } else if (line.starts_with("SL")) {
            if (auto l = ParseSdi12LabelLine(line)) {
                rec.SetSensorLabel(l->sensor, l->label);
                ++result.labels;
            }
        } else if (line.starts_with("TBM=")) {
            if (auto m = ParseBucketMultiplierLine(line)) {
                rec.SetBucketMultiplier(*m);
                result.multiplier = true;
            }
        } else if (line.starts_with("TBR=")) {
            if (auto r = ParseBucketRolloverLine(line)) {
                rec.SetBucketRollover(*r);
                result.rollover = true;
            }
        }
    }
    return result;
}

} // namespace tavin

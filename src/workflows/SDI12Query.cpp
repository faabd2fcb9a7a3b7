#include "workflows/SDI12Query.h"

#include "protocol/CommandLine.h"
#include "protocol/Vocabulary.h"

namespace tavin {

SDI12QueryPlan PlanSDI12Query(const XmtrConfig& cfg, int gridRow) {
    SDI12QueryPlan plan;
    int i = gridRow - 1;
    if (i < 0 || i >= kSDI12Rows) {
        return plan;
    }
    if (cfg.SDI12[i].Append) {
        while (i > 0 && cfg.SDI12[i].Append && !cfg.SDI12[i].Address.empty()) {
            --i;
        }
    }
    plan.sensor = i;
    const TSDI12Row& row = cfg.SDI12[i];
    if (row.Address.empty()) {
        plan.outcome = SDI12QueryPlan::Outcome::NoAddress;
        return plan;
    }
    const std::string measurement = row.Measurement == "0" ? "" : row.Measurement;
    plan.outcome = SDI12QueryPlan::Outcome::Query;
    plan.command = SetCmd(mn::SDI, {row.Address + "M" + measurement + "!"});
    return plan;
}

std::vector<std::string> SDI12TableListing(const XmtrConfig& cfg) {
    std::vector<std::string> lines;
    lines.reserve(kSDI12Rows);
    for (const TSDI12Row& row : cfg.SDI12) {
        std::string line = row.Enabled ? "ENABLED " : "DISABLED";
        line += row.Append ? " INHERIT" : " NORMAL ";
        line += " Address=" + (row.Address.empty() ? std::string(" ") : row.Address);
        line += " Measurement=" + row.Measurement;
        line += " Param=" + FormatInt(row.Value);
        line += " Rate=" + row.Interval;
        line += " Offset=" + row.Offset;
        lines.push_back(std::move(line));
    }
    return lines;
}

} // namespace tavin

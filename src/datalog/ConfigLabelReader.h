#pragma once
// Takes what the log decoder needs from a configuration file: the sensor
// labels ("SL<n>=", "SLX=n,", "IL<n>=", "ILX=n,") and the tipping-bucket
// multiplier and roll-over ("TBM=", "TBR="). A small reader of its own, so
// that a saved log can be decoded with the right labels without the whole
// configuration model.

#include "datalog/TLOG_REC.h"

#include <string>
#include <vector>

namespace tavin {

struct ConfigLabelResult {
    int labels = 0;          // labels taken
    bool multiplier = false; // a valid "TBM=" was found
    bool rollover = false;   // a valid "TBR=" was found
};

// Applies every recognised line, in order, to the decoder; other lines are
// passed over.
ConfigLabelResult ApplyConfigurationLabels(const std::vector<std::string>& lines, TLOG_REC& rec);

} // namespace tavin

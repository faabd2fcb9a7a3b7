#pragma once
// The labels a configuration gives its sensors, and its tipping-bucket
// settings, for the log decoder. A saved log is decoded with the labels of the
// configuration it was written under; the caller loads that configuration
// (the file reader lives with the files, not here) and hands over the model.

#include "datalog/TLOG_REC.h"
#include "protocol/XmtrConfig.h"

namespace tavin {

// Every SDI-12 and internal row's label (rows the configuration leaves alone
// carry their default labels), the bucket multiplier and the roll-over
// count. A label left empty keeps the decoder's own; a multiplier index out of
// range keeps the decoder's multiplier.
void ApplyConfigLabels(const XmtrConfig& cfg, TLOG_REC& rec);

} // namespace tavin

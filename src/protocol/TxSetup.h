#pragma once
// Timed and random transmission setup: the reply parser and the two builders.

#include "protocol/ParseContext.h"

#include <string_view>

namespace tavin {

// TCH, TTI, FTT, TWL, TOF, TPR, TIL, TDF, TDS, TDO, RCH, RIN, RPC, RRC, RIL,
// RDF, RDS, RDO, ROF. Posts the channel-load message after TDO and ROF, and
// queues "ADP?" after RDS while ARGOS is on.
void ParseTxSetupFields(std::string_view line, XmtrConfig& cfg, ParseContext& ctx);

// "TCH=0" alone when timed transmissions are off, else the timed settings.
void ConfigTimedTransmission(const XmtrConfig& cfg, const ParseContext& ctx, CommandSink& out);
// "RCH=0" alone when random transmissions are off, else the random settings;
// the ARGOS form when the context's mode is ARGOS or ARGOS & SCD.
void ConfigRandomTransmission(const XmtrConfig& cfg, const ParseContext& ctx, CommandSink& out);

} // namespace tavin

#pragma once
// General settings and GPS time sync: the two reply parsers and two builders.

#include "protocol/ParseContext.h"

#include <string_view>

namespace tavin {

// GTS, GTC, GOC, GTO.
void ParseTxTimeSyncOscCalFields(std::string_view line, XmtrConfig& cfg, ParseContext& ctx);
// ARG and SCD (re-deriving the transmission mode), IRC, PUE, PIS, PB1, PB2,
// TXP, TZN, SFL, LGM.
void ParseGeneralTxConfiguration(std::string_view line, XmtrConfig& cfg, ParseContext& ctx);

// TXP and IRC (advanced settings only), PUE, PIS, PB1, PB2, and LGM, SFL, TZN
// as the feature switches allow.
void ConfigGeneralTxSettings(const XmtrConfig& cfg, const ParseContext& ctx, CommandSink& out);
// GTS; GTC, GOC and GTO with advanced settings.
void ConfigTimeSyncOscCal(const XmtrConfig& cfg, const ParseContext& ctx, CommandSink& out);

} // namespace tavin

#pragma once
// The timed and random message formats: one row per message field, naming a
// header field, a literal text or a sensor with its value count, width,
// record flags and scaling: TDP=3,S0,1,6,LN,1.5,-2 or RDP=1,T,"A,B",LN.

#include "protocol/ParseContext.h"

#include <string>
#include <string_view>

namespace tavin {

// Recognise "TDP=" and "RDP=" rows. Queries, bulk queries and "=CLEAR" are
// skipped; a row line that carries "OK" or "ERR" among its values only
// clears the row.
void ParseTimedDataFormat(std::string_view line, XmtrConfig& cfg, ParseContext& ctx);
void ParseRandomDataFormat(std::string_view line, XmtrConfig& cfg, ParseContext& ctx);

// The row command, or an empty text for a free row or a row outside the
// table. The X form adds the statistic letters after the value count; slope
// and offset are sent only when the message is not ASCII.
std::string BuildTimedDataParamCmd(const XmtrConfig& cfg, int row, bool extendedForm);
std::string BuildRandomDataParamCmd(const XmtrConfig& cfg, int row, bool extendedForm);

// "TDP=CLEAR", then, with the timed format tab shown and ARGOS off, the rows
// from 0 up to the first free one (100 rows with the extended tables, 20
// without). Each row is noted as the last data-format command.
void ConfigTimedDataParam(const XmtrConfig& cfg, const ParseContext& ctx, CommandSink& sink);
// "RDP=CLEAR" and, with the random format tab shown, the rows (40 or 20).
// Leaves the end marker "RDP", or "RDP=" + the last row sent.
void ConfigRandomDataParam(const XmtrConfig& cfg, const ParseContext& ctx, CommandSink& sink);

} // namespace tavin

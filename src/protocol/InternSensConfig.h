#pragma once
// Internal sensor rows, their labels and the tipping bucket: the reply and
// file parser, and the builders of the commands that load them, in the short
// form ("IS3=...", "IL3=...") of the older firmware and the X form
// ("ISX=3,...", "ILX=3,...") of the extended tables.

#include "protocol/ParseContext.h"

#include <string>
#include <string_view>
#include <vector>

namespace tavin {

// Recognises "ISN=", "ISX=", "ILX=", the short "IS"/"IL" rows, "TBA=",
// "TBR=" and "TBM=". While the internal sensor test is on, short-form rows
// and "IM" sample lines go to the test output instead of the model.
void ParseInternalSensorConfiguration(std::string_view line, XmtrConfig& cfg, ParseContext& ctx);

// Stores one row from its value text ("TM,00:15:00,00:00:00,4HL", or "C" to
// clear it). Rows outside the table and rows whose type is not a sensor type
// are ignored.
void ParseInternSensStr(std::string_view value, int row, XmtrConfig& cfg);

// The row command, or an empty text for an undefined row.
std::string BuildInternSensCmd(const XmtrConfig& cfg, int row, bool extendedForm,
                               bool allowTriggers);
// The label command, or an empty text when the row has no label.
std::string BuildInternSensLabelCmd(const XmtrConfig& cfg, int row, bool extendedForm);

// "TBA=...", "TBR=..." and "TBM=..." for the tipping bucket. The multiplier
// line is left out when the model holds no valid multiplier.
std::vector<std::string> BuildTippingBucketCmds(const XmtrConfig& cfg, const ParseContext& ctx);

// Clears the internal tables in the transmitter and sends the rows, the
// labels that differ from the defaults and the tipping bucket, in the X form
// with the extended tables and in the short form for 5 rows without them.
void ConfigInternSens(const XmtrConfig& cfg, const ParseContext& ctx, CommandSink& sink);

} // namespace tavin

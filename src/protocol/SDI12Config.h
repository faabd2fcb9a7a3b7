#pragma once
// The SDI-12 sensor table on the line: rows and labels in the short form
// ("SS3=...", "SL3=...") and the X form ("SSX=3,...", "SLX=3,...").

#include "protocol/ParseContext.h"

#include <string>
#include <string_view>

namespace tavin {

// SSX, SLX, SSN and the short SS and SL forms; row values go to
// ParseSDI12ConfigExt. Row numbers outside the table make a line be ignored.
void ParseSDI12Configuration(std::string_view line, XmtrConfig& cfg, ParseContext& ctx);
// Stores one row from its value text ("0,0,1,00:15:00,00:00:00,5H", "&,&,3,1",
// "C" or empty to clear).
void ParseSDI12ConfigExt(XmtrConfig& cfg, int row, std::string_view value);

// The row command, or empty when the row is not defined.
std::string BuildSDI12ConfigCmd(const XmtrConfig& cfg, int row, bool extendedForm,
                                bool allowTriggers);
// The label command, or empty when the label is empty.
std::string BuildSDI12LabelCmd(const XmtrConfig& cfg, int row, bool extendedForm);
// The clear commands, the defined rows (10 at most in the short form) while
// SDI-12 sensors are present, and the labels that differ from their defaults.
void ConfigSDI12(const XmtrConfig& cfg, bool extendedForm, bool allowTriggers, CommandSink& out);
// The same with the forms the connected firmware takes: the X form with
// triggers when ExtendedTables is on, else the short form with triggers as
// SensorTriggers says.
void ConfigSDI12(const XmtrConfig& cfg, const ParseContext& ctx, CommandSink& out);

} // namespace tavin

#pragma once
// The equation list: entry n defines the computed internal sensor "E" + n.
// The equation text is opaque here ("EQN=0,S1*2.5+I0", commas included).

#include "protocol/ParseContext.h"

#include <string>
#include <string_view>

namespace tavin {

// Recognises "EQN=" entries. An entry number at or beyond the end of the list
// appends, so entries arriving in order fill the list from 0.
void ParseEquationCmd(std::string_view line, XmtrConfig& cfg, ParseContext& ctx);

// "EQN=" + n + "," + the equation, or an empty text when there is no entry n.
std::string BuildEquationConfigCmd(const XmtrConfig& cfg, int entry);

// "EQN=CLEAR" and every entry from 0 in order.
void ConfigEquations(const XmtrConfig& cfg, const ParseContext& ctx, CommandSink& sink);

} // namespace tavin

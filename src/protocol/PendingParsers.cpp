// Stand-ins for the transmission setup, general settings, clock and SDI-12
// parsers, which are written alongside this code on another branch. They
// recognise nothing, so that the parser lists link and can be exercised
// meanwhile. This file is removed when the real parsers are merged.

#include "protocol/ParseContext.h"

#include <string_view>

namespace tavin {

void ParseTxSetupFields(std::string_view, XmtrConfig&, ParseContext&) {}
void ParseTxTimeSyncOscCalFields(std::string_view, XmtrConfig&, ParseContext&) {}
void ParseGeneralTxConfiguration(std::string_view, XmtrConfig&, ParseContext&) {}
void ParseSDI12Configuration(std::string_view, XmtrConfig&, ParseContext&) {}
void ParseTimeDataInfo(std::string_view, XmtrConfig&, ParseContext&) {}

} // namespace tavin

#pragma once
// The ARGOS data pack: up to 48 one-byte entries (field widths in bits) that
// make up the message in ARGOS mode. A zero entry ends the pack.

#include "protocol/ParseContext.h"

#include <string>
#include <string_view>
#include <vector>

namespace tavin {

// Recognises "ADP=" + start + "," + up to eight values, which fill the
// entries from start on. Values that are not byte values are skipped.
void ParesARGOSParameters(std::string_view line, XmtrConfig& cfg, ParseContext& ctx);

// "ADP=" + k + "," + entry for k from 0 up to the first zero entry.
std::vector<std::string> BuildArgosDataPackCmds(const XmtrConfig& cfg);

// Who emits the pack: the send-all sequence, or a configuration file.
enum class DataPackTarget { SendAll, File };

// Only in ARGOS mode. With the random data source RS-232 the entries go out
// one line each; with the sensor data source the send-all asks the
// transmitter to take the pack from the sensors ("ADP=*") and a file
// carries nothing. The send-all leaves the end marker "ADP=" or
// "ADP=" + the last entry sent.
void ConfigArgosDataPack(const XmtrConfig& cfg, CommandSink& sink, DataPackTarget target);

} // namespace tavin

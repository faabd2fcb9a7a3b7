#pragma once
// "tavin-cli log ...": the sensor log commands of the command line tool.

#include "CliArgs.h"
#include "protocol/XmtrConfig.h"

#include <string>
#include <vector>

namespace tavin {

// "log decode HEXFILE [--labels FILE]": decodes a saved hex log as it reads
// it. Returns the program's exit code.
int RunLogDecodeCommand(const CliArgs& args);

// Loads the configuration file whose labels and tipping-bucket settings a
// log is shown with (--labels FILE); false, with the reason on standard
// error, when it cannot be read.
bool LoadLabelFile(const std::string& path, XmtrConfig& cfg);

} // namespace tavin

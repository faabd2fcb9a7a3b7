#pragma once
// "tavin-cli log ...": the sensor log commands of the command line tool.

#include "protocol/XmtrConfig.h"

#include <string>
#include <vector>

namespace tavin {

// args are the words after "log" ("decode", "FILE", "--labels", "CFG").
// Returns the program's exit code.
int RunLogCommand(const std::vector<std::string>& args);

// Loads the configuration file whose labels and tipping-bucket settings a
// log is shown with (--labels FILE); false, with the reason on standard
// error, when it cannot be read.
bool LoadLabelFile(const std::string& path, XmtrConfig& cfg);

} // namespace tavin

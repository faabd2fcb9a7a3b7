#pragma once
// "tavin-cli log ...": the sensor log commands of the command line tool.

#include <string>
#include <vector>

namespace tavin {

// args are the words after "log" ("decode", "FILE", "--labels", "CFG").
// Returns the program's exit code.
int RunLogCommand(const std::vector<std::string>& args);

} // namespace tavin

#pragma once
// "tavin-cli --port N|DEVICE log dump|clear ...": the sensor log read from and
// erased in a transmitter, through the data log window's own logic with the
// command line as its host.

#include <string>
#include <vector>

namespace tavin {

// port is the word after "--port"; args are the words after "log".
// Returns the program's exit code.
int RunLogPortCommand(const std::string& port, const std::vector<std::string>& args);

} // namespace tavin

#pragma once
// "tavin-cli --port N|DEVICE log dump|clear ...": the sensor log read from and
// erased in a transmitter, through the data log window's own logic with the
// command line as its host.

#include "CliArgs.h"

namespace tavin {

// "log dump" and "log clear". Returns the program's exit code.
int RunLogPortCommand(const CliArgs& args);

} // namespace tavin

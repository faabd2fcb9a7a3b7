#pragma once
// "tavin-cli config ...": configuration files without a transmitter: print
// one as JSON, write one from JSON, run the local check, show the message
// statistics.

#include <ostream>
#include <string>
#include <vector>

namespace tavin {

// args are the words after "config" ("check", "FILE", "--firmware", "1.30").
// defaultIni is the preferences file used without --ini; a missing one gives
// the defaults. Returns the exit code: 0 done, 1 the check found an error,
// 2 a file that cannot be read or written or a malformed JSON document,
// 3 bad options.
int RunConfigCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                     const std::string& defaultIni);

// The same on standard output and error, with the utility's preferences
// file beside the program.
int RunConfigCommand(const std::vector<std::string>& args);

} // namespace tavin

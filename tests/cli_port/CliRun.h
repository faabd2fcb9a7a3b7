#pragma once
// Runs the real tavin-cli program for a test and collects what it printed
// and how it exited.

#include <string>
#include <vector>

namespace tavin::test {

struct CliResult {
    int exitCode = -1; // -1: killed or did not start
    std::string out;   // standard output
    std::string err;   // standard error
};

// Runs `program args...`; a run longer than limitSeconds is killed.
CliResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                     int limitSeconds = 120);

} // namespace tavin::test

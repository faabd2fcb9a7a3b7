#pragma once
// The one option parser of tavin-cli, over the command table: GNU
// conventions (--name VALUE and --name=VALUE, -o FILE and -oFILE, "--" ends
// the options, options before or after the command's words), errors that
// name the option, --help on every command and group.

#include "CliArgs.h"
#include "CliCommand.h"

#include <string>
#include <vector>

namespace tavin {

struct CliParseOutcome {
    bool run = false; // args hold a command to run
    int exitCode = 0; // what to exit with otherwise (help, version, a bad command line)
};

// Parses words (the program name left out) into args. Help and the version
// go to args.Out(), errors to args.Err().
CliParseOutcome ParseCommandLine(const std::vector<std::string>& words, CliArgs& args);

// The help of the whole tool, of a group ("config", "log") or of a command.
std::string MainHelp();
std::string GroupHelp(const std::string& group);
std::string CommandHelp(const CliCommand& command);

// The options a command takes: its own, then --port, --ini and --progress
// as they apply, then the global ones.
std::vector<CliOption> OptionsOf(const CliCommand& command);
// "config" for "config diff", empty for a command outside a group.
std::string GroupOf(const CliCommand& command);

// The program's version as --version prints it.
std::string VersionText();

// Runs a whole command line: parse, then the command. The exit code.
int RunCli(const std::vector<std::string>& words, std::ostream& out, std::ostream& err,
           const std::string& defaultIni, bool stderrIsTerminal);

} // namespace tavin

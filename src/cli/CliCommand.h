#pragma once
// The commands of tavin-cli and their options, as one table: the option
// parser, the help texts and the shell completion are all made from it, so
// that what the tool accepts, what it says it accepts and what the shell
// offers cannot drift apart.

#include <string>
#include <vector>

namespace tavin {

class CliArgs;

struct CliOption {
    std::vector<std::string> names; // long name first, then a one-letter alias
    std::string valueName;          // empty for a switch
    std::string help;
    // What the shell offers for the value: "file", "dir", a list of words
    // separated by spaces, or nothing.
    std::string complete;
};

struct CliCommand {
    std::string path; // "retrieve", "config diff"
    std::string args; // the positional arguments as the usage line shows them
    int minArgs = 0;  // positional arguments, besides the command's words
    int maxArgs = 0;
    std::string summary; // one line for the list of commands
    std::string details; // more lines for the command's own help
    std::vector<CliOption> options;
    bool port = false;  // talks to a transmitter: --port is required
    bool prefs = false; // reads the preferences: --ini applies
    // What the shell offers for the positional arguments ("file" or words).
    std::string complete;
    int (*run)(const CliArgs&) = nullptr;
};

// Options every command takes.
const std::vector<CliOption>& GlobalOptions();
// --port and --ini, taken by the commands that talk to a transmitter or read
// the preferences; --progress by those that show a progress.
const CliOption& PortOption();
const CliOption& IniOption();
const CliOption& ProgressOption();

// Every command, in the order the help lists them.
const std::vector<CliCommand>& CliCommands();

// The exit codes every command keeps to.
inline constexpr int kCliExitOk = 0;
inline constexpr int kCliExitBadInput = 3;

} // namespace tavin

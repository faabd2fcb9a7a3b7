#pragma once
// A command line as the parser understood it: the command, its positional
// arguments and the options given, by their long names.

#include "CliCommand.h"

#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace tavin {

class CliArgs {
public:
    CliArgs(std::ostream& out, std::ostream& err) : out_(&out), err_(&err) {}

    const CliCommand* Command() const { return command_; }
    // The arguments after the command's words.
    const std::vector<std::string>& Positional() const { return positional_; }
    bool Has(const std::string& longName) const { return values_.count(longName) != 0; }
    // The last value given for an option that takes one.
    std::optional<std::string> Value(const std::string& longName) const;
    // The port given with --port; empty when none.
    std::string Port() const { return Value("port").value_or(std::string()); }
    // The preferences file: --ini, else the default (beside the program).
    std::string Ini() const;
    bool IniGiven() const { return Has("ini"); }
    // Progress on standard error: on a terminal, or when asked for.
    bool Progress() const;

    std::ostream& Out() const { return *out_; }
    std::ostream& Err() const { return *err_; }
    // "tavin-cli: TEXT" on standard error; returns the exit code for bad input.
    int BadInput(const std::string& text) const;

    // Filled by the parser.
    void SetCommand(const CliCommand* command) { command_ = command; }
    void SetPositional(std::vector<std::string> words) { positional_ = std::move(words); }
    void Add(const std::string& longName, std::vector<std::string> values) {
        values_[longName] = std::move(values);
    }
    void SetDefaultIni(std::string path) { defaultIni_ = std::move(path); }
    void SetStderrIsTerminal(bool tty) { stderrTty_ = tty; }

private:
    std::ostream* out_;
    std::ostream* err_;
    const CliCommand* command_ = nullptr;
    std::vector<std::string> positional_;
    std::map<std::string, std::vector<std::string>> values_;
    std::string defaultIni_;
    bool stderrTty_ = false;
};

} // namespace tavin

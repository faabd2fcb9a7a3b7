#include "CliCommand.h"

#include "BashCompletion.h"
#include "ConfigCommand.h"
#include "LogCommand.h"
#include "LogPortCommand.h"
#include "PortCommands.h"
#include "PortsCommand.h"

namespace tavin {

namespace {

// Options several commands share, spelled once.
const CliOption kJson{
    {"json"}, "", "print the result as one JSON object (see docs/tavin-cli.md)", ""};
const CliOption kTemplate{
    {"template"}, "", "read or write a template instead of a configuration file", ""};
const CliOption kFirmware{{"firmware"},
                          "X.YY",
                          "firmware version for the feature switches (default: the TAVINVersion "
                          "preference)",
                          "1.15 1.25 1.30 1.35 1.53"};
const CliOption kAdvanced{{"advanced"},
                          "",
                          "advanced settings on (transmit powers, GPS calibration, invalid "
                          "character replacement)",
                          ""};

using Runner = int (*)(const CliArgs&);

// A command with `args` positional arguments (files, when there are any).
CliCommand Command(std::string path, std::string usage, int args, std::string summary,
                   std::vector<CliOption> options, std::string details, Runner run) {
    CliCommand c;
    c.path = std::move(path);
    c.args = std::move(usage);
    c.minArgs = c.maxArgs = args;
    c.summary = std::move(summary);
    c.details = std::move(details);
    c.options = std::move(options);
    c.prefs = true;
    c.complete = args > 0 ? "file" : "";
    c.run = run;
    return c;
}

// A command that talks to a transmitter.
CliCommand Transmitter(std::string path, std::string usage, int args, std::string summary,
                       std::vector<CliOption> options, std::string details = {},
                       Runner run = RunPortCommand) {
    CliCommand c = Command(std::move(path), std::move(usage), args, std::move(summary),
                           std::move(options), std::move(details), run);
    c.port = true;
    return c;
}

CliOption Output(const char* help) {
    return {{"output", "o"}, "FILE", help, "file"};
}

std::vector<CliCommand> MakeCommands() {
    std::vector<CliCommand> c;

    // --- Talking to a transmitter ---
    c.push_back(Transmitter("retrieve", "-o FILE", 0, "read the whole configuration into FILE",
                            {Output("the configuration file to write (required)")}));
    c.push_back(Transmitter(
        "send", "FILE", 1, "write the whole configuration held in FILE",
        {{{"password"}, "TEXT", "the password, when the transmitter asks for one", ""}},
        "The transmitter is disabled while the configuration goes in and stored at the end."));
    c.push_back(Transmitter("enable", "", 0, "enable transmissions", {}));
    c.push_back(Transmitter("enable-logger", "", 0, "enable the logger only", {}));
    c.push_back(Transmitter("disable", "", 0, "disable transmissions and the logger", {}));
    c.push_back(
        Transmitter("check-config", "", 0, "let the transmitter check its configuration", {kJson}));
    c.push_back(Transmitter(
        "clock", "", 0, "read or set the transmitter's clock",
        {{{"set"}, "TIME [DATE]", "set the clock to hh:mm:ss mm/dd/yyyy", ""},
         {{"set-pc"}, "", "set the clock to this computer's time", ""},
         kJson},
        "--set takes the time and the date as one argument (\"hh:mm:ss mm/dd/yyyy\") or as two "
        "(--set hh:mm:ss mm/dd/yyyy)."));
    c.back().maxArgs = 1; // the date of --set
    c.push_back(Transmitter(
        "utc", "", 0, "read or preset the UTC correction",
        {{{"set"}, "N", "preset the correction to N hours, a whole number from -255 to 255", ""},
         kJson}));
    c.push_back(
        Transmitter("status", "", 0, "identity, firmware, state and next transmissions", {kJson}));
    c.push_back(Transmitter(
        "verify", "GOLDEN", 1, "retrieve the configuration and compare it with GOLDEN",
        {{{"template"}, "", "read GOLDEN as a template (the default for a .tpl file)", ""}, kJson},
        "Prints the differences as config diff does (GOLDEN first, the transmitter second).\n"
        "Exit 0 when they are equal, 1 when they differ: a drift check for a fleet."));

    // --- The sensor log ---
    c.push_back(Transmitter(
        "log dump", "", 0, "retrieve the sensor log and print its records",
        {Output("write the records to FILE instead of standard output (only when the whole log "
                "has arrived)"),
         {{"hex"}, "", "the raw hex lines instead of decoded records (log decode reads them)", ""},
         {{"before"}, "mm/dd/yyyy[,hh:mm:ss]", "records at or before this time", ""},
         {{"after"}, "mm/dd/yyyy[,hh:mm:ss]", "records at or after this time", ""},
         {{"type"}, "Data|Event", "sensor records only, or events only", "Data Event"},
         {{"sdi12"}, "LIST", "the SDI-12 sensors whose records are shown", "all"},
         {{"internal"}, "LIST", "the internal sensors whose records are shown", "all"},
         {{"labels"},
          "FILE",
          "sensor labels and tipping-bucket settings from a configuration file instead of the "
          "transmitter",
          "file"}},
        "With any filter only the records that pass it are shown.\n"
        "LIST is items n or a-b joined by \",\" (0-2,4), or all; with only one of --sdi12 and "
        "--internal no sensor of the other kind is shown (events always are). Ctrl-C stops the "
        "retrieval (exit 130).",
        RunLogPortCommand));
    c.push_back(Transmitter("log clear", "", 0, "erase the sensor log",
                            {{{"yes", "y"}, "", "erase without asking", ""}},
                            "Asks on standard input first; an erase not confirmed exits with 3.",
                            RunLogPortCommand));
    c.push_back(Command(
        "log decode", "HEXFILE", 1, "decode a raw hex log saved by the utility",
        {{{"labels"},
          "FILE",
          "take the sensor labels and the tipping-bucket multiplier from a configuration file",
          "file"}},
        "Reads the size line, then the hex lines, and prints the record lines the data log "
        "window shows, as it reads.",
        RunLogDecodeCommand));
    c.back().prefs = false;

    // --- Configuration files ---
    c.push_back(Command("config json", "FILE", 1, "print the configuration held in FILE as JSON",
                        {kTemplate, kFirmware, kAdvanced}, "", RunConfigCommand));
    c.push_back(Command(
        "config write", "JSON -o FILE", 1, "write a configuration file from a JSON document",
        {Output("the file to create or replace (required)"), kTemplate, kFirmware, kAdvanced},
        "Keys left out keep their cleared values.", RunConfigCommand));
    c.push_back(Command("config check", "FILE", 1,
                        "run the local check; exit 1 when it finds an error",
                        {kTemplate, kFirmware, kAdvanced, kJson},
                        "Errors name the page, the control and, for a table, the row as the "
                        "file's commands number it (from 0).",
                        RunConfigCommand));
    c.push_back(Command("config stats", "FILE", 1, "message buffer sizes, lengths and durations",
                        {kTemplate, kFirmware, kAdvanced, kJson},
                        "The timed, random and ARGOS messages.", RunConfigCommand));
    c.push_back(Command(
        "config diff", "A B", 2, "compare two configuration files or templates",
        {{{"template"}, "", "read both files as templates", ""}, kFirmware, kAdvanced, kJson},
        "Compares the settings field by field: changed settings with the old (A) and new (B) "
        "values, table rows added, removed or changed with the changed fields named, in the "
        "order of the configuration. A .tpl file is read as a template, and platform ids are "
        "not compared with a template.\nExit 0 when equal, 1 when different.",
        RunConfigCommand));

    // --- The machine ---
    c.push_back(Command("ports", "", 0, "the serial ports of this computer", {kJson},
                        "Device, description, manufacturer, serial number, USB vendor and product "
                        "id, and the utility's port numbers (key Port<N> of section [COMM]) that "
                        "name each device.",
                        RunPortsCommand));
    c.push_back(Command("completion", "SHELL", 1, "print the shell completion script (bash)", {},
                        "source <(tavin-cli completion bash)", RunCompletionCommand));
    c.back().prefs = false;
    c.back().complete = "bash";
    return c;
}

} // namespace

const CliOption& PortOption() {
    static const CliOption o{{"port"},
                             "N|DEVICE",
                             "the transmitter's serial port: a number as the utility numbers "
                             "ports (key Port<N> of [COMM] in the preferences, else "
                             "/dev/ttyS<N-1>) or a device path",
                             "file"};
    return o;
}

const CliOption& IniOption() {
    static const CliOption o{{"ini"},
                             "FILE",
                             "the preferences file (default: tavin-utility.ini beside the program)",
                             "file"};
    return o;
}

const CliOption& ProgressOption() {
    static const CliOption o{
        {"progress"}, "", "show the progress even when standard error is not a terminal", ""};
    return o;
}

const std::vector<CliOption>& GlobalOptions() {
    static const std::vector<CliOption> options = {
        {{"help", "h"}, "", "show the help of the command and exit", ""},
    };
    return options;
}

const std::vector<CliCommand>& CliCommands() {
    static const std::vector<CliCommand> commands = MakeCommands();
    return commands;
}

} // namespace tavin

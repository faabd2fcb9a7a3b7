#include "CliSpec.h"

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

std::vector<CliCommand> MakeCommands() {
    std::vector<CliCommand> c;
    const auto add = [&c](CliCommand command) { c.push_back(std::move(command)); };

    // --- Talking to a transmitter ---
    add({"retrieve",
         "-o FILE",
         0,
         0,
         "read the whole configuration into FILE",
         "",
         {{{"output", "o"}, "FILE", "the configuration file to write (required)", "file"}},
         true,
         true,
         "",
         RunPortCommand});
    add({"send",
         "FILE",
         1,
         1,
         "write the whole configuration held in FILE",
         "The transmitter is disabled while the configuration goes in and stored at the end.",
         {{{"password"}, "TEXT", "the password, when the transmitter asks for one", ""}},
         true,
         true,
         "file",
         RunPortCommand});
    add({"enable", "", 0, 0, "enable transmissions", "", {}, true, true, "", RunPortCommand});
    add({"enable-logger",
         "",
         0,
         0,
         "enable the logger only",
         "",
         {},
         true,
         true,
         "",
         RunPortCommand});
    add({"disable",
         "",
         0,
         0,
         "disable transmissions and the logger",
         "",
         {},
         true,
         true,
         "",
         RunPortCommand});
    add({"check-config",
         "",
         0,
         0,
         "let the transmitter check its configuration",
         "",
         {kJson},
         true,
         true,
         "",
         RunPortCommand});
    add({"clock",
         "",
         0,
         1,
         "read or set the transmitter's clock",
         "--set takes the time and the date as one argument (\"hh:mm:ss mm/dd/yyyy\") or as two\n"
         "(--set hh:mm:ss mm/dd/yyyy).",
         {{{"set"}, "TIME [DATE]", "set the clock to hh:mm:ss mm/dd/yyyy", ""},
          {{"set-pc"}, "", "set the clock to this computer's time", ""},
          kJson},
         true,
         true,
         "",
         RunPortCommand});
    add({"utc",
         "",
         0,
         0,
         "read or preset the UTC correction",
         "",
         {{{"set"}, "N", "preset the correction to N hours, a whole number from -255 to 255", ""},
          kJson},
         true,
         true,
         "",
         RunPortCommand});
    add({"status",
         "",
         0,
         0,
         "identity, firmware, state and next transmissions",
         "",
         {kJson},
         true,
         true,
         "",
         RunPortCommand});
    add({"verify",
         "GOLDEN",
         1,
         1,
         "retrieve the configuration and compare it with GOLDEN",
         "Prints the differences as config diff does (GOLDEN first, the transmitter second).\n"
         "Exit 0 when they are equal, 1 when they differ: a drift check for a fleet.",
         {{{"template"}, "", "read GOLDEN as a template (the default for a .tpl file)", ""}, kJson},
         true,
         true,
         "file",
         RunPortCommand});

    // --- The sensor log ---
    add({"log dump",
         "",
         0,
         0,
         "retrieve the sensor log and print its records",
         "With any filter only the records that pass it are shown.\n"
         "LIST is items n or a-b joined by \",\" (0-2,4), or all; with only one of --sdi12 and\n"
         "--internal no sensor of the other kind is shown (events always are).",
         {{{"output", "o"},
           "FILE",
           "write the records to FILE instead of standard output (only when the whole log has "
           "arrived)",
           "file"},
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
         true,
         true,
         "",
         RunLogPortCommand});
    add({"log clear",
         "",
         0,
         0,
         "erase the sensor log",
         "Asks on standard input first.",
         {{{"yes", "y"}, "", "erase without asking", ""}},
         true,
         true,
         "",
         RunLogPortCommand});
    add({"log decode",
         "HEXFILE",
         1,
         1,
         "decode a raw hex log saved by the utility",
         "Reads the size line, then the hex lines, and prints the record lines the data log\n"
         "window shows, as it reads.",
         {{{"labels"},
           "FILE",
           "take the sensor labels and the tipping-bucket multiplier from a configuration file",
           "file"}},
         false,
         false,
         "file",
         RunLogDecodeCommand});

    // --- Configuration files ---
    add({"config json",
         "FILE",
         1,
         1,
         "print the configuration held in FILE as JSON",
         "",
         {kTemplate, kFirmware, kAdvanced},
         false,
         true,
         "file",
         RunConfigCommand});
    add({"config write",
         "JSON -o FILE",
         1,
         1,
         "write a configuration file from a JSON document",
         "Keys left out keep their cleared values.",
         {{{"output", "o"}, "FILE", "the file to create or replace (required)", "file"},
          kTemplate,
          kFirmware,
          kAdvanced},
         false,
         true,
         "file",
         RunConfigCommand});
    add({"config check",
         "FILE",
         1,
         1,
         "run the local check; exit 1 when it finds an error",
         "Errors name the page, the control and, for a table, the row as the file's commands\n"
         "number it (from 0).",
         {kTemplate, kFirmware, kAdvanced, kJson},
         false,
         true,
         "file",
         RunConfigCommand});
    add({"config stats",
         "FILE",
         1,
         1,
         "message buffer sizes, lengths and durations",
         "The timed, random and ARGOS messages.",
         {kTemplate, kFirmware, kAdvanced, kJson},
         false,
         true,
         "file",
         RunConfigCommand});
    add({"config diff",
         "A B",
         2,
         2,
         "compare two configuration files or templates",
         "Compares the settings field by field: changed settings with the old (A) and new (B)\n"
         "values, table rows added, removed or changed with the changed fields named, in the\n"
         "order of the configuration. A .tpl file is read as a template, and platform ids are\n"
         "not compared with a template. Exit 0 when equal, 1 when different.",
         {{{"template"}, "", "read both files as templates", ""}, kFirmware, kAdvanced, kJson},
         false,
         true,
         "file",
         RunConfigCommand});

    // --- The machine ---
    add({"ports",
         "",
         0,
         0,
         "the serial ports of this computer",
         "Device, description, manufacturer, serial number, USB vendor and product id, and the\n"
         "utility's port numbers (key Port<N> of section [COMM]) that name each device.",
         {kJson},
         false,
         true,
         "",
         RunPortsCommand});
    add({"completion",
         "SHELL",
         1,
         1,
         "print the shell completion script (bash)",
         "source <(tavin-cli completion bash)",
         {},
         false,
         false,
         "bash",
         RunCompletionCommand});
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

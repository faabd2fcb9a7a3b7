// tavin-cli: the utility's core without windows, for scripts and fleets.

#include "ConfigCommand.h"
#include "LogCommand.h"
#include "LogPortCommand.h"
#include "PortCommands.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr char kUsage[] =
    "Usage: tavin-cli [--help] [--version] COMMAND ...\n"
    "\n"
    "The TAVIN transmitter configuration utility without windows.\n"
    "\n"
    "Options:\n"
    "  --help       show this text and exit\n"
    "  --version    show the program version and exit\n"
    "\n"
    "Commands:\n"
    "  log decode HEXFILE [--labels FILE]   decode a saved hex log\n"
    "  --port N|DEVICE log dump|clear ...   read or erase the sensor log\n"
    "                                       (see --port N log --help)\n"
    "  config json|write|check|stats ...    configuration files (see config --help)\n"
    "  --port N|DEVICE COMMAND ...          talk to a transmitter: retrieve, send,\n"
    "                                       enable, enable-logger, disable,\n"
    "                                       check-config, clock, utc, status\n"
    "                                       (see --port N --help)\n"
    "\n"
    "Exit codes: 0 success, 1 the transmitter refused, 2 no answer or no port,\n"
    "3 bad input.\n";

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fputs(kUsage, stderr);
        return 3;
    }
    const std::string first = argv[1];
    if (first == "--help" || first == "-h") {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (first == "--version") {
        std::printf("tavin-cli %s\n", TAVIN_VERSION);
        return 0;
    }
    if (first == "--port" && argc > 3 && std::strcmp(argv[3], "log") == 0) {
        return tavin::RunLogPortCommand(argv[2], std::vector<std::string>(argv + 4, argv + argc));
    }
    if (first == "--port") {
        if (argc < 3) {
            std::fputs("tavin-cli: --port needs a port number or device\n", stderr);
            return 3;
        }
        return tavin::RunPortCommand(argv[2], std::vector<std::string>(argv + 3, argv + argc));
    }
    if (first == "config") {
        return tavin::RunConfigCommand(std::vector<std::string>(argv + 2, argv + argc));
    }
    if (first == "log") {
        return tavin::RunLogCommand(std::vector<std::string>(argv + 2, argv + argc));
    }
    std::fprintf(stderr, "tavin-cli: unknown command '%s' (see --help)\n", first.c_str());
    return 3;
}

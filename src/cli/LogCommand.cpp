#include "LogCommand.h"

#include "datalog/ConfigLabels.h"
#include "datalog/SavedHexLog.h"
#include "datalog/TLOG_REC.h"
#include "files/ConfigFile.h"

#include <cstdio>
#include <fstream>

namespace tavin {

namespace {

constexpr int kExitOk = 0;
constexpr int kExitBadInput = 3;

constexpr char kLogUsage[] =
    "Usage: tavin-cli log decode HEXFILE [--labels FILE]\n"
    "       tavin-cli --port N|DEVICE log dump|clear ... (see --port N log --help)\n"
    "\n"
    "Decodes a raw hex log saved by the utility (the size line, then the hex\n"
    "lines) into the record lines the data log window shows.\n"
    "\n"
    "  --labels FILE   take the sensor labels and the tipping-bucket multiplier\n"
    "                  from a configuration file\n";

bool ReadLines(const std::string& path, std::vector<std::string>& lines) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    std::string line;
    while (std::getline(in, line)) {
        lines.push_back(line);
    }
    return !in.bad();
}

} // namespace

bool LoadLabelFile(const std::string& path, XmtrConfig& cfg) {
    ParseContext ctx;
    const ConfigFileResult loaded = LoadConfigFile(path, cfg, ctx);
    if (!loaded.Ok) {
        std::fprintf(stderr, "tavin-cli: cannot read labels from '%s': %s\n", path.c_str(),
                     loaded.Error.c_str());
        return false;
    }
    return true;
}

namespace {

int Decode(const std::vector<std::string>& args) {
    std::string hexFile;
    std::string labelFile;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--labels") {
            if (i + 1 >= args.size()) {
                std::fputs("tavin-cli: --labels needs a file\n", stderr);
                return kExitBadInput;
            }
            labelFile = args[++i];
        } else if (args[i] == "--help" || args[i] == "-h") {
            std::fputs(kLogUsage, stdout);
            return kExitOk;
        } else if (!args[i].empty() && args[i][0] == '-') {
            std::fprintf(stderr, "tavin-cli: unknown option '%s'\n", args[i].c_str());
            return kExitBadInput;
        } else if (hexFile.empty()) {
            hexFile = args[i];
        } else {
            std::fprintf(stderr, "tavin-cli: unexpected argument '%s'\n", args[i].c_str());
            return kExitBadInput;
        }
    }
    if (hexFile.empty()) {
        std::fputs(kLogUsage, stderr);
        return kExitBadInput;
    }
    TLOG_REC rec;
    if (!labelFile.empty()) {
        XmtrConfig cfg;
        if (!LoadLabelFile(labelFile, cfg)) {
            return kExitBadInput;
        }
        ApplyConfigLabels(cfg, rec);
    }
    std::vector<std::string> lines;
    if (!ReadLines(hexFile, lines)) {
        std::fprintf(stderr, "tavin-cli: cannot read '%s'\n", hexFile.c_str());
        return kExitBadInput;
    }
    const SavedHexLogResult result = DecodeSavedHexLog(lines, rec);
    if (!result.anyHex) {
        std::fprintf(stderr, "tavin-cli: '%s' holds no hex log\n", hexFile.c_str());
        return kExitBadInput;
    }
    for (const std::string& record : result.records) {
        std::printf("%s\n", record.c_str());
    }
    if (result.empty) {
        std::fputs("tavin-cli: the log is empty\n", stderr);
    }
    if (!result.hasSizeLine) {
        std::fputs("tavin-cli: no size line; every line was read as data\n", stderr);
    } else if (result.dataLines < result.expectedLines) {
        std::fprintf(stderr, "tavin-cli: the log ends early: %d of %d lines\n",
                     static_cast<int>(result.dataLines), static_cast<int>(result.expectedLines));
    }
    if (result.skippedBytes > 0) {
        std::fprintf(stderr, "tavin-cli: %lld byte(s) were not part of any record\n",
                     static_cast<long long>(result.skippedBytes));
    }
    if (result.truncated) {
        std::fputs("tavin-cli: the last record is cut short and was skipped\n", stderr);
    }
    return kExitOk;
}

} // namespace

int RunLogCommand(const std::vector<std::string>& args) {
    if (args.empty() || args[0] == "--help" || args[0] == "-h") {
        std::fputs(kLogUsage, args.empty() ? stderr : stdout);
        return args.empty() ? kExitBadInput : kExitOk;
    }
    if (args[0] == "decode") {
        return Decode(args);
    }
    if (args[0] == "dump" || args[0] == "clear") {
        std::fprintf(stderr,
                     "tavin-cli: log %s talks to a transmitter: tavin-cli --port N|DEVICE log %s\n",
                     args[0].c_str(), args[0].c_str());
        return kExitBadInput;
    }
    std::fprintf(stderr, "tavin-cli: unknown log command '%s' (see log --help)\n", args[0].c_str());
    return kExitBadInput;
}

} // namespace tavin

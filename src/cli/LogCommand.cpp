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

int RunLogDecodeCommand(const CliArgs& args) {
    const std::string& hexFile = args.Positional().at(0);
    TLOG_REC rec;
    if (const auto labelFile = args.Value("labels")) {
        XmtrConfig cfg;
        if (!LoadLabelFile(*labelFile, cfg)) {
            return kExitBadInput;
        }
        ApplyConfigLabels(cfg, rec);
    }
    std::ifstream in(hexFile, std::ios::binary);
    if (!in) {
        return args.BadInput("cannot read '" + hexFile + "'");
    }
    // Each record is printed as soon as it is whole, so that a log of any
    // size is decoded in the same little memory.
    SavedHexLogReader reader(rec);
    const auto print = [](const std::string& record) {
        std::fwrite(record.data(), 1, record.size(), stdout);
        std::fputc('\n', stdout);
    };
    std::string line;
    while (std::getline(in, line)) {
        reader.AddLine(line, print);
    }
    if (in.bad()) {
        std::fflush(stdout);
        return args.BadInput("cannot read '" + hexFile + "'");
    }
    reader.Finish(print);
    std::fflush(stdout);
    const SavedHexLogResult& result = reader.Result();
    if (!result.anyHex) {
        return args.BadInput("'" + hexFile + "' holds no hex log");
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

} // namespace tavin

// Peak memory of "tavin-cli log decode" on a 10 MB saved hex log, against
// the way it used to decode: every line and every record held in memory
// before the first one was printed. Both run as child processes over the
// same file, so that each peak is a process's own; "peak_ratio" is the
// streaming decoder's peak over the one of holding everything.

#include "datalog/SavedHexLog.h"
#include "datalog/TLOG_REC.h"
#include "sim/SimLog.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

constexpr std::uintmax_t kLogFileBytes = 10u << 20;

// Writes a saved hex log of about 10 MB: the size line, then the 16-byte lines.
int WriteLog(const char* file) {
    tavin::sim::SimLog log;
    int days = 0;
    std::vector<std::string> lines;
    std::uintmax_t bytes = 0;
    while (bytes < kLogFileBytes) {
        days += 60;
        log.Clear();
        log.AddTypicalDays(86400 * 100, days);
        lines = *log.Answer("LHD?");
        bytes = 0;
        for (const std::string& line : lines) {
            bytes += line.size() + 2;
        }
    }
    std::ofstream out(file, std::ios::binary);
    for (const std::string& line : lines) {
        out << line << "\r\n";
    }
    return out ? 0 : 1;
}

// Runs a program with its output thrown away; its peak resident set in MB.
double PeakMegabytes(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (const std::string& a : args) {
        argv.push_back(const_cast<char*>(a.c_str()));
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
        posix_spawn_file_actions_destroy(&actions);
        return -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        return -1;
    }
    return static_cast<double>(usage.ru_maxrss) / 1024.0; // kilobytes on Linux
}

std::string Self() {
    char path[4096];
    const ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
    return n > 0 ? std::string(path, std::size_t(n)) : std::string();
}

// The decoder as it was: the whole file, then every record, then the output.
int DecodeHoldingEverything(const char* file) {
    std::ifstream in(file, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    tavin::TLOG_REC rec;
    const tavin::SavedHexLogResult result = tavin::DecodeSavedHexLog(lines, rec);
    for (const std::string& record : result.records) {
        std::printf("%s\n", record.c_str());
    }
    return 0;
}

// The log is made by a child process too: a process's peak includes what
// its parent held when it was started.
const std::string& LogFile() {
    static const std::string file = [] {
        const std::string path =
            (std::filesystem::temp_directory_path() / "tavin-bench-10mb.hex").string();
        PeakMegabytes({Self(), "--write-log", path});
        return path;
    }();
    return file;
}

void BM_LogDecodePeakMemory(benchmark::State& state) {
    const std::string& file = LogFile();
    double streaming = 0;
    double holding = 0;
    for (auto _ : state) {
        streaming = PeakMegabytes({TAVIN_CLI_PROGRAM, "log", "decode", file});
        holding = PeakMegabytes({Self(), "--decode-holding-everything", file});
    }
    if (streaming < 0 || holding < 0 || !std::filesystem::exists(file)) {
        state.SkipWithError("a decoder did not run");
        return;
    }
    state.counters["file_MB"] =
        static_cast<double>(std::filesystem::file_size(file)) / (1024.0 * 1024.0);
    state.counters["streaming_peak_MB"] = streaming;
    state.counters["holding_peak_MB"] = holding;
    state.counters["peak_ratio"] = streaming / holding;
}
BENCHMARK(BM_LogDecodePeakMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--decode-holding-everything") == 0) {
        return DecodeHoldingEverything(argv[2]);
    }
    if (argc == 3 && std::strcmp(argv[1], "--write-log") == 0) {
        return WriteLog(argv[2]);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove(LogFile());
    return 0;
}

// Configuration files: the time to save and to open a full configuration
// of the extended firmware (every table filled), and how opening grows with
// the file. The padded files repeat the file's own command lines, so every
// added line goes through the parsers as a real one would.
//
// "lines_per_s" should stay flat across the padded sizes; BM_GrowthRatio
// loads the full file and the one padded to 100,000 lines in the same run
// and reports "linearity": (time ratio) / (line ratio), 1.0 when linear.

#include "files/ConfigFile.h"
#include "tests/files/ConfigSamples.h"
#include "tests/files/TempFolder.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

using tavin::testing::FileHost;
using tavin::testing::SampleKind;
using tavin::testing::TempFolder;

constexpr int kFirmware = 153;
constexpr std::size_t kPaddedLines = 100000;

// The sample configuration with every table filled to its last row.
tavin::XmtrConfig FullTables(const FileHost& host) {
    tavin::XmtrConfig c = tavin::testing::FullConfig(host, SampleKind{});
    for (int i = 0; i < tavin::kSDI12Rows; ++i) {
        if (!c.SDI12[i].IsDefined()) {
            c.SDI12[i] = c.SDI12[4];
        }
    }
    for (int i = 0; i < tavin::kInternRows; ++i) {
        if (!c.Internal[i].IsDefined()) {
            c.Internal[i] = c.Internal[4];
        }
    }
    for (int i = 0; i < tavin::kTimedDataRows; ++i) {
        if (c.TimedData[i].IsFree()) {
            c.TimedData[i] = c.TimedData[2];
        }
    }
    for (int i = 0; i < tavin::kMinMaxAvgRows; ++i) {
        if (c.MinMaxAvg[i].IsFree()) {
            c.MinMaxAvg[i] = c.MinMaxAvg[0];
        }
    }
    return c;
}

struct Fixture {
    FileHost host{kFirmware, true};
    tavin::XmtrConfig config = FullTables(host);
    std::vector<std::string> lines = tavin::CreateConfigData(config, host.Ctx);
    TempFolder dir;

    // The file padded to `count` lines: its own lines over and over, "CFS" last.
    std::string Padded(std::size_t count) const {
        std::vector<std::string> padded;
        padded.reserve(count);
        while (padded.size() + 1 < count) {
            padded.push_back(lines[padded.size() % (lines.size() - 1)]);
        }
        padded.push_back("CFS");
        return tavin::JoinConfigLines(padded);
    }
    std::string FileOf(std::size_t count) {
        const std::string path = dir.File("padded-" + std::to_string(count) + ".txt");
        TempFolder::Write(path,
                          count == lines.size() ? tavin::JoinConfigLines(lines) : Padded(count));
        return path;
    }
};

Fixture& TheFixture() {
    static Fixture f;
    return f;
}

// Opens the file into a new model, as the open command does.
void Load(const std::string& path) {
    FileHost h(kFirmware, true);
    tavin::XmtrConfig cfg;
    const tavin::ConfigFileResult r = tavin::LoadConfigFile(path, cfg, h.Ctx);
    if (!r.Ok) {
        std::fprintf(stderr, "%s\n", r.Error.c_str());
        std::abort();
    }
    benchmark::DoNotOptimize(cfg);
}

void BM_CreateFullConfig(benchmark::State& state) {
    Fixture& f = TheFixture();
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            tavin::JoinConfigLines(tavin::CreateConfigData(f.config, f.host.Ctx)));
    }
    state.counters["lines"] = static_cast<double>(f.lines.size());
}
BENCHMARK(BM_CreateFullConfig)->Unit(benchmark::kMicrosecond);

// Includes the flush to the disk that makes the save safe.
void BM_SaveFullConfig(benchmark::State& state) {
    Fixture& f = TheFixture();
    const std::string path = f.dir.File("saved.txt");
    for (auto _ : state) {
        if (!tavin::SaveConfigFile(path, f.config, f.host.Ctx).Ok) {
            state.SkipWithError("save failed");
            break;
        }
    }
}
BENCHMARK(BM_SaveFullConfig)->Unit(benchmark::kMicrosecond);

void BM_LoadFullConfig(benchmark::State& state) {
    Fixture& f = TheFixture();
    const std::string path = f.FileOf(f.lines.size());
    for (auto _ : state) {
        Load(path);
    }
    state.counters["lines"] = static_cast<double>(f.lines.size());
    state.counters["lines_per_s"] = benchmark::Counter(
        static_cast<double>(f.lines.size()), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_LoadFullConfig)->Unit(benchmark::kMicrosecond);

void BM_LoadPadded(benchmark::State& state) {
    Fixture& f = TheFixture();
    const auto count = static_cast<std::size_t>(state.range(0));
    const std::string path = f.FileOf(count);
    for (auto _ : state) {
        Load(path);
    }
    state.SetComplexityN(state.range(0));
    state.counters["lines_per_s"] = benchmark::Counter(
        static_cast<double>(count), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_LoadPadded)
    ->RangeMultiplier(10)
    ->Range(1000, static_cast<int64_t>(kPaddedLines))
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

// Both sizes timed side by side, so that the ratio comes from one run.
void BM_GrowthRatio(benchmark::State& state) {
    Fixture& f = TheFixture();
    const std::string small = f.FileOf(f.lines.size());
    const std::string large = f.FileOf(kPaddedLines);
    using Clock = std::chrono::steady_clock;
    Clock::duration smallTime{}, largeTime{};
    constexpr int kSmallRepeats = 50;
    for (auto _ : state) {
        auto t0 = Clock::now();
        for (int i = 0; i < kSmallRepeats; ++i) {
            Load(small);
        }
        auto t1 = Clock::now();
        Load(large);
        auto t2 = Clock::now();
        smallTime += (t1 - t0) / kSmallRepeats;
        largeTime += t2 - t1;
    }
    const double lineRatio =
        static_cast<double>(kPaddedLines) / static_cast<double>(f.lines.size());
    const double timeRatio = std::chrono::duration<double>(largeTime).count() /
                             std::chrono::duration<double>(smallTime).count();
    state.counters["line_ratio"] = lineRatio;
    state.counters["time_ratio"] = timeRatio;
    state.counters["linearity"] = timeRatio / lineRatio;
}
BENCHMARK(BM_GrowthRatio)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

BENCHMARK_MAIN();

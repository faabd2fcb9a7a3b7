// Log decoding throughput against the wire. At 9600 baud a line carries 960
// characters a second, so a hex dump delivers at most 480 log bytes a second;
// "x_wire" is how many times faster than that the records are decoded and
// rendered.

#include "datalog/HexDumpDecoder.h"
#include "datalog/TLOG_REC.h"
#include "sim/SimLog.h"

#include <benchmark/benchmark.h>

namespace {

constexpr double kWireBytesPerSecond = 480;

struct Log {
    std::vector<std::string> hexDump;  // "LHD?" answer: size line, then data
    std::vector<std::string> filtered; // "LHF?" answer: one record per line
    std::size_t records = 0;
    double bytesPerRecord = 0;
    Log() {
        tavin::sim::SimLog log;
        log.AddTypicalDays(86400 * 400, 30);
        hexDump = *log.Answer("LHD?");
        filtered = *log.Answer("LHF?");
        records = log.Entries().size();
        bytesPerRecord = static_cast<double>(log.Bytes().size()) / static_cast<double>(records);
    }
};

const Log& TheLog() {
    static const Log log;
    return log;
}

void Report(benchmark::State& state, std::size_t records, double wireBytesPerRecord) {
    const double done = static_cast<double>(records) * static_cast<double>(state.iterations());
    state.counters["records"] = benchmark::Counter(done, benchmark::Counter::kIsRate);
    state.counters["x_wire"] = benchmark::Counter(done * wireBytesPerRecord / kWireBytesPerSecond,
                                                  benchmark::Counter::kIsRate);
}

void FullHexDump(benchmark::State& state) {
    const Log& log = TheLog();
    tavin::TLOG_REC rec;
    tavin::HexDumpDecoder dump(rec);
    std::size_t shown = 0;
    for (auto _ : state) {
        dump.Start(tavin::HexDumpDecoder::LinesForSize(
            static_cast<std::uint32_t>(std::stoul(log.hexDump[0], nullptr, 16))));
        for (std::size_t i = 1; i < log.hexDump.size(); ++i) {
            dump.AddLine(log.hexDump[i], [&](const std::string& text) {
                benchmark::DoNotOptimize(text.data());
                ++shown;
            });
        }
    }
    if (shown != log.records * state.iterations()) {
        state.SkipWithError("records lost");
    }
    Report(state, log.records, log.bytesPerRecord);
}
BENCHMARK(FullHexDump)->Unit(benchmark::kMillisecond);

void FilteredRecords(benchmark::State& state) {
    const Log& log = TheLog();
    tavin::TLOG_REC rec;
    double chars = 0;
    for (const auto& line : log.filtered) {
        chars += static_cast<double>(line.size()) + 1; // and its carriage return
    }
    for (auto _ : state) {
        rec.recordCounter = 0;
        for (const auto& line : log.filtered) {
            ++rec.recordCounter;
            rec.DecodeHexRecord(line);
            std::string text;
            rec.FormatRecord(text);
            benchmark::DoNotOptimize(text.data());
        }
    }
    // On the wire each filtered record costs its hex line.
    Report(state, log.filtered.size(), chars / 2 / static_cast<double>(log.filtered.size()));
}
BENCHMARK(FilteredRecords)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

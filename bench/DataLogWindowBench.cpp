// The data log window with big logs. A two-year log of the typical kind is
// about 416,000 records: decoding it alone is the yardstick ("decode"), and
// the window must show it in its memo and plot without one widget update per
// record ("decode_show", with "max_batch_cpu_ms" the longest the memo keeps the
// window busy at once) and open a saved copy of it ("open_file").
// "retrieve" is the real thing: the main window on tavin-sim over a
// pseudo-terminal, the data log window opened from the menu, "Retrieve Log"
// until the box closes; "x_wire" is how many times faster than a 9600 baud
// line that is, so above 1 the window keeps up with the transmitter.

#include "app/MainWindowHost.h"
#include "app/TfrmXmtrCfg.h"
#include "common/ScriptedPrompter.h"
#include "common/SimProcess.h"
#include "datalog/HexDumpDecoder.h"
#include "datalog/LogPlotData.h"
#include "datalog/qt/LogMemo.h"
#include "datalog/qt/LogPlotView.h"
#include "datalog/qt/TFormDataLog.h"
#include "datalog/qt/TFormDataLogHost.h"
#include "files/IniFile.h"
#include "link/qt/QtLink.h"
#include "sim/SimLog.h"

#include "QtBenchMain.h"

#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <ctime>
#include <fstream>

#include <qcustomplot.h>

namespace {

// Process CPU time in milliseconds: wall time on a shared machine counts
// other programs' work too.
double CpuMs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

using namespace tavin;

// Shows what the memo holds as its timer would, a batch per pass of the
// event loop; the longest batch is the longest the window is kept busy.
double ShowInBatches(LogMemo& memo) {
    double longest = 0;
    bool more = true;
    while (more) {
        const double start = CpuMs();
        more = memo.FlushBatch();
        longest = std::max(longest, CpuMs() - start);
    }
    return longest;
}

constexpr int kTwoYears = 730;
constexpr int kRetrieveDays = 7;
constexpr double kWireCharsPerSecond = 960; // 9600 baud, 10 bits a character

struct BigLog {
    std::vector<std::string> hexDump;
    std::size_t records = 0;
    BigLog() {
        sim::SimLog log;
        log.AddTypicalDays(86400 * 1000, kTwoYears);
        hexDump = *log.Answer("LHD?");
        records = log.Entries().size();
    }
};

const BigLog& TheLog() {
    static const BigLog log;
    return log;
}

// Decodes the dump line by line as a full dump does; each record goes to sink.
template <typename Sink> void Decode(TLOG_REC& rec, Sink&& sink) {
    const BigLog& log = TheLog();
    HexDumpDecoder dump(rec);
    dump.Start(HexDumpDecoder::LinesForSize(
        static_cast<std::uint32_t>(std::stoul(log.hexDump[0], nullptr, 16))));
    for (std::size_t i = 1; i < log.hexDump.size(); ++i) {
        dump.AddLine(log.hexDump[i], [&](const std::string& text) { sink(rec.current, text); });
    }
}

void DecodeOnly(benchmark::State& state) {
    std::size_t shown = 0;
    for (auto _ : state) {
        TLOG_REC rec;
        Decode(rec, [&](const LogRecord&, const std::string& text) {
            benchmark::DoNotOptimize(text.data());
            ++shown;
        });
    }
    state.counters["records"] = double(TheLog().records);
    if (shown != TheLog().records * state.iterations()) {
        state.SkipWithError("records lost");
    }
}
BENCHMARK(DecodeOnly)->Name("decode")->Unit(benchmark::kMillisecond)->Iterations(3);

void DecodeAndShow(benchmark::State& state) {
    double longest = 0;
    for (auto _ : state) {
        LogMemo memo;
        memo.resize(700, 500);
        memo.show();
        LogPlotData plot;
        TLOG_REC rec;
        Decode(rec, [&](const LogRecord& record, const std::string& text) {
            plot.AddRecord(record, rec);
            memo.AppendLine(text);
        });
        longest = std::max(longest, ShowInBatches(memo));
        test::ScriptedPrompter prompter;
        LogPlotView view(prompter);
        view.resize(900, 500);
        view.SetData(plot);
        QApplication::processEvents();
        benchmark::DoNotOptimize(memo.document()->blockCount());
        if (memo.document()->blockCount() != int(TheLog().records)) {
            state.SkipWithError("memo lines lost");
        }
    }
    state.counters["max_batch_cpu_ms"] = longest;
}
BENCHMARK(DecodeAndShow)->Name("decode_show")->Unit(benchmark::kMillisecond)->Iterations(3);

void OpenFile(benchmark::State& state) {
    QStringList lines;
    std::vector<std::string> text;
    TLOG_REC rec;
    Decode(rec, [&](const LogRecord&, const std::string& line) {
        lines << QString::fromStdString(line);
        text.push_back(line);
    });
    double longest = 0;
    for (auto _ : state) {
        LogMemo memo;
        memo.resize(700, 500);
        memo.show();
        memo.SetLines(lines);
        longest = std::max(longest, ShowInBatches(memo));
        LogPlotData plot;
        TLOG_REC decoder;
        plot.AddFileLines(text, decoder);
        QApplication::processEvents();
        benchmark::DoNotOptimize(plot.PointCount());
    }
    state.counters["max_batch_cpu_ms"] = longest;
}
BENCHMARK(OpenFile)->Name("open_file")->Unit(benchmark::kMillisecond)->Iterations(3);

// The plot of the two-year log: handing it the records and drawing it.
void PlotTwoYears(benchmark::State& state) {
    LogPlotData plot;
    TLOG_REC rec;
    Decode(rec, [&](const LogRecord& record, const std::string&) { plot.AddRecord(record, rec); });
    test::ScriptedPrompter prompter;
    LogPlotView view(prompter);
    view.resize(900, 500);
    view.show();
    double cpu = 0;
    for (auto _ : state) {
        const double start = CpuMs();
        view.SetData(plot);
        QImage image(900, 500, QImage::Format_ARGB32_Premultiplied);
        view.Canvas()->render(&image);
        cpu += CpuMs() - start;
    }
    state.counters["cpu_ms"] = cpu / double(state.iterations());
    state.counters["points"] = double(plot.PointCount() + plot.Events().size());
}
BENCHMARK(PlotTwoYears)->Name("plot")->Unit(benchmark::kMillisecond)->Iterations(3);

void Retrieve(benchmark::State& state) {
    for (auto _ : state) {
        QTemporaryDir dir;
        test::SimProcess sim;
        std::string error;
        if (!sim.Start(TAVIN_SIM_PROGRAM, {"--log-days", std::to_string(kRetrieveDays)}, error)) {
            state.SkipWithError(error.c_str());
            return;
        }
        const std::string ini = dir.path().toStdString() + "/tavin-utility.ini";
        std::ofstream(ini) << "[COMM]\nComNum=4\nPort4=" << sim.Link()
                           << "\n[CONFIG]\nShowStartUpScreen=0\nSaveLogToFile=0\n";
        test::ScriptedPrompter prompter;
        MainWindowOptions options;
        options.iniPath = ini;
        options.programFolder = dir.path().toStdString();
        options.prompter = &prompter;
        TfrmXmtrCfg window(options);
        window.show();
        if (!QTest::qWaitFor([&] { return window.Link().Link().TransmitterAnswering; }, 10000)) {
            state.SkipWithError("the simulator did not answer");
            return;
        }
        qint64 elapsed = 0;
        int lines = 0;
        QTimer::singleShot(0, [&] {
            auto* form = window.findChild<TFormDataLog*>();
            // The opening queries are answered first.
            QTest::qWait(500);
            while (!window.Link().Link().ListXmitCmd.empty()) {
                QTest::qWait(50);
            }
            QElapsedTimer clock;
            clock.start();
            form->findChild<QPushButton*>("BtnDumpLog")->click();
            // The box stays 1.5 s to be read.
            elapsed = clock.elapsed() - 1500;
            lines = int(form->Memo().Lines().size());
            form->accept();
        });
        window.findChild<QAction*>("MenuTAVINSensorLog")->trigger();
        state.SetIterationTime(double(elapsed) / 1000);
        sim::SimLog log;
        log.AddTypicalDays(0, kRetrieveDays);
        const double wireChars = double(log.Answer("LHD?")->size()) * 34;
        state.counters["x_wire"] = wireChars / kWireCharsPerSecond / (double(elapsed) / 1000);
        state.counters["records"] = lines;
        state.counters["ms_per_record"] = double(elapsed) / lines;
    }
}
BENCHMARK(Retrieve)
    ->Name("retrieve")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

} // namespace

int main(int argc, char** argv) {
    return RunQtBenchmarks(argc, argv);
}

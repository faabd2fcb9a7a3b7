// Retrieve and send of a full extended configuration (64 SDI-12 and 64
// internal rows with labels, 100 timed and 40 random format rows, 30
// triggers, 10 equations, 20 min/max/average rows) against the simulated
// transmitter with its output paced at 9600 baud.
//
// Two ways: on the virtual clock (the time reported is virtual time), and
// through tavin-cli over a real pseudo-terminal against tavin-sim --pace
// (wall time of the whole program run, identification included).
//
// Counters: bytes_out (to the transmitter), bytes_in (from it), floor_s (all
// bytes at 960 bytes a second, as if the line carried one direction at a
// time with no gap) and x_floor, the time over that floor. What is above 1
// is the command rhythm the link keeps: one command at a time, the next one
// sent on the pump tick after the prompt, one reply line framed per 10 ms.

#include "common/SampleConfigs.h"
#include "common/SimPeer.h"
#include "common/SimProcess.h"
#include "common/Spawn.h"
#include "common/VirtualClock.h"
#include "files/ConfigFile.h"
#include "link/OperationBox.h"
#include "protocol/GlbIni.h"
#include "protocol/UtilityControl.h"
#include "sim/SimTransmitter.h"
#include "workflows/ConfigTransfer.h"
#include "workflows/Supervision.h"
#include "workflows/TransmitterSession.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

using namespace tavin;
namespace fs = std::filesystem;

constexpr double kWireBytesPerSecond = 960;

void Report(benchmark::State& state, double seconds, double bytesOut, double bytesIn,
            std::size_t commands) {
    const double floor = (bytesOut + bytesIn) / kWireBytesPerSecond;
    state.counters["total_s"] = seconds;
    state.counters["bytes_out"] = bytesOut;
    state.counters["bytes_in"] = bytesIn;
    state.counters["floor_s"] = floor;
    state.counters["x_floor"] = floor > 0 ? seconds / floor : 0;
    state.counters["commands"] = static_cast<double>(commands);
}

// --- On the virtual clock ------------------------------------------------------------

class CountingPeer : public test::SimPeer {
public:
    using SimPeer::SimPeer;
    std::string Poll(std::int64_t nowMs) override {
        std::string out = SimPeer::Poll(nowMs);
        bytesIn += out.size();
        return out;
    }
    std::size_t bytesIn = 0;
};

class BenchHost : public SessionHost, public SupervisionHost {
public:
    explicit BenchHost(test::VirtualClock& clock) : clock_(clock) {}
    TransmitterSession* session = nullptr;
    std::int64_t delayDueMs = -1;
    std::string platformId;

    void ShowErrorBox(const std::string& text) override { errors.push_back(text); }
    void ShowInfoBox(const std::string&) override {}
    bool AskYesNo(const std::string&) override { return true; }
    std::optional<std::string> InputBox(const std::string&, const std::string&,
                                        const std::string&) override {
        return std::nullopt;
    }
    void ShowProgressBox(OperationBox&, const std::string&) override {}
    void StartBoxDelayTimer(int ms) override { delayDueMs = clock_.NowMs() + ms; }
    void StopBoxDelayTimer() override { delayDueMs = -1; }
    std::string PlatformIdText() const override { return platformId; }
    std::string ClockTimeText() const override { return {}; }
    std::string ClockDateText() const override { return {}; }
    std::string UTCCorrectionText() const override { return {}; }
    void ShowPlatformId(const std::string& id) override { platformId = id; }

    void EnableCommTimer() override { clock_.EnableTimer(LinkTimer::Comm, true); }
    bool PortOpen() const override { return clock_.PortOpen(); }
    OperationBox* OpenProgressBox() override { return session ? session->ProgressBox() : nullptr; }

    std::vector<std::string> errors;

private:
    test::VirtualClock& clock_;
};

struct Rig {
    sim::SimTransmitter sim;
    CountingPeer peer{sim};
    test::VirtualClock clock;
    BenchHost host{clock};
    XmtrConfig cfg;
    TGlbIni ini;
    TUtilityControl utility;
    ParseContext ctx;
    TransmitterSession session{clock.Link(), clock, host, host, cfg, ctx, ini, utility};

    Rig() {
        host.session = &session;
        sim.SetPaced(true);
        utility.SetVersionCode(153, ini, true);
        clock.onMessage = [this](const test::WindowMessage& m) {
            session.HandleWindowMessage(m.message, m.param);
        };
        clock.onRestartConfigure = [this] { session.RestartConfigureSequence(); };
        clock.onRestartRetrieve = [this] { session.RestartRetrieveSequence(); };
        clock.AttachPeer(&peer);
        clock.OpenPort();
        clock.StartPump();
        clock.Link().QueueCommand("");
        Run([&] { return clock.Link().TransmitterAnswering && Idle(); });
    }
    bool Idle() {
        return clock.Link().ListXmitCmd.empty() && clock.Link().CurrentCommand().empty();
    }
    void Run(const std::function<bool()>& done) {
        for (int i = 0; i < 3'600'000 && !done(); ++i) {
            clock.AdvanceMs(1);
            if (host.delayDueMs >= 0 && clock.NowMs() >= host.delayDueMs) {
                host.delayDueMs = -1;
                session.ProgressBoxDelayElapsed();
            }
        }
    }
    std::size_t BytesOut() const { return clock.Written().size(); }
    // Runs one operation to its end: virtual seconds, bytes each way.
    template <typename Start> void Measure(benchmark::State& state, Start start) {
        const std::int64_t t0 = clock.NowMs();
        const std::size_t out0 = BytesOut();
        const std::size_t in0 = peer.bytesIn;
        const std::size_t lines0 = sim.ReceivedLines().size();
        start();
        Run([&] { return session.ProgressBox() == nullptr; });
        if (session.Transfer().Outcome() != TransferOutcome::Completed) {
            state.SkipWithError("the sequence did not complete");
            return;
        }
        const double seconds = static_cast<double>(clock.NowMs() - t0) / 1000.0;
        state.SetIterationTime(seconds);
        Report(state, seconds, static_cast<double>(BytesOut() - out0),
               static_cast<double>(peer.bytesIn - in0), sim.ReceivedLines().size() - lines0);
    }
};

void SendFullConfigVirtual(benchmark::State& state) {
    for (auto _ : state) {
        Rig rig;
        rig.cfg = test::SampleConfig();
        rig.ctx.RederiveTxMode(rig.cfg);
        rig.host.platformId = rig.cfg.PlatformIdGoes;
        rig.Measure(state, [&] { rig.session.Transfer().BtnConfigAllClick(); });
    }
}
BENCHMARK(SendFullConfigVirtual)->UseManualTime()->Unit(benchmark::kSecond)->Iterations(1);

void RetrieveFullConfigVirtual(benchmark::State& state) {
    for (auto _ : state) {
        Rig rig;
        rig.cfg = test::SampleConfig();
        rig.ctx.RederiveTxMode(rig.cfg);
        rig.host.platformId = rig.cfg.PlatformIdGoes;
        rig.session.Transfer().BtnConfigAllClick();
        rig.Run([&] { return rig.session.ProgressBox() == nullptr; });
        rig.cfg = XmtrConfig{};
        rig.Measure(state, [&] { rig.session.Transfer().BtnRefreshAllClick(); });
        if (!rig.cfg.SDI12[63].IsDefined() || !rig.cfg.MinMaxAvg[19].Max) {
            state.SkipWithError("the configuration did not come back whole");
        }
    }
}
BENCHMARK(RetrieveFullConfigVirtual)->UseManualTime()->Unit(benchmark::kSecond)->Iterations(1);

// --- Over a pseudo-terminal -------------------------------------------------------------

int RunCli(const std::vector<std::string>& args) {
    return tavin::test::RunQuietly(TAVIN_CLI_PROGRAM, args);
}

// Bytes each way and commands, from the simulator's transcript: a received
// line came with its carriage return and went back as the echo; every reply
// line carries "\r\n"; the prompt is one byte.
void TranscriptBytes(const fs::path& path, double& out, double& in, std::size_t& commands) {
    std::ifstream file(path);
    std::string line;
    out = in = 0;
    commands = 0;
    while (std::getline(file, line)) {
        if (line.size() < 13) {
            continue;
        }
        const char dir = line[11];
        const std::string text = line.substr(13);
        if (dir == 'R') {
            out += static_cast<double>(text.size()) + 1;
            if (!text.empty()) {
                in += static_cast<double>(text.size()) + 2;
                ++commands;
            }
        } else if (dir == 'S') {
            in += text == ">" ? 1.0 : static_cast<double>(text.size()) + 2;
        } else if (dir == '*' && text.rfind("wake-up", 0) == 0) {
            out += 1;
        }
    }
}

struct PtyRun {
    fs::path dir;
    fs::path config;
    PtyRun() {
        dir = fs::temp_directory_path() / ("tavin-bench-" + std::to_string(::getpid()));
        fs::create_directories(dir);
        TGlbIni ini;
        TUtilityControl utility;
        utility.SetVersionCode(153, ini, true);
        ParseContext ctx;
        ctx.Utility = &utility;
        ctx.Ini = &ini;
        const XmtrConfig cfg = test::SampleConfig();
        ctx.RederiveTxMode(cfg);
        config = dir / "full.txt";
        SaveConfigFile(config.string(), cfg, ctx);
    }
    ~PtyRun() { fs::remove_all(dir); }

    void Measure(benchmark::State& state, std::vector<std::string> simArgs,
                 std::vector<std::string> cliArgs) {
        const fs::path transcript = dir / "transcript.log";
        simArgs.insert(simArgs.end(),
                       {"--pace", "--log-days", "0", "--transcript", transcript.string()});
        test::SimProcess sim;
        std::string error;
        if (!sim.Start(TAVIN_SIM_PROGRAM, simArgs, error)) {
            state.SkipWithError(error.c_str());
            return;
        }
        cliArgs.insert(cliArgs.begin(), {"--port", sim.Link()});
        const auto t0 = std::chrono::steady_clock::now();
        const int code = RunCli(cliArgs);
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        sim.Stop();
        if (code != 0) {
            state.SkipWithError("tavin-cli failed");
            return;
        }
        state.SetIterationTime(seconds);
        double out = 0, in = 0;
        std::size_t commands = 0;
        TranscriptBytes(transcript, out, in, commands);
        Report(state, seconds, out, in, commands);
    }
};

void SendFullConfigPty(benchmark::State& state) {
    PtyRun run;
    for (auto _ : state) {
        run.Measure(state, {}, {"send", run.config.string()});
    }
}
BENCHMARK(SendFullConfigPty)->UseManualTime()->Unit(benchmark::kSecond)->Iterations(1);

void RetrieveFullConfigPty(benchmark::State& state) {
    PtyRun run;
    for (auto _ : state) {
        run.Measure(state, {"--config", run.config.string()},
                    {"retrieve", "-o", (run.dir / "back.txt").string()});
    }
}
BENCHMARK(RetrieveFullConfigPty)->UseManualTime()->Unit(benchmark::kSecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();

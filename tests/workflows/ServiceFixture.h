#pragma once
// The service windows' logic on the virtual clock against the simulated
// transmitter: the link and its wire from VirtualClock, a main window host
// that records the opening and closing steps, memos that record their
// lines, and a helper that runs a window's reply timer beside the clock.

#include "common/SimPeer.h"
#include "common/VirtualClock.h"
#include "sim/SimTransmitter.h"
#include "workflows/ServiceMemo.h"
#include "workflows/ServiceWindowSteps.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace tavin::test {

class RecordingMemo : public ServiceMemo {
public:
    void AppendLine(const std::string& line) override { lines.push_back(line); }
    void ClearLines() override { lines.clear(); }
    bool Has(const std::string& line) const {
        for (const auto& l : lines) {
            if (l == line) {
                return true;
            }
        }
        return false;
    }
    std::vector<std::string> lines;
};

class RecordingMainHost : public ServiceMainHost {
public:
    explicit RecordingMainHost(VirtualClock& clock) : clock_(clock) {}
    bool CheckLinkReady(bool showMessage) override {
        if (!linkReady && showMessage) {
            ++linkMessages;
        }
        return linkReady;
    }
    bool SensorTestsRunning() const override { return sensorTests; }
    void StopSensorTestViews() override {
        sensorTests = false;
        ++testViewStops;
    }
    void EnableAutoPoll(bool enabled) override { autoPoll = enabled; }
    void EnableCommTimer() override { clock_.EnableTimer(LinkTimer::Comm, true); }
    void InstallAlivePoll() override { ++alivePollInstalls; }
    void ConfigureAutoPoll() override { ++autoPollConfigures; }

    bool linkReady = true;
    int linkMessages = 0;
    bool sensorTests = false;
    int testViewStops = 0;
    bool autoPoll = true;
    int alivePollInstalls = 0;
    int autoPollConfigures = 0;

private:
    VirtualClock& clock_;
};

class ServiceFixture : public ::testing::Test {
protected:
    ServiceFixture() : link(clock.Link()), mainHost(clock), peer(sim) {
        sim.SetSleepAfterMs(0);
        clock.AttachPeer(&peer);
        clock.OpenPort();
        clock.StartPump();
    }

    // Opens a window of this kind with handler as its reply handler.
    bool Open(ServiceWindow kind, TransmitterLink::LineHandler handler) {
        return OpenServiceWindow(kind, link, mainHost, std::move(handler));
    }

    // Runs the clock; onTick runs every tickMs as the window's reply timer.
    void Run(std::int64_t ms, const std::function<void()>& onTick = {}, int tickMs = 20) {
        for (std::int64_t i = 0; i < ms; ++i) {
            clock.AdvanceMs(1);
            if (onTick && clock.NowMs() % tickMs == 0) {
                onTick();
            }
        }
    }
    bool RunUntil(const std::function<bool()>& done, std::int64_t limitMs,
                  const std::function<void()>& onTick = {}, int tickMs = 20) {
        for (std::int64_t i = 0; i < limitMs && !done(); ++i) {
            Run(1, onTick, tickMs);
        }
        return done();
    }

    // The command lines the simulator received, wake-ups left out.
    std::vector<std::string> SimCommands() const {
        std::vector<std::string> out;
        for (const auto& l : sim.ReceivedLines()) {
            if (!l.empty()) {
                out.push_back(l);
            }
        }
        return out;
    }

    VirtualClock clock;
    TransmitterLink& link;
    RecordingMainHost mainHost;
    sim::SimTransmitter sim;
    SimPeer peer;
};

} // namespace tavin::test

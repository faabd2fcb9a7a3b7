#pragma once
// Supervision on the virtual clock: the link and its wire from VirtualClock,
// plus the two timers the main window adds (the poll timer and the progress
// box's delay), a host that records what the window would show, and the
// simulated transmitter or a scripted peer at the far end.

#include "common/SimPeer.h"
#include "common/VirtualClock.h"
#include "link/OperationBox.h"
#include "protocol/GlbIni.h"
#include "protocol/UtilityControl.h"
#include "protocol/XmtrConfig.h"
#include "sim/SimTransmitter.h"
#include "workflows/Supervision.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace tavin::test {

class TestSupervisionHost : public SupervisionHost, public OperationBoxHost {
public:
    explicit TestSupervisionHost(VirtualClock& clock) : clock_(clock) {}

    // SupervisionHost
    void SetAutoPollInterval(int ms) override {
        if (ms != pollMs) {
            pollMs = ms;
            pollDueMs = clock_.NowMs() + ms;
        }
        pollIntervals.push_back(ms);
    }
    void EnableAutoPoll(bool enabled) override {
        if (enabled && !pollEnabled) {
            pollDueMs = clock_.NowMs() + pollMs;
        }
        pollEnabled = enabled;
    }
    bool AutoPollEnabled() const override { return pollEnabled; }
    void EnableCommTimer() override {
        ++commTimerEnables;
        clock_.EnableTimer(LinkTimer::Comm, true);
    }
    bool PortOpen() const override { return clock_.PortOpen(); }
    int PortNumber() const override { return port; }
    bool MonitorMode() const override { return monitor; }
    StatusTab ActiveStatusTab() const override { return tab; }
    void ShowCommStatus(const std::string& text) override { commStatus.push_back(text); }
    void StatusViewChanged() override { ++viewChanges; }
    OperationBox* OpenProgressBox() override { return box && box->IsOpen() ? box.get() : nullptr; }
    void ShowInfoBox(const std::string& text) override { infoBoxes.push_back(text); }
    void FirmwareLevelChanged(int level) override { levelChanges.push_back(level); }
    void RefreshAllViews() override { ++refreshAll; }
    void AppendSDI12Query(const std::string& line) override { sdi12Memo.push_back(line); }
    void AppendInternalSensorTest(const std::string& line) override { internMemo.push_back(line); }
    void ClearDumpStarted() override { ++dumpClears; }
    TransmitterLink::LineHandler TimedDataBufferStatusHandler() override {
        return [this](const std::string& line) { timedBufferLines.push_back(line); };
    }

    // OperationBoxHost
    void BoxChanged() override {}
    void StartDelayTimer(int ms) override { boxDueMs = clock_.NowMs() + ms; }
    void StopDelayTimer() override { boxDueMs = -1; }
    void BoxClosed(int result) override {
        boxResult = result;
        boxClosedAtMs = clock_.NowMs();
    }

    // Opens a progress box, as a long operation does.
    OperationBox& OpenBox() {
        box = std::make_unique<OperationBox>(this);
        boxResult = -1;
        return *box;
    }

    // Runs the link's clock and the two window timers for ms milliseconds.
    void Run(Supervision& s, std::int64_t ms) {
        for (std::int64_t i = 0; i < ms; ++i) {
            clock_.AdvanceMs(1);
            if (pollEnabled && pollMs > 0 && clock_.NowMs() >= pollDueMs) {
                pollDueMs = clock_.NowMs() + pollMs;
                s.TimerAutoPollTimer();
            }
            if (box && boxDueMs >= 0 && clock_.NowMs() >= boxDueMs) {
                boxDueMs = -1;
                box->TimerDelayTimer();
            }
        }
    }

    bool monitor = false;
    StatusTab tab = StatusTab::TAVINStatus;
    int port = 3;

    bool pollEnabled = true; // enabled from creation
    int pollMs = 0;
    std::int64_t pollDueMs = 0;
    std::vector<int> pollIntervals;
    int commTimerEnables = 0;
    std::vector<std::string> commStatus;
    std::vector<std::string> infoBoxes;
    std::vector<int> levelChanges;
    std::vector<std::string> sdi12Memo;
    std::vector<std::string> internMemo;
    std::vector<std::string> timedBufferLines;
    int viewChanges = 0;
    int refreshAll = 0;
    int dumpClears = 0;

    std::unique_ptr<OperationBox> box;
    std::int64_t boxDueMs = -1;
    int boxResult = -1;
    std::int64_t boxClosedAtMs = -1;

private:
    VirtualClock& clock_;
};

class SupervisionFixture : public ::testing::Test {
protected:
    SupervisionFixture()
        : link(clock.Link()), host(clock), sup(link, cfg, ctx, utility, ini, host) {
        utility.SetVersionCode(111, ini);
        ctx.Utility = &utility;
        ctx.Ini = &ini;
        ctx.TxModeChanged = [this](int mode) { modes.push_back(mode); };
        clock.onMessage = [this](const WindowMessage& m) {
            sup.HandleWindowMessage(m.message, m.param);
        };
    }

    // The port opens and the pump starts, as when the main window shows.
    void Start(VirtualPeer* peer) {
        clock.AttachPeer(peer);
        clock.OpenPort();
        clock.StartPump();
        sup.ConfigureAutoPoll();
    }
    void StartWithSim() {
        simPeer = std::make_unique<SimPeer>(sim);
        Start(simPeer.get());
    }
    void Run(std::int64_t ms) { host.Run(sup, ms); }
    // Runs until done() holds, at most limitMs; returns done().
    bool RunUntil(const std::function<bool()>& done, std::int64_t limitMs) {
        for (std::int64_t i = 0; i < limitMs && !done(); ++i) {
            Run(1);
        }
        return done();
    }
    // The commands the simulator received, in order (wake-ups left out).
    std::vector<std::string> SimCommands() const {
        std::vector<std::string> out;
        for (const auto& l : sim.ReceivedLines()) {
            out.push_back(l);
        }
        return out;
    }

    VirtualClock clock;
    TransmitterLink& link;
    XmtrConfig cfg;
    TGlbIni ini;
    TUtilityControl utility;
    ParseContext ctx;
    TestSupervisionHost host;
    Supervision sup;
    std::vector<int> modes;

    sim::SimTransmitter sim;
    std::unique_ptr<SimPeer> simPeer;
    ScriptedPeer peer;
};

} // namespace tavin::test

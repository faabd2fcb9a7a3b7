#pragma once
// A session on the virtual clock with the simulated transmitter at the far
// end (or a scripted one), a host that answers every prompt from a script and
// records what the user would have seen, and helpers that run the clock until
// an operation has ended.

#include "common/SimPeer.h"
#include "common/VirtualClock.h"
#include "link/OperationBox.h"
#include "protocol/GlbIni.h"
#include "protocol/ParseContext.h"
#include "protocol/UtilityControl.h"
#include "protocol/XmtrConfig.h"
#include "sim/SimTransmitter.h"
#include "workflows/ConfigTransfer.h"
#include "workflows/StateCommands.h"
#include "workflows/Supervision.h"
#include "workflows/TransmitterSession.h"

#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace tavin::test {

// Both hosts of the session: the workflows' prompts and views, and the
// supervision's poll timer and status display.
class ScriptHost : public SessionHost, public SupervisionHost {
public:
    explicit ScriptHost(VirtualClock& clock) : clock_(clock) {}
    void SetSession(TransmitterSession* session) { session_ = session; }

    void ShowErrorBox(const std::string& text) override {
        errors.push_back(text);
        BoxOpen();
    }
    void ShowInfoBox(const std::string& text) override {
        infos.push_back(text);
        BoxOpen();
    }
    bool AskYesNo(const std::string& text) override {
        questions.push_back(text);
        BoxOpen();
        if (yesNo.empty()) {
            return true;
        }
        const bool answer = yesNo.front();
        yesNo.pop_front();
        return answer;
    }
    std::optional<std::string> InputBox(const std::string& caption, const std::string& prompt,
                                        const std::string& initial) override {
        inputs.push_back(caption + "|" + prompt + "|" + initial);
        BoxOpen();
        return inputAnswer;
    }

    void ShowProgressBox(OperationBox&, const std::string& caption) override {
        boxCaptions.push_back(caption);
    }
    void StartBoxDelayTimer(int ms) override { delayDueMs = clock_.NowMs() + ms; }
    void StopBoxDelayTimer() override { delayDueMs = -1; }
    void ProgressBoxClosed(int result) override { boxResults.push_back(result); }

    // SupervisionHost
    void SetAutoPollInterval(int ms) override { autoPollMs = ms; }
    void EnableAutoPoll(bool on) override { autoPoll = on; }
    bool AutoPollEnabled() const override { return autoPoll; }
    void EnableCommTimer() override { clock_.EnableTimer(LinkTimer::Comm, true); }
    bool PortOpen() const override { return clock_.PortOpen(); }
    int PortNumber() const override { return 1; }
    OperationBox* OpenProgressBox() override {
        return session_ != nullptr ? session_->ProgressBox() : nullptr;
    }

    void RefreshConfigViews() override { ++refreshes; }
    void ShowPlatformId(const std::string& id) override { platformIdField = id; }
    void ChannelsLoaded() override { ++channelLoads; }
    void FocusControl(const FocusTarget& target) override { focus.push_back(target); }
    void MainPageChanged() override { ++pageChanges; }
    void ShowClockTime(const std::string& time) override { shownTime = time; }
    void ShowClockDate(const std::string& date) override { shownDate = date; }
    void ShowUTCCorrection(int correction) override { shownUTC = correction; }
    void ShowUTCSource(const std::string& text) override { utcSource = text; }

    std::string PlatformIdText() const override { return platformIdField; }
    std::string ClockTimeText() const override { return clockTime; }
    std::string ClockDateText() const override { return clockDate; }
    std::string UTCCorrectionText() const override { return utcText; }
    std::tm LocalTimeNow() const override { return pcTime; }

    // Runs while a box is open, as the person reads it (the link's timers go
    // on inside a modal box).
    std::function<void()> whileBoxOpen;

    // Answers
    std::deque<bool> yesNo;
    std::optional<std::string> inputAnswer;
    std::string platformIdField;
    std::string clockTime = "12:00:00";
    std::string clockDate = "01/01/2024";
    std::string utcText = "0";
    std::tm pcTime{};

    // Record
    std::vector<std::string> errors, infos, questions, inputs, boxCaptions;
    std::vector<int> boxResults;
    std::vector<FocusTarget> focus;
    std::int64_t delayDueMs = -1;
    bool autoPoll = true;
    int autoPollMs = 0;
    int refreshes = 0;
    int channelLoads = 0;
    int pageChanges = 0;
    std::string shownTime, shownDate, utcSource;
    std::optional<int> shownUTC;

private:
    void BoxOpen() {
        if (whileBoxOpen) {
            auto run = std::move(whileBoxOpen); // no box inside this one
            run();
            whileBoxOpen = std::move(run);
        }
    }

    VirtualClock& clock_;
    TransmitterSession* session_ = nullptr;
};

class SessionFixture : public ::testing::Test {
protected:
    SessionFixture()
        : peer(sim), host(clock), link(clock.Link()),
          session(link, clock, host, host, cfg, ctx, ini, utility) {
        host.SetSession(&session);
        clock.onMessage = [this](const WindowMessage& m) {
            session.HandleWindowMessage(m.message, m.param);
        };
        clock.onRestartConfigure = [this] { session.RestartConfigureSequence(); };
        clock.onRestartRetrieve = [this] { session.RestartRetrieveSequence(); };
        clock.AttachPeer(&peer);
        clock.OpenPort();
        clock.StartPump();
    }

    // The firmware of the simulator and the feature switches that follow it.
    void UseFirmware(const std::string& version) {
        ASSERT_TRUE(sim.SetFirmwareVersion(version));
        utility.SetVersionCode(VersionCodeFromText(version), ini, true);
    }

    // One exchange, so that the transmitter counts as answering.
    void Connect() {
        link.QueueCommand("");
        ASSERT_TRUE(RunUntil([&] { return link.TransmitterAnswering && Idle(); }, 2000));
    }

    // Idle polling is back: the alive poll's handler holds the link.
    bool PollRestored() {
        return session.Supervisor().InstalledHandler() == PollHandler::TAVINAlivePollHandler;
    }
    int TimeOuts() const { return session.CommTimeOuts(); }

    bool Idle() const { return link.ListXmitCmd.empty() && link.CurrentCommand().empty(); }

    // One millisecond of virtual time, with the box's delay timer.
    void Step() {
        clock.AdvanceMs(1);
        if (host.delayDueMs >= 0 && clock.NowMs() >= host.delayDueMs) {
            host.delayDueMs = -1;
            session.ProgressBoxDelayElapsed();
        }
    }
    bool RunUntil(const std::function<bool()>& done, std::int64_t limitMs) {
        for (std::int64_t i = 0; i < limitMs && !done(); ++i) {
            Step();
        }
        return done();
    }
    // Runs until the progress box has closed; false when it is still open.
    bool RunUntilBoxClosed(std::int64_t limitMs = 600000) {
        return RunUntil([&] { return session.ProgressBox() == nullptr; }, limitMs);
    }
    void RunMs(std::int64_t ms) {
        for (std::int64_t i = 0; i < ms; ++i) {
            Step();
        }
    }

    // The model after a retrieve from the simulator.
    void Retrieve() {
        session.Transfer().BtnRefreshAllClick();
        ASSERT_TRUE(RunUntilBoxClosed());
    }

    sim::SimTransmitter sim;
    SimPeer peer;
    VirtualClock clock;
    ScriptHost host;
    TransmitterLink& link;
    XmtrConfig cfg;
    TGlbIni ini;
    TUtilityControl utility;
    ParseContext ctx;
    TransmitterSession session;
};

} // namespace tavin::test

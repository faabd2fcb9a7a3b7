#pragma once
// Runs a TransmitterLink in virtual time: its two timers, the serial line in
// both directions paced at 9600 baud (10 bits a byte, about 1.04 ms), and a
// peer at the far end (a scripted fake, or the simulated transmitter through
// an adapter). Time-outs, retries and wake-ups are tested exactly and in
// milliseconds of real time.
//
// Each millisecond: bytes that have crossed the line reach the peer, the
// peer is polled, bytes that have crossed the other way reach the link (one
// data-available event), then the due timers fire in order. Posted window
// messages are delivered after the event that posted them, sent ones at once.

#include "link/LinkHost.h"
#include "link/TransmitterLink.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tavin::test {

class VirtualPeer {
public:
    virtual ~VirtualPeer() = default;
    virtual void Receive(std::string_view bytes, std::int64_t nowMs) = 0; // bytes from the utility
    virtual std::string Poll(std::int64_t nowMs) = 0; // bytes the peer sends now
};

struct WindowMessage {
    int message = 0;
    int param = 0;
    bool sent = false; // sent (handled at once) rather than posted
    std::int64_t atMs = 0;
};

class VirtualClock : public LinkHost {
public:
    // One byte on the line at 9600 baud, 8N1, in nanoseconds.
    static constexpr std::int64_t kByteNs = 10'000'000'000LL / 9600;

    VirtualClock();
    ~VirtualClock() override;

    TransmitterLink& Link() { return *link_; }

    // The far end; null = nothing answers. Not owned.
    void AttachPeer(VirtualPeer* peer) { peer_ = peer; }
    // With pacing off, bytes cross the line at once.
    void SetPacing(bool on) { pacing_ = on; }

    // The port opens (ring reset, retries reset, flushed, ready) or closes.
    void OpenPort();
    void ClosePort();
    // The pump starts, as when the main window is first shown.
    void StartPump() { EnableTimer(LinkTimer::Comm, true); }

    std::int64_t NowMs() const { return nowMs_; }
    // Runs every event up to now + ms.
    void AdvanceMs(std::int64_t ms);
    // Runs until done() holds (checked after every millisecond) or limitMs
    // have passed; returns done().
    bool RunUntil(const std::function<bool()>& done, std::int64_t limitMs);
    // Puts bytes on the line towards the utility, as if the peer sent them.
    void SendFromPeer(std::string_view bytes);
    // Hands posted window messages to the main window now, as the event loop
    // does after each event; for tests that call the link's events directly.
    void DeliverPosted();

    bool TimerEnabled(LinkTimer timer) const { return Timer(timer).enabled; }
    int TimerInterval(LinkTimer timer) const { return Timer(timer).intervalMs; }

    // --- What the link asked for, recorded -------------------------------------
    std::vector<std::string> traces;
    std::vector<WindowMessage> messages;
    std::vector<std::string> boxCommands;
    std::vector<std::string> feedback;
    // Every write of the link, with its time.
    struct Write {
        std::int64_t atMs;
        std::string bytes;
    };
    std::vector<Write> writes;
    IndicatorLook indicator = IndicatorLook::Error;
    int gauge = 0;
    int sensorRefreshes = 0;
    int configureRestarts = 0;
    int retrieveRestarts = 0;

    // Hooks a test may set: a window message as the main window gets it, and
    // the two sequence restarts.
    std::function<void(const WindowMessage&)> onMessage;
    std::function<void()> onRestartConfigure;
    std::function<void()> onRestartRetrieve;

    // All bytes the link wrote, in order.
    std::string Written() const;
    // How many of the messages have this number.
    int CountMessages(int message) const;

    // LinkHost
    void SetTimerInterval(LinkTimer timer, int ms) override;
    void EnableTimer(LinkTimer timer, bool enabled) override;
    bool PortOpen() const override { return portOpen_; }
    void WritePort(std::string_view bytes) override;
    void PostWindowMessage(int message, int param) override;
    void SendWindowMessage(int message, int param) override;
    void ShowIndicator(IndicatorLook look) override { indicator = look; }
    void AppendTrace(std::string_view line) override { traces.emplace_back(line); }
    void ShowCommandInProgressBox(std::string_view command) override {
        boxCommands.emplace_back(command);
    }
    void ShowReplyFeedback(std::string_view line) override { feedback.emplace_back(line); }
    void ShowRingGauge(int value) override { gauge = value; }
    void RefreshSensorViews() override { ++sensorRefreshes; }
    void RestartConfigureSequence() override;
    void RestartRetrieveSequence() override;

private:
    struct TimerState {
        bool enabled = false;
        int intervalMs = 0;
        std::int64_t dueMs = 0;
    };
    struct InFlight {
        std::int64_t arrivesNs;
        char byte;
    };
    TimerState& Timer(LinkTimer timer) { return timer == LinkTimer::XmitReply ? xmit_ : comm_; }
    const TimerState& Timer(LinkTimer timer) const {
        return timer == LinkTimer::XmitReply ? xmit_ : comm_;
    }
    void StepOneMs();
    void Queue(std::deque<InFlight>& wire, std::int64_t& freeAtNs, std::string_view bytes);
    std::string Arrived(std::deque<InFlight>& wire);

    std::unique_ptr<TransmitterLink> link_;
    VirtualPeer* peer_ = nullptr;
    bool pacing_ = true;
    bool portOpen_ = false;
    std::int64_t nowMs_ = 0;
    TimerState xmit_;
    TimerState comm_;
    std::deque<InFlight> toPeer_;
    std::deque<InFlight> toLink_;
    std::int64_t toPeerFreeNs_ = 0;
    std::int64_t toLinkFreeNs_ = 0;
    std::deque<WindowMessage> posted_;
};

// A fake transmitter driven by a script: each line it receives (ended by a
// carriage return; ESC counts as a line of its own) is recorded and passed
// to Answer, whose text goes back after replyDelayMs. Like the transmitter it
// falls asleep after sleepAfterMs without traffic either way (and is asleep
// at first): the first byte then only wakes it.
class ScriptedPeer : public VirtualPeer {
public:
    struct Line {
        std::int64_t atMs;
        std::string text;
    };

    std::function<std::string(const std::string& line)> Answer;
    std::int64_t replyDelayMs = 5;
    std::int64_t sleepAfterMs = 3000; // < 0: never sleeps
    std::vector<Line> received;
    int wakeUps = 0;

    void Receive(std::string_view bytes, std::int64_t nowMs) override;
    std::string Poll(std::int64_t nowMs) override;

    // How many times this exact line was received.
    int Count(const std::string& line) const;

private:
    bool Asleep(std::int64_t nowMs) const {
        return sleepAfterMs >= 0 && (!active_ || nowMs - lastActivityMs_ >= sleepAfterMs);
    }

    std::string partial_;
    bool active_ = false;
    std::int64_t lastActivityMs_ = 0;
    std::multimap<std::int64_t, std::string> pending_;
};

} // namespace tavin::test

#include "common/VirtualClock.h"

#include <algorithm>
#include <utility>

namespace tavin::test {

VirtualClock::VirtualClock() {
    xmit_ = {true, kXmitReplyInitialMs, kXmitReplyInitialMs};
    comm_ = {false, kCommInitialMs, 0};
    link_ = std::make_unique<TransmitterLink>(*this);
}

VirtualClock::~VirtualClock() = default;

void VirtualClock::OpenPort() {
    portOpen_ = true;
    toLink_.clear();
    link_->ResetReceiveRing();
    link_->ResetRetries();
    link_->PortOpened();
}

void VirtualClock::ClosePort() {
    portOpen_ = false;
    link_->PortClosed();
}

void VirtualClock::AdvanceMs(std::int64_t ms) {
    for (std::int64_t i = 0; i < ms; ++i) {
        StepOneMs();
    }
}

bool VirtualClock::RunUntil(const std::function<bool()>& done, std::int64_t limitMs) {
    for (std::int64_t i = 0; i < limitMs && !done(); ++i) {
        StepOneMs();
    }
    return done();
}

void VirtualClock::SendFromPeer(std::string_view bytes) {
    Queue(toLink_, toLinkFreeNs_, bytes);
}

void VirtualClock::Queue(std::deque<InFlight>& wire, std::int64_t& freeAtNs,
                         std::string_view bytes) {
    const std::int64_t nowNs = nowMs_ * 1'000'000;
    for (char c : bytes) {
        if (pacing_) {
            freeAtNs = std::max(freeAtNs, nowNs) + kByteNs;
            wire.push_back({freeAtNs, c});
        } else {
            wire.push_back({nowNs, c});
        }
    }
}

std::string VirtualClock::Arrived(std::deque<InFlight>& wire) {
    const std::int64_t nowNs = nowMs_ * 1'000'000;
    std::string bytes;
    while (!wire.empty() && wire.front().arrivesNs <= nowNs) {
        bytes.push_back(wire.front().byte);
        wire.pop_front();
    }
    return bytes;
}

void VirtualClock::StepOneMs() {
    ++nowMs_;
    std::string toPeer = Arrived(toPeer_);
    if (peer_ != nullptr) {
        if (!toPeer.empty()) {
            peer_->Receive(toPeer, nowMs_);
        }
        std::string out = peer_->Poll(nowMs_);
        if (!out.empty()) {
            Queue(toLink_, toLinkFreeNs_, out);
        }
    }
    std::string toLink = Arrived(toLink_);
    if (!toLink.empty() && portOpen_) {
        link_->ComPortTriggerAvail(toLink);
        DeliverPosted();
    }
    // Due timers in order of their due time; the reply timer first on a tie.
    for (;;) {
        TimerState* next = nullptr;
        LinkTimer which = LinkTimer::XmitReply;
        if (xmit_.enabled && xmit_.dueMs <= nowMs_) {
            next = &xmit_;
        }
        if (comm_.enabled && comm_.dueMs <= nowMs_ &&
            (next == nullptr || comm_.dueMs < next->dueMs)) {
            next = &comm_;
            which = LinkTimer::Comm;
        }
        if (next == nullptr) {
            break;
        }
        next->dueMs = nowMs_ + next->intervalMs;
        if (which == LinkTimer::XmitReply) {
            link_->XmitReplyTimerTimer();
        } else {
            link_->CommTimerTimer();
        }
        DeliverPosted();
    }
}

void VirtualClock::DeliverPosted() {
    while (!posted_.empty()) {
        WindowMessage m = posted_.front();
        posted_.pop_front();
        messages.push_back(m);
        if (onMessage) {
            onMessage(m);
        }
    }
}

void VirtualClock::SetTimerInterval(LinkTimer timer, int ms) {
    TimerState& t = Timer(timer);
    if (t.intervalMs == ms) {
        return;
    }
    t.intervalMs = ms;
    if (t.enabled) {
        t.dueMs = nowMs_ + ms;
    }
}

void VirtualClock::EnableTimer(LinkTimer timer, bool enabled) {
    TimerState& t = Timer(timer);
    if (enabled && !t.enabled) {
        t.dueMs = nowMs_ + t.intervalMs;
    }
    t.enabled = enabled;
}

void VirtualClock::WritePort(std::string_view bytes) {
    if (!portOpen_) {
        return;
    }
    writes.push_back({nowMs_, std::string(bytes)});
    Queue(toPeer_, toPeerFreeNs_, bytes);
}

void VirtualClock::PostWindowMessage(int message, int param) {
    posted_.push_back({message, param, false, nowMs_});
}

void VirtualClock::SendWindowMessage(int message, int param) {
    WindowMessage m{message, param, true, nowMs_};
    messages.push_back(m);
    if (onMessage) {
        onMessage(m);
    }
}

void VirtualClock::RestartConfigureSequence() {
    ++configureRestarts;
    if (onRestartConfigure) {
        onRestartConfigure();
    }
}

void VirtualClock::RestartRetrieveSequence() {
    ++retrieveRestarts;
    if (onRestartRetrieve) {
        onRestartRetrieve();
    }
}

std::string VirtualClock::Written() const {
    std::string all;
    for (const Write& w : writes) {
        all += w.bytes;
    }
    return all;
}

int VirtualClock::CountMessages(int message) const {
    return static_cast<int>(
        std::count_if(messages.begin(), messages.end(),
                      [&](const WindowMessage& m) { return m.message == message; }));
}

// --- ScriptedPeer ----------------------------------------------------------------

void ScriptedPeer::Receive(std::string_view bytes, std::int64_t nowMs) {
    for (char c : bytes) {
        if (Asleep(nowMs)) {
            ++wakeUps;
            active_ = true;
            lastActivityMs_ = nowMs;
            continue;
        }
        lastActivityMs_ = nowMs;
        if (c == '\r' || c == '\x1b') {
            // ESC stands alone; what came before it stays pending.
            std::string line = c == '\x1b' ? std::string(1, c) : std::exchange(partial_, {});
            received.push_back({nowMs, line});
            if (Answer) {
                std::string reply = Answer(line);
                if (!reply.empty()) {
                    pending_.emplace(nowMs + replyDelayMs, std::move(reply));
                }
            }
        } else if (c != '\n') {
            partial_.push_back(c);
        }
    }
}

std::string ScriptedPeer::Poll(std::int64_t nowMs) {
    std::string out;
    while (!pending_.empty() && pending_.begin()->first <= nowMs) {
        out += pending_.begin()->second;
        pending_.erase(pending_.begin());
    }
    if (!out.empty()) {
        // Sending keeps it awake until the last byte has gone out.
        active_ = true;
        lastActivityMs_ =
            nowMs + static_cast<std::int64_t>(out.size()) * VirtualClock::kByteNs / 1'000'000;
    }
    return out;
}

int ScriptedPeer::Count(const std::string& line) const {
    return static_cast<int>(std::count_if(received.begin(), received.end(),
                                          [&](const Line& l) { return l.text == line; }));
}

} // namespace tavin::test

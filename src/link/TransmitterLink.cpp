#include "link/TransmitterLink.h"

#include "link/LinkTexts.h"
#include "link/WindowMessages.h"
#include "protocol/CommandLine.h"
#include "protocol/Vocabulary.h"

#include <algorithm>
#include <array>
#include <string>

namespace tavin {

namespace {

// An empty needle occurs nowhere: an empty command or end marker must never
// count as found.
bool Contains(std::string_view haystack, std::string_view needle) {
    return !needle.empty() && haystack.find(needle) != std::string_view::npos;
}

// The pump's interval until the tick after a command goes out: slow queries
// get time to answer before the time-out starts counting at 30 ms.
int FirstTickInterval(const std::string& command) {
    static const std::array<std::string, 3> k250 = {QueryCmd(mn::RGP), QueryCmd(mn::LGC),
                                                    QueryCmd(mn::TCR)};
    static const std::string k400 = QueryCmd(mn::RST);
    static const std::array<std::string, 17> k4000 = {
        BulkQueryCmd(mn::TDP), BulkQueryCmd(mn::RDP), BulkQueryCmd(mn::SSX), BulkQueryCmd(mn::SLX),
        BulkQueryCmd(mn::ILX), BulkQueryCmd(mn::ISX), BulkQueryCmd(mn::IM),  BulkQueryCmd(mn::SS),
        BulkQueryCmd(mn::SM),  BulkQueryCmd(mn::IS),  BulkQueryCmd(mn::IL),  BulkQueryCmd(mn::SL),
        QueryCmd(mn::MMA),     QueryCmd(mn::EQN),     QueryCmd(mn::TDP),     QueryCmd(mn::RDP),
        ActionCmd(mn::CFS)};
    auto in = [&](const auto& list) {
        return std::find(list.begin(), list.end(), command) != list.end();
    };
    if (in(k250)) {
        return 250;
    }
    if (command == k400) {
        return 400;
    }
    if (in(k4000)) {
        return 4000;
    }
    return TransmitterLink::kCommMs;
}

std::string AfterFirstEquals(const std::string& line) {
    auto at = line.find('=');
    return at == std::string::npos ? std::string() : line.substr(at + 1);
}

} // namespace

TransmitterLink::TransmitterLink(LinkHost& host) : host_(host) {}

// --- Receiving and framing ---------------------------------------------------

void TransmitterLink::ComPortTriggerAvail(std::string_view bytes) {
    std::size_t lost = ring_.Write(bytes);
    UpdateGauge();
    if (lost > 0) {
        Trace(texts::kTraceRingFull, std::to_string(lost));
    }
}

void TransmitterLink::XmitReplyTimerTimer() {
    Frame();
    host_.SetTimerInterval(LinkTimer::XmitReply, kXmitReplyMs);
    Dispatch();
}

void TransmitterLink::Frame() {
    bool lineCompleted = false;
    promptSeen_ = false;
    char c = 0;
    while (!lineCompleted && ring_.Read(c)) {
        promptSeen_ = false;
        if (c == '\n') {
            continue;
        }
        if (c == '\r') {
            std::string line = std::move(partialLine_);
            partialLine_.clear();
            if (lineOverflow_) {
                lineOverflow_ = false;
                Trace(texts::kTraceLineTooLong, std::to_string(droppedInLine_));
            }
            lineCompleted = true;
            Deliver(line);
        } else if (c == '>' && partialLine_.empty()) {
            promptSeen_ = true;
            lineCompleted = true;
            Deliver(">");
        } else if (partialLine_.size() < kMaxLineLength) {
            partialLine_.push_back(c);
        } else {
            if (!lineOverflow_) {
                droppedInLine_ = 0;
            }
            lineOverflow_ = true;
            ++droppedInLine_;
            ++droppedLineBytes_;
        }
    }
    UpdateGauge();
}

void TransmitterLink::Deliver(const std::string& line) {
    retriesLeft_ = kRetriesReload;
    Trace(texts::kTraceReceived, line);
    TransmitterAnswering = true;
    if (ReplyHandler) {
        if (line == ">") {
            host_.SetTimerInterval(LinkTimer::Comm, kCommMs);
            currentCommand_.clear();
        }
        // A copy, so that the handler may replace or remove itself.
        LineHandler handler = ReplyHandler;
        handler(line);
        replyCountdown_ = 0;
    } else {
        listXmitReply_.push_back(line);
    }
}

// --- Dispatching ---------------------------------------------------------------

void TransmitterLink::Dispatch() {
    if (listXmitReply_.empty()) {
        return;
    }
    std::string line = std::move(listXmitReply_.front());
    listXmitReply_.pop_front();

    if (OperationHandler) {
        LineHandler handler = OperationHandler;
        handler(line);
        if (Contains(line, currentCommand_)) {
            replyCountdown_ = 0;
        } else if (line == ">") {
            Complete();
        }
        return;
    }

    TrimCurrentCommand();
    if (ConfiguringAll) {
        ConfigureBranch(line);
    } else {
        NormalBranch(line);
    }
}

// The dispatcher compares replies with the mnemonic of the command, not with
// the command itself: "TCH?" is answered by "TCH=...", a bulk "SS*?" by rows
// "SS0=...", and "ADP=*" by "ADP=..." entries.
void TransmitterLink::TrimCurrentCommand() {
    std::string& cmd = currentCommand_;
    if (cmd.find('?') != std::string::npos) {
        cmd.resize(std::min<std::size_t>(cmd.size(), 3));
    }
    if (Contains(cmd, "ADP=*")) {
        cmd = "ADP=";
    } else if (cmd.find('*') != std::string::npos) {
        cmd = cmd.substr(0, 2) + "0";
    }
}

void TransmitterLink::ConfigureBranch(const std::string& line) {
    static const std::string kDat = SetCmd(mn::DAT, {});
    static const std::string kUtc = SetCmd(mn::UTC, {});
    static const std::string kAdp = SetCmd(mn::ADP, {});
    if (ShowFeedback) {
        host_.ShowReplyFeedback(line);
    }
    const std::string& marker = LoadEndMarker;
    if (Contains(line, "OK")) {
        if (Contains(currentCommand_, marker)) {
            if (marker == kDat) {
                Post(UMTAVINClockSet, kResultOk);
            } else if (marker == kUtc) {
                Post(UMTAVINUTCSet, kResultOk);
            } else {
                Post(UMEndLoadMessage, 0);
            }
            ConfiguringAll = false;
        }
    } else if (Contains(line, "ERR")) {
        ListXmitCmd.clear();
        FailedCommand = currentCommand_;
        if (marker == kDat) {
            Post(UMTAVINClockSet, kResultErr);
            ConfiguringAll = false;
        } else if (marker == kUtc) {
            Post(UMTAVINUTCSet, kResultErr);
            ConfiguringAll = false;
        } else {
            Post(UMEndLoadMessage, 0);
            host_.SendWindowMessage(UMTAVINErrorMessage, 0);
        }
    } else if (Contains(line, "INV")) {
        if (marker == kUtc) {
            Post(UMTAVINUTCSet, kResultInv);
            ConfiguringAll = false;
        } else {
            Post(UMEndLoadMessage, 0);
        }
    } else if (Contains(line, "ADP=40") && marker == kAdp) {
        Post(UMEndLoadMessage, 0);
        ConfiguringAll = false;
    } else if (promptSeen_) {
        replyCountdown_ = 0;
        currentCommand_.clear();
    }
}

void TransmitterLink::NormalBranch(const std::string& line) {
    static const std::string kRrtQuery = QueryCmd(mn::RRT);
    static const std::string kRrtMarker = SetCmd(mn::RRT, {});
    static const std::string kRdpMarker = SetCmd(mn::RDP, {});
    static const std::string kAdpAll = SetCmd(mn::ADP, {"*"});
    static const std::string kAdsQuery = QueryCmd(mn::ADS);
    static const std::string kAdsMarker = SetCmd(mn::ADS, {});
    static const std::string kAdpMarker = SetCmd(mn::ADP, {});
    static const std::string kAdpQuery = QueryCmd(mn::ADP);
    static const std::string kNid = SetCmd(mn::NID, {});
    static const std::string kAid = SetCmd(mn::AID, {});
    static const std::string kPis = SetCmd(mn::PIS, {});
    static const std::string kPb1 = SetCmd(mn::PB1, {});
    static const std::string kPb2 = SetCmd(mn::PB2, {});

    if (ShowFeedback) {
        host_.ShowReplyFeedback(line);
    }
    LinkDispatchTarget* target = DispatchTarget;

    // After the random formats come the random triggers, when random
    // transmissions take their data from the sensors.
    if (target != nullptr && Contains(currentCommand_, mn::RDP)) {
        const int channel = target->RandomChannel();
        const int source = target->RandomDataSource();
        if (channel > 0 && source != 0 && LoadEndMarker != kRrtMarker) {
            QueueCommand(kRrtQuery);
            LoadEndMarker = kRrtMarker;
        } else if (channel > 0 && source == 0) {
            LoadEndMarker = kRdpMarker;
        }
    }

    // In ARGOS modes the data pack and its status follow the triggers: once,
    // not again for every trigger row (the marker tells they are queued).
    if (target != nullptr && Contains(line, mn::RRT) && !target->GoesOnlyMode() &&
        LoadEndMarker != kAdsMarker) {
        QueueCommand(kAdpAll);
        QueueCommand(kAdsQuery);
        LoadEndMarker = kAdsMarker;
    } else if (Contains(line, LoadEndMarker)) {
        Post(UMEndLoadMessage, 1000);
    }

    if (Contains(line, currentCommand_)) {
        replyCountdown_ = 0;
    }
    if (promptSeen_) {
        Complete();
    }

    if (target != nullptr) {
        if (Contains(line, kNid)) {
            target->SetPlatformIdGoes(AfterFirstEquals(line));
        }
        if (Contains(line, kAid)) {
            target->SetPlatformIdArgos(AfterFirstEquals(line));
        }
        target->ShowPlatformId();
    }

    // Firmware that does not know the wildcard is asked for the pack plainly.
    if (currentCommand_ == kAdpMarker && line == "ERR") {
        QueueCommand(kAdpQuery);
    }

    // By index, so that a parser that changes the list cannot invalidate the
    // loop.
    for (std::size_t i = 0; i < ReplyParsers.size(); ++i) {
        LineHandler parser = ReplyParsers[i];
        if (parser) {
            parser(line);
        }
    }

    if (target != nullptr) {
        if (Contains(line, kPis)) {
            std::string text = AfterFirstEquals(line);
            if (text.size() > 40) {
                text.resize(40);
            }
            if (text == ".") {
                text.clear();
            }
            target->SetPlatformIdString(text);
        }
        if (Contains(line, kPb1)) {
            target->SetPseudoBinaryHeader(1, AfterFirstEquals(line).substr(0, 1));
        }
        if (Contains(line, kPb2)) {
            target->SetPseudoBinaryHeader(2, AfterFirstEquals(line).substr(0, 1));
        }
    }
}

// The prompt has arrived: the command is complete and the pump may go on at
// once, whatever longer first interval it had chosen.
void TransmitterLink::Complete() {
    replyCountdown_ = 0;
    currentCommand_.clear();
    host_.SetTimerInterval(LinkTimer::Comm, kCommMs);
}

// --- The pump --------------------------------------------------------------------

void TransmitterLink::CommTimerTimer() {
    if (replyCountdown_ == 0 && indicator_ != IndicatorLook::Ok) {
        SetIndicator(IndicatorLook::Ok);
        host_.RefreshSensorViews();
    }
    // Only "still within the allowance" matters, so the count stops at 0
    // instead of running down forever.
    if (idleTicks_ > 0) {
        --idleTicks_;
    }
    if (!host_.PortOpen() || !portReady_) {
        ListXmitCmd.clear();
        if (indicator_ == IndicatorLook::Error) {
            return;
        }
        replyCountdown_ = -1;
        SetIndicator(IndicatorLook::Error);
        return;
    }
    host_.SetTimerInterval(LinkTimer::Comm, kCommMs);

    if (!currentCommand_.empty() || ListXmitCmd.empty()) {
        if (replyCountdown_ >= 0 && !currentCommand_.empty()) {
            --replyCountdown_;
            if (replyCountdown_ == 0) {
                TimedOut();
            }
        } else if (replyCountdown_ < 0) {
            replyCountdown_ = 1;
        }
        return;
    }
    if (idleTicks_ > 0 || SuppressWake) {
        SendNext();
        return;
    }
    // The transmitter sleeps after a few seconds without traffic; the first
    // byte only wakes it, so a carriage return goes first.
    Trace(texts::kTraceWake);
    host_.SetTimerInterval(LinkTimer::Comm, kWakeUpMs);
    host_.WritePort("\r");
    currentCommand_.clear();
    idleTicks_ = kIdleTicksReload;
}

void TransmitterLink::TimedOut() {
    if (retriesLeft_ > 0) {
        --retriesLeft_;
    }
    replyCountdown_ = kReplyCountdownReload;
    if (retriesLeft_ <= 0) {
        DeclareLinkDead();
        return;
    }
    // The retry sends the command as it was queued, not the shortened form
    // the dispatcher compares replies with.
    std::string again = sentCommand_;
    currentCommand_.clear();
    if (ConfiguringAll) {
        ListXmitCmd.clear();
        host_.RestartConfigureSequence();
    } else if (RetrievingAll) {
        ListXmitCmd.clear();
        host_.RestartRetrieveSequence();
    } else {
        ListXmitCmd.push_back(std::move(again));
    }
}

void TransmitterLink::DeclareLinkDead() {
    SetIndicator(IndicatorLook::Error);
    host_.EnableTimer(LinkTimer::Comm, false);
    TransmitterAnswering = false;
    Post(UMCommTimeOut, 0);
}

void TransmitterLink::SendNext() {
    std::string command = ListXmitCmd.front();
    ListXmitCmd.pop_front();
    currentCommand_ = command;
    sentCommand_ = command;
    host_.ShowCommandInProgressBox(command);
    const int interval = FirstTickInterval(command);
    if (interval != kCommMs) {
        host_.SetTimerInterval(LinkTimer::Comm, interval);
    }
    idleTicks_ = kIdleTicksReload;
    if (command.size() == 1 && command[0] == kEsc) {
        Trace(texts::kTraceEsc);
        host_.WritePort(command);
        currentCommand_.clear();
    } else {
        Trace(texts::kTraceSent, command);
        host_.WritePort(command + "\r");
        if (command.empty()) {
            // The lone carriage return is answered by the prompt alone.
            currentCommand_ = "\r";
        }
    }
    replyCountdown_ = kReplyCountdownReload;
}

// --- Operations -------------------------------------------------------------------

void TransmitterLink::QueueCommand(std::string text) {
    ListXmitCmd.push_back(std::move(text));
}

void TransmitterLink::ReleaseCurrentCommand() {
    currentCommand_.clear();
}

void TransmitterLink::ResetReceiveRing() {
    ring_.Reset();
    partialLine_.clear();
    lineOverflow_ = false;
    UpdateGauge();
}

void TransmitterLink::PortOpened() {
    ListXmitCmd.clear();
    currentCommand_.clear();
    portReady_ = true;
}

void TransmitterLink::PortClosed() {
    portReady_ = false;
}

void TransmitterLink::PortLost() {
    portReady_ = false;
    DeclareLinkDead();
}

void TransmitterLink::SetIndicator(IndicatorLook look) {
    if (look != indicator_) {
        indicator_ = look;
        host_.ShowIndicator(look);
    }
}

void TransmitterLink::Trace(std::string_view prefix, std::string_view text) {
    if (DebugTrace) {
        std::string line(prefix);
        line.append(text);
        host_.AppendTrace(line);
    }
}

void TransmitterLink::UpdateGauge() {
    const int value = static_cast<int>(ReceiveRing::kSize - ring_.FreeSpace());
    host_.ShowRingGauge(std::min(value, static_cast<int>(ReceiveRing::kSize) - 1));
}

} // namespace tavin

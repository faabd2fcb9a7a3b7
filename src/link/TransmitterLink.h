#pragma once
// The link to the transmitter: the outgoing command queue and its pump, the
// receive ring, the framing of reply lines and their dispatch to one of three
// consumers (a secondary window's ReplyHandler, a main-window
// OperationHandler, or the configuration parsers), time-outs, retries and the
// wake-up of a sleeping transmitter.
//
// The engine keeps the command language's question-and-answer rhythm: one
// command out, reply lines and a ">" prompt back, then the next command. It is
// clock-free: the host calls one method per event and carries out what the
// engine asks through LinkHost. Everything runs on one thread.

#include "link/LinkHost.h"
#include "link/ReceiveRing.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tavin {

class TransmitterLink {
public:
    using LineHandler = std::function<void(const std::string& line)>;

    static constexpr int kReplyCountdownReload = 34;
    static constexpr int kRetriesReload = 3;
    static constexpr int kIdleTicksReload = 100;
    static constexpr int kXmitReplyMs = 10;
    static constexpr int kCommMs = 30;
    static constexpr int kWakeUpMs = 100;
    // A line longer than this is cut: the rest up to its carriage return is
    // dropped, so that noise without line ends cannot grow memory.
    static constexpr std::size_t kMaxLineLength = 4096;
    static constexpr char kEsc = '\x1b';

    explicit TransmitterLink(LinkHost& host);
    TransmitterLink(const TransmitterLink&) = delete;
    TransmitterLink& operator=(const TransmitterLink&) = delete;

    // --- Events -------------------------------------------------------------
    // Bytes have arrived on the serial port (`ComPortTriggerAvail`).
    void ComPortTriggerAvail(std::string_view bytes);
    // A tick of `XmitReplyTimer`: frame at most one line, dispatch at most one.
    void XmitReplyTimerTimer();
    // A tick of `CommTimer`: the command pump.
    void CommTimerTimer();

    // --- Operations ---------------------------------------------------------
    // Appends a command to `ListXmitCmd`. It is sent followed by a carriage
    // return, except ESC alone, which is sent bare; an empty text sends a lone
    // carriage return and waits for the prompt.
    void QueueCommand(std::string text);
    // The command in progress counts as answered: the next queued one goes
    // out at the next pump tick.
    void ReleaseCurrentCommand();

    // The port was opened: both ring indexes to 0 and the line being framed
    // dropped (bytes from before belong to no reply).
    void ResetReceiveRing();
    // `RetriesLeft` back to its reload value.
    void ResetRetries() { retriesLeft_ = kRetriesReload; }
    // The port reports it has opened and has been flushed: the queue and the
    // command in progress are dropped and the port is ready.
    void PortOpened();
    // The port reports it has closed.
    void PortClosed();
    // The port went away under the link (cable pulled, device gone): the port
    // is no longer ready and, unless the link is already down, it is declared
    // dead as after the last time-out, so that a waiting operation ends.
    void PortLost();

    // The indicator `RzCommOK`; the engine remembers which look is showing.
    void SetIndicator(IndicatorLook look);
    IndicatorLook Indicator() const { return indicator_; }

    // --- State --------------------------------------------------------------
    const std::string& CurrentCommand() const { return currentCommand_; }
    const std::deque<std::string>& ListXmitReply() const { return listXmitReply_; }
    int ReplyCountdown() const { return replyCountdown_; }
    int RetriesLeft() const { return retriesLeft_; }
    int IdleTicks() const { return idleTicks_; }
    bool PortReady() const { return portReady_; }
    const ReceiveRing& Ring() const { return ring_; }
    const std::string& PartialLine() const { return partialLine_; }
    // Bytes dropped by the framer because a line grew too long.
    std::uint64_t DroppedLineBytes() const { return droppedLineBytes_; }

    // Commands waiting to be sent, first in first out. Callers empty it
    // before they start a sequence.
    std::deque<std::string> ListXmitCmd;
    // Set by the workflows: a reply or acknowledged command that contains it
    // ends the sequence. Empty = none.
    std::string LoadEndMarker;
    // The command that met "ERR" in a configure sequence.
    std::string FailedCommand;

    bool RetrievingAll = false;
    bool ConfiguringAll = false;
    // Send without the wake-up carriage return (the direct control window).
    bool SuppressWake = false;
    // A reply line has arrived since the link was last declared dead.
    bool TransmitterAnswering = false;

    // Handler slots; empty = not installed. A handler may install, replace
    // or remove any slot, itself included, while it runs.
    LineHandler ReplyHandler;
    LineHandler OperationHandler;
    std::function<void()> AutoPollProcedure;

    // The configuration parsers, offered every dispatched line in this order
    // when no handler is installed and no configure sequence runs.
    std::vector<LineHandler> ReplyParsers;
    // The configuration the dispatcher stores platform ids and header fields
    // in; may be null (those steps are then skipped).
    LinkDispatchTarget* DispatchTarget = nullptr;

    // Preferences: "DebugMemo" (trace lines) and "ShowFeedback" (last reply
    // line in the status pane).
    bool DebugTrace = false;
    bool ShowFeedback = false;

private:
    void Frame();
    void Deliver(const std::string& line);
    void Dispatch();
    void TrimCurrentCommand();
    void ConfigureBranch(const std::string& line);
    void NormalBranch(const std::string& line);
    void TimedOut();
    void DeclareLinkDead();
    void SendNext();
    void Trace(std::string_view prefix, std::string_view text = {});
    void UpdateGauge();
    void Post(int message, int param) { host_.PostWindowMessage(message, param); }
    void Complete();

    LinkHost& host_;
    ReceiveRing ring_;
    std::string partialLine_;
    bool lineOverflow_ = false;
    std::size_t droppedInLine_ = 0;
    std::uint64_t droppedLineBytes_ = 0;
    bool promptSeen_ = false;

    std::deque<std::string> listXmitReply_;
    std::string currentCommand_;
    // The command exactly as it was queued, which a retry sends again (the
    // dispatcher shortens currentCommand_ for its substring tests).
    std::string sentCommand_;
    int replyCountdown_ = 0;
    int retriesLeft_ = kRetriesReload;
    int idleTicks_ = 0;
    bool portReady_ = false;
    IndicatorLook indicator_ = IndicatorLook::Error;
};

} // namespace tavin

#pragma once
// A simulated TAVIN transmitter as seen from its RS-232 port. It has no clock
// of its own: the host hands it the bytes from the utility with the virtual
// time they arrive (Receive), and asks it what it sends at a given time
// (Poll). A test's virtual clock plugs it in as the far end of the wire; the
// tavin-sim program drives it from a pseudo-terminal and the system clock.
//
// The wire behaviour: each command line ends with a carriage return (line
// feeds are ignored); the answer is the echo of the line, the reply lines
// (value in set form, "OK", "ERR", "INV", keyword lines), each ended by
// "\r\n", then a bare ">" prompt. An empty line is answered by the prompt
// alone. ESC drops the line being typed and the output not yet sent, and is
// not answered. After sleepAfterMs without traffic the transmitter sleeps,
// and the first byte that reaches it then only wakes it.

#include "sim/SimCommandSet.h"
#include "sim/SimFaults.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace tavin::sim {

class SimTransmitter {
public:
    using LogResponder = SimCommandSet::LogResponder;
    // direction: 'R' a line received, 'S' a line sent, '*' an event (wake-up,
    // ESC, a fault at work).
    using TranscriptSink =
        std::function<void(std::int64_t nowMs, char direction, std::string_view text)>;

    static constexpr std::int64_t kDefaultSleepAfterMs = 3000;
    static constexpr std::size_t kMaxLineLength = 512;
    static constexpr std::size_t kMaxPendingOutput = 4u << 20;
    static constexpr std::size_t kKeptLines = 10000;
    // 9600 baud, 8N1: ten bit times a byte.
    static constexpr std::int64_t kByteTimeNs = 1041667;

    SimTransmitter();

    // ---- The wire -----------------------------------------------------------
    void Receive(std::string_view bytes, std::int64_t nowMs);
    std::string Poll(std::int64_t nowMs);
    bool HasPendingOutput() const { return pendingBytes_ > 0; }
    // The earliest time at which Poll has a byte to give; -1 when none waits.
    std::int64_t NextOutputMs() const;
    bool IsAsleep(std::int64_t nowMs) const;
    // Puts bytes on the line as they are, after what is waiting.
    void SendRaw(std::string_view bytes, std::int64_t nowMs);

    // ---- Set-up -------------------------------------------------------------
    bool SetFirmwareVersion(std::string_view version) {
        return commands_.SetFirmwareVersion(version);
    }
    const std::string& FirmwareVersion() const { return commands_.Unit().firmwareVersion; }
    int FirmwareLevel() const { return commands_.Unit().firmwareLevel; }
    void SetPassword(std::string_view password) { commands_.SetPassword(password); }
    // 0: never sleeps.
    void SetSleepAfterMs(std::int64_t ms) { sleepAfterMs_ = ms; }
    // Output paced at 9600 baud: Poll gives only the bytes whose last bit has
    // gone out by then.
    void SetPaced(bool on) { paced_ = on; }
    // Time between the end of a command line and the start of its answer.
    void SetAnswerDelayMs(std::int64_t ms) { answerDelayMs_ = ms < 0 ? 0 : ms; }
    // The sensor log's answers (see SimCommandSet::LogResponder).
    void SetLogResponder(LogResponder responder) {
        commands_.SetLogResponder(std::move(responder));
    }
    void SetTranscript(TranscriptSink sink) { transcript_ = std::move(sink); }
    SimClock& Clock() { return commands_.Unit().clock; }

    // A configuration file: set command lines, CR/LF or LF, normally ending
    // with "CFS". Every line is carried out as if received (without echo or
    // faults, and past a password); the result is stored as by "CFS". Lines
    // that drew "ERR" or "INV" go to `refused` as "line N: text -> reply".
    bool LoadConfiguration(std::string_view text, std::vector<std::string>* refused = nullptr,
                           std::int64_t nowMs = 0);
    // The working configuration as such a file (CR/LF lines, ending "CFS").
    std::string DumpConfiguration() const;

    // ---- Faults -------------------------------------------------------------
    void Inject(const NoAnswer& fault) { noAnswerLeft_ = fault.commands; }
    void Inject(const ErrOn& fault) { errOn_.push_back(fault); }
    void Inject(const InvOn& fault) { invOn_.push_back(ErrOn{fault.match, fault.times}); }
    void Inject(const Garble& fault);
    void Inject(const Chunked& fault);
    void Inject(const Unplugged&) { unplugged_ = true; }
    void ClearFaults();

    // ---- Inspection ---------------------------------------------------------
    // How many lines with this mnemonic were received (see MnemonicOf: "" is
    // the empty line, "ESC" counts the ESC characters). Silenced and refused
    // lines count too: this is what went over the wire.
    int ReceivedCount(std::string_view mnemonic) const;
    const std::map<std::string, int, std::less<>>& ReceivedCounts() const { return counts_; }
    // The latest received lines (at most kKeptLines), oldest first.
    const std::deque<std::string>& ReceivedLines() const { return lines_; }
    void ResetCounts();

    // A configuration scalar as set ("TCH" -> "95,300"), empty if unknown.
    std::string Value(std::string_view mnemonic) const;
    // Sets a configuration scalar directly, bypassing checks and locks.
    void SetValue(std::string_view mnemonic, std::string_view text);
    RunState State() const { return commands_.Unit().run; }

    // Everything else: tables, stored copy, unit state, calibration values.
    SimCommandSet& Commands() { return commands_; }
    const SimCommandSet& Commands() const { return commands_; }

private:
    struct Segment {
        std::string bytes;
        std::int64_t notBeforeMs = 0;
    };

    void HandleLine(const std::string& line, bool overlong, std::int64_t nowMs);
    static bool Matches(const ErrOn& fault, std::string_view line, std::string_view mnemonic);
    bool TakeFault(std::vector<ErrOn>& faults, std::string_view line, std::string_view mnemonic);
    void Enqueue(std::string bytes, std::int64_t notBeforeMs);
    void Note(std::int64_t nowMs, char direction, std::string_view text);
    void Count(const std::string& mnemonic);

    SimCommandSet commands_;

    // input
    std::string partial_;
    bool overlong_ = false;
    std::int64_t lastActivityMs_ = 0;
    std::int64_t sleepAfterMs_ = kDefaultSleepAfterMs;

    // output
    std::deque<Segment> out_;
    std::size_t frontOffset_ = 0;
    std::size_t pendingBytes_ = 0;
    bool paced_ = false;
    std::int64_t lineFreeNs_ = 0;
    std::int64_t answerDelayMs_ = 0;

    // faults
    int noAnswerLeft_ = 0;
    std::vector<ErrOn> errOn_;
    std::vector<ErrOn> invOn_;
    Garble garble_{0, 0, 1, 0};
    int garbleCounter_ = 0;
    bool chunked_ = false;
    Chunked chunking_;
    std::int64_t chunkNotBeforeMs_ = 0;
    bool unplugged_ = false;
    std::mt19937 random_{1};

    // inspection
    std::map<std::string, int, std::less<>> counts_;
    std::deque<std::string> lines_;
    TranscriptSink transcript_;
};

} // namespace tavin::sim

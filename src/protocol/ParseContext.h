#pragma once
// What the configuration parsers and builders read besides the model, and the
// few side effects they ask of their host. The main window, the command-line
// tool and the tests each fill one; every callback may be left empty.

#include "protocol/XmtrConfig.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tavin {

struct TGlbIni;
class TUtilityControl;

// Window messages the parsers post; the first parameter carries the result.
inline constexpr int kUMChannelLoadMessage = 1125;

// Where builders put the command lines they make, in order: the link's queue,
// a configuration file, or a list in a test. Lines carry no carriage return.
class CommandSink {
public:
    virtual ~CommandSink() = default;
    virtual void Add(std::string line) = 0;
    // The text whose arrival ends a multi-command send (the link's end marker).
    virtual void SetLoadEndMarker(std::string_view /*marker*/) {}
    // A data-format row is about to be queued: remember it as the last one
    // and forget whether its echo was seen (the buffer check watches it).
    virtual void NoteDataFormatCommand(std::string_view /*line*/) {}
};

// A sink that only collects the lines.
class CommandList : public CommandSink {
public:
    void Add(std::string line) override { Lines.push_back(std::move(line)); }
    void SetLoadEndMarker(std::string_view marker) override { LoadEndMarker = marker; }
    void NoteDataFormatCommand(std::string_view line) override {
        DataFormatCommands.emplace_back(line);
    }

    std::vector<std::string> Lines;
    std::string LoadEndMarker;
    std::vector<std::string> DataFormatCommands;
};

// The clock display and the few boxes that the clock replies drive. Every
// member has a do-nothing default so that a host implements what it shows.
class TimeDataView {
public:
    virtual ~TimeDataView() = default;
    virtual void ShowClockTime(std::string_view /*time*/) {}   // OvcTime; "" empties it
    virtual void ShowClockDate(std::string_view /*date*/) {}   // RzMskEdtDate; "" empties it
    virtual void ShowClockStatus(std::string_view /*text*/) {} // the clock status field
    virtual void ClearGpsText() {}                             // the remembered GPS text
    // The one-shot "clock not set" warning armed by reading the clock.
    virtual bool ClockWarningArmed() const { return false; }
    virtual void DisarmClockWarning() {}
    virtual void ShowUTCCorrection(int /*correction*/) {}    // RzSpinUTCCorr
    virtual void ShowUTCSource(std::string_view /*text*/) {} // LblUTCSet
    virtual void RearmAutoPoll() {}                          // ConfigureAutoPoll
    virtual void ClearUTCReadPending() {}                    // UTCReadPending
    virtual void ShowErrorBox(std::string_view /*text*/) {}
    virtual void ShowInfoBox(std::string_view /*text*/) {}
};

struct ParseContext {
    const TUtilityControl* Utility = nullptr; // feature switches; none = all off
    TGlbIni* Ini = nullptr;                   // preferences (the UTC reply writes one)
    bool AdvancedSettings = false;            // the "Advanced Settings" menu item
    int TxMode = kTxModeGoes;                 // 1 GOES, 2 ARGOS, 3 ARGOS & SCD

    // Posts a window message to the main window, handled after the current event.
    std::function<void(int message, int param)> PostMessage;
    // Queues a command behind those already waiting ("ADP?").
    std::function<void(std::string line)> QueueCommand;
    // Called after TxMode was re-derived because the ARGOS or SCD flag arrived.
    std::function<void(int mode)> TxModeChanged;
    // Display effects of the clock replies; none = not shown.
    TimeDataView* TimeView = nullptr;

    // The internal sensor test is on: short-form internal rows and sample
    // lines go to the test output instead of the model.
    bool InternalSensorTestOn = false;
    std::function<void(std::string_view line)> AppendTestOutput;
    // Field width of header field `field` in the timed or random message.
    std::function<int(bool randomMessage, int field)> HeaderFieldWidth;

    bool IsArgosMode() const { return TxMode == kTxModeArgos || TxMode == kTxModeArgosScd; }

    // Re-derives TxMode from the model's ARGOS and SCD flags and tells the host.
    void RederiveTxMode(const XmtrConfig& cfg) {
        TxMode = cfg.DerivedTxMode();
        if (TxModeChanged) {
            TxModeChanged(TxMode);
        }
    }
    void Post(int message, int param = 0) const {
        if (PostMessage) {
            PostMessage(message, param);
        }
    }
    void Queue(std::string line) const {
        if (QueueCommand) {
            QueueCommand(std::move(line));
        }
    }
};

// Every configuration parser has this shape: it acts only on lines it
// recognises and never changes a field from a value of the wrong form.
using ConfigParser = void (*)(std::string_view line, XmtrConfig&, ParseContext&);

} // namespace tavin

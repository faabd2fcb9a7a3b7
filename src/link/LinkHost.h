#pragma once
// What the link engine asks of the program around it. The engine keeps no
// clock and touches no device or widget: it says what should happen and the
// host makes it so (the Qt adapter with QTimer and QSerialPort, the tests with
// a virtual clock). Every call is made on the one thread that also delivers
// the engine's events.

#include <string>
#include <string_view>

namespace tavin {

enum class LinkTimer {
    XmitReply, // frames and dispatches replies
    Comm,      // the command pump
};

// The two looks of the link indicator `RzCommOK`.
enum class IndicatorLook {
    Ok,    // bitmap COMMOK, green
    Error, // bitmap COMMERR, red
};

// Timer intervals the host starts with. XmitReplyTimer runs from creation;
// CommTimer is created disabled and is enabled when the main window shows.
inline constexpr int kXmitReplyInitialMs = 15;
inline constexpr int kCommInitialMs = 40;

class LinkHost {
public:
    virtual ~LinkHost() = default;

    // Timers. A new interval takes effect from now (the running period starts
    // again) and only when it differs from the current one; enabling a timer
    // that runs already changes nothing.
    virtual void SetTimerInterval(LinkTimer timer, int ms) = 0;
    virtual void EnableTimer(LinkTimer timer, bool enabled) = 0;

    // The serial port: whether it is open, and queue bytes for sending
    // without waiting.
    virtual bool PortOpen() const = 0;
    virtual void WritePort(std::string_view bytes) = 0;

    // Window messages to the main window (numbers in WindowMessages.h).
    // Posted ones are handled after the current event; a sent one is handled
    // before this call returns.
    virtual void PostWindowMessage(int message, int param) = 0;
    virtual void SendWindowMessage(int message, int param) = 0;

    // The indicator changed its look (the engine remembers which is showing).
    virtual void ShowIndicator(IndicatorLook look) = 0;
    // A line for the debug memo `MemoDebug`; only called with the trace on.
    virtual void AppendTrace(std::string_view line) = 0;
    // A command was sent: the label `LblCommand` of an open progress box
    // shows it (the host ignores it when no box is open).
    virtual void ShowCommandInProgressBox(std::string_view command) = 0;
    // A dispatched reply line for the status pane `XmtMsgStatus`; only called
    // with the feedback preference on.
    virtual void ShowReplyFeedback(std::string_view line) = 0;
    // The receive ring gauge `barBfr` (0..1023).
    virtual void ShowRingGauge(int value) = 0;

    // Main-window operations the pump needs.
    // The link came back: refresh the sensor and data views.
    virtual void RefreshSensorViews() = 0;
    // A command of a send-all sequence timed out: queue the whole configure
    // sequence again (the queue has been emptied).
    virtual void RestartConfigureSequence() = 0;
    // A command of a retrieve-all sequence timed out: clear the local
    // configuration (all but the min/max/average table), refresh the views
    // and queue the retrieve list again (the queue has been emptied).
    virtual void RestartRetrieveSequence() = 0;
};

// What the reply dispatcher reads from and stores into the configuration,
// besides what the parsers do. The owner of the configuration implements it.
class LinkDispatchTarget {
public:
    virtual ~LinkDispatchTarget() = default;

    // `Channel` and `DataSource` of the random transmission (TRandomTxParams).
    virtual int RandomChannel() const = 0;
    virtual int RandomDataSource() const = 0;
    // The transmission mode is GOES only (TTAVINTXType 1).
    virtual bool GoesOnlyMode() const = 0;

    // `PlatformIdGoes` and `PlatformIdArgos`.
    virtual void SetPlatformIdGoes(const std::string& id) = 0;
    virtual void SetPlatformIdArgos(const std::string& id) = 0;
    // Show in `OvcNesdisID` the GOES id, or the ARGOS id when ARGOS is on.
    virtual void ShowPlatformId() = 0;
    // `PIS` (`PlatformIdString`), at most 40 characters, "." already emptied.
    virtual void SetPlatformIdString(const std::string& text) = 0;
    // `PB1` (which = 1) or `PB2` (which = 2): one character, or empty.
    virtual void SetPseudoBinaryHeader(int which, const std::string& character) = 0;
};

} // namespace tavin

#pragma once
// The link engine on Qt: QTimers for `XmitReplyTimer` and `CommTimer`
// (precise timers), QSerialPort for the port, queued calls for posted window
// messages. What the engine and the port control ask of the window side
// comes out as signals, which the main window connects.

#include "link/ComPortControl.h"
#include "link/LinkHost.h"
#include "link/TransmitterLink.h"
#include "link/qt/QtSerialDevice.h"

#include <QObject>
#include <QString>
#include <QTimer>

namespace tavin {

class QtLink : public QObject, public LinkHost, public ComPortHost {
    Q_OBJECT
public:
    // Beyond this many bytes waiting in QSerialPort, the framer has fallen
    // too far behind: the ring takes what fits and drops the rest.
    static constexpr qint64 kMaxBacklog = 64 * 1024;

    explicit QtLink(QObject* parent = nullptr);
    ~QtLink() override;

    TransmitterLink& Link() { return link_; }
    ComPortControl& PortControl() { return portControl_; }
    QSerialPort& SerialPort() { return device_.Port(); }
    QTimer& XmitReplyTimer() { return xmitReplyTimer_; }
    QTimer& CommTimer() { return commTimer_; }

    // The link is handling one of its events (a timer tick, bytes from the
    // port, a failing port, a posted window message): a modal box must not be
    // opened from here, or the timer whose handler is on the stack stops.
    bool InEvent() const { return eventDepth_ > 0; }

    // Port opening and readiness.
    bool InitComPort(int port) { return portControl_.InitComPort(port); }
    void ComPortPortOpen() { portControl_.ComPortPortOpen(); }
    void ComPortPortClose() { portControl_.ComPortPortClose(); }
    bool CheckLinkReady(bool showMessage) const { return portControl_.CheckLinkReady(showMessage); }

    // LinkHost
    void SetTimerInterval(LinkTimer timer, int ms) override;
    void EnableTimer(LinkTimer timer, bool enabled) override;
    bool PortOpen() const override;
    void WritePort(std::string_view bytes) override;
    void PostWindowMessage(int message, int param) override;
    void SendWindowMessage(int message, int param) override;
    void ShowIndicator(IndicatorLook look) override;
    void AppendTrace(std::string_view line) override;
    void ShowCommandInProgressBox(std::string_view command) override;
    void ShowReplyFeedback(std::string_view line) override;
    void ShowRingGauge(int value) override;
    void RefreshSensorViews() override { emit sensorViewsRefreshRequested(); }
    void RestartConfigureSequence() override { emit configureRestartRequested(); }
    void RestartRetrieveSequence() override { emit retrieveRestartRequested(); }

    // ComPortHost
    void ShowErrorBox(const std::string& text) override;
    void ShowCommStatus(const std::string& text) override;
    void ConfigureAutoPoll() override { emit autoPollConfigureRequested(); }
    void CheckComMenuItem(int port) override { emit comMenuItemChecked(port); }
    void PortReady() override;
    void WatchLostPort(bool on) override;

signals:
    // A window message for the main window: posted ones arrive after the
    // current event, the sent one (1127) at once.
    void windowMessage(int message, int param);
    void indicatorChanged(bool ok);
    void traceLine(const QString& line);
    void commandSent(const QString& command);
    void replyFeedback(const QString& line);
    void ringGaugeChanged(int value);
    void sensorViewsRefreshRequested();
    void configureRestartRequested();
    void retrieveRestartRequested();
    void errorBoxRequested(const QString& text);
    void commStatusChanged(const QString& text);
    void autoPollConfigureRequested();
    void comMenuItemChecked(int port);
    // A port is open again, chosen or reopened: supervision starts over.
    void portReady();

private:
    QTimer& Timer(LinkTimer timer) {
        return timer == LinkTimer::XmitReply ? xmitReplyTimer_ : commTimer_;
    }
    void PullBytes();
    // Counts the event being handled for InEvent().
    class EventScope {
    public:
        explicit EventScope(QtLink& link) : link_(link) { ++link_.eventDepth_; }
        ~EventScope() { --link_.eventDepth_; }
        EventScope(const EventScope&) = delete;
        EventScope& operator=(const EventScope&) = delete;

    private:
        QtLink& link_;
    };

    QtSerialDevice device_;
    TransmitterLink link_;
    ComPortControl portControl_;
    QTimer xmitReplyTimer_;
    QTimer commTimer_;
    // Looks for the device of a lost port.
    QTimer reopenTimer_;
    // The pump has been started once (the window has shown): a port opened
    // later has it running again.
    bool pumpStarted_ = false;
    int eventDepth_ = 0;
};

// Single-byte text both ways: the line carries bytes, not Unicode.
QString LineText(std::string_view bytes);

} // namespace tavin

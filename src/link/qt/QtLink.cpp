#include "link/qt/QtLink.h"

#include <algorithm>

namespace tavin {

QString LineText(std::string_view bytes) {
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

QtLink::QtLink(QObject* parent)
    : QObject(parent), link_(*this), portControl_(link_, device_, *this) {
    xmitReplyTimer_.setObjectName("XmitReplyTimer");
    commTimer_.setObjectName("CommTimer");
    for (QTimer* t : {&xmitReplyTimer_, &commTimer_}) {
        t->setTimerType(Qt::PreciseTimer);
        t->setSingleShot(false);
    }
    xmitReplyTimer_.setInterval(kXmitReplyInitialMs);
    commTimer_.setInterval(kCommInitialMs);
    connect(&xmitReplyTimer_, &QTimer::timeout, this, [this] {
        EventScope scope(*this);
        link_.XmitReplyTimerTimer();
        PullBytes();
    });
    connect(&commTimer_, &QTimer::timeout, this, [this] {
        EventScope scope(*this);
        link_.CommTimerTimer();
    });
    connect(&device_.Port(), &QSerialPort::readyRead, this, [this] {
        EventScope scope(*this);
        PullBytes();
    });
    connect(&device_, &QtSerialDevice::portFailed, this, [this](const QString& detail) {
        EventScope scope(*this);
        portControl_.ComPortLost(detail.toStdString());
    });
    reopenTimer_.setObjectName("ReopenTimer");
    reopenTimer_.setInterval(ComPortControl::kReopenTickMs);
    connect(&reopenTimer_, &QTimer::timeout, this, [this] {
        EventScope scope(*this);
        portControl_.TryReopenLostPort();
    });
    xmitReplyTimer_.start();
}

QtLink::~QtLink() {
    xmitReplyTimer_.stop();
    commTimer_.stop();
    reopenTimer_.stop();
    if (device_.IsOpen()) {
        device_.Close();
    }
}

// Takes from the port only what the ring can hold, so that a burst waits in
// QSerialPort instead of being lost; the rest comes in after the next ticks.
void QtLink::PullBytes() {
    QSerialPort& port = device_.Port();
    if (!port.isOpen()) {
        return;
    }
    const qint64 available = port.bytesAvailable();
    if (available <= 0) {
        return;
    }
    qint64 take = std::min<qint64>(available, static_cast<qint64>(link_.Ring().FreeSpace()));
    if (available > kMaxBacklog) {
        take = available;
    }
    if (take <= 0) {
        return;
    }
    const QByteArray data = port.read(take);
    link_.ComPortTriggerAvail(std::string_view(data.constData(), std::size_t(data.size())));
}

void QtLink::SetTimerInterval(LinkTimer timer, int ms) {
    QTimer& t = Timer(timer);
    // QTimer restarts its period on every setInterval; the engine means a
    // restart only when the interval changes.
    if (t.interval() != ms) {
        t.setInterval(ms);
    }
}

void QtLink::EnableTimer(LinkTimer timer, bool enabled) {
    if (timer == LinkTimer::Comm && enabled) {
        pumpStarted_ = true;
    }
    QTimer& t = Timer(timer);
    if (enabled && !t.isActive()) {
        t.start();
    } else if (!enabled) {
        t.stop();
    }
}

bool QtLink::PortOpen() const {
    return device_.IsOpen();
}

void QtLink::WritePort(std::string_view bytes) {
    QSerialPort& port = device_.Port();
    if (port.isOpen()) {
        port.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }
}

void QtLink::PostWindowMessage(int message, int param) {
    QMetaObject::invokeMethod(
        this,
        [this, message, param] {
            EventScope scope(*this);
            emit windowMessage(message, param);
        },
        Qt::QueuedConnection);
}

void QtLink::SendWindowMessage(int message, int param) {
    emit windowMessage(message, param);
}

void QtLink::ShowIndicator(IndicatorLook look) {
    emit indicatorChanged(look == IndicatorLook::Ok);
}

void QtLink::AppendTrace(std::string_view line) {
    emit traceLine(LineText(line));
}

void QtLink::ShowCommandInProgressBox(std::string_view command) {
    emit commandSent(LineText(command));
}

void QtLink::ShowReplyFeedback(std::string_view line) {
    emit replyFeedback(LineText(line));
}

void QtLink::ShowRingGauge(int value) {
    emit ringGaugeChanged(value);
}

void QtLink::ShowErrorBox(const std::string& text) {
    emit errorBoxRequested(LineText(text));
}

void QtLink::ShowCommStatus(const std::string& text) {
    emit commStatusChanged(LineText(text));
}

void QtLink::PortReady() {
    // Whatever stopped the pump (a failed opening, "None", a dead link), an
    // open port is worked again at once.
    if (pumpStarted_) {
        EnableTimer(LinkTimer::Comm, true);
    }
    emit portReady();
}

void QtLink::WatchLostPort(bool on) {
    if (!on) {
        reopenTimer_.stop();
    } else if (!reopenTimer_.isActive()) {
        reopenTimer_.start();
    }
}

} // namespace tavin

#pragma once
// The link's serial device on QSerialPort: 9600 baud, 8 data bits, no
// parity, 1 stop bit, no flow control, RTS off. Works as well on a
// pseudo-terminal, which has no modem lines.

#include "link/ComPortControl.h"

#include <QObject>
#include <QSerialPort>

namespace tavin {

class QtSerialDevice : public QObject, public SerialDevice {
    Q_OBJECT
public:
    explicit QtSerialDevice(QObject* parent = nullptr);

    PortOpenResult Open(const std::string& device) override;
    void Close() override;
    bool IsOpen() const override { return port_.isOpen(); }
    void Flush() override;

    QSerialPort& Port() { return port_; }

    // How an error of QSerialPort after a failed open reads to the user.
    static PortOpenError Classify(QSerialPort::SerialPortError error, const QString& text);
    // The name QSerialPort is given for a device the user named.
    static QString PortNameFor(const std::string& device);

signals:
    // The open port failed (read, write or resource error: the far end or
    // the adapter went away). Delivered once, after the current event.
    void portFailed(const QString& detail);

private:
    void OnError(QSerialPort::SerialPortError error);

    QSerialPort port_;
    bool settingUp_ = false;
    bool failureReported_ = false;
};

} // namespace tavin

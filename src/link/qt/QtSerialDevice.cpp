#include "link/qt/QtSerialDevice.h"

#include <QFileInfo>

namespace tavin {

QtSerialDevice::QtSerialDevice(QObject* parent) : QObject(parent) {
    port_.setObjectName("ComPort");
    connect(&port_, &QSerialPort::errorOccurred, this, &QtSerialDevice::OnError);
}

PortOpenError QtSerialDevice::Classify(QSerialPort::SerialPortError error, const QString& text) {
    switch (error) {
    case QSerialPort::NoError:
        return PortOpenError::None;
    case QSerialPort::DeviceNotFoundError:
        return PortOpenError::NotFound;
    case QSerialPort::PermissionError:
#ifdef _WIN32
        // Windows refuses a port another program holds with "access denied".
        return PortOpenError::InUse;
#else
        // The same error covers a device the user may not open and one that
        // another program holds (its lock, or "busy").
        return text.contains(QLatin1String("Permission denied"), Qt::CaseInsensitive)
                   ? PortOpenError::PermissionDenied
                   : PortOpenError::InUse;
#endif
    case QSerialPort::UnsupportedOperationError:
        return PortOpenError::Unsupported;
    default:
        return PortOpenError::Other;
    }
}

QString QtSerialDevice::PortNameFor(const std::string& device) {
    // QSerialPort reads a name without a leading "/" as one under /dev/; a
    // relative path the user typed ("./tty", "sim/port", or a file here)
    // means the file itself.
    const QString name = QString::fromStdString(device);
    if (!name.isEmpty() && !name.startsWith('/') &&
        (name.contains('/') || QFileInfo::exists(name))) {
        return QFileInfo(name).absoluteFilePath();
    }
    return name;
}

PortOpenResult QtSerialDevice::Open(const std::string& device) {
    if (port_.isOpen()) {
        Close();
    }
    settingUp_ = true;
    port_.clearError();
    port_.setPortName(PortNameFor(device));
    port_.setBaudRate(QSerialPort::Baud9600);
    port_.setDataBits(QSerialPort::Data8);
    port_.setParity(QSerialPort::NoParity);
    port_.setStopBits(QSerialPort::OneStop);
    port_.setFlowControl(QSerialPort::NoFlowControl);
    PortOpenResult result;
    if (!port_.open(QIODevice::ReadWrite)) {
        result.error = Classify(port_.error(), port_.errorString());
        if (result.error == PortOpenError::None) {
            result.error = PortOpenError::Other;
        }
        result.detail = port_.errorString().toStdString();
        port_.clearError();
        settingUp_ = false;
        return result;
    }
    // A pseudo-terminal or an adapter without modem lines refuses this;
    // there is nothing to switch off then.
    if (!port_.setRequestToSend(false)) {
        port_.clearError();
    }
    failureReported_ = false;
    settingUp_ = false;
    return result;
}

void QtSerialDevice::Close() {
    settingUp_ = true;
    port_.close();
    port_.clearError();
    settingUp_ = false;
}

void QtSerialDevice::Flush() {
    if (!port_.isOpen()) {
        return;
    }
    settingUp_ = true;
    if (!port_.clear(QSerialPort::AllDirections)) {
        port_.clearError();
    }
    settingUp_ = false;
}

void QtSerialDevice::OnError(QSerialPort::SerialPortError error) {
    if (settingUp_ || failureReported_ || !port_.isOpen()) {
        return;
    }
    if (error != QSerialPort::ReadError && error != QSerialPort::WriteError &&
        error != QSerialPort::ResourceError) {
        return;
    }
    // Qt keeps repeating the error while the port stays open; report it once
    // and let the receiver close the port after this event.
    failureReported_ = true;
    const QString detail = port_.errorString();
    QMetaObject::invokeMethod(
        this, [this, detail] { emit portFailed(detail); }, Qt::QueuedConnection);
}

} // namespace tavin

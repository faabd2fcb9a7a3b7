#pragma once
// Opening the serial port for the link, showing the outcome, and the
// readiness check every operation that talks to the transmitter runs first.
// The serial device itself is behind SerialDevice (QSerialPort in the
// program, a fake in tests).

#include "link/PortNaming.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tavin {

class TransmitterLink;

enum class PortOpenError {
    None,
    InUse,            // held by another program
    NotFound,         // no such device
    Unsupported,      // there, but not a serial port that can be set up
    PermissionDenied, // the user may not open it
    Other,
};

struct PortOpenResult {
    PortOpenError error = PortOpenError::None;
    std::string detail; // the system's own words, for the message
    bool Ok() const { return error == PortOpenError::None; }
};

class SerialDevice {
public:
    virtual ~SerialDevice() = default;
    // Opens the device at 9600 baud, 8 data bits, no parity, 1 stop bit, no
    // flow control, RTS off.
    virtual PortOpenResult Open(const std::string& device) = 0;
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
    // Discards what waits in the output and the input buffers.
    virtual void Flush() = 0;
};

class ComPortHost {
public:
    virtual ~ComPortHost() = default;
    virtual void ShowErrorBox(const std::string& text) = 0;
    // The status pane `XmtCommStatus`.
    virtual void ShowCommStatus(const std::string& text) = 0;
    // Idle polling follows the port (`ConfigureAutoPoll`).
    virtual void ConfigureAutoPoll() = 0;
    // The "Comm" menu checks the item of this port (0 = "None").
    virtual void CheckComMenuItem(int port) = 0;
    // A port is open again (chosen by the user or reopened by itself): the
    // pump runs and supervision starts over.
    virtual void PortReady() {}
    // Call TryReopenLostPort about every ComPortControl::kReopenTickMs from
    // now on, or no longer.
    virtual void WatchLostPort(bool /*on*/) {}
    // The lost port came back by itself; the status pane says so already.
    virtual void PortReopened(int /*port*/) {}
};

class ComPortControl {
public:
    static constexpr int kMaxPort = 255;
    // How often a lost port is looked for: a replugged adapter is back in use
    // within 2 s of its device appearing.
    static constexpr int kReopenTickMs = 500;

    ComPortControl(TransmitterLink& link, SerialDevice& device, ComPortHost& host);

    // Closes and (for a port other than 0) opens the port; returns whether it
    // is open afterwards. A number outside 0..255 is refused with a message
    // and changes nothing.
    bool InitComPort(int port);
    // The port has opened / has closed.
    void ComPortPortOpen();
    void ComPortPortClose();
    // The device failed under us (read, write or resource error): the port
    // is closed, the link declared dead, and the user told.
    void ComPortLost(const std::string& detail);

    bool CheckLinkReady(bool showMessage) const;

    // After a lost port: whether its device (the same path, or a
    // /dev/serial/by-id link that led to it) is watched for, and one look for
    // it, reopening the port when it is there. True when the port is open
    // again. A reopening that fails is silent and tried again at the next
    // look; choosing a port ends the watch.
    bool WatchingLostPort() const { return !watchPaths_.empty(); }
    bool TryReopenLostPort();
    // The paths a lost port is looked for under.
    const std::vector<std::string>& WatchedPaths() const { return watchPaths_; }

    // The selected port number, 0 = none.
    int SelectedPort() const { return selectedPort_; }
    std::string DeviceName(int port) const { return PortDeviceName(port, Preferences); }

    // The `ComNum` preference, which the readiness messages name; the owner
    // keeps it in step with the preferences.
    int ComNum = 0;
    // Where the port's device path may be configured.
    PreferenceLookup Preferences;
    // Where the stable names of adapters are, and whether a path leads to a
    // device now (tests point them elsewhere).
    std::string ByIdFolder = kSerialByIdFolder;
    std::function<bool(const std::string& path)> DevicePresentNow = DevicePresent;

private:
    void StopWatching();
    // The port is open: the link, the status pane, polling and the menu
    // follow.
    void Opened(int port);

    TransmitterLink& link_;
    SerialDevice& device_;
    ComPortHost& host_;
    int selectedPort_ = 0;
    // The stable names of the device that is open.
    std::vector<std::string> aliases_;
    int lostPort_ = 0;
    std::vector<std::string> watchPaths_;
};

// The message for a port number outside 0..255, or nullopt.
std::optional<std::string> PortNumberError(long long port);
// The message for a failed opening of port n (device is the path tried).
std::string OpenErrorMessage(int port, const std::string& device, const PortOpenResult& result);
// The first readiness test that fails, as its message, or nullopt.
std::optional<std::string> LinkNotReadyMessage(int selectedPort, bool transmitterAnswering,
                                               bool portReady, int comNum);

} // namespace tavin

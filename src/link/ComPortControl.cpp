#include "link/ComPortControl.h"

#include "link/LinkTexts.h"
#include "link/TransmitterLink.h"

namespace tavin {

namespace {

std::string ComName(int port) {
    return texts::kCom + std::to_string(port);
}

} // namespace

std::optional<std::string> PortNumberError(long long port) {
    if (port >= 0 && port <= ComPortControl::kMaxPort) {
        return std::nullopt;
    }
    return texts::kPortNumberRange + std::to_string(port) + texts::kPortNumberRangeHint;
}

std::string OpenErrorMessage(int port, const std::string& device, const PortOpenResult& result) {
    auto withDetail = [&](std::string text) {
        if (!result.detail.empty()) {
            text += "\r" + device + ": " + result.detail;
        }
        return text;
    };
    switch (result.error) {
    case PortOpenError::None:
        return {};
    case PortOpenError::InUse:
        return ComName(port) + texts::kAlreadyInUse;
    case PortOpenError::NotFound:
    case PortOpenError::Unsupported:
        return withDetail(texts::kCouldNotInitCom + std::to_string(port));
    case PortOpenError::PermissionDenied:
        return texts::kCouldNotInitCom + std::to_string(port) + "\r" + device + ": " +
               texts::kPermissionDenied;
    case PortOpenError::Other:
        break;
    }
    return withDetail(texts::kCouldNotInitComms);
}

std::optional<std::string> LinkNotReadyMessage(int selectedPort, bool transmitterAnswering,
                                               bool portReady, int comNum) {
    if (selectedPort == 0) {
        return std::string(texts::kSelectComPort);
    }
    if (!transmitterAnswering) {
        return texts::kConnectTavin + std::to_string(comNum);
    }
    if (!portReady) {
        return texts::kTryingToOpen + std::to_string(comNum);
    }
    return std::nullopt;
}

ComPortControl::ComPortControl(TransmitterLink& link, SerialDevice& device, ComPortHost& host)
    : link_(link), device_(device), host_(host) {}

bool ComPortControl::InitComPort(int port) {
    if (auto error = PortNumberError(port)) {
        host_.ShowErrorBox(*error);
        return device_.IsOpen();
    }
    // The user's choice replaces the port that was lost.
    StopWatching();
    link_.ResetReceiveRing();
    if (device_.IsOpen()) {
        device_.Close();
        ComPortPortClose();
    }
    selectedPort_ = port;
    if (port != 0) {
        const std::string device = DeviceName(port);
        PortOpenResult result = device_.Open(device);
        if (result.Ok() && device_.IsOpen()) {
            ComPortPortOpen();
        } else {
            if (result.Ok()) {
                result.error = PortOpenError::Other;
            }
            host_.ShowErrorBox(OpenErrorMessage(port, device, result));
        }
    }
    const bool open = device_.IsOpen();
    if (open) {
        Opened(port);
        host_.ShowCommStatus(ComName(port));
    } else {
        aliases_.clear();
        selectedPort_ = 0;
        host_.ShowCommStatus(texts::kComNone);
        link_.SetIndicator(IndicatorLook::Error);
        host_.ConfigureAutoPoll();
        host_.CheckComMenuItem(selectedPort_);
    }
    return open;
}

void ComPortControl::Opened(int port) {
    selectedPort_ = port;
    aliases_ = SerialAliases(DeviceName(port), ByIdFolder);
    link_.ResetRetries();
    link_.SetIndicator(IndicatorLook::Ok);
    host_.ConfigureAutoPoll();
    host_.CheckComMenuItem(port);
    host_.PortReady();
}

void ComPortControl::StopWatching() {
    if (!watchPaths_.empty()) {
        watchPaths_.clear();
        lostPort_ = 0;
        host_.WatchLostPort(false);
    }
}

bool ComPortControl::TryReopenLostPort() {
    if (watchPaths_.empty() || device_.IsOpen()) {
        return false;
    }
    const std::vector<std::string> watched = watchPaths_;
    for (const std::string& path : watched) {
        if (!DevicePresentNow || !DevicePresentNow(path)) {
            continue;
        }
        link_.ResetReceiveRing();
        const PortOpenResult result = device_.Open(path);
        if (!result.Ok() || !device_.IsOpen()) {
            // Not ready yet (the system may still be setting it up): the
            // next look tries again, without a box each time.
            if (device_.IsOpen()) {
                device_.Close();
            }
            continue;
        }
        const int port = lostPort_;
        StopWatching();
        ComPortPortOpen();
        Opened(port);
        if (aliases_.empty()) {
            // Opened under its stable name: keep looking for it there.
            for (const std::string& p : watched) {
                if (p != DeviceName(port)) {
                    aliases_.push_back(p);
                }
            }
        }
        host_.ShowCommStatus(ComName(port) + texts::kReconnected);
        host_.PortReopened(port);
        return true;
    }
    return false;
}

void ComPortControl::ComPortPortOpen() {
    device_.Flush();
    link_.PortOpened();
}

void ComPortControl::ComPortPortClose() {
    link_.PortClosed();
}

void ComPortControl::ComPortLost(const std::string& detail) {
    // A failing device reports itself many times; only the first counts.
    if (!device_.IsOpen() && !link_.PortReady()) {
        return;
    }
    const int port = selectedPort_;
    if (device_.IsOpen()) {
        device_.Close();
    }
    ComPortPortClose();
    link_.PortLost();
    selectedPort_ = 0;
    // The device may come back (an adapter replugged, the far end restarted):
    // under its own path, or under a stable name that led to it.
    if (port != 0) {
        watchPaths_ = {DeviceName(port)};
        for (const std::string& alias : aliases_) {
            watchPaths_.push_back(alias);
        }
        lostPort_ = port;
        host_.WatchLostPort(true);
    }
    host_.ShowCommStatus(texts::kComNone);
    host_.ConfigureAutoPoll();
    host_.CheckComMenuItem(0);
    std::string text = ComName(port) + texts::kConnectionLost;
    if (!detail.empty()) {
        text += "\r" + DeviceName(port) + ": " + detail;
    }
    host_.ShowErrorBox(text);
}

bool ComPortControl::CheckLinkReady(bool showMessage) const {
    auto message =
        LinkNotReadyMessage(selectedPort_, link_.TransmitterAnswering, link_.PortReady(), ComNum);
    if (message && showMessage) {
        host_.ShowErrorBox(*message);
    }
    return !message;
}

} // namespace tavin

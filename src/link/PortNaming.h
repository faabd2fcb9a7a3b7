#pragma once
// Which device a numbered port opens. The user picks ports by number, as on
// the transmitter's documentation ("COM1".."COM255"):
// - on Windows, port n is the device "COMn";
// - elsewhere, port n is the path given by key "Port<n>" in section "COMM" of
//   the preferences when it is there and not empty (a USB adapter, a
//   /dev/serial/by-id/ link, a pseudo-terminal), else /dev/ttyS<n-1>.

#include <functional>
#include <optional>
#include <string>

namespace tavin {

// Reads a preference by section and key; nullopt when it is absent.
using PreferenceLookup =
    std::function<std::optional<std::string>(const std::string& section, const std::string& key)>;

inline constexpr char kCommSection[] = "COMM";

// The device for port n (1..255) on this platform.
std::string PortDeviceName(int port, const PreferenceLookup& preferences);
// The same for a chosen platform, so that both mappings can be checked.
std::string PortDeviceName(int port, const PreferenceLookup& preferences, bool windows);

} // namespace tavin

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
#include <vector>

namespace tavin {

// Reads a preference by section and key; nullopt when it is absent.
using PreferenceLookup =
    std::function<std::optional<std::string>(const std::string& section, const std::string& key)>;

inline constexpr char kCommSection[] = "COMM";

// The device for port n (1..255) on this platform.
std::string PortDeviceName(int port, const PreferenceLookup& preferences);
// The same for a chosen platform, so that both mappings can be checked.
std::string PortDeviceName(int port, const PreferenceLookup& preferences, bool windows);

// Where the system keeps stable names of serial adapters, by their serial
// number: a replugged adapter may come back under another kernel name, but
// under the same link here.
inline constexpr char kSerialByIdFolder[] = "/dev/serial/by-id";

// The links in folder that lead to the same device as path (itself a device
// or a link to one), sorted; none when the folder or the device is missing.
std::vector<std::string> SerialAliases(const std::string& path, const std::string& folder);
// Whether a device path leads to something now (a link is followed).
bool DevicePresent(const std::string& path);

} // namespace tavin

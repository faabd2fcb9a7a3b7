#include "link/PortNaming.h"

namespace tavin {

namespace {

std::string Trimmed(const std::string& text) {
    auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return {};
    }
    auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

} // namespace

std::string PortDeviceName(int port, const PreferenceLookup& preferences, bool windows) {
    if (windows) {
        return "COM" + std::to_string(port);
    }
    if (preferences) {
        if (auto path = preferences(kCommSection, "Port" + std::to_string(port))) {
            std::string p = Trimmed(*path);
            if (!p.empty()) {
                return p;
            }
        }
    }
    return "/dev/ttyS" + std::to_string(port - 1);
}

std::string PortDeviceName(int port, const PreferenceLookup& preferences) {
#ifdef _WIN32
    return PortDeviceName(port, preferences, true);
#else
    return PortDeviceName(port, preferences, false);
#endif
}

} // namespace tavin

#include "link/PortNaming.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

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

std::vector<std::string> SerialAliases(const std::string& path, const std::string& folder) {
    namespace fs = std::filesystem;
    std::vector<std::string> out;
    std::error_code ec;
    const fs::path target = fs::canonical(path, ec);
    if (ec) {
        return out;
    }
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code one;
        const fs::path leads = fs::canonical(it->path(), one);
        if (!one && leads == target && it->path() != fs::path(path)) {
            out.push_back(it->path().string());
        }
    }
    std::sort(out.begin(), out.end());
    return out;
}

bool DevicePresent(const std::string& path) {
#ifdef _WIN32
    // "COMn" is no file: the opening itself tells.
    (void)path;
    return true;
#endif
    std::error_code ec;
    return std::filesystem::exists(path, ec);
}

} // namespace tavin

#include "PortsCommand.h"

#include "files/IniFile.h"
#include "link/PortNaming.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSerialPortInfo>

#include <cstdio>

namespace tavin {

namespace {

constexpr int kMaxPortNumber = 255;

// A device path as the file system resolves it, so that a by-id link and
// the device it points at are the same port.
std::string Resolved(const std::string& path) {
    const QFileInfo info(QString::fromStdString(path));
    const QString canonical = info.canonicalFilePath();
    return (canonical.isEmpty() ? info.absoluteFilePath() : canonical).toStdString();
}

// The utility's port numbers whose device is this one.
std::vector<int> NumbersOf(const std::string& device, const PreferenceLookup& prefs) {
    std::vector<int> numbers;
    const std::string target = Resolved(device);
    for (int n = 1; n <= kMaxPortNumber; ++n) {
        if (Resolved(PortDeviceName(n, prefs, false)) == target) {
            numbers.push_back(n);
        }
    }
    return numbers;
}

std::string Hex4(int id) {
    char text[8];
    std::snprintf(text, sizeof text, "%04x", id & 0xFFFF);
    return text;
}

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

std::vector<SerialPortEntry> SystemSerialPorts() {
    std::vector<SerialPortEntry> ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        SerialPortEntry e;
        e.device = info.systemLocation().toStdString();
        e.description = info.description().toStdString();
        e.manufacturer = info.manufacturer().toStdString();
        e.serialNumber = info.serialNumber().toStdString();
        if (info.hasVendorIdentifier()) {
            e.vendorId = info.vendorIdentifier();
        }
        if (info.hasProductIdentifier()) {
            e.productId = info.productIdentifier();
        }
        ports.push_back(std::move(e));
    }
    return ports;
}

int RunPortsCommand(const CliArgs& args, const SerialPortLister& lister) {
    IniFile prefs;
    std::string why;
    if (prefs.Load(args.Ini(), &why) != IniFile::LoadResult::Loaded && args.IniGiven()) {
        args.Err() << "tavin-cli: cannot read the preferences: " << why << "\n";
        return 2;
    }
    const PreferenceLookup lookup = [&prefs](const std::string& section, const std::string& key) {
        return prefs.Get(section, key);
    };
    const std::vector<SerialPortEntry> ports = lister();
    std::ostream& out = args.Out();
    if (args.Has("json")) {
        QJsonArray list;
        for (const SerialPortEntry& p : ports) {
            QJsonArray numbers;
            for (int n : NumbersOf(p.device, lookup)) {
                numbers.append(n);
            }
            QJsonObject o{{"device", Q(p.device)},
                          {"description", Q(p.description)},
                          {"manufacturer", Q(p.manufacturer)},
                          {"serialNumber", Q(p.serialNumber)},
                          {"portNumbers", numbers}};
            o["vendorId"] = p.vendorId ? QJsonValue(Q(Hex4(*p.vendorId))) : QJsonValue();
            o["productId"] = p.productId ? QJsonValue(Q(Hex4(*p.productId))) : QJsonValue();
            list.append(o);
        }
        out << QJsonDocument(QJsonObject{{"ports", list}})
                   .toJson(QJsonDocument::Indented)
                   .toStdString();
        return 0;
    }
    if (ports.empty()) {
        args.Err() << "tavin-cli: this computer offers no serial ports\n";
        return 0;
    }
    for (const SerialPortEntry& p : ports) {
        out << p.device << "\n";
        const auto row = [&out](const char* name, const std::string& value) {
            if (!value.empty()) {
                out << "  " << name << ": " << value << "\n";
            }
        };
        row("description", p.description);
        row("manufacturer", p.manufacturer);
        row("serial number", p.serialNumber);
        if (p.vendorId || p.productId) {
            row("USB id", (p.vendorId ? Hex4(*p.vendorId) : "----") + ":" +
                              (p.productId ? Hex4(*p.productId) : "----"));
        }
        std::string numbers;
        for (int n : NumbersOf(p.device, lookup)) {
            numbers += (numbers.empty() ? "" : ", ") + std::string("COM") + std::to_string(n);
        }
        row("utility port", numbers.empty()
                                ? std::string("none (add Port<N>=" + p.device + " to [COMM])")
                                : numbers);
    }
    return 0;
}

int RunPortsCommand(const CliArgs& args) {
    return RunPortsCommand(args, SystemSerialPorts);
}

} // namespace tavin

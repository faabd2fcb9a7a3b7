#pragma once
// "tavin-cli ports": the serial ports this computer offers, and which of the
// utility's port numbers name each of them.

#include "CliArgs.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tavin {

struct SerialPortEntry {
    std::string device; // "/dev/ttyUSB0"
    std::string description;
    std::string manufacturer;
    std::string serialNumber;
    std::optional<int> vendorId, productId; // USB ids, when the port has them
};

using SerialPortLister = std::function<std::vector<SerialPortEntry>()>;

// The system's ports (QSerialPortInfo).
std::vector<SerialPortEntry> SystemSerialPorts();

// Runs the command over the ports the lister gives; the program uses the
// system's, the tests their own.
int RunPortsCommand(const CliArgs& args, const SerialPortLister& lister);
int RunPortsCommand(const CliArgs& args);

} // namespace tavin

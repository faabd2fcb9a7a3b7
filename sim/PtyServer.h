#pragma once
// Serves a SimTransmitter on a pseudo-terminal: the utility opens the slave
// side (or a symbolic link to it) like a serial port.

#include "sim/SimTransmitter.h"

#include <csignal>
#include <cstdint>
#include <string>

namespace tavin::sim {

class PtyServer {
public:
    explicit PtyServer(SimTransmitter& sim) : sim_(sim) {}
    ~PtyServer();
    PtyServer(const PtyServer&) = delete;
    PtyServer& operator=(const PtyServer&) = delete;

    // Creates the pseudo-terminal in raw mode at 9600 baud and, when linkPath
    // is not empty, a symbolic link to its slave (an old link there is
    // replaced; any other file is left alone and refused). False with a
    // message in `error`.
    bool Open(const std::string& linkPath, std::string& error);
    // The slave device, e.g. "/dev/pts/3".
    const std::string& DevicePath() const { return devicePath_; }
    // Passes bytes both ways until `stop` becomes non-zero (looked at least
    // every 50 ms). Returns 0, or 1 after a fault of the pseudo-terminal.
    int Serve(const volatile std::sig_atomic_t& stop);
    // Closes the pseudo-terminal and removes the link.
    void Close();

    // Milliseconds since the server was opened, from the monotonic clock.
    std::int64_t NowMs() const;

private:
    SimTransmitter& sim_;
    int master_ = -1;
    int slave_ = -1; // kept open so that reading the master never fails with EIO
    std::string devicePath_;
    std::string linkPath_;
    std::int64_t startMs_ = 0;
};

} // namespace tavin::sim

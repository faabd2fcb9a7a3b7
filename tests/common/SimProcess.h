#pragma once
// Runs the real tavin-sim program for a test: it serves a pseudo-terminal
// behind a link in the test's temporary folder and is stopped with the
// object. The program's path comes from the test target (TAVIN_SIM_PROGRAM).

#include <string>
#include <vector>

namespace tavin::test {

class SimProcess {
public:
    SimProcess() = default;
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;
    ~SimProcess() { Stop(); }

    // Starts `program --link <link> args...` and waits (at most 5 s) for the
    // device path it prints. False with a reason when it does not start.
    // A link path may be given, so that a restarted simulator comes back
    // under the same name (a replugged adapter).
    bool Start(const std::string& program, const std::vector<std::string>& args, std::string& error,
               const std::string& link = "");
    // Sends SIGTERM and waits; returns the exit status (-1 when not running).
    int Stop();

    const std::string& Link() const { return link_; }
    const std::string& Device() const { return device_; }
    int Pid() const { return pid_; }

private:
    int pid_ = -1;
    std::string link_;
    std::string device_;
};

} // namespace tavin::test

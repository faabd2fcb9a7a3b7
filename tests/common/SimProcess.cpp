#include "SimProcess.h"

#include "common/Spawn.h"

#include <chrono>
#include <csignal>
#include <cstring>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>

extern char** environ;

namespace tavin::test {

bool SimProcess::Start(const std::string& program, const std::vector<std::string>& args,
                       std::string& error, const std::string& link) {
    static std::atomic<int> serial{0};
    const char* tmp = std::getenv("TMPDIR");
    link_ = !link.empty() ? link
                          : std::string(tmp && *tmp ? tmp : "/tmp") + "/tavin-sim-" +
                                std::to_string(::getpid()) + "-" + std::to_string(serial++);
    int out[2];
    if (::pipe(out) != 0) {
        error = std::strerror(errno);
        return false;
    }
    std::vector<std::string> all = {"--link", link_};
    all.insert(all.end(), args.begin(), args.end());
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    pid_t pid = 0;
    const int rc = SpawnProgram(program, all, &actions, pid);
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    if (rc != 0) {
        ::close(out[0]);
        error = "cannot start " + program + ": " + std::strerror(rc);
        return false;
    }
    pid_ = pid;
    std::string line;
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (line.find('\n') == std::string::npos && std::chrono::steady_clock::now() < end) {
        pollfd p{out[0], POLLIN, 0};
        if (::poll(&p, 1, 50) > 0) {
            char buf[256];
            const ssize_t n = ::read(out[0], buf, sizeof buf);
            if (n <= 0) {
                break;
            }
            line.append(buf, std::size_t(n));
        }
    }
    ::close(out[0]);
    const auto nl = line.find('\n');
    if (nl == std::string::npos) {
        error = "tavin-sim printed no device path";
        Stop();
        return false;
    }
    device_ = line.substr(0, nl);
    return true;
}

int SimProcess::Stop() {
    if (pid_ < 0) {
        return -1;
    }
    ::kill(pid_, SIGTERM);
    int status = 0;
    ::waitpid(pid_, &status, 0);
    pid_ = -1;
    return status;
}

} // namespace tavin::test

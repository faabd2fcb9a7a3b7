#include "sim/PtyServer.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace tavin::sim {
namespace {

std::int64_t MonotonicMs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<std::int64_t>(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

std::string ErrorText(const char* what) {
    return std::string(what) + ": " + std::strerror(errno);
}

} // namespace

PtyServer::~PtyServer() {
    Close();
}

std::int64_t PtyServer::NowMs() const {
    return MonotonicMs() - startMs_;
}

bool PtyServer::Open(const std::string& linkPath, std::string& error) {
    Close();
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0) {
        error = ErrorText("posix_openpt");
        return false;
    }
    char name[128] = {};
    if (grantpt(master_) != 0 || unlockpt(master_) != 0 ||
        ptsname_r(master_, name, sizeof name) != 0) {
        error = ErrorText("pseudo-terminal");
        Close();
        return false;
    }
    devicePath_ = name;
    slave_ = ::open(name, O_RDWR | O_NOCTTY);
    if (slave_ < 0) {
        error = ErrorText(name);
        Close();
        return false;
    }
    // Raw: a carriage return must reach the transmitter as it is, and
    // nothing may be echoed by the line discipline.
    termios tio{};
    if (tcgetattr(slave_, &tio) == 0) {
        cfmakeraw(&tio);
        cfsetispeed(&tio, B9600);
        cfsetospeed(&tio, B9600);
        tcsetattr(slave_, TCSANOW, &tio);
    }
    int flags = fcntl(master_, F_GETFL);
    fcntl(master_, F_SETFL, flags | O_NONBLOCK);

    if (!linkPath.empty()) {
        struct stat st {};
        if (lstat(linkPath.c_str(), &st) == 0) {
            if (!S_ISLNK(st.st_mode)) {
                error = linkPath + ": exists and is not a symbolic link; not replaced";
                Close();
                return false;
            }
            ::unlink(linkPath.c_str());
        }
        if (::symlink(name, linkPath.c_str()) != 0) {
            error = ErrorText(linkPath.c_str());
            Close();
            return false;
        }
        linkPath_ = linkPath;
    }
    startMs_ = MonotonicMs();
    return true;
}

void PtyServer::Close() {
    if (!linkPath_.empty()) {
        ::unlink(linkPath_.c_str());
        linkPath_.clear();
    }
    if (slave_ >= 0) {
        ::close(slave_);
        slave_ = -1;
    }
    if (master_ >= 0) {
        ::close(master_);
        master_ = -1;
    }
}

int PtyServer::Serve(const volatile std::sig_atomic_t& stop) {
    std::string toWrite;
    char buf[4096];
    while (!stop) {
        toWrite += sim_.Poll(NowMs());
        int timeoutMs = 50;
        if (!toWrite.empty()) {
            timeoutMs = 5;
        } else if (sim_.HasPendingOutput()) {
            std::int64_t next = sim_.NextOutputMs();
            timeoutMs = static_cast<int>(std::clamp<std::int64_t>(next - NowMs(), 0, 50));
        }
        pollfd p{master_, static_cast<short>(POLLIN | (toWrite.empty() ? 0 : POLLOUT)), 0};
        int ready = ::poll(&p, 1, timeoutMs);
        if (ready < 0) {
            if (errno == EINTR) {
                continue;
            }
            return 1;
        }
        if (p.revents & POLLIN) {
            ssize_t n = ::read(master_, buf, sizeof buf);
            if (n > 0) {
                sim_.Receive(std::string_view(buf, static_cast<std::size_t>(n)), NowMs());
            } else if (n < 0 && errno != EAGAIN && errno != EINTR && errno != EIO) {
                return 1;
            }
        }
        if ((p.revents & POLLOUT) && !toWrite.empty()) {
            ssize_t n = ::write(master_, toWrite.data(), toWrite.size());
            if (n > 0) {
                toWrite.erase(0, static_cast<std::size_t>(n));
            } else if (n < 0 && errno != EAGAIN && errno != EINTR && errno != EIO) {
                return 1;
            }
        }
        if ((p.revents & (POLLHUP | POLLERR)) && !(p.revents & POLLIN)) {
            // No reader on the far side: wait instead of spinning.
            ::poll(nullptr, 0, 20);
        }
    }
    return 0;
}

} // namespace tavin::sim

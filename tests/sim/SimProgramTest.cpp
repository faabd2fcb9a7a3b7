// The tavin-sim program over a real pseudo-terminal.

#include "common/Spawn.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

// Reads from fd until `done` says the text is complete or the time is up.
template <typename Done> std::string ReadUntil(int fd, Done done, int timeoutMs = 5000) {
    std::string text;
    auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done(text) && Clock::now() < end) {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, 50) > 0 && (p.revents & POLLIN)) {
            char buf[256];
            ssize_t n = ::read(fd, buf, sizeof buf);
            if (n > 0) {
                text.append(buf, static_cast<std::size_t>(n));
            } else if (n == 0) {
                break;
            }
        }
    }
    return text;
}

std::string Ask(int fd, const std::string& line) {
    std::string bytes = line + "\r";
    EXPECT_EQ(::write(fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    return ReadUntil(fd, [](const std::string& t) { return !t.empty() && t.back() == '>'; });
}

TEST(SimProgram, ServesTheCommandLanguageOnAPseudoTerminalLink) {
    const std::string dir = ::testing::TempDir();
    const std::string tag = std::to_string(::getpid());
    const std::string link = dir + "/tavin-sim-link-" + tag;
    const std::string config = dir + "/tavin-sim-config-" + tag + ".txt";
    const std::string transcript = dir + "/tavin-sim-transcript-" + tag + ".txt";
    std::ofstream(config) << "TCH=95,300\r\nPIS=Test site\r\nCFS\r\n";

    int out[2];
    ASSERT_EQ(::pipe(out), 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    const char* argv[] = {"tavin-sim",    "--link",       link.c_str(),       "--config",
                          config.c_str(), "--transcript", transcript.c_str(), nullptr};
    pid_t pid = 0;
    ASSERT_EQ(posix_spawn(&pid, TAVIN_SIM_PROGRAM, &actions, nullptr,
                          const_cast<char* const*>(argv), environ),
              0);
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);

    std::string device =
        ReadUntil(out[0], [](const std::string& t) { return t.find('\n') != std::string::npos; });
    ::close(out[0]);
    ASSERT_FALSE(device.empty());
    EXPECT_EQ(device.rfind("/dev/pts/", 0), 0u) << device;
    char target[256] = {};
    ASSERT_GT(::readlink(link.c_str(), target, sizeof target - 1), 0);
    EXPECT_EQ(std::string(target) + "\n", device);

    int fd = ::open(link.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(fd, 0) << std::strerror(errno);
    termios tio{};
    ASSERT_EQ(tcgetattr(fd, &tio), 0);
    cfmakeraw(&tio);
    tcsetattr(fd, TCSANOW, &tio);

    EXPECT_EQ(Ask(fd, "ARG?"), "ARG?\r\nARG=0\r\n>");
    EXPECT_EQ(Ask(fd, "TCH?"), "TCH?\r\nTCH=95,300\r\n>"); // from the configuration file
    EXPECT_EQ(Ask(fd, "PIS?"), "PIS?\r\nPIS=Test site\r\n>");
    ::close(fd);

    ::kill(pid, SIGTERM);
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    struct stat st {};
    EXPECT_NE(::lstat(link.c_str(), &st), 0) << "the link is removed on exit";

    std::ifstream in(transcript);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find(" R ARG?\n"), std::string::npos) << text;
    EXPECT_NE(text.find(" S ARG=0\n"), std::string::npos) << text;
    EXPECT_NE(text.find(" S >\n"), std::string::npos) << text;
    std::remove(config.c_str());
    std::remove(transcript.c_str());
}

TEST(SimProgram, RefusesBadArguments) {
    auto run = [](std::vector<std::string> args) {
        return tavin::test::RunQuietly(TAVIN_SIM_PROGRAM, args);
    };
    EXPECT_EQ(run({"--help"}), 0);
    EXPECT_EQ(run({"--version"}), 0);
    EXPECT_EQ(run({}), 2);
    EXPECT_EQ(run({"--link", "/tmp/x", "--firmware", "one"}), 2);
    EXPECT_EQ(run({"--link", "/tmp/x", "--silent", "-3"}), 2);
    EXPECT_EQ(run({"--frobnicate"}), 2);
    // A file that is not a link is never replaced.
    const std::string plain =
        ::testing::TempDir() + "/tavin-sim-plain-" + std::to_string(::getpid());
    std::ofstream(plain) << "keep";
    EXPECT_EQ(run({"--link", plain.c_str()}), 1);
    std::ifstream in(plain);
    std::string kept;
    in >> kept;
    EXPECT_EQ(kept, "keep");
    std::remove(plain.c_str());
}

} // namespace

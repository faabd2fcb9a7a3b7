#include "common/Spawn.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <csignal>
#include <fstream>
#include <sstream>

using namespace tavin::test;

namespace {

struct ProbeRun {
    bool exited = false;
    int code = -1;   // exit status when it exited
    int signal = 0;  // the signal that ended it otherwise
    std::string out; // what it printed
};

std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

ProbeRun RunProbe(const QTemporaryDir& dir, const std::string& mode, const std::string& log,
                  const std::vector<std::string>& more = {}) {
    const std::string out = dir.filePath("out.txt").toStdString();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, out.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<std::string> args = {mode, log};
    args.insert(args.end(), more.begin(), more.end());
    pid_t pid = 0;
    ProbeRun run;
    const int rc = SpawnProgram(TAVIN_EXCEPTION_PROBE, args, &actions, pid);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) {
        return run;
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    run.exited = WIFEXITED(status);
    run.code = run.exited ? WEXITSTATUS(status) : -1;
    run.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    run.out = Read(out);
    return run;
}

int Count(const std::string& text, const std::string& what) {
    int n = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
        ++n;
    }
    return n;
}

} // namespace

TEST(ExceptionLog, AnExceptionInAnEventIsLoggedShownAndTheProgramGoesOn) {
    QTemporaryDir dir;
    const std::string log = dir.filePath("Exception.log").toStdString();
    const ProbeRun run = RunProbe(dir, "event", log);
    EXPECT_TRUE(run.exited);
    EXPECT_EQ(run.code, 0);
    EXPECT_NE(run.out.find("went on"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("BOX: An unexpected error stopped the last action:\r"
                           "std::runtime_error: probe event\r(in the User event of "
                           "QObject \"thrower\")\r\rThe details were written to " +
                           log + "."),
              std::string::npos)
        << run.out;
    const std::string text = Read(log);
    EXPECT_EQ(text.rfind("==== 20", 0), 0u) << text;
    EXPECT_NE(text.find(" UTC ====\nProgram: exception-probe 1.0\n"), std::string::npos);
    EXPECT_NE(text.find("Failure: std::runtime_error: probe event\n"), std::string::npos);
    EXPECT_NE(text.find("Where: the User event of QObject \"thrower\"\n"), std::string::npos);
    EXPECT_NE(text.find("Backtrace:\n"), std::string::npos);
}

TEST(ExceptionLog, TerminateIsLoggedOnceAndEndsTheProgram) {
    QTemporaryDir dir;
    const std::string log = dir.filePath("Exception.log").toStdString();
    const ProbeRun run = RunProbe(dir, "terminate", log);
    EXPECT_EQ(run.signal, SIGABRT);
    const std::string text = Read(log);
    EXPECT_EQ(Count(text, "Program: "), 1) << text; // one entry, not a second for the abort
    EXPECT_NE(text.find("Failure: Unhandled exception std::logic_error: probe terminate\n"),
              std::string::npos)
        << text;
    EXPECT_EQ(text.find("Fatal signal"), std::string::npos) << text;
}

TEST(ExceptionLog, FatalSignalsAreLoggedAndEndTheProgramWithTheirSignal) {
    QTemporaryDir dir;
    const std::string log = dir.filePath("Exception.log").toStdString();
    const struct {
        const char* mode;
        int signal;
        const char* line;
    } cases[] = {
        {"segv", SIGSEGV, "Fatal signal 11 (SIGSEGV)\n"},
        {"fpe", SIGFPE, "Fatal signal 8 (SIGFPE)\n"},
        {"abort", SIGABRT, "Fatal signal 6 (SIGABRT)\n"},
    };
    int entries = 0;
    for (const auto& c : cases) {
        const ProbeRun run = RunProbe(dir, c.mode, log, {"0"});
        EXPECT_EQ(run.signal, c.signal) << c.mode;
        const std::string text = Read(log);
        EXPECT_NE(text.find(c.line), std::string::npos) << text;
        // Entries are appended, each with the program and a backtrace.
        EXPECT_EQ(Count(text, "Program: exception-probe 1.0\n"), ++entries) << text;
        EXPECT_EQ(Count(text, "Backtrace:\n"), entries) << text;
        EXPECT_NE(text.find("exception_probe("), std::string::npos) << text; // a frame
    }
}

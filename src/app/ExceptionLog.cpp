#include "app/ExceptionLog.h"

#include "support/CivilDate.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <exception>
#include <typeinfo>

#include <cxxabi.h>
#include <execinfo.h>
#include <fcntl.h>
#include <unistd.h>

namespace tavin {
namespace {

constexpr int kMaxFrames = 64;
constexpr int kFatalSignals[] = {SIGSEGV, SIGABRT, SIGFPE, SIGILL, SIGBUS};

std::string& LogPath() {
    static std::string path;
    return path;
}
std::string& ProgramName() {
    static std::string name;
    return name;
}

// Copies for the fatal paths, filled once by Install.
char gPath[4096];
char gProgram[256];
// A stack of its own for the signal handler, so that a stack overflow can
// still be reported.
alignas(16) char gAltStack[64 * 1024];

// "2026-12-11 13:36:39 UTC" without the C library's time functions, which
// may take locks.
void FormatUtc(std::time_t t, char* out) {
    long long secs = t;
    long long days = secs / 86400;
    long long rem = secs % 86400;
    if (rem < 0) {
        rem += 86400;
        --days;
    }
    int y = 0, m = 0, d = 0;
    CivilFromDays(days, y, m, d);
    const long long fields[] = {y, m, d, rem / 3600, rem / 60 % 60, rem % 60};
    const int widths[] = {4, 2, 2, 2, 2, 2};
    const char seps[] = {'-', '-', ' ', ':', ':', ' '};
    char* p = out;
    for (int i = 0; i < 6; ++i) {
        long long v = fields[i];
        for (int w = widths[i] - 1; w >= 0; --w) {
            p[w] = char('0' + v % 10);
            v /= 10;
        }
        p += widths[i];
        *p++ = seps[i];
    }
    std::memcpy(p, "UTC", 4);
}

void WriteAll(int fd, const char* text) {
    std::size_t left = std::strlen(text);
    while (left > 0) {
        const ssize_t n = ::write(fd, text, left);
        if (n <= 0) {
            return;
        }
        text += n;
        left -= std::size_t(n);
    }
}

void WriteNumber(int fd, int value) {
    char digits[16];
    int n = 0;
    unsigned v = value < 0 ? unsigned(-value) : unsigned(value);
    do {
        digits[n++] = char('0' + v % 10);
        v /= 10;
    } while (v != 0 && n < 15);
    char out[17];
    int o = 0;
    if (value < 0) {
        out[o++] = '-';
    }
    while (n > 0) {
        out[o++] = digits[--n];
    }
    out[o] = '\0';
    WriteAll(fd, out);
}

// The header of an entry: the date line and the program line.
void WriteHeader(int fd) {
    char date[32];
    FormatUtc(std::time(nullptr), date);
    WriteAll(fd, "==== ");
    WriteAll(fd, date);
    WriteAll(fd, " ====\nProgram: ");
    WriteAll(fd, gProgram);
    WriteAll(fd, "\n");
}

void WriteBacktrace(int fd) {
    void* frames[kMaxFrames];
    const int count = ::backtrace(frames, kMaxFrames);
    WriteAll(fd, "Backtrace:\n");
    ::backtrace_symbols_fd(frames, count, fd);
    WriteAll(fd, "\n");
}

const char* SignalName(int sig) {
    switch (sig) {
    case SIGSEGV:
        return "SIGSEGV";
    case SIGABRT:
        return "SIGABRT";
    case SIGFPE:
        return "SIGFPE";
    case SIGILL:
        return "SIGILL";
    case SIGBUS:
        return "SIGBUS";
    default:
        return "signal";
    }
}

int OpenLog() {
    return ::open(gPath, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
}

extern "C" void OnFatalSignal(int sig) {
    // Only async-signal-safe calls from here on.
    const int fd = OpenLog();
    if (fd >= 0) {
        WriteHeader(fd);
        WriteAll(fd, "Fatal signal ");
        WriteNumber(fd, sig);
        WriteAll(fd, " (");
        WriteAll(fd, SignalName(sig));
        WriteAll(fd, ")\n");
        WriteBacktrace(fd);
        ::close(fd);
    }
    // The handler was reset on entry: the signal now ends the program as it
    // would have without us (exit status, core file).
    ::raise(sig);
}

void OnTerminate() {
    std::string what = "std::terminate called without an active exception";
    if (std::current_exception()) {
        what = "Unhandled exception " + ExceptionLog::DescribeCurrentException();
    }
    ExceptionLog::Append(what, "std::terminate");
    // The abort below is ours: it must not be logged a second time.
    std::signal(SIGABRT, SIG_DFL);
    std::abort();
}

void CopyInto(char* out, std::size_t size, const std::string& text) {
    std::snprintf(out, size, "%s", text.c_str());
}

} // namespace

void ExceptionLog::Install(const std::string& path, const std::string& program) {
    LogPath() = path;
    ProgramName() = program;
    CopyInto(gPath, sizeof gPath, path);
    CopyInto(gProgram, sizeof gProgram, program);
    // The first backtrace loads the unwinder, which allocates: do it now.
    void* frames[2];
    ::backtrace(frames, 2);
}

void ExceptionLog::InstallFatalHandlers() {
    std::set_terminate(OnTerminate);
    stack_t stack{};
    stack.ss_sp = gAltStack;
    stack.ss_size = sizeof gAltStack;
    ::sigaltstack(&stack, nullptr);
    struct sigaction action {};
    action.sa_handler = OnFatalSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESETHAND | SA_ONSTACK;
    for (int sig : kFatalSignals) {
        ::sigaction(sig, &action, nullptr);
    }
}

const std::string& ExceptionLog::Path() {
    return LogPath();
}

bool ExceptionLog::Append(const std::string& what, const std::string& where) {
    if (gPath[0] == '\0') {
        return false;
    }
    const int fd = OpenLog();
    if (fd < 0) {
        return false;
    }
    WriteHeader(fd);
    WriteAll(fd, ("Failure: " + what + "\n").c_str());
    if (!where.empty()) {
        WriteAll(fd, ("Where: " + where + "\n").c_str());
    }
    WriteBacktrace(fd);
    return ::close(fd) == 0;
}

std::string ExceptionLog::DescribeCurrentException() {
    if (!std::current_exception()) {
        return "no exception";
    }
    std::string type = "unknown exception";
    if (const std::type_info* info = abi::__cxa_current_exception_type()) {
        int status = 0;
        char* demangled = abi::__cxa_demangle(info->name(), nullptr, nullptr, &status);
        type = status == 0 && demangled ? demangled : info->name();
        std::free(demangled);
    }
    try {
        throw;
    } catch (const std::exception& e) {
        return type + ": " + e.what();
    } catch (...) {
        return type;
    }
}

} // namespace tavin

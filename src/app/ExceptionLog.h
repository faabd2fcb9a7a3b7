#pragma once
// "Exception.log": a dated entry for every failure the program did not
// expect, with the program's version, what failed and a backtrace. A caught
// exception is written with ordinary code and the program goes on; for
// std::terminate and fatal signals the entry is written with system calls
// that are safe inside a signal handler, and then the program ends.

#include <string>

namespace tavin {

class ExceptionLog {
public:
    // Where entries go and how they name the program ("tavin-utility
    // 0.1.0"). Everything the fatal paths need is prepared here, so that
    // they allocate nothing.
    static void Install(const std::string& path, const std::string& program);
    // Catches std::terminate and the fatal signals (SIGSEGV, SIGABRT,
    // SIGFPE, SIGILL, SIGBUS).
    static void InstallFatalHandlers();

    static const std::string& Path();

    // Appends an entry for a caught failure; false when the log could not
    // be written.
    static bool Append(const std::string& what, const std::string& where);

    // "std::runtime_error: text" for the exception being handled, for use
    // inside a catch block.
    static std::string DescribeCurrentException();
};

} // namespace tavin

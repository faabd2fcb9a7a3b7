// A program that fails on purpose, for the exception log tests: the failure
// paths end or disturb the process, so they are tried in one of their own.
//   exception_probe MODE LOGFILE [ADDRESS]
// MODE: event (an exception in an event handler; the program goes on),
// terminate, segv (writes to ADDRESS), fpe (divides by ADDRESS), abort.

#include "app/ExceptionLog.h"
#include "app/TApplication.h"
#include "ui/MessageBoxes.h"

#include <QEvent>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>

#include <sys/resource.h>

namespace {

class Thrower : public QObject {
public:
    bool event(QEvent* e) override {
        if (e->type() == QEvent::User) {
            throw std::runtime_error("probe event");
        }
        return QObject::event(e);
    }
};

class PrintingPrompter : public tavin::Prompter {
public:
    void ShowErrorBox(const std::string& text) override { std::printf("BOX: %s\n", text.c_str()); }
    void ShowInfoBox(const std::string&) override {}
    bool AskYesNo(const std::string&) override { return false; }
    std::optional<std::string> InputBox(const std::string&, const std::string&,
                                        const std::string&) override {
        return std::nullopt;
    }
    std::optional<std::string> OpenFileName(const std::string&, const std::string&,
                                            const std::string&, const std::string&) override {
        return std::nullopt;
    }
    std::optional<std::string> SaveFileName(const std::string&, const std::string&,
                                            const std::string&, const std::string&) override {
        return std::nullopt;
    }
};

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        return 64;
    }
    // No core files from the deliberate crashes.
    const rlimit noCore{0, 0};
    setrlimit(RLIMIT_CORE, &noCore);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    tavin::TApplication app(argc, argv);
    PrintingPrompter prompter;
    app.SetPrompter(&prompter);
    tavin::ExceptionLog::Install(argv[2], "exception-probe 1.0");
    tavin::ExceptionLog::InstallFatalHandlers();
    const std::string mode = argv[1];
    const long address = argc > 3 ? std::strtol(argv[3], nullptr, 10) : 0;

    if (mode == "event") {
        Thrower thrower;
        thrower.setObjectName("thrower");
        QCoreApplication::postEvent(&thrower, new QEvent(QEvent::User));
        QTimer::singleShot(50, [] {
            std::puts("went on");
            QCoreApplication::exit(0);
        });
        return QApplication::exec();
    }
    if (mode == "terminate") {
        try {
            throw std::logic_error("probe terminate");
        } catch (...) {
            std::terminate();
        }
    }
    if (mode == "segv") {
        *reinterpret_cast<volatile int*>(address) = 1;
    }
    if (mode == "fpe") {
        // Both operands opaque: a constant 1 / x is folded into a compare.
        volatile int dividend = 7;
        volatile int divisor = int(address);
        std::printf("%d\n", dividend / divisor);
    }
    if (mode == "abort") {
        std::abort();
    }
    return 65;
}

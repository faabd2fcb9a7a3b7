#include "LogPortCommand.h"

#include "LogCommand.h"
#include "PortCommands.h"

#include "datalog/DataLogController.h"
#include "datalog/DataLogTexts.h"
#include "files/AtomicFile.h"
#include "files/Preferences.h"
#include "support/FixedFormats.h"
#include "support/StringRoutines.h"
#include "workflows/SupervisionTexts.h"

#include <QCoreApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QTimer>

#include <algorithm>
#include <cctype>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <optional>
#include <unistd.h>

namespace tavin {

namespace {

constexpr int kExitInterrupted = 130; // Ctrl-C, as shells report it
// The label, count and filter queries of the window's opening.
constexpr int kOpeningLimitMs = 30000;
// A retrieval with nothing left to send or to handle and no end in sight has
// stalled once this has passed: the transmitter answered without a log.
constexpr int kStallMs = 1000;
// Time for the abort bytes to leave before the port closes.
constexpr int kAbortDrainMs = 300;

constexpr char kLogPortUsage[] =
    "Usage: tavin-cli --port N|DEVICE log dump [options]\n"
    "       tavin-cli --port N|DEVICE log clear [--yes] [--ini FILE]\n"
    "\n"
    "dump retrieves the transmitter's sensor log and prints each record as the\n"
    "data log window shows it; with any filter only the records that pass it.\n"
    "  -o FILE                    write the records to FILE instead of standard\n"
    "                             output (only when the whole log has arrived)\n"
    "  --hex                      the raw hex lines instead of decoded records\n"
    "                             (a full dump saved so can be read by log decode)\n"
    "  --before mm/dd/yyyy[,hh:mm:ss]  records at or before this time\n"
    "  --after mm/dd/yyyy[,hh:mm:ss]   records at or after this time\n"
    "  --type Data|Event          sensor records only, or events only\n"
    "  --sdi12 LIST               the SDI-12 sensors whose records are shown\n"
    "  --internal LIST            the internal sensors whose records are shown\n"
    "                             LIST is items n or a-b joined by \",\" (0-2,4),\n"
    "                             or all; with only one of the two, no sensor of\n"
    "                             the other kind is shown (events always are)\n"
    "  --labels FILE              sensor labels and tipping-bucket settings from a\n"
    "                             configuration file instead of the transmitter\n"
    "clear erases the log after asking on standard input; --yes does not ask.\n"
    "  --ini FILE                 the preferences file that maps port numbers to\n"
    "                             devices (key Port<N> of [COMM]; default\n"
    "                             tavin-utility.ini beside the program)\n"
    "\n"
    "Progress and messages go to standard error.\n"
    "Exit codes: 0 success, 1 the transmitter refused, 2 no answer or no port,\n"
    "3 bad input (or the erase was not confirmed), 130 interrupted.\n";

void Note(const std::string& text) {
    std::string out;
    for (char c : text) {
        out += c == '\r' ? '\n' : c;
    }
    std::fprintf(stderr, "tavin-cli: %s\n", out.c_str());
}

int BadInput(const std::string& text) {
    Note(text);
    return kExitBadInput;
}

struct SensorRange {
    int first = 0;
    int last = 0;
};

// A sensor selection from the command line: every sensor, or ranges.
struct SensorChoice {
    bool all = false;
    std::vector<SensorRange> ranges;
};

struct LogOptions {
    bool dump = false;
    std::string output; // empty: standard output
    bool hex = false;
    std::optional<FilterDateTime> before, after;
    std::optional<std::string> type; // "Data" or "Event"
    std::optional<SensorChoice> sdi12, internal;
    std::string labels;
    std::string ini;
    bool yes = false;

    bool Filtered() const { return before || after || type || sdi12 || internal; }
};

// Choice words are compared without regard to case.
bool SameWord(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

bool ParseNumber(std::string_view text, int& value) {
    std::int32_t v = 0;
    if (text.empty() || text.size() > 3 || !IsIntegerText(text, false) || !TextToInt32(text, v)) {
        return false;
    }
    value = v;
    return true;
}

// "mm/dd/yyyy" or "mm/dd/yyyy,hh:mm:ss".
bool ParseFilterTime(const std::string& text, FilterDateTime& value) {
    const auto comma = text.find(',');
    const std::string date = text.substr(0, comma);
    std::string time = comma == std::string::npos ? "00:00:00" : text.substr(comma + 1);
    int hour = 0, minute = 0, second = 0;
    if (!ParseShortDate(date, value.year, value.month, value.day) ||
        !ParseLongTime(time, hour, minute, second) || value.year < 2000 || value.year > 2099) {
        return false;
    }
    value.time = FormatLongTime(hour, minute, second);
    return true;
}

bool ParseSensorChoice(const std::string& text, SensorChoice& choice) {
    if (text == "all" || text == "*") {
        choice.all = true;
        return true;
    }
    std::size_t at = 0;
    while (at <= text.size()) {
        const auto comma = std::min(text.find(',', at), text.size());
        const std::string item = text.substr(at, comma - at);
        const auto dash = item.find('-');
        SensorRange r;
        if (dash == std::string::npos) {
            if (!ParseNumber(item, r.first)) {
                return false;
            }
            r.last = r.first;
        } else if (!ParseNumber(item.substr(0, dash), r.first) ||
                   !ParseNumber(item.substr(dash + 1), r.last) || r.last < r.first) {
            return false;
        }
        choice.ranges.push_back(r);
        at = comma + 1;
    }
    return !choice.ranges.empty();
}

// Reads the options after "dump" or "clear"; a message when they are wrong.
std::optional<std::string> ParseOptions(const std::vector<std::string>& args, LogOptions& o) {
    o.dump = args[0] == "dump";
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        auto value = [&]() -> const std::string& { return args[++i]; };
        if (a == "--ini" && hasValue) {
            o.ini = value();
        } else if (!o.dump) {
            if (a == "--yes" || a == "-y") {
                o.yes = true;
            } else {
                return "log clear takes --yes and --ini FILE, not '" + a + "'";
            }
        } else if (a == "--hex") {
            o.hex = true;
        } else if (a == "-o" && hasValue) {
            o.output = value();
        } else if ((a == "--before" || a == "--after") && hasValue) {
            FilterDateTime t;
            const std::string& text = value();
            if (!ParseFilterTime(text, t)) {
                return a + " takes mm/dd/yyyy or mm/dd/yyyy,hh:mm:ss (2000-2099), not '" + text +
                       "'";
            }
            (a == "--before" ? o.before : o.after) = t;
        } else if (a == "--type" && hasValue) {
            const std::string& text = value();
            if (SameWord(text, logtext::kTypeData)) {
                o.type = std::string(logtext::kTypeData);
            } else if (SameWord(text, logtext::kTypeEvent)) {
                o.type = std::string(logtext::kTypeEvent);
            } else {
                return "--type takes Data or Event, not '" + text + "'";
            }
        } else if ((a == "--sdi12" || a == "--internal") && hasValue) {
            SensorChoice choice;
            const std::string& text = value();
            if (!ParseSensorChoice(text, choice)) {
                return a + " takes a list such as 0-2,4 or all, not '" + text + "'";
            }
            (a == "--sdi12" ? o.sdi12 : o.internal) = choice;
        } else if (a == "--labels" && hasValue) {
            o.labels = value();
        } else {
            return "log dump does not take '" + a + "'" +
                   (hasValue || a.empty() || a[0] != '-' ? "" : " without a value");
        }
    }
    return std::nullopt;
}

// The erase question on the terminal: only an explicit yes erases.
bool AskOnStdin(const std::string& question) {
    std::string text;
    for (char c : question) {
        text += c == '\r' ? '\n' : c;
    }
    std::fprintf(stderr, "%s [y/N] ", text.c_str());
    std::fflush(stderr);
    std::string answer;
    if (!std::getline(std::cin, answer)) {
        std::fputc('\n', stderr);
        return false;
    }
    const auto first = answer.find_first_not_of(" \t\r");
    const auto last = answer.find_last_not_of(" \t\r");
    const std::string word =
        first == std::string::npos ? std::string() : answer.substr(first, last - first + 1);
    return SameWord(word, "y") || SameWord(word, "yes");
}

// Ctrl-C during a retrieval is the box's "Abort": the handler only writes a
// byte, the event loop does the rest.
int gInterruptPipe[2] = {-1, -1};

void OnInterrupt(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(gInterruptPipe[1], &byte, 1);
    std::signal(SIGINT, SIG_DFL); // a second Ctrl-C ends the program at once
}

// The data log window as the command line shows it: the records go to the
// output (standard output or a file written when the log is complete), the
// progress and the messages to standard error, the questions have been
// answered by the options.
class CliLogHost : public DataLogHost {
public:
    CliLogHost(CliPort& port, const LogOptions& options) : port_(port), options_(options) {
        receiveTimer_.setTimerType(Qt::PreciseTimer);
        receiveTimer_.setInterval(DataLogController::kIdleInterval);
        QObject::connect(&receiveTimer_, &QTimer::timeout, [this] {
            if (logic_ != nullptr) {
                logic_->OnTimer();
            }
        });
        closeTimer_.setSingleShot(true);
        QObject::connect(&closeTimer_, &QTimer::timeout, [this] { Close(pendingResult_); });
        progressTty_ = ::isatty(STDERR_FILENO) == 1;
    }
    ~CliLogHost() override { EndProgressLine(); }

    void Attach(DataLogController& logic) {
        logic_ = &logic;
        receiveTimer_.start();
    }

    // The box ends now with this result, as its button would end it.
    void Close(LogBoxResult result) {
        closeTimer_.stop();
        if (!boxOpen_) {
            return;
        }
        boxOpen_ = false;
        result_ = result;
        EndProgressLine();
        logic_->BoxClosed(result);
    }

    bool Closed() const { return result_.has_value(); }
    LogBoxResult Result() const { return result_.value_or(LogBoxResult::Cancel); }
    bool ClosePending() const { return closeTimer_.isActive(); }
    const std::string& Instruction() const { return instruction_; }
    const std::string& Output() const { return fileText_; }

    // DataLogHost
    void QueueCommand(const std::string& command) override { port_.Link().QueueCommand(command); }
    bool PortOpen() const override { return port_.PortOpen(); }
    void SendDirect(std::string_view bytes) override { port_.WritePort(bytes); }
    void ReleaseCurrentCommand() override { port_.Link().ReleaseCurrentCommand(); }

    void AppendMemo(const std::string& line) override {
        // Records reach the output through the log file; the memo's own
        // messages are worth telling.
        for (std::string_view message :
             {logtext::kDumpAborted, logtext::kDumpError, logtext::kEraseCancelled,
              logtext::kEraseError, logtext::kEraseComplete}) {
            if (line == message) {
                EndProgressLine();
                Note(line);
            }
        }
    }
    void SetReceiveInterval(int milliseconds) override {
        if (receiveTimer_.interval() != milliseconds) {
            receiveTimer_.setInterval(milliseconds);
        }
    }

    void ShowBox(const LogBoxSetup& setup) override {
        boxOpen_ = true;
        result_.reset();
        closeTimer_.stop();
        instruction_ = setup.instruction;
        std::fprintf(stderr, "%s\n", setup.operation.c_str());
    }
    bool BoxOpen() const override { return boxOpen_; }
    void ShowBoxCancel() override {}
    void SetBoxInstruction(const std::string& text) override { instruction_ = text; }
    void SetBoxCommand(const std::string&) override {}
    void SetBoxProgress(bool visible, int maximum, int position) override {
        if (!visible || !progressTty_ || maximum <= 0) {
            return;
        }
        std::fprintf(stderr, "\r%d/%d lines", position, maximum);
        std::fflush(stderr);
        progressShown_ = true;
    }
    void CloseBoxAfter(int /*milliseconds*/, LogBoxResult result) override {
        // The delay lets a user read the box; here the outcome is printed, so
        // the box closes as soon as the current line has been handled.
        pendingResult_ = result;
        closeTimer_.start(0);
    }

    bool AskYesNo(const std::string&) override { return true; } // asked before the port opened
    bool AskErrorYesNo(const std::string&) override { return false; }
    std::optional<std::string> ChooseSaveFile(const std::string&) override {
        return options_.output.empty() ? std::string("-") : options_.output;
    }

    bool CreateLogFile(const std::string&) override {
        fileText_.clear();
        return true;
    }
    void WriteLogLine(const std::string& line) override {
        if (options_.output.empty()) {
            EndProgressLine();
            std::fwrite(line.data(), 1, line.size(), stdout);
            std::fputc('\n', stdout);
        } else {
            fileText_ += line;
            fileText_ += '\n';
        }
    }
    void CloseLogFile() override { std::fflush(stdout); }

private:
    void EndProgressLine() {
        if (progressShown_) {
            std::fputc('\n', stderr);
            progressShown_ = false;
        }
    }

    CliPort& port_;
    const LogOptions& options_;
    DataLogController* logic_ = nullptr;
    QTimer receiveTimer_;
    QTimer closeTimer_;
    bool boxOpen_ = false;
    std::optional<LogBoxResult> result_;
    LogBoxResult pendingResult_ = LogBoxResult::Ok;
    std::string instruction_;
    std::string fileText_;
    bool progressTty_ = false;
    bool progressShown_ = false;
};

// Ticks the entries a choice names; a message when a sensor is not there.
std::optional<std::string> TickChoice(DataLogController& logic, const SensorChoice& choice,
                                      bool internal) {
    const auto& f = logic.Filters();
    const int entries = static_cast<int>(internal ? f.internal.size() : f.sdi12.size());
    const int count = std::min(entries, internal ? logic.InternalCount() : logic.Sdi12Count());
    if (choice.all) {
        internal ? logic.SelectAllInternal(true) : logic.SelectAllSdi12(true);
        return std::nullopt;
    }
    for (const SensorRange& r : choice.ranges) {
        if (r.last >= count) {
            return std::string(internal ? "--internal" : "--sdi12") + ": the transmitter has " +
                   (internal ? "internal" : "SDI-12") + " sensors 0 to " +
                   std::to_string(count - 1) + ", not " + std::to_string(r.last);
        }
        for (int n = r.first; n <= r.last; ++n) {
            internal ? logic.TickInternal(n, true) : logic.TickSdi12(n, true);
        }
    }
    return std::nullopt;
}

// The window's controls as the options set them; nothing the transmitter's
// filter display brought in stays.
std::optional<std::string> SetControls(DataLogController& logic, const LogOptions& o) {
    DataLogFilters& f = logic.Filters();
    f.before = o.before.has_value();
    if (o.before) {
        f.beforeValue = *o.before;
    }
    f.after = o.after.has_value();
    if (o.after) {
        f.afterValue = *o.after;
    }
    f.logEntry = o.type.has_value();
    if (o.type) {
        f.type = *o.type;
    }
    logic.SelectAllSdi12(false);
    logic.SelectAllInternal(false);
    f.sensors = o.sdi12 || o.internal;
    if (o.sdi12) {
        if (auto error = TickChoice(logic, *o.sdi12, false)) {
            return error;
        }
    }
    if (o.internal) {
        if (auto error = TickChoice(logic, *o.internal, true)) {
            return error;
        }
    }
    f.logToFile = true; // the output is the log file
    return std::nullopt;
}

int Run(const std::string& portName, const LogOptions& o, const XmtrConfig* labels) {
    std::string ini = o.ini;
    if (ini.empty()) {
        const std::string program = QCoreApplication::applicationFilePath().toStdString();
        ini = UtilityPreferencesFile(program);
    }
    CliPort port(ini);
    const int opened = port.Open(portName);
    if (opened != kExitOk) {
        return opened;
    }
    TransmitterLink& link = port.Link();

    DataLogSettings settings;
    settings.extendedTables = port.Session().Utility().ExtendedTables();
    settings.saveLogToFile = true;
    settings.saveLogAsHex = o.hex;
    CliLogHost host(port, o);
    DataLogController logic(host, settings);
    host.Attach(logic);

    // The command the transmitter refused last, for the message.
    std::string refused;
    link.OperationHandler = nullptr;
    link.ReplyHandler = [&](const std::string& line) {
        if (line == "ERR" || line == "INV") {
            refused = link.CurrentCommand();
        }
        logic.PacketHandler(line);
    };
    // The link outlives the logic its handler feeds.
    struct HandlerRemoval {
        TransmitterLink& link;
        ~HandlerRemoval() { link.ReplyHandler = nullptr; }
    } handlerRemoval{link};
    auto idle = [&] {
        return link.ListXmitCmd.empty() && link.CurrentCommand().empty() &&
               logic.PendingLines() == 0;
    };

    // Opening the window: labels, counts, tipping bucket and filters.
    const QDate today = QDate::currentDate();
    logic.Open(today.year(), today.month(), today.day());
    logic.Show();
    if (!port.RunUntil(idle, kOpeningLimitMs)) {
        Note(texts::kCommTimedOut);
        return kExitNoAnswer;
    }
    if (labels != nullptr) {
        logic.UseConfigLabels(*labels);
    }
    refused.clear();

    if (o.dump) {
        if (auto error = SetControls(logic, o)) {
            return BadInput(*error);
        }
        logic.RetrieveLog();
    } else {
        logic.ClearLog();
    }
    if (!host.BoxOpen()) {
        Note("the operation did not start");
        return kExitBadInput;
    }

    // Ctrl-C aborts like the box's button.
    bool interrupted = false;
    std::optional<QSocketNotifier> notifier;
    if (::pipe(gInterruptPipe) == 0) {
        notifier.emplace(gInterruptPipe[0], QSocketNotifier::Read);
        QObject::connect(&*notifier, &QSocketNotifier::activated, [&] {
            char byte = 0;
            [[maybe_unused]] const ssize_t n = ::read(gInterruptPipe[0], &byte, 1);
            interrupted = true;
            host.Close(LogBoxResult::Cancel);
        });
        std::signal(SIGINT, OnInterrupt);
    }
    QElapsedTimer stalled;
    bool stalling = false;
    const bool ended = port.RunUntil(
        [&] {
            if (host.Closed()) {
                return true;
            }
            if (!idle() || host.ClosePending()) {
                stalling = false;
                return false;
            }
            if (!stalling) {
                stalling = true;
                stalled.start();
            }
            return stalled.elapsed() > kStallMs;
        },
        24 * 3600 * 1000);
    std::signal(SIGINT, SIG_DFL);
    notifier.reset();
    if (gInterruptPipe[0] >= 0) {
        ::close(gInterruptPipe[0]);
        ::close(gInterruptPipe[1]);
        gInterruptPipe[0] = gInterruptPipe[1] = -1;
    }

    if (!ended) {
        Note(texts::kCommTimedOut);
        return kExitNoAnswer;
    }
    if (!host.Closed()) {
        // Answered, but without a log (or without the erase's "OK").
        host.Close(LogBoxResult::No);
        if (!refused.empty()) {
            Note("the transmitter refused \"" + refused + "\"");
            return kExitRefused;
        }
        Note(o.dump ? "the transmitter sent no log" : "the transmitter did not confirm the erase");
        return kExitNoAnswer;
    }
    if (interrupted) {
        // Give the abort bytes time to leave before the port closes.
        port.RunUntil([] { return false; }, kAbortDrainMs);
        return kExitInterrupted;
    }
    if (host.Result() == LogBoxResult::No) {
        if (!refused.empty()) {
            Note("the transmitter refused \"" + refused + "\"");
        }
        return kExitRefused;
    }
    if (host.Result() != LogBoxResult::Ok) {
        return kExitNoAnswer;
    }
    if (!o.dump) {
        return kExitOk; // "Log Erase Complete" has been told
    }
    const int records = logic.Decoder().recordCounter;
    if (host.Instruction() == logtext::kLogEmpty) {
        Note(host.Instruction());
    } else {
        Note(host.Instruction() + " (" + std::to_string(records) + " record" +
             (records == 1 ? "" : "s") + ")");
    }
    if (!o.output.empty()) {
        std::string error;
        if (!WriteFileAtomically(o.output, host.Output(), &error)) {
            return BadInput("cannot write '" + o.output + "': " + error);
        }
    }
    return kExitOk;
}

} // namespace

int RunLogPortCommand(const std::string& port, const std::vector<std::string>& args) {
    if (args.empty() || args[0] == "--help" || args[0] == "-h") {
        std::fputs(kLogPortUsage, args.empty() ? stderr : stdout);
        return args.empty() ? kExitBadInput : kExitOk;
    }
    if (args[0] != "dump" && args[0] != "clear") {
        return BadInput("unknown log command '" + args[0] + "' (see --port N log --help)");
    }
    LogOptions options;
    if (auto error = ParseOptions(args, options)) {
        return BadInput(*error);
    }
    // Everything that can be checked is checked before the port is touched.
    if (!options.ini.empty() && !QFileInfo(QString::fromStdString(options.ini)).isFile()) {
        return BadInput("no preferences file '" + options.ini + "'");
    }
    std::optional<XmtrConfig> labels;
    if (!options.labels.empty()) {
        labels.emplace();
        if (!LoadLabelFile(options.labels, *labels)) {
            return kExitBadInput;
        }
    }
    if (!options.output.empty()) {
        const QFileInfo target(QString::fromStdString(options.output));
        const QFileInfo folder(target.absolutePath());
        if (!folder.isDir() || !folder.isWritable() || target.isDir()) {
            return BadInput("cannot write '" + options.output + "'");
        }
    }
    if (!options.dump && !options.yes && !AskOnStdin(std::string(logtext::kEraseQuestion))) {
        Note(std::string(logtext::kEraseCancelled));
        return kExitBadInput;
    }
    return Run(port, options, labels ? &*labels : nullptr);
}

} // namespace tavin

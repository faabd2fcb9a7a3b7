#include "PortCommands.h"

#include "files/ConfigFile.h"
#include "files/IniFile.h"
#include "files/Preferences.h"
#include "link/LinkTexts.h"
#include "link/OperationBox.h"
#include "link/PortNaming.h"
#include "link/WindowMessages.h"
#include "protocol/CommandLine.h"
#include "protocol/StatusReplies.h"
#include "protocol/Vocabulary.h"
#include "support/FixedFormats.h"
#include "support/StringRoutines.h"
#include "workflows/ConfigTransfer.h"
#include "workflows/StateCommands.h"
#include "workflows/Supervision.h"
#include "workflows/SupervisionTexts.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>

#include <cstdio>
#include <unistd.h>

namespace tavin {

namespace {

constexpr char kPortUsage[] =
    "Usage: tavin-cli --port N|DEVICE COMMAND [options]\n"
    "\n"
    "Talks to a transmitter on serial port N (numbered as in the utility; the\n"
    "key Port<N> of section [COMM] in tavin-utility.ini beside the program names\n"
    "its device, else /dev/ttyS<N-1>) or on the serial DEVICE given as a path.\n"
    "\n"
    "Commands:\n"
    "  retrieve -o FILE                 read the whole configuration into FILE\n"
    "  send FILE [--password TEXT]      write the whole configuration in FILE\n"
    "  enable | enable-logger | disable enable transmissions, the logger only, or\n"
    "                                   disable\n"
    "  check-config                     let the transmitter check its configuration\n"
    "  clock [--set \"hh:mm:ss mm/dd/yyyy\" | --set-pc]\n"
    "                                   read or set the transmitter's clock\n"
    "  utc [--set N]                    read or preset the UTC correction\n"
    "  status                           identity, firmware, state, next transmissions\n"
    "\n"
    "Progress goes to standard error, results to standard output.\n"
    "Exit codes: 0 success, 1 the transmitter refused, 2 no answer or no port,\n"
    "3 bad input.\n";

// A box text with its line breaks, for a terminal.
std::string Printable(const std::string& text) {
    std::string out;
    for (char c : text) {
        out += c == '\r' ? '\n' : c;
    }
    return out;
}

void Note(const std::string& text) {
    std::fprintf(stderr, "tavin-cli: %s\n", Printable(text).c_str());
}

int BadInput(const std::string& text) {
    Note(text);
    return kExitBadInput;
}

int TimedOutExit() {
    Note(texts::kCommTimedOut);
    return kExitNoAnswer;
}

std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

bool AllDigits(const std::string& text) {
    return IsIntegerText(text, false);
}

// --- The commands ------------------------------------------------------------------

int Retrieve(CliPort& p, const std::string& file) {
    ConfigTransfer& transfer = p.Session().Transfer();
    transfer.BtnRefreshAllClick();
    if (transfer.Outcome() == TransferOutcome::Declined) {
        return kExitNoAnswer;
    }
    p.RunUntilBoxClosed();
    switch (transfer.Outcome()) {
    case TransferOutcome::Completed:
        break;
    case TransferOutcome::TimedOut:
        return TimedOutExit();
    default:
        Note("the retrieve did not finish");
        return kExitNoAnswer;
    }
    const ConfigFileResult saved = SaveConfigFile(file, p.Config(), p.Context());
    if (!saved.Ok) {
        return BadInput("cannot write '" + file + "': " + saved.Error);
    }
    std::printf("Configuration retrieved into %s\n", file.c_str());
    return kExitOk;
}

int Send(CliPort& p, const std::string& file) {
    const ConfigFileResult loaded = LoadConfigFile(file, p.Config(), p.Context());
    if (!loaded.Ok) {
        return BadInput("cannot read '" + file + "': " + loaded.Error);
    }
    XmtrConfig& cfg = p.Config();
    p.SetPlatformIdText(cfg.RandomTx.ArgosEnabled ? cfg.PlatformIdArgos : cfg.PlatformIdGoes);
    p.Ini().PasswordPrompt = p.Password.has_value();

    ConfigTransfer& transfer = p.Session().Transfer();
    transfer.BtnConfigAllClick();
    switch (transfer.Outcome()) {
    case TransferOutcome::Declined:
        return kExitNoAnswer;
    case TransferOutcome::IdRefused:
        return kExitBadInput; // the platform id of the file
    default:
        break;
    }
    p.RunUntilBoxClosed();
    switch (transfer.Outcome()) {
    case TransferOutcome::Completed:
        std::printf("Configuration sent from %s\n", file.c_str());
        return kExitOk;
    case TransferOutcome::Refused:
        return kExitRefused; // the error box has named the command
    case TransferOutcome::Invalid:
        Note("the transmitter answered INV to \"" + transfer.InvalidCommand() +
             "\"; the send ended there");
        return kExitRefused;
    case TransferOutcome::TimedOut:
        return TimedOutExit();
    default:
        Note("the send did not finish");
        return kExitNoAnswer;
    }
}

// Enable, enable logger, disable: the box shows the outcome and would close
// after a delay; the tool takes the outcome at once.
int RunStateAction(CliPort& p, void (StateCommands::*click)()) {
    StateCommands& state = p.Session().State();
    (state.*click)();
    if (state.LastResult().Outcome == CommandOutcome::Declined) {
        return kExitNoAnswer;
    }
    p.RunUntil([&] {
        return state.LastResult().Outcome != CommandOutcome::Pending ||
               p.Session().ProgressBox() == nullptr;
    });
    if (OperationBox* box = p.Session().ProgressBox()) {
        if (state.LastResult().Outcome != CommandOutcome::Pending && !p.TimedOut()) {
            box->ClickCancel(); // the button reads "OK" by now
        }
    }
    if (p.Session().ProgressBox() != nullptr) {
        p.RunUntilBoxClosed();
    }
    const CommandResult& r = state.LastResult();
    switch (r.Outcome) {
    case CommandOutcome::Ok:
        std::printf("%s\n", r.Text.c_str());
        return kExitOk;
    case CommandOutcome::Refused:
        Note(r.Text);
        return kExitRefused;
    case CommandOutcome::TimedOut:
        return TimedOutExit();
    default:
        Note("no answer to the command");
        return kExitNoAnswer;
    }
}

// Waits for a state command that has no box and prints its outcome.
int AwaitResult(CliPort& p, bool printOnStdout) {
    StateCommands& state = p.Session().State();
    p.RunUntil([&] { return state.LastResult().Outcome != CommandOutcome::Pending; });
    const CommandResult& r = state.LastResult();
    switch (r.Outcome) {
    case CommandOutcome::Ok:
        std::printf("%s\n", Printable(r.Text).c_str());
        return kExitOk;
    case CommandOutcome::Refused:
    case CommandOutcome::Invalid:
        if (printOnStdout) {
            std::printf("%s\n", Printable(r.Text).c_str());
        }
        return kExitRefused;
    case CommandOutcome::Declined:
        return kExitBadInput;
    case CommandOutcome::TimedOut:
        return TimedOutExit();
    default:
        return TimedOutExit();
    }
}

int CheckConfig(CliPort& p) {
    p.Session().State().BtnCheckConfigClick();
    return AwaitResult(p, true);
}

// What "clock" and "utc" were asked to do, checked before the port opens.
struct ClockOptions {
    bool set = false;
    bool fromPc = false;
    std::string time, date;
};
struct UtcOptions {
    bool set = false;
    std::string text;
};

bool ParseClockOptions(const std::vector<std::string>& args, ClockOptions& o) {
    if (args.empty()) {
        return true;
    }
    if (args[0] == "--set-pc" && args.size() == 1) {
        o.fromPc = true;
        return true;
    }
    if (args[0] != "--set" || args.size() != 2) {
        return false;
    }
    o.time = SplitWord(1, args[1], " ");
    o.date = SplitWord(2, args[1], " ");
    int h = 0, m = 0, s = 0, y = 0, mo = 0, d = 0;
    o.set = true;
    return o.time.size() == 8 && o.date.size() == 10 && ParseLongTime(o.time, h, m, s) &&
           ParseShortDate(o.date, y, mo, d) && SplitWord(3, args[1], " ").empty();
}

bool ParseUtcOptions(const std::vector<std::string>& args, UtcOptions& o) {
    if (args.empty()) {
        return true;
    }
    std::int32_t value = 0;
    o.set = true;
    o.text = args.size() == 2 ? args[1] : std::string();
    return args.size() == 2 && args[0] == "--set" && IsUTCCorrectionText(o.text) &&
           TextToInt32(o.text, value) && value >= -255 && value <= 255;
}

int Clock(CliPort& p, const ClockOptions& o) {
    StateCommands& state = p.Session().State();
    if (o.fromPc) {
        state.btnSetTimePCClick();
        return AwaitResult(p, false);
    }
    if (o.set) {
        p.ClockTime = o.time;
        p.ClockDate = o.date;
        state.BtnSetClockClick();
        return AwaitResult(p, false);
    }
    state.BtnReadClockClick();
    if (!p.RunUntilIdle()) {
        return TimedOutExit();
    }
    std::printf("%s %s\n", p.ShownTime.c_str(), p.ShownDate.c_str());
    return kExitOk;
}

int Utc(CliPort& p, const UtcOptions& o) {
    StateCommands& state = p.Session().State();
    if (o.set) {
        p.UTCText = o.text;
        state.BtnSetUTCClick();
        const int code = AwaitResult(p, false);
        if (code == kExitRefused) {
            Note(state.LastResult().Text);
        }
        return code;
    }
    p.ShownUTC.reset();
    p.Infos.clear();
    state.BtnReadUTCClick();
    if (!p.RunUntilIdle()) {
        return TimedOutExit();
    }
    for (const std::string& info : p.Infos) {
        if (info == texts::kManualUTCNotAvailable) {
            Note(info);
            return kExitRefused;
        }
        std::printf("%s\n", Printable(info).c_str());
    }
    if (p.ShownUTC) {
        const std::string source = p.UTCSource.empty() ? "" : " (" + p.UTCSource + ")";
        std::printf("%d%s\n", *p.ShownUTC, source.c_str());
    }
    return kExitOk;
}

int Status(CliPort& p) {
    TransmitterLink& link = p.Link();
    const bool argos = p.Config().RandomTx.ArgosEnabled;
    const std::string idKey = argos ? "AID=" : "NID=";
    std::string id;
    TAVINStatusView view;
    StatusParseContext statusCtx;
    link.OperationHandler = [&](const std::string& line) {
        if (line.rfind(idKey, 0) == 0) {
            id = line.substr(idKey.size());
        }
        ParseReadStatusInfo(line, view, statusCtx);
    };
    link.QueueCommand(QueryCmd(mn::RST));
    link.QueueCommand(QueryCmd(argos ? mn::AID : mn::NID));
    const bool answered = p.RunUntilIdle();
    link.OperationHandler = nullptr;
    if (!answered) {
        return TimedOutExit();
    }
    const int mode = p.Context().TxMode;
    const char* modeText = mode == kTxModeArgosScd ? "ARGOS & SCD"
                           : mode == kTxModeArgos  ? "ARGOS"
                                                   : "GOES";
    auto row = [](const char* name, const std::string& value) {
        std::printf("%-26s %s\n", name, Trimmed(value).c_str());
    };
    row("Firmware:", view.FirmwareVersion);
    row("Serial number:", view.SerialNumber);
    row("Mode:", modeText);
    row("Platform ID:", id);
    row("State:", view.TransmitterState);
    row("Time to next transmission:", view.TimeToNextTx);
    row("Next timed transmission:", view.NextTimedTx);
    row("Timed buffer size:", view.TimedBufferSize);
    row("Next random transmission:", view.NextRandomTx);
    row("Random buffer size:", view.RandomBufferSize);
    row("Failsafe:", view.Failsafe);
    return kExitOk;
}

} // namespace

// --- CliPort ---------------------------------------------------------------------------

CliPort::CliPort(const std::string& preferencesFile) {
    const std::string folder = FolderOfFile(preferencesFile);
    LoadGlbIni(preferencesFile, folder, ini_);
    IniFile prefs;
    prefs.Load(preferencesFile);
    link_.PortControl().Preferences = [prefs](const std::string& section, const std::string& key) {
        return prefs.Get(section, key);
    };
    utility_.SetVersionCode(VersionCodeFromDouble(ini_.TAVINVersion), ini_, true);
    session_ = std::make_unique<TransmitterSession>(link_.Link(), link_, *this, *this, cfg_, ctx_,
                                                    ini_, utility_);
    session_->SetPortControl(&link_.PortControl());
    cfg_.ClearAll(ini_);
    ctx_.RederiveTxMode(cfg_);

    boxDelay_.setSingleShot(true);
    boxDelay_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&boxDelay_, &QTimer::timeout, [this] { session_->ProgressBoxDelayElapsed(); });
    QObject::connect(&link_, &QtLink::windowMessage, [this](int message, int param) {
        session_->HandleWindowMessage(message, param);
    });
    QObject::connect(&link_, &QtLink::configureRestartRequested,
                     [this] { session_->RestartConfigureSequence(); });
    QObject::connect(&link_, &QtLink::retrieveRestartRequested,
                     [this] { session_->RestartRetrieveSequence(); });
    QObject::connect(&link_, &QtLink::errorBoxRequested,
                     [](const QString& text) { Note(text.toStdString()); });
    QObject::connect(&link_, &QtLink::commandSent,
                     [this](const QString& command) { CommandSent(command); });
    progressTty_ = ::isatty(STDERR_FILENO) == 1;
}

CliPort::~CliPort() {
    EndProgress();
    boxDelay_.stop();
}

int CliPort::Open(const std::string& port) {
    int number = 0;
    if (AllDigits(port)) {
        if (port.size() > 3 || std::stoi(port) > ComPortControl::kMaxPort) {
            return BadInput("port numbers go from 1 to 255, not " + port);
        }
        number = std::stoi(port);
        if (number == 0) {
            Note(texts::kSelectComPort);
            return kExitNoAnswer;
        }
    } else {
        // A device path is used as given, under a port number of its own.
        number = 1;
        link_.PortControl().Preferences = [port](const std::string& section,
                                                 const std::string& key) {
            return section == kCommSection && key == "Port1" ? std::optional<std::string>(port)
                                                             : std::nullopt;
        };
    }
    link_.PortControl().ComNum = number;
    ini_.ComNum = number;
    portNumber_ = number;
    if (!link_.InitComPort(number)) {
        return kExitNoAnswer; // the port control has said why
    }
    link_.EnableTimer(LinkTimer::Comm, true);

    // Who is there: the alive poll's first round asks for the mode ("ARG?",
    // "SCD?") and the status report, whose firmware line sets the switches.
    Supervision& supervision = session_->Supervisor();
    session_->ConfigureAutoPoll();
    supervision.IdentifyPending = true;
    supervision.TAVINAlivePoll();
    if (!RunUntilIdle(20000)) {
        return TimedOutExit();
    }
    if (supervision.IdentifyPending) {
        char version[16];
        std::snprintf(version, sizeof version, "%.2f", ini_.TAVINVersion);
        Note(std::string("the transmitter did not report its firmware; taking it for ") + version);
    }
    return kExitOk;
}

bool CliPort::TimedOut() const {
    return session_->CommTimeOuts() > 0;
}

bool CliPort::RunUntil(const std::function<bool()>& done, int limitMs) {
    const int timeOutsBefore = session_->CommTimeOuts();
    QEventLoop loop;
    QTimer check;
    QElapsedTimer elapsed;
    elapsed.start();
    bool result = false;
    // A time-out counts first: it empties the queue, which may look done.
    auto test = [&] {
        if (session_->CommTimeOuts() != timeOutsBefore || elapsed.elapsed() > limitMs) {
            loop.quit();
        } else if (done()) {
            result = true;
            loop.quit();
        }
    };
    QObject::connect(&check, &QTimer::timeout, test);
    check.start(2);
    if (done()) {
        return true;
    }
    loop.exec();
    return result;
}

bool CliPort::RunUntilIdle(int limitMs) {
    return RunUntil(
        [this] { return Link().ListXmitCmd.empty() && Link().CurrentCommand().empty(); }, limitMs);
}

int CliPort::RunUntilBoxClosed() {
    QEventLoop loop;
    QTimer check;
    QElapsedTimer idle;
    idle.start();
    auto test = [&] {
        OperationBox* box = session_->ProgressBox();
        if (box == nullptr) {
            loop.quit();
            return;
        }
        const bool linkIdle = Link().ListXmitCmd.empty() && Link().CurrentCommand().empty();
        if (!linkIdle || box->DelayPending()) {
            idle.restart();
        } else if (idle.elapsed() > 10000) {
            // Nothing left to send and no end in sight.
            Note("the transmitter stopped answering before the end of the sequence");
            box->Close(mrCancel);
        }
    };
    QObject::connect(&check, &QTimer::timeout, test);
    check.start(2);
    if (session_->ProgressBox() != nullptr) {
        loop.exec();
    }
    EndProgress();
    return lastBoxResult_;
}

OperationBox* CliPort::OpenProgressBox() {
    return session_->ProgressBox();
}

// --- Prompts and progress -------------------------------------------------------------------

void CliPort::ShowErrorBox(const std::string& text) {
    EndProgress();
    Note(text);
}

void CliPort::ShowInfoBox(const std::string& text) {
    Infos.push_back(text);
}

bool CliPort::AskYesNo(const std::string& /*text*/) {
    // The command line is the user's answer.
    return true;
}

std::optional<std::string> CliPort::InputBox(const std::string& /*caption*/,
                                             const std::string& /*prompt*/,
                                             const std::string& /*initial*/) {
    return Password;
}

void CliPort::ShowProgressBox(OperationBox& /*box*/, const std::string& caption) {
    std::fprintf(stderr, "%s\n", caption.c_str());
    progress_ = true;
    sent_ = 0;
    total_ = static_cast<int>(Link().ListXmitCmd.size());
}

void CliPort::StartBoxDelayTimer(int ms) {
    boxDelay_.start(ms);
}

void CliPort::StopBoxDelayTimer() {
    boxDelay_.stop();
}

void CliPort::ProgressBoxClosed(int result) {
    lastBoxResult_ = result;
    EndProgress();
}

void CliPort::CommandSent(const QString& qcommand) {
    if (!progress_) {
        return;
    }
    ++sent_;
    const int waiting = static_cast<int>(Link().ListXmitCmd.size());
    if (sent_ + waiting > total_) {
        total_ = sent_ + waiting; // the sequence grew (triggers, data pack)
    }
    std::string command = qcommand.toStdString();
    if (command.size() > 40) {
        command = command.substr(0, 37) + "...";
    }
    if (progressTty_) {
        constexpr int kWidth = 30;
        const int filled = total_ > 0 ? sent_ * kWidth / total_ : 0;
        std::string bar(static_cast<std::size_t>(filled), '#');
        bar.append(static_cast<std::size_t>(kWidth - filled), '.');
        std::fprintf(stderr, "\r[%s] %4d/%-4d %-40s", bar.c_str(), sent_, total_, command.c_str());
    } else {
        std::fprintf(stderr, "[%4d/%4d] %s\n", sent_, total_, command.c_str());
    }
    std::fflush(stderr);
}

void CliPort::EndProgress() {
    if (progress_ && progressTty_ && sent_ > 0) {
        std::fputc('\n', stderr);
    }
    progress_ = false;
}

// --- Dispatch -----------------------------------------------------------------------------------

int RunPortCommand(const std::string& port, const std::vector<std::string>& args) {
    if (args.empty() || args[0] == "--help" || args[0] == "-h") {
        std::fputs(kPortUsage, args.empty() ? stderr : stdout);
        return args.empty() ? kExitBadInput : kExitOk;
    }
    const std::string& command = args[0];
    const std::vector<std::string> rest(args.begin() + 1, args.end());

    // Options are checked before the port is touched.
    std::string file;
    std::optional<std::string> password;
    ClockOptions clockOptions;
    UtcOptions utcOptions;
    if (command == "retrieve") {
        if (rest.size() != 2 || rest[0] != "-o") {
            return BadInput("retrieve needs -o FILE");
        }
        file = rest[1];
        const QFileInfo target(QString::fromStdString(file));
        const QFileInfo folder(target.absolutePath());
        if (!folder.isDir() || !folder.isWritable()) {
            return BadInput("cannot write into the folder of '" + file + "'");
        }
    } else if (command == "send") {
        for (std::size_t i = 0; i < rest.size(); ++i) {
            if (rest[i] == "--password" && i + 1 < rest.size()) {
                password = rest[++i];
            } else if (file.empty() && !rest[i].empty() && rest[i][0] != '-') {
                file = rest[i];
            } else {
                return BadInput("send takes FILE [--password TEXT], not '" + rest[i] + "'");
            }
        }
        if (file.empty()) {
            return BadInput("send needs a configuration FILE");
        }
        XmtrConfig probe;
        ParseContext probeCtx;
        const ConfigFileResult check = LoadConfigFile(file, probe, probeCtx);
        if (!check.Ok) {
            return BadInput("cannot read '" + file + "': " + check.Error);
        }
    } else if (command == "enable" || command == "enable-logger" || command == "disable" ||
               command == "check-config" || command == "status") {
        if (!rest.empty()) {
            return BadInput(command + " takes no options");
        }
    } else if (command == "clock") {
        if (!ParseClockOptions(rest, clockOptions)) {
            return BadInput("clock takes --set \"hh:mm:ss mm/dd/yyyy\" or --set-pc");
        }
    } else if (command == "utc") {
        if (!ParseUtcOptions(rest, utcOptions)) {
            return BadInput("utc takes --set N with N a whole number from -255 to 255");
        }
    } else {
        return BadInput("unknown port command '" + command + "' (see --port N --help)");
    }

    const std::string program = QCoreApplication::applicationFilePath().toStdString();
    const std::string prefs = UtilityPreferencesFile(program);
    CliPort p(prefs);
    p.Password = password;
    const int opened = p.Open(port);
    if (opened != kExitOk) {
        return opened;
    }
    if (command == "retrieve") {
        return Retrieve(p, file);
    }
    if (command == "send") {
        return Send(p, file);
    }
    if (command == "enable") {
        return RunStateAction(p, &StateCommands::BtnEnableTxClick);
    }
    if (command == "enable-logger") {
        return RunStateAction(p, &StateCommands::BtnEnableLoggerClick);
    }
    if (command == "disable") {
        return RunStateAction(p, &StateCommands::BtnDisableTxClick);
    }
    if (command == "check-config") {
        return CheckConfig(p);
    }
    if (command == "clock") {
        return Clock(p, clockOptions);
    }
    if (command == "utc") {
        return Utc(p, utcOptions);
    }
    return Status(p);
}

} // namespace tavin

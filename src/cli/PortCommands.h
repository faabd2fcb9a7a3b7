#pragma once
// "tavin-cli --port N|DEVICE ...": the commands that talk to a transmitter.
// CliPort is the plumbing they share: the port opened through the utility's
// own link, a session with its supervision, the transmitter identified
// (transmission mode and firmware, so that the right command forms are
// used), and an event loop that runs until an operation has ended. A command
// starts a workflow and waits; the prompts are answered from the options.

#include "CliArgs.h"
#include "link/qt/QtLink.h"
#include "protocol/GlbIni.h"
#include "protocol/ParseContext.h"
#include "protocol/UtilityControl.h"
#include "protocol/XmtrConfig.h"
#include "workflows/SupervisionHost.h"
#include "workflows/TransmitterSession.h"
#include "workflows/TransmitterSessionHost.h"

#include <QTimer>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tavin {

// The program's exit codes.
inline constexpr int kExitOk = 0;
inline constexpr int kExitRefused = 1;  // the transmitter refused
inline constexpr int kExitNoAnswer = 2; // no answer, or no port
inline constexpr int kExitBadInput = 3; // bad file or option

// The commands that talk to a transmitter: retrieve, send, verify, enable,
// enable-logger, disable, check-config, clock, utc, status.
int RunPortCommand(const CliArgs& args);

class CliPort : public SessionHost, public SupervisionHost {
public:
    // Preferences come from the utility's preferences file beside the
    // program when there is one ("Port<n>" of [COMM] names a port's device).
    // progress: show each command sent on standard error.
    CliPort(const std::string& preferencesFile, bool progress);
    ~CliPort() override;

    // Opens PORT (a number as the utility numbers ports, or a device path)
    // and identifies the transmitter. kExitOk, or the exit code of the
    // failure, whose message has been printed.
    int Open(const std::string& port);

    TransmitterSession& Session() { return *session_; }
    TransmitterLink& Link() { return link_.Link(); }
    // Bytes straight to the port, past the command queue (stopping a dump).
    void WritePort(std::string_view bytes) { link_.WritePort(bytes); }
    XmtrConfig& Config() { return cfg_; }
    ParseContext& Context() { return ctx_; }
    TGlbIni& Ini() { return ini_; }

    // Runs the event loop until done() holds, or the link is declared dead
    // (false), or limitMs have passed (false).
    bool RunUntil(const std::function<bool()>& done, int limitMs = 60000);
    // Runs until the link has nothing queued or in progress.
    bool RunUntilIdle(int limitMs = 60000);
    // Runs until the open progress box has closed and returns its result. A
    // sequence that stops with the box still open (the transmitter went
    // quiet without the link noticing) is ended with Cancel.
    int RunUntilBoxClosed();
    // The link was declared dead since Open().
    bool TimedOut() const;

    // What the prompts answer: the password box, and the fields the state
    // commands read.
    std::optional<std::string> Password;
    std::string ClockTime, ClockDate, UTCText;
    // What the user would have seen.
    std::vector<std::string> Infos;
    std::string ShownTime, ShownDate, UTCSource;
    std::optional<int> ShownUTC;

    // SessionHost
    void ShowErrorBox(const std::string& text) override;
    void ShowInfoBox(const std::string& text) override;
    bool AskYesNo(const std::string& text) override;
    std::optional<std::string> InputBox(const std::string& caption, const std::string& prompt,
                                        const std::string& initial) override;
    void ShowProgressBox(OperationBox& box, const std::string& caption) override;
    void StartBoxDelayTimer(int ms) override;
    void StopBoxDelayTimer() override;
    void ProgressBoxClosed(int result) override;
    void ShowPlatformId(const std::string& id) override { platformId_ = id; }
    void ShowClockTime(const std::string& time) override { ShownTime = time; }
    void ShowClockDate(const std::string& date) override { ShownDate = date; }
    void ShowUTCCorrection(int correction) override { ShownUTC = correction; }
    void ShowUTCSource(const std::string& text) override { UTCSource = text; }
    std::string PlatformIdText() const override { return platformId_; }
    std::string ClockTimeText() const override { return ClockTime; }
    std::string ClockDateText() const override { return ClockDate; }
    std::string UTCCorrectionText() const override { return UTCText; }

    // SupervisionHost: the tool has no idle polling; the pump is restarted
    // after a time-out as in the utility.
    void EnableAutoPoll(bool /*enabled*/) override {}
    bool AutoPollEnabled() const override { return false; }
    void EnableCommTimer() override { link_.EnableTimer(LinkTimer::Comm, true); }
    bool PortOpen() const override { return link_.PortOpen(); }
    int PortNumber() const override { return portNumber_; }
    OperationBox* OpenProgressBox() override;

    // The platform id field: the id the transmitter reported, or the one a
    // configuration file brought.
    void SetPlatformIdText(const std::string& id) { platformId_ = id; }

private:
    void CommandSent(const QString& command);
    void EndProgress();

    TGlbIni ini_;
    TUtilityControl utility_;
    XmtrConfig cfg_;
    ParseContext ctx_;
    QtLink link_;
    std::unique_ptr<TransmitterSession> session_;
    QTimer boxDelay_;

    int portNumber_ = 0;
    int lastBoxResult_ = 0;
    std::string platformId_;
    // Progress of the sequence in the open box.
    bool showProgress_ = false;
    bool progress_ = false;
    bool progressTty_ = false;
    int sent_ = 0;
    int total_ = 0;
};

} // namespace tavin

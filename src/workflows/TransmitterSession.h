#pragma once
// The main window's logic around the link, without the window: it ties the
// link's dispatcher to the configuration model and its parsers, owns the
// progress box of the long operations, handles the window messages the link,
// the parsers and the operations post (1125 to 1133), and holds the link
// supervision (idle polling, end of load, time-out) and the workflows:
// retrieve and send all (ConfigTransfer) and the state commands
// (StateCommands). The main window and the command-line tool are two hosts
// of one session.
//
// The link, its host, the model, the parse context, the preferences and the
// feature switches are owned by the caller and outlive the session.

#include "link/LinkHost.h"
#include "link/OperationBox.h"
#include "link/TransmitterLink.h"
#include "protocol/GlbIni.h"
#include "protocol/ParseContext.h"
#include "protocol/XmtrConfig.h"
#include "workflows/SupervisionHost.h"
#include "workflows/TransmitterSessionHost.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace tavin {

class ComPortControl;
class ConfigTransfer;
class StateCommands;
class Supervision;
class TUtilityControl;

class TransmitterSession : public LinkDispatchTarget, private OperationBoxHost {
public:
    // Installs the configuration parsers (in the dispatcher's order, over cfg
    // and ctx) in the link and makes the session the dispatcher's target.
    // The context's switches, preferences, message, queue and clock-view
    // callbacks are set to utility, ini, the link host, the link and the
    // session. A host object may implement both host interfaces.
    TransmitterSession(TransmitterLink& link, LinkHost& linkHost, SessionHost& host,
                       SupervisionHost& supervisionHost, XmtrConfig& cfg, ParseContext& ctx,
                       TGlbIni& ini, TUtilityControl& utility);
    ~TransmitterSession() override;
    TransmitterSession(const TransmitterSession&) = delete;
    TransmitterSession& operator=(const TransmitterSession&) = delete;

    TransmitterLink& Link() { return link_; }
    LinkHost& Timers() { return linkHost_; }
    SessionHost& Host() { return host_; }
    SupervisionHost& PollHost() { return supervisionHost_; }
    XmtrConfig& Config() { return cfg_; }
    ParseContext& Context() { return ctx_; }
    TGlbIni& Ini() { return ini_; }
    TUtilityControl& Utility() { return utility_; }
    Supervision& Supervisor() { return *supervision_; }
    ConfigTransfer& Transfer() { return *transfer_; }
    StateCommands& State() { return *state_; }

    // --- Readiness ---------------------------------------------------------------
    // The port control whose readiness check the operations run; without one
    // the port counts as selected while it is open.
    void SetPortControl(const ComPortControl* port) { port_ = port; }
    // `CheckLinkReady`: a port is selected, the transmitter has answered and
    // the port is ready; the first failure is shown with the error box.
    bool CheckLinkReady(bool showMessage);

    // --- Commands ----------------------------------------------------------------
    // A command sink that queues into the link and sets its end marker.
    CommandSink& LinkSink() { return sink_; }
    // The queue and the command in progress are dropped.
    void EmptyQueue();

    // --- Local configuration -------------------------------------------------------
    // Clears general setup, timed and random transmission, equations, SDI-12,
    // internal sensors and tipping bucket, timed and random formats and the
    // random triggers: everything but the min/max/average table.
    void ClearLocalConfiguration();
    // The same and the min/max/average table.
    void ClearWholeConfiguration();

    // --- The progress box ----------------------------------------------------------
    // Opens a new box (freeing any earlier one, which closes without its close
    // handler running) and returns it for setting up. onClosed runs once when
    // it ends, with the result. Call ShowProgressBox when it is set up.
    OperationBox& OpenProgressBox(std::string caption, std::function<void(int result)> onClosed);
    // The box of a long command sequence, as every one of them looks: what
    // it does, "Please Wait....", the command being sent, Cancel only. Call
    // ShowProgressBox when the commands are queued.
    OperationBox& OpenWorkingBox(std::string caption, const std::string& operation,
                                 std::function<void(int result)> onClosed);
    void ShowProgressBox();
    // The open box, or null.
    OperationBox* ProgressBox();
    const OperationBox* ProgressBox() const;
    const std::string& ProgressBoxCaption() const { return boxCaption_; }
    // The host's delay timer of the box has run out.
    void ProgressBoxDelayElapsed();

    // --- Window messages ------------------------------------------------------------
    // A window message for the main window (numbers in link/WindowMessages.h).
    void HandleWindowMessage(int message, int param);
    // The pump restarts a sequence after a time-out (LinkHost's requests).
    void RestartConfigureSequence();
    void RestartRetrieveSequence();
    // How many times the link has been declared dead so far: an operation
    // compares it before and after to tell a time-out from a cancel.
    int CommTimeOuts() const { return commTimeOuts_; }

    // Restores idle polling when an operation ends (`ConfigureAutoPoll`).
    void ConfigureAutoPoll();

    // --- Flags -------------------------------------------------------------------------
    // "Read UTC" is waiting for its answer; an "ERR" then means the firmware
    // has no manual correction (the supervision's flag).
    bool UTCReadPending() const;
    void SetUTCReadPending(bool pending);
    // The one-shot "clock not set" warning armed by "Read Clock".
    bool ClockWarningArmed = false;

    // --- LinkDispatchTarget ---------------------------------------------------------
    int RandomChannel() const override { return cfg_.RandomTx.Channel; }
    int RandomDataSource() const override { return cfg_.RandomTx.DataSource; }
    bool GoesOnlyMode() const override { return ctx_.TxMode == kTxModeGoes; }
    void SetPlatformIdGoes(const std::string& id) override { cfg_.PlatformIdGoes = id; }
    void SetPlatformIdArgos(const std::string& id) override { cfg_.PlatformIdArgos = id; }
    void ShowPlatformId() override;
    void SetPlatformIdString(const std::string& text) override;
    void SetPseudoBinaryHeader(int which, const std::string& character) override;

private:
    class LinkCommandSink : public CommandSink {
    public:
        explicit LinkCommandSink(TransmitterLink& link) : link_(link) {}
        void Add(std::string line) override { link_.QueueCommand(std::move(line)); }
        void SetLoadEndMarker(std::string_view marker) override {
            link_.LoadEndMarker = std::string(marker);
        }

    private:
        TransmitterLink& link_;
    };

    class ClockView : public TimeDataView {
    public:
        explicit ClockView(TransmitterSession& session) : session_(session) {}
        void ShowClockTime(std::string_view time) override;
        void ShowClockDate(std::string_view date) override;
        void ShowClockStatus(std::string_view text) override;
        bool ClockWarningArmed() const override { return session_.ClockWarningArmed; }
        void DisarmClockWarning() override { session_.ClockWarningArmed = false; }
        void ShowUTCCorrection(int correction) override;
        void ShowUTCSource(std::string_view text) override;
        void RearmAutoPoll() override;
        void ClearUTCReadPending() override { session_.SetUTCReadPending(false); }
        void ShowErrorBox(std::string_view text) override;
        void ShowInfoBox(std::string_view text) override;

    private:
        TransmitterSession& session_;
    };

    void UMChannelLoadMessage();

    // OperationBoxHost
    void BoxChanged() override;
    void StartDelayTimer(int ms) override;
    void StopDelayTimer() override;
    void BoxClosed(int result) override;

    TransmitterLink& link_;
    LinkHost& linkHost_;
    SessionHost& host_;
    SupervisionHost& supervisionHost_;
    XmtrConfig& cfg_;
    ParseContext& ctx_;
    TGlbIni& ini_;
    TUtilityControl& utility_;
    const ComPortControl* port_ = nullptr;
    LinkCommandSink sink_;
    ClockView clockView_;

    std::unique_ptr<OperationBox> box_;
    std::string boxCaption_;
    std::function<void(int)> boxClosed_;
    int commTimeOuts_ = 0;

    std::unique_ptr<Supervision> supervision_;
    std::unique_ptr<ConfigTransfer> transfer_;
    std::unique_ptr<StateCommands> state_;
};

} // namespace tavin

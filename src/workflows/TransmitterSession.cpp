#include "workflows/TransmitterSession.h"

#include "link/ComPortControl.h"
#include "link/WindowMessages.h"
#include "protocol/ParserOrder.h"
#include "workflows/ConfigTransfer.h"
#include "workflows/StateCommands.h"
#include "workflows/Supervision.h"
#include "workflows/WorkflowTexts.h"

namespace tavin {

TransmitterSession::TransmitterSession(TransmitterLink& link, LinkHost& linkHost, SessionHost& host,
                                       SupervisionHost& supervisionHost, XmtrConfig& cfg,
                                       ParseContext& ctx, TGlbIni& ini, TUtilityControl& utility)
    : link_(link), linkHost_(linkHost), host_(host), supervisionHost_(supervisionHost), cfg_(cfg),
      ctx_(ctx), ini_(ini), utility_(utility), sink_(link), clockView_(*this) {
    supervision_ = std::make_unique<Supervision>(link, cfg, ctx, utility, ini, supervisionHost);
    transfer_ = std::make_unique<ConfigTransfer>(*this);
    state_ = std::make_unique<StateCommands>(*this);

    ctx_.Utility = &utility_;
    ctx_.Ini = &ini_;
    ctx_.TimeView = &clockView_;
    ctx_.PostMessage = [this](int message, int param) {
        linkHost_.PostWindowMessage(message, param);
    };
    ctx_.QueueCommand = [this](std::string line) { link_.QueueCommand(std::move(line)); };

    link_.ReplyParsers.clear();
    for (ConfigParser parse : DispatchParsers()) {
        link_.ReplyParsers.push_back(
            [this, parse](const std::string& line) { parse(line, cfg_, ctx_); });
    }
    link_.DispatchTarget = this;
}

TransmitterSession::~TransmitterSession() {
    if (link_.DispatchTarget == this) {
        link_.DispatchTarget = nullptr;
    }
    link_.ReplyParsers.clear();
    ctx_.TimeView = nullptr;
    ctx_.PostMessage = nullptr;
    ctx_.QueueCommand = nullptr;
    if (box_) {
        box_->SetHost(nullptr);
    }
}

bool TransmitterSession::CheckLinkReady(bool showMessage) {
    int selected = 0;
    int comNum = ini_.ComNum;
    if (port_ != nullptr) {
        selected = port_->SelectedPort();
        comNum = port_->ComNum;
    } else if (linkHost_.PortOpen()) {
        selected = 1;
    }
    auto message =
        LinkNotReadyMessage(selected, link_.TransmitterAnswering, link_.PortReady(), comNum);
    if (message && showMessage) {
        host_.ShowErrorBox(*message);
    }
    return !message;
}

void TransmitterSession::EmptyQueue() {
    link_.ListXmitCmd.clear();
    link_.ReleaseCurrentCommand();
}

void TransmitterSession::ClearLocalConfiguration() {
    cfg_.ClearGeneralSettings(ini_);
    cfg_.ClearTimed();
    cfg_.ClearRandom();
    cfg_.ClearEquations();
    cfg_.ClearSDI12();
    cfg_.ClearInternal();
    cfg_.ClearTimedData();
    cfg_.ClearRandomData();
    cfg_.ClearRandomTriggers();
    ctx_.RederiveTxMode(cfg_);
}

void TransmitterSession::ClearWholeConfiguration() {
    ClearLocalConfiguration();
    cfg_.ClearMinMaxAvg();
}

// --- The progress box -----------------------------------------------------------

OperationBox& TransmitterSession::OpenProgressBox(std::string caption,
                                                  std::function<void(int)> onClosed) {
    if (box_) {
        // The replaced box goes without running its close handler: its
        // operation has been superseded.
        box_->SetHost(nullptr);
        if (box_->DelayPending()) {
            host_.StopBoxDelayTimer();
        }
    }
    box_ = std::make_unique<OperationBox>(static_cast<OperationBoxHost*>(this));
    boxCaption_ = std::move(caption);
    boxClosed_ = std::move(onClosed);
    return *box_;
}

OperationBox& TransmitterSession::OpenWorkingBox(std::string caption, const std::string& operation,
                                                 std::function<void(int)> onClosed) {
    OperationBox& box = OpenProgressBox(std::move(caption), std::move(onClosed));
    box.SetCaption(BoxLabel::Operation, operation);
    box.SetVisible(BoxLabel::Operation, true);
    box.SetCaption(BoxLabel::Instruction, texts::kPleaseWait);
    box.SetVisible(BoxLabel::Instruction, true);
    box.SetCaption(BoxLabel::Command, "");
    box.SetVisible(BoxLabel::Command, true);
    box.SetVisible(BoxButton::OK, false);
    box.SetVisible(BoxButton::Cancel, true);
    return box;
}

void TransmitterSession::ShowProgressBox() {
    if (box_ && box_->IsOpen()) {
        host_.ShowProgressBox(*box_, boxCaption_);
    }
}

OperationBox* TransmitterSession::ProgressBox() {
    return box_ && box_->IsOpen() ? box_.get() : nullptr;
}

const OperationBox* TransmitterSession::ProgressBox() const {
    return box_ && box_->IsOpen() ? box_.get() : nullptr;
}

void TransmitterSession::ProgressBoxDelayElapsed() {
    if (box_) {
        box_->TimerDelayTimer();
    }
}

void TransmitterSession::BoxChanged() {
    if (box_) {
        host_.ProgressBoxChanged(*box_);
    }
}

void TransmitterSession::StartDelayTimer(int ms) {
    host_.StartBoxDelayTimer(ms);
}

void TransmitterSession::StopDelayTimer() {
    host_.StopBoxDelayTimer();
}

void TransmitterSession::BoxClosed(int result) {
    host_.ProgressBoxClosed(result);
    // Taken first: the handler may open the next box.
    std::function<void(int)> closed = std::move(boxClosed_);
    boxClosed_ = nullptr;
    if (closed) {
        closed(result);
    }
}

// --- Window messages ----------------------------------------------------------------

void TransmitterSession::HandleWindowMessage(int message, int param) {
    switch (message) {
    case ::tavin::UMChannelLoadMessage:
        UMChannelLoadMessage();
        break;
    case ::tavin::UMEndLoadMessage:
        if (ProgressBox() == nullptr) {
            // Only a preset can meet "INV" with no box to close.
            state_->PresetInvalid();
        }
        supervision_->UMEndLoadMessage(param);
        break;
    case ::tavin::UMTAVINErrorMessage:
        transfer_->UMTAVINErrorMessage();
        break;
    case ::tavin::UMCommTimeOut:
        ++commTimeOuts_;
        supervision_->UMCommTimeOut();
        state_->CommTimedOut();
        break;
    case ::tavin::UMTAVINEnabled:
        state_->UMTAVINEnabled(param);
        break;
    case ::tavin::UMTAVINDisabled:
        state_->UMTAVINDisabled(param);
        break;
    case ::tavin::UMTAVINClockSet:
        state_->UMTAVINClockSet(param);
        break;
    case ::tavin::UMTAVINUTCSet:
        state_->UMTAVINUTCSet(param);
        break;
    case ::tavin::UMTAVINLoggerEnabled:
        state_->UMTAVINLoggerEnabled(param);
        break;
    default:
        break;
    }
}

// The retrieved (or loaded) channels decide whether the timed and random
// transmissions count as enabled; this never switches either off.
void TransmitterSession::UMChannelLoadMessage() {
    cfg_.DeriveEnabledAfterLoad(ctx_.IsArgosMode());
    host_.ChannelsLoaded();
}

void TransmitterSession::ConfigureAutoPoll() {
    supervision_->ConfigureAutoPoll();
}

bool TransmitterSession::UTCReadPending() const {
    return supervision_->UTCReadPending;
}

void TransmitterSession::SetUTCReadPending(bool pending) {
    supervision_->UTCReadPending = pending;
}

void TransmitterSession::RestartConfigureSequence() {
    if (!transfer_->ConfigureAll()) {
        // The send cannot go on; its box must not wait for an end that
        // will not come.
        if (OperationBox* box = ProgressBox()) {
            box->Close(mrCancel);
        }
    }
}

void TransmitterSession::RestartRetrieveSequence() {
    ClearLocalConfiguration();
    host_.RefreshConfigViews();
    transfer_->RetrieveAll();
}

// --- LinkDispatchTarget ------------------------------------------------------------------

void TransmitterSession::ShowPlatformId() {
    host_.ShowPlatformId(cfg_.RandomTx.ArgosEnabled ? cfg_.PlatformIdArgos : cfg_.PlatformIdGoes);
}

void TransmitterSession::SetPlatformIdString(const std::string& text) {
    cfg_.General.PlatformIdString = text;
}

void TransmitterSession::SetPseudoBinaryHeader(int which, const std::string& character) {
    const char c = character.empty() ? '\0' : character[0];
    if (which == 1) {
        cfg_.General.PseudoBinaryHeader1 = c;
    } else if (which == 2) {
        cfg_.General.PseudoBinaryHeader2 = c;
    }
}

// --- The clock fields ---------------------------------------------------------------------

void TransmitterSession::ClockView::ShowClockTime(std::string_view time) {
    session_.host_.ShowClockTime(std::string(time));
}

void TransmitterSession::ClockView::ShowClockDate(std::string_view date) {
    session_.host_.ShowClockDate(std::string(date));
}

void TransmitterSession::ClockView::ShowClockStatus(std::string_view text) {
    session_.host_.ShowClockStatus(std::string(text));
}

void TransmitterSession::ClockView::ShowUTCCorrection(int correction) {
    session_.host_.ShowUTCCorrection(correction);
}

void TransmitterSession::ClockView::ShowUTCSource(std::string_view text) {
    session_.host_.ShowUTCSource(std::string(text));
}

void TransmitterSession::ClockView::RearmAutoPoll() {
    session_.ConfigureAutoPoll();
}

void TransmitterSession::ClockView::ShowErrorBox(std::string_view text) {
    session_.host_.ShowErrorBox(std::string(text));
}

void TransmitterSession::ClockView::ShowInfoBox(std::string_view text) {
    session_.host_.ShowInfoBox(std::string(text));
}

} // namespace tavin

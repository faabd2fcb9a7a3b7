#include "workflows/ConfigTransfer.h"

#include "link/OperationBox.h"
#include "protocol/ArgosDataPack.h"
#include "protocol/CommandLine.h"
#include "protocol/DataFormatConfig.h"
#include "protocol/EquationConfig.h"
#include "protocol/GeneralSettings.h"
#include "protocol/InternSensConfig.h"
#include "protocol/MinMaxAvgConfig.h"
#include "protocol/RandomTriggerConfig.h"
#include "protocol/SDI12Config.h"
#include "protocol/TxSetup.h"
#include "protocol/UtilityControl.h"
#include "protocol/Vocabulary.h"
#include "workflows/StateCommands.h"
#include "workflows/TransmitterSession.h"
#include "workflows/WorkflowTexts.h"

#include <cstdint>
#include <optional>
#include <utility>

namespace tavin {

namespace {

int CompareCounts(const TParamNum& a, const TParamNum& b) {
    return a.Count < b.Count ? -1 : (a.Count > b.Count ? 1 : 0);
}

void QuickSort(std::vector<TParamNum>& list, int l, int r) {
    int i = 0;
    do {
        i = l;
        int j = r;
        const TParamNum pivot = list[static_cast<std::size_t>((l + r) / 2)];
        do {
            while (CompareCounts(list[static_cast<std::size_t>(i)], pivot) < 0) {
                ++i;
            }
            while (CompareCounts(list[static_cast<std::size_t>(j)], pivot) > 0) {
                --j;
            }
            if (i <= j) {
                std::swap(list[static_cast<std::size_t>(i)], list[static_cast<std::size_t>(j)]);
                ++i;
                --j;
            }
        } while (i <= j);
        if (l < j) {
            QuickSort(list, l, j);
        }
        l = i;
    } while (i < r);
}

bool Feature(TransmitterSession& s, UtilitySwitch which) {
    const TUtilityControl* u = s.Context().Utility;
    return u != nullptr && u->Get(which);
}

int VersionCode(TransmitterSession& s) {
    const TUtilityControl* u = s.Context().Utility;
    return u != nullptr && u->VersionCode() > 0 ? u->VersionCode() : 0;
}

// A GOES platform id is read as hexadecimal; an id that does not read, and
// every odd one, is refused.
bool GoesIdAccepted(const std::string& id) {
    if (id.empty() || id.size() > 16) {
        return false;
    }
    std::uint64_t value = 0;
    for (char c : id) {
        int digit = 0;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        } else if (c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        } else {
            return false;
        }
        value = value * 16 + static_cast<std::uint64_t>(digit);
    }
    return value % 2 == 0;
}

} // namespace

void SortParamNums(std::vector<TParamNum>& list) {
    if (list.size() > 1) {
        QuickSort(list, 0, static_cast<int>(list.size()) - 1);
    }
}

ConfigTransfer::ConfigTransfer(TransmitterSession& session) : s_(session) {
    for (std::string_view m : {mn::SSN, mn::ISN, mn::TPN, mn::RPN, mn::RTN, mn::MMN}) {
        countCommands_.push_back({0, SetCmd(m, std::vector<std::string>{})});
    }
}

void ConfigTransfer::SortCountCommands(int sdi12, int intern, int timed, int random, int triggers,
                                       int mma) {
    for (TParamNum& p : countCommands_) {
        const std::string_view m = std::string_view(p.Mnemonic).substr(0, 3);
        if (m == mn::SSN) {
            p.Count = sdi12;
        } else if (m == mn::ISN) {
            p.Count = intern;
        } else if (m == mn::TPN) {
            p.Count = timed;
        } else if (m == mn::RPN) {
            p.Count = random;
        } else if (m == mn::RTN) {
            p.Count = triggers;
        } else if (m == mn::MMN) {
            p.Count = mma;
        }
    }
    SortParamNums(countCommands_);
}

void ConfigTransfer::QueueCountCommands() {
    const XmtrConfig& cfg = s_.Config();
    SortCountCommands(cfg.DefinedSDI12Count(), cfg.DefinedInternSensCount(),
                      cfg.DefinedTimedDataCount(s_.Context().IsArgosMode()),
                      cfg.DefinedRandomDataCount(), cfg.DefinedRandomTriggerCount(),
                      cfg.DefinedMinMaxAvgCount());
    for (const TParamNum& p : countCommands_) {
        s_.Link().QueueCommand(p.Mnemonic + FormatInt(p.Count));
    }
}

void ConfigTransfer::RestoreAutoPoll(bool wasEnabled) {
    s_.PollHost().EnableAutoPoll(wasEnabled);
}

// --- Retrieve all ---------------------------------------------------------------------

void ConfigTransfer::BtnRefreshAllClick() {
    SessionHost& host = s_.Host();
    TransmitterLink& link = s_.Link();
    if (!s_.CheckLinkReady(true)) {
        outcome_ = TransferOutcome::Declined;
        return;
    }
    const bool pollWasOn = s_.PollHost().AutoPollEnabled();
    s_.PollHost().EnableAutoPoll(false);
    if (!host.AskYesNo(texts::kRetrieveConfirm)) {
        RestoreAutoPoll(pollWasOn);
        outcome_ = TransferOutcome::Declined;
        return;
    }
    host.HideDataBufferReviewControls();
    link.OperationHandler = nullptr;
    host.UncheckSensorTest();
    s_.Context().InternalSensorTestOn = false;
    s_.Timers().SetTimerInterval(LinkTimer::XmitReply, TransmitterLink::kXmitReplyMs);
    link.ConfiguringAll = false;

    XmtrConfig& cfg = s_.Config();
    s_.ClearLocalConfiguration();
    // The identity fields read empty until their replies arrive.
    cfg.General.PlatformIdString.clear();
    cfg.General.PseudoBinaryHeader1 = '\0';
    cfg.General.PseudoBinaryHeader2 = '\0';
    cfg.General.InvalidReplaceChar = '\0';
    cfg.General.PowerUpEnable = false;
    host.RefreshConfigViews();

    link.ListXmitCmd.clear();
    RetrieveAll();

    outcome_ = TransferOutcome::Running;
    failedCommand_.clear();
    timeOutsAtStart_ = s_.CommTimeOuts();
    s_.OpenWorkingBox(texts::kRetrieveCaption, texts::kRetrieveOperation,
                      [this](int result) { RetrieveClosed(result); });
    s_.ShowProgressBox();
}

void ConfigTransfer::RetrieveClosed(int result) {
    TransmitterLink& link = s_.Link();
    if (result == mrCancel) {
        s_.ClearLocalConfiguration();
    }
    s_.Host().RefreshConfigViews();
    s_.Timers().EnableTimer(LinkTimer::Comm, true);
    s_.EmptyQueue();
    link.RetrievingAll = false;
    s_.ConfigureAutoPoll();
    if (s_.CommTimeOuts() != timeOutsAtStart_) {
        outcome_ = TransferOutcome::TimedOut;
    } else {
        outcome_ = result == mrOk ? TransferOutcome::Completed : TransferOutcome::Cancelled;
    }
}

void ConfigTransfer::RetrieveAll() {
    TransmitterLink& link = s_.Link();
    link.RetrievingAll = true;
    link.QueueCommand(SetCmd(mn::IST, {"0"}));
    GetTxConfiguration();
    link.QueueCommand(QueryCmd(mn::PUE));
    link.QueueCommand(QueryCmd(mn::GTS));
    if (s_.Context().AdvancedSettings) {
        for (std::string_view m : {mn::GTC, mn::GOC, mn::GTO, mn::IRC, mn::TXP}) {
            link.QueueCommand(QueryCmd(m));
        }
    }
    for (std::string_view m : {mn::PIS, mn::PB1, mn::PB2, mn::TBA, mn::TBR, mn::TBM}) {
        link.QueueCommand(QueryCmd(m));
    }
    if (Feature(s_, UtilitySwitch::ExtendedTables)) {
        for (std::string_view m : {mn::LGM, mn::SFL, mn::TZN, mn::SSN, mn::ISN}) {
            link.QueueCommand(QueryCmd(m));
        }
        for (std::string_view m : {mn::SSX, mn::SLX, mn::ISX, mn::ILX}) {
            link.QueueCommand(BulkQueryCmd(m));
        }
        link.QueueCommand(QueryCmd(mn::MMA));
        link.QueueCommand(QueryCmd(mn::EQN));
    } else {
        if (Feature(s_, UtilitySwitch::LoggerModeEnabled)) {
            link.QueueCommand(QueryCmd(mn::LGM));
        }
        if (Feature(s_, UtilitySwitch::SlashFillEnabled)) {
            link.QueueCommand(QueryCmd(mn::SFL));
        }
        for (std::string_view m : {mn::SS, mn::SL, mn::IS, mn::IL}) {
            link.QueueCommand(BulkQueryCmd(m));
        }
    }
    link.QueueCommand(QueryCmd(mn::TDP));
    link.QueueCommand(QueryCmd(mn::RDP));
    link.LoadEndMarker = SetCmd(mn::RDP, std::vector<std::string>{});
}

void ConfigTransfer::GetTxConfiguration() {
    static constexpr std::string_view kQueries[] = {
        mn::ARG, mn::SCD, mn::AID, mn::TSN, mn::NID, mn::TCH, mn::TTI, mn::FTT,
        mn::TWL, mn::TOF, mn::TPR, mn::TIL, mn::TDF, mn::TDS, mn::TDO, mn::RCH,
        mn::RIN, mn::RPC, mn::RRC, mn::RIL, mn::RDF, mn::RDS, mn::RDO, mn::ROF};
    for (std::string_view m : kQueries) {
        s_.Link().QueueCommand(QueryCmd(m));
    }
}

// --- Send all -------------------------------------------------------------------------------

void ConfigTransfer::BtnConfigAllClick() {
    SessionHost& host = s_.Host();
    TransmitterLink& link = s_.Link();
    host.CopyTxFieldsToModel();
    if (!s_.CheckLinkReady(true)) {
        outcome_ = TransferOutcome::Declined;
        return;
    }
    const bool pollWasOn = s_.PollHost().AutoPollEnabled();
    s_.PollHost().EnableAutoPoll(false);
    if (!host.AskYesNo(texts::kSendConfirm)) {
        RestoreAutoPoll(pollWasOn);
        outcome_ = TransferOutcome::Declined;
        return;
    }
    // Every question is settled before the first command is queued: the pump
    // goes on while a box is open, and nothing of a send that does not happen
    // may reach the transmitter.
    if (GoesIdRefused()) {
        host.ShowErrorBox(texts::kInvalidGoesIdBox);
        RestoreAutoPoll(pollWasOn);
        outcome_ = TransferOutcome::IdRefused;
        return;
    }
    std::optional<std::string> password;
    if (Feature(s_, UtilitySwitch::ExtendedTables) && s_.Ini().PasswordPrompt) {
        password = host.InputBox(texts::kPasswordCaption, texts::kPasswordPrompt, "");
        if (!password) {
            RestoreAutoPoll(pollWasOn);
            outcome_ = TransferOutcome::Declined;
            return;
        }
    }
    link.ListXmitCmd.clear();
    // The transmitter stops transmitting while it is reconfigured.
    link.QueueCommand(ActionCmd(mn::DTX));
    if (password) {
        link.QueueCommand(SetCmd(mn::CFE, std::vector<std::string>{}) + *password);
    }
    host.HideDataBufferReviewControls();
    refused_ = false;
    failedCommand_.clear();
    if (!ConfigureAll()) {
        link.ListXmitCmd.clear();
        RestoreAutoPoll(pollWasOn);
        outcome_ = TransferOutcome::IdRefused;
        return;
    }

    outcome_ = TransferOutcome::Running;
    timeOutsAtStart_ = s_.CommTimeOuts();
    s_.OpenWorkingBox(texts::kSendCaption, texts::kSendOperation,
                      [this](int result) { SendClosed(result); });
    s_.ShowProgressBox();
}

void ConfigTransfer::SendClosed(int result) {
    TransmitterLink& link = s_.Link();
    // "ERR" and the end both clear the flag before the box closes; "INV"
    // closes it with the sequence still marked as running.
    const bool stillConfiguring = link.ConfiguringAll;
    const std::string current = link.CurrentCommand();
    link.ConfiguringAll = false;
    s_.Timers().EnableTimer(LinkTimer::Comm, true);
    s_.EmptyQueue();
    s_.ConfigureAutoPoll();
    if (s_.CommTimeOuts() != timeOutsAtStart_) {
        outcome_ = TransferOutcome::TimedOut;
    } else if (refused_) {
        outcome_ = TransferOutcome::Refused;
    } else if (result != mrOk) {
        outcome_ = TransferOutcome::Cancelled;
    } else if (stillConfiguring) {
        outcome_ = TransferOutcome::Invalid;
        invalidCommand_ = current;
    } else {
        outcome_ = TransferOutcome::Completed;
    }
}

// Firmware from 1.15 on keeps its own id when none is given; otherwise the
// id goes out and must be one the transmitter accepts.
bool ConfigTransfer::GoesIdRefused() {
    if (s_.Config().RandomTx.ArgosEnabled) {
        return false;
    }
    const std::string id = s_.Host().PlatformIdText();
    return (VersionCode(s_) < 115 || !id.empty()) && !GoesIdAccepted(id);
}

bool ConfigTransfer::PlatformIdentity() {
    TransmitterLink& link = s_.Link();
    const XmtrConfig& cfg = s_.Config();
    const std::string id = s_.Host().PlatformIdText();
    if (cfg.RandomTx.ArgosEnabled) {
        link.QueueCommand(SetCmd(mn::ARG, {"1"}));
        link.QueueCommand(SetCmd(mn::SCD, {cfg.RandomTx.ScdEnabled ? "1" : "0"}));
        link.QueueCommand(SetCmd(mn::AID, {id}));
        return true;
    }
    if (GoesIdRefused()) {
        s_.Host().ShowErrorBox(texts::kInvalidGoesIdBox);
        return false;
    }
    link.QueueCommand(SetCmd(mn::ARG, {"0"}));
    if (VersionCode(s_) < 115 || !id.empty()) {
        link.QueueCommand(SetCmd(mn::NID, {id}));
    }
    return true;
}

bool ConfigTransfer::ConfigureAll() {
    TransmitterLink& link = s_.Link();
    SessionHost& host = s_.Host();
    XmtrConfig& cfg = s_.Config();
    const ParseContext& ctx = s_.Context();
    CommandSink& sink = s_.LinkSink();
    const std::size_t queuedBefore = link.ListXmitCmd.size();

    link.OperationHandler = nullptr;
    s_.PollHost().EnableAutoPoll(false);
    link.ConfiguringAll = true;
    host.ClearSDI12QueryFlag();

    if (!cfg.RandomEnabled) {
        cfg.RandomTx.Channel = 0;
    }
    if (!cfg.TimedEnabled) {
        cfg.TimedTx.Channel = 0;
    }
    if (Feature(s_, UtilitySwitch::ProtectEnabled) && s_.Ini().Protect) {
        link.QueueCommand(ActionCmd(mn::CFB));
    }
    if (!PlatformIdentity()) {
        // What this call queued is withdrawn; the caller withdraws its own.
        link.ListXmitCmd.resize(queuedBefore);
        s_.PollHost().EnableAutoPoll(true);
        link.ConfiguringAll = false;
        return false;
    }

    ConfigGeneralTxSettings(cfg, ctx, sink);
    ConfigTimedTransmission(cfg, ctx, sink);
    ConfigRandomTransmission(cfg, ctx, sink);
    ConfigTimeSyncOscCal(cfg, ctx, sink);

    if (Feature(s_, UtilitySwitch::ExtendedTables)) {
        QueueCountCommands();
        ConfigSDI12(cfg, true, true, sink);
        ConfigInternSens(cfg, ctx, sink);
        ConfigEquations(cfg, ctx, sink);
    } else {
        ConfigSDI12(cfg, false, Feature(s_, UtilitySwitch::SensorTriggers), sink);
        ConfigInternSens(cfg, ctx, sink);
    }
    if (Feature(s_, UtilitySwitch::MinMaxAvgEnabled)) {
        ConfigMinMaxAvg(cfg, ctx, sink);
    }
    ConfigTimedDataParam(cfg, ctx, sink);
    ConfigRandomDataParam(cfg, ctx, sink);
    ConfigRandomTriggers(cfg, ctx, sink);
    ConfigArgosDataPack(cfg, sink, DataPackTarget::SendAll);

    if (s_.Ini().DebugMemo) {
        host.ReplaceDebugMemo({link.ListXmitCmd.begin(), link.ListXmitCmd.end()});
    }
    if (s_.Ini().DownloadSave) {
        link.QueueCommand(ActionCmd(mn::CFS));
        link.LoadEndMarker = ActionCmd(mn::CFS);
    }
    return true;
}

void ConfigTransfer::UMTAVINErrorMessage() {
    TransmitterLink& link = s_.Link();
    if (!link.ConfiguringAll) {
        return;
    }
    link.ConfiguringAll = false;
    refused_ = true;
    failedCommand_ = link.FailedCommand;
    s_.Host().ShowErrorBox(texts::kErrorWithCommand + ("\"" + link.FailedCommand + "\""));
    s_.State().SetFocusToErrorCmd(link.FailedCommand);
}

// --- Configuration memory -------------------------------------------------------------------

void ConfigTransfer::BtnSaveConfigClick() {
    if (s_.CheckLinkReady(true)) {
        s_.Link().QueueCommand(ActionCmd(mn::CFS));
    }
}

void ConfigTransfer::BtnRestoreConfigClick() {
    if (s_.CheckLinkReady(true)) {
        s_.Link().QueueCommand(ActionCmd(mn::CFR));
    }
}

void ConfigTransfer::BtnRestoreFactDefaultsClick() {
    if (!s_.CheckLinkReady(true)) {
        return;
    }
    if (!s_.Host().AskYesNo(texts::kFactoryConfirm)) {
        return;
    }
    s_.Host().HideDataBufferReviewControls();
    TransmitterLink& link = s_.Link();
    link.QueueCommand(ActionCmd(mn::DTX));
    link.QueueCommand(std::string(mn::ConfigDefault));
    link.QueueCommand(ActionCmd(mn::CFS));
}

} // namespace tavin

#include "workflows/StateCommands.h"

#include "link/OperationBox.h"
#include "link/WindowMessages.h"
#include "protocol/CommandLine.h"
#include "protocol/Vocabulary.h"
#include "support/FixedFormats.h"
#include "support/StringRoutines.h"
#include "workflows/SupervisionTexts.h"
#include "workflows/TransmitterSession.h"
#include "workflows/WorkflowTexts.h"

#include <array>

namespace tavin {

namespace {

struct ActionRow {
    const char* caption;
    const char* operation;
    std::string_view command;
    int message;
    const char* okText;
    const char* errText;
};

const ActionRow& RowOf(StateAction action) {
    static const std::array<ActionRow, 3> kRows = {{
        {texts::kEnablingCaption, texts::kEnablingCaption, mn::ETX, UMTAVINEnabled,
         texts::kEnabledOk, texts::kEnabledErr},
        {texts::kEnablingLoggerCaption, texts::kEnablingLoggerOperation, mn::ELG,
         UMTAVINLoggerEnabled, texts::kLoggerOk, texts::kLoggerErr},
        {texts::kDisablingCaption, texts::kDisablingCaption, mn::DTX, UMTAVINDisabled,
         texts::kDisabledOk, texts::kDisabledErr},
    }};
    return kRows[static_cast<std::size_t>(action)];
}

bool Has(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

std::string AfterFirstEquals(std::string_view line) {
    const auto at = line.find('=');
    return at == std::string_view::npos ? std::string() : std::string(line.substr(at + 1));
}

// Data row R + 1 of a grid, where R is the first run of characters of the
// command outside the delimiters, when R is a number and the row lies
// within 1..lastRow.
int GridRow(std::string_view command, std::string_view delimiters, int lastRow) {
    const std::string word = SplitWord(1, command, delimiters);
    if (!IsIntegerText(word, false) || word.size() > 4) {
        return -1;
    }
    const int row = std::stoi(word) + 1;
    return row >= 1 && row <= lastRow ? row : -1;
}

} // namespace

bool IsUTCCorrectionText(std::string_view text) {
    if (text.empty()) {
        return false;
    }
    for (char c : text) {
        if (c != '-' && (c < '0' || c > '9')) {
            return false;
        }
    }
    return true;
}

FocusTarget FocusForErrorCmd(std::string_view command,
                             const std::function<bool(const std::string& page)>& tabEnabled) {
    FocusTarget t;
    const std::string_view m = command.substr(0, command.find('='));
    if (m.size() <= 2) {
        return t;
    }
    static constexpr char kTxSetup[] = "TabTxSetup";
    static constexpr char kGeneral[] = "TabGeneralTxConfiguration";
    auto at = [&](const char* page, const char* focus, bool pageChange = false) {
        t.Page = page;
        t.Focus = focus;
        t.PageChange = pageChange;
    };
    auto grid = [&](const char* page, bool onlyIfEnabled, const char* gridName,
                    std::string_view delimiters, int lastRow) {
        if (!onlyIfEnabled || !tabEnabled || tabEnabled(page)) {
            t.Page = page;
        }
        t.Grid = gridName;
        t.Row = GridRow(command, delimiters, lastRow);
        if (t.Row < 0) {
            t.Grid.clear();
        }
    };

    struct Fixed {
        std::string_view mnemonic;
        const char* page;
        const char* focus;
        bool pageChange;
    };
    static constexpr Fixed kFixed[] = {
        {"DAT", "", "RzMskEdtDate", false},
        {"FTT", kTxSetup, "TimedFirstTx", true},
        {"GOC", kGeneral, "RzGPSOCXOCal", false},
        {"GTO", kGeneral, "RzGPSSyncCalTimeout", false},
        {"GTC", kGeneral, "RzGPSTCXOCal", false},
        {"GTS", kGeneral, "RzGPSTimeSync", false},
        {"IRC", kGeneral, "EdtInvalidReplace", false},
        {"PIS", kGeneral, "PIS", true},
        {"PB1", kGeneral, "PB1", false},
        {"PB2", kGeneral, "PB2", false},
        {"RCH", kTxSetup, "RzRandomChannel", true},
        {"RDF", kTxSetup, "gbRandomDataFormat", false},
        {"RIL", kTxSetup, "rgRandomInterleaver", false},
        {"RIN", kTxSetup, "RzRandomInterval", false},
        {"ROF", kTxSetup, "RandomOpFlags", false},
        {"RPC", kTxSetup, "RzRandomPercent", false},
        {"RRC", kTxSetup, "RzRandomRepeatCnt", false},
        {"TCA", "", "", false},
        {"TCR", "", "", false},
        {"TSN", "", "", false},
        {"TOT", "", "", false},
        {"TIM", "TabConfigOptions", "OvcTime", false},
        {"TCH", kTxSetup, "RzTimedChannel", true},
        {"TDT", kTxSetup, "", false},
        {"TDF", kTxSetup, "rgTimedDataFormat", false},
        {"TIL", kTxSetup, "rgTimedInterleaver", false},
        {"TOF", kTxSetup, "TimedOpFlags", false},
        {"TPR", kTxSetup, "rgTimedPreamble", false},
        {"TTI", kTxSetup, "TimedTxInterval", false},
        {"TWL", kTxSetup, "RzTimedWindowLength", false},
    };
    for (const Fixed& f : kFixed) {
        if (m == f.mnemonic) {
            at(f.page, f.focus, f.pageChange);
            return t;
        }
    }
    if (m == "RDP") {
        grid("TabRandomDataFormat", false, "GridRandomDataFormat", "RPD=,", 20);
    } else if (m == "RRT") {
        grid("TabRandomTrigger", false, "GridRandomTriggers", "RT=,", 15);
    } else if (m == "TDP") {
        grid("TabTimedDataFormat", false, "GridTimedDataFormat", "TPD=,", 20);
    } else if (m == "TXP") {
        at(kGeneral, "RzSpinTxPwr100");
        t.ShowAdvancedSettings = true;
    } else if (m[0] == 'I' && Has(m, "IS")) {
        grid("TabInternalSensors", true, "GridInternSens", "IS=,", 5);
    } else if (m[0] == 'I' && Has(m, "IL")) {
        grid("TabInternalSensors", true, "GridInternSens", "IL=,", 5);
    } else if (m[0] == 'S' && Has(m, "SS")) {
        grid("TabSDI12", true, "GridSDI12", "S=,", 10);
    } else if (m[0] == 'S' && Has(m, "SL")) {
        grid("TabSDI12", true, "GridSDI12", "SL=,", 10);
    }
    return t;
}

StateCommands::StateCommands(TransmitterSession& session) : s_(session) {}

void StateCommands::Finish(CommandOutcome outcome, std::string text) {
    result_.Outcome = outcome;
    result_.Text = std::move(text);
}

// --- Enable, enable logger, disable --------------------------------------------------------

void StateCommands::Run(StateAction action) {
    if (!s_.CheckLinkReady(true)) {
        Finish(CommandOutcome::Declined, "");
        return;
    }
    const ActionRow& row = RowOf(action);
    TransmitterLink& link = s_.Link();
    s_.PollHost().EnableAutoPoll(false);
    link.ConfiguringAll = false;
    const int message = row.message;
    LinkHost& timers = s_.Timers();
    link.OperationHandler = [&timers, message](const std::string& line) {
        if (Has(line, "OK")) {
            timers.PostWindowMessage(message, kResultOk);
        } else if (Has(line, "ERR")) {
            timers.PostWindowMessage(message, kResultErr);
        }
    };
    link.AutoPollProcedure = nullptr;
    s_.EmptyQueue();

    Finish(CommandOutcome::Pending, "");
    timeOutsAtStart_ = s_.CommTimeOuts();
    OperationBox& box = s_.OpenProgressBox(
        row.caption, [this, action](int result) { ActionClosed(action, result); });
    box.SetCaption(BoxLabel::Operation, row.operation);
    box.SetVisible(BoxLabel::Operation, false);
    box.SetVisible(BoxLabel::Instruction, false);
    box.SetVisible(BoxLabel::Command, false);
    box.SetVisible(BoxButton::OK, false);
    box.SetVisible(BoxButton::Cancel, false);
    link.QueueCommand(ActionCmd(row.command));
    s_.ShowProgressBox();
}

void StateCommands::ActionAnswered(StateAction action, int param) {
    OperationBox* box = s_.ProgressBox();
    if (box == nullptr) {
        return;
    }
    const ActionRow& row = RowOf(action);
    const bool ok = param == kResultOk;
    box->SetVisible(BoxLabel::Command, true);
    box->SetCaption(BoxLabel::Command, ok ? row.okText : row.errText);
    box->SetDelayModalResultTime(1500, ok ? mrOk : mrCancel);
    // The user may close the box before the delay runs out.
    box->SetCaption(BoxButton::Cancel, "OK");
    box->SetVisible(BoxButton::Cancel, true);
    Finish(ok ? CommandOutcome::Ok : CommandOutcome::Refused, ok ? row.okText : row.errText);
}

void StateCommands::ActionClosed(StateAction action, int /*result*/) {
    TransmitterLink& link = s_.Link();
    if (action != StateAction::Disable) {
        link.ConfiguringAll = false;
    }
    s_.ConfigureAutoPoll();
    s_.Timers().EnableTimer(LinkTimer::Comm, true);
    s_.EmptyQueue();
    if (s_.CommTimeOuts() != timeOutsAtStart_) {
        Finish(CommandOutcome::TimedOut, texts::kCommTimedOut);
    } else if (result_.Outcome == CommandOutcome::Pending) {
        Finish(CommandOutcome::Cancelled, "");
    }
}

// --- Check configuration --------------------------------------------------------------------

void StateCommands::BtnCheckConfigClick() {
    if (!s_.CheckLinkReady(true)) {
        Finish(CommandOutcome::Declined, "");
        return;
    }
    TransmitterLink& link = s_.Link();
    link.OperationHandler = [this](const std::string& line) {
        TransmitterLink& l = s_.Link();
        if (Has(line, "CTX=")) {
            l.OperationHandler = nullptr;
            const std::string verdict = AfterFirstEquals(line);
            s_.ConfigureAutoPoll();
            if (verdict == "OK") {
                Finish(CommandOutcome::Ok, texts::kConfigurationOk);
            } else if (Has(verdict, "Enabled")) {
                Finish(CommandOutcome::Ok, texts::kEnabledConfigurationOk);
            } else {
                Finish(CommandOutcome::Refused, texts::kConfigurationError + verdict);
            }
            s_.Host().ShowInfoBox(result_.Text);
        } else if (line == "OK") {
            // The handler goes before idle polling is restored, so that the
            // poll's own handler stays installed.
            l.OperationHandler = nullptr;
            s_.ConfigureAutoPoll();
            Finish(CommandOutcome::Ok, texts::kConfigurationOk);
            s_.Host().ShowInfoBox(result_.Text);
        }
    };
    link.ListXmitCmd.clear();
    Finish(CommandOutcome::Pending, "");
    link.QueueCommand(QueryCmd(mn::CTX));
}

// --- Clock ------------------------------------------------------------------------------------

void StateCommands::BtnReadClockClick() {
    s_.ClockWarningArmed = true;
    s_.Link().QueueCommand(QueryCmd(mn::TIM));
    s_.Link().QueueCommand(QueryCmd(mn::DAT));
}

void StateCommands::StartClockPreset(const std::string& time, const std::string& date) {
    TransmitterLink& link = s_.Link();
    link.QueueCommand(SetCmd(mn::TIM, {time}));
    link.QueueCommand(SetCmd(mn::DAT, {date}));
    link.LoadEndMarker = SetCmd(mn::DAT, std::vector<std::string>{});
    link.ConfiguringAll = true;
    Finish(CommandOutcome::Pending, "");
    timeOutsAtStart_ = s_.CommTimeOuts();
    s_.Timers().EnableTimer(LinkTimer::Comm, true);
}

void StateCommands::BtnSetClockClick() {
    s_.PollHost().EnableAutoPoll(false);
    s_.Link().OperationHandler = nullptr;
    s_.EmptyQueue();
    StartClockPreset(s_.Host().ClockTimeText(), s_.Host().ClockDateText());
}

// The poll timer is left as it is. Its handler is not: while it holds the
// link the answers would never reach the preset's end, the preset would stay
// unfinished, and a later time-out would take it for an unfinished send and
// start sending the whole configuration.
void StateCommands::btnSetTimePCClick() {
    s_.Link().OperationHandler = nullptr;
    s_.EmptyQueue();
    const std::tm now = s_.Host().LocalTimeNow();
    StartClockPreset(FormatLongTime(now.tm_hour, now.tm_min, now.tm_sec),
                     FormatShortDate(now.tm_year + 1900, now.tm_mon + 1, now.tm_mday));
}

void StateCommands::UMTAVINClockSet(int param) {
    if (param == kResultOk) {
        s_.Host().ShowInfoBox(texts::kClockSet);
        Finish(CommandOutcome::Ok, texts::kClockSet);
    } else {
        s_.Host().ShowErrorBox(texts::kClockNotSet);
        Finish(CommandOutcome::Refused, texts::kClockNotSet);
    }
    s_.ConfigureAutoPoll();
}

// An "INV" to either half of a clock preset would otherwise leave the
// preset unfinished and unreported: the clock is not set, and the rest of
// the preset is dropped.
void StateCommands::PresetInvalid() {
    TransmitterLink& link = s_.Link();
    if (!link.ConfiguringAll || link.LoadEndMarker != SetCmd(mn::DAT, std::vector<std::string>{})) {
        return;
    }
    link.ConfiguringAll = false;
    link.ListXmitCmd.clear();
    s_.Host().ShowErrorBox(texts::kClockNotSet);
    Finish(CommandOutcome::Invalid, texts::kClockNotSet);
    s_.ConfigureAutoPoll();
}

// --- UTC correction -----------------------------------------------------------------------------

void StateCommands::BtnReadUTCClick() {
    s_.SetUTCReadPending(true);
    s_.Link().QueueCommand(QueryCmd(mn::UTC));
}

void StateCommands::BtnSetUTCClick() {
    SessionHost& host = s_.Host();
    const std::string text = host.UTCCorrectionText();
    if (!IsUTCCorrectionText(text)) {
        host.ShowErrorBox(texts::kInvalidUTC);
        host.ShowUTCCorrection(s_.Ini().Correction);
        Finish(CommandOutcome::Declined, texts::kInvalidUTC);
        return;
    }
    TransmitterLink& link = s_.Link();
    s_.PollHost().EnableAutoPoll(false);
    link.OperationHandler = nullptr;
    s_.EmptyQueue();
    link.QueueCommand(SetCmd(mn::UTC, {text}));
    link.LoadEndMarker = SetCmd(mn::UTC, std::vector<std::string>{});
    link.ConfiguringAll = true;
    Finish(CommandOutcome::Pending, "");
    timeOutsAtStart_ = s_.CommTimeOuts();
    s_.Timers().EnableTimer(LinkTimer::Comm, true);
}

void StateCommands::UMTAVINUTCSet(int param) {
    SessionHost& host = s_.Host();
    if (param == kResultOk) {
        host.ShowInfoBox(texts::kUTCSet);
        std::int32_t value = 0;
        if (TextToInt32(host.UTCCorrectionText(), value)) {
            s_.Ini().Correction = value;
        }
        host.ShowUTCSource(texts::kUTCManualSet);
        Finish(CommandOutcome::Ok, texts::kUTCSet);
    } else if (param == kResultErr) {
        host.ShowInfoBox(texts::kManualUTCNotAvailable);
        host.ShowUTCSource("");
        Finish(CommandOutcome::Refused, texts::kManualUTCNotAvailable);
    } else {
        host.ShowInfoBox(texts::kUTCFromGps);
        host.ShowUTCSource(texts::kUTCFromAlmanac);
        Finish(CommandOutcome::Invalid, texts::kUTCFromGps);
    }
    s_.ConfigureAutoPoll();
}

void StateCommands::RzSpinUTCCorrChange(int value) {
    s_.Ini().Correction = value;
}

void StateCommands::RzSpinUTCCorrExit() {
    s_.Host().SaveUTCCorrectionPreference();
}

// --- Time-out and focus -------------------------------------------------------------------------

void StateCommands::CommTimedOut() {
    if (result_.Outcome == CommandOutcome::Pending) {
        Finish(CommandOutcome::TimedOut, texts::kCommTimedOut);
    }
}

void StateCommands::SetFocusToErrorCmd(const std::string& command) {
    SessionHost& host = s_.Host();
    const FocusTarget target = FocusForErrorCmd(
        command, [&host](const std::string& page) { return host.TabEnabled(page); });
    if (target != FocusTarget{}) {
        host.FocusControl(target);
    }
    host.MainPageChanged();
}

} // namespace tavin

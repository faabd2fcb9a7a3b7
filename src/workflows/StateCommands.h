#pragma once
// Single actions on the transmitter's state: enable transmissions, enable
// the logger only, disable, have the transmitter check its configuration,
// read and set its clock, read and preset the UTC correction; and the
// mapping from a refused configuration command to the control that holds
// its value.

#include "workflows/TransmitterSessionHost.h"

#include <functional>
#include <string>
#include <string_view>

namespace tavin {

class TransmitterSession;

// How the latest state command ended, for hosts that report it (the
// command-line tool); the window shows the boxes instead.
enum class CommandOutcome {
    None,      // none run yet
    Pending,   // waiting for the transmitter
    Ok,        // done
    Refused,   // "ERR" (or a verdict other than OK from the check)
    Invalid,   // "INV"
    TimedOut,  // the link was declared dead
    Cancelled, // the box was closed before the answer
    Declined,  // not started (link not ready, invalid input)
};

struct CommandResult {
    CommandOutcome Outcome = CommandOutcome::None;
    // What the user was told: the box or label text.
    std::string Text;
};

// The three actions that own the link while their box is open.
enum class StateAction { Enable, EnableLogger, Disable };

// Where a refused command sends the user. tabEnabled tells whether a main
// tab ("TabSDI12", "TabInternalSensors") is enabled. The page control's
// change handler runs afterwards in every case; it is not part of the target.
FocusTarget FocusForErrorCmd(std::string_view command,
                             const std::function<bool(const std::string& page)>& tabEnabled);

// The UTC correction text the preset accepts: not empty, only "-" and digits.
bool IsUTCCorrectionText(std::string_view text);

class StateCommands {
public:
    explicit StateCommands(TransmitterSession& session);

    // --- Buttons -----------------------------------------------------------------
    void BtnEnableTxClick() { Run(StateAction::Enable); }
    void BtnEnableLoggerClick() { Run(StateAction::EnableLogger); }
    void BtnDisableTxClick() { Run(StateAction::Disable); }
    void BtnCheckConfigClick();
    void BtnReadClockClick();
    void BtnSetClockClick();
    void btnSetTimePCClick();
    void BtnReadUTCClick();
    void BtnSetUTCClick();

    // The UTC correction spin edit: every change goes into the preference,
    // leaving it writes the preference to the file.
    void RzSpinUTCCorrChange(int value);
    void RzSpinUTCCorrExit();

    // --- Window messages ------------------------------------------------------------
    void UMTAVINEnabled(int param) { ActionAnswered(StateAction::Enable, param); }
    void UMTAVINLoggerEnabled(int param) { ActionAnswered(StateAction::EnableLogger, param); }
    void UMTAVINDisabled(int param) { ActionAnswered(StateAction::Disable, param); }
    void UMTAVINClockSet(int param);
    void UMTAVINUTCSet(int param);
    // 1126 with no box open: an "INV" to a clock or UTC preset.
    void PresetInvalid();

    // The link was declared dead: a command waiting without a box has failed.
    void CommTimedOut();

    // Selects the page and focuses the control of a refused command, then runs
    // the page control's change handler.
    void SetFocusToErrorCmd(const std::string& command);

    const CommandResult& LastResult() const { return result_; }

private:
    void Run(StateAction action);
    void ActionAnswered(StateAction action, int param);
    void ActionClosed(StateAction action, int result);
    void StartClockPreset(const std::string& time, const std::string& date);
    void Finish(CommandOutcome outcome, std::string text);

    TransmitterSession& s_;
    CommandResult result_;
    int timeOutsAtStart_ = 0;
};

} // namespace tavin

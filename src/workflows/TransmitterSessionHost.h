#pragma once
// What the workflows ask of the program around them: the message boxes, the
// progress box, the views and the fields the user typed. The poll timer and
// the status display are the supervision's (SupervisionHost). The
// main window implements it with widgets; the command-line tool and the tests
// answer the prompts from a script and record what would have been shown, so
// nothing ever waits for a person there.
//
// A progress box is never waited for here: a workflow opens it as its last
// step and finishes in its close handler. The host decides how to wait: the
// window runs QDialog::exec() (the link's timers keep running inside), the
// command-line tool runs its event loop until the box has a result, a test
// steps its virtual clock.

#include <ctime>
#include <optional>
#include <string>
#include <vector>

namespace tavin {

class OperationBox;

// Where a refused configuration command sends the user: the page, the
// control to focus and the grid row to make current. Names are the objectName
// of the widgets; an empty name leaves that part as it is.
struct FocusTarget {
    std::string Page;        // "TabTxSetup", "TabGeneralTxConfiguration", ...; "" unchanged
    bool PageChange = false; // run the page control's change handler right after
    std::string Focus;       // the control that takes the focus; "" none
    std::string Grid;        // the grid whose current row changes; "" none
    int Row = -1;            // that data row (from 1); -1 none
    // "TXP": check "Advanced Settings" (`MenuAdvancedSettings`), show the
    // power group and the other advanced controls before the focus moves.
    bool ShowAdvancedSettings = false;

    bool operator==(const FocusTarget&) const = default;
};

class SessionHost {
public:
    virtual ~SessionHost() = default;

    // --- Message boxes ---------------------------------------------------------
    // "\r" is a line break inside a box. The error box plays the error sound
    // when the "SoundOnError" preference is on.
    virtual void ShowErrorBox(const std::string& text) = 0;
    virtual void ShowInfoBox(const std::string& text) = 0;
    // True for Yes.
    virtual bool AskYesNo(const std::string& text) = 0;
    // The text input box; nullopt when the user pressed Cancel.
    virtual std::optional<std::string>
    InputBox(const std::string& caption, const std::string& prompt, const std::string& initial) = 0;

    // --- The progress box ------------------------------------------------------
    // A progress box has been opened (it replaces any earlier one): show it
    // modally with this caption. The host may block here until the box has
    // closed, or return at once; the workflow does nothing after this call.
    virtual void ShowProgressBox(OperationBox& box, const std::string& caption) = 0;
    // What the open box shows has changed.
    virtual void ProgressBoxChanged(const OperationBox& /*box*/) {}
    // The box's one-shot delay timer: (re)start it, or stop it. When it runs
    // out the host calls TransmitterSession::ProgressBoxDelayElapsed().
    virtual void StartBoxDelayTimer(int ms) = 0;
    virtual void StopBoxDelayTimer() = 0;
    // The box has ended with this result (the window ends its dialog).
    virtual void ProgressBoxClosed(int /*result*/) {}

    // --- Views -----------------------------------------------------------------
    // Refresh every configuration view from the model: general setup,
    // equations, SDI-12, internal sensors, tipping bucket, min/max/average,
    // timed and random formats, random triggers.
    virtual void RefreshConfigViews() {}
    // `OvcNesdisID` shows this platform id.
    virtual void ShowPlatformId(const std::string& /*id*/) {}
    // The channel-load message was handled: the enable boxes of the timed and
    // random transmissions follow the model (their click handlers run).
    virtual void ChannelsLoaded() {}
    // The data buffer review is switched off (`HideDataBufferReviewControls`).
    virtual void HideDataBufferReviewControls() {}
    // "Enable Sensor Test" is unchecked without running its click handler.
    virtual void UncheckSensorTest() {}
    // The SDI-12 query of the direct control window no longer runs.
    virtual void ClearSDI12QueryFlag() {}
    // `MemoDebug` now holds these lines (only with the "DebugMemo" preference).
    virtual void ReplaceDebugMemo(const std::vector<std::string>& /*lines*/) {}
    // Select the page and focus the control of a refused command.
    virtual void FocusControl(const FocusTarget& /*target*/) {}
    // The main page control's change handler.
    virtual void MainPageChanged() {}
    // Whether a main tab is enabled ("TabSDI12", "TabInternalSensors").
    virtual bool TabEnabled(const std::string& /*page*/) const { return true; }
    // The clock fields: `OvcTime`, `RzMskEdtDate`, the clock status.
    virtual void ShowClockTime(const std::string& /*time*/) {}
    virtual void ShowClockDate(const std::string& /*date*/) {}
    virtual void ShowClockStatus(const std::string& /*text*/) {}
    // `RzSpinUTCCorr` shows this correction; `LblUTCSet` this source text.
    virtual void ShowUTCCorrection(int /*correction*/) {}
    virtual void ShowUTCSource(const std::string& /*text*/) {}
    // Writes the UTC correction preference to the preferences file now.
    virtual void SaveUTCCorrectionPreference() {}

    // --- Fields the user typed -------------------------------------------------
    // Copy the timed and random transmission fields of the editor into the
    // model (before a send).
    virtual void CopyTxFieldsToModel() {}
    // The platform id field `OvcNesdisID`.
    virtual std::string PlatformIdText() const = 0;
    // The clock fields `OvcTime` ("hh:mm:ss") and `RzMskEdtDate` ("mm/dd/yyyy").
    virtual std::string ClockTimeText() const = 0;
    virtual std::string ClockDateText() const = 0;
    // The text of the UTC correction spin edit `RzSpinUTCCorr`.
    virtual std::string UTCCorrectionText() const = 0;
    // The PC's local time now (the "Set Time PC" button).
    virtual std::tm LocalTimeNow() const {
        std::time_t t = std::time(nullptr);
        std::tm local{};
#ifdef _WIN32
        localtime_s(&local, &t);
#else
        localtime_r(&t, &local);
#endif
        return local;
    }
};

} // namespace tavin

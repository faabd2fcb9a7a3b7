#pragma once
// Retrieve all and send all: the two long command sequences that read the
// transmitter's whole configuration into the model and write the model back,
// each run while a progress box is open; and the small commands on the
// configuration memory as a whole (save, restore previous, factory defaults).
//
// Each sequence has a start (the button handler: checks, prompts, queue,
// open the box) and an end (the box's close handler). Nothing here waits.

#include <string>
#include <vector>

namespace tavin {

class TransmitterSession;

// One entry of the count-command list: a row count and the command that
// sends it ("SSN=").
struct TParamNum {
    int Count = 0;
    std::string Mnemonic;

    bool operator==(const TParamNum&) const = default;
};

// Sorts by count, smallest first, in place, with the middle-pivot quicksort
// (Hoare partition around the middle element of the current order): entries
// with equal counts keep the order that this sort leaves, which the
// transmitter sees as the order of the count commands.
void SortParamNums(std::vector<TParamNum>& list);

// How the latest retrieve or send ended.
enum class TransferOutcome {
    None,      // none run yet
    Running,   // the progress box is open
    Declined,  // not started: link not ready, "No", or the password cancelled
    IdRefused, // not started: the GOES platform id was refused
    Completed, // the sequence reached its end
    Refused,   // a command drew "ERR" (FailedCommand names it)
    Invalid,   // a command drew "INV": the send ended without a message
    TimedOut,  // the link was declared dead
    Cancelled, // the user pressed Cancel
};

class ConfigTransfer {
public:
    explicit ConfigTransfer(TransmitterSession& session);

    // --- Buttons -----------------------------------------------------------------
    // "Retrieve Config From TAVIN"
    void BtnRefreshAllClick();
    // "Send Config To TAVIN"
    void BtnConfigAllClick();
    // "Save Current Config in TAVIN", "Restore Previous TAVIN Config"
    void BtnSaveConfigClick();
    void BtnRestoreConfigClick();
    // "Set TAVIN To Factory Defaults"
    void BtnRestoreFactDefaultsClick();

    // --- Sequences ---------------------------------------------------------------
    // Queues the full read sequence and sets `RetrievingAll`.
    void RetrieveAll();
    // Queues the 24 transmission-setup queries.
    void GetTxConfiguration();
    // Queues the full write sequence and sets `ConfiguringAll`. False when
    // the GOES platform id is refused: then nothing it queued is left behind.
    bool ConfigureAll();

    // 1127: a command of the send drew "ERR".
    void UMTAVINErrorMessage();

    // The count-command list in its current (last sorted) order.
    const std::vector<TParamNum>& CountCommands() const { return countCommands_; }
    // Refills the counts and sorts the list (also used by the buffer check).
    void SortCountCommands(int sdi12, int intern, int timed, int random, int triggers, int mma);
    // Sorts the counts of the model's tables and queues the six count
    // commands in that order (the send-all and the buffer refresh).
    void QueueCountCommands();

    // --- Outcome -----------------------------------------------------------------
    TransferOutcome Outcome() const { return outcome_; }
    // The command that drew "ERR", as the dispatcher compared it.
    const std::string& FailedCommand() const { return failedCommand_; }
    // The command that drew "INV", as the dispatcher compared it.
    const std::string& InvalidCommand() const { return invalidCommand_; }

private:
    void RetrieveClosed(int result);
    void SendClosed(int result);
    void RestoreAutoPoll(bool wasEnabled);
    bool PlatformIdentity();
    bool GoesIdRefused();

    TransmitterSession& s_;
    std::vector<TParamNum> countCommands_;
    TransferOutcome outcome_ = TransferOutcome::None;
    std::string failedCommand_;
    std::string invalidCommand_;
    bool refused_ = false;
    int timeOutsAtStart_ = 0;
};

} // namespace tavin

#pragma once
// The logic of the calibration window: reading and setting the oscillator
// corrections, the TCXO serial number check, the OCXO correction, and the
// two long GPS operations (a calibration and a forced time and position fix)
// with their status box. Reply lines wait in a list and are parsed one per
// tick of the window's reply timer, which also polls the calibration status
// while an operation runs and notices a lost link.

#include "link/OperationBox.h"
#include "link/TransmitterLink.h"

#include <deque>
#include <memory>
#include <string>

namespace tavin {

class CalibrationHost {
public:
    virtual ~CalibrationHost() = default;
    // The port and the transmitter answer; with a message when they do not.
    virtual bool CheckLinkReady(bool showMessage) = 0;
    virtual bool AskYesNo(const std::string& text) = 0;
    virtual void ShowErrorBox(const std::string& text) = 0;

    // Fields.
    virtual void ShowSynthesizerCorrection(const std::string& text) = 0; // `OvcSimSynFreqCorr`
    virtual void ShowTcxoCorrection(const std::string& text) = 0;        // `OvcSimTCXOCorr`
    virtual void ShowTcxoAging(const std::string& text) = 0;             // `OvcSimTCXOAging`
    virtual void ShowTcxoSerialNumber(const std::string& text) = 0;      // `LblFldTCXOSerNum`
    virtual void ShowTcxoOk(bool ok) = 0;                                // `cbTCXOOK`
    virtual void ShowOcxoCorrection(const std::string& text) = 0;        // `LblOCXOCorrection`

    // The status box: show it modally with this caption. The host may return
    // at once or only when the box has closed; either way the controller
    // hears of the end through the box (CalibrationController::BoxClosed).
    virtual void ShowStatusBox(OperationBox& box, const std::string& caption) = 0;
    virtual void StatusBoxChanged(const OperationBox& /*box*/) {}
    // The box has ended (the window ends its dialog).
    virtual void StatusBoxClosed(int /*result*/) {}
};

class CalibrationController : private OperationBoxHost {
public:
    static constexpr int kReplyTimerMs = 20;
    static constexpr int kPollTicks = 25;
    static constexpr int kProgressSteps = 15;

    enum class Operation { None, Calibration, Fix };

    CalibrationController(TransmitterLink& link, CalibrationHost& host);
    ~CalibrationController() override;

    // The opening queries, in order.
    void Open();

    // Buttons.
    void ReadSynthesizer();
    void SetSynthesizer(const std::string& fieldText);
    void ReadTcxoCorrection();
    void SetTcxoCorrection(const std::string& fieldText);
    void ReadTcxoAging();
    void SetTcxoAging(const std::string& fieldText);
    void ReadOcxoCorrection();
    void StartGpsCalibration(); // "Start GPS Calibration"
    void ForceFix();            // "Time && Position Fix"
    // The window may close: refused, with a message, while an operation runs.
    bool CanClose();

    void PacketHandler(const std::string& line);
    // A tick of the reply timer.
    void OnTimer();
    // Parses one reply line (what a tick does with the first waiting line).
    void ParseLine(const std::string& line);

    bool Calibrating() const { return calibrating_; }
    bool Fixing() const { return fixing_; }
    int PollCountdown() const { return countdown_; }
    std::size_t PendingLines() const { return replies_.size(); }
    // The status box while one is open, else null.
    OperationBox* StatusBox() { return box_ && box_->IsOpen() ? box_.get() : nullptr; }

private:
    void StartOperation(Operation op);
    void ParseTcxoGroup(const std::string& line);
    void ParseStatus(const std::string& status);
    void CloseBox(int result);

    // OperationBoxHost
    void BoxChanged() override;
    void StartDelayTimer(int) override {}
    void StopDelayTimer() override {}
    void BoxClosed(int result) override;

    TransmitterLink& link_;
    CalibrationHost& host_;
    std::deque<std::string> replies_; // ListReply
    bool calibrating_ = false;
    bool fixing_ = false;
    int countdown_ = kPollTicks;
    std::unique_ptr<OperationBox> box_;
    Operation boxOperation_ = Operation::None;
    bool progressShown_ = false;
    // The start command ("GCS", "FGF") whose echo has not been parsed yet.
    std::string startEcho_;
};

} // namespace tavin

#include "workflows/CalibrationLogic.h"

#include "protocol/CommandLine.h"
#include "protocol/ValueForms.h"
#include "protocol/Vocabulary.h"
#include "support/StringRoutines.h"
#include "workflows/ServiceTexts.h"

namespace tavin {

CalibrationController::CalibrationController(TransmitterLink& link, CalibrationHost& host)
    : link_(link), host_(host) {}

CalibrationController::~CalibrationController() {
    if (box_) {
        box_->SetHost(nullptr);
    }
}

void CalibrationController::Open() {
    for (const std::string& command :
         {QueryCmd(mn::TSN), ActionCmd(mn::TSN), QueryCmd(mn::OCR), QueryCmd(mn::SFC),
          QueryCmd(mn::TCA), QueryCmd(mn::TCR), QueryCmd(mn::GCS)}) {
        link_.QueueCommand(command);
    }
}

void CalibrationController::ReadSynthesizer() {
    link_.QueueCommand(QueryCmd(mn::SFC));
}

void CalibrationController::SetSynthesizer(const std::string& fieldText) {
    link_.QueueCommand(SetCmd(mn::SFC, {fieldText}));
}

void CalibrationController::ReadTcxoCorrection() {
    link_.QueueCommand(QueryCmd(mn::TCR));
}

void CalibrationController::SetTcxoCorrection(const std::string& fieldText) {
    link_.QueueCommand(SetCmd(mn::TCR, {fieldText}));
}

void CalibrationController::ReadTcxoAging() {
    link_.QueueCommand(QueryCmd(mn::TCA));
}

void CalibrationController::SetTcxoAging(const std::string& fieldText) {
    link_.QueueCommand(SetCmd(mn::TCA, {fieldText}));
}

void CalibrationController::ReadOcxoCorrection() {
    link_.QueueCommand(QueryCmd(mn::OCR));
}

void CalibrationController::StartGpsCalibration() {
    if (!host_.CheckLinkReady(true) || !host_.AskYesNo(texts::kStartCalibrationAsk)) {
        return;
    }
    link_.QueueCommand(ActionCmd(mn::DTX));
    link_.QueueCommand(ActionCmd(mn::GCS));
    startEcho_ = ActionCmd(mn::GCS);
    calibrating_ = true;
    StartOperation(Operation::Calibration);
}

void CalibrationController::ForceFix() {
    if (!host_.CheckLinkReady(true) || !host_.AskYesNo(texts::kForceFixAsk)) {
        return;
    }
    link_.QueueCommand(ActionCmd(mn::DTX));
    link_.QueueCommand(ActionCmd(mn::FGF));
    startEcho_ = ActionCmd(mn::FGF);
    fixing_ = true;
    StartOperation(Operation::Fix);
}

void CalibrationController::StartOperation(Operation op) {
    countdown_ = kPollTicks;
    if (box_) {
        // A box still open is replaced without running its end.
        box_->SetHost(nullptr);
    }
    box_ = std::make_unique<OperationBox>(static_cast<OperationBoxHost*>(this));
    boxOperation_ = op;
    progressShown_ = false;
    OperationBox& box = *box_;
    box.SetCaption(BoxLabel::Operation, texts::kStateLabel);
    box.SetVisible(BoxLabel::Operation, true);
    if (op == Operation::Calibration) {
        box.SetCaption(BoxLabel::Instruction, texts::kOcxoLabel);
        box.SetVisible(BoxLabel::Instruction, true);
        box.SetCaption(BoxLabel::Command, texts::kTcxoLabel);
        box.SetVisible(BoxLabel::Command, true);
    }
    box.SetCaption(BoxButton::Cancel, texts::kAbort);
    box.SetVisible(BoxButton::Cancel, true);
    box.SetVisible(BoxButton::OK, false);
    host_.ShowStatusBox(box, op == Operation::Calibration ? texts::kCalibrationStatus
                                                          : texts::kForcingGpsFix);
}

bool CalibrationController::CanClose() {
    if (calibrating_ || fixing_) {
        host_.ShowErrorBox(texts::kCalibratingWait);
        return false;
    }
    return true;
}

void CalibrationController::PacketHandler(const std::string& line) {
    if (line != ">") {
        replies_.push_back(line);
    }
}

void CalibrationController::OnTimer() {
    if (!replies_.empty()) {
        const std::string line = std::move(replies_.front());
        replies_.pop_front();
        ParseLine(line);
        // One parsed line lets the next queued command go.
        link_.ReleaseCurrentCommand();
    }
    if (!calibrating_ && !fixing_) {
        return;
    }
    if (!host_.CheckLinkReady(false)) {
        calibrating_ = false;
        fixing_ = false;
        host_.ShowErrorBox(texts::kCommLostCalibration);
        CloseBox(mrCancel);
        return;
    }
    if (--countdown_ < 1) {
        link_.QueueCommand(QueryCmd(mn::GCS));
        countdown_ = kPollTicks;
    }
}

void CalibrationController::ParseLine(const std::string& line) {
    ParseTcxoGroup(line);
    if (Contains(line, "OCR=")) {
        host_.ShowOcxoCorrection(SplitWord(1, line, "OCR="));
    }
    if (line == startEcho_) {
        startEcho_.clear();
    }
    // A status asked for before the operation started (the opening "GCS?"
    // still waiting to be parsed) says nothing about it: the transmitter
    // answers in order, so statuses count from the start command's echo on.
    if (Contains(line, "GCS=") && startEcho_.empty()) {
        ParseStatus(std::string(AfterFirst(line, '=')));
    }
}

void CalibrationController::ParseTcxoGroup(const std::string& line) {
    if (Contains(line, "TSN=OK")) {
        host_.ShowTcxoOk(true);
    } else if (Contains(line, "TSN=INV")) {
        host_.ShowTcxoOk(false);
    } else if (Contains(line, "TSN=")) {
        host_.ShowTcxoSerialNumber(SplitWord(1, line, "TSN="));
    } else if (Contains(line, "SFC=")) {
        host_.ShowSynthesizerCorrection(std::string(AfterFirst(line, '=')));
    } else if (Contains(line, "TCR=")) {
        host_.ShowTcxoCorrection(SplitWord(1, AfterFirst(line, '='), ","));
    } else if (Contains(line, "TCA=")) {
        host_.ShowTcxoAging(std::string(AfterFirst(line, '=')));
    }
}

void CalibrationController::ParseStatus(const std::string& status) {
    if (Contains(status, texts::kNotActive)) {
        calibrating_ = false;
        fixing_ = false;
        CloseBox(mrOk);
        return;
    }
    OperationBox* box = StatusBox();
    if (!box) {
        return;
    }
    box->SetCaption(BoxLabel::Operation, "State : " + SplitWord(1, status, ","));
    box->SetCaption(BoxLabel::Instruction, "OCXO : " + SplitWord(2, status, "OCX=,"));
    box->SetCaption(BoxLabel::Command, "TCXO : " + SplitWord(3, status, "TCXO=,"));
    if (!progressShown_) {
        progressShown_ = true;
        box->SetProgressVisible(true);
        box->SetProgressRange(0, kProgressSteps);
        box->SetProgressPosition(0);
    }
    // A calibration that outlasts the bar leaves it full rather than empty.
    const OperationBox::Bar& bar = box->Progress();
    box->SetProgressPosition(bar.position < bar.maximum ? bar.position + 1 : bar.maximum);
    calibrating_ = true;
}

void CalibrationController::CloseBox(int result) {
    if (OperationBox* box = StatusBox()) {
        box->Close(result);
    }
}

void CalibrationController::BoxChanged() {
    if (box_) {
        host_.StatusBoxChanged(*box_);
    }
}

void CalibrationController::BoxClosed(int result) {
    host_.StatusBoxClosed(result);
    if (result == mrCancel) {
        if (boxOperation_ == Operation::Calibration) {
            link_.QueueCommand(SetCmd(mn::GCS, {texts::kGcsAbort}));
        } else if (boxOperation_ == Operation::Fix) {
            fixing_ = false;
            link_.QueueCommand(ActionCmd(mn::FGF));
        }
    }
    boxOperation_ = Operation::None;
}

} // namespace tavin

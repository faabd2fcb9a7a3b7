#include "workflows/TxTestLogic.h"

#include "protocol/CommandLine.h"
#include "protocol/ValueForms.h"
#include "protocol/Vocabulary.h"
#include "support/StringRoutines.h"
#include "workflows/ServiceTexts.h"

namespace tavin {

void TxTestController::ForceTx(int typeIndex, int channel, int bitRateIndex, bool ocxoOn) {
    if (!ocxoOn) {
        view_.ShowInfoBox(texts::kOcxoNotOn);
        return;
    }
    if (bitRateIndex < 0 || bitRateIndex > kBitRate1200) {
        bitRateIndex = 0;
    }
    link_.QueueCommand(SetCmd(
        mn::FTX, {FormatInt(typeIndex + 1), FormatInt(channel), kBitRateWords[bitRateIndex]}));
}

void TxTestController::OcxoClicked(bool nowChecked) {
    // The box shows what the transmitter says, not what was clicked.
    view_.SetOcxoChecked(!nowChecked);
    ocxoRequest_ = nowChecked;
    link_.QueueCommand(SetCmd(mn::FTX, {nowChecked ? "E" : "D"}));
    link_.QueueCommand(QueryCmd(mn::FTX));
}

void TxTestController::StopTx() {
    link_.QueueCommand(ActionCmd(mn::STX));
    link_.QueueCommand(QueryCmd(mn::FTX));
}

void TxTestController::ResetFailSafe() {
    failSafe_ = true;
    link_.QueueCommand(ActionCmd(mn::FSR));
}

void TxTestController::BitRateChanged(int bitRateIndex, int channel) {
    if (bitRateIndex != kBitRate1200) {
        view_.SetChannelMaximum(kMaxChannel);
        return;
    }
    if (channel > kMaxChannel1200) {
        view_.ShowInfoBox(texts::kChannelRange1200);
        view_.SetChannel(kMaxChannel1200);
    }
    view_.SetChannelMaximum(kMaxChannel1200);
}

void TxTestController::PacketHandler(const std::string& line) {
    if (line == ">") {
        return;
    }
    // The echo of the command just sent is no answer: "FTX=E" echoed before
    // an "ERR" must not tick the box.
    if (line != link_.CurrentCommand()) {
        replies_.push_back(line);
    }
    if (!Contains(line, "ERR")) {
        return;
    }
    // The command is released before the box is raised; the window's boxes
    // wait for the link's event to end, so framing goes on under it.
    if (ocxoRequest_) {
        ocxoRequest_ = false;
        link_.ReleaseCurrentCommand();
        view_.ShowErrorBox(texts::kOcxoFailed);
    } else if (failSafe_) {
        failSafe_ = false;
        link_.ReleaseCurrentCommand();
        view_.ShowErrorBox(texts::kFailSafeFailed);
    }
}

void TxTestController::OnTimer() {
    if (replies_.empty()) {
        return;
    }
    const std::string line = std::move(replies_.front());
    replies_.pop_front();
    if (!Contains(line, "FTX=")) {
        return;
    }
    const std::string state = SplitWord(1, line, "FTX=");
    if (state == "E") {
        view_.SetOcxoChecked(true);
    } else if (state == "D") {
        view_.SetOcxoChecked(false);
    }
}

} // namespace tavin

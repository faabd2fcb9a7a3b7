#include "workflows/TerminalLogic.h"

#include "workflows/ServiceTexts.h"

namespace tavin {

namespace {

const std::string kEscCommand(1, TransmitterLink::kEsc);

} // namespace

bool DirectControlController::Enter(const std::string& text, bool clearOnEnter) {
    typed_ = true;
    link_.QueueCommand(text);
    history_.Add(text);
    return clearOnEnter;
}

bool DirectControlController::Escape(bool clearOnEnter) {
    typed_ = true;
    link_.QueueCommand(kEscCommand);
    return clearOnEnter;
}

void DirectControlController::PacketHandler(const std::string& line) {
    if (!typed_ || line.empty()) {
        return;
    }
    const auto prompt = line.find('>');
    view_.ShowReply(prompt == std::string::npos ? line : line.substr(prompt + 1));
    view_.AppendLine(line);
    // Each reply line lets the next typed command go.
    link_.ReleaseCurrentCommand();
}

bool SDI12TerminalController::Enter(const std::string& text, bool clearOnEnter) {
    link_.QueueCommand(texts::kSdiPrefix + text);
    memo_.AppendLine(text);
    return clearOnEnter;
}

void SDI12TerminalController::Escape() {
    link_.QueueCommand(kEscCommand);
}

void SDI12TerminalController::PacketHandler(const std::string& line) {
    std::string shown = line;
    if (const auto at = line.find(texts::kSdiPrefix); at != std::string::npos) {
        sdiSeen_ = true;
        shown = line.substr(line.find('=') + 1);
    }
    // The echo of the command just sent repeats what the memo already
    // shows as typed; only the sensor's answer follows it.
    if (line == link_.CurrentCommand()) {
        return;
    }
    if (sdiSeen_ && !shown.empty() && shown != ">") {
        memo_.AppendLine(shown);
    }
}

} // namespace tavin

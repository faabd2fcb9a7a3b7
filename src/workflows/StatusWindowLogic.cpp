#include "workflows/StatusWindowLogic.h"

#include "protocol/CommandLine.h"
#include "protocol/Vocabulary.h"

namespace tavin {

std::string StatusQueryCommand(StatusQuery query, bool extended) {
    switch (query) {
    case StatusQuery::StatusRead:
        return QueryCmd(mn::RST);
    case StatusQuery::LastTransmit:
        return ActionCmd(mn::LTS);
    case StatusQuery::ConfigRead:
        return ActionCmd(mn::RCF);
    case StatusQuery::ConfigCheck:
        return QueryCmd(mn::CTX);
    case StatusQuery::BufferTimed:
        return ActionCmd(mn::TBD);
    case StatusQuery::BufferRandom:
        return ActionCmd(mn::RBD);
    case StatusQuery::GpsStatus:
        return QueryCmd(mn::GPS);
    case StatusQuery::GpsRead:
        return QueryCmd(mn::RGP);
    case StatusQuery::GpsLastCal:
        return QueryCmd(mn::LGC);
    case StatusQuery::SampleSDI12:
        return BulkQueryCmd(extended ? mn::SMX : mn::SM);
    case StatusQuery::SampleInternal:
        return BulkQueryCmd(extended ? mn::IMX : mn::IM);
    }
    return {};
}

void StatusWindowController::Press(StatusQuery query) {
    sent_ = true;
    link_.QueueCommand(StatusQueryCommand(query, extended_));
}

void StatusWindowController::PacketHandler(const std::string& line) {
    if (!sent_) {
        return;
    }
    if (line == ">") {
        // The answer is complete: an empty line separates it from the next.
        memo_.AppendLine("");
        link_.ReleaseCurrentCommand();
        return;
    }
    memo_.AppendLine(line);
}

} // namespace tavin

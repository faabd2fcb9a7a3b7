// The handlers of the SDI-12 query and the internal sensor tests, which own
// the link while they run and write what comes back to their memos.

#include "link/TransmitterLink.h"
#include "protocol/ValueForms.h"
#include "support/StringRoutines.h"
#include "workflows/Supervision.h"
#include "workflows/SupervisionTexts.h"

namespace tavin {
namespace {

// The text after the first c, or the whole line when there is none.
std::string_view AfterFirstOrAll(std::string_view line, char c) {
    const auto at = line.find(c);
    return at == std::string_view::npos ? line : line.substr(at + 1);
}

} // namespace

void Supervision::InstallSDI12SensorQuery() {
    Install(PollHandler::SDI12SensorQueryHandler);
    InstallProcedure(PollProcedure::SDI12QueryPoll);
}

void Supervision::InstallInternalSensorTest() {
    Install(PollHandler::InternalSensorTestHandler);
    InstallProcedure(PollProcedure::InternalSensorDataPoll);
}

void Supervision::SDI12SensorQueryHandler(const std::string& line) {
    if (Contains(line, "TOT")) {
        return;
    }
    if (!Contains(line, "SM")) {
        host_.AppendSDI12Query(line);
        return;
    }
    if (Contains(line, "SM*")) {
        return;
    }
    if (Contains(AfterFirst(line, '='), kNeverSampledStamp)) {
        // A sensor that was never sampled: its mnemonic and the verdict.
        const std::string_view mnemonic =
            std::string_view(line).substr(0, line.find_first_of(">="));
        host_.AppendSDI12Query(std::string(mnemonic) + texts::kSensorNotEnabled);
    } else if (line != ">") {
        host_.AppendSDI12Query(line);
    }
}

void Supervision::InternalSensorTestHandler(const std::string& line) {
    auto labelled = [&](const char* label) {
        host_.AppendInternalSensorTest(label + std::string(AfterFirst(line, '=')));
    };
    if (Contains(line, "RBV=")) {
        labelled(texts::kBatteryVolts);
    } else if (Contains(line, "TBC=")) {
        labelled(texts::kBucketCount);
    } else if (Contains(line, "TBV=")) {
        labelled(texts::kBucketValue);
    } else if (TemperatureTestPressed && Contains(line, "TOT=")) {
        host_.AppendInternalSensorTest(texts::kTemperature + SplitWord(1, line, ">TO="));
    } else if (Contains(line, "IS") && !Contains(line, "IST") && !Contains(line, "IS*")) {
        host_.AppendInternalSensorTest(std::string(AfterFirstOrAll(line, '>')));
    } else if (Contains(line, "IM") && !Contains(line, "IM*")) {
        host_.AppendInternalSensorTest(std::string(AfterFirstOrAll(line, '>')));
    } else if (Contains(line, "EQT")) {
        host_.AppendInternalSensorTest(std::string(AfterFirst(line, '=')));
    }
}

} // namespace tavin

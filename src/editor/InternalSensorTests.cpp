#include "editor/InternalSensorTests.h"

#include "protocol/CommandLine.h"
#include "protocol/Vocabulary.h"
#include "protocol/XmtrConfig.h"

#include <algorithm>

namespace tavin {

const std::array<InternalTestQuery, 5>& InternalTestQueries() {
    static const std::array<InternalTestQuery, 5> queries = {{
        {"BtnInternalSampleRequest", "Next Sample", BulkQueryCmd(mn::IM)},
        {"BtnTippingBucketCount", "Bucket Count", QueryCmd(mn::TBC)},
        {"BtnTBValue", "Bucket Value", QueryCmd(mn::TBV)},
        {"BtnBatteryVolts", "Battery Voltage", QueryCmd(mn::RBV)},
        {"BtnInternalTemp", "Temperature", QueryCmd(mn::TOT)},
    }};
    return queries;
}

std::string BucketPresetCommand(int count) {
    return SetCmd(mn::TBC, {FormatInt(std::clamp(count, 0, 65535))});
}

std::string InternalSensorTestModeCommand(bool echo, bool collection) {
    return SetCmd(mn::IST, {FormatInt((echo ? 1 : 0) + (collection ? 2 : 0))});
}

std::optional<std::string> EquationTestCommand(const XmtrConfig& cfg, int currentRow) {
    for (int i = std::min(currentRow, kInternRows - 1); i >= 0; --i) {
        const std::string& type = cfg.Internal[i].Type;
        if (type.find('E') != std::string::npos) {
            return SetCmd(mn::EQT, {type});
        }
    }
    return std::nullopt;
}

} // namespace tavin

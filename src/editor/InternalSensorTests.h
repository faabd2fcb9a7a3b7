#pragma once
// The commands of the internal sensor test buttons on the "Internal Sensors"
// page. Their replies come back through the supervision's test handler.

#include <array>
#include <optional>
#include <string>

namespace tavin {

struct XmtrConfig;

// A button that queues one fixed query.
struct InternalTestQuery {
    const char* name; // objectName
    const char* caption;
    std::string command;
};
// "Next Sample", "Bucket Count", "Bucket Value", "Battery Voltage",
// "Temperature", in that order.
const std::array<InternalTestQuery, 5>& InternalTestQueries();

// "TBC=" and the preset count (0 to 65535).
std::string BucketPresetCommand(int count);
// "IST=" and 1 for echo plus 2 for collection.
std::string InternalSensorTestModeCommand(bool echo, bool collection);
// "EQT=" and the type of the nearest equation sensor at or above the
// current row of the internal sensor grid; nullopt when there is none.
std::optional<std::string> EquationTestCommand(const XmtrConfig& cfg, int currentRow);

} // namespace tavin

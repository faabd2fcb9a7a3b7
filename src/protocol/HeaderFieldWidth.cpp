#include "protocol/HeaderFieldWidth.h"

namespace tavin {
namespace {

struct WidthRow {
    int timedAscii;
    int randomAscii;
    int timedBinary;
    int randomBinary;
};

// By header field; field 0, the platform id string, is computed.
constexpr WidthRow kWidths[kHeaderFieldCount] = {
    {0, 0, 0, 0},   // 0 Platform ID (length of the platform id string)
    {0, 1, 1, 1},   // 1 Pseudo-Bin 1
    {0, 1, 1, 1},   // 2 Pseudo-Bin 2
    {3, 3, 2, 2},   // 3 Seq Num
    {5, 5, 1, 1},   // 4 Tx Batt Volts
    {5, 5, -2, -2}, // 5 Tx Fwd Pwr
    {5, 5, -2, -2}, // 6 Tx Ref Pwr
    {6, 6, -2, -2}, // 7 Tx Temp
    {10, 10, 4, 4}, // 8 Latitude
    {10, 10, 4, 4}, // 9 Longitude
    {0, 2, 0, 1},   // 10 Trigger Code (random messages only)
};

} // namespace

int GetHeaderFieldWidth(const XmtrConfig& cfg, int buffer, int kind) {
    if (kind < 0 || kind >= kHeaderFieldCount) {
        return 0;
    }
    if (kind == 0) {
        const std::string& pis = cfg.General.PlatformIdString;
        return pis == "." ? 0 : static_cast<int>(pis.size());
    }
    const bool random = buffer == kRandomBuffer;
    const bool binary = (random ? cfg.RandomTx.DataFormat : cfg.TimedTx.DataFormat) != 0;
    const WidthRow& w = kWidths[kind];
    if (binary) {
        return random ? w.randomBinary : w.timedBinary;
    }
    return random ? w.randomAscii : w.timedAscii;
}

} // namespace tavin

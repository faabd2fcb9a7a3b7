#include "datalog/ConfigLabels.h"

#include <algorithm>

namespace tavin {

void ApplyConfigLabels(const XmtrConfig& cfg, TLOG_REC& rec) {
    for (int i = 0; i < kSDI12Rows; ++i) {
        if (!cfg.SDI12[i].Label.empty()) {
            rec.SetSensorLabel(i, cfg.SDI12[i].Label);
        }
    }
    for (int i = 0; i < kInternRows; ++i) {
        if (!cfg.Internal[i].Label.empty()) {
            rec.SetSensorLabel(TLOG_REC::kInternalLabelBase + i, cfg.Internal[i].Label);
        }
    }
    rec.SetBucketMultiplier(cfg.TippingBucket.Multiplier);
    // "TBR=" takes 0 to 65535; 0 stands for 65536, as in the decoder.
    const std::int32_t rollOver = std::clamp<std::int32_t>(cfg.TippingBucket.RollOver, 0, 65535);
    rec.SetBucketRollover(static_cast<std::uint16_t>(rollOver));
}

} // namespace tavin

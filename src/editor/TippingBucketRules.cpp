#include "editor/TippingBucketRules.h"

#include "editor/SensorGridTexts.h"
#include "protocol/UtilityControl.h"
#include "protocol/XmtrConfig.h"

#include <algorithm>
#include <cctype>

namespace tavin {

namespace {

constexpr char kDaily[] = "Daily";
constexpr char kDays[] = "Days";
constexpr int kMaxDays = 120;
constexpr int kMaxHour = 23;
constexpr int kMaxRollOver = 65535;

bool SameWord(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

int FindEntry(const std::vector<std::string>& entries, const std::string& name) {
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (SameWord(entries[i], name)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

} // namespace

std::vector<std::string> TBResetEntries(const TUtilityControl& utility) {
    std::vector<std::string> entries;
    for (const char* name : kBucketResetNames) {
        if (std::string(name) != kDaily || utility.DailyBucketReset()) {
            entries.emplace_back(name);
        }
    }
    return entries;
}

TippingBucketView RefreshTippingBucketSetup(XmtrConfig& cfg, const TUtilityControl& utility) {
    TTippingBucket& tb = cfg.TippingBucket;
    TippingBucketView v;
    v.rollOver = std::clamp(tb.RollOver, 0, kMaxRollOver);
    v.multiplier = std::clamp(tb.Multiplier, 0, kBucketMultiplierCount - 1);
    v.resetEntries = TBResetEntries(utility);
    const int found = FindEntry(v.resetEntries, tb.ResetInterval);
    v.resetIndex = std::max(found, 0);
    tb.ResetInterval = v.resetEntries[v.resetIndex];
    // "Daily" counts hours, "Days" days ("0" days would go out as no
    // reset at all).
    struct NumberField {
        const char* kind;
        std::int32_t TTippingBucket::*value;
        int min;
        int max;
        const char* hint;
        const char* label;
    };
    static const NumberField kFields[] = {
        {kDaily, &TTippingBucket::ResetHour, 0, kMaxHour, texts::kTBDailyHint,
         texts::kTBDailyLabel},
        {kDays, &TTippingBucket::ResetDays, 1, kMaxDays, texts::kTBDaysHint, texts::kTBDaysLabel},
    };
    for (const NumberField& f : kFields) {
        if (tb.ResetInterval == f.kind) {
            tb.*f.value = std::clamp(tb.*f.value, f.min, f.max);
            v.numberShown = true;
            v.numberMin = f.min;
            v.numberMax = f.max;
            v.numberValue = tb.*f.value;
            v.numberHint = f.hint;
            v.numberLabel = f.label;
        }
    }
    return v;
}

void ChooseTBResetInterval(XmtrConfig& cfg, const TUtilityControl& utility,
                           const std::string& name) {
    const std::vector<std::string> entries = TBResetEntries(utility);
    const int found = FindEntry(entries, name);
    if (found >= 0) {
        cfg.TippingBucket.ResetInterval = entries[found];
        RefreshTippingBucketSetup(cfg, utility); // brings the number within its limits
    }
}

void SetTBResetNumber(XmtrConfig& cfg, int value) {
    TTippingBucket& tb = cfg.TippingBucket;
    if (tb.ResetInterval == kDaily) {
        tb.ResetHour = std::clamp(value, 0, kMaxHour);
    } else if (tb.ResetInterval == kDays) {
        tb.ResetDays = std::clamp(value, 1, kMaxDays);
    }
}

void SetTBRollOver(XmtrConfig& cfg, int value) {
    cfg.TippingBucket.RollOver = std::clamp(value, 0, kMaxRollOver);
}

void SetTBMultiplier(XmtrConfig& cfg, int index) {
    if (index >= 0 && index < kBucketMultiplierCount) {
        cfg.TippingBucket.Multiplier = index;
    }
}

} // namespace tavin

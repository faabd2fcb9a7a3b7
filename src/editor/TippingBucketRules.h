#pragma once
// The "Tipping Bucket Setup" group: roll-over, multiplier and when the
// counter resets. The number field means the UTC hour for "Daily" and the
// day count for "Days", and is hidden for the other reset kinds.

#include <string>
#include <vector>

namespace tavin {

struct XmtrConfig;
class TUtilityControl;

struct TippingBucketView {
    int rollOver = 0;
    int multiplier = 0;
    std::vector<std::string> resetEntries;
    int resetIndex = 0;
    bool numberShown = false;
    int numberMin = 0;
    int numberMax = 0;
    int numberValue = 0;
    std::string numberHint;
    std::string numberLabel;
};

// "None", "Daily" (with DailyBucketReset), "Days", "Monthly", ... "Annually".
std::vector<std::string> TBResetEntries(const TUtilityControl& utility);

// What the group shows. A reset kind the list does not offer becomes "None";
// a day count or hour outside the number field's limits is brought inside
// them, so that what is shown is what will be sent.
TippingBucketView RefreshTippingBucketSetup(XmtrConfig& cfg, const TUtilityControl& utility);

// A reset kind chosen from the list (ignored when it is not offered).
void ChooseTBResetInterval(XmtrConfig& cfg, const TUtilityControl& utility,
                           const std::string& name);
// The number field changed: the hour for "Daily", the day count for "Days".
void SetTBResetNumber(XmtrConfig& cfg, int value);
void SetTBRollOver(XmtrConfig& cfg, int value);
void SetTBMultiplier(XmtrConfig& cfg, int index);

} // namespace tavin

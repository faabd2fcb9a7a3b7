#pragma once
// The parts of applying the preferences to the main window that are rules
// rather than widgets: the timed interval field's form and the SDI-12
// addresses a transmitter without address characters cannot keep.

#include <string>

namespace tavin {

class TUtilityControl;
struct XmtrConfig;

struct TimedIntervalForm {
    bool withDays = false; // "dd:hh:mm:ss", else "hh:mm:ss"
    const char* hint = "";
    std::string text; // what the field shows now
};

// The interval field after the "AllowIntervalDays" preference: with days a
// shown interval of at most 10 characters gets "00:" in front; without, one
// of 9 or more characters is shown without its days part.
TimedIntervalForm TimedIntervalForPrefs(bool allowDays, const std::string& shown);

// Without "Allow SDI-12 Address Characters" every sensor whose address is
// not a digit loses its address and its marks; blank addresses become
// empty. Returns how many sensors were taken out.
int ClearLetterAddresses(XmtrConfig& config);

// The shape of a sensor grid after the feature switches (the widths follow
// from the columns shown).
struct SensorGridShape {
    int rows = 0; // rows offered; 0 = every row the grid has
    bool trigShown = false;
    bool scrollBar = false;
};
inline constexpr int kShortSensorRows = 10;
inline constexpr int kSDI12TrigColumn = 11;
inline constexpr int kInternTrigColumn = 8;

// `ExtendedTables` offers every row with a scroll bar; otherwise the ten
// rows fit without one, and the Trig column goes without `SensorTriggers`.
SensorGridShape SDI12GridShape(const TUtilityControl& switches);
SensorGridShape InternGridShape(const TUtilityControl& switches);

} // namespace tavin

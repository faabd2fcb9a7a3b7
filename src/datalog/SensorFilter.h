#pragma once
// The two sensor check lists of the data log window and the sensor lists of
// the log filter commands ("0-2,4,8-9"). The lists are plain data here; the
// window only shows them.

#include <string>
#include <string_view>
#include <vector>

namespace tavin {

struct SensorEntry {
    std::string text; // "3: SDI3"
    bool checked = false;
};

using SensorList = std::vector<SensorEntry>;

// Sensor numbers in the standard and the extended command set.
inline constexpr int kStandardSdi12Sensors = 10;
inline constexpr int kStandardInternalSensors = 5;
inline constexpr int kExtendedSensors = 64;

// Refills both lists: "0: SDI0" to "9: SDI9" and "0: INT0" to "4: INT4", or
// 64 entries each with the 4-character default labels ("10: SD10", "12: IN12").
void InitSensorLists(bool extended, SensorList& sdi12, SensorList& internal);

// Entry n shows the label: "n: label". An internal entry past the end of the
// list is appended instead (appendBeyond); otherwise a number past the end
// changes nothing.
void SetSensorEntryLabel(SensorList& list, int n, std::string_view label, bool appendBeyond);

bool AllChecked(const SensorList& list);
bool NoneChecked(const SensorList& list);
void CheckAll(SensorList& list, bool checked);

// The filter command for the ticked entries among the first `count`: prefix
// ("LFS=") followed by groups such as 0-2,4,8-9. A run of three or more is
// written with "-"; a pair is written "a,b", except at the very end, where it
// is "a-b".
std::string BuildSensorFilter(std::string_view prefix, const SensorList& list, int count);

// Ticks exactly the entries named by a sensor list ("0-3,5"); numbers past
// the end of the list and items that are not numbers are passed over.
void ApplyFilterList(std::string_view text, SensorList& list);

} // namespace tavin

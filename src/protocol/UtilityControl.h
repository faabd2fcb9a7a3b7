#pragma once
// The feature switches: which commands, columns, tabs and buttons apply to the
// connected transmitter, derived from its firmware version code and three
// preferences. The switches change only through SetVersionCode, which
// recomputes all of them and tells the listener what changed.

#include <bitset>
#include <cstdint>
#include <functional>
#include <string_view>

namespace tavin {

struct TGlbIni;

enum class UtilitySwitch {
    ExtendedTables,
    SensorTriggers,
    MinMaxAvgEnabled,
    EquationsEnabled,
    EquationLabels,
    EquationMathFunctions,
    VectorAverageEnabled,
    DailyBucketReset,
    ClockFormats,
    InternSensCodes,
    ConcurrentFlag,
    LoggerModeEnabled,
    SlashFillEnabled,
    TimeZoneEnabled,
    ProtectEnabled,
    LongSensorIntervals,
};
inline constexpr int kUtilitySwitchCount = 16;
using UtilitySwitchSet = std::bitset<kUtilitySwitchCount>;

// The version code of a firmware version: the number times 100 with the rest
// of the fraction dropped, worked out on the decimal digits (1.15 -> 115,
// 1.305 -> 130), never on a binary product that would make 1.15 into 114.
// A double is first turned into its shortest decimal text. Negative, not a
// number or too large gives 0.
int VersionCodeFromText(std::string_view version, bool* ok = nullptr);
int VersionCodeFromDouble(double version);

class TUtilityControl {
public:
    // Told after every recomputation: `changed` holds the switches whose value
    // changed (possibly none, when forced). Grids reshape from it.
    using ChangeHandler = std::function<void(const TUtilityControl&, UtilitySwitchSet changed)>;

    // Sets the version code and recomputes every switch, using the three
    // preferences "VectorAverage", "LabelsInEquations" and "ShowEnableLogger".
    // Does nothing when the code is unchanged unless forced. True when the
    // switches were recomputed.
    bool SetVersionCode(int code, const TGlbIni& ini, bool forced = false);

    void SetChangeHandler(ChangeHandler handler) { onChanged_ = std::move(handler); }

    int VersionCode() const { return code_; }
    bool Get(UtilitySwitch s) const { return switches_[static_cast<int>(s)]; }

    bool ExtendedTables() const { return Get(UtilitySwitch::ExtendedTables); }
    bool SensorTriggers() const { return Get(UtilitySwitch::SensorTriggers); }
    bool MinMaxAvgEnabled() const { return Get(UtilitySwitch::MinMaxAvgEnabled); }
    bool EquationsEnabled() const { return Get(UtilitySwitch::EquationsEnabled); }
    bool EquationLabels() const { return Get(UtilitySwitch::EquationLabels); }
    bool EquationMathFunctions() const { return Get(UtilitySwitch::EquationMathFunctions); }
    bool VectorAverageEnabled() const { return Get(UtilitySwitch::VectorAverageEnabled); }
    bool DailyBucketReset() const { return Get(UtilitySwitch::DailyBucketReset); }
    bool ClockFormats() const { return Get(UtilitySwitch::ClockFormats); }
    bool InternSensCodes() const { return Get(UtilitySwitch::InternSensCodes); }
    bool ConcurrentFlag() const { return Get(UtilitySwitch::ConcurrentFlag); }
    bool LoggerModeEnabled() const { return Get(UtilitySwitch::LoggerModeEnabled); }
    bool SlashFillEnabled() const { return Get(UtilitySwitch::SlashFillEnabled); }
    bool TimeZoneEnabled() const { return Get(UtilitySwitch::TimeZoneEnabled); }
    bool ProtectEnabled() const { return Get(UtilitySwitch::ProtectEnabled); }
    bool LongSensorIntervals() const { return Get(UtilitySwitch::LongSensorIntervals); }

private:
    void Set(UtilitySwitch s, bool on, UtilitySwitchSet& changed);

    int code_ = -1; // nothing set yet: the first SetVersionCode always recomputes
    UtilitySwitchSet switches_;
    ChangeHandler onChanged_;
};

} // namespace tavin

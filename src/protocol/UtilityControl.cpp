#include "protocol/UtilityControl.h"

#include "protocol/CommandLine.h"
#include "protocol/GlbIni.h"

#include <cmath>

namespace tavin {

int VersionCodeFromText(std::string_view version, bool* ok) {
    if (ok) {
        *ok = false;
    }
    const auto dot = version.find('.');
    const std::string_view whole = version.substr(0, dot);
    const std::string_view fraction =
        dot == std::string_view::npos ? std::string_view{} : version.substr(dot + 1);
    const auto allDigits = [](std::string_view t) {
        for (char c : t) {
            if (c < '0' || c > '9') {
                return false;
            }
        }
        return true;
    };
    if ((whole.empty() && fraction.empty()) || !allDigits(whole) || !allDigits(fraction)) {
        return 0;
    }
    long long code = 0;
    for (char c : whole) {
        code = code * 10 + (c - '0');
        if (code > 20'000'000) { // far beyond any firmware; keeps code*100 in an int
            return 0;
        }
    }
    // Two digits of the fraction count; the rest is dropped, never rounded.
    for (int i = 0; i < 2; ++i) {
        code = code * 10 + (i < static_cast<int>(fraction.size()) ? fraction[i] - '0' : 0);
    }
    if (ok) {
        *ok = true;
    }
    return static_cast<int>(code);
}

int VersionCodeFromDouble(double version) {
    if (!std::isfinite(version) || version < 0) {
        return 0;
    }
    // The shortest text that reads back as the same double is the decimal the
    // user typed (1.15), so the digits can be cut without a binary product.
    return VersionCodeFromText(FormatReal(version));
}

void TUtilityControl::Set(UtilitySwitch s, bool on, UtilitySwitchSet& changed) {
    const int i = static_cast<int>(s);
    if (switches_[i] != on) {
        changed.set(i);
    }
    switches_[i] = on;
}

bool TUtilityControl::SetVersionCode(int code, const TGlbIni& ini, bool forced) {
    if (code == code_ && !forced) {
        return false;
    }
    code_ = code;
    const int v = code;
    UtilitySwitchSet changed;
    using S = UtilitySwitch;
    Set(S::VectorAverageEnabled, v >= 151 && ini.VectorAverage, changed);
    Set(S::EquationLabels, v >= 151 && ini.LabelsInEquations, changed);
    Set(S::EquationsEnabled, v >= 130, changed);
    Set(S::MinMaxAvgEnabled, v >= 130, changed);
    Set(S::DailyBucketReset, v >= 153, changed);
    Set(S::ExtendedTables, v >= 130, changed);
    // The extended tables carry triggers, whatever the code says about them.
    Set(S::SensorTriggers, v >= 115 || ExtendedTables(), changed);
    Set(S::ClockFormats, v >= 132, changed);
    Set(S::InternSensCodes, v >= 115, changed);
    Set(S::ConcurrentFlag, v >= 115, changed);
    Set(S::LoggerModeEnabled, v >= 115 && ini.ShowEnableLogger, changed);
    Set(S::SlashFillEnabled, v >= 115, changed);
    Set(S::TimeZoneEnabled, v >= 130, changed);
    Set(S::EquationMathFunctions, v >= 151, changed);
    Set(S::ProtectEnabled, v >= 130, changed);
    Set(S::LongSensorIntervals, v >= 115, changed);
    if (onChanged_) {
        onChanged_(*this, changed);
    }
    return true;
}

} // namespace tavin

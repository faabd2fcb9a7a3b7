#include "files/PrefsApplyRules.h"

#include "protocol/UtilityControl.h"
#include "protocol/XmtrConfig.h"

namespace tavin {

TimedIntervalForm TimedIntervalForPrefs(bool allowDays, const std::string& shown) {
    TimedIntervalForm form;
    form.withDays = allowDays;
    form.text = shown;
    // An empty masked field shows only its separators: nothing to move.
    const bool empty = shown.find_first_of("0123456789") == std::string::npos;
    if (allowDays) {
        form.hint = "Enter Transmission Interval (dd:hh:mm:ss)";
        if (shown.size() <= 10 && !empty) {
            form.text = "00:" + shown;
        }
    } else {
        form.hint = "Enter Transmission Interval (hh:mm:ss)";
        const auto colon = shown.find(':');
        if (shown.size() >= 9 && colon != std::string::npos && !empty) {
            form.text = shown.substr(colon + 1);
        }
    }
    return form;
}

int ClearLetterAddresses(XmtrConfig& config) {
    int cleared = 0;
    for (TSDI12Row& row : config.SDI12) {
        if (row.Address.find_first_not_of(' ') == std::string::npos) {
            row.Address.clear();
            continue;
        }
        if (static_cast<unsigned char>(row.Address[0]) > '9') {
            row.Address.clear();
            row.Enabled = false;
            row.Append = false;
            ++cleared;
        }
    }
    return cleared;
}

SensorGridShape SDI12GridShape(const TUtilityControl& switches) {
    if (switches.ExtendedTables()) {
        return {0, true, true};
    }
    return {kShortSensorRows, switches.SensorTriggers(), false};
}

SensorGridShape InternGridShape(const TUtilityControl& switches) {
    if (switches.ExtendedTables()) {
        return {0, true, true};
    }
    return {0, switches.SensorTriggers(), false};
}

} // namespace tavin

#pragma once
// The local check: examines the configuration held in the editor without
// sending anything, stops at the first error and says where it is. The same
// sequence serves the template check.

#include "protocol/XmtrConfig.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace tavin {

class TUtilityControl;

// The first error found; all zero or empty when there is none. Control and
// page are object names of the main window (EditorNames.h); empty = none.
struct TConfigCheckError {
    std::uint8_t ErrorCode = 0;
    std::int32_t ErrorRow = 0;
    std::string ErrorControl;
    std::string ErrorPage;

    bool operator==(const TConfigCheckError&) const = default;
};

// Error codes (GetErrorString gives their texts).
enum : std::uint8_t {
    kErrNone = 0,
    kErrInvalidTime = 1,
    kErrInvalidInterval = 2,
    kErrInvalidOffset = 3,
    kErrInvalidData = 4,
    kErrTimedDisabled = 5,
    kErrRandomDisabled = 6,
    kErrInvalidSensor = 7,
    kErrInvalidType = 8,
    kErrInvalidParameter = 9,
    kErrWrongDataSource = 10,
    kErrInvalidValueCount = 11,
    kErrInvalidFieldWidth = 12,
    kErrZeroSlope = 13,
    kErrSensorsDisabled = 14,
};

// The editor fields the checks read, as the window shows them at the moment
// of the check (the tables are read from the model).
struct EditorValues {
    std::string PB1;                 // text of PB1
    std::string PB2;                 // text of PB2
    std::int32_t GpsTimeSync = 0;    // RzGPSTimeSync
    std::int32_t GpsTcxoCal = 0;     // RzGPSTCXOCal
    std::int32_t GpsOcxoCal = 0;     // RzGPSOCXOCal
    std::int32_t GpsSyncTimeout = 0; // RzGPSSyncCalTimeout
    std::string InvalidReplace;      // text of EdtInvalidReplace
    double TxPower100 = 0;           // RzSpinTxPwr100
    double TxPower300 = 0;           // RzSpinTxPwr300
    double TxPower1200 = 0;          // RzSpinTxPwr1200
    bool TimedChecked = false;       // cbTimed
    bool RandomChecked = false;      // cbRandom
    std::string TimedTxInterval;     // text of TimedTxInterval
    bool AdvancedSettings = false;
};

// The editor fields as the editor would show them for this model (the
// command-line tool checks files this way).
EditorValues EditorValuesFromModel(const XmtrConfig& cfg, bool advancedSettings);

// Runs every area check in order and returns the first error, or code 0.
TConfigCheckError CheckLocalSetup(const XmtrConfig& cfg, const EditorValues& ed,
                                  const TUtilityControl& utility);
// The template check runs exactly the same sequence.
inline TConfigCheckError ValidateUserTemplate(const XmtrConfig& cfg, const EditorValues& ed,
                                              const TUtilityControl& utility) {
    return CheckLocalSetup(cfg, ed, utility);
}

// The area checks: each leaves err alone when its area is valid (or when err
// already holds an error) and fills it on the first error it finds.
void CheckGeneralSetup(TConfigCheckError& err, const EditorValues& ed);
void CheckAdvancedSettings(TConfigCheckError& err, const EditorValues& ed);
void CheckTxParams(TConfigCheckError& err, const EditorValues& ed);
void CheckSDI12Sensors(TConfigCheckError& err, const XmtrConfig& cfg,
                       const TUtilityControl& utility);
void CheckInternalSensors(TConfigCheckError& err, const XmtrConfig& cfg,
                          const TUtilityControl& utility);
void CheckMinMaxAvgSensors(TConfigCheckError& err, const XmtrConfig& cfg,
                           const TUtilityControl& utility);
void CheckTimedDataParams(TConfigCheckError& err, const XmtrConfig& cfg, const EditorValues& ed,
                          const TUtilityControl& utility);
void CheckRandomTxParams(TConfigCheckError& err, const XmtrConfig& cfg, const EditorValues& ed);

// A sensor table's interval or offset text: "hh:mm:ss" within 12 hours, or
// with longTimes within 24 hours (even seconds from 12:00:00 on).
bool ValidTimeString(std::string_view text, bool longTimes, bool allowZero);

// The text of the error's code ("" for no error or an unknown code).
std::string GetErrorString(const TConfigCheckError& err);

// The grid column that navigation selects for an error on a grid control, or
// -1 when the control is not a grid.
int ErrorGridColumn(std::string_view control, std::uint8_t code);
// Whether the control is a plain edit that navigation focuses.
bool IsFocusableEditControl(std::string_view control);

} // namespace tavin

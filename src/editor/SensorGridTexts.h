#pragma once
// The sensor pages' own texts: headings, hints, list entries and messages.

namespace tavin::texts {

// Hints of the grids.
inline constexpr char kSDI12GridHint[] = "SDI-12 Configuration Grid";
inline constexpr char kInternSensGridHint[] = "Internal Sensor Configuration Grid";
inline constexpr char kMinMaxAvgGridHint[] = "Min Max Average Configuration Grid";
inline constexpr char kCheckToLog[] = "Check To Log";

// A time that breaks the 24-hour rule.
inline constexpr char kInvalidTimeToMuchTime[] = "Invalid Time - To Much Time";
inline constexpr char kInvalidTime[] = "Invalid Time";

// What an edit refuses, in our own words.
inline constexpr char kBadLabel[] =
    "A label may not hold commas, control characters or characters outside ASCII";
inline constexpr char kBadEquation[] =
    "An equation must be one line of ASCII text without control characters";
inline constexpr char kSDI12TableFull[] =
    "Every SDI-12 row is in use: delete a sensor before inserting one";
inline constexpr char kInternTableFull[] =
    "Every internal sensor row is in use: set a row to \"None\" before inserting one";

// Trigger names, by the trigger flags 0 to 3.
inline constexpr const char* kTrigNames[] = {"None", "High", "Low", "H/L"};

// Internal sensor types by name.
inline constexpr char kTypeNone[] = "None";
inline constexpr char kTypeTemp[] = "Temp";
inline constexpr char kTypeCount[] = "Count";
inline constexpr char kTypeValue[] = "Value";
inline constexpr char kTypeBattery[] = "Battery";
inline constexpr char kTypeClock[] = "Clock";
inline constexpr char kTypeEquation[] = "EQN";

// The second column of the min/max/average sensor list.
inline constexpr char kSensorSDI12[] = "SDI-12 : ";
inline constexpr char kSensorInternal[] = "Internal : ";

// Tipping bucket.
inline constexpr char kTBRollOverHint[] = "Roll Over value of Tipping Bucket (0 for 65536)";
inline constexpr char kTBMultiplierHint[] =
    "Mulitiplier used to convert tipping bucket count to value";
inline constexpr char kTBResetHint[] = "Determine when to Reset the Tipping Bucket Counter";
inline constexpr char kTBDailyHint[] = "Hour of Day to Reset Tipping Bucket - UTC";
inline constexpr char kTBDailyLabel[] = "Reset Hour(UTC)";
inline constexpr char kTBDaysHint[] = "Number of Days between Tipping Bucket Reset";
inline constexpr char kTBDaysLabel[] = "Days";

// Internal sensor tests.
inline constexpr char kEquationNotFound[] = "Equation Not Found";
inline constexpr char kEnableSensorTestHint[] = "Enables Testing of Internal Sensors";

} // namespace tavin::texts

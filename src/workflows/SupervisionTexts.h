#pragma once
// The texts of link supervision, byte for byte.

namespace tavin::texts {

// The status pane: "COM" + number, "COM None", and " No TAVIN" after the
// number when the transmitter has gone silent in Monitor mode.
inline constexpr char kNoTavin[] = " No TAVIN";
inline constexpr char kPlatformIdNoTavin[] = "Platform ID : No TAVIN";
inline constexpr char kCommTimedOut[] = "COMMUNICATION TIMED OUT";
inline constexpr char kManualUTCNotAvailable[] =
    "Manual UTC Correction not Availible.\rSupported in TAVIN Version 1.12 and Higher.";

// Hints
inline constexpr char kSDI12GridHint[] = "SDI-12 Configuration Grid";
inline constexpr char kMeasurementHint[] = "Measurement 0..9,T,B";

// Lines the query handlers write to their memos.
inline constexpr char kSensorNotEnabled[] = " : Not Enabled";
inline constexpr char kBatteryVolts[] = "Battery Volts : ";
inline constexpr char kBucketCount[] = "Bucket Count : ";
inline constexpr char kBucketValue[] = "Bucket Value : ";
inline constexpr char kTemperature[] = "Temperature : ";

} // namespace tavin::texts

#pragma once
// The service windows' own words: captions, messages and the labels of the
// calibration status box, kept byte for byte as the transmitter's users know
// them (spelling included).

namespace tavin::texts {

// Direct control and SDI-12 terminal.
inline constexpr char kSdiPrefix[] = "SDI=";
inline constexpr char kEnterSdiAddress[] = "Enter an SDI-12 Address";

// Test window.
inline constexpr char kOcxoNotOn[] =
    "OCXO NOT ON!\rTurn on for approximatly 90 seconds for proper communication";
inline constexpr char kOcxoFailed[] =
    "Failed To Turn On OCXO!\rTAVIN must be Disabled to Turn On OCXO";
inline constexpr char kFailSafeFailed[] =
    "Fail-Safe Reset Failed!\rValid on TAVIN Version 1.12 and Higher\ror TAVIN has been "
    "enabled.\rPower down TAVIN to reset.";
inline constexpr char kChannelRange1200[] = "Channel Number out of Range for 1200BPS";

// Calibration window.
inline constexpr char kStartCalibrationAsk[] =
    "Starting a Calibration will disable the TAVIN\rDo you want to continue?";
inline constexpr char kForceFixAsk[] =
    "Forcing a Time && Position Fix will disable the TAVIN\rDo you want to continue?";
inline constexpr char kCommLostCalibration[] =
    "Communication To TAVIN Lost\rCalibration Status Unknown";
inline constexpr char kCalibratingWait[] = "Calibrating TAVIN, Please Wait";
inline constexpr char kCalibrationStatus[] = "Calibration Status";
inline constexpr char kForcingGpsFix[] = "Forcing GPS Fix";
inline constexpr char kStateLabel[] = "State :";
inline constexpr char kOcxoLabel[] = "OCXO :";
inline constexpr char kTcxoLabel[] = "TCXO :";
inline constexpr char kAbort[] = "ABORT";
inline constexpr char kNotActive[] = "Not Active";
inline constexpr char kGcsAbort[] = "ABORT";

} // namespace tavin::texts

#pragma once
// The transmitter's status and sample replies: the keyword lines of "RST?",
// "LTS", "GPS?", "RGP?" and "LGC?", and the next-sample and row lines of the
// SDI-12 and internal sensor tables. They fill a plain status view, which the
// information panel of the main window (or the command-line tool) shows, and
// the firmware version line sets the firmware level that drives the feature
// switches. Nothing here touches the configuration.
//
// Every parser acts only on lines it recognises and returns whether it did;
// a line of the wrong form changes nothing.

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tavin {

struct TGlbIni;
class TUtilityControl;

inline constexpr int kSampleRows = 64;
// Rows the sample grids show without the extended tables.
inline constexpr int kShortSDI12SampleRows = 10;
inline constexpr int kShortInternSampleRows = 5;

// The system's own texts of the status panel.
inline constexpr std::string_view kNotAvailableText = " Not Available";
inline constexpr std::string_view kNoTransmissionText = " No Transmission";
inline constexpr std::string_view kNoMeasurementText = " No Measurement";
inline constexpr std::string_view kNoFixText = "No Fix";
inline constexpr std::string_view kNotPerformedText = "Not Performed Since Power Up";
inline constexpr std::string_view kNotEnabledText = "Not Enabled";
inline constexpr std::string_view kNotScheduledText = "Not Scheduled";
inline constexpr std::string_view kSampleDots = "...................................";
inline constexpr std::string_view kNeverSampledStamp = "00/00/0000,00:00:00";
inline constexpr std::string_view kPlatformIdCaption = "Platform ID";
inline constexpr std::string_view kPlatformIdPrefix = "Platform ID : ";

// One row of a sample grid (display row n + 1 for sensor row n; display row 0
// holds the column titles): "n:", the label, the dots, the next sample time.
struct TSampleGridRow {
    std::string Number;
    std::string Label;
    std::string Dots;
    std::string NextSample;

    bool operator==(const TSampleGridRow&) const = default;
};

struct TSampleGrid {
    std::array<TSampleGridRow, kSampleRows> Rows{};
    // The row is configured in the transmitter and therefore sampled; set
    // from the row lines ("SS3=...", "ISX=3,...") that arrive while
    // monitoring. A row that is not shows "Not Enabled" whatever time it has.
    std::array<bool, kSampleRows> Sampled{};
    int RowCount = kSampleRows; // rows the grid shows
    bool ScrollBar = true;

    bool operator==(const TSampleGrid&) const = default;
};

// What the information panel shows. Field texts are shown as they are (the
// values of keyword lines keep their leading blank).
struct TAVINStatusView {
    // "TAVIN Information"
    std::string FirmwareVersion;  // FirmwareVersions:
    std::string SerialNumber;     // SerialNumber:
    std::string TransmitterState; // the state text, then ", " and the GPS text
    std::string TimeToNextTx;     // TimeToNextTx:
    std::string TimedBufferSize;  // TimedBufferSize:
    std::string NextTimedTx;      // NextTimedTx:
    std::string RandomBufferSize; // RandomBufferSize:
    std::string RandomBufferTxs;  // RandomBufferTxs:
    std::string NextRandomTx;     // NextRandomTx:
    std::string Failsafe;         // Failsafe:
    std::string GpsCalStatus;     // LblFldGPSCalStatus: " " + the GCS= text
    std::string ClockStatus;      // the clock's time status (TIM= replies)
    std::string ClockDateStatus;  // the clock's date status (DAT= replies)

    // "Last Transmission"
    std::string TxType;
    std::string TxStatus;
    std::string TxTime;
    std::string FwdPwr;
    std::string RevPwr;
    std::string TxVSWR;
    std::string TxVolts;

    // "GPS Status"
    std::string GpsStatus;   // GPS=
    std::string TimeOfFix;   // TOF:
    std::string Latitude;    // Lat:
    std::string Longitude;   // Lng:
    std::string Altitude;    // Alt:
    std::string GpsTimeCal;  // Time:
    std::string LastOcxoCal; // OCXO:
    std::string LastTcxoCal; // TCXO:

    // Remembered texts, combined into the state field.
    std::string StateText; // TransmitterState:
    std::string GpsText;   // GPS= in the status report; emptied by a valid clock time

    // "Next SDI-12 Sensor Sample" and "Next Internal Sensor Sample".
    TSampleGrid SDI12Samples;
    TSampleGrid InternSamples;

    // Caption of the group gbTAVINInfo.
    std::string PlatformIdCaption{kPlatformIdCaption};

    // The level of the last firmware version reported; -1 = none yet.
    int FirmwareLevel = -1;

    bool operator==(const TAVINStatusView&) const = default;
};

// What the status parsers read besides the view, and the side effects of the
// status report. Every member may be left empty.
struct StatusParseContext {
    // The feature switches the firmware level sets, with the preferences
    // they also depend on (defaults when none).
    TUtilityControl* Utility = nullptr;
    const TGlbIni* Ini = nullptr;
    // The port, for the communication status pane ("COM3 S/N: 1234").
    bool PortOpen = false;
    int PortNumber = 0;
    std::function<void(const std::string& text)> ShowCommStatus;
    // The firmware level changed (and the switches with it): the editor
    // pages are refreshed and the operating mode is set up again.
    std::function<void(int level)> FirmwareLevelChanged;
};

// The firmware level of the value of a "FirmwareVersions:" line: its first
// word (split at " ", "M" and ","), when that is made of digits and ".", as
// the version times 100 with the fraction cut, worked out on the digits
// (1.15 -> 115, 1.305 -> 130). nullopt when there is no such word.
std::optional<int> FirmwareLevelOf(std::string_view firmwareValue);
// Sets the level into the feature switches (recomputing them); true when it
// changed.
bool ApplyFirmwareLevel(int level, TUtilityControl& utility, const TGlbIni& ini);

// The status report of "RST?": FirmwareVersions:, SerialNumber:,
// TransmitterState:, GPS=, TimeToNextTx:, TimedBufferSize:, NextTimedTx:,
// RandomBufferSize:, RandomBufferTxs:, NextRandomTx:, Failsafe:.
bool ParseReadStatusInfo(std::string_view line, TAVINStatusView& view, StatusParseContext& ctx);
// "LTS": TxType:, TxStatus:, TxTime:, FwdPwr:, RevPwr:, TxVSWR:, TxVolts:.
bool ParseLastTxStatus(std::string_view line, TAVINStatusView& view);
// "GPS=".
bool ParseGPSStatus(std::string_view line, TAVINStatusView& view);
// "RGP?": TOF:, Lat:, Lng:, Alt:.
bool ParseReadOfGPS(std::string_view line, TAVINStatusView& view);
// "LGC?": Time:, OCXO:, TCXO: anywhere in the line.
bool ParseGPSLastCalibration(std::string_view line, TAVINStatusView& view);
// Sample lines (SMX, SM), label lines (SLX, SL) and row lines (SSX, SS) of
// the SDI-12 table.
bool ParseSDI12Sample(std::string_view line, TAVINStatusView& view);
// The same for the internal sensors (IMX, IM, ILX, IL, ISX, IS).
bool ParseInternSensSample(std::string_view line, TAVINStatusView& view);

// A valid clock time arrived: the remembered GPS text is dropped (it is
// shown with the next state line).
void ClearRememberedGpsText(TAVINStatusView& view);

// Empties every value field; the sample grids get 64 rows with a scroll bar
// with the extended tables, else 10 (SDI-12) and 5 (internal) rows without,
// and every row i shows "i:", the default label of row i, the dots and
// "Not Enabled". The sample flags, the remembered texts and the caption stay.
void ClearStatusInformation(TAVINStatusView& view, bool extendedTables);

} // namespace tavin

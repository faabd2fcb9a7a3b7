#pragma once
// The utility's in-memory copy of one transmitter configuration. Plain data:
// the reply parsers write into it, the builders read from it, the files are
// made from it and the editor shows it. Texts are single-byte strings; times
// and intervals are kept as the texts the commands carry. A one-character
// field holds '\0' when it is empty.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace tavin {

struct TGlbIni;

inline constexpr int kTimedDataRows = 100;
inline constexpr int kRandomDataRows = 40;
inline constexpr int kSDI12Rows = 64;
inline constexpr int kInternRows = 64;
inline constexpr int kMinMaxAvgRows = 64;
inline constexpr int kRandomTriggerRows = 30;
inline constexpr int kArgosDataPackSize = 48;
inline constexpr int kOpFlagCount = 8;

// The fewest rows the counted tables report.
inline constexpr int kMinSDI12Count = 10;
inline constexpr int kMinInternCount = 5;

// Transmission modes (the mode byte of TTAVINTXType).
inline constexpr int kTxModeGoes = 1;
inline constexpr int kTxModeArgos = 2;
inline constexpr int kTxModeArgosScd = 3;

inline constexpr const char* kClearedTime = "00:00:00";
inline constexpr const char* kClearedTimedInterval = "00:00:00:00";

using OpFlagSet = std::array<bool, kOpFlagCount>;

// Bit values of TSDI12Row::Trig and TInternSensor::Trig.
inline constexpr std::uint8_t kTrigHigh = 1;
inline constexpr std::uint8_t kTrigLow = 2;
// Bit values of TDataFormatRow::StatFlags.
inline constexpr std::uint8_t kStatMin = 1;
inline constexpr std::uint8_t kStatMax = 2;
inline constexpr std::uint8_t kStatAvg = 4;

struct TGeneralSettings {
    bool PowerUpEnable = false;       // PUE
    std::string PlatformIdString;     // PIS, 0 to 40 characters; "." on the wire when empty
    char PseudoBinaryHeader1 = '@';   // PB1
    char PseudoBinaryHeader2 = '@';   // PB2
    char InvalidReplaceChar = '\0';   // IRC; "$" in a new template and when the editor starts
    double TxPower100 = 0.0;          // TXP value 1, watts, 0.0 to 99.9
    double TxPower300 = 0.0;          // TXP value 2
    double TxPower1200 = 0.0;         // TXP value 3
    std::int32_t TimeZoneOffset = 0;  // TZN, hours, -12 to 12
    bool SlashForNull = false;        // SFL
    bool LoggerMode = false;          // LGM; off at start, not cleared
    std::int32_t GpsTimeSync = 0;     // GTS, 0 to 999
    std::int32_t GpsTcxoCal = 90;     // GTC, days, 0 to 99
    std::int32_t GpsOcxoCal = 30;     // GOC, days, 0 to 99
    std::int32_t GpsSyncTimeout = 15; // GTO, minutes, 15 to 30

    bool operator==(const TGeneralSettings&) const = default;
};

struct TTimedTxParams {
    bool Modified = false;                        // the editor holds changes not yet copied back
    std::int32_t Channel = 0;                     // TCH value 1; 0 = no timed transmission
    std::string Interval = kClearedTimedInterval; // TTI, "dd:hh:mm:ss" or "hh:mm:ss"
    std::string FirstTx = kClearedTime;           // FTT, "hh:mm:ss"
    std::int32_t WindowLength = 30;               // TWL, seconds, 5 to 240
    std::uint8_t BitRate = 0;     // TCH value 2: 0 "100", 1 "300", 2 "1200", 3 "4800" (never sent)
    std::uint8_t Interleaver = 0; // TIL: "None", "Short", "Long"
    std::uint8_t DataFormat = 0;  // TDF: "ASCII", "Pseudo", "Binary"
    std::uint8_t Preamble = 0;    // TPR: "Short", "Long"
    std::uint8_t DataSource = 0;  // TDS: "RS-232", "Sensor"
    std::uint8_t DataOrder = 0;   // TDO: "Newest", "Oldest"
    OpFlagSet OpFlags{};          // TOF, flag i = bit i

    bool operator==(const TTimedTxParams&) const = default;
};

struct TRandomTxParams {
    bool Modified = false;
    std::int32_t Channel = 0;     // RCH value 1 in GOES mode; 0 = no random transmission
    std::int32_t Interval = 15;   // RIN in GOES mode, minutes, 5 to 99
    std::int32_t Percent = 50;    // RPC in GOES mode, 5 to 99
    std::int32_t RepeatCount = 3; // RRC, 0 to 99
    std::uint8_t BitRate = 0;     // RCH value 2: 0 "100", 1 "300", 2 "1200", 3 "400" (ARGOS)
    std::uint8_t Interleaver = 0; // RIL: "None", "Short", "Long"
    std::uint8_t DataFormat = 0;  // RDF: "ASCII", "PSEUDO", "BINARY"
    std::uint8_t DataSource = 0;  // RDS: "RS-232", "Sensor"
    std::uint8_t DataOrder = 0;   // RDO: "Newest", "Oldest"
    OpFlagSet OpFlags{};          // ROF
    bool ArgosEnabled = false;    // ARG
    bool ScdEnabled = false;      // SCD
    std::string ArgosChannel;     // RCH value 1 in ARGOS mode ("D17+S55")
    std::array<std::uint8_t, kArgosDataPackSize> ArgosDataPack{}; // ADP; a 0 entry ends it
    std::int32_t ArgosInterval = 0;                               // RIN in ARGOS mode
    std::int32_t ArgosRepeatCount = 0;                            // RRC in ARGOS mode
    double ArgosTxPower = 4.0; // TXP value 4, 0.0 to 4.0; not cleared

    bool operator==(const TRandomTxParams&) const = default;
};

struct TDataFormatRow {
    char SourceType = 'C';        // "C" free, "H" header, "T" text, "S" SDI-12, "I" internal
    std::uint8_t SourceIndex = 0; // sensor row or header field number
    std::uint8_t ValueCount = 0;  // values of the sensor in the message; 1 for a header
    std::uint8_t StatFlags = 0;   // kStatMin | kStatMax | kStatAvg (letters N, X, G)
    std::int32_t FieldWidth = 0;
    std::string Flags; // record format flag letters, order C, L, B|X, S, R, N, Z
    double Slope = 0.0;
    double Offset = 0.0;
    std::string Text; // literal text of a "T" row; at most 10 characters are sent

    bool IsFree() const { return SourceType == 'C' || SourceType == '\0'; }

    bool operator==(const TDataFormatRow&) const = default;
};

// What the editor starts with, and a new template gets.
inline constexpr char kInitialInvalidReplaceChar = '$';
inline constexpr const char* kInitialArgosChannel = "D17+S55";

// The meanings of the operation flags, flag i = bit i.
extern const std::array<const char*, kOpFlagCount> kTimedOpFlagNames;
extern const std::array<const char*, kOpFlagCount> kRandomOpFlagNames;

// Header fields of a data format row, by SourceIndex.
inline constexpr int kHeaderFieldCount = 11;
extern const std::array<const char*, kHeaderFieldCount> kHeaderFieldNames;

struct TSDI12Row {
    bool Enabled = false;          // the row may be edited
    bool Append = false;           // takes a further value of the row above ("&" form)
    std::string Label;             // at most 4 characters are sent
    std::string Address;           // one character; empty = row not defined
    std::string Measurement = "0"; // digits, or "T" or "B"
    bool Concurrent = false;       // written "C" before the measurement number
    std::int32_t Value = 1;        // value number within the measurement's response
    std::string Interval = kClearedTime;
    std::string Offset = kClearedTime;
    std::int32_t LogRate = 1; // a negative rate is sent as 1
    bool Delta = false;       // written "D" in place of the log rate
    std::uint8_t Trig = 0;    // kTrigHigh | kTrigLow

    bool IsDefined() const { return !Address.empty() || Append; }

    bool operator==(const TSDI12Row&) const = default;
};

struct TInternSensor {
    std::string Label;
    std::string Type = "C"; // "C", "TM", "TC", "TV", "BV", "CL", "E"+n, or "1".."3"
    std::string Interval = kClearedTime;
    std::string Offset = kClearedTime;
    std::string TimeFormat; // for a "CL" sensor, written in place of the log rate
    std::int32_t LogRate = 1;
    bool Delta = false;
    std::uint8_t Trig = 0;

    bool IsDefined() const { return !Type.empty() && Type != "C"; }

    bool operator==(const TInternSensor&) const = default;
};

// The 33 time format codes of a clock sensor.
inline constexpr int kTimeFormatCount = 33;
extern const std::array<const char*, kTimeFormatCount> kTimeFormatCodes;

struct TTippingBucket {
    std::int32_t RollOver = 0;       // TBR, 0 to 65535 (0 means 65536)
    std::int32_t Multiplier = 1;     // TBM, index into kBucketMultiplierTexts
    std::string ResetInterval = "0"; // TBA: "None", "Daily", "Days", "Monthly", ...
    std::int32_t ResetDays = 0;      // with "Days", 1 to 120
    std::int32_t ResetHour = 0;      // with "Daily", UTC hour 0 to 23

    bool operator==(const TTippingBucket&) const = default;
};

// The reset intervals of the tipping bucket, as TTippingBucket::ResetInterval holds them.
inline constexpr int kBucketResetCount = 7;
extern const std::array<const char*, kBucketResetCount> kBucketResetNames;

inline constexpr int kBucketMultiplierCount = 12;
extern const std::array<const char*, kBucketMultiplierCount> kBucketMultiplierTexts;
extern const std::array<double, kBucketMultiplierCount> kBucketMultiplierValues;

struct TSensorMMA {
    char SourceType = 'C'; // "C" free, "S" SDI-12 row, "I" internal row
    std::int32_t SourceIndex = 0;
    std::string Interval = kClearedTime;
    std::string Offset = kClearedTime;
    bool Min = false; // N
    bool Max = false; // X
    bool Avg = false; // G
    bool Vec = false; // V

    bool IsFree() const { return SourceType == 'C' || SourceType == '\0'; }

    bool operator==(const TSensorMMA&) const = default;
};

struct TRandomTrigger {
    char SensorType = '\0'; // "S" SDI-12, "I" internal, '\0' none
    std::uint8_t SensorIndex = 0;
    char TriggerType = 'C'; // "A" "D" "F" "H" "I" "L" "R"; "C" none
    double Limit = 0.0;

    bool IsFree() const { return TriggerType == 'C' || TriggerType == '\0'; }

    bool operator==(const TRandomTrigger&) const = default;
};

// "SDI0".."SDI9", then "SD10".."SD63": every default label has four characters.
std::string DefaultSDI12Label(int row);
// "INT0".."INT9", then "IN10".."IN63".
std::string DefaultInternLabel(int row);

struct XmtrConfig {
    std::string PlatformIdGoes;  // NID, up to 8 hexadecimal digits
    std::string PlatformIdArgos; // AID
    bool TimedEnabled = false;
    bool RandomEnabled = false;
    // Whether SDI-12 and internal sensors are in use; start as the preferences
    // "SDI12Visible" and "InternalTabVisible", and switch on with a received row.
    bool SDI12Present = true;
    bool InternalPresent = true;
    std::int32_t SensorCountSDI12 = kMinSDI12Count;     // SSN as reported, at least 10
    std::int32_t SensorCountInternal = kMinInternCount; // ISN as reported, at least 5

    TGeneralSettings General;
    TTimedTxParams TimedTx;
    TRandomTxParams RandomTx;
    std::array<TDataFormatRow, kTimedDataRows> TimedData{};
    std::array<TDataFormatRow, kRandomDataRows> RandomData{};
    std::array<TSDI12Row, kSDI12Rows> SDI12{};
    std::array<TInternSensor, kInternRows> Internal{};
    TTippingBucket TippingBucket;
    std::array<TSensorMMA, kMinMaxAvgRows> MinMaxAvg{};
    std::array<TRandomTrigger, kRandomTriggerRows> RandomTriggers{};
    std::vector<std::string> Equations; // entry n is equation n

    // A new model: ARGOS and SCD off, ARGOS power 4.0, every section cleared.
    XmtrConfig();

    // Section clearings, each to its cleared state. The general-settings
    // clearing also sets ArgosEnabled from "ARGOS_SCD" and ScdEnabled from
    // "SCD" (off without "ARGOS_SCD"); the caller re-derives the mode.
    void ClearGeneralSettings(const TGlbIni& ini);
    void ClearTimed();
    void ClearRandom();
    void ClearEquations();
    void ClearSDI12();
    void ClearInternal(); // rows, labels and the tipping bucket
    void ClearMinMaxAvg();
    void ClearTimedData();
    void ClearRandomData();
    void ClearRandomTriggers();
    // Every section above.
    void ClearAll(const TGlbIni& ini);
    // SDI12Present and InternalPresent back to their preferences.
    void InitPresence(const TGlbIni& ini);

    // Rows counted from row 0 up to the first undefined row, with the minimums.
    int DefinedSDI12Count() const;                   // at least 10
    int DefinedInternSensCount() const;              // at least 5
    int DefinedMinMaxAvgCount() const;               // at least 1
    int DefinedTimedDataCount(bool argosMode) const; // at least 1; 1 in ARGOS mode
    int DefinedRandomDataCount() const;              // at least 1
    int DefinedRandomTriggerCount() const;           // at least 1

    // 1 GOES, 2 ARGOS, 3 ARGOS & SCD, from ArgosEnabled and ScdEnabled.
    int DerivedTxMode() const;
    // After a load: TimedEnabled on when the timed channel is above 0,
    // RandomEnabled when the random channel is, or in ARGOS mode when the
    // ARGOS channel is set. Never switches either off.
    void DeriveEnabledAfterLoad(bool argosMode);

    bool operator==(const XmtrConfig&) const = default;
};

} // namespace tavin

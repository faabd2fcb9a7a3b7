#pragma once
// The decoder of the transmitter's binary log records. The log travels as hex
// text; one TLOG_REC turns the text of one record into a LogRecord and renders
// a LogRecord as the line the data log window shows. It keeps the state the
// record stream relies on: the running time that compressed times are added
// to, and the format code last seen for each slot, which later records of the
// same slot may omit.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tavin {

// LogRecord::type
enum LogRecordType : std::uint8_t {
    kLogEvent = 64,
    kLogSdi12Sample = 65,
    kLogInternalSample = 66,
    kLogMinimum = 67,
    kLogMaximum = 68,
    kLogAverage = 69,
    kLogNoRecord = 255,
};

// Event numbers.
enum LogEvent : std::uint8_t {
    kEventStx = 1,  // start of a transmission
    kEventEtx = 2,  // end of a transmission, with its detail
    kEventSync = 3, // time synchronisation
    kEventTcxo = 4, // TCXO calibration
    kEventOcxo = 5, // OCXO calibration
};

struct LogRecord {
    std::uint8_t type = kLogNoRecord;
    // Event number for events, sensor number for samples, sensor byte for
    // summaries (64 + n for SDI-12 sensor n, 128 + n for internal sensor n).
    std::uint8_t number = 255;
    std::uint32_t time = 0xFFFFFFFFu; // seconds since the base date
    std::uint8_t formatCode = 255;
    std::array<std::uint8_t, 4> value{255, 255, 255, 255}; // most significant first
};

struct LogDateTime {
    int year = 2000, month = 1, day = 1;
    int hour = 0, minute = 0, second = 0;
};

// What one decoding step found at the start of a hex text.
struct LogDecodeResult {
    std::uint8_t type = kLogNoRecord;
    int length = 1;       // bytes the record takes (1 for no record)
    bool complete = true; // every byte of the record was in the text
};

class TLOG_REC {
public:
    static constexpr int kLabelCount = 128; // 0-63 SDI-12, 64-127 internal
    static constexpr int kInternalLabelBase = 64;
    static constexpr int kFormatSlots = 200;
    static constexpr int kMaxRecordBytes = 11;
    static constexpr std::uint8_t kDefaultBucketMultiplier = 8; // multiplier 1

    TLOG_REC();

    // Stores the label left-justified, blank-padded and cut to 4 characters.
    // Indexes outside 0-127 are ignored.
    void SetSensorLabel(int index, std::string_view label);
    const std::string& SensorLabel(int index) const;
    // Index 0-11 into 0.01, 0.02, 0.025, 0.05, 0.1, 0.2, 0.25, 0.5, 1, 2, 2.5, 5;
    // other indexes are ignored.
    void SetBucketMultiplier(int index);
    int BucketMultiplier() const { return bucketMultiplierIndex; }
    // The roll-over count as "TBR=" gives it; 0 stands for 65536.
    void SetBucketRollover(std::uint16_t count) { bucketRollover = count; }
    std::uint32_t BucketRolloverCount() const {
        return bucketRollover == 0 ? 65536u : bucketRollover;
    }

    // Decodes the record at the start of the hex text (pairs of hex digits,
    // either case, at most 11 bytes; bytes past the text or past the first pair
    // that is not hex count as 255) into `current`, sets `recordLength` and
    // returns the record type, kLogNoRecord when there is no valid record.
    std::uint8_t DecodeHexRecord(std::string_view hex);
    // The same, but a record whose bytes are not all in the text changes
    // nothing (no running time, no format memory, no current record): the
    // caller waits for the rest of it. `complete` tells which happened.
    LogDecodeResult TryDecodeHexRecord(std::string_view hex);

    // Renders `record` (normally `current`). With a record counter of 0 the
    // line is appended to text; otherwise text is replaced by the counter and
    // the line.
    void FormatRecord(const LogRecord& record, std::string& text);
    void FormatRecord(std::string& text) { FormatRecord(current, text); }
    // The line alone.
    std::string RecordLine(const LogRecord& record);

    // The date and time of a record time.
    LogDateTime RecordDateTime(std::uint32_t seconds) const;
    // The other way: the seconds from the base date to a date and time
    // (negative before it).
    long long RecordSeconds(const LogDateTime& when) const;

    // Starts a new record stream: running time, format memory and current
    // record as when created; labels and tipping-bucket settings stay.
    void ResetStream();

    // State, as the data log logic reads and sets it.
    LogDateTime baseDate{};         // time zero of all record times
    LogRecord current{};            // the record last decoded or loaded
    std::int32_t recordCounter = 0; // printed in front of each line when not 0
    std::uint8_t recordLength = 0;  // bytes of the record last decoded
    std::array<std::uint8_t, kFormatSlots> formatMemory{}; // format code by slot
    std::uint32_t runningTime = 0;                         // time of the previous record
    LogDateTime lastRecordTime{};                          // date-time of the record last rendered

private:
    LogDecodeResult Decode(std::string_view hex, bool commitIncomplete);

    std::array<std::string, kLabelCount> labels;
    std::uint8_t bucketMultiplierIndex = kDefaultBucketMultiplier;
    std::uint16_t bucketRollover = 65535;
};

// Reads up to `count` bytes from consecutive hex pairs (either case) at the
// start of text into `bytes`; stops at the end of the text or at the first
// pair that is not hex. Returns the number of bytes read.
int ReadHexBytes(std::string_view text, std::uint8_t* bytes, int count);

// A record line of the extended filtered dump, where the transmitter sends
// each record expanded: type, number, 4 time bytes, format code and 4 value
// bytes, as hex pairs. Bytes the line does not hold are 255.
void DecodeExpandedLine(std::string_view line, LogRecord& record);

} // namespace tavin

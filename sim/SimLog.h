#pragma once
// The simulated transmitter's sensor log: it stores records in the
// transmitter's binary format, as the firmware writes them, and answers the
// log commands.
//
// Record format (written here independently of the utility's decoder):
//   header byte: bit 7 compressed time, bit 6 format byte omitted, bits 0-5
//     the code: 1-5 event number; 11/12/13 minimum/maximum/average and 14/15
//     SDI-12/internal sample, each followed by a sensor byte (summaries:
//     64 + n for SDI-12 sensor n, 128 + n for internal sensor n); 16 + n an
//     SDI-12 sample of sensor n < 32; 48 + n an internal sample of n < 16;
//   time: 4 bytes big-endian seconds since 01/01/2000, or, compressed, the
//     delta from the previous record: 1 byte 0x80 | delta (delta < 128) or 2
//     bytes (delta < 32768);
//   format byte, left out when the record's slot (event, SDI-12 sensor,
//     internal sensor, summary sensor) last carried the same code;
//   value: events 1 and 3 none, events 2, 4, 5 four bytes; samples and
//     summaries two bytes for codes 6, 7, 15 and codes with bit 3 set, else
//     four (IEEE single, most significant byte first).
//
// Answer() takes one command line as received (without its carriage return)
// and gives the reply lines for the log commands. It does not give the echo
// of the command nor the closing ">" prompt: the simulator core adds both
// around them. Replies:
//   "LHD?"  the log size in bytes as capital hex digits ("0" when empty),
//           then the log as lines of 16 bytes (32 hex digits), the last one
//           padded with "FF" (erased memory);
//   "LHF?"  the records that pass the filters, one per line, each with an
//           absolute time and its format byte; with the expanded form
//           (SetExpandedFilteredDump, extended firmware) each line is type
//           (64 event, 65 SDI-12, 66 internal, 67-69 min/max/avg), number
//           (event, sensor, or summary sensor byte), 4 time bytes, format,
//           4 value bytes (unused ones FF). "LHF=EMPTY" when none passes;
//   "LFB=mm/dd/yyyy,hh:mm:ss" records at or before, "LFA=..." at or after,
//   "LFT=D" data only, "LFT=E" events only, "LFS=list" and "LFI=list"
//           SDI-12 and internal sensors (items n or a-b, 0-63; a blank alone
//           selects none); "=*" removes a filter; "OK", or "ERR" for a value
//           of the wrong form. The sensor lists apply to samples and
//           summaries of their kind; events pass them;
//   "LF*"   removes all filters, "OK";
//   "LFD"   "Before: mm/dd/yy,hh:mm:ss" or "Before: *", "After: ...",
//           "Type: Data", "Type: Event" or "Type: *", "SDI-12: list" or
//           "SDI-12: *", "Intern: list" or "Intern: *";
//   "LOG=CLEAR"  erases the log, "OK".
// Any other line is not a log command: Answer returns no value.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavin::sim {

class SimLog {
public:
    enum class Kind { Event, Sdi12, Internal, Minimum, Maximum, Average };

    SimLog() { Clear(); }

    struct Entry {
        Kind kind = Kind::Event;
        int number = 1;              // event number, or sensor number 0-63
        bool internalSensor = false; // summaries: an internal sensor's
        std::uint32_t time = 0;      // seconds since 01/01/2000
        std::uint8_t format = 0;
        std::array<std::uint8_t, 4> value{255, 255, 255, 255}; // unused bytes 255
    };

    // Stores a record; false (nothing stored) for an event number outside
    // 1-5 or a sensor outside 0-63.
    bool Add(Entry entry);
    // Shorthands for the kinds of record.
    bool AddSample(Kind kind, int sensor, std::uint32_t time, std::uint8_t format,
                   std::array<std::uint8_t, 4> value);
    bool AddSummary(Kind kind, bool internalSensor, int sensor, std::uint32_t time,
                    std::uint8_t format, std::array<std::uint8_t, 4> value);
    // Start of a transmission; kind 0 test, 1 timed, 2 random.
    bool AddStx(std::uint32_t time, int kind);
    // End of a transmission: failure 0 none, 1 fail-safe, 2 power, 3 sync;
    // the three fields in tenths (the last may be kNotMeasured).
    static constexpr int kNotMeasured = 0x800;
    bool AddEtx(std::uint32_t time, int kind, int failure, int firstTenths, int secondTenths,
                int thirdTenths);
    bool AddSync(std::uint32_t time);
    bool AddCalibration(int event, std::uint32_t time, std::uint8_t format, float ppm);

    // A day's worth of typical records per day from `start`: SDI-12 and
    // internal samples every 15 minutes, hourly summaries, a timed
    // transmission every three hours, a daily time sync and calibration.
    void AddTypicalDays(std::uint32_t start, int days);

    // Value bytes.
    static std::array<std::uint8_t, 4> SingleValue(float value);
    static std::array<std::uint8_t, 4> Int16Value(int value);

    // Erases the log (the filters stay).
    void Clear();
    const std::vector<Entry>& Entries() const { return entries; }
    const std::vector<std::uint8_t>& Bytes() const { return bytes; }

    // The extended firmware sends filtered records expanded.
    void SetExpandedFilteredDump(bool expanded) { expandedFiltered = expanded; }

    std::optional<std::vector<std::string>> Answer(std::string_view commandLine);

    // The value bytes a record keeps.
    static int ValueSize(const Entry& entry);

private:
    struct Filters {
        std::optional<std::uint32_t> before, after;
        char type = 0; // 'D', 'E' or 0 for none
        std::optional<std::vector<bool>> sdi12, internal;
        std::string sdi12Text = "*", internalText = "*";
        std::string beforeText, afterText;
    };

    void Encode(const Entry& entry);
    std::vector<std::uint8_t> Standalone(const Entry& entry) const;
    std::vector<std::uint8_t> Expanded(const Entry& entry) const;
    bool Passes(const Entry& entry) const;
    std::vector<std::string> HexDump() const;
    std::vector<std::string> FilteredDump() const;
    std::vector<std::string> FilterDisplay() const;
    std::string SetFilter(std::string_view mnemonic, std::string_view value);

    std::vector<Entry> entries;
    std::vector<std::uint8_t> bytes;
    std::array<int, 200> lastFormat{}; // by slot; -1 before the first record
    bool anyRecord = false;
    std::uint32_t lastTime = 0;
    bool expandedFiltered = false;
    Filters filters;
};

} // namespace tavin::sim

#pragma once
// Readers for the reply lines the data log cares about besides the log
// itself: sensor labels in both table forms, the sensor counts, the tipping
// bucket settings and the lines of the filter display ("LFD"). They act only
// on lines they recognise and never on a value of the wrong form.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tavin {

struct SensorLabelLine {
    bool internal = false;
    int sensor = 0;    // 0-63
    std::string label; // up to 4 characters, not empty
};

// "ILX=n,LBL" / "IL<n>=LBL" (internal) or "SLX=n,LBL" / "SL<n>=LBL" (SDI-12);
// the bulk forms ("SLX=*", "SL*") and lines whose row is not a number 0-63
// or whose label is empty are not label lines.
std::optional<SensorLabelLine> ParseInternalLabelLine(std::string_view line);
std::optional<SensorLabelLine> ParseSdi12LabelLine(std::string_view line);

// The decimal count after the first "=" of a line containing `key` ("SSN=").
std::optional<int> ParseCountLine(std::string_view line, std::string_view key);
// "TBM=" with one of the twelve multipliers: its index.
std::optional<int> ParseBucketMultiplierLine(std::string_view line);
// "TBR=" with a decimal count that fits 16 bits.
std::optional<std::uint16_t> ParseBucketRolloverLine(std::string_view line);

// A "Before:" or "After:" line of the filter display: no value when the
// filter is off ("*"); the year may come with two digits (20yy) or four.
struct FilterDateTime {
    int year = 2000, month = 1, day = 1;
    std::string time = "00:00:00";
};
struct FilterDateLine {
    bool on = false;
    FilterDateTime value;
};
std::optional<FilterDateLine> ParseFilterDateLine(std::string_view line, std::string_view key);

// The second word of a filter display line, words split at ":" and blank.
std::string FilterDisplayWord(std::string_view line);

} // namespace tavin

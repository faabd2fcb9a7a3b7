#pragma once
// What the log plot draws, gathered from decoded records: one series per
// sensor label with its samples and its minimum, maximum and average
// summaries, and the events as marks in time. Records come straight from the
// decoder while a log is retrieved; a saved log is read back either through
// the decoder (a raw hex log) or from its record lines (a decoded log), so a
// log kept in the field plots the same later.

#include "datalog/TLOG_REC.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tavin {

struct LogPlotPoint {
    double time = 0; // seconds since the decoder's base date (01/01/2000)
    double value = 0;
};

struct LogPlotSeries {
    std::string label; // the sensor's label, blanks trimmed
    std::vector<LogPlotPoint> samples;
    std::vector<LogPlotPoint> minimum, maximum, average;

    std::size_t PointCount() const {
        return samples.size() + minimum.size() + maximum.size() + average.size();
    }
};

struct LogPlotEvent {
    double time = 0;
    std::string name; // "STX", "ETX", "SYNC", "TCXO", "OCXO"
};

class LogPlotData {
public:
    void Clear();

    // A record as the decoder holds it; the decoder gives labels and the
    // tipping-bucket multiplier. Records without a number to plot (N/M, "ERR"
    // records) are passed over; events are kept as marks.
    void AddRecord(const LogRecord& record, const TLOG_REC& decoder);
    // One record line of a decoded log ("00002 LVL  01/01/2000 01:00:05
    // 123.4 MIN"); false when the line is not a record line.
    bool AddRecordLine(std::string_view line, const TLOG_REC& decoder);
    // A saved log's lines: a raw hex log goes through the decoder (which is
    // left as the log leaves it), a decoded log is read line by line.
    void AddFileLines(const std::vector<std::string>& lines, TLOG_REC& decoder);

    const std::vector<LogPlotSeries>& Series() const { return series_; }
    const std::vector<LogPlotEvent>& Events() const { return events_; }
    // The series of a label, or null.
    const LogPlotSeries* Find(std::string_view label) const;
    std::size_t PointCount() const;
    bool Empty() const { return series_.empty() && events_.empty(); }

private:
    LogPlotSeries& SeriesFor(std::string_view label);
    void AddPoint(std::string_view label, std::uint8_t type, double time, double value);

    std::vector<LogPlotSeries> series_;
    std::unordered_map<std::string, std::size_t> index_;
    std::vector<LogPlotEvent> events_;
};

} // namespace tavin

#include "datalog/LogPlotData.h"

#include "datalog/LogValueFormat.h"
#include "datalog/SavedHexLog.h"
#include "support/StringRoutines.h"

#include <cmath>
#include <cstdlib>

namespace tavin {

namespace {

constexpr const char* kEventNames[] = {"STX", "ETX", "SYNC", "TCXO", "OCXO"};

bool Digits(std::string_view s, std::size_t at, std::size_t count, int& value) {
    if (at + count > s.size()) {
        return false;
    }
    value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (s[i] < '0' || s[i] > '9') {
            return false;
        }
        value = value * 10 + (s[i] - '0');
    }
    return true;
}

// "mm/dd/yyyy HH:MM:SS" starting at `at`.
bool ReadDateTime(std::string_view s, std::size_t at, LogDateTime& t) {
    return Digits(s, at, 2, t.month) && s[at + 2] == '/' && Digits(s, at + 3, 2, t.day) &&
           s[at + 5] == '/' && Digits(s, at + 6, 4, t.year) && s[at + 10] == ' ' &&
           Digits(s, at + 11, 2, t.hour) && s[at + 13] == ':' && Digits(s, at + 14, 2, t.minute) &&
           s[at + 16] == ':' && Digits(s, at + 17, 2, t.second) && t.month >= 1 && t.month <= 12 &&
           t.day >= 1 && t.day <= 31 && t.hour < 24 && t.minute < 60 && t.second < 60;
}

constexpr std::size_t kDateTimeChars = 19;

} // namespace

void LogPlotData::Clear() {
    series_.clear();
    index_.clear();
    events_.clear();
}

LogPlotSeries& LogPlotData::SeriesFor(std::string_view label) {
    const std::string key(TrimLogLine(label));
    auto it = index_.find(key);
    if (it == index_.end()) {
        it = index_.emplace(key, series_.size()).first;
        series_.push_back(LogPlotSeries{key, {}, {}, {}, {}});
    }
    return series_[it->second];
}

const LogPlotSeries* LogPlotData::Find(std::string_view label) const {
    const auto it = index_.find(std::string(TrimLogLine(label)));
    return it == index_.end() ? nullptr : &series_[it->second];
}

std::size_t LogPlotData::PointCount() const {
    std::size_t n = 0;
    for (const LogPlotSeries& s : series_) {
        n += s.PointCount();
    }
    return n;
}

void LogPlotData::AddPoint(std::string_view label, std::uint8_t type, double time, double value) {
    LogPlotSeries& s = SeriesFor(label);
    const LogPlotPoint p{time, value};
    switch (type) {
    case kLogMinimum:
        s.minimum.push_back(p);
        break;
    case kLogMaximum:
        s.maximum.push_back(p);
        break;
    case kLogAverage:
        s.average.push_back(p);
        break;
    default:
        s.samples.push_back(p);
        break;
    }
}

void LogPlotData::AddRecord(const LogRecord& record, const TLOG_REC& decoder) {
    const double time = record.time;
    if (record.type == kLogEvent) {
        if (record.number >= kEventStx && record.number <= kEventOcxo) {
            events_.push_back({time, kEventNames[record.number - 1]});
        }
        return;
    }
    int labelIndex = -1;
    bool internal = false;
    if (record.type == kLogSdi12Sample || record.type == kLogInternalSample) {
        internal = record.type == kLogInternalSample;
        if (record.number < 64) {
            labelIndex = record.number + (internal ? TLOG_REC::kInternalLabelBase : 0);
        }
    } else if (record.type >= kLogMinimum && record.type <= kLogAverage) {
        if (record.number >= 64 && record.number < 128) {
            labelIndex = record.number - 64;
        } else if (record.number >= 128 && record.number < 192) {
            internal = true;
            labelIndex = record.number - 128 + TLOG_REC::kInternalLabelBase;
        }
    }
    if (labelIndex < 0) {
        return;
    }
    const auto value = LogNumericValue(record, internal, decoder.BucketMultiplier());
    if (value) {
        AddPoint(decoder.SensorLabel(labelIndex), record.type, time, *value);
    }
}

bool LogPlotData::AddRecordLine(std::string_view line, const TLOG_REC& decoder) {
    // The date is the one fixed landmark: the counter in front is optional
    // and a label may hold digits or blanks, so the label is read backwards
    // from the date.
    LogDateTime when;
    std::size_t at = 5;
    for (; at + kDateTimeChars <= line.size(); ++at) {
        if (line[at - 1] == ' ' && ReadDateTime(line, at, when)) {
            break;
        }
    }
    if (at + kDateTimeChars > line.size()) {
        return false;
    }
    const std::string_view label = line.substr(at - 5, 4);
    const std::string_view before = TrimLogLine(line.substr(0, at - 5));
    if (!before.empty() && !IsIntegerText(before, false)) {
        return false;
    }
    const double time = static_cast<double>(decoder.RecordSeconds(when));
    const std::string_view name = TrimLogLine(label);
    for (const char* event : kEventNames) {
        if (name == event) {
            events_.push_back({time, event});
            return true;
        }
    }
    std::string rest(TrimLogLine(line.substr(at + kDateTimeChars)));
    std::uint8_t type = kLogSdi12Sample;
    static const std::pair<const char*, std::uint8_t> kSuffixes[] = {
        {" MIN", kLogMinimum}, {" MAX", kLogMaximum}, {" AVG", kLogAverage}};
    for (const auto& [suffix, kind] : kSuffixes) {
        const std::string_view sfx(suffix);
        if (rest.size() >= sfx.size() &&
            rest.compare(rest.size() - sfx.size(), sfx.size(), sfx) == 0) {
            type = kind;
            rest.resize(rest.size() - sfx.size());
            break;
        }
    }
    char* end = nullptr;
    const double value = std::strtod(rest.c_str(), &end);
    if (rest.empty() || end == rest.c_str() || !std::isfinite(value) ||
        !TrimLogLine(std::string_view(end)).empty()) {
        return true; // a record line without a number ("N/M")
    }
    AddPoint(label, type, time, value);
    return true;
}

void LogPlotData::AddFileLines(const std::vector<std::string>& lines, TLOG_REC& decoder) {
    if (IsHexLogFile(lines)) {
        DecodeSavedHexLog(lines, decoder,
                          [&](const LogRecord& record) { AddRecord(record, decoder); });
        return;
    }
    for (const std::string& line : lines) {
        AddRecordLine(line, decoder);
    }
}

} // namespace tavin

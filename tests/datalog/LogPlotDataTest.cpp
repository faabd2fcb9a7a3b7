// What the log plot is built from: the decoded records of a log, and the
// record lines of a saved decoded log, which must give the same series.

#include "datalog/LogPlotData.h"
#include "datalog/LogValueFormat.h"
#include "datalog/SavedHexLog.h"
#include "datalog/TLOG_REC.h"
#include "sim/SimLog.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>

namespace tavin {
namespace {

using sim::SimLog;

constexpr std::uint32_t kDay = 86400;

TLOG_REC LabelledDecoder() {
    TLOG_REC rec;
    rec.SetSensorLabel(0, "LVL");
    rec.SetSensorLabel(1, "WIND");
    rec.SetSensorLabel(64, "BATT");
    rec.SetSensorLabel(66, "RAIN");
    rec.SetBucketMultiplier(0); // 0.01
    return rec;
}

LogPlotData FromRecords(const std::vector<std::string>& hexDump, TLOG_REC& rec) {
    LogPlotData data;
    DecodeSavedHexLog(hexDump, rec, [&](const LogRecord& r) { data.AddRecord(r, rec); });
    return data;
}

// Decimals a printed value carries: how close a value read back from text
// can be to the one the record holds.
double Tolerance(double value) {
    for (double step = 1; step > 1e-7; step /= 10) {
        if (std::abs(value / step - std::round(value / step)) < 1e-6) {
            return step / 2 + 1e-9;
        }
    }
    return 1e-6;
}

TEST(LogPlotData, RecordsOfATypicalLogGiveOneSeriesPerLabel) {
    SimLog log;
    log.AddTypicalDays(kDay * 1000, 3);
    TLOG_REC rec = LabelledDecoder();
    const LogPlotData data = FromRecords(*log.Answer("LHD?"), rec);

    // Three days: 96 samples a day for each of five sensors, hourly summaries.
    const std::map<std::string, std::array<std::size_t, 4>> expected = {
        // samples, minimum, maximum, average
        {"LVL", {288, 72, 72, 0}}, {"WIND", {288, 0, 0, 0}}, {"BATT", {288, 0, 0, 0}},
        {"INT1", {288, 0, 0, 72}}, {"RAIN", {288, 0, 0, 0}},
    };
    ASSERT_EQ(data.Series().size(), expected.size());
    for (const auto& [label, counts] : expected) {
        const LogPlotSeries* s = data.Find(label);
        ASSERT_NE(s, nullptr) << label;
        EXPECT_EQ(s->samples.size(), counts[0]) << label;
        EXPECT_EQ(s->minimum.size(), counts[1]) << label;
        EXPECT_EQ(s->maximum.size(), counts[2]) << label;
        EXPECT_EQ(s->average.size(), counts[3]) << label;
    }
    // A sync, 8 transmissions (STX and ETX) and a calibration a day.
    std::map<std::string, int> events;
    for (const LogPlotEvent& e : data.Events()) {
        ++events[e.name];
    }
    EXPECT_EQ(events,
              (std::map<std::string, int>{{"SYNC", 3}, {"STX", 24}, {"ETX", 24}, {"TCXO", 3}}));

    // Values as the lines show them: scaled, and tipping-bucket tips times
    // the multiplier; times in seconds from 01/01/2000.
    const LogPlotSeries& rain = *data.Find("RAIN");
    EXPECT_DOUBLE_EQ(rain.samples[5].value, static_cast<float>(5 * 0.01));
    EXPECT_DOUBLE_EQ(rain.samples[5].time, kDay * 1000 + 5 * 900 + 60 + 6);
    EXPECT_DOUBLE_EQ(data.Find("LVL")->minimum[0].value, 18.0);
    EXPECT_DOUBLE_EQ(data.Find("INT1")->average[0].value, 22.5);
}

TEST(LogPlotData, ASavedDecodedLogPlotsLikeItsRecords) {
    SimLog log;
    log.AddTypicalDays(kDay * 2000, 2);
    log.AddSample(SimLog::Kind::Sdi12, 1, kDay * 2003, 2, SimLog::SingleValue(std::nanf("")));
    TLOG_REC rec = LabelledDecoder();
    const auto hex = *log.Answer("LHD?");
    const LogPlotData fromRecords = FromRecords(hex, rec);

    TLOG_REC textRec = LabelledDecoder();
    const std::vector<std::string> lines = DecodeSavedHexLog(hex, textRec).records;
    LogPlotData fromText;
    fromText.AddFileLines(lines, textRec);

    ASSERT_EQ(fromText.Series().size(), fromRecords.Series().size());
    EXPECT_EQ(fromText.PointCount(), fromRecords.PointCount());
    EXPECT_EQ(fromText.Events().size(), fromRecords.Events().size());
    for (const LogPlotSeries& r : fromRecords.Series()) {
        const LogPlotSeries* t = fromText.Find(r.label);
        ASSERT_NE(t, nullptr) << r.label;
        const std::pair<const std::vector<LogPlotPoint>*, const std::vector<LogPlotPoint>*>
            kinds[] = {{&r.samples, &t->samples},
                       {&r.minimum, &t->minimum},
                       {&r.maximum, &t->maximum},
                       {&r.average, &t->average}};
        for (const auto& [a, b] : kinds) {
            ASSERT_EQ(a->size(), b->size()) << r.label;
            for (std::size_t i = 0; i < a->size(); ++i) {
                EXPECT_EQ((*a)[i].time, (*b)[i].time) << r.label << " " << i;
                EXPECT_NEAR((*a)[i].value, (*b)[i].value, Tolerance((*b)[i].value))
                    << r.label << " " << i;
            }
        }
    }
    // A raw hex log opened from a file plots through the decoder.
    TLOG_REC hexRec = LabelledDecoder();
    LogPlotData fromHex;
    fromHex.AddFileLines(hex, hexRec);
    EXPECT_EQ(fromHex.PointCount(), fromRecords.PointCount());
}

TEST(LogPlotData, RecordLines) {
    const TLOG_REC rec;
    struct Case {
        const char* line;
        bool record;
        const char* label; // series that got a point, "" for none
        double value;
    };
    const Case cases[] = {
        {"00002 LVL  01/01/2000 01:00:05 123.4", true, "LVL", 123.4},
        {"LVL  01/01/2000 01:00:05 -3", true, "LVL", -3},
        {"123456 1234 01/02/2000 00:00:00 7.25 MAX", true, "1234", 7.25},
        {"00007 IN12 01/01/2000 00:00:00 00042", true, "IN12", 42},
        {"00003 WIND 01/01/2000 01:00:05  N/M ", true, "", 0},
        {"00004 ETX  01/01/2000 03:00:10 TIMED(b,f,r): 12.5,3.1,0.2", true, "", 0},
        {"Log Dump Aborted", false, "", 0},
        {"00005 ERR ", false, "", 0},
        {"LHF=EMPTY", false, "", 0},
        {"xx LVL  01/01/2000 01:00:05 1.0", false, "", 0},
    };
    for (const Case& c : cases) {
        LogPlotData data;
        EXPECT_EQ(data.AddRecordLine(c.line, rec), c.record) << c.line;
        if (*c.label == '\0') {
            EXPECT_EQ(data.PointCount(), 0u) << c.line;
            continue;
        }
        const LogPlotSeries* s = data.Find(c.label);
        ASSERT_NE(s, nullptr) << c.line;
        ASSERT_EQ(s->PointCount(), 1u) << c.line;
        const LogPlotPoint p = s->samples.empty() ? s->maximum[0] : s->samples[0];
        EXPECT_DOUBLE_EQ(p.value, c.value) << c.line;
    }
    LogPlotData data;
    data.AddRecordLine("00004 ETX  01/02/2000 03:00:10 TIMED(b,f,r): 12.5,3.1,0.2", rec);
    ASSERT_EQ(data.Events().size(), 1u);
    EXPECT_EQ(data.Events()[0].name, "ETX");
    EXPECT_DOUBLE_EQ(data.Events()[0].time, kDay + 3 * 3600 + 10);
}

TEST(LogNumericValue, FollowsTheShownValue) {
    auto record = [](std::uint8_t type, std::uint8_t number, std::uint8_t format,
                     std::array<std::uint8_t, 4> value) {
        LogRecord r;
        r.type = type;
        r.number = number;
        r.formatCode = format;
        r.value = value;
        return r;
    };
    EXPECT_FLOAT_EQ(*LogNumericValue(record(kLogInternalSample, 2, 15, {0, 3, 255, 255}), true, 0),
                    0.03f);
    EXPECT_FLOAT_EQ(
        *LogNumericValue(record(kLogSdi12Sample, 0, 9, {0x04, 0xD2, 255, 255}), false, 8), 123.4f);
    EXPECT_FLOAT_EQ(*LogNumericValue(record(kLogInternalSample, 1, 7, {0, 42, 255, 255}), true, 8),
                    42.0f);
    EXPECT_FALSE(LogNumericValue(record(kLogSdi12Sample, 0, 2, {0x7F, 0xC0, 0, 1}), false, 8));
    EXPECT_FALSE(LogNumericValue(record(kLogEvent, kEventStx, 4, {}), false, 8));
    EXPECT_FALSE(LogNumericValue(record(kLogSdi12Sample, 0, 24, {0, 1, 2, 3}), false, 8));
}

} // namespace
} // namespace tavin

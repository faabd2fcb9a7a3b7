// The simulated transmitter's log encoder against the decoder: the whole
// log dumped in hex, the filtered dump record by record and the expanded
// filtered dump must all show the same lines.

#include "datalog/SavedHexLog.h"
#include "datalog/TLOG_REC.h"
#include "sim/SimLog.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace tavin {
namespace {

using sim::SimLog;

void MixedLog(SimLog& log) {
    log.AddTypicalDays(86400 * 100, 2);
    std::mt19937 random(7);
    std::uint32_t t = 86400 * 103;
    for (int i = 0; i < 400; ++i) {
        t += random() % 3 == 0 ? 40000 + random() % 100 : random() % 300; // all three time forms
        const int sensor = static_cast<int>(random() % 64);
        const auto format = static_cast<std::uint8_t>(random() % 16);
        const auto value =
            format < 8 && format != 6 && format != 7
                ? SimLog::SingleValue(static_cast<float>(random() % 100000) / 100 - 500)
                : SimLog::Int16Value(static_cast<int>(random() % 65536) - 32768);
        switch (random() % 6) {
        case 0:
            log.AddSample(SimLog::Kind::Sdi12, sensor, t, format, value);
            break;
        case 1:
            log.AddSample(SimLog::Kind::Internal, sensor, t, format, value);
            break;
        case 2:
            log.AddSummary(static_cast<SimLog::Kind>(3 + random() % 3), random() % 2 == 0, sensor,
                           t, format, value);
            break;
        case 3:
            log.AddEtx(t, static_cast<int>(random() % 4), static_cast<int>(random() % 4),
                       static_cast<int>(random() % 256), static_cast<int>(random() % 4096),
                       static_cast<int>(random() % 4096));
            break;
        case 4:
            log.AddCalibration(4 + static_cast<int>(random() % 2), t, format % 6,
                               random() % 5 == 0 ? std::nanf("") : 0.5f);
            break;
        default:
            log.AddSync(t);
            break;
        }
    }
}

std::vector<std::string> Numbered(const std::vector<std::string>& lines, TLOG_REC& rec,
                                  bool expanded) {
    std::vector<std::string> out;
    rec.recordCounter = 0;
    for (const auto& line : lines) {
        ++rec.recordCounter;
        if (expanded) {
            DecodeExpandedLine(line, rec.current);
        } else {
            EXPECT_NE(rec.DecodeHexRecord(line), kLogNoRecord) << line;
        }
        std::string text;
        rec.FormatRecord(text);
        out.push_back(text);
    }
    return out;
}

TEST(LogRoundTrip, FullFilteredAndExpandedDumpsAgree) {
    SimLog log;
    MixedLog(log);
    TLOG_REC rec;
    rec.SetBucketMultiplier(2);
    const auto full = DecodeSavedHexLog(*log.Answer("LHD?"), rec);
    ASSERT_EQ(full.records.size(), log.Entries().size());
    EXPECT_EQ(full.skippedBytes, 0);
    EXPECT_FALSE(full.truncated);

    const auto filtered = Numbered(*log.Answer("LHF?"), rec, false);
    log.SetExpandedFilteredDump(true);
    const auto expanded = Numbered(*log.Answer("LHF?"), rec, true);
    EXPECT_EQ(filtered, full.records);
    EXPECT_EQ(expanded, full.records);

    // A filter keeps the records that pass, in the same text.
    log.Answer("LFT=E");
    const auto events = Numbered(*log.Answer("LHF?"), rec, true);
    ASSERT_FALSE(events.empty());
    EXPECT_LT(events.size(), full.records.size());
    for (const auto& line : events) {
        const auto label = line.substr(6, 4);
        EXPECT_TRUE(label == "STX " || label == "ETX " || label == "SYNC" || label == "TCXO" ||
                    label == "OCXO")
            << line;
    }
}

} // namespace
} // namespace tavin

// Decoding single log records: kinds, lengths, validity, compressed times,
// the format memory, and the text of each kind of value.

#include "datalog/HexText.h"
#include "datalog/TLOG_REC.h"

#include <gtest/gtest.h>

namespace tavin {
namespace {

using test::Hex;

struct KindCase {
    const char* name;
    std::string hex;
    int type;
    int length;
    int number;
};

TEST(RecordDecode, KindsLengthsAndValidity) {
    const KindCase cases[] = {
        {"erased memory", Hex({0xFF, 0, 0, 0, 0, 0}), kLogNoRecord, 1, -1},
        {"event 0", Hex({0x00, 0, 0, 0, 0, 0}), kLogNoRecord, 1, -1},
        {"event 6", Hex({0x06, 0, 0, 0, 0, 0}), kLogNoRecord, 1, -1},
        {"STX", Hex({0x01, 0, 0, 0, 0, 0x04}), kLogEvent, 6, 1},
        {"ETX", Hex({0x02, 0, 0, 0, 0, 0x04, 1, 2, 3, 4}), kLogEvent, 10, 2},
        {"SYNC", Hex({0x03, 0, 0, 0, 0, 0}), kLogEvent, 6, 3},
        {"TCXO", Hex({0x04, 0, 0, 0, 0, 3, 0x3E, 0, 0, 0}), kLogEvent, 10, 4},
        {"SDI-12 float", Hex({0x13, 0, 0, 0x0E, 0x10, 2, 0x41, 0xAC, 0, 0}), kLogSdi12Sample, 10,
         3},
        {"SDI-12 16-bit", Hex({0x2F, 0, 0, 0, 0, 9, 4, 0xD2}), kLogSdi12Sample, 8, 31},
        {"SDI-12 by sensor byte", Hex({0x0E, 40, 0, 0, 0, 0, 9, 4, 0xD2}), kLogSdi12Sample, 9, 40},
        {"SDI-12 sensor 64", Hex({0x0E, 64, 0, 0, 0, 0, 9, 4, 0xD2}), kLogNoRecord, 1, -1},
        {"internal code 6", Hex({0x31, 0, 0, 0, 0, 6, 0, 20}), kLogInternalSample, 8, 1},
        {"internal code 7", Hex({0x3F, 0, 0, 0, 0, 7, 0, 20}), kLogInternalSample, 8, 15},
        {"internal by sensor byte", Hex({0x0F, 63, 0, 0, 0, 0, 15, 0, 3}), kLogInternalSample, 9,
         63},
        {"internal sensor 64", Hex({0x0F, 64, 0, 0, 0, 0, 15, 0, 3}), kLogNoRecord, 1, -1},
        {"minimum, 2-byte value", Hex({0x0B, 0x40, 0, 0, 0, 0, 9, 4, 0xD2}), kLogMinimum, 9, 0x40},
        {"maximum, float", Hex({0x0C, 0x81, 0, 0, 0, 0, 2, 0x41, 0xAC, 0, 0}), kLogMaximum, 11,
         0x81},
        {"average, bad sensor byte", Hex({0x0D, 0x10, 0, 0, 0, 0, 9, 0, 1}), kLogAverage, 9, 0x10},
        {"1-byte delta, format omitted", Hex({0xCB, 0x40, 0x85, 4, 0xD2}), kLogMinimum, 5, 0x40},
        {"2-byte delta", Hex({0x90, 0x01, 0x00, 9, 4, 0xD2}), kLogSdi12Sample, 6, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TLOG_REC rec;
        rec.formatMemory[136] = 9; // for the omitted format of the summary
        EXPECT_EQ(rec.DecodeHexRecord(c.hex), c.type);
        if (c.type != kLogNoRecord) {
            EXPECT_EQ(rec.recordLength, c.length);
            EXPECT_EQ(rec.current.number, c.number);
            EXPECT_EQ(rec.current.type, c.type);
        }
    }
}

TEST(RecordDecode, CompressedTimesAddToTheRunningTime) {
    TLOG_REC rec;
    ASSERT_EQ(rec.DecodeHexRecord(Hex({0x01, 0, 0, 0x03, 0xE8, 0x04})), kLogEvent);
    EXPECT_EQ(rec.current.time, 1000u);
    ASSERT_EQ(rec.DecodeHexRecord(Hex({0x81, 0xFF, 0x04})), kLogEvent); // +127
    EXPECT_EQ(rec.current.time, 1127u);
    ASSERT_EQ(rec.DecodeHexRecord(Hex({0x81, 0x7F, 0xFF, 0x04})), kLogEvent); // +32767
    EXPECT_EQ(rec.current.time, 1127u + 32767u);
    EXPECT_EQ(rec.runningTime, 1127u + 32767u);
    // No record leaves the running time alone; an absolute time replaces it.
    rec.DecodeHexRecord("FF");
    EXPECT_EQ(rec.runningTime, 1127u + 32767u);
    rec.DecodeHexRecord(Hex({0x03, 0, 0, 0, 5, 0}));
    EXPECT_EQ(rec.runningTime, 5u);
}

TEST(RecordDecode, FormatMemoryIsKeptBySlot) {
    TLOG_REC rec;
    // SDI-12 sensor 0 with code 9, internal sensor 0 with code 7, then both
    // omit their format byte and must take their own slot's code back.
    rec.DecodeHexRecord(Hex({0x10, 0, 0, 0, 0, 9, 4, 0xD2}));
    rec.DecodeHexRecord(Hex({0x30, 0, 0, 0, 0, 7, 0, 42}));
    EXPECT_EQ(rec.formatMemory[8], 9);
    EXPECT_EQ(rec.formatMemory[72], 7);
    rec.DecodeHexRecord(Hex({0xD0, 0x81, 4, 0xD2}));
    EXPECT_EQ(rec.current.formatCode, 9);
    EXPECT_EQ(rec.recordLength, 4);
    rec.DecodeHexRecord(Hex({0xF0, 0x81, 0, 42}));
    EXPECT_EQ(rec.current.formatCode, 7);
    // Summaries of SDI-12 sensor n and internal sensor n share a slot.
    rec.DecodeHexRecord(Hex({0x0B, 0x45, 0, 0, 0, 0, 10, 0, 1}));
    rec.DecodeHexRecord(Hex({0x4C, 0x85, 0, 0, 0, 0, 0, 1}));
    EXPECT_EQ(rec.current.formatCode, 10);
    EXPECT_EQ(rec.formatMemory[141], 10);
}

TEST(RecordDecode, IncompleteRecordChangesNothingUntilComplete) {
    TLOG_REC rec;
    rec.DecodeHexRecord(Hex({0x01, 0, 0, 0x03, 0xE8, 0x04}));
    const std::string whole = Hex({0x90, 0x85, 0x09, 0x04, 0xD2});
    const LogDecodeResult part = rec.TryDecodeHexRecord(whole.substr(0, 6));
    EXPECT_FALSE(part.complete);
    EXPECT_EQ(rec.runningTime, 1000u);
    EXPECT_EQ(rec.formatMemory[8], 0);
    // A sample whose sensor byte has not arrived is not judged invalid.
    EXPECT_FALSE(rec.TryDecodeHexRecord("0E").complete);
    const LogDecodeResult full = rec.TryDecodeHexRecord(whole);
    EXPECT_TRUE(full.complete);
    EXPECT_EQ(full.length, 5);
    EXPECT_EQ(rec.current.time, 1005u);
}

TEST(RecordDecode, HexTextStopsAtTheEndOrAtAPairThatIsNotHex) {
    TLOG_REC rec;
    // Lower case is read; a broken pair ends the text, the rest counts as 255.
    EXPECT_EQ(rec.DecodeHexRecord("1300000e100241ac0000"), kLogSdi12Sample);
    EXPECT_EQ(rec.current.time, 3600u);
    EXPECT_EQ(rec.DecodeHexRecord("13000Z0E100241AC0000"), kLogSdi12Sample);
    EXPECT_EQ(rec.current.formatCode, 255);
    EXPECT_EQ(rec.DecodeHexRecord(""), kLogNoRecord);
    EXPECT_EQ(rec.DecodeHexRecord("1"), kLogNoRecord);
}

struct LineCase {
    const char* name;
    std::string hex;
    const char* line;
    int bucketMultiplier = 8;
};

TEST(RecordFormat, LinesByKindAndFormat) {
    const std::string t0 = Hex({0, 0, 0, 0});
    auto sdi = [&](int format, std::initializer_list<int> value) {
        std::string h = Hex({0x13}) + t0 + Hex({format});
        return h + Hex(value);
    };
    auto internal = [&](int sensor, int format, std::initializer_list<int> value) {
        return Hex({0x30 + sensor}) + t0 + Hex({format}) + Hex(value);
    };
    const LineCase cases[] = {
        {"float code 0", sdi(0, {0x40, 0x49, 0x0F, 0xD0}), "SDI3 01/01/2000 00:00:00 3"},
        {"float code 1", sdi(1, {0x40, 0x49, 0x0F, 0xD0}), "SDI3 01/01/2000 00:00:00 3.1"},
        {"float code 2", sdi(2, {0x40, 0x49, 0x0F, 0xD0}), "SDI3 01/01/2000 00:00:00 3.14"},
        {"float code 3", sdi(3, {0x40, 0x49, 0x0F, 0xD0}), "SDI3 01/01/2000 00:00:00 3.142"},
        {"float code 4", sdi(4, {0x40, 0x49, 0x0F, 0xD0}), "SDI3 01/01/2000 00:00:00 3.1416"},
        {"float code 5", sdi(5, {0x40, 0x49, 0x0F, 0xD0}), "SDI3 01/01/2000 00:00:00 3.14159"},
        {"general 1.1", sdi(5, {0x3F, 0x8C, 0xCC, 0xCD}), "SDI3 01/01/2000 00:00:00 1.1"},
        {"general 1e20", sdi(5, {0x60, 0xAD, 0x78, 0xEC}), "SDI3 01/01/2000 00:00:00 1e+20"},
        {"NaN", sdi(2, {0x7F, 0xC0, 0, 0}), "SDI3 01/01/2000 00:00:00 N/M "},
        {"16-bit code 8", sdi(8, {0x04, 0xD2}), "SDI3 01/01/2000 00:00:00 1234"},
        {"16-bit code 9", sdi(9, {0x04, 0xD2}), "SDI3 01/01/2000 00:00:00 123.4"},
        {"16-bit code 10", sdi(10, {0x04, 0xD2}), "SDI3 01/01/2000 00:00:00 12.34"},
        {"16-bit code 11", sdi(11, {0x04, 0xD2}), "SDI3 01/01/2000 00:00:00 1.234"},
        {"16-bit code 12", sdi(12, {0x04, 0xD2}), "SDI3 01/01/2000 00:00:00 0.1234"},
        {"16-bit negative", sdi(9, {0xFF, 0xF6}), "SDI3 01/01/2000 00:00:00 -1.0"},
        {"16-bit all ones is not NaN", sdi(9, {0xFF, 0xFF}), "SDI3 01/01/2000 00:00:00 -0.1"},
        {"quarters", internal(1, 6, {0xFF, 0xEC}), "INT1 01/01/2000 00:00:00 -5.00"},
        {"unsigned count", internal(2, 7, {0x00, 0x2A}), "INT2 01/01/2000 00:00:00 00042"},
        {"unsigned max", internal(2, 7, {0xFF, 0xFF}), "INT2 01/01/2000 00:00:00 65535"},
        {"bucket x0.01", internal(3, 15, {0, 3}), "INT3 01/01/2000 00:00:00 0.03", 0},
        {"bucket x0.025", internal(3, 15, {0, 3}), "INT3 01/01/2000 00:00:00 0.075", 2},
        {"bucket x1", internal(3, 15, {0, 3}), "INT3 01/01/2000 00:00:00 3", 8},
        {"bucket x2", internal(3, 15, {0, 3}), "INT3 01/01/2000 00:00:00 6", 9},
        {"bucket x2.5", internal(3, 15, {0, 3}), "INT3 01/01/2000 00:00:00 7.5", 10},
        {"bucket x5", internal(3, 15, {0, 3}), "INT3 01/01/2000 00:00:00 15", 11},
        {"STX test", Hex({0x01}) + t0 + Hex({0x00}), "STX  01/01/2000 00:00:00 TEST"},
        {"STX timed", Hex({0x01}) + t0 + Hex({0x04}), "STX  01/01/2000 00:00:00 TIMED"},
        {"STX random", Hex({0x01}) + t0 + Hex({0x08}), "STX  01/01/2000 00:00:00 RANDOM"},
        {"STX kind 3", Hex({0x01}) + t0 + Hex({0x0C}), "STX  01/01/2000 00:00:00"},
        {"STX ignores a NaN after it", Hex({0x01}) + t0 + Hex({0x04, 0x7F, 0xC0, 0, 1}),
         "STX  01/01/2000 00:00:00 TIMED"},
        {"SYNC", Hex({0x03}) + t0 + Hex({0x09}), "SYNC 01/01/2000 00:00:00"},
        {"TCXO", Hex({0x04}) + t0 + Hex({0x03, 0x3E, 0, 0, 0}), "TCXO 01/01/2000 00:00:00 0.125"},
        {"OCXO NaN", Hex({0x05}) + t0 + Hex({0x03, 0xFF, 0xFF, 0xFF, 0xFF}),
         "OCXO 01/01/2000 00:00:00 N/M "},
        {"ETX", Hex({0x02}) + t0 + Hex({0x04, 125, 0x01, 0xF0, 0x02}),
         "ETX  01/01/2000 00:00:00 TIMED(b,f,r): 12.5,3.1,0.2"},
        {"ETX not measured", Hex({0x02}) + t0 + Hex({0x08, 125, 0x01, 0xF8, 0x00}),
         "ETX  01/01/2000 00:00:00 RANDOM(b,f,r): 12.5,3.1,N/M"},
        {"ETX minus one tenth", Hex({0x02}) + t0 + Hex({0x04, 0, 0xFF, 0xFF, 0xFF}),
         "ETX  01/01/2000 00:00:00 TIMED(b,f,r): 0.0,-0.1,-0.1"},
        {"ETX first field 800", Hex({0x02}) + t0 + Hex({0x04, 0, 0x80, 0x00, 0x00}),
         "ETX  01/01/2000 00:00:00 TIMED(b,f,r): 0.0,-204.8,0.0"},
        {"ETX fail-safe", Hex({0x02}) + t0 + Hex({0x14, 10, 0, 0, 0}),
         "ETX  01/01/2000 00:00:00 TIMED FAILSAFE: 1.0,0.0,0.0"},
        {"ETX power", Hex({0x02}) + t0 + Hex({0x20, 10, 0, 0, 0}),
         "ETX  01/01/2000 00:00:00 TEST FAIL PWR: 1.0,0.0,0.0"},
        {"ETX sync", Hex({0x02}) + t0 + Hex({0x38, 10, 0, 0, 0}),
         "ETX  01/01/2000 00:00:00 RANDOM FAIL SYN: 1.0,0.0,0.0"},
        {"minimum", Hex({0x0B, 0x40}) + t0 + Hex({9, 4, 0xD2}),
         "SDI0 01/01/2000 00:00:00 123.4 MIN"},
        {"maximum internal", Hex({0x0C, 0x81}) + t0 + Hex({6, 0, 90}),
         "INT1 01/01/2000 00:00:00 22.50 MAX"},
        {"average", Hex({0x0D, 0x7F}) + t0 + Hex({2, 0x41, 0xAC, 0, 0}),
         "SD63 01/01/2000 00:00:00 21.50 AVG"},
        {"summary of no sensor", Hex({0x0D, 0x10}) + t0 + Hex({9, 0, 1}), "ERR "},
        {"leap day", Hex({0x10, 0x2D, 0x73, 0x36, 0x70, 8, 0, 7}), "SDI0 02/29/2024 12:34:56 7"},
        {"end of 2000", Hex({0x10, 0x01, 0xE2, 0x84, 0xFF, 8, 0, 7}), "SDI0 12/31/2000 23:59:59 7"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TLOG_REC rec;
        rec.SetBucketMultiplier(c.bucketMultiplier);
        ASSERT_NE(rec.DecodeHexRecord(c.hex), kLogNoRecord);
        std::string text;
        rec.FormatRecord(text);
        EXPECT_EQ(text, c.line);
    }
}

TEST(RecordFormat, CounterLabelsAndLoadedRecords) {
    TLOG_REC rec;
    rec.SetSensorLabel(3, "ABCDEF");
    rec.SetSensorLabel(64 + 2, "AB");
    rec.SetSensorLabel(128, "XX"); // out of range: ignored
    EXPECT_EQ(rec.SensorLabel(3), "ABCD");
    EXPECT_EQ(rec.SensorLabel(66), "AB  ");
    EXPECT_EQ(rec.SensorLabel(10), "SD10");
    EXPECT_EQ(rec.SensorLabel(64 + 12), "IN12");

    rec.DecodeHexRecord(Hex({0x13, 0, 0, 0, 0, 9, 4, 0xD2}));
    std::string text = "kept ";
    rec.FormatRecord(text); // counter 0: appended
    EXPECT_EQ(text, "kept ABCD 01/01/2000 00:00:00 123.4");
    rec.recordCounter = 7;
    rec.FormatRecord(text); // replaced, with the counter
    EXPECT_EQ(text, "00007 ABCD 01/01/2000 00:00:00 123.4");
    EXPECT_EQ(rec.lastRecordTime.year, 2000);

    // Records loaded field by field (extended filtered dump).
    LogRecord r;
    DecodeExpandedLine("420200000E10070000", r);
    EXPECT_EQ(r.type, kLogInternalSample);
    EXPECT_EQ(r.value[2], 255);
    rec.recordCounter = 0;
    text.clear();
    rec.FormatRecord(r, text);
    EXPECT_EQ(text, "AB   01/01/2000 01:00:00 00000");
    for (const auto& [hex, line] : {std::pair<std::string, std::string>{"4009", "UNKNOWN_EVENT"},
                                    {"4150", "ERR "},
                                    {"7001", "ERR "}}) {
        DecodeExpandedLine(hex, r);
        text.clear();
        rec.FormatRecord(r, text);
        EXPECT_EQ(text, line);
    }
}

} // namespace
} // namespace tavin

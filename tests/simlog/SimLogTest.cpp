// The simulated transmitter's log: the bytes it stores and its answers to
// the log commands.

#include "sim/SimLog.h"

#include <gtest/gtest.h>

namespace tavin::sim {
namespace {

std::string Hex(const std::vector<std::uint8_t>& bytes) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string text;
    for (auto b : bytes) {
        text += kDigits[b >> 4];
        text += kDigits[b & 15];
    }
    return text;
}

std::vector<std::string> Lines(std::initializer_list<const char*> lines) {
    return {lines.begin(), lines.end()};
}

TEST(SimLogStore, RecordsAreWrittenCompactly) {
    SimLog log;
    // The first record has an absolute time and its format byte.
    log.AddSample(SimLog::Kind::Sdi12, 3, 3600, 9, SimLog::Int16Value(1234));
    EXPECT_EQ(Hex(log.Bytes()), "1300000E10"
                                "09"
                                "04D2");
    // Same slot and format 5 s later: 1-byte delta, format byte left out.
    log.AddSample(SimLog::Kind::Sdi12, 3, 3605, 9, SimLog::Int16Value(1235));
    EXPECT_EQ(Hex(log.Bytes()).substr(16), "D3"
                                           "85"
                                           "04D3");
    // 300 s later: 2-byte delta; another slot: the format byte again.
    log.AddSample(SimLog::Kind::Internal, 1, 3905, 6, SimLog::Int16Value(-20));
    EXPECT_EQ(Hex(log.Bytes()).substr(24, 12), "B1"
                                               "012C"
                                               "06"
                                               "FFEC");
    // More than 32767 s later, or earlier: absolute again.
    log.AddSync(3905 + 40000);
    EXPECT_EQ(Hex(log.Bytes()).substr(36, 12), "03"
                                               "0000AB81"
                                               "00");
    log.AddStx(100, 1);
    EXPECT_EQ(Hex(log.Bytes()).substr(48), "01"
                                           "00000064"
                                           "04");
    EXPECT_EQ(log.Entries().size(), 5u);
}

TEST(SimLogStore, HeaderFormsAndValueSizes) {
    struct Case {
        SimLog::Entry entry;
        const char* hex;
    };
    const auto f = SimLog::SingleValue(21.5f);
    const Case cases[] = {
        {{SimLog::Kind::Sdi12, 31, false, 0, 2, f},
         "2F0000000002"
         "41AC0000"},
        {{SimLog::Kind::Sdi12, 32, false, 0, 2, f},
         "0E200000000002"
         "41AC0000"},
        {{SimLog::Kind::Internal, 15, true, 0, 15, {0, 3}},
         "3F000000000F"
         "0003"},
        {{SimLog::Kind::Internal, 16, true, 0, 7, {0, 3}},
         "0F1000000000"
         "07"
         "0003"},
        {{SimLog::Kind::Minimum, 0, false, 0, 9, {4, 0xD2}},
         "0B4000000000"
         "09"
         "04D2"},
        {{SimLog::Kind::Maximum, 5, true, 0, 2, f},
         "0C8500000000"
         "02"
         "41AC0000"},
        {{SimLog::Kind::Average, 63, false, 0, 12, {0, 1}},
         "0D7F00000000"
         "0C"
         "0001"},
        {{SimLog::Kind::Event, 4, false, 0, 3, f},
         "0400000000"
         "03"
         "41AC0000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.hex);
        SimLog log;
        ASSERT_TRUE(log.Add(c.entry));
        EXPECT_EQ(Hex(log.Bytes()), c.hex);
    }
    SimLog log;
    EXPECT_FALSE(log.Add({SimLog::Kind::Event, 6, false, 0, 0, {}}));
    EXPECT_FALSE(log.AddSample(SimLog::Kind::Sdi12, 64, 0, 9, {}));
    EXPECT_TRUE(log.Bytes().empty());
}

TEST(SimLogStore, TransmissionDetailFields) {
    SimLog log;
    log.AddEtx(0, 2, 1, 125, -1, SimLog::kNotMeasured);
    EXPECT_EQ(Hex(log.Bytes()), "0200000000"
                                "18"
                                "7DFFF800");
}

TEST(SimLogAnswers, HexDumpOfTheWholeLog) {
    SimLog log;
    EXPECT_EQ(*log.Answer("LHD?"), Lines({"0"}));
    for (int i = 0; i < 3; ++i) {
        log.AddSample(SimLog::Kind::Sdi12, 0, 10 + static_cast<std::uint32_t>(i), 9,
                      SimLog::Int16Value(i));
    }
    // 8 + 4 + 4 = 16 bytes: one line. One more record makes two, padded.
    auto lines = *log.Answer("LHD?");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "10");
    log.AddSync(20);
    lines = *log.Answer("LHD?\r");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "13");
    EXPECT_EQ(lines[2], "8388"
                        "00"
                        "FFFFFFFFFFFFFFFFFFFFFFFFFF");
    EXPECT_EQ(lines[2].size(), 32u);
    EXPECT_EQ(*log.Answer("LOG=CLEAR"), Lines({"OK"}));
    EXPECT_EQ(*log.Answer("LHD?"), Lines({"0"}));
    // After an erase the next record starts a fresh stream.
    log.AddSample(SimLog::Kind::Sdi12, 0, 30, 9, SimLog::Int16Value(1));
    EXPECT_EQ(Hex(log.Bytes()), "100000001E"
                                "09"
                                "0001");
}

TEST(SimLogAnswers, FiltersSelectRecords) {
    SimLog log;
    log.AddStx(86400, 1); // 01/02/2000
    log.AddSample(SimLog::Kind::Sdi12, 2, 86410, 9, SimLog::Int16Value(5));
    log.AddSample(SimLog::Kind::Internal, 1, 86420, 7, SimLog::Int16Value(6));
    log.AddSummary(SimLog::Kind::Average, true, 3, 2 * 86400, 7, SimLog::Int16Value(7));
    auto count = [&] {
        const auto lines = *log.Answer("LHF?");
        return lines == Lines({"LHF=EMPTY"}) ? 0 : static_cast<int>(lines.size());
    };
    EXPECT_EQ(count(), 4);
    EXPECT_EQ(*log.Answer("LFT=D"), Lines({"OK"}));
    EXPECT_EQ(count(), 3);
    EXPECT_EQ(*log.Answer("LFT=E"), Lines({"OK"}));
    EXPECT_EQ(count(), 1);
    EXPECT_EQ(*log.Answer("LFT=*"), Lines({"OK"}));
    EXPECT_EQ(*log.Answer("LFI=0-2"), Lines({"OK"})); // drops the summary of sensor 3
    EXPECT_EQ(count(), 3);
    EXPECT_EQ(*log.Answer("LFS= "), Lines({"OK"})); // no SDI-12 sensor
    EXPECT_EQ(count(), 2);
    EXPECT_EQ(*log.Answer("LF*"), Lines({"OK"}));
    EXPECT_EQ(*log.Answer("LFB=01/02/2000,00:00:10"), Lines({"OK"}));
    EXPECT_EQ(count(), 2);
    EXPECT_EQ(*log.Answer("LFA=01/02/2000,00:00:15"), Lines({"OK"}));
    EXPECT_EQ(count(), 0);
    EXPECT_EQ(*log.Answer("LFB=*"), Lines({"OK"}));
    EXPECT_EQ(count(), 2);
    EXPECT_EQ(*log.Answer("LFD"), Lines({"Before: *", "After: 01/02/00,00:00:15", "Type: *",
                                         "SDI-12: *", "Intern: *"}));
    // Filtered records stand alone: absolute time and format byte.
    const auto lines = *log.Answer("LHF?");
    EXPECT_EQ(lines[0], "3100015194"
                        "07"
                        "0006");
    log.SetExpandedFilteredDump(true);
    EXPECT_EQ((*log.Answer("LHF?"))[1], "4583"
                                        "0002A300"
                                        "07"
                                        "0007FFFF");
}

TEST(SimLogAnswers, FilterValuesOfTheWrongFormAreRefused) {
    SimLog log;
    for (const char* cmd : {"LFB=13/01/2020,00:00:00", "LFB=01/01/2020", "LFA=1/1/1999,00:00:00",
                            "LFT=X", "LFT=", "LFS=64", "LFS=3-1", "LFI=a", "LFI=1,,2"}) {
        SCOPED_TRACE(cmd);
        EXPECT_EQ(*log.Answer(cmd), Lines({"ERR"}));
    }
    EXPECT_EQ(*log.Answer("LFS=0-2,4,8-9"), Lines({"OK"}));
    EXPECT_EQ(*log.Answer("LFT=Data"), Lines({"OK"}));
    EXPECT_EQ(*log.Answer("LFD"),
              Lines({"Before: *", "After: *", "Type: Data", "SDI-12: 0-2,4,8-9", "Intern: *"}));
    for (const char* other : {"TCH?", "LHX?", "LOG?", "", "LF"}) {
        EXPECT_FALSE(log.Answer(other)) << other;
    }
}

} // namespace
} // namespace tavin::sim

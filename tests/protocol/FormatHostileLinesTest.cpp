// Lines no transmitter sends, and files no utility writes: every parser must
// survive them, never write past a table, and never fill a field with a value
// of the wrong form.

#include "FormatTestSupport.h"

#include "protocol/ParserOrder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using namespace tavin;
using tavin::test::Dump;
using tavin::test::Harness;

namespace {

bool IsTime(const std::string& t) {
    return t.size() == 8 && t[2] == ':' && t[5] == ':' &&
           std::all_of(t.begin(), t.end(),
                       [](char c) { return (c >= '0' && c <= '9') || c == ':'; });
}

bool OnlyFlagLetters(const std::string& f) {
    return f.find_first_not_of("CLBXSRNZ") == std::string::npos;
}

// What any sequence of lines may leave in the tables.
void ExpectSound(const XmtrConfig& c, const std::string& context) {
    SCOPED_TRACE(context);
    for (const auto& r : c.Internal) {
        const bool known = r.Type == "C" || r.Type == "TM" || r.Type == "TC" || r.Type == "TV" ||
                           r.Type == "BV" || r.Type == "CL" || r.Type == "1" || r.Type == "2" ||
                           r.Type == "3" ||
                           (r.Type.size() > 1 && r.Type[0] == 'E' &&
                            r.Type.find_first_not_of("0123456789", 1) == std::string::npos);
        ASSERT_TRUE(known) << r.Type;
        ASSERT_TRUE(IsTime(r.Interval) && IsTime(r.Offset));
        ASSERT_LE(r.Label.size(), 4u);
        ASSERT_LE(r.Trig, 3);
    }
    ASSERT_GE(c.SensorCountInternal, kMinInternCount);
    ASSERT_GE(c.TippingBucket.Multiplier, 0);
    ASSERT_LT(c.TippingBucket.Multiplier, kBucketMultiplierCount);
    for (const auto& r : c.MinMaxAvg) {
        ASSERT_TRUE(r.SourceType == 'C' || r.SourceType == 'S' || r.SourceType == 'I');
        ASSERT_TRUE(r.SourceIndex >= 0 && r.SourceIndex < 64);
        ASSERT_TRUE(IsTime(r.Interval) && IsTime(r.Offset));
    }
    for (const auto* table : {&c.TimedData[0], &c.RandomData[0]}) {
        const int rows = table == &c.TimedData[0] ? kTimedDataRows : kRandomDataRows;
        for (int i = 0; i < rows; ++i) {
            const TDataFormatRow& r = table[i];
            ASSERT_NE(std::string_view("CHTSI").find(r.SourceType), std::string_view::npos);
            if (r.SourceType == 'H') {
                ASSERT_LT(r.SourceIndex, kHeaderFieldCount);
            }
            if (r.SourceType == 'S' || r.SourceType == 'I') {
                ASSERT_LT(r.SourceIndex, 64);
            }
            ASSERT_LE(r.Text.size(), 10u);
            ASSERT_TRUE(OnlyFlagLetters(r.Flags)) << r.Flags;
            ASSERT_LE(r.StatFlags, 7);
        }
    }
    for (const auto& t : c.RandomTriggers) {
        ASSERT_NE(std::string_view("ADFHILRC").find(t.TriggerType), std::string_view::npos);
        ASSERT_TRUE(t.SensorType == '\0' || t.SensorType == 'S' || t.SensorType == 'I');
        ASSERT_LT(t.SensorIndex, 64);
    }
}

void OfferToBoth(const std::string& line, Harness& h) {
    OfferLine(DispatchParsers(), line, h.cfg, h.ctx);
    OfferLine(FileLoadParsers(), line, h.cfg, h.ctx);
}

} // namespace

TEST(HostileFormatLines, LinesThatMustChangeNothing) {
    std::string adp = "ADP=0";
    for (int i = 0; i < 300; ++i) {
        adp += ",x" + std::to_string(i);
    }
    const std::string lines[] = {"TDP=",
                                 "RDP=",
                                 "RRT=",
                                 "ADP=",
                                 "MMA=",
                                 "EQN=",
                                 "ISX=",
                                 "ILX=",
                                 "IS=",
                                 "IL=",
                                 "TBA=",
                                 "TDP=99999999999,S1,1,6",
                                 "RDP=99999999999,S1,1,6",
                                 "RRT=99999999999,H,S1,2",
                                 "MMA=99999999999,S1,01:00:00",
                                 "EQN=99999999999,x",
                                 "ISX=99999999999,TM",
                                 "ILX=99999999999,ABCD",
                                 "IS99999999999=TM,00:15:00",
                                 "IL99999999999=ABCD",
                                 "ADP=99999999999,1,2,3",
                                 "ADP=2147483647,1",
                                 adp,
                                 std::string("TDP=0,S1\0,1,6", 13),
                                 std::string(1, '\0'),
                                 "\xff\xfe=,\"",
                                 "=",
                                 ",",
                                 "\"",
                                 "\"\"\"",
                                 "?",
                                 "*",
                                 "TDP=\"0\",S1,1,6",
                                 "RRT=\"1\",H,S1,2",
                                 "=TDP=0,S1,1,6", // the first "=" is not the row's
                                 std::string(10000, ','),
                                 std::string(10000, '"'),
                                 "",
                                 " ",
                                 "OK",
                                 "ERR",
                                 "INV",
                                 ">"};
    for (const auto& line : lines) {
        Harness h;
        const std::string before = Dump(h.cfg);
        OfferToBoth(line, h);
        EXPECT_EQ(Dump(h.cfg), before) << line.substr(0, 60);
        ExpectSound(h.cfg, line.substr(0, 60));
    }
}

TEST(HostileFormatLines, HugeAndUnterminatedTextRows) {
    Harness h;
    OfferToBoth("TDP=0,T,\"" + std::string(10000, 'A') + "\",LN", h);
    EXPECT_EQ(h.cfg.TimedData[0].Text, "AAAAAAAAAA");
    EXPECT_EQ(h.cfg.TimedData[0].Flags, "LN");
    OfferToBoth("RDP=1,T,\"" + std::string(10000, 'B'), h);
    EXPECT_EQ(h.cfg.RandomData[1].Text, "BBBBBBBBBB");
    EXPECT_EQ(h.cfg.RandomData[1].Flags, "");
    OfferToBoth("TDP=2,T,\"x\"," + std::string(10000, 'L'), h);
    EXPECT_EQ(h.cfg.TimedData[2].Flags, std::string(10000, 'L')); // letters only: kept
    OfferToBoth("TDP=3,T,\"x\",LN" + std::string(10000, '?'), h);
    EXPECT_EQ(h.cfg.TimedData[3].Text, "x");
    EXPECT_EQ(h.cfg.TimedData[3].Flags, ""); // not flag letters
    ExpectSound(h.cfg, "text rows");
}

TEST(HostileFormatLines, RandomLinesKeepTheModelSound) {
    using namespace std::string_view_literals;
    // Heads of real rows, and pieces of real and broken values.
    static constexpr std::string_view kHeads[] = {
        "TDP=", "RDP=", "RRT=", "ADP=", "MMA=", "EQN=", "ISX=", "ILX=", "IS3=", "IL12=",
        "ISN=", "TBA=", "TBR=", "TBM=", "IM0=", "PIS=", "SL2=", "",     "x"};
    static constexpr std::string_view kPieces[] = {
        "C",           "H",    "T",  "S",  "I",  "E",        "D",    "L",     "A",    "F",
        "R",           "0",    "1",  "2",  "10", "47",       "63",   "64",    "255",  "256",
        "99999999999", "-",    "-7", "+",  ".",  "1.5",      "OK",   "ERR",   "N",    "X",
        "G",           "V",    "LN", "CZ", ":",  "00:15:00", "1:00", "H:M:S", "Time", " ",
        "\"",          "\"\"", "?",  "*",  "=",  "TDP",      "RRT",  "\xff",  "\0"sv};
    std::mt19937 rng(20261210);
    const auto pick = [&rng](const auto& table) {
        return table[std::uniform_int_distribution<std::size_t>(0, std::size(table) - 1)(rng)];
    };
    const auto upTo = [&rng](int n) { return std::uniform_int_distribution<int>(0, n)(rng); };
    Harness h;
    int changes = 0;
    for (int n = 0; n < 20000; ++n) {
        std::string line(pick(kHeads));
        line += std::to_string(upTo(70)); // a row number, mostly inside the tables
        for (int field = upTo(9); field > 0; --field) {
            line += ',';
            for (int k = 1 + upTo(2); k > 0; --k) {
                line.append(pick(kPieces));
            }
        }
        h.ctx.InternalSensorTestOn = n % 7 == 0;
        // Whether a line changed the model is sampled: the dump is the slow part.
        const bool sampled = n % 20 == 0;
        const std::string before = sampled ? Dump(h.cfg) : std::string();
        OfferToBoth(line, h);
        changes += sampled && Dump(h.cfg) != before;
        ExpectSound(h.cfg, line);
        if (HasFatalFailure()) {
            return;
        }
    }
    // The lines must reach the parsers' inner paths, not only their first test.
    EXPECT_GT(changes, 150) << changes;
}

TEST(HostileFormatLines, StrayCharactersInFrontOfARow) {
    Harness h;
    OfferToBoth("\x1bTDP=0,S1,1,6", h);
    OfferToBoth(" RRT=2,H,S1,2.5", h);
    OfferToBoth("xMMA=1,I2,01:00:00,00:00:00,N", h);
    EXPECT_EQ(h.cfg.TimedData[0].SourceType, 'S');
    EXPECT_EQ(h.cfg.RandomTriggers[2].TriggerType, 'H');
    EXPECT_EQ(h.cfg.MinMaxAvg[1].SourceType, 'I');
}

// A full hex dump decoded as its lines arrive, and saved hex logs decoded
// from a file, including damaged ones.

#include "datalog/HexDumpDecoder.h"
#include "datalog/HexText.h"
#include "datalog/SavedHexLog.h"

#include <gtest/gtest.h>

namespace tavin {
namespace {

using test::Hex;

const std::string kStx = Hex({0x01, 0, 0, 0x0E, 0x10, 0x04});                   // 6 bytes
const std::string kSync = Hex({0x83, 0x85, 0x00});                              // 3 bytes
const std::string kFloat = Hex({0x93, 0x82, 0x02, 0x41, 0xAC, 0x00, 0x00});     // 7 bytes
const std::string kSdi = Hex({0x10, 0x00, 0x00, 0x0E, 0x20, 0x09, 0x04, 0xD2}); // 8 bytes
const std::string kFill = "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF";

const std::vector<std::string> kLines = {
    "00001 STX  01/01/2000 01:00:00 TIMED",
    "00002 SYNC 01/01/2000 01:00:05",
    "00003 SDI3 01/01/2000 01:00:07 21.50",
};

std::string Pad(std::string hex) {
    hex.resize(32, 'F');
    return hex;
}

struct Dump {
    TLOG_REC rec;
    HexDumpDecoder dump{rec};
    std::vector<std::string> out;
    bool Add(const std::string& line) {
        return dump.AddLine(line, [&](const std::string& t) { out.push_back(t); });
    }
};

TEST(HexDump, LinesForTheLogSize) {
    EXPECT_EQ(HexDumpDecoder::LinesForSize(0), 0);
    EXPECT_EQ(HexDumpDecoder::LinesForSize(16), 1);
    EXPECT_EQ(HexDumpDecoder::LinesForSize(17), 2);
    EXPECT_EQ(HexDumpDecoder::LinesForSize(0xFFFFFFFFu), 0x10000000);
}

TEST(HexDump, RecordSplitOverTwoLinesIsDecodedWhenTheSecondArrives) {
    Dump d;
    const std::string stream = kStx + kSync + kSdi + kFloat; // the SDI-12 record straddles
    d.dump.Start(HexDumpDecoder::LinesForSize(24));
    EXPECT_FALSE(d.Add(stream.substr(0, 32)));
    EXPECT_EQ(d.out, std::vector<std::string>(kLines.begin(), kLines.begin() + 2));
    // The last line and its fill complete the dump without the prompt.
    EXPECT_TRUE(d.Add(Pad(stream.substr(32))));
    ASSERT_EQ(d.out.size(), 4u);
    EXPECT_EQ(d.out[2], "00003 SDI0 01/01/2000 01:00:16 123.4");
    EXPECT_EQ(d.out[3], "00004 SDI3 01/01/2000 01:00:18 21.50");
    EXPECT_EQ(d.dump.SkippedBytes(), 0);
    // Lines after completion (the prompt's fill) change nothing.
    EXPECT_TRUE(d.Add(kFill));
    EXPECT_EQ(d.out.size(), 4u);
}

TEST(HexDump, TheFinalPromptCompletesALogThatEndsOnALineBoundary) {
    Dump d;
    d.dump.Start(1);
    EXPECT_FALSE(d.Add(kSdi + kSdi)); // 16 bytes, nothing left over
    EXPECT_EQ(d.out.size(), 2u);
    EXPECT_TRUE(d.Add(kFill));
    EXPECT_EQ(d.out.size(), 2u);
}

TEST(HexDump, InvalidBytesAreSkippedAndEveryRecordStillComes) {
    Dump d;
    // Garbage ahead of each record, more of it than the lines can pay for
    // while they arrive; once all lines are in, the rest is decoded.
    const std::string data = "0000" + kStx + "0606" + kSync + "00" + kFloat + "0000000000";
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < data.size(); i += 32) {
        lines.push_back(Pad(data.substr(i, 32)));
    }
    d.dump.Start(static_cast<int>(lines.size()));
    for (const auto& l : lines) {
        d.Add(l);
    }
    if (!d.dump.Complete()) {
        EXPECT_TRUE(d.Add(kFill));
    }
    EXPECT_EQ(d.out, kLines);
    EXPECT_EQ(d.dump.SkippedBytes(), 10);
}

TEST(HexDump, NormalizedLines) {
    EXPECT_EQ(HexDumpDecoder::NormalizeLine("0a1B"), "0A1B");
    EXPECT_EQ(HexDumpDecoder::NormalizeLine("0A1"), "0A");
    EXPECT_EQ(HexDumpDecoder::NormalizeLine("0AZZ1B"), "0AFF1B");
    EXPECT_EQ(HexDumpDecoder::NormalizeLine("0 1B"), "FF1B");
}

TEST(SavedHexLog, DecodesALogSavedAsHex) {
    TLOG_REC rec;
    const std::string all = kStx + kSync + kFloat;
    const auto r = DecodeSavedHexLog({"10", all, kFill}, rec);
    EXPECT_TRUE(r.hasSizeLine);
    EXPECT_EQ(r.sizeBytes, 16u);
    EXPECT_EQ(r.records, kLines);
    EXPECT_EQ(r.skippedBytes, 0);
    EXPECT_FALSE(r.truncated);
}

TEST(SavedHexLog, DamagedFilesDecodeWhatCanBeDecoded) {
    const std::string all = kStx + kSync + kFloat;
    struct Case {
        const char* name;
        std::vector<std::string> lines;
        std::vector<std::string> records;
        bool truncated = false;
    };
    std::string lower = all;
    for (char& c : lower) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    std::vector<std::string> withSdi = kLines;
    withSdi.push_back("00004 SDI0 01/01/2000 01:00:16 123.4");
    const Case cases[] = {
        {"lower case, CRLF, blank lines", {"10\r", "", lower + "\r", ""}, kLines},
        {"no fill line", {"10", all}, kLines},
        {"no size line", {all, kFill}, kLines},
        {"text before the size line", {"Log saved", "10", all}, kLines},
        {"empty log", {"0"}, {}},
        // A stray character at the end of a line is dropped, so the next
        // line starts aligned.
        {"odd-length line", {"20", all + "0", Pad(kSdi)}, withSdi},
        // Noise between records costs no record.
        {"noise", {"20", kStx + "Z?" + kSync + kFloat, Pad(kSdi)}, withSdi},
        {"cut short", {"20", all, kSdi.substr(0, 10)}, kLines, true},
        {"no hex at all", {"zzzz", "not a log"}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TLOG_REC rec;
        const auto r = DecodeSavedHexLog(c.lines, rec);
        EXPECT_EQ(r.records, c.records);
        EXPECT_EQ(r.truncated, c.truncated);
    }
}

TEST(SavedHexLog, LargeGarbageFileEndsQuickly) {
    // A megabyte of bytes that are no records must neither hang nor crash.
    std::vector<std::string> lines{"100000"};
    for (int i = 0; i < 65536; ++i) {
        lines.push_back("000000000000000000000000000000ZZ");
    }
    TLOG_REC rec;
    const auto r = DecodeSavedHexLog(lines, rec);
    EXPECT_TRUE(r.records.empty());
    EXPECT_EQ(r.skippedBytes, 65536 * 15);
}

// A file of any size is read in the same little memory: each record is
// passed on once it is whole, and what is no record is not kept either.
TEST(SavedHexLog, TheReaderKeepsOnlyWhatIsNotYetDecoded) {
    struct Case {
        const char* name;
        std::string sizeLine;
        std::string line;
        std::size_t recordsPerLine;
    };
    const Case cases[] = {
        {"records, no size line", "", kStx + kSync + kFloat, 3},
        {"records", "100000", kStx + kSync + kFloat, 3},
        {"no records", "100000", "000000000000000000000000000000ZZ", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TLOG_REC rec;
        SavedHexLogReader reader(rec);
        std::size_t records = 0;
        const auto sink = [&](const std::string&) { ++records; };
        if (!c.sizeLine.empty()) {
            reader.AddLine(c.sizeLine, sink);
        }
        std::size_t longest = 0;
        for (std::size_t i = 1; i <= 10000; ++i) {
            reader.AddLine(c.line, sink);
            longest = std::max(longest, reader.Pending());
            EXPECT_GE(records + c.recordsPerLine, i * c.recordsPerLine);
        }
        reader.Finish(sink);
        EXPECT_EQ(records, 10000 * c.recordsPerLine);
        EXPECT_LT(longest, 10000u); // the decoded text is dropped as it goes
    }
}

} // namespace
} // namespace tavin

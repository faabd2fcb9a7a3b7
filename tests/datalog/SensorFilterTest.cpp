// Sensor lists of the log filters, and the reply lines the data log reads.

#include "datalog/SensorFilter.h"
#include "datalog/LogReplyLines.h"

#include <gtest/gtest.h>

namespace tavin {
namespace {

SensorList Ticked(int size, std::initializer_list<int> ticked) {
    SensorList list(static_cast<std::size_t>(size));
    for (int i : ticked) {
        list[static_cast<std::size_t>(i)].checked = true;
    }
    return list;
}

std::string TickedText(const SensorList& list) {
    std::string text;
    for (std::size_t i = 0; i < list.size(); ++i) {
        text += list[i].checked ? 'x' : '.';
    }
    return text;
}

TEST(SensorFilter, EntriesOfBothCommandSets) {
    SensorList sdi, internal;
    InitSensorLists(false, sdi, internal);
    ASSERT_EQ(sdi.size(), 10u);
    ASSERT_EQ(internal.size(), 5u);
    EXPECT_EQ(sdi[9].text, "9: SDI9");
    EXPECT_EQ(internal[0].text, "0: INT0");
    InitSensorLists(true, sdi, internal);
    ASSERT_EQ(sdi.size(), 64u);
    ASSERT_EQ(internal.size(), 64u);
    EXPECT_EQ(sdi[9].text, "9: SDI9");
    EXPECT_EQ(sdi[10].text, "10: SD10");
    EXPECT_EQ(internal[63].text, "63: IN63");

    SetSensorEntryLabel(sdi, 3, "LVL", false);
    EXPECT_EQ(sdi[3].text, "3: LVL");
    SetSensorEntryLabel(sdi, 64, "NONE", false);
    EXPECT_EQ(sdi.size(), 64u);
    InitSensorLists(false, sdi, internal);
    SetSensorEntryLabel(internal, 7, "BATT", true);
    ASSERT_EQ(internal.size(), 6u);
    EXPECT_EQ(internal[5].text, "7: BATT");
}

TEST(SensorFilter, FilterTextFromTickedEntriesAndBack) {
    struct Case {
        int size;
        std::initializer_list<int> ticked;
        const char* text;
    };
    const Case cases[] = {
        {10, {0, 1, 2, 4, 8, 9}, "LFS=0-2,4,8-9"},
        {10, {9}, "LFS=9"},
        {10, {0}, "LFS=0"},
        {10, {0, 1}, "LFS=0,1"}, // a pair inside the list
        {10, {8, 9}, "LFS=8-9"}, // a pair at the end
        {10, {1, 3, 5, 7}, "LFS=1,3,5,7"},
        {10, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, "LFS=0-9"},
        {5, {2, 3, 4}, "LFS=2-4"},
        {64, {10, 11, 12, 40, 63}, "LFS=10-12,40,63"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const SensorList list = Ticked(c.size, c.ticked);
        EXPECT_EQ(BuildSensorFilter("LFS=", list, c.size), c.text);
        // Reading the list back ticks the same entries.
        SensorList back(static_cast<std::size_t>(c.size));
        ApplyFilterList(std::string(c.text).substr(4), back);
        EXPECT_EQ(TickedText(back), TickedText(list));
    }
    // The count bounds the walk: a group reaching past it closes at its end.
    EXPECT_EQ(BuildSensorFilter("LFS=", Ticked(10, {3, 4, 5, 6}), 5), "LFS=3-4");
    EXPECT_EQ(BuildSensorFilter("LFS=", Ticked(10, {7}), 5), "LFS=");
}

TEST(SensorFilter, ApplyFilterListPassesOverWhatItCannotUse) {
    const std::pair<const char*, const char*> cases[] = {
        {"0-3,5", "xxxx.x...."}, {"5-3", ".........."}, // a reversed range
        {"8-20", "........xx"},                         // past the end of the list
        {"12", ".........."},    {"a,2,,b-c", "..x......."},
        {"", ".........."},      {" ", ".........."},
    };
    for (const auto& [text, ticked] : cases) {
        SCOPED_TRACE(text);
        SensorList list = Ticked(10, {1, 6});
        ApplyFilterList(text, list);
        EXPECT_EQ(TickedText(list), ticked);
    }
}

TEST(LogReplyLines, LabelsCountsAndTippingBucket) {
    auto internal = ParseInternalLabelLine("ILX=12,RAINX");
    ASSERT_TRUE(internal);
    EXPECT_EQ(internal->sensor, 12);
    EXPECT_EQ(internal->label, "RAIN");
    ASSERT_TRUE(ParseInternalLabelLine("IL3=BAT"));
    EXPECT_EQ(ParseInternalLabelLine("IL3=BAT")->label, "BAT");
    auto sdi = ParseSdi12LabelLine("SLX=4,LVL1");
    ASSERT_TRUE(sdi);
    EXPECT_EQ(sdi->sensor, 4);
    EXPECT_EQ(ParseSdi12LabelLine("SL10=WIND")->sensor, 10);
    for (const char* line : {"ILX=*?", "IL*?", "SLX=*?", "SL*?", "TIL=Long", "RIL=None", "SLN=3",
                             "SL3=", "SLX=64,ABCD", "SLX=x,ABCD"}) {
        SCOPED_TRACE(line);
        EXPECT_FALSE(ParseInternalLabelLine(line));
        EXPECT_FALSE(ParseSdi12LabelLine(line));
    }
    EXPECT_EQ(ParseCountLine("SSN=16", "SSN="), 16);
    EXPECT_FALSE(ParseCountLine("SSN=1x", "SSN="));
    EXPECT_FALSE(ParseCountLine("SSN?", "SSN="));
    const std::pair<const char*, int> multipliers[] = {
        {"TBM=0.01", 0}, {"TBM=0.025", 2}, {"TBM=1", 8}, {"TBM=2.5", 10}, {"TBM=5", 11}};
    for (const auto& [line, index] : multipliers) {
        EXPECT_EQ(ParseBucketMultiplierLine(line), index) << line;
    }
    EXPECT_FALSE(ParseBucketMultiplierLine("TBM=3"));
    EXPECT_FALSE(ParseBucketMultiplierLine("TBM=1e0"));
    EXPECT_EQ(ParseBucketRolloverLine("TBR=1000"), 1000);
    EXPECT_FALSE(ParseBucketRolloverLine("TBR=70000"));
}

TEST(LogReplyLines, FilterDisplayDates) {
    auto off = ParseFilterDateLine("Before: *", "Before:");
    ASSERT_TRUE(off);
    EXPECT_FALSE(off->on);
    auto on = ParseFilterDateLine("Before: 12/31/25,23:59:58", "Before:");
    ASSERT_TRUE(on && on->on);
    EXPECT_EQ(on->value.year, 2025);
    EXPECT_EQ(on->value.month, 12);
    EXPECT_EQ(on->value.day, 31);
    EXPECT_EQ(on->value.time, "23:59:58");
    auto longYear = ParseFilterDateLine("After: 03/04/2031,01:02:03", "After:");
    ASSERT_TRUE(longYear && longYear->on);
    EXPECT_EQ(longYear->value.year, 2031);
    EXPECT_FALSE(ParseFilterDateLine("After: garbage", "After:"));
    EXPECT_FALSE(ParseFilterDateLine("After: 13/04/31,01:02:03", "After:"));
    EXPECT_FALSE(ParseFilterDateLine("Type: Data", "After:"));
}

} // namespace
} // namespace tavin

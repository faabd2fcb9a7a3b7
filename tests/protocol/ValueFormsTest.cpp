#include "protocol/ValueForms.h"

#include <gtest/gtest.h>

using namespace tavin;

TEST(ValueForms, UncutWordDropsOnlyAWordCutByTheSplitterWindow) {
    const std::string head = "TOF=" + std::string(250, '1'); // 254 characters
    struct Case {
        std::string line;
        int n;
        std::string want;
    };
    for (const Case& c : {
             Case{"TCH=95,300", 3, "300"},
             Case{head + "A", 2, std::string(250, '1') + "A"},  // ends the text
             Case{head + "A,", 2, std::string(250, '1') + "A"}, // a delimiter follows
             Case{head + "AB", 2, ""},                          // cut after "A"
             Case{head + "A" + std::string(5000, 'B'), 2, ""},
             Case{"X=1," + std::string(5000, 'y'), 2, "1"}, // whole, early
             Case{"X=1," + std::string(5000, 'y'), 3, ""},
         }) {
        EXPECT_EQ(UncutWord(c.n, c.line, "=,"), c.want) << c.line.size();
    }
}

TEST(ValueForms, ChecksAndConversions) {
    OpFlagSet flags{};
    EXPECT_TRUE(ReadHexFlags("A5", flags));
    EXPECT_EQ(FormatHexFlags(flags), "A5");
    EXPECT_TRUE(ReadHexFlags("3", flags));
    EXPECT_EQ(FormatHexFlags(flags), "03");
    EXPECT_FALSE(ReadHexFlags("", flags));
    EXPECT_FALSE(ReadHexFlags("0x1", flags));
    EXPECT_EQ(FormatHexFlags(flags), "03");

    EXPECT_EQ(ChoiceIndex("pSeUdO", kTimedFormatWords), 1);
    EXPECT_EQ(ChoiceIndex("Pseudo ", kTimedFormatWords), -1);
    EXPECT_EQ(ChoiceIndex("rs-232", kDataSourceWords), 0);

    for (const char* t : {"00:00:00", "1:2:3", "99:99:99"}) {
        EXPECT_TRUE(IsTimeShape(t)) << t;
    }
    for (const char* t :
         {"", "00:00", "00:00:00:00", "00:0a:00", "000:00:00", "00::00", ":00:00"}) {
        EXPECT_FALSE(IsTimeShape(t)) << t;
    }
    EXPECT_TRUE(IsIntervalShape("01:00:00:00"));
    EXPECT_FALSE(IsIntervalShape("01:00:00:00:00"));

    std::int32_t n = 0;
    EXPECT_FALSE(ReadUnsigned("+5", n));
    EXPECT_FALSE(ReadUnsigned("2147483648", n));
    EXPECT_TRUE(ReadUnsigned("2147483647", n));
    EXPECT_TRUE(ReadSigned("-12", n));
    EXPECT_EQ(n, -12);
    double d = 0;
    EXPECT_FALSE(ReadPlainReal("1e3", d));
    EXPECT_TRUE(ReadPlainReal("-0.5", d));
    EXPECT_EQ(d, -0.5);
}

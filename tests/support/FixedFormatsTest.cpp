#include "support/FixedFormats.h"

#include <gtest/gtest.h>

using namespace tavin;

TEST(FixedFormats, FormatAndParse) {
    EXPECT_EQ(FormatShortDate(2026, 3, 7), "03/07/2026");
    EXPECT_EQ(FormatLongTime(9, 5, 0), "09:05:00");
    int y = 0, m = 0, d = 0;
    EXPECT_TRUE(ParseShortDate("02/29/2024", y, m, d));
    EXPECT_EQ(y, 2024);
    EXPECT_EQ(m, 2);
    EXPECT_EQ(d, 29);
    EXPECT_FALSE(ParseShortDate("02/29/2023", y, m, d));
    EXPECT_FALSE(ParseShortDate("13/01/2023", y, m, d));
    EXPECT_FALSE(ParseShortDate("1/1", y, m, d));
    EXPECT_FALSE(ParseShortDate("aa/bb/cccc", y, m, d));
    int h = 0, mi = 0, s = 0;
    EXPECT_TRUE(ParseLongTime("23:59:59", h, mi, s));
    EXPECT_FALSE(ParseLongTime("24:00:00", h, mi, s));
    EXPECT_FALSE(ParseLongTime("12:00", h, mi, s));
}

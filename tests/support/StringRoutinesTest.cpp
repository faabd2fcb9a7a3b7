#include "support/StringRoutines.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

using namespace tavin;

namespace {

struct SplitCase {
    int n;
    std::string text;
    std::string delimiters;
    std::string expected;
};

TEST(SplitWord, Cases) {
    const SplitCase cases[] = {
        {2, "TCH=95,300", "=,", "95"},
        {3, "TCH=95,300", "=,", "300"},
        {1, "TCH=95,300", "=,", "TCH"},
        {4, "TCH=95,300", "=,", ""},
        {3, "TDP=1,\"a,b\",7", "=,", "\"a,b\""},
        {4, "TDP=1,\"a,b\",7", "=,", "7"},
        {3, "TDP=1,\"say \"\"hi\"\", ok\",7", "=,", "\"say \"\"hi\"\", ok\""},
        {5, "1,2,,4", ",", ""},
        {3, "1,2,,4", ",", "4"},
        {1, ",,,a", ",", "a"},
        {2, "a,,b", ",", "b"},
        {1, "", ",", ""},
        {0, "a", ",", ""},
        {-3, "a", ",", ""},
        {2, "a,\"unterminated,b,c", ",", "\"unterminated,b,c"},
        {1, "word", "", "word"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SplitWord(c.n, c.text, c.delimiters), c.expected)
            << c.n << " of '" << c.text << "'";
    }
}

TEST(SplitWord, OnlyTheFirst255CharactersTakePart) {
    std::string text(254, 'a');
    text += ",b,c";
    EXPECT_EQ(SplitWord(2, text, ","), ""); // the comma is character 255, "b" is past it
    std::string text2(250, 'a');
    text2 += ",bbbbbbbbbb";
    EXPECT_EQ(SplitWord(2, text2, ","), "bbbb"); // cut at the window
}

TEST(StripChar, RemovesEveryOccurrence) {
    EXPECT_EQ(StripChar("a,b,,c,", ','), "abc");
    EXPECT_EQ(StripChar("", ','), "");
    EXPECT_EQ(StripChar(std::string("a\0b", 3), '\0'), "ab");
}

struct CheckCase {
    std::string text;
    bool flag;
    bool expected;
};

TEST(CharacterChecks, Integer) {
    const CheckCase cases[] = {
        {"", false, false},    {"-5", true, false},   {"-5", false, false},
        {"+5", true, true},    {"+5", false, false},  {"123", false, true},
        {"12a", false, false}, {"1.0", false, false}, {" 1", false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsIntegerText(c.text, c.flag), c.expected) << "'" << c.text << "' " << c.flag;
    }
}

TEST(CharacterChecks, Float) {
    const CheckCase cases[] = {
        {".", false, false},    {"+-", true, false},  {"1.5", false, true}, {"1e5", false, false},
        {"-1.5", false, false}, {"-1.5", true, true}, {"", true, false},    {"+.", true, false},
        {"10", false, true},    {".5", false, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsFloatText(c.text, c.flag), c.expected) << "'" << c.text << "' " << c.flag;
    }
}

TEST(CharacterChecks, AlphaNumAndHex) {
    EXPECT_TRUE(IsAlphaNumText("SDI1", false));
    EXPECT_TRUE(IsAlphaNumText("SDI1", true));
    EXPECT_TRUE(IsAlphaNumText("\xC9t\xE9", false)); // accented letters of the code page
    EXPECT_FALSE(IsAlphaNumText("A B", false));
    EXPECT_FALSE(IsAlphaNumText("", false));
    EXPECT_FALSE(IsAlphaNumText("\xD7", false)); // the multiplication sign is no letter

    EXPECT_TRUE(IsHexText("0123456789ABCDEF", false));
    EXPECT_FALSE(IsHexText("abc", false));
    EXPECT_TRUE(IsHexText("abc", true));
    EXPECT_FALSE(IsHexText("", true));
    EXPECT_FALSE(IsHexText("G1", true));
}

TEST(CharacterChecks, Time) {
    const CheckCase cases[] = {
        {"24:00:00", true, true},   {"24:00:01", true, false},  {"9:00:00", true, false},
        {"23:59:59", true, true},   {"00:60:00", true, false},  {"12:00:00", false, true},
        {"12:00:01", false, false}, {"11:59:59", false, true},  {"13:00:00", false, false},
        {"12 30 00", true, true},   {"12:3a:00", true, false},  {"-1:00:00", true, false},
        {"", true, false},          {"12:00:00 ", true, false}, {" 9:00:00", true, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsTimeText(c.text, c.flag), c.expected) << "'" << c.text << "' " << c.flag;
    }
}

TEST(ScanFormatted, Conversions) {
    std::vector<ScanValue> v;
    EXPECT_EQ(ScanFormatted("abc", "%d", v, 0), 0);
    EXPECT_EQ(ScanFormatted("12:30:00", "%d:%d:%d", v, 2), 3);
    EXPECT_EQ(v[0].integer, 12);
    EXPECT_EQ(v[1].integer, 30);
    EXPECT_EQ(v[2].integer, 0);
    EXPECT_EQ(ScanFormatted("12 30 00", "%d:%d:%d", v, 2), 3);
    EXPECT_EQ(v[1].integer, 30);
    EXPECT_EQ(ScanFormatted("12:30:00", "%d %d %d", v, 2), 3);
    EXPECT_EQ(ScanFormatted("x=7", "%d", v, 0), 1);
    EXPECT_EQ(v[0].integer, 7);
    EXPECT_EQ(ScanFormatted("-42 +3", "%d %d", v, 1), 2);
    EXPECT_EQ(v[0].integer, -42);
    EXPECT_EQ(v[1].integer, 3);
    // A token of signs and digits that is no number stops the scan.
    EXPECT_EQ(ScanFormatted("5 1-2 7", "%d %d %d", v, 2), 1);
    EXPECT_EQ(v[0].integer, 5);
    // Beyond 32 bits is no conversion.
    EXPECT_EQ(ScanFormatted("99999999999", "%d", v, 0), 0);
    EXPECT_EQ(ScanFormatted("-2147483648", "%d", v, 0), 1);
    EXPECT_EQ(v[0].integer, INT32_MIN);
    // At most lastSlot + 1 conversions.
    EXPECT_EQ(ScanFormatted("1 2 3", "%d %d %d", v, 1), 2);
    EXPECT_EQ(ScanFormatted("1 2 3", "%d %d %d", v, -1), 0);
    // Hex, real and word.
    EXPECT_EQ(ScanFormatted("n=1A2b", "%x", v, 0), 1);
    EXPECT_EQ(v[0].integer, 0x1A2B);
    EXPECT_EQ(ScanFormatted("FFFFFFFF", "%x", v, 0), 1);
    EXPECT_EQ(v[0].integer, -1);
    EXPECT_EQ(ScanFormatted("v=-1.25e2 x", "%f", v, 0), 1);
    EXPECT_DOUBLE_EQ(static_cast<double>(v[0].real), -125.0);
    EXPECT_EQ(ScanFormatted("  hello world", "%s %s", v, 1), 2);
    EXPECT_EQ(v[0].word, "hello");
    EXPECT_EQ(v[1].word, "world");
    // A plain letter in the format skips the text past that letter.
    EXPECT_EQ(ScanFormatted("abcd12", "d%d", v, 0), 1);
    EXPECT_EQ(v[0].integer, 12);
    EXPECT_EQ(ScanFormatted("abc12", "d%d", v, 0), 0);
    // An unknown conversion letter stops the scan; so does a trailing "%".
    EXPECT_EQ(ScanFormatted("1 2", "%d %q", v, 5), 1);
    EXPECT_EQ(ScanFormatted("1", "%", v, 5), 0);
    // The last character of the text is never skipped by "%d".
    EXPECT_EQ(ScanFormatted("a", "%d", v, 0), 0);
}

TEST(StrictConversions, Cases) {
    std::int32_t i = 0;
    EXPECT_TRUE(TextToInt32("-17", i));
    EXPECT_EQ(i, -17);
    EXPECT_FALSE(TextToInt32("", i));
    EXPECT_FALSE(TextToInt32("1-2", i));
    EXPECT_FALSE(TextToInt32("+", i));
    EXPECT_FALSE(TextToInt32("--1", i));
    EXPECT_FALSE(TextToInt32("2147483648", i));
    double d = 0;
    EXPECT_TRUE(TextToReal("7.5", d));
    EXPECT_EQ(d, 7.5);
    EXPECT_TRUE(TextToReal("+.5", d));
    EXPECT_EQ(d, 0.5);
    EXPECT_FALSE(TextToReal("inf", d));
    EXPECT_FALSE(TextToReal("0x10", d));
    EXPECT_FALSE(TextToReal(".", d));
    EXPECT_FALSE(TextToReal("1.2.3", d));
}

// Every routine sees raw bytes from the line: none may read out of bounds,
// throw or hang, whatever it is given.
TEST(HostileInput, NeverFails) {
    std::mt19937 rng(1234);
    std::vector<std::string> inputs = {
        std::string("\0\0\0", 3),
        std::string(100000, '"'),
        std::string(100000, ','),
        std::string(300, '9'),
        "\"\"\"",
        "\xFF\xFE\x80",
        "%d%d%d%d",
        "+-+-+-.",
        std::string(70000, '1') + ":" + std::string(70000, '2'),
    };
    for (int i = 0; i < 300; ++i) {
        std::string s(rng() % 600, '\0');
        for (auto& c : s) {
            c = static_cast<char>(rng() % 256);
        }
        inputs.push_back(s);
    }
    const char* formats[] = {"%d", "%d %d", "%d %d %d", "%d:%d:%d", "%x%f%s", "dfs%", "%s%s%s%s"};
    std::vector<ScanValue> v;
    for (const auto& in : inputs) {
        for (int n = 0; n < 5; ++n) {
            (void)SplitWord(n, in, "=,\"");
        }
        (void)StripChar(in, '"');
        (void)IsIntegerText(in, true);
        (void)IsFloatText(in, true);
        (void)IsAlphaNumText(in, false);
        (void)IsHexText(in, true);
        (void)IsTimeText(in, true);
        for (const char* f : formats) {
            for (int last : {-1, 0, 2, 1000}) {
                const int n = ScanFormatted(in, f, v, last);
                ASSERT_EQ(static_cast<std::size_t>(n), v.size());
                ASSERT_LE(n, last + 1 < 0 ? 0 : last + 1);
            }
        }
        std::int32_t i32;
        double d;
        (void)TextToInt32(in, i32);
        (void)TextToReal(in, d);
    }
}

} // namespace

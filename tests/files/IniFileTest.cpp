#include "files/IniFile.h"

#include <gtest/gtest.h>

using namespace tavin;
using namespace std::string_literals;

TEST(IniFile, LooksUpNamesWithoutRegardToCase) {
    const IniFile doc = IniFile::FromText("; preferences\n"
                                          "orphan=1\n"
                                          "[Config]\n"
                                          "  TavinVersion = 1.30  \n"
                                          "Quoted=\" padded \"\n"
                                          "Empty=\n"
                                          "not a key\n"
                                          "# Comment=1\n"
                                          "[config]\n"
                                          "TAVINVersion=9\n");
    EXPECT_EQ(doc.Get("CONFIG", "tavinversion"), "1.30");
    EXPECT_EQ(doc.Get("config", "QUOTED"), " padded ");
    EXPECT_EQ(doc.Get("CONFIG", "Empty"), "");
    EXPECT_EQ(doc.Get("CONFIG", "Comment"), std::nullopt);
    EXPECT_EQ(doc.Get("CONFIG", "orphan"), std::nullopt);
    EXPECT_EQ(doc.Get("FILES", "TAVINVersion"), std::nullopt);
}

TEST(IniFile, EditsInPlaceAndKeepsEverythingElse) {
    struct Case {
        const char* before;
        const char* section;
        const char* key;
        const char* value;
        const char* after;
    };
    for (const Case& c : {
             // an existing key keeps its spelling, spacing and position
             Case{"; mine\n[CONFIG]\ntavinVERSION = 1.11\nOther=x\n", "config", "TAVINVersion",
                  "1.3", "; mine\n[CONFIG]\ntavinVERSION = 1.3\nOther=x\n"},
             // a new key goes after the section's last entry, before blank lines
             Case{"[A]\nx=1\n\n[B]\ny=2\n", "A", "z", "3", "[A]\nx=1\nz=3\n\n[B]\ny=2\n"},
             // a new section goes at the end; a missing last line end is added
             Case{"[A]\nx=1", "B", "y", "2", "[A]\nx=1\n[B]\ny=2\n"},
             // line ends follow the file
             Case{"[A]\r\nx=1\r\n", "A", "y", "2", "[A]\r\nx=1\r\ny=2\r\n"},
             Case{"", "FILES", "ConfigPath", "/home/u/cfg", "[FILES]\nConfigPath=/home/u/cfg\n"},
             // values that would not read back are quoted; line breaks flattened
             Case{"[A]\n", "A", "p", " lead", "[A]\np=\" lead\"\n"},
             Case{"[A]\n", "A", "p", "\"q\"", "[A]\np=\"\"q\"\"\n"},
             Case{"[A]\n", "A", "p", "one\r\n[B]", "[A]\np=one  [B]\n"},
         }) {
        IniFile doc = IniFile::FromText(c.before);
        doc.Set(c.section, c.key, c.value);
        EXPECT_EQ(doc.ToText(), c.after) << c.before;
        EXPECT_EQ(doc.Get(c.section, c.key),
                  std::string(c.value) == "one\r\n[B]" ? "one  [B]" : c.value)
            << c.before;
    }
}

TEST(IniFile, TextRoundTripsUnchanged) {
    for (const std::string& text : {
             std::string("[A]\r\nx=1\nmixed\r\r\n\n;c\n[B]\ny=2"),
             "\xff\xfe[\x01]\0=\n=\n,\n["s,
             std::string(100000, 'x') + "\n[S]\nk=" + std::string(100000, 'v'),
             std::string(""),
         }) {
        const IniFile doc = IniFile::FromText(text);
        EXPECT_EQ(doc.ToText(), text);
    }
    const IniFile big = IniFile::FromText("[S]\nk=" + std::string(100000, 'v'));
    EXPECT_EQ(big.Get("S", "K")->size(), 100000u);
}

TEST(IniFile, RemovesEveryCopyOfAKeyInItsSection) {
    IniFile doc = IniFile::FromText("[S]\na=1\nb=2\nA=3\n[T]\na=4\n");
    EXPECT_TRUE(doc.Remove("s", "a"));
    EXPECT_FALSE(doc.Remove("s", "a"));
    EXPECT_EQ(doc.ToText(), "[S]\nb=2\n[T]\na=4\n");
}

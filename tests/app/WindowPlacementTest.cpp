#include "app/WindowPlacement.h"
#include "files/IniFile.h"

#include <gtest/gtest.h>

using namespace tavin;

TEST(WindowPlacement, KeptInItsOwnSection) {
    IniFile doc = IniFile::FromText("[COMM]\nComNum=2\n");
    WriteWindowPlacement(doc, {10, 20, 1200, 700, true});
    EXPECT_EQ(ReadWindowPlacement(doc), (WindowPlacement{10, 20, 1200, 700, true}));
    EXPECT_EQ(doc.Get("COMM", "ComNum"), "2");
    for (const char* bad : {"", "[WINDOW]\nLeft=1\nTop=1\nWidth=0\nHeight=5\n",
                            "[WINDOW]\nLeft=x\nTop=1\nWidth=10\nHeight=5\n",
                            "[WINDOW]\nLeft=1\nTop=1\nWidth=99999999\nHeight=5\n"}) {
        EXPECT_FALSE(ReadWindowPlacement(IniFile::FromText(bad))) << bad;
    }
}

TEST(WindowPlacement, BroughtBackOntoTheScreen) {
    const WindowPlacement screen{0, 0, 1366, 768, false};
    struct Case {
        WindowPlacement saved;
        WindowPlacement fitted;
    };
    const Case cases[] = {
        {{20, 30, 1200, 700, false}, {20, 30, 1200, 700, false}},
        {{3000, 2000, 1200, 700, false}, {166, 68, 1200, 700, false}},
        {{-500, -50, 1900, 1200, false}, {0, 0, 1366, 768, false}},
        {{10, 10, 100, 80, false}, {10, 10, 640, 480, false}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FitOnScreen(c.saved, screen, 640, 480), c.fitted) << c.saved.Left;
    }
}

#include "protocol/HeaderFieldWidth.h"

#include <gtest/gtest.h>

using namespace tavin;

TEST(HeaderFieldWidth, WholeTable) {
    struct Case {
        int kind, timedAscii, randomAscii, timedBinary, randomBinary;
    };
    const Case cases[] = {
        {0, 7, 7, 7, 7},   {1, 0, 1, 1, 1},   {2, 0, 1, 1, 1},   {3, 3, 3, 2, 2},
        {4, 5, 5, 1, 1},   {5, 5, 5, -2, -2}, {6, 5, 5, -2, -2}, {7, 6, 6, -2, -2},
        {8, 10, 10, 4, 4}, {9, 10, 10, 4, 4}, {10, 0, 2, 0, 1},  {11, 0, 0, 0, 0},
        {255, 0, 0, 0, 0}, {-1, 0, 0, 0, 0},
    };
    XmtrConfig cfg;
    cfg.General.PlatformIdString = "STATION";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        for (std::uint8_t binary : {1, 2}) { // pseudo-binary and binary alike
            cfg.TimedTx.DataFormat = 0;
            cfg.RandomTx.DataFormat = 0;
            EXPECT_EQ(GetHeaderFieldWidth(cfg, kTimedBuffer, c.kind), c.timedAscii);
            EXPECT_EQ(GetHeaderFieldWidth(cfg, kRandomBuffer, c.kind), c.randomAscii);
            // Each buffer follows its own message's format only.
            cfg.TimedTx.DataFormat = binary;
            EXPECT_EQ(GetHeaderFieldWidth(cfg, kTimedBuffer, c.kind), c.timedBinary);
            EXPECT_EQ(GetHeaderFieldWidth(cfg, kRandomBuffer, c.kind), c.randomAscii);
            cfg.RandomTx.DataFormat = binary;
            EXPECT_EQ(GetHeaderFieldWidth(cfg, kRandomBuffer, c.kind), c.randomBinary);
        }
    }
}

TEST(HeaderFieldWidth, PlatformIdLength) {
    XmtrConfig cfg;
    EXPECT_EQ(GetHeaderFieldWidth(cfg, kTimedBuffer, 0), 0);
    cfg.General.PlatformIdString = ".";
    EXPECT_EQ(GetHeaderFieldWidth(cfg, kRandomBuffer, 0), 0);
    cfg.General.PlatformIdString = std::string(40, 'x');
    EXPECT_EQ(GetHeaderFieldWidth(cfg, kTimedBuffer, 0), 40);
}

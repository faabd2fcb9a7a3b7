// "config check" warns of a timed message that outlasts its window, without
// changing the check's result.

#include "cli/ConfigCommand.h"
#include "files/TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

using namespace tavin;
using tavin::testing::TempFolder;
using ::testing::HasSubstr;

namespace {

TEST(ConfigCheckWindow, LongTimedMessageIsAWarningOnly) {
    TempFolder dir;
    const std::string ini = dir.File("tavin-utility.ini");
    TempFolder::Write(ini, "[CONFIG]\r\nTAVINVersion=1.53\r\n");
    // 100 bit/s: 64 bytes take 64 / 12.5 + 1.52 = 6.64 s of a 5 s window.
    const std::string base = "TCH=95,100\r\nTTI=00:01:00:00\r\nTDS=Sensor\r\n"
                             "SSX=0,0,0,1,00:15:00,00:00:00,1\r\nTDP=0,S0,8,8\r\n";
    for (const char* window : {"TWL=5\r\n", "TWL=10\r\n"}) {
        TempFolder::Write(dir.File("c.txt"), base + window);
        std::ostringstream out, err;
        const std::vector<std::string> args = {"check", dir.File("c.txt")};
        EXPECT_EQ(RunConfigCommand(args, out, err, ini), 0) << err.str();
        EXPECT_THAT(out.str(), HasSubstr("Local Configuration OK\n"));
        if (std::string(window) == "TWL=5\r\n") {
            EXPECT_THAT(out.str(), HasSubstr("Warning: The timed message takes 6.640 sec but its "
                                             "transmit window is 5 sec"));
        } else {
            EXPECT_EQ(out.str(), "Local Configuration OK\n");
        }
    }
}

} // namespace

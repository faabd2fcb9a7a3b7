#include "protocol/TimeDataInfo.h"
#include "ConfigFixture.h"

#include <gtest/gtest.h>

using namespace tavin;
using namespace tavin::testing;

using Calls = std::vector<std::string>;

TEST(ParseTimeDataInfo, ClockAndDateReplies) {
    struct Case {
        const char* line;
        bool armed;
        Calls calls;
        bool armedAfter;
    };
    for (const Case& c : {
             Case{"TIM=12:30:05", true, {"time:12:30:05", "status: 12:30:05", "gps-cleared"}, true},
             Case{"TIM=Not Set", false, {"time:", "status: Not Set"}, false},
             Case{"TIM=Not Set",
                  true,
                  {"time:", "status: Not Set", "error:TAVIN CLOCK IS NOT SET"},
                  false},
             Case{"TIM=12:3x:05", true, {}, true},
             Case{"TIM=25:00:00", true, {}, true},
             Case{"TIM=", true, {}, true},
             Case{"DAT=07/04/2024", true, {"date:07/04/2024", "status: 07/04/2024"}, false},
             Case{"DAT=Not Set",
                  true,
                  {"date:", "status: Not Set", "error:TAVIN CLOCK IS NOT SET"},
                  false},
             Case{"DAT=13/45/2024", true, {}, false},
             Case{"TIM?", true, {}, true},
         }) {
        Host host;
        host.View.Armed = c.armed;
        XmtrConfig cfg;
        const XmtrConfig before = cfg;
        ParseTimeDataInfo(c.line, cfg, host.Ctx);
        EXPECT_EQ(host.View.Calls, c.calls) << c.line;
        EXPECT_EQ(host.View.Armed, c.armedAfter) << c.line;
        EXPECT_EQ(cfg, before) << c.line;
    }
}

TEST(ParseTimeDataInfo, UtcReplies) {
    struct Case {
        const char* line;
        Calls calls;
        int preference;
    };
    for (const Case& c : {
             Case{"UTC=-14,M",
                  {"rearm", "utc-pending-cleared", "utc:-14", "source:Manual Set"},
                  -14},
             Case{"UTC=15", {"rearm", "utc-pending-cleared", "utc:15", "source:"}, 15},
             Case{"UTC=Not Set",
                  {"rearm", "utc-pending-cleared", "info:UTC Is Not Set", "source:"},
                  -13},
             Case{"UTC=300", {"rearm", "utc-pending-cleared"}, -13},
             Case{"UTC=abc", {"rearm", "utc-pending-cleared"}, -13},
         }) {
        Host host;
        XmtrConfig cfg;
        ParseTimeDataInfo(c.line, cfg, host.Ctx);
        EXPECT_EQ(host.View.Calls, c.calls) << c.line;
        EXPECT_EQ(host.Ini.Correction, c.preference) << c.line;
    }
}

TEST(ParseTimeDataInfo, WorksWithoutAView) {
    XmtrConfig cfg;
    TGlbIni ini;
    ParseContext ctx;
    ctx.Ini = &ini;
    ParseTimeDataInfo("UTC=-3", cfg, ctx);
    EXPECT_EQ(ini.Correction, -3);
    ParseTimeDataInfo("TIM=Not Set", cfg, ctx);
}

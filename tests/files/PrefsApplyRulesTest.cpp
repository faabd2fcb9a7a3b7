#include "files/PrefsApplyRules.h"
#include "protocol/GlbIni.h"
#include "protocol/UtilityControl.h"
#include "protocol/XmtrConfig.h"

#include <gtest/gtest.h>

using namespace tavin;

TEST(PrefsApplyRules, TimedIntervalFollowsAllowIntervalDays) {
    const struct {
        bool days;
        const char* shown;
        const char* text;
    } cases[] = {
        {true, "01:00:00", "00:01:00:00"},
        {true, "02:03:04:05", "02:03:04:05"},
        {true, "::", "::"},
        {false, "00:01:00:00", "01:00:00"},
        {false, "01:00:00", "01:00:00"},
        {false, ":::", ":::"},
    };
    for (const auto& c : cases) {
        const TimedIntervalForm form = TimedIntervalForPrefs(c.days, c.shown);
        EXPECT_EQ(form.text, c.text) << c.shown;
        EXPECT_EQ(form.withDays, c.days);
        EXPECT_STREQ(form.hint, c.days ? "Enter Transmission Interval (dd:hh:mm:ss)"
                                       : "Enter Transmission Interval (hh:mm:ss)");
    }
}

TEST(PrefsApplyRules, LetterAddressesAreTakenOut) {
    XmtrConfig cfg;
    const char* addresses[] = {"0", "9", "A", "z", " ", ":"};
    for (int i = 0; i < 6; ++i) {
        cfg.SDI12[i].Address = addresses[i];
        cfg.SDI12[i].Enabled = true;
    }
    cfg.SDI12[6].Append = true; // a further value of the row above: no address of its own
    EXPECT_EQ(ClearLetterAddresses(cfg), 3);
    EXPECT_EQ(cfg.SDI12[0].Address, "0");
    EXPECT_EQ(cfg.SDI12[1].Address, "9");
    for (int i : {2, 3, 5}) {
        EXPECT_EQ(cfg.SDI12[i].Address, "") << i;
        EXPECT_FALSE(cfg.SDI12[i].Enabled) << i;
    }
    EXPECT_EQ(cfg.SDI12[4].Address, ""); // blank becomes empty
    EXPECT_TRUE(cfg.SDI12[6].Append);
}

TEST(PrefsApplyRules, SensorGridsFollowTheSwitches) {
    const struct {
        int code;
        int rows;
        bool trig, scroll;
    } cases[] = {{114, 10, false, false},
                 {115, 10, true, false},
                 {129, 10, true, false},
                 {130, 0, true, true}};
    for (const auto& c : cases) {
        TUtilityControl switches;
        switches.SetVersionCode(c.code, TGlbIni{});
        const SensorGridShape sdi = SDI12GridShape(switches);
        EXPECT_EQ(sdi.rows, c.rows) << c.code;
        EXPECT_EQ(sdi.trigShown, c.trig) << c.code;
        EXPECT_EQ(sdi.scrollBar, c.scroll) << c.code;
        const SensorGridShape intern = InternGridShape(switches);
        EXPECT_EQ(intern.rows, 0);
        EXPECT_EQ(intern.trigShown, c.trig) << c.code;
        EXPECT_EQ(intern.scrollBar, c.scroll) << c.code;
    }
}

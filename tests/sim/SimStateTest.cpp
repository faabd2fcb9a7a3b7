// Enable and disable, the configuration check, configuration storage and the
// password, the clock, and the GPS operations.

#include "SimDriver.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace tavin::sim {
namespace {

using ::testing::ElementsAre;
using testing::SimDriver;

TEST(SimState, ConfigurationCheckDecidesWhetherTransmissionsMayStart) {
    SimDriver d;
    struct Case {
        std::vector<const char*> setup;
        const char* verdict;
    };
    const std::vector<Case> cases = {
        {{}, "CTX=OK"},
        {{"TCH=95,300"}, "CTX=TDT Empty"},
        {{"TCH=95,300", "TDP=0,H0"}, "CTX=OK"},
        {{"RCH=120,300"}, "CTX=RRT Empty"},
        {{"RCH=120,300", "RDS=RS-232"}, "CTX=OK"},
    };
    for (const Case& c : cases) {
        SimDriver fresh;
        for (const char* line : c.setup) {
            ASSERT_EQ(fresh.One(line), "OK") << line;
        }
        EXPECT_EQ(fresh.One("CTX?"), c.verdict);
        EXPECT_EQ(fresh.One("ETX"), std::string(c.verdict) == "CTX=OK" ? "OK" : "ERR");
    }
    d.sim.Clock().Unset();
    EXPECT_EQ(d.One("CTX?"), "CTX=TIM Not Set");
    EXPECT_EQ(d.One("ETX"), "ERR");
    EXPECT_EQ(d.One("ELG"), "ERR");
    EXPECT_EQ(d.sim.State(), RunState::Disabled);
}

TEST(SimState, EnabledTransmitterRefusesConfigurationChanges) {
    SimDriver d;
    ASSERT_EQ(d.One("ETX"), "OK");
    EXPECT_EQ(d.One("CTX?"), "CTX=Enabled");
    for (const char* line :
         {"TCH=95,300", "SS*=CLEAR", "SSX=0,0,0,1,00:15:00,00:00:00,1", "TDP=CLEAR", "ADP=*", "CFS",
          "CFR", "ConfigDefault", "CFB", "GCS", "FGF"}) {
        EXPECT_EQ(d.One(line), "ERR") << line;
    }
    // Queries, the clock and the bucket count still work.
    EXPECT_EQ(d.One("TCH?"), "TCH=0");
    EXPECT_EQ(d.One("TIM=10:00:00"), "OK");
    EXPECT_EQ(d.One("TBC=5"), "OK");
    ASSERT_EQ(d.One("DTX"), "OK");
    EXPECT_EQ(d.One("TCH=95,300"), "OK");
    // The logger mode is an enabled state too.
    ASSERT_EQ(d.One("ELG"), "OK");
    EXPECT_EQ(d.One("CTX?"), "CTX=Logger Enabled");
    EXPECT_EQ(d.One("TCH=1,100"), "ERR");
}

TEST(SimState, SaveRestoreAndFactoryDefaults) {
    SimDriver d;
    d.One("TCH=95,300");
    d.One("SSX=0,0,0,1,00:15:00,00:00:00,1");
    ASSERT_EQ(d.One("CFS"), "OK");
    d.One("TCH=17,100");
    d.One("SS*=CLEAR");
    ASSERT_EQ(d.One("CFR"), "OK"); // back to what was saved
    EXPECT_EQ(d.One("TCH?"), "TCH=95,300");
    EXPECT_THAT(d.Reply("SS*?"), ElementsAre("SS0=0,0,1,00:15:00,00:00:00,1"));
    ASSERT_EQ(d.One("ConfigDefault"), "OK");
    EXPECT_EQ(d.One("TCH?"), "TCH=0");
    EXPECT_THAT(d.Reply("SS*?"), ElementsAre());
    ASSERT_EQ(d.One("CFR"), "OK"); // defaults were not saved
    EXPECT_EQ(d.One("TCH?"), "TCH=95,300");
    // Calibration values are no part of the configuration.
    d.One("SFC=0.5");
    d.One("ConfigDefault");
    EXPECT_EQ(d.One("SFC?"), "SFC=0.5");
}

TEST(SimState, PasswordGuardsConfigurationUntilSaved) {
    SimDriver d;
    d.sim.SetPassword("secret");
    EXPECT_EQ(d.One("TCH=95,300"), "ERR");
    EXPECT_EQ(d.One("CFE=wrong"), "ERR");
    EXPECT_EQ(d.One("TCH=95,300"), "ERR");
    EXPECT_EQ(d.One("TCH?"), "TCH=0");
    ASSERT_EQ(d.One("CFE=secret"), "OK");
    EXPECT_EQ(d.One("CFB"), "OK");
    EXPECT_EQ(d.One("TCH=95,300"), "OK");
    EXPECT_EQ(d.One("CFS"), "OK");
    EXPECT_EQ(d.One("TCH=17,100"), "ERR"); // locked again after saving
    d.sim.SetFirmwareVersion("1.29");
    EXPECT_EQ(d.One("CFE=secret"), "ERR");
}

TEST(SimState, ClockRunsOnVirtualTime) {
    SimDriver d;
    d.sim.Clock().Unset();
    EXPECT_EQ(d.One("TIM?"), "TIM=Not Set");
    EXPECT_EQ(d.One("DAT?"), "DAT=Not Set");
    const std::vector<std::pair<const char*, const char*>> sets = {
        {"TIM=25:00:00", "INV"},   {"TIM=1:2:3", "INV"},   {"DAT=02/30/2024", "INV"},
        {"DAT=2024-01-01", "INV"}, {"TIM=23:59:30", "OK"}, {"DAT=02/28/2024", "OK"},
    };
    for (const auto& [line, reply] : sets) {
        EXPECT_EQ(d.One(line), reply) << line;
    }
    d.Wait(65000); // over midnight into a leap day
    EXPECT_EQ(d.One("TIM?"), "TIM=00:00:35");
    EXPECT_EQ(d.One("DAT?"), "DAT=02/29/2024");
}

TEST(SimState, GpsCalibrationAndFixRunTheirCourse) {
    SimDriver d;
    ASSERT_EQ(d.One("GCS"), "OK");
    std::string status = d.One("GCS?");
    EXPECT_EQ(status.substr(0, 18), "GCS=Acquiring Fix,");
    EXPECT_NE(status.find(",OCXO="), std::string::npos);
    EXPECT_NE(status.find(",TCXO="), std::string::npos);
    EXPECT_EQ(d.One("GPS?"), "GPS=Acquiring");
    d.Wait(4000);
    EXPECT_EQ(d.One("GCS?").substr(0, 16), "GCS=Calibrating,");
    d.Wait(7000);
    EXPECT_EQ(d.One("GCS?"), "GCS=Not Active");
    std::vector<std::string> cal = d.Reply("LGC?");
    EXPECT_EQ(cal[0], "Time: N/A");
    EXPECT_EQ(cal[1].substr(0, 6), "OCXO: ");
    EXPECT_NE(cal[1], "OCXO: N/A");

    // A fix sets an unset clock from the GPS and the UTC correction from
    // the almanac; a manual preset is then refused with INV.
    d.sim.Clock().Unset();
    ASSERT_EQ(d.One("FGF"), "OK");
    ASSERT_EQ(d.One("GCS=ABORT"), "OK");
    EXPECT_EQ(d.One("GCS?"), "GCS=Not Active");
    ASSERT_EQ(d.One("FGF"), "OK");
    d.Wait(6000);
    EXPECT_EQ(d.One("GPS?"), "GPS=Fix Valid");
    EXPECT_NE(d.One("TIM?"), "TIM=Not Set");
    EXPECT_EQ(d.One("UTC?"), "UTC=18");
    EXPECT_EQ(d.One("UTC=-13"), "INV");
    EXPECT_EQ(d.Reply("RGP?")[1], "Lat: 45.4215");
    EXPECT_EQ(d.One("GCS=START"), "INV");
}

} // namespace
} // namespace tavin::sim

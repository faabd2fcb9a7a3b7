// The indexed tables: both command forms, bulk queries, clearing, labels and
// the firmware's row limits.

#include "SimDriver.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace tavin::sim {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testing::SimDriver;

TEST(SimTables, RowsSetInOneFormAreListedInBoth) {
    SimDriver d;
    ASSERT_EQ(d.One("SS0=0,0,1,00:15:00,00:00:00,5H"), "OK");
    ASSERT_EQ(d.One("SSX=1,1,C1,2,01:00:00,00:00:00,D"), "OK");
    ASSERT_EQ(d.One("SS2=&,&,3,1"), "OK");
    EXPECT_THAT(d.Reply("SS*?"), ElementsAre("SS0=0,0,1,00:15:00,00:00:00,5H",
                                             "SS1=1,C1,2,01:00:00,00:00:00,D", "SS2=&,&,3,1"));
    EXPECT_THAT(d.Reply("SSX=*?"),
                ElementsAre("SSX=0,0,0,1,00:15:00,00:00:00,5H", "SSX=1,1,C1,2,01:00:00,00:00:00,D",
                            "SSX=2,&,&,3,1"));
    EXPECT_EQ(d.One("SS1?"), "SS1=1,C1,2,01:00:00,00:00:00,D");
    EXPECT_EQ(d.One("SS5?"), "SS5=C");

    // A "C" row clears it; the list closes up around it.
    ASSERT_EQ(d.One("SSX=1,C"), "OK");
    EXPECT_THAT(d.Reply("SS*?"), ElementsAre("SS0=0,0,1,00:15:00,00:00:00,5H", "SS2=&,&,3,1"));
}

TEST(SimTables, InternalRowsAndTheirLabels) {
    SimDriver d;
    ASSERT_EQ(d.One("ISX=2,TM,00:15:00,00:00:00,4HL"), "OK");
    ASSERT_EQ(d.One("IS0=BV,01:00:00,00:00:00,1"), "OK");
    ASSERT_EQ(d.One("IL0=BATT"), "OK");
    EXPECT_THAT(d.Reply("IS*?"),
                ElementsAre("IS0=BV,01:00:00,00:00:00,1", "IS2=TM,00:15:00,00:00:00,4HL"));
    // Labels of the rows in use, set or default.
    EXPECT_THAT(d.Reply("ILX=*?"), ElementsAre("ILX=0,BATT", "ILX=2,INT2"));
    EXPECT_THAT(d.Reply("IL*?"), ElementsAre("IL0=BATT", "IL2=INT2"));
    EXPECT_EQ(d.One("IL12=TOOLONG"), "INV");
    ASSERT_EQ(d.One("SLX=12,RAIN"), "OK");
    EXPECT_THAT(d.Reply("SLX=*?"), ElementsAre("SLX=12,RAIN"));
    EXPECT_EQ(d.One("SL3?"), "SL3=SDI3");
    EXPECT_EQ(d.One("SL11?"), "SL11=SD11");
}

TEST(SimTables, ClearFormsEmptyTheirTable) {
    SimDriver d;
    const std::vector<std::pair<std::vector<const char*>, std::pair<const char*, const char*>>>
        cases = {
            {{"SS0=0,0,1,00:15:00,00:00:00,1", "SS*=CLEAR"}, {"SS*?", ""}},
            {{"SL0=ABCD", "SL*=CLEAR"}, {"SL*?", ""}},
            {{"IS0=TM,00:15:00,00:00:00,1", "IS*=CLEAR"}, {"IS*?", ""}},
            {{"IL0=ABCD", "IL*=CLEAR"}, {"IL*?", ""}},
            {{"EQN=0,S0*2", "EQN=CLEAR"}, {"EQN?", ""}},
            {{"MMA=3,S12,01:00:00,00:00:00,NXG", "MMA=CLEAR"}, {"MMA?", ""}},
            {{"TDP=0,H0", "TDP=CLEAR"}, {"TDP=*?", "TDP=0,0"}},
            {{"RDP=0,H0", "RDP=CLEAR"}, {"RDP?", "RDP=0,0"}},
            {{"RRT=0,I,3600", "RRT=CLEAR"}, {"RRT?", "RRT=0"}},
        };
    for (const auto& [sets, check] : cases) {
        for (const char* line : sets) {
            ASSERT_EQ(d.One(line), "OK") << line;
        }
        std::vector<std::string> r = d.Reply(check.first);
        if (*check.second) {
            EXPECT_THAT(r, ElementsAre(check.second)) << check.first;
        } else {
            EXPECT_THAT(r, IsEmpty()) << check.first;
        }
    }
    EXPECT_EQ(d.One("SSX=CLEAR"), "INV"); // the X form has no clear
}

TEST(SimTables, FormatTriggerEquationAndMinMaxRows) {
    SimDriver d;
    const char* rows[] = {"TDP=0,H0",
                          "TDP=1,T,\"A,\"\"B\"\"\",CL",
                          "TDP=2,S0,1,6,LN,1.5,-2",
                          "RDP=0,I2,1NX,5",
                          "RRT=0,I,3600",
                          "RRT=1,H,S2,25.5",
                          "MMA=3,S12,01:00:00,00:00:00,NXG",
                          "EQN=0,(S0+S1)/2,5"};
    for (const char* r : rows) {
        ASSERT_EQ(d.One(r), "OK") << r;
    }
    EXPECT_THAT(d.Reply("TDP?"),
                ElementsAre("TDP=0,H0", "TDP=1,T,\"A,\"\"B\"\"\",CL", "TDP=2,S0,1,6,LN,1.5,-2"));
    EXPECT_THAT(d.Reply("RDP=*?"), ElementsAre("RDP=0,I2,1NX,5"));
    EXPECT_THAT(d.Reply("RRT?"), ElementsAre("RRT=0,I,3600", "RRT=1,H,S2,25.5"));
    EXPECT_THAT(d.Reply("MMA?"), ElementsAre("MMA=3,S12,01:00:00,00:00:00,NXG"));
    EXPECT_THAT(d.Reply("EQN?"), ElementsAre("EQN=0,(S0+S1)/2,5"));
    EXPECT_EQ(d.One("EQT=E0"), "EQT=0.000");
    EXPECT_EQ(d.One("EQT=E1"), "INV");
    EXPECT_EQ(d.One("TDP=5,0"), "OK"); // "0" is a cleared format row
    const std::vector<const char*> invalid = {"TDP=100,H0",  "RDP=40,H0",
                                              "RRT=30,I,60", "MMA=64,S0,01:00:00,00:00:00",
                                              "TDP=x,H0",    "SS64=0,0,1,00:15:00,00:00:00,1"};
    for (const char* r : invalid) {
        EXPECT_EQ(d.One(r), "INV") << r;
    }
}

TEST(SimTables, ArgosDataPack) {
    SimDriver d;
    ASSERT_EQ(d.One("ADP=0,5"), "OK");
    ASSERT_EQ(d.One("ADP=1,7"), "OK");
    ASSERT_EQ(d.One("ADP=10,3,5,7"), "OK");
    EXPECT_EQ(d.One("ADP=47,1,2"), "INV");
    EXPECT_EQ(d.One("ADP=0,256"), "INV");
    std::vector<std::string> pack = d.Reply("ADP?");
    ASSERT_EQ(pack.size(), 6u);
    EXPECT_EQ(pack[0], "ADP=0,5,7,0,0,0,0,0,0");
    EXPECT_EQ(pack[1], "ADP=8,0,0,3,5,7,0,0,0");
    EXPECT_EQ(pack[5].substr(0, 7), "ADP=40,");
    // "ADP=*" takes the pack from the sensors and answers with it.
    EXPECT_EQ(d.Reply("ADP=*").size(), 6u);
    EXPECT_EQ(d.One("ADS?"), "ADS=Sensor");
    ASSERT_EQ(d.One("ADP=CLEAR"), "OK");
    EXPECT_EQ(d.Reply("ADP?")[0], "ADP=0,0,0,0,0,0,0,0,0");
    EXPECT_EQ(d.One("ADS?"), "ADS=RS-232");
}

TEST(SimTables, SamplesShowTheNextSampleTimeOfEachRow) {
    SimDriver d;
    d.now = 0;
    d.sim.Clock().Set(2024, 3, 4, 12, 7, 0, 0);
    d.One("SSX=0,0,0,1,00:15:00,00:00:00,1");
    d.One("SSX=1,&,&,2,1");
    d.One("ISX=0,TM,01:00:00,00:30:00,1");
    // Not sampling while disabled.
    EXPECT_THAT(d.Reply("SMX=*?"),
                ElementsAre("SMX=0,00/00/0000,00:00:00", "SMX=1,00/00/0000,00:00:00"));
    ASSERT_EQ(d.One("ELG"), "OK");
    EXPECT_THAT(d.Reply("SMX=*?"),
                ElementsAre("SMX=0,03/04/2024,12:15:00", "SMX=1,03/04/2024,12:15:00"));
    EXPECT_THAT(d.Reply("SM*?"), ElementsAre("SM0=03/04/2024,12:15:00", "SM1=03/04/2024,12:15:00"));
    EXPECT_THAT(d.Reply("IMX=*?"), ElementsAre("IMX=0,03/04/2024,12:30:00"));
    EXPECT_THAT(d.Reply("IM*?"), ElementsAre("IM0=03/04/2024,12:30:00"));
}

TEST(SimTables, TestBufferFollowsTheFormat) {
    SimDriver d;
    EXPECT_THAT(d.Reply("TBD?"), ElementsAre("TBD=0"));
    d.One("TDP=0,T,\"AB\"");
    d.One("TDP=1,S0,2,4");
    ASSERT_EQ(d.One("TDP"), "OK");
    EXPECT_THAT(d.Reply("TBD?"), ElementsAre("TBD=12", "AB 0000 0000"));
    EXPECT_THAT(d.Reply("TBD"), ElementsAre("TBD=12", "AB 0000 0000"));
    EXPECT_THAT(d.Reply("RBD"), ElementsAre("RBD=0"));
    ASSERT_EQ(d.One("ETX"), "OK");
    EXPECT_EQ(d.One("TDP"), "ERR"); // no test build while enabled
    EXPECT_EQ(d.One("RDP"), "ERR");
}

} // namespace
} // namespace tavin::sim

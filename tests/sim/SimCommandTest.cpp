// What the simulated transmitter answers to each command family, as the
// utility sees it on the line: echo, reply lines, prompt.

#include "SimDriver.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace tavin::sim {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using testing::SimDriver;

struct Exchange {
    const char* line;
    std::vector<std::string> answer; // echo, reply lines and prompt
};

TEST(SimCommands, AnswersAFreshTransmitterByteForByte) {
    SimDriver d;
    const std::vector<Exchange> cases = {
        {"ARG?", {"ARG?", "ARG=0", ">"}},
        {"TCH?", {"TCH?", "TCH=0", ">"}},
        {"TTI?", {"TTI?", "TTI=00:01:00:00", ">"}},
        {"PIS?", {"PIS?", "PIS=.", ">"}},
        {"SSN?", {"SSN?", "SSN=10", ">"}},
        {"ISN?", {"ISN?", "ISN=5", ">"}},
        {"TCH=95,300", {"TCH=95,300", "OK", ">"}},
        {"TCH=abc,300", {"TCH=abc,300", "INV", ">"}},
        {"TOF=a5", {"TOF=a5", "INV", ">"}},
        {"TDF=pseudo", {"TDF=pseudo", "OK", ">"}},
        {"TDF=Hex", {"TDF=Hex", "INV", ">"}},
        {"XYZ?", {"XYZ?", "ERR", ">"}},
        {"tch?", {"tch?", "ERR", ">"}},
        {"TCH", {"TCH", "ERR", ">"}},
        {"RST", {"RST", "ERR", ">"}},
        {"", {">"}},
        {"TDS=RS-232", {"TDS=RS-232", "OK", ">"}},
        {"ETX", {"ETX", "OK", ">"}},
        {"TCH=1,100", {"TCH=1,100", "ERR", ">"}}, // refused while enabled
        {"DTX", {"DTX", "OK", ">"}},
        {"CTX?", {"CTX?", "CTX=OK", ">"}},
        {"TIM?", {"TIM?", "TIM=00:00:01", ">"}},
        {"DAT?", {"DAT?", "DAT=01/01/2024", ">"}},
        {"UTC?", {"UTC?", "UTC=Not Set", ">"}},
        {"UTC=-13", {"UTC=-13", "OK", ">"}},
        {"UTC?", {"UTC?", "UTC=-13,M", ">"}},
        {"UTC=300", {"UTC=300", "INV", ">"}},
        {"GPS?", {"GPS?", "GPS=No Fix", ">"}},
        {"RGP?", {"RGP?", "TOF: No Fix", "Lat: No Fix", "Lng: No Fix", "Alt: No Fix", ">"}},
        {"LGC?", {"LGC?", "Time: N/A", "OCXO: N/A", "TCXO: N/A", ">"}},
        {"GCS?", {"GCS?", "GCS=Not Active", ">"}},
        {"FTX?", {"FTX?", "FTX=D", ">"}},
        {"TSN?", {"TSN?", "TSN=10234", ">"}},
        {"TSN", {"TSN", "TSN=OK", ">"}},
        {"TCR=1.234567", {"TCR=1.234567", "OK", ">"}},
        {"TCR?", {"TCR?", "TCR=1.234567", ">"}},
        {"TOT?", {"TOT?", "TOT=23.5", ">"}},
        {"RBV?", {"RBV?", "RBV=12.6", ">"}},
        {"TBC=40", {"TBC=40", "OK", ">"}},
        {"TBV?", {"TBV?", "TBV=0.400", ">"}},
        {"IST=0", {"IST=0", "OK", ">"}},
        {"IST=2", {"IST=2", "INV", ">"}},
        {"ADS?", {"ADS?", "ADS=RS-232", ">"}},
        {"TDP?", {"TDP?", "TDP=0,0", ">"}},
        {"RRT?", {"RRT?", "RRT=0", ">"}},
        {"EQN?", {"EQN?", ">"}},
        {"SS*?", {"SS*?", ">"}},
        {"LHD?", {"LHD?", "ERR", ">"}}, // no log plugged in
        {"LOG=CLEAR", {"LOG=CLEAR", "ERR", ">"}},
        {"CFB", {"CFB", "OK", ">"}},
        {"CFE=anything", {"CFE=anything", "OK", ">"}},
        {"ConfigDefault", {"ConfigDefault", "OK", ">"}},
        {"CFS", {"CFS", "OK", ">"}},
        {"SDI=0M!", {"SDI=0M!", "SDI=No Response", ">"}},
    };
    for (const Exchange& c : cases) {
        d.now = 1000 - 20; // keep the clock reading steady
        EXPECT_THAT(d.Ask(c.line), ElementsAreArray(c.answer)) << "command " << c.line;
    }
}

TEST(SimCommands, TheAnswerEndsWithABarePrompt) {
    SimDriver d;
    EXPECT_EQ(d.Raw("TCH?\r"), "TCH?\r\nTCH=0\r\n>");
    EXPECT_EQ(d.Raw("\r"), ">");
    EXPECT_EQ(d.Raw("AR"), "");                       // nothing until the carriage return
    EXPECT_EQ(d.Raw("G\n?\r"), "ARG?\r\nARG=0\r\n>"); // line feeds are ignored
}

TEST(SimCommands, QueriesAnswerWithTheTextThatWasSet) {
    SimDriver d;
    const std::vector<std::pair<const char*, const char*>> cases = {
        {"TCH=95,300", "TCH?"},
        {"TTI=00:01:30:00", "TTI?"},
        {"FTT=00:12:30", "FTT?"},
        {"TOF=A5", "TOF?"},
        {"TDF=pseudo", "TDF?"},
        {"TDS=RS-232", "TDS?"},
        {"RCH=D17+S55,400", "RCH?"},
        {"RDF=BINARY", "RDF?"},
        {"PIS=Station, north bank", "PIS?"},
        {"PB1=@", "PB1?"},
        {"TXP=7.5,10,14,5", "TXP?"},
        {"TZN=-5", "TZN?"},
        {"NID=3A5C1E2E", "NID?"},
        {"TBA=D,05", "TBA?"},
        {"TBM=0.025", "TBM?"},
        {"GTS=4", "GTS?"},
        {"SFL=1", "SFL?"},
        {"SSN=12", "SSN?"},
        {"MMN=3", "MMN?"},
    };
    for (const auto& [set, query] : cases) {
        ASSERT_EQ(d.One(set), "OK") << set;
        std::string setText = set;
        EXPECT_EQ(d.One(query), setText) << query;
    }
}

TEST(SimCommands, CountsAreCheckedAgainstTheTableSizes) {
    SimDriver d;
    EXPECT_EQ(d.One("TPN=100"), "OK");
    EXPECT_EQ(d.One("TPN=101"), "INV");
    EXPECT_EQ(d.One("RPN=41"), "INV");
    EXPECT_EQ(d.One("RTN=30"), "OK");
    EXPECT_EQ(d.One("SSN=x"), "INV");
    d.sim.SetFirmwareVersion("1.20");
    EXPECT_EQ(d.One("SSN=12"), "ERR"); // no counts before the extended command set
}

TEST(SimCommands, StatusReportCarriesTheKeywordLines) {
    SimDriver d;
    d.sim.SetFirmwareVersion("1.30");
    std::vector<std::string> r = d.Reply("RST?");
    ASSERT_EQ(r.size(), 11u);
    EXPECT_EQ(r[0], "FirmwareVersions: 1.30,B1.02");
    EXPECT_EQ(r[1], "SerialNumber: 10234");
    EXPECT_EQ(r[2], "GPS=No Fix");
    EXPECT_EQ(r[3], "TransmitterState: Disabled");
    EXPECT_EQ(r[4], "TimeToNextTx: N/A");
    EXPECT_THAT(r, Contains("Failsafe: OK"));

    // Enabled with a timed channel: the next transmission is scheduled.
    d.One("TCH=95,300");
    d.One("TDS=RS-232");
    d.One("FTT=00:10:00");
    d.One("TTI=00:01:00:00");
    ASSERT_EQ(d.One("ETX"), "OK");
    r = d.Reply("RST?");
    EXPECT_EQ(r[3], "TransmitterState: Enabled");
    EXPECT_EQ(r[4].substr(0, 14), "TimeToNextTx: ");
    EXPECT_EQ(r[6], "NextTimedTx: 01/01/2024,00:10:00");
}

TEST(SimCommands, LastTransmissionReportsAForcedTest) {
    SimDriver d;
    EXPECT_EQ(d.Reply("LTS")[0], "TxType: None");
    EXPECT_EQ(d.One("FTX=7,95,300"), "INV");
    EXPECT_EQ(d.One("FTX=E"), "OK");
    EXPECT_EQ(d.One("FTX?"), "FTX=E");
    EXPECT_EQ(d.One("FTX=4,95,300"), "OK");
    std::vector<std::string> r = d.Reply("LTS");
    EXPECT_EQ(r[0], "TxType: Forced Fixed Message");
    EXPECT_EQ(r[1], "TxStatus: OK");
    d.One("ETX");
    EXPECT_EQ(d.One("FTX=E"), "ERR"); // the OCXO needs a disabled unit
    EXPECT_EQ(d.One("FSR"), "ERR");
    d.One("DTX");
    EXPECT_EQ(d.One("FSR"), "OK");
}

TEST(SimCommands, LogCommandsGoToThePluggedInLog) {
    SimDriver d;
    std::vector<std::string> seen;
    d.sim.SetLogResponder([&seen](std::string_view line) {
        seen.emplace_back(line);
        return std::vector<std::string>{"LHD=2", "0102"};
    });
    EXPECT_THAT(d.Ask("LHD?"), ElementsAre("LHD?", "LHD=2", "0102", ">"));
    d.Ask("LFA=01/02/2024,00:00:00");
    EXPECT_THAT(seen, ElementsAre("LHD?", "LFA=01/02/2024,00:00:00"));
}

TEST(SimCommands, FirmwareVersionDecidesTheCommandSet) {
    SimDriver d;
    EXPECT_FALSE(d.sim.SetFirmwareVersion("1.5.3"));
    EXPECT_FALSE(d.sim.SetFirmwareVersion("x"));
    ASSERT_TRUE(d.sim.SetFirmwareVersion("1.14"));
    EXPECT_EQ(d.sim.FirmwareLevel(), 114);
    const std::vector<std::pair<const char*, const char*>> refused = {
        {"SSX=*?", "ERR"},
        {"SLX=0,ABCD", "ERR"},
        {"MMA?", "ERR"},
        {"EQN?", "ERR"},
        {"IMX=*?", "ERR"},
        {"CFB", "ERR"},
        {"LGM=1", "ERR"},
        {"TZN=1", "ERR"},
        {"ELG", "ERR"},
        {"SS10=0,0,1,00:15:00,00:00:00,1", "INV"},
        {"IS5=TM,00:15:00,00:00:00,1", "INV"},
    };
    for (const auto& [line, reply] : refused) {
        EXPECT_EQ(d.One(line), reply) << line;
    }
    EXPECT_EQ(d.One("SS9=0,0,1,00:15:00,00:00:00,1"), "OK");
    EXPECT_EQ(d.One("TDP=19,H0"), "OK");
    EXPECT_EQ(d.One("TDP=20,H0"), "INV");
    d.sim.SetFirmwareVersion("1.11");
    EXPECT_EQ(d.One("UTC?"), "ERR");
    EXPECT_EQ(d.One("FSR"), "ERR");
}

} // namespace
} // namespace tavin::sim

// The line itself: sleep and wake-up, ESC, pacing, split output, the fault
// modes, the per-command counts, hostile input, configuration files.

#include "SimDriver.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <random>

namespace tavin::sim {
namespace {

using ::testing::ElementsAre;
using ::testing::EndsWith;
using ::testing::HasSubstr;
using testing::SimDriver;
using testing::SplitAnswer;

TEST(SimWire, SleepsAfterThreeIdleSecondsAndTheFirstByteOnlyWakesIt) {
    SimDriver d;
    EXPECT_EQ(d.Raw("\r"), ">");
    EXPECT_EQ(d.Raw("ARG?\r", 2900), "ARG?\r\nARG=0\r\n>"); // still awake
    EXPECT_FALSE(d.sim.IsAsleep(d.now + 3000));
    EXPECT_TRUE(d.sim.IsAsleep(d.now + 3001));
    // The utility's wake-up: a lone carriage return, then the command.
    EXPECT_EQ(d.Raw("\r", 3500), "");
    EXPECT_EQ(d.Raw("ARG?\r", 100), "ARG?\r\nARG=0\r\n>");
    // Without the wake-up the first letter is lost.
    EXPECT_EQ(d.Raw("ARG?\r", 3500), "RG?\r\nERR\r\n>");
    EXPECT_EQ(d.sim.ReceivedCount("ARG"), 2);
    EXPECT_EQ(d.sim.ReceivedCount("RG"), 1);
    EXPECT_EQ(d.sim.ReceivedCount(""), 1); // the swallowed byte is no command

    // Output still waiting keeps it awake; so does a sleep time of 0.
    d.sim.SetPaced(true);
    d.now += 10;
    d.sim.Receive("RST?\r", d.now);
    EXPECT_FALSE(d.sim.IsAsleep(d.now + 5000));
    d.Drain();
    d.sim.SetSleepAfterMs(0);
    EXPECT_FALSE(d.sim.IsAsleep(d.now + 100000));
}

TEST(SimWire, EscDropsTheLineBeingTypedAndTheAnswerNotYetSent) {
    SimDriver d;
    EXPECT_EQ(d.Raw("TCH=9\x1b"), "");
    EXPECT_EQ(d.Raw("ARG?\r"), "ARG?\r\nARG=0\r\n>");
    EXPECT_EQ(d.sim.Value("TCH"), "0");
    d.sim.SetPaced(true);
    d.now += 10;
    d.sim.Receive("RST?\r", d.now);
    std::string first = d.sim.Poll(d.now + 10); // some bytes have gone
    EXPECT_FALSE(first.empty());
    d.sim.Receive("\x1b", d.now + 10);
    EXPECT_FALSE(d.sim.HasPendingOutput());
    EXPECT_EQ(d.sim.ReceivedCount("ESC"), 2);
}

TEST(SimWire, PacedOutputTakesTheTimeOf9600Baud) {
    SimDriver d;
    d.sim.SetPaced(true);
    d.sim.Receive("RST?\r", 1000);
    std::string all;
    std::int64_t t = 1000;
    for (; d.sim.HasPendingOutput(); ++t) {
        all += d.sim.Poll(t);
    }
    // About 1.04 ms a byte.
    double expected = static_cast<double>(all.size()) * 1.0416667;
    EXPECT_NEAR(static_cast<double>(t - 1000), expected, 2.0);
    EXPECT_THAT(all, EndsWith("Failsafe: OK\r\n>"));
    // Nothing before the first byte has had time to go out.
    d.sim.Receive("ARG?\r", t);
    EXPECT_EQ(d.sim.Poll(t), "");
    EXPECT_EQ(d.sim.NextOutputMs(), t + 2);
    EXPECT_EQ(d.sim.Poll(t + 2), "A");
}

TEST(SimWire, AnswerDelayHoldsTheWholeAnswer) {
    SimDriver d;
    d.sim.SetAnswerDelayMs(50);
    d.sim.Receive("ARG?\r", 1000);
    EXPECT_EQ(d.sim.Poll(1049), "");
    EXPECT_EQ(d.sim.NextOutputMs(), 1050);
    EXPECT_EQ(d.sim.Poll(1050), "ARG?\r\nARG=0\r\n>");
}

TEST(SimWire, ChunkedOutputArrivesInSmallPiecesButIntact) {
    SimDriver d;
    d.sim.Inject(Chunked{5, 3, 7});
    d.sim.Receive("RST?\r", 1000);
    std::string all;
    int pieces = 0;
    for (std::int64_t t = 1000; d.sim.HasPendingOutput() && t < 5000; ++t) {
        std::string piece = d.sim.Poll(t);
        if (!piece.empty()) {
            EXPECT_LE(piece.size(), 5u);
            ++pieces;
            all += piece;
        }
    }
    SimDriver plain;
    plain.now = 980;
    EXPECT_EQ(all, plain.Raw("RST?\r"));
    EXPECT_GT(pieces, static_cast<int>(all.size()) / 5);
}

TEST(SimWire, ErrAndInvFaultsAnswerChosenCommands) {
    SimDriver d;
    d.sim.Inject(ErrOn{"TCH"});
    d.sim.Inject(InvOn{"TDP=2,", 1});
    EXPECT_THAT(d.Ask("TCH=95,300"), ElementsAre("TCH=95,300", "ERR", ">"));
    EXPECT_EQ(d.One("TCH?"), "ERR");
    EXPECT_EQ(d.sim.Value("TCH"), "0"); // not carried out
    EXPECT_EQ(d.One("TDP=1,H0"), "OK");
    EXPECT_EQ(d.One("TDP=2,H1"), "INV");
    EXPECT_EQ(d.One("TDP=2,H1"), "OK"); // only once
    d.sim.Inject(ErrOn{"SS", 2});
    EXPECT_EQ(d.One("SS*=CLEAR"), "ERR");
    EXPECT_EQ(d.One("SS0=C"), "ERR");
    EXPECT_EQ(d.One("SS0=C"), "OK");
    EXPECT_EQ(d.One("SSX=*?"), "<0 lines>"); // SSX is another mnemonic
    d.sim.ClearFaults();
    EXPECT_EQ(d.One("TCH?"), "TCH=0");
}

TEST(SimWire, NoAnswerSilencesTheNextCommandsThenAnswersAgain) {
    SimDriver d;
    d.sim.Inject(NoAnswer{2});
    EXPECT_EQ(d.Raw("\r"), ">"); // wake-ups and alive polls are still answered
    EXPECT_EQ(d.Raw("TCH=95,300\r", 1000), "");
    EXPECT_EQ(d.Raw("TCH=95,300\r", 1000), "");
    EXPECT_EQ(d.sim.Value("TCH"), "0"); // lost on the way
    EXPECT_EQ(d.Raw("TCH=95,300\r", 1000), "TCH=95,300\r\nOK\r\n>");
    EXPECT_EQ(d.sim.ReceivedCount("TCH"), 3); // every retry counted
    EXPECT_EQ(d.sim.ReceivedCount(""), 1);
    EXPECT_THAT(d.sim.ReceivedLines(), ElementsAre("", "TCH=95,300", "TCH=95,300", "TCH=95,300"));
    d.sim.ResetCounts();
    EXPECT_EQ(d.sim.ReceivedCount("TCH"), 0);

    d.sim.Inject(NoAnswer{-1});
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(d.Raw("ARG?\r", 1000), "");
    }
    d.sim.ClearFaults();
    EXPECT_EQ(d.One("ARG?"), "ARG=0");

    d.sim.Inject(Unplugged{});
    EXPECT_EQ(d.Raw("ARG?\r"), "");
    EXPECT_EQ(d.Raw("\r"), "");
    EXPECT_EQ(d.sim.ReceivedCount("ARG"), 6); // the lost ones are not
    d.sim.ClearFaults();
}

TEST(SimWire, GarbleReplacesAnswersWithNoiseThatHoldsNoPrompt) {
    SimDriver d;
    d.sim.Inject(Garble{2, 40, 3});
    for (int i = 0; i < 2; ++i) {
        std::string noise = d.Raw("TCH=95,300\r");
        EXPECT_EQ(noise.size(), 40u);
        EXPECT_EQ(noise.find('>'), std::string::npos);
    }
    EXPECT_EQ(d.sim.Value("TCH"), "95,300"); // carried out all the same
    EXPECT_EQ(d.Raw("ARG?\r"), "ARG?\r\nARG=0\r\n>");

    d.sim.Inject(Garble{0, 10, 3, 3});
    int garbled = 0;
    for (int i = 0; i < 9; ++i) {
        garbled += d.Raw("ARG?\r") != "ARG?\r\nARG=0\r\n>";
    }
    EXPECT_EQ(garbled, 3);
}

TEST(SimWire, RawBytesGoOutAfterWhatIsWaiting) {
    SimDriver d;
    d.sim.Receive("ARG?\r", 1000);
    d.sim.SendRaw("\x01\x02", 1000);
    EXPECT_EQ(d.sim.Poll(1000), "ARG?\r\nARG=0\r\n>\x01\x02");
}

TEST(SimWire, HostileInputNeverBreaksIt) {
    SimDriver d;
    std::mt19937 random(42);
    std::string noise;
    for (int i = 0; i < 100000; ++i) {
        noise += static_cast<char>(random() & 0xFF);
    }
    // In bursts of various sizes, some of them after long silences.
    std::size_t at = 0;
    while (at < noise.size()) {
        std::size_t n = 1 + random() % 700;
        d.Raw(std::string_view(noise).substr(at, n), random() % 5 == 0 ? 4000 : 3);
        at += n;
    }
    EXPECT_LE(d.sim.ReceivedLines().size(), SimTransmitter::kKeptLines);
    d.sim.ClearFaults();
    d.sim.Commands().Unit().run = RunState::Disabled;
    std::string answer = d.Raw("\x1b\rARG?\r");
    EXPECT_THAT(answer, EndsWith("ARG?\r\nARG=0\r\n>"));
    // An overlong line is refused, and the next one understood.
    EXPECT_THAT(d.Raw(std::string(5000, 'A') + "\r"), EndsWith("ERR\r\n>"));
    EXPECT_EQ(d.One("ARG?"), "ARG=0");
}

TEST(SimWire, TranscriptSeesEveryLineBothWays) {
    SimDriver d;
    std::vector<std::string> seen;
    d.sim.SetTranscript([&seen](std::int64_t, char dir, std::string_view text) {
        seen.push_back(std::string(1, dir) + " " + std::string(text));
    });
    d.Raw("ARG?\r");
    d.Raw("ARG?\r", 4000);
    EXPECT_THAT(seen, ElementsAre("R ARG?", "S ARG=0", "S >", "* wake-up (first byte swallowed)",
                                  "R RG?", "S ERR", "S >"));
}

TEST(SimWire, ConfigurationFileLoadsAndDumpsAsSetCommands) {
    SimDriver d;
    const char* lines[] = {"ARG=0",
                           "NID=3A5C1E2E",
                           "TCH=95,300",
                           "SSN=2",
                           "SSX=0,0,0,1,00:15:00,00:00:00,5H",
                           "SSX=1,&,&,2,1",
                           "SLX=1,RAIN",
                           "ISX=0,BV,01:00:00,00:00:00,1",
                           "EQN=0,S0*2",
                           "MMA=0,S0,01:00:00,00:00:00,NX",
                           "PIS=Bridge, east",
                           "TDP=0,H0",
                           "TDP=1,S0,1,6",
                           "RRT=0,I,3600",
                           "ADP=0,5"};
    for (const char* l : lines) {
        ASSERT_EQ(d.One(l), "OK") << l;
    }
    std::string dump = d.sim.DumpConfiguration();
    EXPECT_THAT(dump, EndsWith("\r\nCFS\r\n"));
    for (const char* l : lines) {
        EXPECT_THAT("\r\n" + dump, HasSubstr(std::string("\r\n") + l + "\r\n")) << l;
    }
    // A dump rebuilds the same configuration on another transmitter, with
    // either line end, and is stored as by "CFS".
    SimDriver other;
    other.One("SSX=5,0,0,1,00:15:00,00:00:00,1"); // swept away by the clears
    std::string lf = dump;
    for (std::size_t p; (p = lf.find("\r\n")) != std::string::npos;) {
        lf.replace(p, 2, "\n");
    }
    std::vector<std::string> refused;
    EXPECT_TRUE(other.sim.LoadConfiguration(lf, &refused));
    EXPECT_TRUE(refused.empty());
    EXPECT_EQ(other.sim.DumpConfiguration(), dump);
    other.One("TCH=17,100");
    other.One("CFR");
    EXPECT_EQ(other.One("TCH?"), "TCH=95,300");

    // Lines the transmitter refuses are named, the rest is taken.
    SimDriver third;
    EXPECT_FALSE(third.sim.LoadConfiguration("TCH=1,300\r\nTOF=XYZ\r\nBAD?\r\nCFS\r\n", &refused));
    EXPECT_THAT(refused, ElementsAre("line 2: TOF=XYZ -> INV", "line 3: BAD? -> ERR"));
    EXPECT_EQ(third.sim.Value("TCH"), "1,300");
}

TEST(SimWire, DumpUsesTheShortFormsOfOldFirmware) {
    SimDriver d;
    d.sim.SetFirmwareVersion("1.20");
    d.One("SS0=0,0,1,00:15:00,00:00:00,1");
    d.One("SL0=RAIN");
    std::string dump = d.sim.DumpConfiguration();
    EXPECT_THAT(dump, HasSubstr("\r\nSS0=0,0,1,00:15:00,00:00:00,1\r\nSL0=RAIN\r\n"));
    EXPECT_EQ(dump.find("SSX="), std::string::npos);
    EXPECT_EQ(dump.find("SSN="), std::string::npos);
    EXPECT_EQ(dump.find("EQN="), std::string::npos);
    EXPECT_THAT(SplitAnswer(d.Raw("RCF\r")), ::testing::Contains("SL0=RAIN"));
}

} // namespace
} // namespace tavin::sim

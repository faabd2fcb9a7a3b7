// Receiving bytes into the ring and framing them into reply lines, one line
// per reply-timer tick.
#include "common/VirtualClock.h"
#include "link/TransmitterLink.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace tavin::test {
namespace {

using ::testing::ElementsAreArray;
using ::testing::HasSubstr;

class Framing : public ::testing::Test {
protected:
    Framing() : link(clock.Link()) {
        clock.OpenPort();
        link.DebugTrace = true;
        link.ReplyHandler = [this](const std::string& l) { lines.push_back(l); };
    }
    // Ticks until a tick frames nothing; returns the number of ticks that did.
    int TickUntilIdle() {
        int ticks = 0;
        for (;;) {
            std::size_t before = lines.size();
            link.XmitReplyTimerTimer();
            if (lines.size() == before) {
                return ticks;
            }
            EXPECT_EQ(lines.size(), before + 1) << "more than one line in a tick";
            ++ticks;
        }
    }

    VirtualClock clock;
    TransmitterLink& link;
    std::vector<std::string> lines;
};

struct FramingCase {
    const char* what;
    std::string bytes;
    std::vector<std::string> lines;
    std::string partial;
};

TEST_F(Framing, OneLinePerTickWithThePromptRule) {
    const std::vector<FramingCase> cases = {
        {"value line then prompt", "TCH=1,300\r\n>", {"TCH=1,300", ">"}, ""},
        {"'>' inside a line is text", "A>B\r", {"A>B"}, ""},
        {"prompt needs no carriage return", ">X\r", {">", "X"}, ""},
        {"line feeds are dropped anywhere", "\nA\nB\n\r", {"AB"}, ""},
        {"carriage return after carriage return", "A\r\r", {"A", ""}, ""},
        {"three lines over three ticks", "L1\r\nL2\r\nL3\r\n", {"L1", "L2", "L3"}, ""},
        {"two prompts", ">>", {">", ">"}, ""},
        {"empty line then prompt", "\r>", {"", ">"}, ""},
        {"unterminated text waits", "TCH=1", {}, "TCH=1"},
        {"prompt then the start of a line", "OK\r\n>SS", {"OK", ">"}, "SS"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        lines.clear();
        link.ResetReceiveRing();
        link.ComPortTriggerAvail(c.bytes);
        EXPECT_EQ(TickUntilIdle(), static_cast<int>(c.lines.size()));
        EXPECT_THAT(lines, ElementsAreArray(c.lines));
        EXPECT_EQ(link.PartialLine(), c.partial);
    }
}

TEST_F(Framing, EveryLineIsTracedAndNoneQueuedWhileAReplyHandlerIsInstalled) {
    link.ComPortTriggerAvail("RBV=12.5\r\n>");
    TickUntilIdle();
    EXPECT_TRUE(link.ListXmitReply().empty());
    EXPECT_THAT(clock.traces, ElementsAreArray({"R=RBV=12.5", "R=>"}));
}

TEST_F(Framing, BytesOneAtATimeGiveTheSameLinesAsAllAtOnce) {
    const std::string alphabet = "AB=1,>\r\n";
    for (unsigned seed = 1; seed <= 20; ++seed) {
        std::mt19937 rng(seed);
        std::string bytes;
        for (int i = 0; i < 900; ++i) {
            bytes.push_back(alphabet[rng() % alphabet.size()]);
        }
        lines.clear();
        link.ResetReceiveRing();
        link.ComPortTriggerAvail(bytes);
        TickUntilIdle();
        const std::vector<std::string> allAtOnce = lines;

        lines.clear();
        link.ResetReceiveRing();
        for (char c : bytes) {
            link.ComPortTriggerAvail(std::string(1, c));
            link.XmitReplyTimerTimer();
        }
        TickUntilIdle();
        EXPECT_EQ(lines, allAtOnce) << "seed " << seed;
    }
}

TEST_F(Framing, AFullRingKeepsItsBytesAndDropsTheRest) {
    std::string bytes;
    for (int i = 0; i < 300; ++i) {
        bytes += "L" + std::to_string(1000 + i) + "\r"; // 6 bytes a line
    }
    link.ComPortTriggerAvail(bytes); // 1800 bytes into 1023 places
    EXPECT_EQ(link.Ring().DroppedBytes(), 1800u - 1023u);
    EXPECT_THAT(clock.traces.back(), HasSubstr("BYTES DROPPED: 777"));
    EXPECT_EQ(clock.gauge, 1023);
    TickUntilIdle();
    // 170 whole lines, then the first three bytes of the next, unharmed.
    ASSERT_EQ(lines.size(), 170u);
    for (int i = 0; i < 170; ++i) {
        EXPECT_EQ(lines[i], "L" + std::to_string(1000 + i));
    }
    EXPECT_EQ(link.PartialLine(), "L11");
}

TEST_F(Framing, AnEndlessLineIsCutAndMemoryStaysBounded) {
    const std::string chunk(1000, 'x');
    for (int i = 0; i < 10; ++i) {
        link.ComPortTriggerAvail(chunk);
        link.XmitReplyTimerTimer();
        EXPECT_LE(link.PartialLine().size(), TransmitterLink::kMaxLineLength);
    }
    link.ComPortTriggerAvail("\r>");
    TickUntilIdle();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], std::string(TransmitterLink::kMaxLineLength, 'x'));
    EXPECT_EQ(lines[1], ">");
    EXPECT_EQ(link.DroppedLineBytes(), 10000u - TransmitterLink::kMaxLineLength);
    EXPECT_THAT(clock.traces, ::testing::Contains("LINE TOO LONG, BYTES DROPPED: 5904"));
}

} // namespace
} // namespace tavin::test

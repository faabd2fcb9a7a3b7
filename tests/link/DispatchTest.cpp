// Dispatching framed lines: the operation handler, the trimming of the
// command in progress, the configure branch's verdicts and the normal
// branch's chaining, model fields and parsers.
#include "LinkFixture.h"
#include "link/WindowMessages.h"

#include <gmock/gmock.h>

#include <map>
#include <utility>

namespace tavin::test {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

class FakeTarget : public LinkDispatchTarget {
public:
    int channel = 0;
    int source = 0;
    bool goesOnly = true;
    std::string goesId, argosId, pis = "unset";
    std::vector<std::pair<int, std::string>> headers;
    int platformIdShown = 0;

    int RandomChannel() const override { return channel; }
    int RandomDataSource() const override { return source; }
    bool GoesOnlyMode() const override { return goesOnly; }
    void SetPlatformIdGoes(const std::string& id) override { goesId = id; }
    void SetPlatformIdArgos(const std::string& id) override { argosId = id; }
    void ShowPlatformId() override { ++platformIdShown; }
    void SetPlatformIdString(const std::string& text) override { pis = text; }
    void SetPseudoBinaryHeader(int which, const std::string& c) override {
        headers.emplace_back(which, c);
    }
};

class Dispatch : public LinkFixture {
protected:
    Dispatch() {
        link.DispatchTarget = &target;
        link.SuppressWake = true;
    }
    // Sends a command at once, as the pump does, without running the clock.
    void Send(const std::string& command) {
        link.QueueCommand(command);
        link.CommTimerTimer();
        ASSERT_EQ(clock.writes.back().bytes, command + "\r");
    }
    // One line arrives and is framed and dispatched in one reply tick.
    void Line(const std::string& line) {
        link.ComPortTriggerAvail(line == ">" ? line : line + "\r");
        link.XmitReplyTimerTimer();
        clock.DeliverPosted();
    }
    std::vector<std::pair<int, int>> Messages() const {
        std::vector<std::pair<int, int>> out;
        for (const auto& m : clock.messages) {
            out.emplace_back(m.message, m.param);
        }
        return out;
    }

    FakeTarget target;
};

TEST_F(Dispatch, TheCommandInProgressIsTrimmedToWhatItsRepliesContain) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"TCH?", "TCH"},      {"TDP=*?", "TDP"},          {"SS*?", "SS0"}, {"ADP=*", "ADP="},
        {"SS*=CLEAR", "SS0"}, {"TCH=1,300", "TCH=1,300"}, {"CFS", "CFS"},  {"SSX=*?", "SSX"},
    };
    for (const auto& [command, trimmed] : cases) {
        SCOPED_TRACE(command);
        Send(command);
        Line("noise");
        EXPECT_EQ(link.CurrentCommand(), trimmed);
        Line(">");
        EXPECT_EQ(link.CurrentCommand(), "");
    }
}

TEST_F(Dispatch, AnOperationHandlerTakesEveryLineInsteadOfTheParsers) {
    RecordParsedLines();
    std::vector<std::string> handled;
    link.OperationHandler = [&](const std::string& l) { handled.push_back(l); };
    link.ShowFeedback = true;
    Send("ARG?");
    Line("ARG?"); // the echo contains the command: answered
    EXPECT_EQ(link.ReplyCountdown(), 0);
    EXPECT_EQ(link.CurrentCommand(), "ARG?"); // not trimmed, not complete
    Line("ARG=1");
    Line(">");
    EXPECT_THAT(handled, ElementsAre("ARG?", "ARG=1", ">"));
    EXPECT_EQ(link.CurrentCommand(), "");
    EXPECT_THAT(parsed, IsEmpty());
    EXPECT_THAT(clock.feedback, IsEmpty());
}

TEST_F(Dispatch, AReplyHandlerGetsEveryLineAtFramingTimeAndMayRemoveItself) {
    RecordParsedLines();
    std::vector<std::string> got;
    link.ReplyHandler = [&](const std::string& l) {
        EXPECT_TRUE(link.ListXmitReply().empty());
        got.push_back(l);
        if (l == ">") {
            link.ReplyHandler = nullptr; // the window closes on the prompt
        }
    };
    Send("RST?");
    for (const char* l : {"RST?", "SerialNumber: 1234", ">"}) {
        Line(l);
        EXPECT_TRUE(link.ListXmitReply().empty());
    }
    EXPECT_THAT(got, ElementsAre("RST?", "SerialNumber: 1234", ">"));
    EXPECT_EQ(link.CurrentCommand(), "");
    EXPECT_FALSE(link.ReplyHandler);
    EXPECT_THAT(parsed, IsEmpty());
}

TEST_F(Dispatch, EveryLineGoesToAllParsersInOrder) {
    std::vector<std::string> calls;
    for (int i = 1; i <= 3; ++i) {
        link.ReplyParsers.push_back(
            [&calls, i](const std::string& l) { calls.push_back(std::to_string(i) + ":" + l); });
    }
    link.ShowFeedback = true;
    Send("TCH?");
    Line("TCH?");
    Line("TCH=1,300");
    Line(">");
    EXPECT_THAT(calls, ElementsAre("1:TCH?", "2:TCH?", "3:TCH?", "1:TCH=1,300", "2:TCH=1,300",
                                   "3:TCH=1,300", "1:>", "2:>", "3:>"));
    EXPECT_THAT(clock.feedback, ElementsAre("TCH?", "TCH=1,300", ">"));
}

TEST_F(Dispatch, PlatformIdsAndHeaderFieldsAreStored) {
    Line("NID=5A3F21C4");
    Line("AID=0BC1234");
    Line("PIS=Station 7");
    EXPECT_EQ(target.pis, "Station 7");
    Line("PIS=.");
    EXPECT_EQ(target.pis, "");
    Line("PIS=" + std::string(50, 'p'));
    EXPECT_EQ(target.pis, std::string(40, 'p'));
    Line("PB1=AB");
    Line("PB2=");
    EXPECT_EQ(target.goesId, "5A3F21C4");
    EXPECT_EQ(target.argosId, "0BC1234");
    EXPECT_THAT(target.headers, ElementsAre(std::make_pair(1, std::string("A")),
                                            std::make_pair(2, std::string(""))));
    EXPECT_EQ(target.platformIdShown, 7); // refreshed on every line
}

TEST_F(Dispatch, ADataPackWildcardRefusedFallsBackToThePlainQuery) {
    Send("ADP=*");
    Line("ADP=*");
    Line("ERR");
    EXPECT_THAT(link.ListXmitCmd, ElementsAre("ADP?"));
}

TEST_F(Dispatch, RandomFormatsChainToTheTriggersWhenDataComesFromSensors) {
    struct Case {
        int channel, source;
        const char* markerBefore;
        bool queuesTriggers;
        const char* markerAfter;
    };
    for (const Case c : {Case{5, 1, "RDP=", true, "RRT="}, Case{5, 1, "RRT=", false, "RRT="},
                         Case{5, 0, "", false, "RDP="}, Case{0, 1, "RDP=", false, "RDP="}}) {
        SCOPED_TRACE(testing::Message() << c.channel << "," << c.source << "," << c.markerBefore);
        link.ListXmitCmd.clear();
        target.channel = c.channel;
        target.source = c.source;
        link.LoadEndMarker = c.markerBefore;
        Send("RDP=*?");
        Line("RDP=*?");
        Line("RDP=0,\"x\"");
        EXPECT_EQ(link.LoadEndMarker, c.markerAfter);
        EXPECT_EQ(link.ListXmitCmd.size(), c.queuesTriggers ? 1u : 0u);
        Line(">");
    }
}

TEST_F(Dispatch, InArgosModesTheTriggersChainToTheDataPackOnce) {
    target.goesOnly = false;
    Send("RRT?");
    Line("RRT?");
    Line("RRT=0,1,2");
    Line("RRT=1,1,2");
    EXPECT_THAT(link.ListXmitCmd, ElementsAre("ADP=*", "ADS?"));
    EXPECT_EQ(link.LoadEndMarker, "ADS=");
    // GOES only: a line with the end marker closes the box a second later.
    target.goesOnly = true;
    link.LoadEndMarker = "RRT=";
    Line("RRT=2,1,2");
    EXPECT_THAT(Messages(), ElementsAre(std::make_pair(UMEndLoadMessage, 1000)));
}

TEST_F(Dispatch, ARetrieveTailRunsFromRandomFormatsToTheDataPackStatus) {
    target.channel = 3;
    target.source = 1;
    target.goesOnly = false;
    link.SuppressWake = false;
    peer.Answer = [](const std::string& l) {
        if (l == "RDP=*?") {
            return Answer(l, {"RDP=0,\"a\"", "RDP=1,\"b\""});
        }
        if (l == "RRT?") {
            return Answer(l, {"RRT=0,1,5"});
        }
        if (l == "ADS?") {
            return Answer(l, {"ADS=1"});
        }
        return Answer(l, {"ADP=0,1"});
    };
    link.LoadEndMarker = "RDP=";
    link.QueueCommand("RDP=*?");
    ASSERT_TRUE(clock.RunUntil([&] { return clock.CountMessages(UMEndLoadMessage) > 0; }, 20000));
    EXPECT_THAT(SentCommands(), ElementsAre("RDP=*?\r", "RRT?\r", "ADP=*\r", "ADS?\r"));
    EXPECT_EQ(clock.messages.back().param, 1000);
}

struct ConfigureCase {
    const char* what;
    std::vector<std::string> commands;
    std::string marker;
    std::map<std::string, std::string> replies; // default "OK"
    std::vector<std::pair<int, int>> messages;
    bool configuringAfter;
    std::vector<std::string> sent;
    std::string failed;
};

class Configure : public Dispatch {};

TEST_F(Configure, TheSequenceEndsOnItsMarkerOrOnTheFirstRefusal) {
    const std::vector<ConfigureCase> cases = {
        {"clock set",
         {"TIM=12:00:00", "DAT=01/02/2024"},
         "DAT=",
         {},
         {{UMTAVINClockSet, kResultOk}},
         false,
         {"TIM=12:00:00", "DAT=01/02/2024"},
         ""},
        {"clock refused",
         {"TIM=12:00:00", "DAT=01/02/2024"},
         "DAT=",
         {{"TIM=12:00:00", "ERR"}},
         {{UMTAVINClockSet, kResultErr}},
         false,
         {"TIM=12:00:00"},
         "TIM=12:00:00"},
        {"UTC set", {"UTC=3"}, "UTC=", {}, {{UMTAVINUTCSet, kResultOk}}, false, {"UTC=3"}, ""},
        {"UTC invalid",
         {"UTC=99"},
         "UTC=",
         {{"UTC=99", "INV"}},
         {{UMTAVINUTCSet, kResultInv}},
         false,
         {"UTC=99"},
         ""},
        {"UTC refused",
         {"UTC=3"},
         "UTC=",
         {{"UTC=3", "ERR"}},
         {{UMTAVINUTCSet, kResultErr}},
         false,
         {"UTC=3"},
         "UTC=3"},
        {"send all",
         {"TCH=1,300", "RDP=0,\"a\"", "RDP=1,\"b\""},
         "RDP=1",
         {},
         {{UMEndLoadMessage, 0}},
         false,
         {"TCH=1,300", "RDP=0,\"a\"", "RDP=1,\"b\""},
         ""},
        // 1127 is handled at once, the posted 1126 after the event.
        {"send all refused",
         {"TCH=1,300", "RCH=0", "CFS"},
         "CFS",
         {{"RCH=0", "ERR"}},
         {{UMTAVINErrorMessage, 0}, {UMEndLoadMessage, 0}},
         true,
         {"TCH=1,300", "RCH=0"},
         "RCH=0"},
        {"send all invalid value",
         {"TCH=1,300", "CFS"},
         "CFS",
         {{"TCH=1,300", "INV"}},
         {{UMEndLoadMessage, 0}, {UMEndLoadMessage, 0}},
         false,
         {"TCH=1,300", "CFS"},
         ""},
        {"data pack complete",
         {"ADP=40,7"},
         "ADP=",
         {{"ADP=40,7", "OK"}},
         {{UMEndLoadMessage, 0}},
         false,
         {"ADP=40,7"},
         ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        link.SuppressWake = false; // the transmitter may be asleep
        clock.messages.clear();
        peer.received.clear();
        link.FailedCommand.clear();
        link.ConfiguringAll = true;
        link.LoadEndMarker = c.marker;
        peer.Answer = [&c](const std::string& l) {
            auto r = c.replies.find(l);
            return Answer(l, {r == c.replies.end() ? "OK" : r->second});
        };
        for (const auto& cmd : c.commands) {
            link.QueueCommand(cmd);
        }
        clock.RunUntil([&] { return link.ListXmitCmd.empty() && link.CurrentCommand().empty(); },
                       20000);
        clock.AdvanceMs(100);
        EXPECT_THAT(Messages(), ElementsAreArray(c.messages));
        EXPECT_EQ(link.ConfiguringAll, c.configuringAfter);
        std::vector<std::string> sent;
        for (const auto& l : peer.received) {
            if (!l.text.empty()) {
                sent.push_back(l.text);
            }
        }
        EXPECT_THAT(sent, ElementsAreArray(c.sent));
        EXPECT_EQ(link.FailedCommand, c.failed);
    }
}

} // namespace
} // namespace tavin::test

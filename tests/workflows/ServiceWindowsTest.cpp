// The status window, the two terminals and the SDI-12 query against the
// simulated transmitter: what goes out, what is shown, and the opening and
// closing steps every service window shares.

#include "ServiceFixture.h"

#include "protocol/XmtrConfig.h"
#include "workflows/SDI12Query.h"
#include "workflows/StatusWindowLogic.h"
#include "workflows/TerminalLogic.h"

#include <algorithm>

using namespace tavin;
using namespace tavin::test;

namespace {

bool Contains(const std::vector<std::string>& lines, const std::string& part) {
    return std::any_of(lines.begin(), lines.end(),
                       [&](const std::string& l) { return l.find(part) != std::string::npos; });
}

class ServiceWindows : public ServiceFixture {};

} // namespace

TEST_F(ServiceWindows, OpeningStepsPerWindow) {
    struct Case {
        ServiceWindow kind;
        bool linkReady;
        bool opens;
        bool autoPollAfter;
        bool suppressWake;
        int alivePoll;
    };
    const Case cases[] = {
        {ServiceWindow::Status, false, true, false, false, 0},
        {ServiceWindow::Control, false, true, false, true, 0},
        {ServiceWindow::TxTest, true, true, false, false, 0},
        {ServiceWindow::SDI12Terminal, true, true, false, false, 0},
        {ServiceWindow::SDI12Terminal, false, false, true, false, 0},
        {ServiceWindow::Calibration, true, true, true, false, 1},
        {ServiceWindow::Calibration, false, false, true, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.kind));
        RecordingMainHost host(clock);
        host.linkReady = c.linkReady;
        host.sensorTests = true;
        link.ListXmitCmd = {"TCH?", "RCH?"};
        link.ReplyHandler = nullptr;
        const bool opened = OpenServiceWindow(c.kind, link, host, [](const std::string&) {});
        EXPECT_EQ(opened, c.opens);
        EXPECT_EQ(host.autoPoll, c.autoPollAfter);
        EXPECT_EQ(link.SuppressWake, c.suppressWake);
        EXPECT_EQ(host.alivePollInstalls, c.alivePoll);
        if (opened) {
            EXPECT_TRUE(link.ReplyHandler);
            // The queue is emptied; the sensor tests' stop goes out after.
            EXPECT_EQ(link.ListXmitCmd, std::deque<std::string>{"IST=0"});
            EXPECT_EQ(host.testViewStops, 1);
            CloseServiceWindow(link, host);
            EXPECT_FALSE(link.ReplyHandler);
            EXPECT_FALSE(link.SuppressWake);
            EXPECT_EQ(host.autoPollConfigures, 1);
        } else {
            EXPECT_EQ(host.linkMessages, 1);
            EXPECT_EQ(link.ListXmitCmd.size(), 2u);
            EXPECT_EQ(host.testViewStops, 0);
        }
    }
}

TEST(StatusQueries, CommandPerButton) {
    struct Case {
        StatusQuery query;
        const char* normal;
        const char* extended;
    };
    const Case cases[] = {
        {StatusQuery::StatusRead, "RST?", "RST?"},
        {StatusQuery::LastTransmit, "LTS", "LTS"},
        {StatusQuery::ConfigRead, "RCF", "RCF"},
        {StatusQuery::ConfigCheck, "CTX?", "CTX?"},
        {StatusQuery::BufferTimed, "TBD", "TBD"},
        {StatusQuery::BufferRandom, "RBD", "RBD"},
        {StatusQuery::GpsStatus, "GPS?", "GPS?"},
        {StatusQuery::GpsRead, "RGP?", "RGP?"},
        {StatusQuery::GpsLastCal, "LGC?", "LGC?"},
        {StatusQuery::SampleSDI12, "SM*?", "SMX=*?"},
        {StatusQuery::SampleInternal, "IM*?", "IMX=*?"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(StatusQueryCommand(c.query, false), c.normal);
        EXPECT_EQ(StatusQueryCommand(c.query, true), c.extended);
    }
}

TEST_F(ServiceWindows, StatusWindowShowsRepliesOnlyAfterItsFirstCommand) {
    RecordingMemo memo;
    StatusWindowController status(link, memo, true);
    link.QueueCommand("TCH?"); // queued before the window opened
    ASSERT_TRUE(
        Open(ServiceWindow::Status, [&](const std::string& line) { status.PacketHandler(line); }));
    // The end of an earlier exchange arrives before any button is pressed.
    clock.SendFromPeer("TCH=0\r\n>");
    Run(200);
    EXPECT_TRUE(memo.lines.empty());
    EXPECT_EQ(sim.ReceivedCount("TCH"), 0);

    status.Press(StatusQuery::StatusRead);
    status.Press(StatusQuery::GpsStatus);
    ASSERT_TRUE(RunUntil([&] { return memo.Has("GPS?"); }, 3000));
    Run(200);
    // Shown as received, the prompt as an empty line after each answer (the
    // first one answers the wake-up return).
    ASSERT_GE(memo.lines.size(), 2u);
    EXPECT_EQ(memo.lines[1], "RST?");
    EXPECT_TRUE(Contains(memo.lines, "SerialNumber:"));
    const auto gps = std::find(memo.lines.begin(), memo.lines.end(), "GPS?");
    ASSERT_NE(gps, memo.lines.end());
    EXPECT_EQ(*(gps - 1), "");
    EXPECT_EQ(SimCommands(), (std::vector<std::string>{"RST?", "GPS?"}));
}

namespace {

class DirectView : public DirectControlView {
public:
    void ShowReply(const std::string& text) override { reply = text; }
    void AppendLine(const std::string& line) override { memo.AppendLine(line); }
    void ClearLines() override { memo.ClearLines(); }
    RecordingMemo memo;
    std::vector<std::string>& lines = memo.lines;
    bool Has(const std::string& line) const { return memo.Has(line); }
    std::string reply = "unset";
};

} // namespace

TEST_F(ServiceWindows, DirectControlSendsTypedCommandsAndShowsEveryReplyLine) {
    DirectView view;
    DirectControlController control(link, view);
    ASSERT_TRUE(Open(ServiceWindow::Control,
                     [&](const std::string& line) { control.PacketHandler(line); }));
    clock.SendFromPeer("noise\r\n>");
    Run(100);
    EXPECT_TRUE(view.lines.empty()) << "nothing typed yet";

    control.KeyPressed();
    EXPECT_FALSE(control.Enter("TCH?", false));
    EXPECT_TRUE(control.Enter("RCH?", true));
    ASSERT_TRUE(RunUntil([&] { return view.Has("RCH=0"); }, 2000));
    Run(50);
    EXPECT_EQ(view.lines, (std::vector<std::string>{"TCH?", "TCH=0", ">", "RCH?", "RCH=0", ">"}));
    EXPECT_EQ(view.reply, "") << "the prompt shows as the empty text after it";
    // Without the wake-up return: the commands arrive exactly as typed.
    EXPECT_EQ(sim.ReceivedLines(), (std::deque<std::string>{"TCH?", "RCH?"}));

    // A line with a prompt in it shows whole in the memo, the rest in the box.
    for (const auto& [line, reply] :
         {std::pair<std::string, std::string>{"TCH=0>", ""}, {"x>TCH=5", "TCH=5"}, {"OK", "OK"}}) {
        control.PacketHandler(line);
        EXPECT_EQ(view.reply, reply);
        EXPECT_EQ(view.lines.back(), line);
    }
    EXPECT_TRUE(control.Escape(true));
    EXPECT_EQ(link.ListXmitCmd.back(), std::string(1, '\x1b'));
}

TEST(CommandHistory, RecallsLikeATerminal) {
    CommandHistory h;
    EXPECT_EQ(h.Up("abc"), "abc") << "nothing to recall";
    h.Add("TCH?");
    h.Add("RCH?");
    h.Add("RCH?");
    h.Add("");
    EXPECT_EQ(h.Entries(), (std::vector<std::string>{"TCH?", "RCH?"}));
    EXPECT_EQ(h.Up("draft"), "RCH?");
    EXPECT_EQ(h.Up("RCH?"), "TCH?");
    EXPECT_EQ(h.Up("TCH?"), "TCH?") << "stays at the oldest";
    EXPECT_EQ(h.Down("TCH?"), "RCH?");
    EXPECT_EQ(h.Down("RCH?"), "draft") << "back to what was being typed";
    EXPECT_EQ(h.Down("draft"), "draft");
}

TEST_F(ServiceWindows, SDI12TerminalSendsBehindSdiAndShowsTheAnswerWithoutIt) {
    std::vector<std::string> refused;
    ASSERT_TRUE(sim.LoadConfiguration("SSX=0,0,M,1,00:15:00,00:00:00,1\r\nCFS\r\n", &refused));
    ASSERT_TRUE(refused.empty()) << refused.front();
    RecordingMemo memo;
    bool sdiSeen = false;
    SDI12TerminalController terminal(link, memo, sdiSeen);
    mainHost.sensorTests = true;
    ASSERT_TRUE(Open(ServiceWindow::SDI12Terminal,
                     [&](const std::string& line) { terminal.PacketHandler(line); }));
    Run(300); // "IST=0" and its "OK": no answer of a sensor
    EXPECT_TRUE(memo.lines.empty());

    EXPECT_TRUE(terminal.Enter("0M!", true));
    ASSERT_TRUE(RunUntil([&] { return memo.lines.size() >= 2; }, 2000));
    Run(100);
    EXPECT_TRUE(sdiSeen);
    EXPECT_EQ(sim.ReceivedLines().back(), "SDI=0M!");
    // The typed command and the answer without "SDI=" (not the echo).
    EXPECT_EQ(memo.lines, (std::vector<std::string>{"0M!", "00011"}));

    terminal.Enter("5M!", false);
    ASSERT_TRUE(RunUntil([&] { return memo.Has("No Response"); }, 2000));
}

TEST(SDI12Query, PlanFollowsAppendedRowsAndNeedsAnAddress) {
    XmtrConfig cfg;
    cfg.SDI12[0].Address = "3";
    cfg.SDI12[0].Measurement = "0";
    cfg.SDI12[1].Append = true;
    cfg.SDI12[1].Address = "3";
    cfg.SDI12[2].Append = true;
    cfg.SDI12[2].Address = "3";
    cfg.SDI12[3].Address = "7";
    cfg.SDI12[3].Measurement = "2";
    cfg.SDI12[4].Append = true; // appended without an address of its own
    using O = SDI12QueryPlan::Outcome;
    struct Case {
        int gridRow;
        O outcome;
        int sensor;
        const char* command;
    };
    const Case cases[] = {
        {0, O::Nothing, -1, ""},     {65, O::Nothing, -1, ""},     {1, O::Query, 0, "SDI=3M!"},
        {3, O::Query, 0, "SDI=3M!"}, {4, O::Query, 3, "SDI=7M2!"}, {5, O::NoAddress, 4, ""},
        {6, O::NoAddress, 5, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.gridRow);
        const SDI12QueryPlan plan = PlanSDI12Query(cfg, c.gridRow);
        EXPECT_EQ(plan.outcome, c.outcome);
        EXPECT_EQ(plan.sensor, c.sensor);
        EXPECT_EQ(plan.command, c.command);
    }
}

TEST(SDI12Query, ListingHasOneLinePerSensor) {
    XmtrConfig cfg;
    cfg.SDI12[0].Enabled = true;
    cfg.SDI12[0].Address = "1";
    cfg.SDI12[0].Interval = "00:15:00";
    cfg.SDI12[1].Enabled = true;
    cfg.SDI12[1].Append = true;
    cfg.SDI12[1].Value = 2;
    const auto lines = SDI12TableListing(cfg);
    ASSERT_EQ(lines.size(), 64u);
    EXPECT_EQ(lines[0], "ENABLED  NORMAL  Address=1 Measurement=0 Param=1 Rate=00:15:00 "
                        "Offset=00:00:00");
    EXPECT_EQ(lines[1], "ENABLED  INHERIT Address=  Measurement=0 Param=2 Rate=00:00:00 "
                        "Offset=00:00:00");
    EXPECT_EQ(lines[63].substr(0, 17), "DISABLED NORMAL  ");
}

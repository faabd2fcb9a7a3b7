// The transmitter state commands against the simulated transmitter (and a
// scripted one for the replies the simulator never gives), and the mapping
// from a refused command to its control.
#include "SessionFixture.h"
#include "link/WindowMessages.h"
#include "workflows/WorkflowTexts.h"

#include <gmock/gmock.h>

namespace tavin::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class StateFixture : public SessionFixture {
protected:
    StateFixture() {
        UseFirmware("1.53");
        Connect();
    }
    StateCommands& State() { return session.State(); }
    const CommandResult& Result() { return State().LastResult(); }
    bool Done() { return Result().Outcome != CommandOutcome::Pending; }
};

TEST_F(StateFixture, EnableEnableLoggerAndDisable) {
    struct Case {
        const char* name;
        void (StateCommands::*click)();
        bool clockSet;
        const char* caption;
        const char* shown;
        int result;
        sim::RunState state;
    };
    const Case cases[] = {
        {"enable", &StateCommands::BtnEnableTxClick, true, "Enabling TAVIN", "TAVIN Enabled", mrOk,
         sim::RunState::Enabled},
        {"disable", &StateCommands::BtnDisableTxClick, true, "Disabling TAVIN", "TAVIN Disabled",
         mrOk, sim::RunState::Disabled},
        {"logger", &StateCommands::BtnEnableLoggerClick, true,
         "Enabling TAVIN Logger - No Transmissions", "TAVIN Logger Enabled", mrOk,
         sim::RunState::LoggerOnly},
        {"logger without a clock", &StateCommands::BtnEnableLoggerClick, false,
         "Enabling TAVIN Logger - No Transmissions",
         "TAVIN Logger Not Enabled - Check Configuration", mrCancel, sim::RunState::LoggerOnly},
        {"enable without a clock", &StateCommands::BtnEnableTxClick, false, "Enabling TAVIN",
         "TAVIN Not Enabled - Check Configuration", mrCancel, sim::RunState::LoggerOnly},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (!c.clockSet) {
            sim.Clock().Unset();
        }
        host.boxResults.clear();
        host.autoPoll = true;
        (State().*c.click)();
        EXPECT_FALSE(host.autoPoll);
        ASSERT_NE(session.ProgressBox(), nullptr);
        EXPECT_EQ(session.ProgressBoxCaption(), c.caption);
        // The box shows nothing but its outcome, then closes by itself.
        EXPECT_FALSE(session.ProgressBox()->Get(BoxLabel::Operation).visible);
        EXPECT_FALSE(session.ProgressBox()->Get(BoxButton::Cancel).visible);
        ASSERT_TRUE(RunUntil([&] { return session.ProgressBox()->DelayPending(); }, 3000));
        const OperationBox& box = *session.ProgressBox();
        EXPECT_EQ(box.Get(BoxLabel::Command).text, c.shown);
        EXPECT_TRUE(box.Get(BoxLabel::Command).visible);
        EXPECT_EQ(box.Get(BoxButton::Cancel).caption, "OK");
        EXPECT_TRUE(box.Get(BoxButton::Cancel).visible);
        EXPECT_EQ(box.DelayMs(), 1500);
        ASSERT_TRUE(RunUntilBoxClosed(1600));
        EXPECT_THAT(host.boxResults, ElementsAre(c.result));
        EXPECT_EQ(sim.State(), c.state);
        EXPECT_EQ(Result().Text, c.shown);
        EXPECT_EQ(Result().Outcome,
                  c.result == mrOk ? CommandOutcome::Ok : CommandOutcome::Refused);
        EXPECT_TRUE(PollRestored());
        EXPECT_TRUE(Idle());
    }
}

TEST_F(StateFixture, NoAnswerShowsTheTimeOutInTheBox) {
    sim.Inject(sim::NoAnswer{-1});
    State().BtnEnableTxClick();
    ASSERT_TRUE(RunUntil([&] { return TimeOuts() > 0; }, 10000));
    ASSERT_NE(session.ProgressBox(), nullptr);
    EXPECT_EQ(session.ProgressBox()->Get(BoxLabel::Command).text, "COMMUNICATION TIMED OUT");
    ASSERT_TRUE(RunUntilBoxClosed(1600));
    EXPECT_THAT(host.boxResults, ElementsAre(mrCancel));
    EXPECT_EQ(Result().Outcome, CommandOutcome::TimedOut);
    EXPECT_EQ(sim.ReceivedCount("ETX"), 3);
}

TEST_F(StateFixture, ClockAndUTCPresets) {
    // Set clock from the fields.
    host.clockTime = "13:45:10";
    host.clockDate = "07/04/2025";
    State().BtnSetClockClick();
    ASSERT_TRUE(RunUntil([&] { return Done(); }, 3000));
    EXPECT_THAT(host.infos, ElementsAre("Clock Set"));
    EXPECT_EQ(sim.Clock().DateText(clock.NowMs()), "07/04/2025");
    EXPECT_EQ(sim.Clock().TimeText(clock.NowMs()).substr(0, 5), "13:45");
    EXPECT_FALSE(link.ConfiguringAll);

    // From the PC's clock, while idle polling holds the link again.
    ASSERT_TRUE(PollRestored());
    host.pcTime.tm_year = 2026 - 1900;
    host.pcTime.tm_mon = 0;
    host.pcTime.tm_mday = 2;
    host.pcTime.tm_hour = 3;
    host.pcTime.tm_min = 4;
    host.pcTime.tm_sec = 5;
    State().btnSetTimePCClick();
    ASSERT_TRUE(RunUntil([&] { return Done(); }, 3000));
    EXPECT_EQ(sim.ReceivedLines().back(), "DAT=01/02/2026");
    EXPECT_EQ(sim.ReceivedLines()[sim.ReceivedLines().size() - 2], "TIM=03:04:05");

    // "ERR" to the time: the date is not sent.
    sim.Inject(sim::ErrOn{"TIM"});
    sim.ResetCounts();
    host.infos.clear();
    State().BtnSetClockClick();
    ASSERT_TRUE(RunUntil([&] { return Done(); }, 3000));
    EXPECT_THAT(host.errors, ElementsAre("TAVIN CLOCK HAS NOT BEEN SET"));
    RunMs(500);
    EXPECT_EQ(sim.ReceivedCount("DAT"), 0);
    sim.ClearFaults();

    // "INV" to the date (a bad field) is reported too instead of hanging.
    host.errors.clear();
    host.clockDate = "13/45/2025";
    State().BtnSetClockClick();
    ASSERT_TRUE(RunUntil([&] { return Done(); }, 3000));
    EXPECT_EQ(Result().Outcome, CommandOutcome::Invalid);
    EXPECT_THAT(host.errors, ElementsAre("TAVIN CLOCK HAS NOT BEEN SET"));
    EXPECT_FALSE(link.ConfiguringAll);

    // Read clock: the fields show the transmitter's clock.
    host.shownDate.clear();
    State().BtnReadClockClick();
    ASSERT_TRUE(RunUntil([&] { return Idle() && !host.shownDate.empty(); }, 3000));
    EXPECT_EQ(host.shownDate, sim.Clock().DateText(clock.NowMs()));
}

TEST_F(StateFixture, UTCPresetOutcomes) {
    struct Case {
        const char* text;
        std::function<void()> fault;
        const char* info;
        const char* error;
        const char* source;
        int correction;
    };
    const Case cases[] = {
        {"-5", [] {}, "UTC Set", nullptr, "Manual Set", -5},
        {"", [] {}, nullptr, "Invalid UTC Correction", "", -13},
        {"+5", [] {}, nullptr, "Invalid UTC Correction", "", -13},
        {" 5", [] {}, nullptr, "Invalid UTC Correction", "", -13},
        {"7", [&] { sim.Inject(sim::InvOn{"UTC"}); }, "UTC Correction Acquired from GPS", nullptr,
         "From Almanac", -13},
        {"7", [&] { sim.Inject(sim::ErrOn{"UTC"}); },
         "Manual UTC Correction not Availible.\rSupported in TAVIN Version 1.12 and Higher.",
         nullptr, "", -13},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("\"") + c.text + "\"");
        ini.Correction = -13;
        host.infos.clear();
        host.errors.clear();
        host.utcSource.clear();
        host.shownUTC.reset();
        sim.ClearFaults();
        c.fault();
        host.utcText = c.text;
        State().BtnSetUTCClick();
        RunUntil([&] { return Done(); }, 3000);
        if (c.info) {
            EXPECT_THAT(host.infos, ElementsAre(c.info));
        } else {
            EXPECT_THAT(host.infos, IsEmpty());
        }
        if (c.error) {
            EXPECT_THAT(host.errors, ElementsAre(c.error));
            EXPECT_EQ(host.shownUTC, -13); // the spin edit shows the stored value again
        } else {
            EXPECT_THAT(host.errors, IsEmpty());
        }
        EXPECT_EQ(host.utcSource, c.source);
        EXPECT_EQ(ini.Correction, c.correction);
        EXPECT_FALSE(link.ConfiguringAll);
    }
    EXPECT_EQ(sim.Commands().Unit().utcCorrection, "-5");

    // Read: the spin edit and the preference follow the transmitter.
    sim.ClearFaults();
    host.shownUTC.reset();
    State().BtnReadUTCClick();
    EXPECT_TRUE(session.UTCReadPending());
    ASSERT_TRUE(RunUntil([&] { return Idle() && host.shownUTC.has_value(); }, 3000));
    EXPECT_EQ(host.shownUTC, -5);
    EXPECT_FALSE(session.UTCReadPending());
}

TEST_F(StateFixture, CheckConfigurationVerdicts) {
    ScriptedPeer scripted;
    scripted.sleepAfterMs = -1;
    clock.AttachPeer(&scripted);
    std::string verdict;
    scripted.Answer = [&](const std::string& line) {
        if (line == "CTX?") {
            return "CTX?\r\n" + verdict + "\r\n>";
        }
        return line + "\r\n>";
    };
    struct Case {
        const char* reply;
        const char* shown;
        CommandOutcome outcome;
    };
    const Case cases[] = {
        {"CTX=OK", "Configuration OK", CommandOutcome::Ok},
        {"CTX=Enabled", "TAVIN Enabled - Configuration OK", CommandOutcome::Ok},
        {"CTX=Logger Enabled", "TAVIN Enabled - Configuration OK", CommandOutcome::Ok},
        {"CTX=TIM Not Set", "ERROR - TIM Not Set", CommandOutcome::Refused},
        {"CTX=A & B", "ERROR - A & B", CommandOutcome::Refused},
        {"OK", "Configuration OK", CommandOutcome::Ok},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reply);
        verdict = c.reply;
        host.infos.clear();
        link.OperationHandler = nullptr;
        State().BtnCheckConfigClick();
        ASSERT_TRUE(RunUntil([&] { return Done() && Idle(); }, 3000));
        EXPECT_THAT(host.infos, ElementsAre(c.shown));
        EXPECT_EQ(Result().Outcome, c.outcome);
        EXPECT_TRUE(PollRestored());
    }
    // The simulator's own verdict on a unit whose clock is not set.
    clock.AttachPeer(&peer);
    sim.Clock().Unset();
    host.infos.clear();
    State().BtnCheckConfigClick();
    ASSERT_TRUE(RunUntil([&] { return Done() && Idle(); }, 6000));
    EXPECT_THAT(host.infos, ElementsAre("ERROR - TIM Not Set"));
}

TEST_F(StateFixture, ActionsNeedAnAnsweringTransmitter) {
    link.TransmitterAnswering = false;
    State().BtnEnableTxClick();
    State().BtnCheckConfigClick();
    session.Transfer().BtnRefreshAllClick();
    EXPECT_THAT(host.errors, ElementsAre("Please Connect TAVIN to Com Port 0",
                                         "Please Connect TAVIN to Com Port 0",
                                         "Please Connect TAVIN to Com Port 0"));
    EXPECT_TRUE(link.ListXmitCmd.empty());
    EXPECT_EQ(session.ProgressBox(), nullptr);
    EXPECT_EQ(Result().Outcome, CommandOutcome::Declined);
}

TEST(FocusForErrorCmd, PageControlAndRow) {
    struct Case {
        const char* command;
        const char* page;
        bool pageChange;
        const char* focus;
        const char* grid;
        int row;
    };
    const Case cases[] = {
        {"TDP=3,S0,1,6", "TabTimedDataFormat", false, "", "GridTimedDataFormat", 4},
        {"TDP=19,S0,1,6", "TabTimedDataFormat", false, "", "GridTimedDataFormat", 20},
        {"TDP=20,S0,1,6", "TabTimedDataFormat", false, "", "", -1},
        {"RDP=0,I1,1,5", "TabRandomDataFormat", false, "", "GridRandomDataFormat", 1},
        {"RRT=14,H,S0,25.5", "TabRandomTrigger", false, "", "GridRandomTriggers", 15},
        {"RRT=15,H,S0,25.5", "TabRandomTrigger", false, "", "", -1},
        {"SSX=3,0,0,1,00:15:00,00:00:00,1", "TabSDI12", false, "", "", -1}, // row text "X"
        {"SS12=0,0,1,00:15:00,00:00:00,1", "TabSDI12", false, "", "", -1},  // beyond row 10
        {"SS9=0,0,1,00:15:00,00:00:00,1", "TabSDI12", false, "", "GridSDI12", 10},
        {"SL2=WIND", "TabSDI12", false, "", "GridSDI12", 3},
        {"SSN=12", "TabSDI12", false, "", "", -1},
        {"IS4=BV,01:00:00,00:00:00,1", "TabInternalSensors", false, "", "GridInternSens", 5},
        {"IL1=BATT", "TabInternalSensors", false, "", "GridInternSens", 2},
        {"ISX=1,BV,01:00:00,00:00:00,1", "TabInternalSensors", false, "", "", -1},
        {"IRC=$", "TabGeneralTxConfiguration", false, "EdtInvalidReplace", "", -1},
        {"FTT=00:10:00", "TabTxSetup", true, "TimedFirstTx", "", -1},
        {"TCH=95,300", "TabTxSetup", true, "RzTimedChannel", "", -1},
        {"TWL=10", "TabTxSetup", false, "RzTimedWindowLength", "", -1},
        {"RCH=101,300", "TabTxSetup", true, "RzRandomChannel", "", -1},
        {"PIS=SITE", "TabGeneralTxConfiguration", true, "PIS", "", -1},
        {"PB2=B", "TabGeneralTxConfiguration", false, "PB2", "", -1},
        {"DAT=01/01/2024", "", false, "RzMskEdtDate", "", -1},
        {"TIM=12:00:00", "TabConfigOptions", false, "OvcTime", "", -1},
        {"TDT", "TabTxSetup", false, "", "", -1},
        {"TSN=1", "", false, "", "", -1},
        {"CFS", "", false, "", "", -1},
        {"EQN=0,S1", "", false, "", "", -1},
        {"SS", "", false, "", "", -1},
        {"", "", false, "", "", -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        const FocusTarget t = FocusForErrorCmd(c.command, [](const std::string&) { return true; });
        EXPECT_EQ(t.Page, c.page);
        EXPECT_EQ(t.PageChange, c.pageChange);
        EXPECT_EQ(t.Focus, c.focus);
        EXPECT_EQ(t.Grid, c.grid);
        EXPECT_EQ(t.Row, c.row);
        EXPECT_FALSE(t.ShowAdvancedSettings);
    }
    const FocusTarget txp = FocusForErrorCmd("TXP=7.5,10,14", nullptr);
    EXPECT_TRUE(txp.ShowAdvancedSettings);
    EXPECT_EQ(txp.Focus, "RzSpinTxPwr100");
    EXPECT_EQ(txp.Page, "TabGeneralTxConfiguration");
    // A disabled sensor tab is not selected; the row still becomes current.
    const FocusTarget hidden =
        FocusForErrorCmd("SS2=0,0,1,00:15:00,00:00:00,1",
                         [](const std::string& page) { return page != "TabSDI12"; });
    EXPECT_EQ(hidden.Page, "");
    EXPECT_EQ(hidden.Row, 3);
}

TEST_F(StateFixture, SetFocusToErrorCmdAlwaysEndsWithThePageChange) {
    State().SetFocusToErrorCmd("TB");
    EXPECT_THAT(host.focus, IsEmpty());
    EXPECT_EQ(host.pageChanges, 1);
    State().SetFocusToErrorCmd("TTI=00:01:00:00");
    ASSERT_EQ(host.focus.size(), 1u);
    EXPECT_EQ(host.focus[0].Focus, "TimedTxInterval");
    EXPECT_EQ(host.pageChanges, 2);
}

} // namespace
} // namespace tavin::test

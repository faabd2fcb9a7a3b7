// The end of a load (1126), a dead link (1128), and the handlers of the
// SDI-12 query and the internal sensor tests.

#include "SupervisionTestFixture.h"

#include "link/WindowMessages.h"

using namespace tavin;
using namespace tavin::test;

namespace {

using Lines = std::vector<std::string>;

class Messages : public SupervisionFixture {};

} // namespace

TEST_F(Messages, EndLoadWithoutABoxChangesNothing) {
    link.LoadEndMarker = "RDP=";
    EXPECT_TRUE(sup.HandleWindowMessage(UMEndLoadMessage, 1000));
    EXPECT_EQ(link.LoadEndMarker, "RDP=");
    EXPECT_FALSE(sup.HandleWindowMessage(UMTAVINErrorMessage, 0));
    EXPECT_FALSE(sup.HandleWindowMessage(UMTAVINEnabled, 0));
}

TEST_F(Messages, EndLoadClosesTheBoxAtOnceOrAfterTheDelay) {
    OperationBox& box = host.OpenBox();
    box.SetCaption(BoxLabel::Command, "RDP?");
    box.SetVisible(BoxLabel::Command, true);
    link.LoadEndMarker = "RDP=";
    sup.UMEndLoadMessage(1000);
    EXPECT_TRUE(box.IsOpen());
    EXPECT_FALSE(box.Get(BoxLabel::Command).visible);
    EXPECT_FALSE(box.Get(BoxButton::OK).visible);
    EXPECT_TRUE(box.Get(BoxButton::Cancel).visible); // the user may still cancel
    EXPECT_EQ(link.LoadEndMarker, "");
    const std::int64_t at = clock.NowMs();
    Run(999);
    EXPECT_TRUE(box.IsOpen());
    Run(1);
    EXPECT_EQ(host.boxResult, mrOk);
    EXPECT_EQ(host.boxClosedAtMs - at, 1000);

    host.OpenBox();
    link.LoadEndMarker = "CFS";
    sup.UMEndLoadMessage(0);
    EXPECT_EQ(host.boxResult, mrOk);
    EXPECT_EQ(link.LoadEndMarker, "CFS");
}

TEST_F(Messages, TimeOutStatusTexts) {
    struct Case {
        bool monitor;
        bool open;
        const char* status;
        const char* caption;
        bool reidentify;
    };
    for (const Case& c : {
             Case{true, true, "COM3 No TAVIN", "Platform ID : No TAVIN", true},
             Case{true, false, "COM None", "Platform ID", false},
             Case{false, true, "COM3", "Platform ID : 1234ABCD", false},
             Case{false, false, "COM None", "Platform ID : 1234ABCD", false},
         }) {
        if (c.open) {
            clock.OpenPort();
        } else {
            clock.ClosePort();
        }
        host.monitor = c.monitor;
        sup.ReidentifyPending = false;
        sup.IdentifyPending = false;
        sup.Status().PlatformIdCaption = "Platform ID : 1234ABCD";
        sup.Status().SerialNumber = " 10234";
        link.SetIndicator(IndicatorLook::Ok);

        sup.UMCommTimeOut();
        EXPECT_EQ(host.commStatus.back(), c.status);
        EXPECT_EQ(sup.Status().PlatformIdCaption, c.caption);
        EXPECT_EQ(sup.ReidentifyPending, c.reidentify);
        EXPECT_TRUE(sup.IdentifyPending);
        EXPECT_EQ(sup.Status().SerialNumber, "");
        EXPECT_EQ(link.Indicator(), IndicatorLook::Error);
        EXPECT_EQ(host.pollMs, 2000);
    }
}

TEST_F(Messages, TimeOutAbandonsARetrieveAndWipesTheHalfReadConfiguration) {
    Start(nullptr); // nothing answers
    sup.DisableAutoPoll();
    cfg.TimedTx.Channel = 95;
    cfg.SDI12[0].Address = "0";
    cfg.MinMaxAvg[0].SourceType = 'S';
    link.RetrievingAll = true;
    link.ConfiguringAll = false;
    clock.onRestartRetrieve = [&] { link.QueueCommand("TCH?"); };
    OperationBox& box = host.OpenBox();
    link.QueueCommand("TCH?");
    link.QueueCommand("TTI?");

    ASSERT_TRUE(RunUntil([&] { return clock.CountMessages(UMCommTimeOut) == 1; }, 10000));
    Run(1);
    EXPECT_FALSE(link.RetrievingAll);
    EXPECT_TRUE(link.ListXmitCmd.empty());
    EXPECT_EQ(link.CurrentCommand(), "");
    EXPECT_EQ(cfg.TimedTx.Channel, 0);
    EXPECT_FALSE(cfg.SDI12[0].IsDefined());
    EXPECT_TRUE(cfg.MinMaxAvg[0].IsFree());
    EXPECT_EQ(host.refreshAll, 1);
    EXPECT_TRUE(clock.TimerEnabled(LinkTimer::Comm));

    // The box says why and closes by itself 1.5 s later.
    EXPECT_EQ(box.Get(BoxLabel::Command).text, "COMMUNICATION TIMED OUT");
    EXPECT_TRUE(box.Get(BoxLabel::Command).visible);
    EXPECT_FALSE(box.Get(BoxButton::Cancel).visible);
    const std::int64_t at = clock.NowMs();
    ASSERT_TRUE(RunUntil([&] { return !box.IsOpen(); }, 3000));
    EXPECT_EQ(host.boxResult, mrCancel);
    EXPECT_NEAR(static_cast<double>(host.boxClosedAtMs - at), 1500, 2);
}

TEST_F(Messages, TimeOutEndsASendWithoutTouchingTheConfiguration) {
    Start(nullptr);
    sup.DisableAutoPoll();
    cfg.TimedTx.Channel = 95;
    link.ConfiguringAll = true;
    clock.onRestartConfigure = [&] { link.QueueCommand("TCH=95,300"); };
    link.QueueCommand("TCH=95,300");
    ASSERT_TRUE(RunUntil([&] { return clock.CountMessages(UMCommTimeOut) == 1; }, 10000));
    Run(1);
    EXPECT_FALSE(link.ConfiguringAll);
    EXPECT_TRUE(link.ListXmitCmd.empty());
    EXPECT_EQ(cfg.TimedTx.Channel, 95);
    EXPECT_EQ(host.refreshAll, 0);
}

TEST_F(Messages, SDI12QueryMemo) {
    struct Case {
        const char* line;
        Lines memo;
    };
    for (const Case& c : {
             Case{"TOT=23.5", {}},
             Case{"SDI=0!", {"SDI=0!"}},
             Case{"SDI=No Response", {"SDI=No Response"}},
             Case{">", {">"}},
             Case{"SM*?", {}},
             Case{"SM3=00/00/0000,00:00:00", {"SM3 : Not Enabled"}},
             Case{"SMX=3,00/00/0000,00:00:00", {"SMX : Not Enabled"}},
             Case{"SM3>=00/00/0000,00:00:00", {"SM3 : Not Enabled"}},
             Case{"SM3=07/04/2024,12:15:00", {"SM3=07/04/2024,12:15:00"}},
             Case{"SMX=3,07/04/2024,12:15:00", {"SMX=3,07/04/2024,12:15:00"}},
             Case{"SM3", {"SM3"}},
         }) {
        host.sdi12Memo.clear();
        sup.SDI12SensorQueryHandler(c.line);
        EXPECT_EQ(host.sdi12Memo, c.memo) << c.line;
    }
}

TEST_F(Messages, InternalSensorTestMemo) {
    struct Case {
        bool temperature;
        const char* line;
        Lines memo;
    };
    for (const Case& c : {
             Case{false, "RBV=12.6", {"Battery Volts : 12.6"}},
             Case{false, "TBC=17", {"Bucket Count : 17"}},
             Case{false, "TBV=1.7", {"Bucket Value : 1.7"}},
             Case{true, "TOT=23.5", {"Temperature : 23.5"}},
             Case{true, ">TOT=23.5", {"Temperature : 23.5"}},
             Case{false, "TOT=23.5", {}},
             Case{false, "IS2=1,00:15:00", {"IS2=1,00:15:00"}},
             Case{false, ">IS2=1", {"IS2=1"}},
             Case{false, "IST=1", {}},
             Case{false, "IS*?", {}},
             Case{false, "IM2=12.5", {"IM2=12.5"}},
             Case{false, "x>IM2=12.5", {"IM2=12.5"}},
             Case{false, "IM*?", {}},
             Case{false, "EQT=0.000", {"0.000"}},
             Case{false, "OK", {}},
             Case{false, ">", {}},
         }) {
        host.internMemo.clear();
        sup.TemperatureTestPressed = c.temperature;
        sup.InternalSensorTestHandler(c.line);
        EXPECT_EQ(host.internMemo, c.memo) << c.line;
    }
}

TEST_F(Messages, QueriesSilenceThePollWhileTheyOwnTheLink) {
    clock.OpenPort();
    sup.ConfigureAutoPoll();
    sup.InstallSDI12SensorQuery();
    EXPECT_EQ(sup.InstalledHandler(), PollHandler::SDI12SensorQueryHandler);
    EXPECT_EQ(sup.InstalledProcedure(), PollProcedure::SDI12QueryPoll);
    sup.TimerAutoPollTimer();
    EXPECT_TRUE(link.ListXmitCmd.empty());

    sup.InstallInternalSensorTest();
    EXPECT_EQ(sup.InstalledHandler(), PollHandler::InternalSensorTestHandler);
    EXPECT_EQ(sup.InstalledProcedure(), PollProcedure::InternalSensorDataPoll);
    sup.TimerAutoPollTimer();
    EXPECT_TRUE(link.ListXmitCmd.empty());

    // Lines from the link reach the memo through the installed handler.
    link.OperationHandler("RBV=12.6");
    EXPECT_EQ(host.internMemo, Lines{"Battery Volts : 12.6"});

    sup.ConfigureAutoPoll();
    sup.TimerAutoPollTimer();
    EXPECT_EQ(link.ListXmitCmd.size(), 1u); // the alive poll again
}

TEST(HintToStatusPane, TheSDI12GridExplainsItsMeasurementColumn) {
    EXPECT_EQ(HintToStatusPane("SDI-12 Configuration Grid", true), "Measurement 0..9,T,B");
    EXPECT_EQ(HintToStatusPane("SDI-12 Configuration Grid", false), std::nullopt);
    EXPECT_EQ(HintToStatusPane("Timed Data Grid", false), "Timed Data Grid");
    EXPECT_EQ(HintToStatusPane("", true), std::nullopt);
}

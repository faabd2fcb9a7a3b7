// Retrieve all and send all against the simulated transmitter on the virtual
// clock: what arrives in the model, what the transmitter ends up holding, and
// how refusals, invalid values and silence end a sequence.
#include "SessionFixture.h"
#include "common/SampleConfigs.h"
#include "link/WindowMessages.h"
#include "sim/SimConfigStore.h"
#include "workflows/WorkflowTexts.h"

#include <gmock/gmock.h>

namespace tavin::test {
namespace {

using sim::TableId;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

class Transfer : public SessionFixture {
protected:
    // Puts cfg into the session's model and sends it.
    void Send(const XmtrConfig& config) {
        cfg = config;
        ctx.RederiveTxMode(cfg);
        host.platformIdField = cfg.RandomTx.ArgosEnabled ? cfg.PlatformIdArgos : cfg.PlatformIdGoes;
        session.Transfer().BtnConfigAllClick();
        ASSERT_TRUE(RunUntilBoxClosed());
    }
    TransferOutcome Outcome() { return session.Transfer().Outcome(); }
};

// Whether a line starting with this text went over the wire.
bool Received(const sim::SimTransmitter& s, const std::string& start) {
    for (const auto& l : s.ReceivedLines()) {
        if (l.rfind(start, 0) == 0) {
            return true;
        }
    }
    return false;
}

// The tables as the transmitter would be loaded with them, and the scalars:
// two models that give the same lines are the same configuration.
std::vector<std::string> Tables(const XmtrConfig& c) {
    std::vector<std::string> out;
    for (const auto& r : c.SDI12) {
        if (r.IsDefined()) {
            out.push_back("S " + r.Address + "," + r.Measurement + "," + std::to_string(r.Value) +
                          "," + r.Interval + "," + r.Offset + "," + std::to_string(r.LogRate) +
                          "," + r.Label);
        }
    }
    for (const auto& r : c.Internal) {
        if (r.IsDefined()) {
            out.push_back("I " + r.Type + "," + r.Interval + "," + std::to_string(r.LogRate) + "," +
                          r.Label);
        }
    }
    for (const auto& r : c.TimedData) {
        if (!r.IsFree()) {
            out.push_back(std::string("T ") + r.SourceType + std::to_string(r.SourceIndex) + "," +
                          std::to_string(r.ValueCount) + "," + std::to_string(r.FieldWidth));
        }
    }
    for (const auto& r : c.RandomData) {
        if (!r.IsFree()) {
            out.push_back(std::string("R ") + r.SourceType + std::to_string(r.SourceIndex) + "," +
                          std::to_string(r.ValueCount) + "," + std::to_string(r.FieldWidth));
        }
    }
    for (const auto& r : c.RandomTriggers) {
        if (!r.IsFree()) {
            out.push_back(std::string("G ") + r.TriggerType + r.SensorType +
                          std::to_string(r.SensorIndex) + "," + std::to_string(r.Limit));
        }
    }
    for (const auto& r : c.MinMaxAvg) {
        if (!r.IsFree()) {
            out.push_back(std::string("M ") + r.SourceType + std::to_string(r.SourceIndex) + "," +
                          r.Interval + (r.Min ? "N" : "") + (r.Max ? "X" : "") +
                          (r.Avg ? "G" : ""));
        }
    }
    for (const auto& e : c.Equations) {
        out.push_back("E " + e);
    }
    return out;
}

TEST_F(Transfer, ASentConfigurationIsHeldByTheTransmitterAndRetrievedUnchanged) {
    UseFirmware("1.53");
    Connect();
    const XmtrConfig sent = SampleConfig({12, 7, 20, 9, 6, 3, 4});
    Send(sent);
    EXPECT_EQ(Outcome(), TransferOutcome::Completed);
    EXPECT_THAT(host.errors, IsEmpty());
    EXPECT_THAT(host.boxCaptions, ElementsAre(texts::kSendCaption));
    EXPECT_EQ(host.boxResults, std::vector<int>{mrOk});
    EXPECT_FALSE(link.ConfiguringAll);

    // The transmitter holds it, saved ("CFS" is the last command).
    EXPECT_EQ(sim.Value("TCH"), "95,300");
    EXPECT_EQ(sim.Value("NID"), "1234ABCE");
    EXPECT_EQ(sim.Value("PIS"), "TEST SITE 7");
    EXPECT_EQ(sim.Value("SSN"), "12");
    const auto& working = sim.Commands().Working();
    EXPECT_EQ(working.RowsInUse(TableId::Sdi).size(), 12u);
    EXPECT_EQ(working.RowsInUse(TableId::Intern).size(), 7u);
    EXPECT_EQ(working.RowsInUse(TableId::Timed).size(), 20u);
    EXPECT_EQ(working.RowsInUse(TableId::Random).size(), 9u);
    EXPECT_EQ(working.RowsInUse(TableId::Trigger).size(), 6u);
    EXPECT_EQ(working.RowsInUse(TableId::MinMaxAvg).size(), 4u);
    EXPECT_EQ(working.RowsInUse(TableId::Equation).size(), 3u);
    EXPECT_EQ(working.Label(TableId::SdiLabel, 11), "W011");
    EXPECT_EQ(sim.ReceivedLines().back(), "CFS");
    EXPECT_EQ(sim.Commands().Stored().Scalar("TCH"), "95,300");
    // It was stopped first and left stopped.
    std::vector<std::string> commands;
    for (const auto& l : sim.ReceivedLines()) {
        if (!l.empty()) {
            commands.push_back(l);
        }
    }
    ASSERT_FALSE(commands.empty());
    EXPECT_EQ(commands.front(), "DTX");
    EXPECT_EQ(sim.ReceivedCount("DTX"), 1);
    EXPECT_EQ(sim.State(), sim::RunState::Disabled);

    // Read back into an emptied model: the same configuration.
    cfg = XmtrConfig{};
    Retrieve();
    EXPECT_EQ(Outcome(), TransferOutcome::Completed);
    EXPECT_EQ(Tables(cfg), Tables(sent));
    EXPECT_EQ(cfg.TimedTx.Channel, 95);
    EXPECT_EQ(cfg.TimedTx.BitRate, 1);
    EXPECT_EQ(cfg.TimedTx.Interval, "00:01:00:00");
    EXPECT_EQ(cfg.TimedTx.FirstTx, "00:10:00");
    EXPECT_EQ(cfg.TimedTx.OpFlags, sent.TimedTx.OpFlags);
    EXPECT_EQ(cfg.RandomTx.Channel, 101);
    EXPECT_EQ(cfg.RandomTx.Interval, 20);
    EXPECT_EQ(cfg.RandomTx.DataOrder, 1);
    EXPECT_EQ(cfg.General.PlatformIdString, "TEST SITE 7");
    EXPECT_EQ(cfg.General.PseudoBinaryHeader1, 'B');
    EXPECT_EQ(cfg.General.PseudoBinaryHeader2, 'C');
    EXPECT_EQ(cfg.PlatformIdGoes, "1234ABCE");
    EXPECT_EQ(host.platformIdField, "1234ABCE");
    EXPECT_TRUE(cfg.TimedEnabled);
    EXPECT_TRUE(cfg.RandomEnabled);
    EXPECT_EQ(cfg.TippingBucket.RollOver, 5000);
    EXPECT_FALSE(link.RetrievingAll);
}

TEST_F(Transfer, RetrieveReadsWhatTheTransmitterWasLoadedWith) {
    UseFirmware("1.53");
    std::vector<std::string> refused;
    ASSERT_TRUE(sim.LoadConfiguration("ARG=0\r\nNID=00AB12CE\r\nTCH=33,1200\r\nTTI=00:03:00:00\r\n"
                                      "FTT=00:05:30\r\nTWL=15\r\nTOF=81\r\nTDS=Sensor\r\n"
                                      "RCH=0\r\nPIS=RIVER\r\nPB1=X\r\nSSN=11\r\n"
                                      "SSX=0,3,0,1,00:10:00,00:00:00,2\r\n"
                                      "SSX=1,3,0,2,00:10:00,00:00:00,2\r\nSLX=1,WIND\r\n"
                                      "ISX=0,BV,01:00:00,00:00:00,1\r\nILX=0,BATT\r\n"
                                      "TDP=0,S0,1,6\r\nTDP=1,S1,1,6\r\nTDP=2,I0,1,5\r\n"
                                      "MMA=0,S1,01:00:00,00:00:00,X\r\nEQN=0,S0+S1\r\nCFS\r\n",
                                      &refused))
        << ::testing::PrintToString(refused);
    Connect();
    Retrieve();
    EXPECT_EQ(session.Transfer().Outcome(), TransferOutcome::Completed);
    EXPECT_THAT(host.boxCaptions, ElementsAre(texts::kRetrieveCaption));
    EXPECT_THAT(host.questions, ElementsAre(texts::kRetrieveConfirm));
    EXPECT_EQ(cfg.PlatformIdGoes, "00AB12CE");
    EXPECT_EQ(cfg.TimedTx.Channel, 33);
    EXPECT_EQ(cfg.TimedTx.BitRate, 2);
    EXPECT_EQ(cfg.TimedTx.Interval, "00:03:00:00");
    EXPECT_EQ(cfg.TimedTx.FirstTx, "00:05:30");
    EXPECT_EQ(cfg.TimedTx.WindowLength, 15);
    EXPECT_TRUE(cfg.TimedTx.OpFlags[0] && cfg.TimedTx.OpFlags[7]);
    EXPECT_EQ(cfg.RandomTx.Channel, 0);
    EXPECT_EQ(cfg.General.PlatformIdString, "RIVER");
    EXPECT_EQ(cfg.General.PseudoBinaryHeader1, 'X');
    EXPECT_EQ(cfg.SDI12[1].Address, "3");
    EXPECT_EQ(cfg.SDI12[1].Value, 2);
    EXPECT_EQ(cfg.SDI12[1].Label, "WIND");
    EXPECT_FALSE(cfg.SDI12[2].IsDefined());
    EXPECT_EQ(cfg.Internal[0].Type, "BV");
    EXPECT_EQ(cfg.Internal[0].Label, "BATT");
    EXPECT_EQ(cfg.TimedData[2].SourceType, 'I');
    EXPECT_TRUE(cfg.TimedData[3].IsFree());
    EXPECT_TRUE(cfg.MinMaxAvg[0].Max);
    EXPECT_THAT(cfg.Equations, ElementsAre("S0+S1"));
    EXPECT_TRUE(cfg.TimedEnabled);
    EXPECT_FALSE(cfg.RandomEnabled);
    // Every query of the extended list went out once, the bulk ones included.
    for (const char* m :
         {"IST", "ARG", "SCD", "AID", "TSN", "NID", "ROF", "PUE", "GTS", "PIS", "TBM", "LGM",
          "SFL", "TZN", "SSN", "ISN", "SSX", "SLX", "ISX", "ILX", "MMA", "EQN", "TDP", "RDP"}) {
        EXPECT_EQ(sim.ReceivedCount(m), 1) << m;
    }
    EXPECT_EQ(sim.ReceivedCount("SS"), 0);
    EXPECT_EQ(sim.ReceivedCount("GTC"), 0); // advanced settings are off
    EXPECT_EQ(sim.ReceivedCount("RRT"), 0); // no random channel
}

// Below 1.30 the tables are read and written in the short form, without
// counts, equations or min/max/average; from 1.30 in the X form.
TEST_F(Transfer, TheFirmwareChoosesTheShortOrTheExtendedForms) {
    struct Case {
        const char* firmware;
        bool extended;
    };
    for (const Case c : {Case{"1.25", false}, Case{"1.35", true}}) {
        SCOPED_TRACE(c.firmware);
        sim::SimTransmitter fresh;
        SimPeer freshPeer(fresh);
        clock.AttachPeer(&freshPeer);
        ASSERT_TRUE(fresh.SetFirmwareVersion(c.firmware));
        utility.SetVersionCode(VersionCodeFromText(c.firmware), ini, true);
        Connect();
        host.errors.clear();

        const XmtrConfig sent =
            c.extended ? SampleConfig({12, 7, 20, 9, 6, 3, 4}) : ShortFormConfig();
        Send(sent);
        EXPECT_EQ(Outcome(), TransferOutcome::Completed);
        EXPECT_THAT(host.errors, IsEmpty());
        EXPECT_EQ(fresh.ReceivedCount("SSX") > 0, c.extended);
        EXPECT_EQ(Received(fresh, "SS0="), !c.extended);
        EXPECT_EQ(fresh.ReceivedCount("SSN") > 0, c.extended);
        EXPECT_EQ(fresh.ReceivedCount("EQN") > 0, c.extended);
        EXPECT_EQ(fresh.ReceivedCount("CFB") > 0, c.extended); // protection from 1.30

        cfg = XmtrConfig{};
        fresh.ResetCounts();
        Retrieve();
        EXPECT_EQ(Outcome(), TransferOutcome::Completed);
        EXPECT_EQ(Tables(cfg), Tables(sent));
        EXPECT_EQ(Received(fresh, "SS*?"), !c.extended);
        EXPECT_EQ(Received(fresh, "SSX=*?"), c.extended);
    }
}

TEST_F(Transfer, ARefusedCommandIsNamedAndEndsTheSend) {
    UseFirmware("1.53");
    sim.Inject(sim::ErrOn{"TWL"});
    Connect();
    Send(SampleConfig({3, 2, 4, 2, 1, 1, 1}));
    EXPECT_EQ(Outcome(), TransferOutcome::Refused);
    EXPECT_EQ(session.Transfer().FailedCommand(), "TWL=10");
    EXPECT_THAT(host.errors, ElementsAre("Error With Command \"TWL=10\""));
    // The rest of the sequence was dropped, nothing was stored.
    EXPECT_EQ(sim.ReceivedCount("TPR"), 0);
    EXPECT_EQ(sim.ReceivedCount("CFS"), 0);
    EXPECT_TRUE(link.ListXmitCmd.empty());
    EXPECT_FALSE(link.ConfiguringAll);
    EXPECT_EQ(host.boxResults, std::vector<int>{mrOk});
    // The user is taken to the field.
    ASSERT_EQ(host.focus.size(), 1u);
    EXPECT_EQ(host.focus[0].Page, "TabTxSetup");
    EXPECT_EQ(host.focus[0].Focus, "RzTimedWindowLength");
}

TEST_F(Transfer, AnInvalidValueEndsTheSendWithoutAMessage) {
    UseFirmware("1.53");
    sim.Inject(sim::InvOn{"TDP=1,"});
    Connect();
    Send(SampleConfig({3, 2, 4, 2, 1, 1, 1}));
    EXPECT_EQ(Outcome(), TransferOutcome::Invalid);
    EXPECT_THAT(host.errors, IsEmpty());
    EXPECT_THAT(host.infos, IsEmpty());
    EXPECT_EQ(sim.ReceivedCount("RDP"), 0);
    EXPECT_EQ(sim.ReceivedCount("CFS"), 0);
    EXPECT_FALSE(link.ConfiguringAll);
    RunMs(2000);
    EXPECT_TRUE(Idle());
}

// No answer: the send restarts from the beginning of its own list (without
// "DTX") after the first and second time-outs; the third declares the link
// dead and the box closes with Cancel after showing why.
TEST_F(Transfer, SilenceRetriesTheSequenceThenGivesUp) {
    UseFirmware("1.53");
    Connect();
    sim.Inject(sim::NoAnswer{-1});
    cfg = SampleConfig({3, 2, 4, 2, 1, 1, 1});
    host.platformIdField = cfg.PlatformIdGoes;
    session.Transfer().BtnConfigAllClick();
    ASSERT_TRUE(RunUntil([&] { return TimeOuts() > 0; }, 30000));
    OperationBox* box = session.ProgressBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->Get(BoxLabel::Command).text, "COMMUNICATION TIMED OUT");
    ASSERT_TRUE(RunUntilBoxClosed(2000));
    EXPECT_EQ(host.boxResults, std::vector<int>{mrCancel});
    EXPECT_EQ(Outcome(), TransferOutcome::TimedOut);
    EXPECT_EQ(sim.ReceivedCount("DTX"), 1);
    EXPECT_EQ(sim.ReceivedCount("CFB"), 2);
    EXPECT_EQ(clock.configureRestarts, 2);
    EXPECT_FALSE(link.TransmitterAnswering);
    EXPECT_TRUE(Idle());

    // A retrieve meets the same: the list restarts, then the half-read
    // configuration is wiped, the min/max/average table too.
    sim.ClearFaults();
    Connect();
    sim.Inject(sim::NoAnswer{-1});
    sim.ResetCounts();
    host.boxResults.clear();
    Retrieve();
    EXPECT_EQ(Outcome(), TransferOutcome::TimedOut);
    EXPECT_EQ(sim.ReceivedCount("IST"), 3);
    EXPECT_EQ(clock.retrieveRestarts, 2);
    EXPECT_EQ(Tables(cfg), std::vector<std::string>{});
    EXPECT_EQ(host.boxResults, std::vector<int>{mrCancel});
}

TEST_F(Transfer, CancelDuringARetrieveLeavesOnlyTheMinMaxAvgTable) {
    UseFirmware("1.53");
    Connect();
    Send(SampleConfig({4, 2, 4, 2, 1, 1, 2}));
    ASSERT_EQ(Outcome(), TransferOutcome::Completed);
    session.Transfer().BtnRefreshAllClick();
    ASSERT_TRUE(RunUntil([&] { return cfg.SDI12[1].IsDefined(); }, 30000));
    ASSERT_NE(session.ProgressBox(), nullptr);
    session.ProgressBox()->ClickCancel();
    EXPECT_EQ(Outcome(), TransferOutcome::Cancelled);
    EXPECT_EQ(Tables(cfg), (std::vector<std::string>{"M S0,01:00:00NXG", "M S1,01:00:00NXG"}));
    EXPECT_EQ(cfg.TimedTx.Channel, 0);
    EXPECT_FALSE(link.RetrievingAll);
    EXPECT_TRUE(Idle());
    EXPECT_TRUE(PollRestored());
}

TEST_F(Transfer, ArgosSendAndRetrieveCarryTheDataPackAndItsStatus) {
    UseFirmware("1.53");
    Connect();
    XmtrConfig argos = SampleConfig({3, 2, 1, 2, 2, 0, 0});
    argos.RandomTx.ArgosEnabled = true;
    argos.PlatformIdArgos = "ABC77";
    argos.RandomTx.ArgosChannel = "D17+S55";
    argos.RandomTx.ArgosInterval = 90;
    argos.RandomTx.ArgosRepeatCount = 4;
    argos.RandomTx.DataSource = 0; // RS-232: the pack goes out entry by entry
    argos.RandomTx.ArgosDataPack[0] = 5;
    argos.RandomTx.ArgosDataPack[1] = 7;
    argos.RandomTx.ArgosDataPack[3] = 9; // after the ending zero: not sent
    ini.DownloadSave = false;
    Send(argos);
    EXPECT_EQ(Outcome(), TransferOutcome::Completed);
    EXPECT_EQ(sim.Value("ARG"), "1");
    EXPECT_EQ(sim.Value("AID"), "ABC77");
    EXPECT_EQ(sim.Commands().Working().ArgosEntry(0), 5);
    EXPECT_EQ(sim.Commands().Working().ArgosEntry(1), 7);
    EXPECT_EQ(sim.Commands().Working().ArgosEntry(3), 0);
    EXPECT_EQ(sim.ReceivedCount("NID"), 0);
    // Without "CFS" the send ends at the last data pack entry.
    EXPECT_EQ(sim.ReceivedLines().back(), "ADP=1,7");
    EXPECT_EQ(sim.ReceivedCount("CFS"), 0);

    // A random channel with sensor data in ARGOS mode extends the retrieve to
    // the triggers, the data pack and its status.
    sim.SetValue("RDS", "Sensor");
    sim.SetValue("RCH", "101,300");
    cfg = XmtrConfig{};
    sim.ResetCounts();
    Retrieve();
    EXPECT_EQ(Outcome(), TransferOutcome::Completed);
    EXPECT_TRUE(cfg.RandomTx.ArgosEnabled);
    EXPECT_EQ(ctx.TxMode, kTxModeArgos);
    EXPECT_EQ(cfg.PlatformIdArgos, "ABC77");
    EXPECT_EQ(host.platformIdField, "ABC77");
    EXPECT_EQ(sim.ReceivedCount("RRT"), 1);
    EXPECT_TRUE(Received(sim, "ADP=*")); // besides the "ADP?" the RDS reply asks for
    EXPECT_EQ(sim.ReceivedCount("ADS"), 1);
    EXPECT_EQ(sim.ReceivedLines().back(), "ADS?");
}

} // namespace
} // namespace tavin::test

// The test window and the calibration window against the simulated
// transmitter: forced transmissions, the OCXO box that follows only the
// transmitter, the calibration's opening queries, its status box, the
// polls, ABORT and a lost link.

#include "ServiceFixture.h"

#include "sim/SimFaults.h"
#include "workflows/CalibrationLogic.h"
#include "workflows/ServiceTexts.h"
#include "workflows/TxTestLogic.h"

#include <algorithm>
#include <map>

using namespace tavin;
using namespace tavin::test;

namespace {

class RecordingTestView : public TxTestView {
public:
    void SetOcxoChecked(bool checked) override {
        ocxo = checked;
        ++ocxoSets;
    }
    void SetChannelMaximum(int maximum) override { channelMax = maximum; }
    void SetChannel(int value) override { channel = value; }
    void ShowInfoBox(const std::string& text) override { infos.push_back(text); }
    void ShowErrorBox(const std::string& text) override { errors.push_back(text); }

    bool ocxo = false;
    int ocxoSets = 0;
    int channelMax = 266;
    int channel = 1;
    std::vector<std::string> infos;
    std::vector<std::string> errors;
};

class TxTest : public ServiceFixture {
protected:
    void OpenWindow() {
        ASSERT_TRUE(Open(ServiceWindow::TxTest,
                         [this](const std::string& line) { test.PacketHandler(line); }));
    }
    void RunWindow(std::int64_t ms) {
        Run(
            ms, [this] { test.OnTimer(); }, 30);
    }

    RecordingTestView view;
    TxTestController test{link, view};
};

} // namespace

TEST_F(TxTest, ForceTxBuildsTypeChannelAndRate) {
    OpenWindow();
    test.ForceTx(0, 95, 1, false);
    EXPECT_EQ(view.infos, std::vector<std::string>{texts::kOcxoNotOn});
    EXPECT_TRUE(link.ListXmitCmd.empty());

    test.OcxoClicked(true);
    RunWindow(500);
    EXPECT_TRUE(view.ocxo) << "ticked by the transmitter's FTX=E";
    test.ForceTx(3, 95, 1, view.ocxo); // "Fixed Message", 300 BPS
    test.ForceTx(4, 7, 2, view.ocxo);
    test.StopTx();
    RunWindow(500);
    const auto cmds = SimCommands();
    EXPECT_EQ(cmds, (std::vector<std::string>{"FTX=E", "FTX?", "FTX=4,95,300", "FTX=5,7,1200",
                                              "STX", "FTX?"}));
    EXPECT_TRUE(view.errors.empty());
}

TEST_F(TxTest, BitRate1200LimitsTheChannel) {
    test.BitRateChanged(1, 200);
    EXPECT_EQ(view.channelMax, 266);
    test.BitRateChanged(2, 200);
    EXPECT_EQ(view.infos, std::vector<std::string>{texts::kChannelRange1200});
    EXPECT_EQ(view.channel, 133);
    EXPECT_EQ(view.channelMax, 133);
    test.BitRateChanged(2, 100);
    EXPECT_EQ(view.infos.size(), 1u) << "a channel within range is left alone";
    test.BitRateChanged(0, 133);
    EXPECT_EQ(view.channelMax, 266);
}

TEST_F(TxTest, OcxoRefusedWhileTransmittingShowsItsMessageOnceAndStaysUnticked) {
    sim.Commands().Unit().run = sim::RunState::Enabled;
    OpenWindow();
    test.OcxoClicked(true);
    EXPECT_FALSE(view.ocxo) << "the box waits for the transmitter";
    EXPECT_TRUE(test.OcxoRequest());
    bool everTicked = false;
    for (int i = 0; i < 40; ++i) {
        RunWindow(25);
        everTicked = everTicked || view.ocxo;
    }
    EXPECT_FALSE(everTicked) << "not even by the echo of FTX=E";
    EXPECT_EQ(view.errors, std::vector<std::string>{texts::kOcxoFailed});
    EXPECT_FALSE(test.OcxoRequest());
    EXPECT_EQ(sim.ReceivedCount("FTX"), 2);
}

TEST_F(TxTest, AnswerTicksTheBoxWithoutSendingAndFailSafeErrorIsReported) {
    OpenWindow();
    test.PacketHandler("FTX=E");
    test.OnTimer();
    EXPECT_TRUE(view.ocxo);
    test.PacketHandler("FTX=D");
    test.OnTimer();
    EXPECT_FALSE(view.ocxo);
    EXPECT_TRUE(link.ListXmitCmd.empty());

    sim.SetFirmwareVersion("1.10"); // the fail-safe reset came with 1.12
    test.ResetFailSafe();
    RunWindow(500);
    EXPECT_EQ(view.errors, std::vector<std::string>{texts::kFailSafeFailed});
    EXPECT_FALSE(test.FailSafeRequest());
}

namespace {

class RecordingCalHost : public CalibrationHost {
public:
    bool CheckLinkReady(bool showMessage) override {
        if (showMessage) {
            ++checksWithMessage;
        }
        return linkReady && (!link || link->TransmitterAnswering);
    }
    bool AskYesNo(const std::string& text) override {
        asked.push_back(text);
        return yes;
    }
    void ShowErrorBox(const std::string& text) override { errors.push_back(text); }
    void ShowSynthesizerCorrection(const std::string& t) override { fields["SFC"] = t; }
    void ShowTcxoCorrection(const std::string& t) override { fields["TCR"] = t; }
    void ShowTcxoAging(const std::string& t) override { fields["TCA"] = t; }
    void ShowTcxoSerialNumber(const std::string& t) override { fields["TSN"] = t; }
    void ShowTcxoOk(bool ok) override { fields["OK"] = ok ? "1" : "0"; }
    void ShowOcxoCorrection(const std::string& t) override { fields["OCR"] = t; }
    void ShowStatusBox(OperationBox& box, const std::string& caption) override {
        shownBox = &box;
        captions.push_back(caption);
    }
    void StatusBoxChanged(const OperationBox& box) override {
        states.push_back(box.Get(BoxLabel::Operation).text);
    }
    void StatusBoxClosed(int result) override { results.push_back(result); }

    TransmitterLink* link = nullptr;
    bool linkReady = true;
    int checksWithMessage = 0;
    bool yes = true;
    std::vector<std::string> asked;
    std::vector<std::string> errors;
    std::map<std::string, std::string> fields;
    OperationBox* shownBox = nullptr;
    std::vector<std::string> captions;
    std::vector<std::string> states;
    std::vector<int> results;
};

class Calibration : public ServiceFixture {
protected:
    Calibration() { host.link = &link; }
    void OpenWindow() {
        ASSERT_TRUE(Open(ServiceWindow::Calibration,
                         [this](const std::string& line) { cal.PacketHandler(line); }));
        cal.Open();
    }
    void RunWindow(std::int64_t ms) {
        Run(
            ms, [this] { cal.OnTimer(); }, 20);
    }
    bool RunWindowUntil(const std::function<bool()>& done, std::int64_t limitMs) {
        return RunUntil(
            done, limitMs, [this] { cal.OnTimer(); }, 20);
    }

    RecordingCalHost host;
    CalibrationController cal{link, host};
};

} // namespace

TEST_F(Calibration, OpeningQueriesFillTheFieldsAndNotActiveShowsNothing) {
    sim.Commands().Unit().calibration["TCR"] = "1.234567";
    OpenWindow();
    ASSERT_TRUE(
        RunWindowUntil([&] { return cal.PendingLines() == 0 && host.fields.size() == 6; }, 3000));
    RunWindow(300);
    EXPECT_EQ(SimCommands(),
              (std::vector<std::string>{"TSN?", "TSN", "OCR?", "SFC?", "TCA?", "TCR?", "GCS?"}));
    EXPECT_EQ(host.fields, (std::map<std::string, std::string>{{"OCR", "0.0012"},
                                                               {"OK", "1"},
                                                               {"SFC", "0.000000"},
                                                               {"TCA", "0.000"},
                                                               {"TCR", "1.234567"},
                                                               {"TSN", "10234"}}));
    EXPECT_FALSE(cal.Calibrating());
    EXPECT_TRUE(host.captions.empty());
    EXPECT_TRUE(host.errors.empty());
    EXPECT_TRUE(cal.CanClose());

    // The TCXO correction is the first value of its reply.
    cal.ParseLine("TCR=1.234567,0.5");
    EXPECT_EQ(host.fields["TCR"], "1.234567");
    cal.ParseLine("TSN=INV");
    EXPECT_EQ(host.fields["OK"], "0");
}

TEST_F(Calibration, GpsCalibrationRunsToItsEndAndTheBoxClosesByItself) {
    OpenWindow();
    // Started at once: the opening "GCS=Not Active" is still to be parsed
    // and must not end the calibration.
    RunWindow(150);
    ASSERT_GT(cal.PendingLines(), 0u);
    host.yes = false;
    cal.StartGpsCalibration();
    EXPECT_EQ(host.asked, std::vector<std::string>{texts::kStartCalibrationAsk});
    EXPECT_FALSE(cal.Calibrating());

    host.yes = true;
    cal.StartGpsCalibration();
    ASSERT_NE(host.shownBox, nullptr);
    EXPECT_EQ(host.captions, std::vector<std::string>{texts::kCalibrationStatus});
    OperationBox& box = *host.shownBox;
    EXPECT_EQ(box.Get(BoxButton::Cancel).caption, "ABORT");
    EXPECT_FALSE(box.Get(BoxButton::OK).visible);
    EXPECT_FALSE(cal.CanClose());
    EXPECT_EQ(host.errors, std::vector<std::string>{texts::kCalibratingWait});

    RunWindow(3000);
    EXPECT_TRUE(box.IsOpen());
    EXPECT_EQ(box.Get(BoxLabel::Operation).text.rfind("State : ", 0), 0u);
    EXPECT_NE(box.Get(BoxLabel::Instruction).text.find("OCXO : 0.0"), std::string::npos);
    EXPECT_NE(box.Get(BoxLabel::Command).text.find("TCXO : -0.0"), std::string::npos);
    EXPECT_TRUE(box.Progress().visible);
    EXPECT_EQ(box.Progress().maximum, 15);
    EXPECT_GE(box.Progress().position, 3);

    ASSERT_TRUE(RunWindowUntil([&] { return !box.IsOpen(); }, 15000));
    EXPECT_EQ(host.results, std::vector<int>{mrOk});
    EXPECT_FALSE(cal.Calibrating());
    EXPECT_EQ(sim.ReceivedCount("GCS=ABORT"), 0);
    EXPECT_TRUE(sim.Commands().Unit().haveOscCal);
    const auto cmds = SimCommands();
    EXPECT_NE(std::find(cmds.begin(), cmds.end(), "DTX"), cmds.end());
    EXPECT_TRUE(cal.CanClose());
}

TEST_F(Calibration, AbortSendsTheAbortOfItsOperation) {
    OpenWindow();
    RunWindow(500);
    cal.StartGpsCalibration();
    RunWindow(1500);
    host.shownBox->ClickCancel();
    EXPECT_EQ(host.results, std::vector<int>{mrCancel});
    EXPECT_EQ(link.ListXmitCmd.back(), "GCS=ABORT");
    // The next status poll finds it stopped.
    ASSERT_TRUE(RunWindowUntil([&] { return !cal.Calibrating(); }, 3000));
    EXPECT_EQ(sim.Commands().Unit().gpsOperation, sim::GpsOperation::None);

    cal.ForceFix();
    EXPECT_EQ(host.captions.back(), texts::kForcingGpsFix);
    EXPECT_FALSE(host.shownBox->Get(BoxLabel::Instruction).visible);
    RunWindow(1000);
    host.shownBox->ClickCancel();
    EXPECT_FALSE(cal.Fixing());
    RunWindow(500);
    EXPECT_EQ(sim.ReceivedCount("FGF"), 2);
}

TEST_F(Calibration, LostLinkEndsTheOperationAndCancelsTheBox) {
    OpenWindow();
    RunWindow(500);
    cal.StartGpsCalibration();
    RunWindow(500);
    sim.Inject(sim::Unplugged{});
    ASSERT_TRUE(RunWindowUntil([&] { return !host.errors.empty(); }, 20000));
    EXPECT_EQ(host.errors, std::vector<std::string>{texts::kCommLostCalibration});
    EXPECT_FALSE(cal.Calibrating());
    EXPECT_EQ(host.results, std::vector<int>{mrCancel});
    EXPECT_EQ(link.ListXmitCmd.back(), "GCS=ABORT");
}

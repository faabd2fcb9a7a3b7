// The data buffer check and refresh against the simulated transmitter on the
// virtual clock, and the Monitor mode buffer tabs.

#include "workflows/BufferCheck.h"

#include "SessionFixture.h"

#include <gmock/gmock.h>

#include <map>

using namespace tavin;
using namespace tavin::test;
using testing::ElementsAre;

namespace {

class RecordingBufferHost : public BufferCheckHost {
public:
    void UncheckBufferCheck(DataBuffer which) override { ++unchecks[which]; }
    void ShowCheckMemo(DataBuffer which, bool shown) override { memoShown[which] = shown; }
    void ClearCheckMemo(DataBuffer which) override { memo[which].clear(); }
    void AppendCheckMemo(DataBuffer which, const std::string& line) override {
        memo[which].push_back(line);
    }
    void ShowRefreshButton(DataBuffer which, bool shown) override { refreshShown[which] = shown; }
    void SetProgressBoxCaption(const std::string& caption) override { captions.push_back(caption); }
    void ShowStatusBufferSize(DataBuffer which, const std::string& size) override {
        statusSize[which] = size;
    }
    void ClearStatusMemo(DataBuffer which) override { statusMemo[which].clear(); }
    void AppendStatusMemo(DataBuffer which, const std::string& line) override {
        statusMemo[which].push_back(line);
    }

    std::map<DataBuffer, int> unchecks;
    std::map<DataBuffer, bool> memoShown, refreshShown;
    std::map<DataBuffer, std::vector<std::string>> memo, statusMemo;
    std::map<DataBuffer, std::string> statusSize;
    std::vector<std::string> captions;
};

class BufferCheckTest : public SessionFixture {
protected:
    BufferCheckTest() {
        Connect();
        session.Supervisor().DisableAutoPoll();
    }
    void RunUntilIdle() {
        ASSERT_TRUE(RunUntil([&] { return Idle(); }, 20000));
    }
    void Define(const char* line) {
        std::vector<std::string> refused;
        ASSERT_TRUE(sim.LoadConfiguration(std::string(line) + "\r\nCFS\r\n", &refused));
        ASSERT_TRUE(refused.empty()) << refused.front();
    }

    RecordingBufferHost bufferHost;
    BufferCheck check{session, bufferHost};
};

TEST_F(BufferCheckTest, CheckShowsTheTestBuffer) {
    Define("TDP=0,T,\"AB\"\r\nTDP=1,S0,2,4");
    sim.ResetCounts();
    check.BufferCheckClick(DataBuffer::Timed, true);
    RunUntilIdle();
    RunMs(100);
    EXPECT_EQ(sim.ReceivedCount("TDP"), 1);
    EXPECT_EQ(sim.ReceivedCount("TBD"), 1);
    EXPECT_TRUE(bufferHost.memoShown[DataBuffer::Timed]);
    EXPECT_TRUE(bufferHost.refreshShown[DataBuffer::Timed]);
    EXPECT_THAT(bufferHost.memo[DataBuffer::Timed], ElementsAre("AB 0000 0000"));
    EXPECT_TRUE(host.errors.empty());

    check.BufferCheckClick(DataBuffer::Timed, false);
    EXPECT_FALSE(bufferHost.memoShown[DataBuffer::Timed]);
    EXPECT_FALSE(bufferHost.refreshShown[DataBuffer::Timed]);
    EXPECT_FALSE(link.OperationHandler);
}

TEST_F(BufferCheckTest, RefusedWhileTheTransmitterIsEnabled) {
    link.QueueCommand("ETX");
    RunUntilIdle();
    sim.ResetCounts();
    check.BufferCheckClick(DataBuffer::Timed, true);
    RunUntilIdle();
    RunMs(100);
    EXPECT_EQ(sim.ReceivedCount("TDP"), 1);
    EXPECT_EQ(sim.ReceivedCount("TBD"), 0);
    EXPECT_THAT(host.errors, ElementsAre("TAVIN is currently Enabled\rFeature Disabled"));
    EXPECT_EQ(bufferHost.unchecks[DataBuffer::Timed], 1);
    EXPECT_FALSE(bufferHost.refreshShown[DataBuffer::Timed]);
    EXPECT_FALSE(link.OperationHandler);
}

TEST_F(BufferCheckTest, WhichBufferLinesAreShown) {
    struct Case {
        DataBuffer which;
        const char* line;
        bool shown;
    } cases[] = {
        {DataBuffer::Timed, "12.5 TDP 3", false}, {DataBuffer::Timed, "TDP", false},
        {DataBuffer::Timed, "TBD?", false},       {DataBuffer::Timed, "", false},
        {DataBuffer::Timed, ">", false},          {DataBuffer::Timed, "RDP 7", true},
        {DataBuffer::Random, "12.5 RDP 3", true}, {DataBuffer::Random, "RDP", false},
        {DataBuffer::Random, "RBD?", false},      {DataBuffer::Random, "TDP 1", true},
    };
    for (const Case& c : cases) {
        bufferHost.memo.clear();
        check.BufferCheckClick(c.which, true);
        check.BufferCheckHandler(c.which, ">"); // the build's prompt: the dump query goes out
        check.BufferCheckHandler(c.which, c.which == DataBuffer::Timed ? "TBD=9" : "RBD=9");
        check.BufferCheckHandler(c.which, c.line);
        EXPECT_EQ(bufferHost.memo[c.which].size(), c.shown ? 1u : 0u) << c.line;
    }
    link.ListXmitCmd.clear();
}

TEST_F(BufferCheckTest, RefreshSendsTheFormatAndChecksAgain) {
    UseFirmware("1.30");
    cfg.TimedData[0].SourceType = 'T';
    cfg.TimedData[0].Text = "HI";
    cfg.TimedData[1].SourceType = 'H';
    cfg.TimedData[1].SourceIndex = 3;
    sim.ResetCounts();
    check.BufferRefreshClick(DataBuffer::Timed);
    ASSERT_NE(session.ProgressBox(), nullptr);
    EXPECT_THAT(host.boxCaptions, ElementsAre("Updating TAVIN Configuration"));
    EXPECT_EQ(session.ProgressBox()->Get(BoxLabel::Operation).text,
              "Updating Timed Data Buffer Information");
    // The count commands go first, sorted as the send-all sorts them.
    std::vector<std::string> queued(link.ListXmitCmd.begin(), link.ListXmitCmd.end());
    ASSERT_GE(queued.size(), 9u);
    std::vector<std::string> counts;
    for (const TParamNum& p : session.Transfer().CountCommands()) {
        counts.push_back(p.Mnemonic + std::to_string(p.Count));
    }
    EXPECT_EQ(counts.front(), "RPN=1");
    EXPECT_EQ(std::vector<std::string>(queued.begin(), queued.begin() + 6), counts);
    EXPECT_THAT(std::vector<std::string>(queued.begin() + 6, queued.end()),
                ElementsAre("TDP=CLEAR", "TDP=0,T,\"HI\"", "TDP=1,H3"));
    EXPECT_EQ(check.LastFormatCommand, "TDP=1,H3");

    // The "OK" of the earlier entries changes nothing; the last one's closes
    // the box after a second and the check starts on the new format.
    ASSERT_TRUE(RunUntil([&] { return !host.boxResults.empty(); }, 20000));
    EXPECT_EQ(host.boxResults.back(), mrOk);
    EXPECT_THAT(bufferHost.captions, ElementsAre("TAVIN Configuration Updated"));
    RunUntilIdle();
    RunMs(100);
    EXPECT_EQ(sim.ReceivedCount("TDP"), 4); // CLEAR, two rows, the build
    EXPECT_EQ(sim.ReceivedCount("TBD"), 1);
    ASSERT_EQ(bufferHost.memo[DataBuffer::Timed].size(), 1u);
    EXPECT_EQ(bufferHost.memo[DataBuffer::Timed][0].substr(0, 2), "HI");
}

TEST_F(BufferCheckTest, AnOkBeforeTheLastEchoIsIgnored) {
    check.LastFormatCommand = "TDP=1,H3";
    check.LastFormatEchoed = false;
    host.boxCaptions.clear();
    session.OpenProgressBox("Updating TAVIN Configuration", [](int) {});
    check.BufferRefreshHandler(DataBuffer::Timed, "TDP=CLEAR");
    check.BufferRefreshHandler(DataBuffer::Timed, "OK");
    EXPECT_FALSE(session.ProgressBox()->DelayPending());
    check.BufferRefreshHandler(DataBuffer::Timed, "TDP=1,H3");
    check.BufferRefreshHandler(DataBuffer::Timed, "OK");
    EXPECT_TRUE(session.ProgressBox()->DelayPending());
    EXPECT_EQ(session.ProgressBox()->DelayMs(), 1000);
    EXPECT_THAT(link.ListXmitCmd, ElementsAre("TDP"));
    link.ListXmitCmd.clear();
}

TEST_F(BufferCheckTest, RandomRefreshRefusedEntryReportsAndEndMarker) {
    cfg.RandomTx.DataSource = 1;
    cfg.RandomData[0].SourceType = 'H';
    cfg.RandomData[0].SourceIndex = 10;
    cfg.RandomData[1].SourceType = 'T';
    cfg.RandomData[1].Text = "X";
    sim.Inject(sim::ErrOn{"RDP=1,", 1});
    check.BufferRefreshClick(DataBuffer::Random);
    EXPECT_EQ(link.LoadEndMarker, "RBD");
    ASSERT_TRUE(RunUntil([&] { return !host.boxResults.empty(); }, 20000));
    EXPECT_EQ(host.boxResults.back(), mrCancel);
    EXPECT_THAT(bufferHost.captions, ElementsAre("Updating TAVIN Configuration ERROR"));
    EXPECT_TRUE(link.ListXmitCmd.empty());
}

TEST_F(BufferCheckTest, RefreshOfAnEmptyFormatCompletes) {
    check.BufferRefreshClick(DataBuffer::Random);
    ASSERT_TRUE(RunUntil([&] { return !host.boxResults.empty(); }, 20000));
    EXPECT_EQ(host.boxResults.back(), mrOk);
}

TEST_F(BufferCheckTest, MonitorTabShowsTheLiveBuffer) {
    Define("RDP=0,T,\"ZZ\"");
    link.QueueCommand("RDP");
    RunUntilIdle();
    link.OperationHandler = check.StatusHandler(DataBuffer::Random);
    check.DumpStarted = false;
    link.QueueCommand("RBD");
    RunUntilIdle();
    RunMs(100);
    EXPECT_EQ(bufferHost.statusSize[DataBuffer::Random], "2");
    EXPECT_THAT(bufferHost.statusMemo[DataBuffer::Random], ElementsAre("ZZ"));
    // Lines that are the dump's own echo stay out.
    check.DataBufferStatusHandler(DataBuffer::Random, ">RBD");
    check.DataBufferStatusHandler(DataBuffer::Random, "RBD");
    EXPECT_EQ(bufferHost.statusMemo[DataBuffer::Random].size(), 1u);
}

TEST_F(BufferCheckTest, HideReviewControlsEndsBothChecks) {
    check.BufferCheckClick(DataBuffer::Random, true);
    check.HideDataBufferReviewControls();
    EXPECT_EQ(bufferHost.unchecks[DataBuffer::Timed], 1);
    EXPECT_EQ(bufferHost.unchecks[DataBuffer::Random], 1);
    EXPECT_FALSE(link.OperationHandler);
    link.ListXmitCmd.clear();
    // Another operation's handler stays: only a check's own goes.
    session.Supervisor().ConfigureAutoPoll();
    check.HideDataBufferReviewControls();
    EXPECT_TRUE(PollRestored());
}

} // namespace

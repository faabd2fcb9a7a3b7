// What the send-all queues: the platform identity and its check, the count
// commands in their sorted order, the data pack, the end marker, and what a
// send that does not start leaves behind (nothing).
#include "SessionFixture.h"
#include "common/SampleConfigs.h"
#include "workflows/WorkflowTexts.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <optional>

namespace tavin::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class ConfigureAll : public SessionFixture {
protected:
    ConfigureAll() {
        clock.AttachPeer(nullptr); // nothing goes out: the queue is inspected
        link.TransmitterAnswering = true;
        cfg = SampleConfig({2, 1, 2, 1, 1, 1, 1});
    }
    void Firmware(int code) { utility.SetVersionCode(code, ini, true); }
    std::vector<std::string> Queue() const {
        return {link.ListXmitCmd.begin(), link.ListXmitCmd.end()};
    }
    bool Queued(const std::string& command) const {
        return std::find(link.ListXmitCmd.begin(), link.ListXmitCmd.end(), command) !=
               link.ListXmitCmd.end();
    }
};

TEST(SortParamNums, MiddlePivotQuicksortOrder) {
    std::vector<TParamNum> list = {{12, "SSN="}, {0, "ISN="}, {30, "TPN="},
                                   {0, "RPN="},  {4, "RTN="}, {2, "MMN="}};
    SortParamNums(list);
    EXPECT_THAT(list,
                ElementsAre(TParamNum{0, "ISN="}, TParamNum{0, "RPN="}, TParamNum{2, "MMN="},
                            TParamNum{4, "RTN="}, TParamNum{12, "SSN="}, TParamNum{30, "TPN="}));
    // Equal counts keep the order the sort leaves: the quicksort is not
    // stable, so the list's previous order matters.
    std::vector<TParamNum> equal = {{5, "A"}, {5, "B"}, {5, "C"}};
    SortParamNums(equal);
    EXPECT_THAT(equal, ElementsAre(TParamNum{5, "C"}, TParamNum{5, "B"}, TParamNum{5, "A"}));
}

TEST_F(ConfigureAll, CountCommandsGoOutSortedAndTheListKeepsItsOrder) {
    Firmware(153);
    session.Transfer().SortCountCommands(12, 0, 30, 0, 4, 2);
    std::vector<std::string> order;
    for (const auto& p : session.Transfer().CountCommands()) {
        order.push_back(p.Mnemonic);
    }
    EXPECT_THAT(order, ElementsAre("ISN=", "RPN=", "MMN=", "RTN=", "SSN=", "TPN="));

    // The send refills the counts (with their minimums: SDI-12 10, internal
    // 5, the others 1) and sorts the list as it stands.
    ASSERT_TRUE(session.Transfer().ConfigureAll());
    std::vector<std::string> counts;
    for (const auto& line : link.ListXmitCmd) {
        const std::string m = line.substr(0, 4);
        if (m == "SSN=" || m == "ISN=" || m == "TPN=" || m == "RPN=" || m == "RTN=" ||
            m == "MMN=") {
            counts.push_back(line);
        }
    }
    EXPECT_THAT(counts, ElementsAre("MMN=1", "RTN=1", "RPN=1", "TPN=2", "ISN=5", "SSN=10"));
}

TEST_F(ConfigureAll, GoesPlatformIdCheck) {
    struct Case {
        int version;
        const char* id;
        bool accepted;
        bool nidSent;
    };
    const Case cases[] = {
        {153, "1234ABCE", true, true}, {153, "1234ABCD", false, false},
        {153, "12G4", false, false},   {153, "", true, false},
        {114, "", false, false},       {114, "0", true, true},
        {153, "ab12cde0", true, true}, {153, "-2", false, false},
        {153, "1 2", false, false},    {153, "12345678901234560", false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.version) + " \"" + c.id + "\"");
        Firmware(c.version);
        link.ListXmitCmd.clear();
        host.errors.clear();
        host.platformIdField = c.id;
        const bool ok = session.Transfer().ConfigureAll();
        EXPECT_EQ(ok, c.accepted);
        EXPECT_EQ(Queued(std::string("NID=") + c.id), c.nidSent);
        if (ok) {
            EXPECT_TRUE(Queued("ARG=0"));
            EXPECT_THAT(host.errors, IsEmpty());
            EXPECT_TRUE(link.ConfiguringAll);
        } else {
            EXPECT_THAT(host.errors, ElementsAre(texts::kInvalidGoesIdBox));
            // Nothing of the refused send is left to go out.
            EXPECT_THAT(Queue(), IsEmpty());
            EXPECT_FALSE(link.ConfiguringAll);
            EXPECT_TRUE(host.autoPoll);
        }
    }
}

// A send that does not start withdraws "DTX", "CFE=", "CFB" and "ARG=0", so
// the transmitter is not left disabled by a send that never happened.
TEST_F(ConfigureAll, ASendThatDoesNotStartLeavesNothingQueued) {
    Firmware(153);
    ini.PasswordPrompt = true;

    host.inputAnswer = std::nullopt; // the password box is cancelled
    host.autoPoll = true;
    session.Transfer().BtnConfigAllClick();
    EXPECT_THAT(host.inputs, ElementsAre("Please Enter Password to Configure TAVIN|Password:|"));
    EXPECT_THAT(Queue(), IsEmpty());
    EXPECT_EQ(session.Transfer().Outcome(), TransferOutcome::Declined);
    EXPECT_TRUE(host.autoPoll);
    EXPECT_EQ(session.ProgressBox(), nullptr);

    host.inputAnswer = "secret";
    host.platformIdField = "1234ABCD"; // odd
    session.Transfer().BtnConfigAllClick();
    EXPECT_THAT(Queue(), IsEmpty());
    EXPECT_EQ(session.Transfer().Outcome(), TransferOutcome::IdRefused);
    EXPECT_EQ(session.ProgressBox(), nullptr);
    clock.AttachPeer(&peer);
    RunMs(500);
    EXPECT_EQ(sim.ReceivedCount("DTX"), 0);

    // Accepted: "DTX" first, then the password as typed, then the sequence.
    host.platformIdField = "1234ABCE";
    host.yesNo = {false};
    session.Transfer().BtnConfigAllClick();
    EXPECT_THAT(Queue(), IsEmpty()); // "No" to the confirmation
    session.Transfer().BtnConfigAllClick();
    const auto q = Queue();
    ASSERT_GE(q.size(), 4u);
    EXPECT_THAT(std::vector<std::string>(q.begin(), q.begin() + 4),
                ElementsAre("DTX", "CFE=secret", "CFB", "ARG=0"));
    EXPECT_THAT(host.boxCaptions, ElementsAre(texts::kSendCaption));
    EXPECT_EQ(q.back(), "CFS");
    EXPECT_EQ(link.LoadEndMarker, "CFS");
}

TEST_F(ConfigureAll, TheEndMarkerFollowsWhatIsSentLast) {
    Firmware(153);
    host.platformIdField = "1234ABCE";
    ini.DownloadSave = false;
    struct Case {
        const char* name;
        std::function<void(XmtrConfig&)> setUp;
        const char* marker;
        const char* last;
    };
    const Case cases[] = {
        {"triggers", [](XmtrConfig&) {}, "RRT=0", "RRT=0,H,S0,25.5"},
        {"no triggers", [](XmtrConfig& c) { c.RandomTx.DataSource = 0; }, "RRT", "RRT=CLEAR"},
        {"argos data pack",
         [](XmtrConfig& c) {
             c.RandomTx.ArgosEnabled = true;
             c.RandomTx.DataSource = 0;
             c.RandomTx.ArgosDataPack[0] = 5;
             c.RandomTx.ArgosDataPack[1] = 7;
             c.RandomTx.ArgosDataPack[3] = 9;
         },
         "ADP=1", "ADP=1,7"},
        {"argos from sensors", [](XmtrConfig& c) { c.RandomTx.ArgosEnabled = true; },
         "ADP=", "ADP=*"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        cfg = SampleConfig({2, 1, 2, 1, 1, 1, 1});
        c.setUp(cfg);
        ctx.RederiveTxMode(cfg);
        link.ListXmitCmd.clear();
        ASSERT_TRUE(session.Transfer().ConfigureAll());
        EXPECT_EQ(link.LoadEndMarker, c.marker);
        EXPECT_EQ(link.ListXmitCmd.back(), c.last);
    }
    // The ARGOS identity: both flags and the ARGOS id, no GOES id check.
    EXPECT_TRUE(Queued("ARG=1"));
    EXPECT_TRUE(Queued("SCD=0"));
    EXPECT_TRUE(Queued("AID=1234ABCE"));
    EXPECT_FALSE(Queued("ARG=0"));
}

TEST_F(ConfigureAll, DisabledTransmissionsGoOutAsChannelZero) {
    Firmware(153);
    host.platformIdField = "1234ABCE";
    cfg.TimedEnabled = false;
    cfg.RandomEnabled = false;
    ASSERT_TRUE(session.Transfer().ConfigureAll());
    EXPECT_TRUE(Queued("TCH=0"));
    EXPECT_TRUE(Queued("RCH=0"));
    EXPECT_EQ(cfg.TimedTx.Channel, 0);
    EXPECT_EQ(cfg.RandomTx.Channel, 0);
    // Protection needs the preference as well as the firmware.
    ini.Protect = false;
    link.ListXmitCmd.clear();
    ASSERT_TRUE(session.Transfer().ConfigureAll());
    EXPECT_FALSE(Queued("CFB"));
}

} // namespace
} // namespace tavin::test

namespace tavin::test {
namespace {

TEST_F(ConfigureAll, ConfigurationMemoryButtons) {
    struct Case {
        const char* name;
        void (ConfigTransfer::*click)();
        std::deque<bool> answers;
        std::vector<std::string> queued;
    };
    const Case cases[] = {
        {"save", &ConfigTransfer::BtnSaveConfigClick, {}, {"CFS"}},
        {"restore", &ConfigTransfer::BtnRestoreConfigClick, {}, {"CFR"}},
        {"factory defaults",
         &ConfigTransfer::BtnRestoreFactDefaultsClick,
         {true},
         {"DTX", "ConfigDefault", "CFS"}},
        {"factory defaults declined", &ConfigTransfer::BtnRestoreFactDefaultsClick, {false}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        link.ListXmitCmd.clear();
        host.yesNo = c.answers;
        (session.Transfer().*c.click)();
        EXPECT_EQ(Queue(), c.queued);
        EXPECT_EQ(session.ProgressBox(), nullptr);
    }
    EXPECT_THAT(host.questions, ElementsAre(texts::kFactoryConfirm, texts::kFactoryConfirm));
    // Not without a transmitter that answers.
    link.TransmitterAnswering = false;
    link.ListXmitCmd.clear();
    session.Transfer().BtnSaveConfigClick();
    EXPECT_THAT(Queue(), IsEmpty());
    EXPECT_THAT(host.errors, ElementsAre("Please Connect TAVIN to Com Port 0"));
}

// The person takes a second to answer each box of a send that does not start;
// the pump goes on meanwhile, so nothing may be queued before the answers.
class RefusedSendOnTheLine : public SessionFixture {};

TEST_F(RefusedSendOnTheLine, NothingReachesTheTransmitterWhileItsBoxIsOpen) {
    UseFirmware("1.53");
    Connect();
    ini.PasswordPrompt = true;
    ini.Protect = true;
    host.whileBoxOpen = [this] { RunMs(1500); };
    struct Case {
        const char* name;
        const char* id;
        std::optional<std::string> password;
    };
    const Case cases[] = {{"odd id", "1234ABCD", "secret"}, {"password cancelled", "1234ABCE", {}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host.platformIdField = c.id;
        host.inputAnswer = c.password;
        session.Transfer().BtnConfigAllClick();
        RunMs(1500);
        for (const char* m : {"DTX", "CFE", "CFB", "ARG", "NID"}) {
            EXPECT_EQ(sim.ReceivedCount(m), 0) << m;
        }
        EXPECT_EQ(session.ProgressBox(), nullptr);
    }
    EXPECT_THAT(host.errors, ElementsAre(texts::kInvalidGoesIdBox));
}

} // namespace
} // namespace tavin::test

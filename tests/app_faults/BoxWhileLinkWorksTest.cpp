// Message boxes opened while the link is working, against the simulated
// transmitter over a pseudo-terminal: a person takes a while to press OK, and
// meanwhile the link must go on exactly as without the box. The prompter here
// keeps every box "open" for a while by running the event loop, as a modal
// box does, and the simulator's transcript tells what reached the
// transmitter.

#include "app/MainWindowFixture.h"
#include "common/SimProcess.h"
#include "link/qt/QtLink.h"

#include <gtest/gtest.h>

#include <QEventLoop>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <fstream>
#include <sstream>

using namespace tavin;
using namespace tavin::test;

namespace {

// Keeps each telling box open for holdMs and notes whether the link indicator
// stayed green all that time.
class SlowPrompter : public ScriptedPrompter {
public:
    void ShowErrorBox(const std::string& text) override {
        ScriptedPrompter::ShowErrorBox(text);
        Hold();
    }
    void ShowInfoBox(const std::string& text) override {
        ScriptedPrompter::ShowInfoBox(text);
        Hold();
    }

    std::function<bool()> indicatorOk;
    int holdMs = 1500;
    bool indicatorWentRed = false;

private:
    void Hold() {
        QEventLoop loop;
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            if (indicatorOk && !indicatorOk()) {
                indicatorWentRed = true;
            }
        });
        watch.start(20);
        QTimer::singleShot(holdMs, &loop, &QEventLoop::quit);
        loop.exec();
    }
};

class BoxWhileLinkWorks : public ::testing::Test {
protected:
    void Start(std::vector<std::string> simArgs = {}) {
        transcript = dir.path().toStdString() + "/transcript.txt";
        simArgs.insert(simArgs.end(), {"--transcript", transcript});
        std::string error;
        ASSERT_TRUE(sim.Start(TAVIN_SIM_PROGRAM, simArgs, error)) << error;
        std::ofstream(dir.path().toStdString() + "/tavin-utility.ini")
            << "[COMM]\nComNum=4\nPort4=" << sim.Link() << "\n[CONFIG]\nShowStartUpScreen=0\n";
        MainWindowOptions options;
        options.iniPath = dir.path().toStdString() + "/tavin-utility.ini";
        options.programFolder = dir.path().toStdString();
        options.prompter = &prompter;
        window = std::make_unique<TfrmXmtrCfg>(options);
        window->show();
        prompter.indicatorOk = [this] {
            return window->Link().Link().Indicator() == IndicatorLook::Ok;
        };
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return window->Link().Link().TransmitterAnswering; }, 10000));
    }

    // How many lines the transmitter received that are exactly this command.
    int Received(const std::string& command) const {
        std::ifstream in(transcript);
        std::string line;
        int n = 0;
        while (std::getline(in, line)) {
            std::istringstream fields(line);
            std::string time, dir, text;
            fields >> time >> dir;
            std::getline(fields, text);
            if (dir == "R" && text == " " + command) {
                ++n;
            }
        }
        return n;
    }

    template <typename W> W* Find(const char* name) { return window->findChild<W*>(name); }

    // Clicks and lets the link work for a while after the boxes are closed.
    void ClickAndSettle(const char* button, int settleMs = 2500) {
        Find<QAbstractButton>(button)->click();
        QTest::qWait(settleMs);
    }

    ~BoxWhileLinkWorks() override { window.reset(); }

    QTemporaryDir dir;
    std::string transcript;
    SimProcess sim;
    SlowPrompter prompter;
    std::unique_ptr<TfrmXmtrCfg> window;
};

} // namespace

// The answer to "UTC?" opens "UTC Is Not Set" from the reply handler; while it
// is open the prompt must still complete the command.
TEST_F(BoxWhileLinkWorks, ReadUTCSendsOneQueryAndShowsOneBox) {
    Start();
    ClickAndSettle("BtnReadUTC");
    EXPECT_EQ(Received("UTC?"), 1);
    EXPECT_EQ(prompter.Texts("info"), std::vector<std::string>{"UTC Is Not Set"});
    EXPECT_FALSE(prompter.indicatorWentRed);
    EXPECT_TRUE(window->Link().Link().TransmitterAnswering);
}

TEST_F(BoxWhileLinkWorks, CheckConfigSendsOneQueryAndShowsOneBox) {
    Start();
    ClickAndSettle("BtnCheckConfig");
    EXPECT_EQ(Received("CTX?"), 1);
    EXPECT_EQ(prompter.Texts("info").size(), 1u);
    EXPECT_FALSE(prompter.indicatorWentRed);
    // The alive poll is back and keeps the transmitter answering.
    const int polls = Received("ARG?") + Received("");
    QTest::qWait(2500);
    EXPECT_GT(Received("ARG?") + Received(""), polls);
}

// A send refused for its platform id: nothing reaches the transmitter, not
// even while the box is open, and the box says what would be accepted.
TEST_F(BoxWhileLinkWorks, RefusedSendFromTheWindowSendsNothing) {
    Start();
    Find<QToolButton>("SBtnConfigFromTemplate")->click();
    ASSERT_EQ(window->Mode(), OperatingMode::ConfigFromTemplate);
    Find<QLineEdit>("OvcNesdisID")->setText("1234ABCD");
    prompter.answers.push_back(true); // "do you want to continue?"
    ClickAndSettle("BtnConfigAll");
    const auto errors = prompter.Texts("error");
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].substr(0, errors[0].find('\r')), "INVALID GOES PLATFORM ID VALUE");
    EXPECT_NE(errors[0].find("eight hexadecimal digits"), std::string::npos);
    for (const char* command : {"DTX", "CFB", "ARG=0", "NID=1234ABCD"}) {
        EXPECT_EQ(Received(command), 0) << command;
    }
    EXPECT_TRUE(window->Link().Link().ListXmitCmd.empty());
}

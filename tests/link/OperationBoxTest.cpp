// The progress box's delayed close and its results.
#include "link/OperationBox.h"

#include <gmock/gmock.h>

namespace tavin {
namespace {

class RecordingHost : public OperationBoxHost {
public:
    std::vector<int> starts;
    int stops = 0;
    std::vector<int> closed;
    void BoxChanged() override {}
    void StartDelayTimer(int ms) override { starts.push_back(ms); }
    void StopDelayTimer() override { ++stops; }
    void BoxClosed(int result) override { closed.push_back(result); }
};

TEST(OperationBox, StartsWithOnlyItsButtonsShown) {
    OperationBox box;
    EXPECT_TRUE(box.IsOpen());
    EXPECT_FALSE(box.Get(BoxLabel::Operation).visible);
    EXPECT_FALSE(box.Get(BoxLabel::Instruction).visible);
    EXPECT_FALSE(box.Get(BoxLabel::Command).visible);
    EXPECT_FALSE(box.Progress().visible);
    EXPECT_TRUE(box.Get(BoxButton::OK).visible);
    EXPECT_EQ(box.Get(BoxButton::Cancel).caption, "Cancel");
    EXPECT_EQ(box.Result(), mrNone);
}

TEST(OperationBox, ADelayedCloseHidesTheButtonsAndASecondOneReplacesIt) {
    RecordingHost host;
    OperationBox box(&host);
    box.SetDelayModalResultTime(1000, mrOk);
    EXPECT_FALSE(box.Get(BoxButton::OK).visible);
    EXPECT_FALSE(box.Get(BoxButton::Cancel).visible);
    box.SetDelayModalResultTime(1500, mrNo);
    EXPECT_THAT(host.starts, ::testing::ElementsAre(1000, 1500));
    EXPECT_TRUE(box.IsOpen());
    box.TimerDelayTimer();
    EXPECT_FALSE(box.IsOpen());
    EXPECT_EQ(box.Result(), mrNo);
    EXPECT_THAT(host.closed, ::testing::ElementsAre(7));
    box.TimerDelayTimer(); // a late tick changes nothing
    box.SetDelayModalResultTime(10, mrOk);
    EXPECT_EQ(box.Result(), mrNo);
    EXPECT_EQ(host.closed.size(), 1u);
}

TEST(OperationBox, AVisibleCancelClosesAtOnceWhateverDelayIsPending) {
    RecordingHost host;
    OperationBox box(&host);
    box.SetDelayModalResultTime(1000, mrOk);
    box.ClickCancel(); // hidden: cannot be pressed
    EXPECT_TRUE(box.IsOpen());
    box.SetCaption(BoxButton::Cancel, "Abort");
    box.SetVisible(BoxButton::Cancel, true);
    box.ClickCancel();
    EXPECT_FALSE(box.IsOpen());
    EXPECT_EQ(box.Result(), mrCancel);
    EXPECT_EQ(host.stops, 1);
    box.TimerDelayTimer();
    EXPECT_EQ(box.Result(), mrCancel);
}

TEST(OperationBox, TheProgressStaysInItsRange) {
    OperationBox box;
    box.SetProgressRange(0, 40);
    box.SetProgressPosition(55);
    EXPECT_EQ(box.Progress().position, 40);
    box.SetProgressPosition(-3);
    EXPECT_EQ(box.Progress().position, 0);
}

} // namespace
} // namespace tavin

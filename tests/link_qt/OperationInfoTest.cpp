// The progress box dialog: a modal wait that ends with a result.
#include "service/TFormOperationInfo.h"

#include <gmock/gmock.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace tavin {
namespace {

// Runs the box modally; a fallback ends a wait that would otherwise hang.
int RunModal(TFormOperationInfo& box, const std::function<void()>& whileOpen) {
    QTimer::singleShot(0, &box, whileOpen);
    QTimer::singleShot(5000, &box, [&box] { box.done(99); });
    return box.exec();
}

TEST(OperationInfo, ShowsItsLinesAndClosesAfterTheDelayWithTheResult) {
    TFormOperationInfo box;
    EXPECT_EQ(box.windowTitle(), "Information");
    EXPECT_TRUE(box.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(box.windowFlags() & Qt::WindowCloseButtonHint);
    for (const char* name : {"LblOperationString", "LblUserInstruction", "LblCommand",
                             "ProgressBar", "BtnOK", "BtnCancel", "TimerDelay"}) {
        EXPECT_NE(box.findChild<QObject*>(name), nullptr) << name;
    }
    box.Box().SetCaption(BoxLabel::Operation, "Retrieving Sensor Log");
    box.Box().SetVisible(BoxLabel::Operation, true);
    QElapsedTimer clock;
    clock.start();
    const int result = RunModal(box, [&] {
        EXPECT_TRUE(box.LblOperationString->isVisible());
        EXPECT_EQ(box.LblOperationString->text(), "Retrieving Sensor Log");
        EXPECT_FALSE(box.LblCommand->isVisible());
        EXPECT_TRUE(box.BtnCancel->isVisible());
        box.SetDelayModalResultTime(5000, mrOk);
        box.SetDelayModalResultTime(100, mrNo); // replaces the first
        EXPECT_FALSE(box.BtnOK->isVisible());
        EXPECT_FALSE(box.BtnCancel->isVisible());
    });
    EXPECT_EQ(result, mrNo);
    EXPECT_LT(clock.elapsed(), 2000);
}

TEST(OperationInfo, CancelEndsTheBoxAtOnceAndEscapeOnlyWhileCancelIsShown) {
    TFormOperationInfo box;
    const int result = RunModal(box, [&] {
        box.SetDelayModalResultTime(3000, mrOk);
        QTest::keyClick(&box, Qt::Key_Escape); // Cancel hidden: ignored
        EXPECT_TRUE(box.isVisible());
        box.Box().SetCaption(BoxButton::Cancel, "Abort");
        box.Box().SetVisible(BoxButton::Cancel, true);
        EXPECT_EQ(box.BtnCancel->text(), "Abort");
        box.BtnCancel->click();
    });
    EXPECT_EQ(result, mrCancel);
    EXPECT_FALSE(box.TimerDelay->isActive());

    TFormOperationInfo closedEarly; // given its result before it was shown
    closedEarly.Box().Close(mrOk);
    EXPECT_EQ(closedEarly.exec(), mrOk);
}

} // namespace
} // namespace tavin

// Telling boxes raised while the link handles an event are shown after it,
// one at a time and in the order they were raised; questions are asked at
// once; outside the link's events a box is shown at once.

#include "ui/DeferredPrompter.h"
#include "common/ScriptedPrompter.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

using namespace tavin;
using namespace tavin::test;

namespace {

// Raises a further box from inside the first one it shows, as a reply that
// arrives while a box is open does.
class NestingPrompter : public ScriptedPrompter {
public:
    void ShowErrorBox(const std::string& text) override {
        ScriptedPrompter::ShowErrorBox(text);
        if (onShow) {
            auto run = std::move(onShow);
            run();
        }
    }
    std::function<void()> onShow;
};

} // namespace

TEST(DeferredPrompter, BoxesRaisedInALinkEventWaitAndKeepTheirOrder) {
    NestingPrompter inner;
    DeferredPrompter boxes(inner);
    bool inLinkEvent = true;
    boxes.SetDeferWhen([&] { return inLinkEvent; });

    boxes.ShowErrorBox("first");
    boxes.ShowInfoBox("second");
    EXPECT_TRUE(inner.shown.empty());
    EXPECT_EQ(boxes.Pending(), 2u);
    // A question cannot wait: it is asked at once.
    inner.answers.push_back(true);
    EXPECT_TRUE(boxes.AskYesNo("sure?"));
    ASSERT_EQ(inner.shown.size(), 1u);

    inLinkEvent = false;
    // Raised while "first" is open: shown after it and after "second".
    inner.onShow = [&] { boxes.ShowErrorBox("third"); };
    QCoreApplication::processEvents();
    std::vector<std::string> texts;
    for (const auto& s : inner.shown) {
        texts.push_back(s.kind + ":" + s.text);
    }
    EXPECT_EQ(texts,
              (std::vector<std::string>{"ask:sure?", "error:first", "info:second", "error:third"}));
    EXPECT_EQ(boxes.Pending(), 0u);

    // Outside the link's events, with nothing waiting, a box shows at once.
    boxes.ShowInfoBox("now");
    EXPECT_EQ(inner.shown.back().text, "now");
}

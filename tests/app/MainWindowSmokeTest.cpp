#include "app/TfrmXmtrCfg.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QStatusBar>
#include <QTabWidget>

using namespace tavin;

TEST(MainWindow, HasItsFrameAndNamedControls) {
    TfrmXmtrCfg w;
    w.show();
    EXPECT_EQ(w.objectName(), "TfrmXmtrCfg");
    EXPECT_EQ(w.windowTitle(), "Quillfen Design TAVIN Utility");
    auto* pages = w.findChild<QTabWidget*>("MainPageControl");
    ASSERT_NE(pages, nullptr);
    auto* first = w.findChild<QWidget*>("TabConfigOptions");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(pages->tabText(pages->indexOf(first)), "Configuration Options");
    for (const char* pane : {"RzCommOK", "XmtCommStatus", "PaneParameterHint", "XmtMsgStatus"}) {
        auto* label = w.findChild<QLabel*>(pane);
        ASSERT_NE(label, nullptr) << pane;
        EXPECT_EQ(label->parentWidget(), w.statusBar()) << pane;
    }
}

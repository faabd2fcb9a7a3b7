#include "app/MainWindowFixture.h"
#include "app/ModalAnswer.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>

using namespace tavin;
using namespace tavin::test;

TEST(HelpMenu, AboutStaysCentredWithNameVersionsAndOk) {
    MainWindowFixture f;
    TfrmXmtrCfg& w = f.Open();
    w.resize(1000, 700);
    ModalAnswer answer;
    answer.Next<QDialog>([&](QDialog* box) {
        EXPECT_EQ(box->findChild<QLabel*>("ProductName")->text(), "Quillfen TAVIN Utility");
        EXPECT_EQ(box->findChild<QLabel*>("Version")->text(),
                  QStringLiteral("Version ") + TAVIN_VERSION);
        EXPECT_EQ(box->findChild<QLabel*>("QtVersion")->text(), QStringLiteral("Qt ") + qVersion());
        auto* ok = box->findChild<QPushButton*>("OKButton");
        EXPECT_TRUE(ok->isVisible());
        const QPoint off = box->geometry().center() - w.frameGeometry().center();
        EXPECT_LE(off.manhattanLength(), 4) << off.x() << "," << off.y();
        // Longer than the start-up box's delay: this one waits for the user.
        QTest::qWait(1700);
        EXPECT_TRUE(box->isVisible());
        ok->click();
    });
    f.Find<QAction>("MenuAbout")->trigger();
    EXPECT_TRUE(answer.Seen());
}

TEST(HelpMenu, GettingStartedNamesTheModesAndThePreferencesFile) {
    MainWindowFixture f;
    f.Open();
    for (const char* item : {"MenuGettingStarted", "MenuKeyboardMouse"}) {
        QString text;
        ModalAnswer answer;
        answer.Next<QDialog>([&](QDialog* box) {
            text = box->findChild<QTextBrowser*>("HelpText")->toPlainText();
            box->accept();
        });
        f.Find<QAction>(item)->trigger();
        ASSERT_TRUE(answer.Seen()) << item;
        if (QString(item) == "MenuGettingStarted") {
            for (const char* words :
                 {"Options > Comm", "Create/Open A Setup Template",
                  "Configure TAVIN From A Template", "Configure / Control / Deploy TAVIN",
                  "Monitor / Inspect TAVIN", "Work Offline"}) {
                EXPECT_TRUE(text.contains(words)) << words;
            }
            EXPECT_TRUE(text.contains(QString::fromStdString(f.IniPath())));
        } else {
            EXPECT_TRUE(text.contains("Shift+Tab"));
        }
    }
}

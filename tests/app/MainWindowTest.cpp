#include "app/MainWindowFixture.h"
#include "common/SimProcess.h"
#include "files/IniFile.h"
#include "link/qt/QtLink.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

using namespace tavin;
using namespace tavin::test;

namespace {

bool TabShown(QTabWidget* tabs, QWidget* page) {
    return tabs->isTabVisible(tabs->indexOf(page));
}

} // namespace

TEST(MainWindow, StartsIdleWithNoPortAndItsNamedControls) {
    MainWindowFixture f("[UTC]\nCorrection=7\n");
    TfrmXmtrCfg& w = f.Open();
    EXPECT_EQ(w.windowTitle(), "Quillfen Design TAVIN Utility");
    auto* pages = f.Find<QTabWidget>("MainPageControl");
    ASSERT_NE(pages, nullptr);
    EXPECT_EQ(pages->currentWidget(), f.Find<QWidget>("TabConfigOptions"));
    EXPECT_EQ(pages->tabText(0), "Configuration Options");
    for (const char* pane : {"RzCommOK", "XmtCommStatus", "PaneParameterHint", "XmtMsgStatus"}) {
        auto* label = f.Find<QLabel>(pane);
        ASSERT_NE(label, nullptr) << pane;
        EXPECT_EQ(label->parentWidget(), w.statusBar()) << pane;
    }
    EXPECT_EQ(f.Find<QLabel>("XmtCommStatus")->text(), "COM None");
    EXPECT_FALSE(f.Find<QLabel>("RzCommOK")->property("commOk").toBool());
    EXPECT_TRUE(f.Find<QAction>("miComNone")->isChecked());
    EXPECT_EQ(f.Find<QSpinBox>("RzSpinUTCCorr")->value(), 7);

    // Idle: no action buttons, no setting or table pages, menus per table.
    for (const char* name : {"BtnRefreshAll", "BtnConfigAll", "gbPlatformID", "gbTAVINInfo",
                             "gbTimeDateSetup", "BtnEnableTx", "MemoDebug", "barBfr"}) {
        EXPECT_FALSE(f.Find<QWidget>(name)->isVisible()) << name;
    }
    for (int i = 1; i < pages->count(); ++i) {
        EXPECT_FALSE(pages->isTabVisible(i)) << pages->widget(i)->objectName().toStdString();
    }
    EXPECT_FALSE(f.Find<QAction>("subItmOpenConfig")->isEnabled());
    EXPECT_TRUE(f.Find<QAction>("MenuTAVINControl")->isEnabled());
    EXPECT_FALSE(f.Find<QAction>("MenuTAVINCal")->isVisible());
    EXPECT_TRUE(f.prompter.shown.empty());
}

TEST(MainWindow, DebugPreferenceShowsTheDebugControls) {
    MainWindowFixture f("[QUILLFEN]\nDebugMemo=1\n[PREFS]\nCalOptionVisible=1\n");
    f.Open();
    for (const char* name : {"MemoDebug", "BtnClearDebugMemo", "BtnDisableAutoPoll",
                             "BtnAutoPollOn", "btnForceVersionRefresh", "barBfr"}) {
        EXPECT_TRUE(f.Find<QWidget>(name)->isVisible()) << name;
    }
    EXPECT_TRUE(f.Find<QAction>("MenuTAVINCal")->isVisible());
}

TEST(MainWindow, OfflineConfigureEntersWithoutPortButMonitorRefuses) {
    MainWindowFixture f("[CONFIG]\nWorkOffline=1\n");
    TfrmXmtrCfg& w = f.Open();
    auto* configure = f.Find<QToolButton>("SBtnConfigControl");
    configure->click();
    EXPECT_TRUE(configure->isChecked());
    EXPECT_EQ(w.Mode(), OperatingMode::ConfigControl);
    EXPECT_TRUE(f.prompter.shown.empty());
    EXPECT_TRUE(f.Find<QWidget>("BtnRefreshAll")->isVisible());
    EXPECT_TRUE(f.Find<QWidget>("gbUTCCorrection")->isVisible());
    auto* pages = f.Find<QTabWidget>("MainPageControl");
    EXPECT_TRUE(TabShown(pages, f.Find<QWidget>("TabTxSetup")));
    EXPECT_TRUE(f.Find<QAction>("subItmOpenConfig")->isEnabled());

    auto* monitor = f.Find<QToolButton>("SBtnMonitor");
    monitor->click();
    EXPECT_FALSE(monitor->isChecked());
    EXPECT_FALSE(configure->isChecked());
    EXPECT_EQ(w.Mode(), OperatingMode::Idle);
    ASSERT_EQ(f.prompter.Texts("error").size(), 1u);
    EXPECT_EQ(f.prompter.Texts("error")[0], "Please Select a Com Port");
    EXPECT_FALSE(f.Find<QWidget>("BtnRefreshAll")->isVisible());
}

TEST(MainWindow, ConfigureWithoutLinkShowsTheReadinessMessageAndStaysIdle) {
    MainWindowFixture f;
    TfrmXmtrCfg& w = f.Open();
    f.Find<QToolButton>("SBtnConfigFromTemplate")->click();
    EXPECT_EQ(w.Mode(), OperatingMode::Idle);
    EXPECT_FALSE(f.Find<QToolButton>("SBtnConfigFromTemplate")->isChecked());
    EXPECT_EQ(f.prompter.Texts("error"), std::vector<std::string>{"Please Select a Com Port"});

    // Creating a template needs no link; pressing it up again is idle.
    auto* create = f.Find<QToolButton>("SBtnCreateTemplate");
    create->click();
    EXPECT_EQ(w.Mode(), OperatingMode::CreateTemplate);
    EXPECT_TRUE(f.Find<QWidget>("BtnCheckTemplate")->isVisible());
    EXPECT_TRUE(f.Find<QAction>("MenuNewTemplate")->isEnabled());
    create->click();
    EXPECT_EQ(w.Mode(), OperatingMode::Idle);
    EXPECT_FALSE(f.Find<QWidget>("BtnCheckTemplate")->isVisible());
}

TEST(MainWindow, ArgosModeRetitlesTheWindowAndBackToGoesRestores) {
    MainWindowFixture f;
    TfrmXmtrCfg& w = f.Open();
    w.SetTAVINTXMode(3);
    EXPECT_EQ(w.windowTitle(), "Quillfen Design TAVIN Utility - ARGOS & SCD Operation");
    EXPECT_EQ(f.Find<QGroupBox>("gbPlatformID")->title(), "ARGOS/SCD Platform ID");
    EXPECT_EQ(f.Find<QWidget>("OvcNesdisID")->toolTip(),
              "ARGOSE/SCD Platform ID in Hexadecimal - 20 or 28 bit");
    w.SetTAVINTXMode(2);
    EXPECT_EQ(w.windowTitle(), "Quillfen Design TAVIN Utility - ARGOS Operation");
    w.SetTAVINTXMode(0); // the model says GOES
    EXPECT_EQ(w.windowTitle(), "Quillfen Design TAVIN Utility");
    EXPECT_EQ(f.Find<QGroupBox>("gbPlatformID")->title(), "GOES Platform ID");
}

TEST(MainWindow, CommMenuOpensTheSimulatorAndClosingWritesThePreference) {
    SimProcess sim;
    MainWindowFixture f;
    std::string error;
    ASSERT_TRUE(sim.Start(TAVIN_SIM_PROGRAM, {}, error)) << error;
    {
        IniFile ini;
        ini.Load(f.IniPath());
        ini.Set("COMM", "Port3", sim.Link());
        ini.Set("COMM", "Port12", sim.Link());
        ASSERT_TRUE(ini.Save(f.IniPath()));
    }
    TfrmXmtrCfg& w = f.Open();
    f.Find<QAction>("miCOM3")->trigger();
    EXPECT_TRUE(f.Find<QAction>("miCOM3")->isChecked());
    EXPECT_EQ(f.Find<QLabel>("XmtCommStatus")->text(), "COM3");
    EXPECT_EQ(w.GlbIni().ComNum, 3);

    // "Other ..." opens port 12 and keeps the preference at the fixed item.
    f.prompter.inputs.push_back("12");
    f.Find<QAction>("miComOther")->trigger();
    EXPECT_TRUE(f.Find<QAction>("miComOther")->isChecked());
    EXPECT_EQ(f.Find<QLabel>("XmtCommStatus")->text(), "COM12");
    EXPECT_EQ(w.GlbIni().ComNum, 3);
    EXPECT_EQ(f.prompter.Texts("input"),
              std::vector<std::string>{"Select COM Port ...|Enter Desired COM Port|3"});

    // Not a number: the toolkit's message, nothing changes.
    f.prompter.inputs.push_back("x1");
    f.Find<QAction>("miComOther")->trigger();
    EXPECT_EQ(f.prompter.Texts("error"),
              std::vector<std::string>{"'x1' is not a valid integer value"});
    EXPECT_EQ(f.Find<QLabel>("XmtCommStatus")->text(), "COM12");

    // A port that cannot open falls back to none and the preference follows.
    f.Find<QAction>("miCOM5")->trigger();
    EXPECT_EQ(f.Find<QLabel>("XmtCommStatus")->text(), "COM None");
    EXPECT_TRUE(f.Find<QAction>("miComNone")->isChecked());
    EXPECT_EQ(w.GlbIni().ComNum, 0);
    EXPECT_EQ(f.prompter.Texts("error").size(), 2u);

    f.Find<QAction>("miCOM3")->trigger();
    w.close();
    IniFile saved;
    ASSERT_EQ(saved.Load(f.IniPath()), IniFile::LoadResult::Loaded);
    EXPECT_EQ(saved.Get("COMM", "ComNum").value_or(""), "3");
    EXPECT_EQ(saved.Get("COMM", "Port3").value_or(""), sim.Link());
}

TEST(MainWindow, StartUpOpensThePortOfThePreferences) {
    SimProcess sim;
    std::string error;
    ASSERT_TRUE(sim.Start(TAVIN_SIM_PROGRAM, {}, error)) << error;
    MainWindowFixture f("[COMM]\nComNum=2\nPort2=" + sim.Link() + "\n");
    f.Open();
    EXPECT_EQ(f.Find<QLabel>("XmtCommStatus")->text(), "COM2");
    EXPECT_TRUE(f.Find<QAction>("miCOM2")->isChecked());
}

TEST(MainWindow, StartUpScreenClosesByItself) {
    MainWindowFixture f("[CONFIG]\nShowStartUpScreen=1\n");
    TfrmXmtrCfg& w = f.Open(); // returns once the About box has closed itself
    EXPECT_TRUE(w.isVisible());
}

TEST(MainWindow, ControlHintsGoToTheStatusPane) {
    MainWindowFixture f("[CONFIG]\nWorkOffline=1\n");
    TfrmXmtrCfg& w = f.Open();
    f.Find<QToolButton>("SBtnConfigControl")->click();
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(f.Find<QWidget>("BtnEnableTx"), &enter);
    EXPECT_EQ(f.Find<QLabel>("PaneParameterHint")->text(), "Enables TAVIN for Transmissions");
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&w, &leave);
    EXPECT_EQ(f.Find<QLabel>("PaneParameterHint")->text(), "");
}

TEST(MainWindow, SavesAndOpensConfigurationFilesFromTheFileMenu) {
    MainWindowFixture f("[CONFIG]\nWorkOffline=1\n");
    TfrmXmtrCfg& w = f.Open();
    f.Find<QToolButton>("SBtnConfigControl")->click();
    w.Config().PlatformIdGoes = "1234ABCD";
    w.Config().General.PlatformIdString = "RIVER GAUGE";
    const std::string path = f.Folder() + "/station.txt";
    f.prompter.files.push_back(path);
    f.Find<QAction>("subItmSaveConfig")->trigger();
    ASSERT_TRUE(f.prompter.Texts("error").empty()) << f.prompter.Texts("error")[0];
    EXPECT_EQ(f.prompter.Texts("save")[0], "Save TAVIN Configuration To File|TAVIN Configuration "
                                           "File|*.txt|All Files|*.*|" +
                                               f.Folder() + "|ConfigFile");
    EXPECT_EQ(w.GlbIni().LastConfig, "station.txt");

    w.Config().PlatformIdGoes = "0";
    w.Config().General.PlatformIdString.clear();
    f.prompter.files.push_back(path);
    f.Find<QAction>("subItmOpenConfig")->trigger();
    EXPECT_EQ(w.Config().PlatformIdGoes, "1234ABCD");
    EXPECT_EQ(w.Config().General.PlatformIdString, "RIVER GAUGE");
    EXPECT_EQ(f.Find<QLineEdit>("OvcNesdisID")->text(), "1234ABCD");

    // A file that cannot be read is reported and changes nothing.
    f.prompter.files.push_back(f.Folder() + "/missing.txt");
    f.Find<QAction>("subItmOpenConfig")->trigger();
    EXPECT_EQ(f.prompter.Texts("error").size(), 1u);
    EXPECT_EQ(w.Config().PlatformIdGoes, "1234ABCD");
}

TEST(MainWindow, TemplatesAreCreatedSavedAndOpenedWithoutStationIds) {
    MainWindowFixture f;
    TfrmXmtrCfg& w = f.Open();
    f.Find<QToolButton>("SBtnCreateTemplate")->click();
    w.Config().General.PlatformIdString = "KEEP ME";
    f.prompter.answers.push_back(false);
    f.Find<QAction>("MenuNewTemplate")->trigger();
    EXPECT_EQ(w.Config().General.PlatformIdString, "KEEP ME"); // No leaves the model alone

    f.prompter.answers.push_back(true);
    f.Find<QAction>("MenuNewTemplate")->trigger();
    EXPECT_EQ(f.Find<QLabel>("LblTemplateFileName")->text(), " New Template");
    EXPECT_EQ(w.Config().General.PseudoBinaryHeader1, '@');
    EXPECT_EQ(w.Config().General.InvalidReplaceChar, '$');

    w.Config().PlatformIdGoes = "CAFE0001";
    w.Config().TimedTx.Channel = 17;
    const std::string path = f.Folder() + "/fleet.tpl";
    f.prompter.files.push_back(path);
    f.Find<QAction>("MenuSaveTemplate")->trigger();
    ASSERT_TRUE(f.prompter.Texts("error").empty());
    std::ifstream in(path);
    const std::string body((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(body.find("NID="), std::string::npos);
    EXPECT_EQ(body.find("CFS"), std::string::npos);
    EXPECT_NE(body.find("TCH="), std::string::npos);

    w.Config().TimedTx.Channel = 0;
    f.prompter.files.push_back(path);
    f.Find<QAction>("MenuOpenTemplate")->trigger();
    EXPECT_EQ(w.Config().TimedTx.Channel, 17);
    EXPECT_TRUE(w.Config().PlatformIdGoes.empty());
    EXPECT_EQ(f.Find<QLabel>("LblTemplateFileName")->text().toStdString(), path);
}

TEST(MainWindow, LocalCheckReportsOkOrTheErrorAndGoesToIt) {
    MainWindowFixture f("[CONFIG]\nWorkOffline=1\n");
    TfrmXmtrCfg& w = f.Open();
    f.Find<QToolButton>("SBtnConfigControl")->click();
    f.Find<QPushButton>("BtnCheckLocal")->click();
    EXPECT_EQ(f.prompter.Texts("info"), std::vector<std::string>{"Local Configuration OK"});

    // An invalid-data replacement that is not a character is an error.
    w.Config().General.PseudoBinaryHeader1 = '\x01';
    f.prompter.shown.clear();
    f.prompter.answers.push_back(true);
    f.Find<QPushButton>("BtnCheckLocal")->click();
    const auto errors = f.prompter.Texts("ask");
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].rfind("Local Configuration Error\r", 0), 0u) << errors[0];
    EXPECT_NE(errors[0].find("\rGoto Invalid Data?"), std::string::npos);
    // Yes goes to the page of the offending field.
    EXPECT_EQ(f.Find<QTabWidget>("MainPageControl")->currentWidget()->objectName(),
              "TabGeneralTxConfiguration");
}

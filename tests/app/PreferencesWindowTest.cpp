#include "app/MainWindowFixture.h"
#include "app/ModalAnswer.h"
#include "files/IniFile.h"
#include "files/Preferences.h"
#include "files/qt/TfrmXmtrCfgPrefs.h"
#include "link/qt/QtLink.h"
#include "workflows/Supervision.h"
#include "workflows/TransmitterSession.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>

using namespace tavin;
using namespace tavin::test;

namespace {

using Dialog = TfrmXmtrCfgPrefs;

bool TabShown(MainWindowFixture& f, const char* page) {
    auto* tabs = f.Find<QTabWidget>("MainPageControl");
    return tabs->isTabVisible(tabs->indexOf(f.Find<QWidget>(page)));
}

QCheckBox* Box(Dialog* d, const char* name) {
    return d->findChild<QCheckBox*>(name);
}

// Opens "Preferences", lets `change` work on the dialog, then presses OK
// (or Cancel).
void Preferences(MainWindowFixture& f, std::function<void(Dialog*)> change, bool ok = true) {
    ModalAnswer answer;
    answer.Next<Dialog>([&](Dialog* d) {
        change(d);
        d->findChild<QPushButton*>(ok ? "BtnOK" : "BtnCancel")->click();
    });
    f.Find<QAction>("subItmPrefs")->trigger();
    ASSERT_TRUE(answer.Seen());
}

// The sensor grid of the SDI-12 page, or a stand-in of the same name and
// shape while the page has none, so that the reshaping can be seen.
QTableView* SDI12Grid(MainWindowFixture& f) {
    if (auto* grid = f.Find<QTableView>("GridSDI12")) {
        return grid;
    }
    auto* grid = new QTableView(f.Find<QWidget>("TabSDI12"));
    grid->setObjectName("GridSDI12");
    grid->setModel(new QStandardItemModel(64, 12, grid));
    return grid;
}

int RowsOffered(QTableView* grid) {
    int n = 0;
    for (int r = 0; r < grid->model()->rowCount(); ++r) {
        n += grid->isRowHidden(r) ? 0 : 1;
    }
    return n;
}

} // namespace

TEST(PreferencesDialog, OpensOnConfigurationWithTheVersionAndItsRules) {
    MainWindowFixture f(
        "[CONFIG]\nTAVINVersion=1.53\nPasswordPrompt=1\n[OFFLINE]\nVectorAverage=1\n");
    f.Open();
    Preferences(
        f,
        [](Dialog* d) {
            EXPECT_EQ(d->windowTitle(), "TAVIN Configuration Preferrences");
            auto* tabs = d->findChild<QTabWidget*>("PageControlPrefs");
            ASSERT_EQ(tabs->count(), 6);
            EXPECT_EQ(tabs->tabText(tabs->currentIndex()), "Configuration");
            const char* captions[] = {"Configuration",      "Template Setup", "Offline Operation",
                                      "Transmission Setup", "Sensors",        "Calibration"};
            for (int i = 0; i < 6; ++i) {
                EXPECT_EQ(tabs->tabText(i), captions[i]);
            }
            auto* spin = d->findChild<QDoubleSpinBox*>("spnTAVINVersion");
            EXPECT_DOUBLE_EQ(spin->value(), 1.53);
            EXPECT_EQ(Box(d, "cbWorkOffline")->toolTip(),
                      "Use All features of the Configuration Utility without a TAVIN Connected");
            EXPECT_FALSE(Box(d, "cbPasswordPrompt")->isChecked());
            EXPECT_TRUE(Box(d, "cbVectorAverage")->isChecked());
            EXPECT_TRUE(Box(d, "cbDefaultLogTrigger")->isHidden());

            // Choosing 1.14 unticks and greys every box the firmware decides.
            spin->setValue(1.14);
            for (const char* name :
                 {"cbProtect", "cbPasswordPrompt", "cbShowEnableLogger", "cbDefaultExtended",
                  "cbDefaultLogTrigger", "cbLabelsInEquations", "cbVectorAverage"}) {
                EXPECT_FALSE(Box(d, name)->isChecked()) << name;
                EXPECT_FALSE(Box(d, name)->isEnabled()) << name;
            }
            spin->setValue(1.53);
            EXPECT_TRUE(Box(d, "cbVectorAverage")->isChecked());
            EXPECT_TRUE(Box(d, "cbProtect")->isEnabled());
            Box(d, "cbDownloadSave")->click();
            EXPECT_FALSE(Box(d, "cbProtect")->isEnabled());

            // Enabling ARGOS/SCD offers the choice, with the stored one selected.
            auto* scd = d->findChild<QRadioButton*>("rbSCD");
            auto* argos = d->findChild<QRadioButton*>("rbARGOS");
            EXPECT_FALSE(argos->isEnabled());
            Box(d, "cbARGOS_SCD")->click();
            EXPECT_TRUE(argos->isEnabled());
            EXPECT_TRUE(argos->isChecked());
            scd->click();
            Box(d, "cbARGOS_SCD")->click();
            EXPECT_FALSE(scd->isChecked());
            EXPECT_FALSE(argos->isChecked());
        },
        false);
}

TEST(PreferencesDialog, CancelKeepsEverySettingEvenThoseStoredAtOnce) {
    MainWindowFixture f("[CONFIG]\nWorkOffline=1\n");
    TfrmXmtrCfg& w = f.Open();
    const TGlbIni before = w.GlbIni();
    const int code = w.UtilityControl().VersionCode();
    Preferences(
        f,
        [](Dialog* d) {
            Box(d, "cbARGOS_SCD")->click();
            d->findChild<QRadioButton*>("rbSCD")->click();
            d->findChild<QDoubleSpinBox*>("spnTAVINVersion")->setValue(1.53);
            d->findChild<QPushButton*>("BtnSetDefault")->click();
            Box(d, "cbProtect")->click();
            Box(d, "cbShowFeedback")->click();
        },
        false);
    EXPECT_TRUE(w.GlbIni() == before);
    EXPECT_EQ(w.UtilityControl().VersionCode(), code);
    EXPECT_EQ(w.windowTitle(), "Quillfen Design TAVIN Utility");
}

TEST(PreferencesDialog, OkAppliesPagesMaskGridsAndTheTransmissionMode) {
    MainWindowFixture f("[CONFIG]\nWorkOffline=1\nTAVINVersion=1.53\n");
    TfrmXmtrCfg& w = f.Open();
    QTableView* grid = SDI12Grid(f);
    f.Find<QToolButton>("SBtnCreateTemplate")->click();
    ASSERT_TRUE(TabShown(f, "TabTimedDataFormat"));
    ASSERT_TRUE(TabShown(f, "TabEquations"));
    EXPECT_FALSE(f.Find<QAction>("MenuTAVINCal")->isVisible());
    auto* interval = f.Find<QLineEdit>("TimedTxInterval");
    interval->setText("01:30:00");
    w.Config().SDI12[0].Address = "0";
    w.Config().SDI12[1].Address = "b";
    f.Find<QLabel>("XmtMsgStatus")->setText("OK");
    w.Session().Supervisor().IdentifyPending = false;

    Preferences(f, [](Dialog* d) {
        d->findChild<QDoubleSpinBox*>("spnTAVINVersion")->setValue(1.20);
        for (const char* name : {"cbTdfTabVisible", "cbInternalTabVisible", "cbAllowIntervalDays",
                                 "cbCalOptionVisible", "cbShowFeedback"}) {
            Box(d, name)->click();
        }
    });
    EXPECT_EQ(w.UtilityControl().VersionCode(), 120);
    EXPECT_FALSE(w.UtilityControl().ExtendedTables());
    EXPECT_FALSE(TabShown(f, "TabTimedDataFormat"));
    EXPECT_FALSE(TabShown(f, "TabInternalSensors"));
    EXPECT_FALSE(TabShown(f, "TabEquations"));
    EXPECT_FALSE(TabShown(f, "TabMinMaxAvg"));
    EXPECT_TRUE(TabShown(f, "TabSDI12"));
    EXPECT_TRUE(f.Find<QAction>("MenuTAVINCal")->isVisible());
    EXPECT_EQ(interval->text(), "00:01:30:00");
    EXPECT_EQ(interval->toolTip(), "Enter Transmission Interval (dd:hh:mm:ss)");
    EXPECT_EQ(f.Find<QLabel>("XmtMsgStatus")->text(), "");
    EXPECT_FALSE(w.Link().Link().ShowFeedback);
    EXPECT_EQ(w.Config().SDI12[0].Address, "0");
    EXPECT_EQ(w.Config().SDI12[1].Address, ""); // no address characters allowed
    EXPECT_EQ(RowsOffered(grid), 10);
    EXPECT_FALSE(grid->isColumnHidden(11)); // triggers from 1.15
    EXPECT_TRUE(w.Session().Supervisor().IdentifyPending);
    // The version assumed at start-up changes only with "Set Default".
    EXPECT_EQ(w.GlbIni().TAVINVersion, 1.53);

    Preferences(f, [](Dialog* d) {
        d->findChild<QDoubleSpinBox*>("spnTAVINVersion")->setValue(1.53);
        Box(d, "cbAllowIntervalDays")->click();
        Box(d, "cbARGOS_SCD")->click();
        d->findChild<QRadioButton*>("rbSCD")->click();
    });
    EXPECT_EQ(RowsOffered(grid), 64);
    EXPECT_TRUE(TabShown(f, "TabEquations"));
    EXPECT_EQ(interval->text(), "01:30:00");
    EXPECT_EQ(interval->toolTip(), "Enter Transmission Interval (hh:mm:ss)");
    EXPECT_TRUE(w.Config().RandomTx.ArgosEnabled);
    EXPECT_TRUE(w.Config().RandomTx.ScdEnabled);
    EXPECT_EQ(w.windowTitle(), "Quillfen Design TAVIN Utility - ARGOS & SCD Operation");
    EXPECT_TRUE(TabShown(f, "TabARGOSDataPack"));
    EXPECT_FALSE(TabShown(f, "TabTimedDataFormat"));
}

TEST(PreferencesDialog, SavedPreferencesSurviveARestart) {
    MainWindowFixture f("[CONFIG]\nTAVINVersion=1.11\n");
    f.Open();
    Preferences(f, [](Dialog* d) {
        d->findChild<QDoubleSpinBox*>("spnTAVINVersion")->setValue(1.35);
        d->findChild<QPushButton*>("BtnSetDefault")->click();
        Box(d, "cbShowEnableLogger")->click();
        Box(d, "cbSDI12Visible")->click();
    });
    f.window->close();
    f.Open();
    EXPECT_EQ(f.window->GlbIni().TAVINVersion, 1.35);
    EXPECT_EQ(f.window->UtilityControl().VersionCode(), 135);
    EXPECT_TRUE(f.window->GlbIni().ShowEnableLogger);
    EXPECT_FALSE(f.window->GlbIni().SDI12Visible);
    IniFile saved;
    ASSERT_EQ(saved.Load(f.IniPath()), IniFile::LoadResult::Loaded);
    EXPECT_EQ(saved.Get("CONFIG", "TAVINVersion"), "1.35");
}

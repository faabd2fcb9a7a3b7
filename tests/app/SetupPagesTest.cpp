// The setting pages in the main window, offscreen: the reactions of the
// transmission setup, the general setup's transmission type, the spin
// fields, the page set and the window's placement.

#include "app/MainWindowFixture.h"
#include "app/MainWindowHost.h"
#include "app/PageButtons.h"
#include "editor/GridRules.h"
#include "editor/SetupPageTexts.h"
#include "editor/qt/GridView.h"
#include "editor/qt/TxSetupPage.h"
#include "files/IniFile.h"
#include "link/qt/QtLink.h"
#include "workflows/Supervision.h"
#include "workflows/TransmitterSession.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QToolButton>

using namespace tavin;
using namespace tavin::test;

namespace {

// A window in "Configure / Control / Deploy TAVIN" without a transmitter;
// configLines go into section CONFIG.
struct Editing : MainWindowFixture {
    explicit Editing(const std::string& ini = "")
        : MainWindowFixture("[CONFIG]\nWorkOffline=1\n" + ini) {
        Open();
        Find<QToolButton>("SBtnConfigControl")->click();
        EXPECT_EQ(window->Mode(), OperatingMode::ConfigControl);
    }
    TfrmXmtrCfg& W() { return *window; }
    void Turn(const char* page) {
        window->MainPageControl()->setCurrentWidget(Find<QWidget>(page));
    }
    QRadioButton* Choice(const char* group, int index) {
        return Find<QRadioButton>((std::string(group) + "_" + std::to_string(index)).c_str());
    }
    QSpinBox* Spin(const char* name) { return Find<QSpinBox>(name); }
    std::vector<std::string> Infos() { return prompter.Texts("info"); }
};

// One editable text cell.
class OneCell : public GridRules {
public:
    int RowCount() const override { return 1; }
    int ColumnCount() const override { return 1; }
    std::string Header(int) const override { return "A"; }
    CellView Cell(int, int) const override {
        CellView c;
        c.editable = true;
        c.text = text;
        return c;
    }
    GridEditResult Edit(int, int, const std::string& t) override {
        text = t;
        return GridEditResult::Rows(0, 0);
    }
    std::string text;
};

bool Ticked(QListWidget* list, int row) {
    return list->item(row)->checkState() == Qt::Checked;
}

} // namespace

TEST(SetupPages, TimedBitRateLimitsTheChannelBothWays) {
    Editing f;
    f.Turn("TabTxSetup");
    f.Find<QCheckBox>("cbTimed")->click();
    ASSERT_TRUE(f.W().Config().TimedEnabled);
    f.Choice("rgTimedBitRate", 0)->click();
    QSpinBox* channel = f.Spin("RzTimedChannel");
    channel->setValue(150);
    f.Choice("rgTimedBitRate", 2)->click();
    EXPECT_EQ(f.Infos(), std::vector<std::string>{texts::kChannelOutOfRange1200});
    EXPECT_EQ(channel->value(), 133);
    EXPECT_EQ(channel->maximum(), 133);
    EXPECT_TRUE(f.Find<QWidget>("rgTimedInterleaver")->isEnabled());
    f.Choice("rgTimedBitRate", 0)->click();
    channel->setValue(266);
    EXPECT_EQ(channel->value(), 266);
    EXPECT_EQ(f.Infos().size(), 1u);
    EXPECT_FALSE(f.Find<QWidget>("rgTimedInterleaver")->isEnabled());
}

TEST(SetupPages, PreambleAboveChannel200IsLongAndComesBackAt200) {
    Editing f;
    f.Turn("TabTxSetup");
    f.Find<QCheckBox>("cbTimed")->click();
    f.Choice("rgTimedBitRate", 1)->click();
    f.Choice("rgTimedBitRate", 0)->click();
    f.Choice("rgTimedPreamble", 0)->click();
    f.Spin("RzTimedChannel")->setValue(201);
    f.Choice("rgTimedBitRate", 1)->click();
    f.Choice("rgTimedBitRate", 0)->click();
    auto* preamble = f.Find<QGroupBox>("rgTimedPreamble");
    EXPECT_FALSE(preamble->isEnabled());
    EXPECT_TRUE(f.Choice("rgTimedPreamble", 1)->isChecked());
    // Typing 200 enables the choice again and leaves "Long".
    QSpinBox* channel = f.Spin("RzTimedChannel");
    channel->selectAll();
    QTest::keyClicks(channel, "200");
    EXPECT_TRUE(preamble->isEnabled());
    EXPECT_TRUE(f.Choice("rgTimedPreamble", 1)->isChecked());
}

TEST(SetupPages, RandomBitRate100LowersTheChannelTo200) {
    Editing f;
    f.Turn("TabTxSetup");
    f.Find<QCheckBox>("cbRandom")->click();
    f.Choice("rgRandomBitRate", 1)->click();
    f.Spin("RzRandomChannel")->setValue(250);
    f.Choice("rgRandomBitRate", 0)->click();
    EXPECT_EQ(f.Infos(), std::vector<std::string>{texts::kChannelOutOfRange100});
    EXPECT_EQ(f.Spin("RzRandomChannel")->value(), 200);
    EXPECT_FALSE(f.Find<QWidget>("rgRandomInterleaver")->isEnabled());
}

TEST(SetupPages, RandomEnableAndDisableKeepTheirFlagsAndChannel) {
    Editing f;
    f.Turn("TabTxSetup");
    f.W().Config().RandomTx.Channel = 0;
    f.W().Config().RandomTx.OpFlags = {false, true, true, true, true, false, false, false};
    auto* random = f.Find<QCheckBox>("cbRandom");
    random->click();
    EXPECT_EQ(f.W().Config().RandomTx.Channel, 1);
    EXPECT_EQ(f.Spin("RzRandomChannel")->value(), 1);
    EXPECT_TRUE(f.Find<QGroupBox>("gbRandomSetup")->isEnabled());
    auto* flags = f.Find<QListWidget>("RandomOpFlags");
    EXPECT_FALSE(flags->item(0)->flags() & Qt::ItemIsUserCheckable) << "future use";
    random->click();
    EXPECT_EQ(f.W().Config().RandomTx.Channel, 0);
    EXPECT_FALSE(f.W().Config().RandomEnabled);
    EXPECT_FALSE(Ticked(flags, 1));
    EXPECT_FALSE(Ticked(flags, 2));
    EXPECT_TRUE(Ticked(flags, 3));
    EXPECT_TRUE(Ticked(flags, 4));
    EXPECT_TRUE(f.Spin("RzRandomChannel")->text().trimmed().isEmpty());
    EXPECT_FALSE(f.Find<QGroupBox>("gbRandomSetup")->isEnabled());
}

TEST(SetupPages, IntervalWithoutDaysRoundTripsThroughTheField) {
    Editing f;
    XmtrConfig& cfg = f.W().Config();
    cfg.TimedTx.Interval = "01:02:03:04";
    cfg.TimedTx.Channel = 10;
    cfg.TimedEnabled = true;
    f.W().Host().ChannelsLoaded();
    EXPECT_EQ(f.Find<QLineEdit>("TimedTxInterval")->text(), "02:03:04");
    EXPECT_EQ(f.Spin("RzTimedChannel")->value(), 10);
    f.Spin("RzTimedChannel")->setValue(42);
    EXPECT_EQ(cfg.TimedTx.Channel, 10) << "the record waits for the store";
    EXPECT_TRUE(f.W().Modified());
    // Sending stores the fields first.
    f.W().Host().CopyTxFieldsToModel();
    EXPECT_EQ(cfg.TimedTx.Interval, "00:02:03:04");
    EXPECT_EQ(cfg.TimedTx.Channel, 42);
}

TEST(SetupPages, LeavingTheTimedGroupStoresIt) {
    Editing f;
    f.Turn("TabTxSetup");
    f.Find<QCheckBox>("cbTimed")->click();
    QSpinBox* channel = f.Spin("RzTimedChannel");
    QApplication::setActiveWindow(f.window.get());
    channel->setFocus();
    channel->setValue(77);
    f.Find<QCheckBox>("cbRandom")->setFocus();
    EXPECT_EQ(f.W().Config().TimedTx.Channel, 77);
}

TEST(SetupPages, ArgosToggleKeepsScdAndHidesTheTimedBuffer) {
    Editing f;
    f.Turn("TabGeneralTxConfiguration");
    XmtrConfig& cfg = f.W().Config();
    cfg.RandomTx.ScdEnabled = true;
    auto* argos = f.Find<QCheckBox>("cbEnableARGOSSCD");
    auto* pages = f.W().MainPageControl();
    auto timedShown = [&] {
        return pages->isTabVisible(pages->indexOf(f.Find<QWidget>("TabTimedDataFormat")));
    };
    ASSERT_TRUE(timedShown());
    argos->click();
    EXPECT_TRUE(cfg.RandomTx.ArgosEnabled);
    EXPECT_TRUE(f.Choice("rgGOESARGOSSCDselect", 0)->isChecked()) << "SCD";
    EXPECT_EQ(f.W().TxType().Mode(), TTAVINTXType::kArgosScd);
    EXPECT_FALSE(timedShown());
    // "400 BPS" takes the place of "100 BPS".
    EXPECT_TRUE(f.Find<QWidget>("RzSpinTxPwr400")->isVisibleTo(f.Find<QWidget>("gbTxPower")));
    EXPECT_FALSE(f.Find<QWidget>("RzSpinTxPwr100")->isVisibleTo(f.Find<QWidget>("gbTxPower")));
    f.Choice("rgGOESARGOSSCDselect", 1)->click();
    EXPECT_FALSE(cfg.RandomTx.ScdEnabled);
    EXPECT_EQ(f.W().TxType().Mode(), TTAVINTXType::kArgos);
    f.Choice("rgGOESARGOSSCDselect", 0)->click();

    argos->click();
    EXPECT_FALSE(cfg.RandomTx.ArgosEnabled);
    EXPECT_TRUE(cfg.RandomTx.ScdEnabled);
    EXPECT_EQ(f.W().TxType().Mode(), TTAVINTXType::kGoes);
    EXPECT_FALSE(f.Choice("rgGOESARGOSSCDselect", 0)->isChecked());
    EXPECT_FALSE(f.Choice("rgGOESARGOSSCDselect", 1)->isChecked());
    EXPECT_TRUE(timedShown());
    argos->click();
    EXPECT_TRUE(f.Choice("rgGOESARGOSSCDselect", 0)->isChecked());
    // In ARGOS operation the random setup takes the timed one's place and
    // the randomness cannot be edited.
    f.Turn("TabTxSetup");
    EXPECT_FALSE(f.Find<QWidget>("gbTimedSetup")->isVisible());
    f.Find<QCheckBox>("cbRandom")->click();
    EXPECT_TRUE(f.Find<QWidget>("btnedtARGOS_SCD_Chan")->isVisible());
    EXPECT_FALSE(f.Spin("RzRandomPercent")->isEnabled());
    EXPECT_EQ(f.Spin("RzRandomPercent")->value(), 10);
    EXPECT_EQ(f.Spin("RzRandomInterval")->minimum(), 35);
    EXPECT_EQ(f.Spin("RzRandomInterval")->maximum(), 300);
}

TEST(SetupPages, GeneralFieldsAreTheModelValues) {
    Editing f("TAVINVersion=1.52\n");
    f.Turn("TabGeneralTxConfiguration");
    TGeneralSettings& g = f.W().Config().General;
    f.Find<QLineEdit>("PB1")->clear();
    QTest::keyClicks(f.Find<QLineEdit>("PB1"), "B");
    QTest::keyClicks(f.Find<QLineEdit>("PIS"), "WILLOW");
    f.Spin("RzGPSTimeSync")->setValue(12);
    f.Find<QCheckBox>("cbPowerUpEnable")->click();
    EXPECT_EQ(g.PseudoBinaryHeader1, 'B');
    EXPECT_EQ(g.PlatformIdString, "WILLOW");
    EXPECT_EQ(g.GpsTimeSync, 12);
    EXPECT_TRUE(g.PowerUpEnable);
    // The groups of later firmware are offered.
    EXPECT_TRUE(f.Find<QWidget>("gbSlash")->isVisible());
    EXPECT_TRUE(f.Find<QWidget>("gbTimeZone")->isVisible());
    // The platform id field edits the GOES id in GOES operation.
    f.Turn("TabConfigOptions");
    f.Find<QLineEdit>("OvcNesdisID")->setText("1234ABCD");
    EXPECT_EQ(f.W().Config().PlatformIdGoes, "1234ABCD");
}

TEST(SetupPages, AdvancedSettingsShowTheirFieldsAndAskTheTransmitter) {
    Editing f;
    f.Turn("TabGeneralTxConfiguration");
    EXPECT_FALSE(f.Find<QWidget>("gbAdvancedSettings")->isVisible());
    EXPECT_FALSE(f.Spin("RzGPSSyncCalTimeout")->isVisible());
    f.Find<QAction>("MenuAdvancedSettings")->trigger();
    EXPECT_TRUE(f.Find<QWidget>("gbAdvancedSettings")->isVisible());
    EXPECT_TRUE(f.Spin("RzGPSSyncCalTimeout")->isVisible());
    EXPECT_TRUE(f.Find<QWidget>("RzSpinTxPwr100")->isVisible());
    EXPECT_FALSE(f.Find<QWidget>("RzSpinTxPwr400")->isVisible());
    const auto& queue = f.W().Link().Link().ListXmitCmd;
    const std::vector<std::string> asked(queue.begin(), queue.end());
    EXPECT_EQ(asked, (std::vector<std::string>{"IRC?", "TXP?", "GTC?", "GOC?", "GTO?"}));
    f.Find<QAction>("MenuAdvancedSettings")->trigger();
    EXPECT_FALSE(f.Find<QWidget>("gbAdvancedSettings")->isVisible());
}

TEST(SetupPages, SpinFieldsWrapAtTheirEnds) {
    Editing f("TAVINVersion=1.52\n");
    f.Find<QAction>("MenuAdvancedSettings")->trigger();
    f.Turn("TabTxSetup");
    f.Find<QCheckBox>("cbTimed")->click();
    struct Case {
        const char* spin;
        int from;
        bool up;
        int to;
    };
    const Case cases[] = {
        {"RzGPSSyncCalTimeout", 30, true, 15}, {"RzSpinTimeZone", -12, false, 12},
        {"RzGPSTimeSync", 998, true, 999},     {"RzTimedWindowLength", 5, false, 240},
        {"RzSpinUTCCorr", 255, true, -255},
    };
    for (const Case& c : cases) {
        QSpinBox* spin = f.Spin(c.spin);
        spin->setValue(c.from);
        c.up ? spin->stepUp() : spin->stepDown();
        EXPECT_EQ(spin->value(), c.to) << c.spin;
    }
    auto* power = f.Find<QDoubleSpinBox>("RzSpinTxPwr100");
    power->setValue(99.9);
    power->stepUp();
    EXPECT_DOUBLE_EQ(power->value(), 0.0);
    // A typed value beyond the end is not wrapped.
    QSpinBox* timeout = f.Spin("RzGPSSyncCalTimeout");
    timeout->setValue(20);
    timeout->selectAll();
    QTest::keyClicks(timeout, "45");
    QTest::keyClick(timeout, Qt::Key_Enter);
    EXPECT_NE(timeout->value(), 15);
}

TEST(SetupPages, SensorsNotEnabledLineAndPageRefreshHook) {
    Editing f;
    int refreshed = 0;
    f.W().SetPageHooks("TabSDI12", {[&] { ++refreshed; }, {}});
    f.Turn("TabSDI12");
    EXPECT_EQ(f.Find<QLabel>("LblSDI12Info")->text().toStdString(), texts::kSensorsNotEnabled);
    EXPECT_EQ(refreshed, 1);
    f.Turn("TabTimedDataFormat");
    EXPECT_EQ(f.Find<QLabel>("LblTimedBufferInfo")->text().toStdString(),
              texts::kTimedDisabledInfo);

    // Timed transmissions from the sensors: the line goes.
    f.Turn("TabTxSetup");
    f.Find<QCheckBox>("cbTimed")->click();
    f.Choice("rgTimedDataSelect", 1)->click();
    f.Turn("TabSDI12");
    EXPECT_TRUE(f.Find<QLabel>("LblSDI12Info")->text().isEmpty());
    EXPECT_EQ(f.W().Config().TimedTx.DataSource, 1);
}

TEST(SetupPages, TablePagesDisableTheirGridsAndGreyTheirButtons) {
    Editing f;
    auto* grid = new QTableView;
    QStandardItemModel model(2, 2);
    grid->setModel(&model);
    grid->setEditTriggers(QAbstractItemView::DoubleClicked);
    f.W().AddPageContent("TabSDI12", grid);
    std::vector<bool> seen;
    f.W().SetPageHooks("TabSDI12", {{}, [&](bool on) { seen.push_back(on); }});
    OneCell rules;
    auto* shared = new GridView(rules, "GridSDI12");
    f.W().AddPageContent("TabSDI12", shared);
    auto* button = f.Find<QToolButton>("PageBtnTabSDI12");
    f.W().SDI12TabDisable();
    EXPECT_TRUE(shared->IsReadOnly());
    EXPECT_FALSE(shared->model()->flags(shared->model()->index(0, 0)) & Qt::ItemIsEditable);
    EXPECT_EQ(grid->editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_TRUE(button->property("captionGreyed").toBool());
    EXPECT_TRUE(button->isEnabled()) << "a disabled page can still be looked at";
    EXPECT_FALSE(f.W().Host().TabEnabled("TabSDI12"));
    f.W().SDI12TabEnable();
    EXPECT_FALSE(shared->IsReadOnly());
    // Turning to the page shows what the rules hold now.
    rules.text = "new";
    f.Turn("TabSDI12");
    EXPECT_EQ(shared->model()->index(0, 0).data().toString(), "new");
    EXPECT_EQ(grid->editTriggers(), QAbstractItemView::DoubleClicked);
    EXPECT_FALSE(button->property("captionGreyed").toBool());
    EXPECT_EQ(seen, (std::vector<bool>{false, true}));
    grid->setModel(nullptr);
    delete shared; // before its rules go
}

TEST(SetupPages, PageButtonsFollowThePagesAndTurnThem) {
    Editing f;
    auto* pages = f.W().MainPageControl();
    int shown = 0;
    for (int i = 0; i < pages->count(); ++i) {
        auto* button =
            f.Find<QToolButton>(("PageBtn" + pages->widget(i)->objectName()).toStdString().c_str());
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->isVisible(), pages->isTabVisible(i)) << i;
        EXPECT_EQ(button->text(), pages->tabText(i));
        shown += button->isVisible();
    }
    EXPECT_GT(shown, PageButtons::kPerRow) << "more than one row";
    f.Find<QToolButton>("PageBtnTabTxSetup")->click();
    EXPECT_EQ(pages->currentWidget()->objectName(), "TabTxSetup");
    EXPECT_TRUE(f.Find<QToolButton>("PageBtnTabTxSetup")->isChecked());
    // An accessibility tool's toggle turns the page as well.
    QAccessibleInterface* access = QAccessible::queryAccessibleInterface(
        f.Find<QToolButton>("PageBtnTabGeneralTxConfiguration"));
    access->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_EQ(pages->currentWidget()->objectName(), "TabGeneralTxConfiguration");
    f.Find<QToolButton>("SBtnConfigControl")->click(); // back to idle
    EXPECT_FALSE(f.Find<QToolButton>("PageBtnTabTxSetup")->isVisible());
}

TEST(SetupPages, ModeButtonToggledThroughAccessibilityEntersTheMode) {
    MainWindowFixture f("[CONFIG]\nWorkOffline=1\n");
    TfrmXmtrCfg& w = f.Open();
    auto* button = f.Find<QToolButton>("SBtnCreateTemplate");
    QAccessibleInterface* access = QAccessible::queryAccessibleInterface(button);
    ASSERT_NE(access, nullptr);
    ASSERT_NE(access->actionInterface(), nullptr);
    const QStringList actions = access->actionInterface()->actionNames();
    const QString toggle = actions.contains(QAccessibleActionInterface::toggleAction())
                               ? QAccessibleActionInterface::toggleAction()
                               : QAccessibleActionInterface::pressAction();
    access->actionInterface()->doAction(toggle);
    EXPECT_TRUE(button->isChecked());
    EXPECT_EQ(w.Mode(), OperatingMode::CreateTemplate);
    // The keyboard does the same.
    auto* configure = f.Find<QToolButton>("SBtnConfigControl");
    configure->setFocus();
    QTest::keyClick(configure, Qt::Key_Space);
    EXPECT_EQ(w.Mode(), OperatingMode::ConfigControl);
    EXPECT_FALSE(button->isChecked());
    // A programmatic toggle runs the action too.
    configure->setChecked(false);
    EXPECT_EQ(w.Mode(), OperatingMode::Idle);
}

TEST(SetupPages, EveryPageFitsTheOpeningSizeAndThePlaceIsKept) {
    MainWindowFixture f("[CONFIG]\nWorkOffline=1\nTAVINVersion=1.60\n");
    TfrmXmtrCfg& w = f.Open();
    f.Find<QToolButton>("SBtnConfigControl")->click();
    f.Find<QAction>("MenuAdvancedSettings")->trigger();
    // The largest page with every group shown fits a 1366 x 768 screen
    // under the window's own frame, menu and status bar.
    const QSize least = w.minimumSizeHint();
    EXPECT_LE(least.width(), 1366);
    EXPECT_LE(least.height(), 768 - 60);

    w.move(30, 60);
    const QSize size = w.size();
    w.close();
    IniFile doc;
    ASSERT_EQ(doc.Load(f.IniPath()), IniFile::LoadResult::Loaded);
    EXPECT_EQ(doc.Get("WINDOW", "Left"), "30");
    EXPECT_EQ(doc.Get("WINDOW", "Top"), "60");
    EXPECT_EQ(doc.Get("WINDOW", "Width"), std::to_string(size.width()));
    EXPECT_EQ(doc.Get("WINDOW", "ComNum"), std::nullopt);
    f.window.reset();
    TfrmXmtrCfg& again = f.Open();
    EXPECT_EQ(again.size(), size);
}

TEST(SetupPages, StationValuesSitOnTheStartPageWhileATemplateIsConfigured) {
    MainWindowFixture f("[CONFIG]\nWorkOffline=1\n");
    TfrmXmtrCfg& w = f.Open();
    w.Config().TimedEnabled = true;
    w.Config().TimedTx.Channel = 33;
    w.Host().ChannelsLoaded();
    f.Find<QToolButton>("SBtnConfigFromTemplate")->click();
    ASSERT_EQ(w.Mode(), OperatingMode::ConfigFromTemplate);
    auto* channel = f.Find<QSpinBox>("RzTimedChannel");
    auto* pis = f.Find<QLineEdit>("PIS");
    EXPECT_EQ(channel->parentWidget()->objectName(), "RzTimedChannelTemplate");
    EXPECT_EQ(pis->parentWidget()->objectName(), "PISTemplate");
    EXPECT_TRUE(channel->isVisible());
    EXPECT_TRUE(channel->isEnabled());
    EXPECT_FALSE(f.Find<QSpinBox>("RzRandomChannel")->isEnabled()) << "random transmissions off";
    EXPECT_EQ(channel->value(), 33);

    w.MainPageControl()->setCurrentWidget(f.Find<QWidget>("TabTxSetup"));
    EXPECT_EQ(channel->parentWidget()->objectName(), "RzTimedChannelHome");
    EXPECT_TRUE(channel->isVisible());
    w.MainPageControl()->setCurrentWidget(f.Find<QWidget>("TabConfigOptions"));
    EXPECT_EQ(channel->parentWidget()->objectName(), "RzTimedChannelTemplate");
}

TEST(SetupPages, SwitchingToArgosShowsTheArgosPartOfTheRandomRecord) {
    Editing f;
    XmtrConfig& cfg = f.W().Config();
    cfg.RandomTx.ArgosChannel = "D17+S55";
    cfg.RandomTx.ArgosInterval = 120;
    f.Turn("TabTxSetup");
    f.Find<QCheckBox>("cbRandom")->click();
    f.Spin("RzRandomChannel")->setValue(50);
    f.Spin("RzRandomInterval")->setValue(20);
    f.Turn("TabGeneralTxConfiguration");
    f.Find<QCheckBox>("cbEnableARGOSSCD")->click();
    EXPECT_EQ(cfg.RandomTx.Channel, 50) << "typed GOES values are kept";
    EXPECT_EQ(cfg.RandomTx.Interval, 20);
    f.Turn("TabTxSetup");
    EXPECT_EQ(f.Find<QLineEdit>("btnedtARGOS_SCD_Chan")->text(), "D17+S55");
    EXPECT_EQ(f.Spin("RzRandomInterval")->value(), 120);
    f.Turn("TabGeneralTxConfiguration");
    f.Find<QCheckBox>("cbEnableARGOSSCD")->click();
    f.Turn("TabTxSetup");
    EXPECT_EQ(f.Spin("RzRandomChannel")->value(), 50);
    EXPECT_EQ(f.Spin("RzRandomInterval")->value(), 20);
    EXPECT_EQ(cfg.RandomTx.ArgosInterval, 120);
}

TEST(SetupPages, ArgosPreferenceStartsInArgosOperation) {
    MainWindowFixture f("[CONFIG]\nARGOS_SCD=1\nSCD=1\n");
    TfrmXmtrCfg& w = f.Open();
    EXPECT_TRUE(f.Find<QCheckBox>("cbEnableARGOSSCD")->isChecked());
    EXPECT_TRUE(f.Find<QRadioButton>("rgGOESARGOSSCDselect_0")->isChecked());
    EXPECT_EQ(w.TxType().Mode(), TTAVINTXType::kArgosScd);
    EXPECT_EQ(w.windowTitle(), "Quillfen Design TAVIN Utility - ARGOS & SCD Operation");
    EXPECT_TRUE(f.Find<QWidget>("RzSpinTxPwr400")->isVisibleTo(f.Find<QWidget>("gbTxPower")));
    EXPECT_FALSE(f.Find<QWidget>("RzSpinTxPwr100")->isVisibleTo(f.Find<QWidget>("gbTxPower")));
    EXPECT_EQ(w.Config().General.PseudoBinaryHeader1, '@');
}

TEST(SetupPages, TurningThePageEndsASensorQueryAndTheSensorTest) {
    Editing f;
    Supervision& supervisor = f.W().Session().Supervisor();
    supervisor.InstallSDI12SensorQuery();
    ASSERT_EQ(supervisor.InstalledProcedure(), PollProcedure::SDI12QueryPoll);
    auto* test = f.Find<QAbstractButton>("cbEnableInternalSensorTests");
    test->setChecked(true);
    f.Turn("TabGeneralTxConfiguration");
    EXPECT_NE(supervisor.InstalledProcedure(), PollProcedure::SDI12QueryPoll);
    EXPECT_FALSE(test->isChecked());
}

TEST(SetupPages, IntervalKeepsItsValueWhenDaysAreAllowedOrNot) {
    Editing f;
    f.Turn("TabTxSetup");
    f.Find<QCheckBox>("cbTimed")->click();
    auto* interval = f.Find<QLineEdit>("TimedTxInterval");
    interval->setText("02:03:04");
    f.W().TxSetup().SetIntervalDays(true);
    EXPECT_EQ(interval->text(), "00:02:03:04");
    EXPECT_EQ(interval->toolTip(), "Enter Tx Interval (dd:hh:mm:ss)");
    interval->setText("01:02:03:04");
    f.W().TxSetup().SetIntervalDays(false);
    EXPECT_EQ(interval->text(), "02:03:04");
}

namespace tavin {
namespace {

// Every table page shows its grid below the page's information line and
// filling the page, whichever helper built the content.
TEST(SetupPages, EveryGridFillsItsPageBelowTheInformationLine) {
    Editing f("[CONFIG]\nTdfTabVisible=1\nRdfTabVisible=1\n");
    const struct {
        const char* page;
        const char* grid;
    } kCases[] = {
        {"TabSDI12", "GridSDI12"},
        {"TabInternalSensors", "GridInternSens"},
        {"TabTimedDataFormat", "GridTimedDataFormat"},
        {"TabRandomDataFormat", "GridRandomDataFormat"},
        {"TabRandomTrigger", "GridRandomTriggers"},
    };
    for (const auto& c : kCases) {
        auto* page = f.Find<QWidget>(c.page);
        f.Turn(c.page);
        QTest::qWait(10);
        auto* grid = page->findChild<GridView*>(c.grid);
        ASSERT_NE(grid, nullptr) << c.page;
        ASSERT_NE(page->layout(), nullptr) << c.page;
        const QRect inPage(grid->mapTo(page, QPoint(0, 0)), grid->size());
        EXPECT_GT(inPage.height(), page->height() / 2) << c.page;
        EXPECT_GT(inPage.width(), page->width() / 3) << c.page;
        EXPECT_TRUE(page->rect().contains(inPage)) << c.page;
    }
}

} // namespace
} // namespace tavin

// Building the main window's menus, pages and status bar.

#include "app/AppTexts.h"
#include "app/PageButtons.h"
#include "app/TfrmXmtrCfg.h"
#include "link/LinkTexts.h"
#include "link/qt/QtLink.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace tavin {

namespace {

template <typename W> W* Named(W* widget, const char* name) {
    widget->setObjectName(name);
    return widget;
}

QPushButton* Button(QWidget* parent, const char* name, const char* caption,
                    const char* hint = nullptr) {
    auto* b = Named(new QPushButton(caption, parent), name);
    if (hint) {
        b->setToolTip(hint);
    }
    return b;
}

} // namespace

void TfrmXmtrCfg::BuildMenus() {
    auto add = [this](QMenu* menu, const char* name, const char* caption) {
        QAction* a = menu->addAction(caption);
        a->setObjectName(name);
        actions_[name] = a;
        return a;
    };
    QMenu* file = menuBar()->addMenu("File");
    file->setObjectName("itmFileMenu");
    connect(add(file, "subItmOpenConfig", texts::kOpenConfigMenu), &QAction::triggered, this,
            [this] { subItmOpenConfigClick(); });
    connect(add(file, "subItmSaveConfig", texts::kSaveConfigMenu), &QAction::triggered, this,
            [this] { subItmSaveConfigClick(); });
    file->addSeparator();
    connect(add(file, "MenuNewTemplate", "New Template"), &QAction::triggered, this,
            [this] { MenuNewTemplateClick(); });
    connect(add(file, "MenuOpenTemplate", "Open Template"), &QAction::triggered, this,
            [this] { MenuOpenTemplateClick(); });
    connect(add(file, "MenuSaveTemplate", "Save Template"), &QAction::triggered, this,
            [this] { MenuSaveTemplateClick(); });
    file->addSeparator();
    connect(add(file, "subItmExit", "Exit"), &QAction::triggered, this, &QWidget::close);

    QMenu* options = menuBar()->addMenu("Options");
    options->setObjectName("itmOptionsMenu");
    QMenu* comm = options->addMenu("Comm");
    comm->setObjectName("itmCommMenu");
    comGroup_ = new QActionGroup(this);
    comGroup_->setExclusive(true);
    auto comItem = [&](const char* name, const QString& caption, int tag) {
        QAction* a = add(comm, name, caption.toLatin1().constData());
        a->setCheckable(true);
        a->setData(tag);
        comGroup_->addAction(a);
        if (tag >= 0) {
            connect(a, &QAction::triggered, this, [this, tag] { miComClick(tag); });
        }
        return a;
    };
    comItem("miComNone", "None", 0)->setChecked(true);
    static const char* const kComNames[] = {"miCOM1", "miCOM2", "miCOM3", "miCOM4",
                                            "miCOM5", "miCOM6", "miCOM7", "miCOM8"};
    for (int n = 1; n <= 8; ++n) {
        comItem(kComNames[n - 1], QStringLiteral("COM%1").arg(n), n);
    }
    connect(comItem("miComOther", "Other ...", -1), &QAction::triggered, this,
            [this] { miComOtherClick(); });
    connect(add(options, "subItmPrefs", "Preferences"), &QAction::triggered, this,
            [this] { subItmPrefsClick(); });

    QMenu* advanced = menuBar()->addMenu("Advanced");
    advanced->setObjectName("MenuAdvanced");
    actions_["MenuAdvanced"] = advanced->menuAction();
    add(advanced, "MenuAdvancedSettings", "Advanced Settings")->setCheckable(true);
    add(advanced, "MenuTAVINControl", "TAVIN Control");
    add(advanced, "MenuTAVINStatus", "TAVIN Status");
    connect(add(advanced, "MenuTAVINSensorLog", "TAVIN Sensor Log"), &QAction::triggered, this,
            [this] { MenuTAVINSensorLogClick(); });
    add(advanced, "MenuTAVINTxTest", "TAVIN Transmission Test");
    add(advanced, "MenuTAVINCal", "TAVIN Calibration");

    QMenu* help = menuBar()->addMenu("Help");
    help->setObjectName("itmHelpMenu");
    connect(add(help, "MenuAbout", "About"), &QAction::triggered, this,
            [this] { ShowAboutBox(false); });
    AddHelpItems(help);
}

void TfrmXmtrCfg::BuildPages() {
    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(4, 4, 4, 0);
    mainPageControl_ = Named(new QTabWidget(central), "MainPageControl");
    pageButtons_ = new PageButtons(mainPageControl_, central);
    column->addWidget(pageButtons_);
    column->addWidget(mainPageControl_, 1);
    struct PageDef {
        const char* name;
        const char* caption;
        const char* info; // the information line above the grid, or null
    };
    static const PageDef kPages[] = {
        {"TabConfigOptions", texts::kTabConfigOptions, nullptr},
        {"TabGeneralTxConfiguration", "General Setup", nullptr},
        {"TabTxSetup", "Transmission Setup", nullptr},
        {"TabEquations", "Equations", nullptr},
        {"TabSDI12", "SDI-12 Sensors", "LblSDI12Info"},
        {"TabInternalSensors", "Internal Sensors", "LblInternalSensorInfo"},
        {"TabMinMaxAvg", "Sensor Min Max Avg", nullptr},
        {"TabTimedDataFormat", "Timed Data Buffer", "LblTimedBufferInfo"},
        {"TabRandomDataFormat", "Random Data Buffer", "LblRandomDataBufferInfo"},
        {"TabRandomTrigger", "Random Triggers", "LblRandomTriggerInfo"},
        {"TabARGOSDataPack", "ARGOS/SCD Data Pack", nullptr},
    };
    for (const PageDef& def : kPages) {
        auto* page = Named(new QWidget(mainPageControl_), def.name);
        pages_[def.name] = page;
        pageCaptions_[def.name] = def.caption;
        pageEnabled_[def.name] = true;
        mainPageControl_->addTab(page, def.caption);
        pageButtons_->AddPage(page, def.caption);
        if (std::string(def.name) == "TabConfigOptions") {
            continue;
        }
        auto* layout = new QVBoxLayout(page);
        if (def.info) {
            auto* info = Named(new QLabel(page), def.info);
            info->setStyleSheet("color: #b00000; font-weight: bold;");
            info->setWordWrap(true);
            layout->addWidget(info);
            pageInfo_[def.name] = info;
        }
    }
    setCentralWidget(central);
    BuildConfigOptionsPage(pages_["TabConfigOptions"]);
    BuildSensorPages();
    BuildSettingPages();
    BuildBufferPages();
    connect(mainPageControl_, &QTabWidget::currentChanged, this, [this] {
        if (mainPageControl_->currentWidget() != currentPage_) {
            currentPage_ = mainPageControl_->currentWidget();
            MainPageControlChange();
        }
    });
}

void TfrmXmtrCfg::BuildConfigOptionsPage(QWidget* page) {
    auto* grid = new QGridLayout(page);

    auto* modes = Named(new QGroupBox(texts::kWhatDoYouWantToDo, page), "gbGeneralSetupOptions");
    auto* modesLayout = new QVBoxLayout(modes);
    struct ModeDef {
        OperatingMode mode;
        const char* name;
        const char* caption;
    };
    static const ModeDef kModes[] = {
        {OperatingMode::CreateTemplate, "SBtnCreateTemplate", texts::kModeCreateTemplate},
        {OperatingMode::ConfigFromTemplate, "SBtnConfigFromTemplate",
         texts::kModeConfigFromTemplate},
        {OperatingMode::ConfigControl, "SBtnConfigControl", texts::kModeConfigControl},
        {OperatingMode::Monitor, "SBtnMonitor", texts::kModeMonitor},
    };
    for (const ModeDef& def : kModes) {
        auto* b = Named(new QToolButton(modes), def.name);
        b->setText(def.caption);
        b->setCheckable(true);
        b->setToolButtonStyle(Qt::ToolButtonTextOnly);
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        const OperatingMode mode = def.mode;
        connect(b, &QToolButton::toggled, this,
                [this, mode](bool down) { ModeButtonClicked(mode, down); });
        modeButtons_[mode] = b;
        modesLayout->addWidget(b);
    }
    grid->addWidget(modes, 0, 0);

    gbPlatformID_ = Named(new QGroupBox(texts::kGoesPlatformId, page), "gbPlatformID");
    auto* idLayout = new QHBoxLayout(gbPlatformID_);
    ovcNesdisID_ = Named(new QLineEdit(gbPlatformID_), "OvcNesdisID");
    ovcNesdisID_->setMaxLength(8);
    idLayout->addWidget(ovcNesdisID_);
    grid->addWidget(gbPlatformID_, 1, 0);

    auto* actionsBox = Named(new QWidget(page), "pnlConfigActions");
    auto* actions = new QVBoxLayout(actionsBox);
    actions->addWidget(Button(actionsBox, "BtnRefreshAll", "Retrieve Config From TAVIN",
                              "Reload Configuration Information From TAVIN"));
    actions->addWidget(Button(actionsBox, "BtnConfigAll", "Send Config To TAVIN",
                              "Send Configuration Information To TAVIN"));
    actions->addWidget(Button(actionsBox, "BtnSaveConfig", "Save Current Config in TAVIN",
                              "Save Configuration in TAVIN"));
    actions->addWidget(Button(actionsBox, "BtnRestoreConfig", "Restore Previous TAVIN Config",
                              "Restores the previous configuration if new not saved"));
    actions->addWidget(Button(actionsBox, "BtnRestoreFactDefaults", "Set TAVIN To Factory Defaults",
                              "Load Factory Defaults Into TAVIN"));
    actions->addWidget(
        Button(actionsBox, "BtnCheckLocal", "Check Local Config", texts::kCheckLocalHint));
    actions->addWidget(Button(actionsBox, "BtnCheckConfig", "Check Config In TAVIN",
                              "Issues command to check current configuration for errors"));
    actions->addWidget(Button(actionsBox, "BtnCheckTemplate", "Check Template"));
    actions->addWidget(
        Button(actionsBox, "BtnEnableTx", "Enable TAVIN", "Enables TAVIN for Transmissions"));
    actions->addWidget(
        Button(actionsBox, "BtnEnableLogger", "Enable Logger", "Enables TAVIN as a Logger Only"));
    actions->addWidget(
        Button(actionsBox, "BtnDisableTx", "Disable TAVIN", "Disable TAVIN from Transmitting"));
    actions->addStretch(1);
    grid->addWidget(actionsBox, 0, 1, 3, 1);

    auto* tmp = Named(new QGroupBox("Transmission Setup From Template", page), "gbTxTmpData");
    auto* tmpLayout = new QGridLayout(tmp);
    tmpLayout->addWidget(Named(new QLabel("Current Template", tmp), "LblCurrentTemplate"), 0, 0);
    tmpLayout->addWidget(Named(new QLabel(tmp), "LblTemplateFileName"), 0, 1, 1, 2);
    // The station values of a template come here while it is configured.
    static const char* const kStationSlots[][2] = {
        {"Timed Channel", "RzTimedChannelTemplate"},
        {"First Transmission", "TimedFirstTxTemplate"},
        {"Random Channel", "RzRandomChannelTemplate"},
        {"Platform ID String", "PISTemplate"},
    };
    int slotRow = 1;
    for (const auto& station : kStationSlots) {
        auto* slot = Named(new QWidget(tmp), station[1]);
        slot->setMaximumWidth(320);
        auto* slotLayout = new QHBoxLayout(slot);
        slotLayout->setContentsMargins(0, 0, 0, 0);
        tmpLayout->addWidget(new QLabel(station[0], tmp), slotRow, 0);
        tmpLayout->addWidget(slot, slotRow, 1, Qt::AlignLeft);
        ++slotRow;
    }
    tmpLayout->setColumnStretch(2, 1);
    grid->addWidget(tmp, 2, 0);

    auto* clock = Named(new QGroupBox("Manual Time Set (GMT Only)", page), "gbTimeDateSetup");
    auto* clockLayout = new QGridLayout(clock);
    auto* time = Named(new QLineEdit(clock), "OvcTime");
    time->setInputMask("99:99:99");
    time->setToolTip("Set Time (hh:mm:ss)");
    auto* date = Named(new QLineEdit(clock), "RzMskEdtDate");
    date->setInputMask("99/99/9999");
    date->setToolTip("Set Date (MM/DD/YYYY)");
    clockLayout->addWidget(time, 0, 0);
    clockLayout->addWidget(date, 0, 1);
    clockLayout->addWidget(Button(clock, "BtnReadClock", "Read Clock"), 1, 0);
    clockLayout->addWidget(Button(clock, "BtnSetClock", "Set Clock"), 1, 1);
    clockLayout->addWidget(Button(clock, "btnSetTimePC", "Set Time PC"), 2, 0);
    clockLayout->addWidget(Named(new QLabel(clock), "LblClockStatus"), 2, 1);
    grid->addWidget(clock, 3, 0);

    auto* utc = Named(new QGroupBox("UTC Correction", page), "gbUTCCorrection");
    auto* utcLayout = new QGridLayout(utc);
    rzSpinUTCCorr_ = Named(new QSpinBox(utc), "RzSpinUTCCorr");
    rzSpinUTCCorr_->setRange(-255, 255);
    lblUTCSet_ = Named(new QLabel(utc), "LblUTCSet");
    utcLayout->addWidget(rzSpinUTCCorr_, 0, 0);
    utcLayout->addWidget(lblUTCSet_, 0, 1);
    utcLayout->addWidget(Button(utc, "BtnReadUTC", "Read UTC"), 1, 0);
    utcLayout->addWidget(Button(utc, "BtnSetUTC", "Preset UTC"), 1, 1);
    grid->addWidget(utc, 3, 1);

    gbTAVINInfo_ = Named(new QGroupBox(texts::kPlatformId, page), "gbTAVINInfo");
    auto* infoLayout = new QVBoxLayout(gbTAVINInfo_);
    pageCntTAVINStatus_ = Named(new QTabWidget(gbTAVINInfo_), "PageCntTAVINStatus");
    infoLayout->addWidget(pageCntTAVINStatus_);
    grid->addWidget(gbTAVINInfo_, 0, 2, 4, 1);

    auto* query = Named(new QGroupBox("SDI-12 Sensor Query", page), "gbSDI12Query");
    auto* queryLayout = new QHBoxLayout(query);
    queryLayout->addWidget(Button(query, "BtnSDI12Query", "Query Sensor",
                                  "Query SDI-12 Sensor Selected In SDI-12 Grid"));
    queryLayout->addWidget(Button(query, "BtnSDI12NextSample", "Next Sample"));
    grid->addWidget(query, 4, 0, 1, 2);
    // Offered only in "Configure / Control / Deploy TAVIN"; leaving that mode
    // for the idle layout leaves it as it was.
    query->hide();

    auto* debug = Named(new QWidget(page), "pnlDebug");
    auto* debugLayout = new QGridLayout(debug);
    memoDebug_ = Named(new QPlainTextEdit(debug), "MemoDebug");
    memoDebug_->setReadOnly(true);
    memoDebug_->setMaximumBlockCount(2000);
    debugLayout->addWidget(memoDebug_, 0, 0, 1, 4);
    auto* clear = Button(debug, "BtnClearDebugMemo", "Clear");
    connect(clear, &QPushButton::clicked, memoDebug_, &QPlainTextEdit::clear);
    debugLayout->addWidget(clear, 1, 0);
    debugLayout->addWidget(Button(debug, "BtnDisableAutoPoll", "Auto Poll Off"), 1, 1);
    debugLayout->addWidget(Button(debug, "BtnAutoPollOn", "Auto Poll On"), 1, 2);
    debugLayout->addWidget(Button(debug, "btnForceVersionRefresh", "Get Version"), 1, 3);
    barBfr_ = Named(new QProgressBar(debug), "barBfr");
    barBfr_->setRange(0, 1024);
    debugLayout->addWidget(barBfr_, 2, 0, 1, 4);
    grid->addWidget(debug, 5, 0, 1, 3);
    grid->setRowStretch(5, 1);
}

void TfrmXmtrCfg::BuildStatusBar() {
    auto* bar = statusBar();
    rzCommOK_ = Named(new QLabel(bar), "RzCommOK");
    rzCommOK_->setFixedSize(16, 16);
    xmtCommStatus_ = Named(new QLabel(texts::kComNone, bar), "XmtCommStatus");
    paneParameterHint_ = Named(new QLabel(bar), "PaneParameterHint");
    xmtMsgStatus_ = Named(new QLabel(bar), "XmtMsgStatus");
    bar->addWidget(rzCommOK_);
    bar->addWidget(xmtCommStatus_);
    bar->addWidget(paneParameterHint_, 1);
    bar->addPermanentWidget(xmtMsgStatus_);
}

void TfrmXmtrCfg::ShowIndicator(bool ok) {
    rzCommOK_->setProperty("commOk", ok);
    rzCommOK_->setStyleSheet(ok ? "background-color: #20c020; border-radius: 8px;"
                                : "background-color: red; border-radius: 8px;");
}

} // namespace tavin

#include "app/TfrmXmtrCfg.h"

#include "app/AppTexts.h"
#include "app/BufferPages.h"
#include "app/MainWindowHost.h"
#include "app/StatusPanel.h"
#include "app/TAboutBox.h"
#include "editor/qt/GeneralSetupPage.h"
#include "editor/qt/TxSetupPage.h"
#include "files/Preferences.h"
#include "link/PortNaming.h"
#include "link/qt/QtLink.h"
#include "protocol/ValueForms.h"
#include "ui/DeferredPrompter.h"
#include "ui/MessageBoxes.h"
#include "workflows/Supervision.h"
#include "workflows/TransmitterSession.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolButton>

namespace tavin {

TfrmXmtrCfg::TfrmXmtrCfg(QWidget* parent) : TfrmXmtrCfg(MainWindowOptions{}, parent) {}

TfrmXmtrCfg::TfrmXmtrCfg(const MainWindowOptions& options, QWidget* parent)
    : QMainWindow(parent), options_(options),
      txType_([this](TTAVINTXType& type) { TAVINTXModeChanged(type); }) {
    setObjectName("TfrmXmtrCfg");
    // Boxes raised while the link handles an event wait until it has returned
    // (DeferredPrompter says why).
    auto deferred = options_.prompter
                        ? std::make_unique<DeferredPrompter>(*options_.prompter)
                        : std::make_unique<DeferredPrompter>(std::make_unique<QtPrompter>(this));
    deferred->SetDeferWhen([this] { return link_ && link_->InEvent(); });
    ownPrompter_ = std::move(deferred);
    prompter_ = ownPrompter_.get();
    const std::string program = QCoreApplication::applicationFilePath().toStdString();
    iniPath_ = options_.iniPath.empty() ? PreferencesPathFor(program) : options_.iniPath;
    programFolder_ =
        options_.programFolder.empty() ? FolderOfFile(program) : options_.programFolder;
    FormCreate();
}

TfrmXmtrCfg::~TfrmXmtrCfg() {
    // A window destroyed without being closed still lets go of the port.
    if (!closing_) {
        link_->PortControl().InitComPort(0);
    }
    // The session's handlers sit in the link's slots; the link goes last.
    session_.reset();
}

void TfrmXmtrCfg::FormCreate() {
    // The mode object and the feature switches exist before anything reads
    // them; the mode starts at 0 so that the first setting calls back.
    link_ = std::make_unique<QtLink>(this);
    host_ = std::make_unique<MainWindowHost>(*this);
    session_ = std::make_unique<TransmitterSession>(link_->Link(), *link_, *host_, *host_, config_,
                                                    parse_, ini_, utility_);
    session_->SetPortControl(&link_->PortControl());
    parse_.TxModeChanged = [this](int mode) { SetTAVINTXMode(mode); };
    config_.RandomTx.ArgosEnabled = false;
    config_.RandomTx.ScdEnabled = false;
    config_.RandomTx.ArgosChannel.clear();

    setWindowTitle(texts::kMainCaption);
    BuildMenus();
    BuildPages();
    BuildStatusBar();
    statusPanel_ = new StatusPanel(gbTAVINInfo_, pageCntTAVINStatus_);
    connect(statusPanel_, &StatusPanel::activeTabChanged, this, [this] {
        if (mode_ == OperatingMode::Monitor && !identifying_) {
            session_->Supervisor().MonitorInspectPoll();
        }
    });
    ConnectLink();
    ConnectReconnect();
    ConnectButtons();
    BuildServiceControls();
    DefaultHide();

    ShowIndicator(false);
    link_->Link().OperationHandler = nullptr;
    link_->Link().ReplyHandler = nullptr;
    link_->Link().AutoPollProcedure = nullptr;

    ini_ = DefaultGlbIni(programFolder_);
    LoadGlbIni(iniPath_, programFolder_, ini_);
    config_.InitPresence(ini_);
    link_->PortControl().ComNum = ini_.ComNum;
    link_->PortControl().Preferences =
        [this](const std::string& section, const std::string& key) -> std::optional<std::string> {
        IniFile doc;
        if (doc.Load(iniPath_) != IniFile::LoadResult::Loaded) {
            return std::nullopt;
        }
        return doc.Get(section, key);
    };
    link_->Link().DebugTrace = ini_.DebugMemo;
    link_->Link().ShowFeedback = ini_.ShowFeedback;

    actions_["MenuTAVINCal"]->setVisible(ini_.CalOptionVisible);
    SetPageShown("TabGeneralTxConfiguration", false);
    for (const char* name : {"TabSDI12", "TabInternalSensors", "TabTimedDataFormat",
                             "TabRandomDataFormat", "TabRandomTrigger"}) {
        SetPageShown(name, false);
    }

    for (const char* name : {"MemoDebug", "BtnClearDebugMemo", "BtnDisableAutoPoll",
                             "BtnAutoPollOn", "btnSetTimePC", "btnForceVersionRefresh", "barBfr"}) {
        if (auto* w = findChild<QWidget*>(name)) {
            w->setVisible(ini_.DebugMemo);
        }
    }

    rzSpinUTCCorr_->setValue(ini_.Correction);
    lblUTCSet_->clear();

    txSetup_->SetIntervalDays(ini_.AllowIntervalDays);

    link_->PortControl().InitComPort(ini_.ComNum);

    // Both transmissions start off, their reactions run so that the
    // dependent fields follow.
    txSetup_->SetTimedChecked(false, true);
    txSetup_->SetRandomChecked(false, true);

    link_->Link().RetrievingAll = false;
    link_->Link().ConfiguringAll = false;
    link_->Link().SuppressWake = false;

    qApp->installEventFilter(this);

    RestorePlacement();
    if (ini_.ShowStartUpScreen) {
        ShowAboutBox(true);
    }
    SetTAVINTXMode(0);
}

void TfrmXmtrCfg::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!shownOnce_) {
        shownOnce_ = true;
        FormShow();
    }
}

void TfrmXmtrCfg::FormShow() {
    link_->Link().ResetRetries();
    link_->EnableTimer(LinkTimer::Comm, true);
    session_->Supervisor().IdentifyPending = true;
    identifying_ = false;
    ClearGeneralSetupParams();
    ClearTimedTxParams();
    ClearRandomTxParams();
    config_.ClearEquations();
    SetTAVINTXMode(0);
    RefreshConfigViews();
    mainPageControl_->setCurrentWidget(pages_["TabConfigOptions"]);
    utility_.SetVersionCode(VersionCodeFromDouble(ini_.TAVINVersion), ini_);
}

void TfrmXmtrCfg::closeEvent(QCloseEvent* event) {
    if (FormCloseQuery()) {
        event->accept();
    } else {
        event->ignore();
    }
}

bool TfrmXmtrCfg::FormCloseQuery() {
    closing_ = true;
    link_->PortControl().InitComPort(0);
    host_->TimerAutoPoll().stop();
    link_->EnableTimer(LinkTimer::XmitReply, false);
    link_->EnableTimer(LinkTimer::Comm, false);
    std::string error;
    if (!SaveGlbIni(iniPath_, ini_, &error)) {
        // Closing goes on: the user is told that the settings were not kept.
        prompter_->ShowErrorBox(error);
    }
    SavePlacement();
    return true;
}

void TfrmXmtrCfg::SetTAVINTXMode(int mode) {
    txType_.SetMode(mode == 0 ? config_.DerivedTxMode() : mode);
    parse_.TxMode = txType_.Mode();
    ovcNesdisID_->setToolTip(gbPlatformID_->toolTip());
    RefreshGeneralSetup();
}

void TfrmXmtrCfg::TAVINTXModeChanged(TTAVINTXType& type) {
    const bool argos = type.Mode() != TTAVINTXType::kGoes;
    switch (type.Mode()) {
    case TTAVINTXType::kArgos:
        setWindowTitle(texts::kMainCaptionArgos);
        break;
    case TTAVINTXType::kArgosScd:
        setWindowTitle(texts::kMainCaptionArgosScd);
        break;
    default:
        setWindowTitle(texts::kMainCaption);
        break;
    }
    gbPlatformID_->setTitle(argos ? texts::kArgosPlatformId : texts::kGoesPlatformId);
    gbPlatformID_->setToolTip(argos ? texts::kArgosPlatformIdHint : texts::kGoesPlatformIdHint);
    ovcNesdisID_->setToolTip(gbPlatformID_->toolTip());
    txSetup_->ArrangeForMode(argos);
    ShowDataPackTab();
}

void TfrmXmtrCfg::ShowAboutBox(bool autoClose) {
    TAboutBox box(this);
    if (autoClose) {
        box.CloseAfter(1500);
    }
    box.exec();
}

} // namespace tavin

// The main window's side of the workflows: idle polling, the Monitor mode
// start-up, the buttons of the first page and the window messages.

#include "app/AppTexts.h"
#include "app/MainWindowHost.h"
#include "app/TfrmXmtrCfg.h"
#include "editor/GeneralSetupRules.h"
#include "editor/qt/GridView.h"
#include "editor/qt/TxSetupPage.h"
#include "link/OperationBox.h"
#include "link/qt/QtLink.h"
#include "protocol/CommandLine.h"
#include "protocol/Vocabulary.h"
#include "workflows/ConfigTransfer.h"
#include "workflows/StateCommands.h"
#include "workflows/Supervision.h"
#include "workflows/TransmitterSession.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>

namespace tavin {

namespace {

QString Q(const std::string& text) {
    return QString::fromLatin1(text.data(), int(text.size()));
}

} // namespace

void TfrmXmtrCfg::ConfigureAutoPoll() {
    if (session_) {
        session_->ConfigureAutoPoll();
    }
}

void TfrmXmtrCfg::RefreshConfigViews() {
    // A copy: showing the id writes it back into the model.
    const std::string id = PlatformIdOfMode(config_);
    ovcNesdisID_->setText(Q(id));
    RefreshGeneralSetup();
    // The enable boxes follow the model; fields already loaded keep what
    // the user typed.
    txSetup_->FollowModel(false);
    for (GridView* grid : mainPageControl_->findChildren<GridView*>()) {
        grid->RefreshGrid();
    }
    RefreshSensorViews();
    RefreshBufferViews();
    for (auto& [page, hooks] : pageHooks_) {
        if (hooks.Refresh) {
            hooks.Refresh();
        }
    }
}

bool TfrmXmtrCfg::EnterMonitorMode() {
    mode_ = OperatingMode::Monitor;
    ConfigureAutoPoll();
    Supervision& supervisor = session_->Supervisor();
    supervisor.ClearStatusInformation();
    if (!link_->CheckLinkReady(true)) {
        return false;
    }
    TransmitterLink& link = link_->Link();
    link.ListXmitCmd.clear();
    identifying_ = true;
    std::vector<std::string> commands = {QueryCmd(mn::ARG), QueryCmd(mn::SCD), QueryCmd(mn::RST),
                                         QueryCmd(mn::GCS), SetCmd(mn::IST, {"0"})};
    if (utility_.ExtendedTables()) {
        commands.insert(commands.end(),
                        {QueryCmd(mn::SSN), QueryCmd(mn::ISN), BulkQueryCmd(mn::SLX),
                         BulkQueryCmd(mn::SSX), BulkQueryCmd(mn::ILX), BulkQueryCmd(mn::ISX)});
    } else {
        commands.insert(commands.end(), {BulkQueryCmd(mn::SL), BulkQueryCmd(mn::SS),
                                         BulkQueryCmd(mn::IL), BulkQueryCmd(mn::IS)});
    }
    commands.insert(commands.end(),
                    {QueryCmd(mn::DAT), QueryCmd(mn::TIM), QueryCmd(mn::AID), QueryCmd(mn::NID)});
    for (std::string& command : commands) {
        link.QueueCommand(std::move(command));
    }

    OperationBox& box = session_->OpenProgressBox(texts::kGatheringInfo, [this](int) {
        session_->Supervisor().InstallMonitorInspectPoll();
        identifying_ = false;
        link_->EnableTimer(LinkTimer::Comm, true);
    });
    box.SetCaption(BoxLabel::Operation, texts::kGatheringInfo);
    box.SetVisible(BoxLabel::Operation, true);
    box.SetCaption(BoxLabel::Instruction, texts::kPleaseWait);
    box.SetVisible(BoxLabel::Instruction, true);
    link_->EnableTimer(LinkTimer::Comm, true);
    host_->SetAutoPollInterval(1500);
    ApplyLayout(OperatingMode::Monitor);
    pageCntTAVINStatus_->setCurrentIndex(0);
    ovcNesdisID_->setEnabled(false);
    EnableNamed({"PIS", "RzTimedChannel", "RzRandomChannel"}, true);
    session_->ShowProgressBox();
    return true;
}

void TfrmXmtrCfg::ConnectButtons() {
    auto on = [this](const char* name, auto&& action) {
        if (auto* button = findChild<QPushButton*>(name)) {
            connect(button, &QPushButton::clicked, this, action);
        }
    };
    ConfigTransfer& transfer = session_->Transfer();
    StateCommands& state = session_->State();
    on("BtnRefreshAll", [&transfer] { transfer.BtnRefreshAllClick(); });
    on("BtnConfigAll", [&transfer] { transfer.BtnConfigAllClick(); });
    on("BtnSaveConfig", [&transfer] { transfer.BtnSaveConfigClick(); });
    on("BtnRestoreConfig", [&transfer] { transfer.BtnRestoreConfigClick(); });
    on("BtnRestoreFactDefaults", [&transfer] { transfer.BtnRestoreFactDefaultsClick(); });
    on("BtnEnableTx", [&state] { state.BtnEnableTxClick(); });
    on("BtnEnableLogger", [&state] { state.BtnEnableLoggerClick(); });
    on("BtnDisableTx", [&state] { state.BtnDisableTxClick(); });
    on("BtnCheckConfig", [&state] { state.BtnCheckConfigClick(); });
    on("BtnReadClock", [&state] { state.BtnReadClockClick(); });
    on("BtnSetClock", [&state] { state.BtnSetClockClick(); });
    on("btnSetTimePC", [&state] { state.btnSetTimePCClick(); });
    on("BtnReadUTC", [&state] { state.BtnReadUTCClick(); });
    on("BtnSetUTC", [&state] { state.BtnSetUTCClick(); });
    on("BtnCheckLocal", [this] { BtnCheckLocalClick(); });
    on("BtnCheckTemplate", [this] { BtnCheckTemplateClick(); });
    on("BtnAutoPollOn", [this] { ConfigureAutoPoll(); });
    on("BtnDisableAutoPoll", [this] { session_->Supervisor().DisableAutoPoll(); });
    on("btnForceVersionRefresh", [this] { session_->Supervisor().ForceVersionRefresh(); });

    connect(rzSpinUTCCorr_, qOverload<int>(&QSpinBox::valueChanged), this,
            [&state](int value) { state.RzSpinUTCCorrChange(value); });
    connect(rzSpinUTCCorr_, &QSpinBox::editingFinished, this,
            [&state] { state.RzSpinUTCCorrExit(); });

    QtLink* link = link_.get();
    connect(link, &QtLink::windowMessage, this,
            [this](int message, int param) { session_->HandleWindowMessage(message, param); });
    connect(link, &QtLink::configureRestartRequested, this,
            [this] { session_->RestartConfigureSequence(); });
    connect(link, &QtLink::retrieveRestartRequested, this,
            [this] { session_->RestartRetrieveSequence(); });
    connect(link, &QtLink::autoPollConfigureRequested, this, [this] { ConfigureAutoPoll(); });
}

} // namespace tavin

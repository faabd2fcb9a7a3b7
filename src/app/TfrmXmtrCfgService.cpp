// The main window's side of the service windows: the menu items that open
// them with their opening and closing steps, and the SDI-12 sensor query of
// the first page.

#include "app/MainWindowHost.h"
#include "app/ServiceMainWindowHost.h"
#include "app/TfrmXmtrCfg.h"
#include "link/qt/QtLink.h"
#include "protocol/CommandLine.h"
#include "protocol/Vocabulary.h"
#include "service/ServiceWidgets.h"
#include "service/TFormTAVINCal.h"
#include "service/TFormTAVINControl.h"
#include "service/TFormTAVINStatus.h"
#include "service/TFormTAVINTest.h"
#include "service/TFrmSDI12.h"
#include "service/TfrmXmtrCfgErrors.h"
#include "ui/MessageBoxes.h"
#include "workflows/SDI12Query.h"
#include "workflows/ServiceTexts.h"
#include "workflows/Supervision.h"
#include "workflows/TransmitterSession.h"

#include <QAbstractItemView>
#include <QAction>
#include <QBoxLayout>
#include <QGroupBox>
#include <QMenu>
#include <QPushButton>

#include <functional>

namespace tavin {

namespace {

// Opens a service window modally with its reply handler installed, and
// restores the link when it closes. Nothing opens when the window's link
// check fails.
// afterOpen runs once the window owns the link (its first commands).
template <typename Form>
void RunServiceWindow(ServiceWindow kind, TransmitterLink& link, ServiceMainHost& host, Form& form,
                      const std::function<void()>& afterOpen = {}) {
    if (!OpenServiceWindow(kind, link, host,
                           [&form](const std::string& line) { form.PacketHandler(line); })) {
        return;
    }
    if (afterOpen) {
        afterOpen();
    }
    form.exec();
    CloseServiceWindow(link, host);
}

} // namespace

void TfrmXmtrCfg::BuildServiceControls() {
    serviceHost_ = std::make_shared<ServiceMainWindowHost>(*this);

    auto menuItem = [this](const char* name, auto&& action) {
        if (QAction* item = actions_[name]) {
            connect(item, &QAction::triggered, this, action);
        }
    };
    menuItem("MenuTAVINControl", [this] { MenuTAVINControlClick(); });
    menuItem("MenuTAVINStatus", [this] { MenuTAVINStatusClick(); });
    menuItem("MenuTAVINTxTest", [this] { MenuTAVINTxTestClick(); });
    menuItem("MenuTAVINCal", [this] { MenuTAVINCalClick(); });
    // The SDI-12 terminal sits under the direct control window.
    if (auto* advanced = findChild<QMenu*>("MenuAdvanced")) {
        auto* terminal = new QAction("SDI-12 Terminal", advanced);
        terminal->setObjectName("MenuSDI12Terminal");
        actions_["MenuSDI12Terminal"] = terminal;
        advanced->insertAction(actions_["MenuTAVINStatus"], terminal);
        connect(terminal, &QAction::triggered, this, [this] { MenuSDI12TerminalClick(); });
    }

    auto* query = findChild<QGroupBox*>("gbSDI12Query");
    auto* row = query ? qobject_cast<QBoxLayout*>(query->layout()) : nullptr;
    if (!row) {
        return;
    }
    auto* clear = ServiceButton(query, "BtnClearSDI12Query", "Clear");
    auto* view = ServiceButton(query, "BtnViewSDI12Data", "View SDI12 Data");
    view->setVisible(false);
    memoSDI12Query_ = new ServiceMemoEdit(query, "MemoSDI12Query");
    memoSDI12Query_->setMaximumHeight(90);
    row->addWidget(clear);
    row->addWidget(view);
    row->addWidget(memoSDI12Query_, 1);
    connect(clear, &QPushButton::clicked, memoSDI12Query_, &QPlainTextEdit::clear);
    connect(view, &QPushButton::clicked, this, [this] { BtnViewSDI12DataClick(); });
    if (auto* ask = findChild<QPushButton*>("BtnSDI12Query")) {
        connect(ask, &QPushButton::clicked, this, [this] { BtnSDI12QueryClick(); });
    }
    if (auto* next = findChild<QPushButton*>("BtnSDI12NextSample")) {
        next->setToolTip("Next Time an SDI-12 sensor sample will be taken");
        connect(next, &QPushButton::clicked, this, [this] { BtnSDI12NextSampleClick(); });
    }
}

// --- The service windows ----------------------------------------------------------

void TfrmXmtrCfg::MenuTAVINStatusClick() {
    TFormTAVINStatus form(link_->Link(), utility_.ExtendedTables(), *prompter_, this);
    RunServiceWindow(ServiceWindow::Status, link_->Link(), *serviceHost_, form);
}

void TfrmXmtrCfg::MenuTAVINControlClick() {
    TFormTAVINControl form(link_->Link(), *prompter_, this);
    RunServiceWindow(ServiceWindow::Control, link_->Link(), *serviceHost_, form);
}

void TfrmXmtrCfg::MenuSDI12TerminalClick() {
    TFrmSDI12 form(link_->Link(), sdiSeen_, *prompter_, this);
    RunServiceWindow(ServiceWindow::SDI12Terminal, link_->Link(), *serviceHost_, form);
}

void TfrmXmtrCfg::MenuTAVINTxTestClick() {
    TFormTAVINTest form(link_->Link(), *prompter_, this);
    RunServiceWindow(ServiceWindow::TxTest, link_->Link(), *serviceHost_, form);
}

void TfrmXmtrCfg::MenuTAVINCalClick() {
    QtLink* link = link_.get();
    TFormTAVINCal form(
        link->Link(), [link](bool showMessage) { return link->CheckLinkReady(showMessage); },
        *prompter_, this);
    RunServiceWindow(ServiceWindow::Calibration, link->Link(), *serviceHost_, form,
                     [&form] { form.Controller().Open(); });
}

// --- The SDI-12 sensor query --------------------------------------------------------

int TfrmXmtrCfg::CurrentSDI12Row() const {
    // The SDI-12 grid, once it is there, says which row is current.
    if (auto* grid = findChild<QAbstractItemView*>("GridSDI12")) {
        const QModelIndex current = grid->currentIndex();
        if (current.isValid()) {
            return current.row() + 1;
        }
    }
    return currentSDI12Row_;
}

void TfrmXmtrCfg::AppendSDI12Query(const std::string& line) {
    if (memoSDI12Query_) {
        memoSDI12Query_->AppendLine(line);
    }
}

void TfrmXmtrCfg::BtnSDI12QueryClick() {
    const SDI12QueryPlan plan = PlanSDI12Query(config_, CurrentSDI12Row());
    switch (plan.outcome) {
    case SDI12QueryPlan::Outcome::Nothing:
        return;
    case SDI12QueryPlan::Outcome::NoAddress:
        prompter_->ShowInfoBox(texts::kEnterSdiAddress);
        return;
    case SDI12QueryPlan::Outcome::Query:
        break;
    }
    AppendSDI12Query(plan.command);
    link_->Link().QueueCommand(plan.command);
    session_->Supervisor().InstallSDI12SensorQuery();
}

void TfrmXmtrCfg::BtnSDI12NextSampleClick() {
    link_->Link().QueueCommand(BulkQueryCmd(mn::SM));
    session_->Supervisor().InstallSDI12SensorQuery();
}

void TfrmXmtrCfg::BtnViewSDI12DataClick() {
    TfrmXmtrCfgErrors list(this);
    list.AddLines(SDI12TableListing(config_));
    list.exec();
}

} // namespace tavin

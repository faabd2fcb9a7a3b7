// The page set of the main window: showing, enabling and disabling pages,
// and what happens when the user turns to another page.

#include "app/BufferPages.h"
#include "app/MainWindowHost.h"
#include "app/PageButtons.h"
#include "app/TfrmXmtrCfg.h"
#include "editor/GeneralSetupRules.h"
#include "editor/qt/GridView.h"
#include "editor/qt/TxSetupPage.h"
#include "workflows/Supervision.h"
#include "workflows/TransmitterSession.h"

#include <QAbstractItemView>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>

namespace tavin {

namespace {

bool IsSettingPage(const std::string& name) {
    return name == "TabGeneralTxConfiguration" || name == "TabTxSetup";
}

constexpr char kSavedTriggers[] = "tavinEditTriggers";

} // namespace

void TfrmXmtrCfg::AddPageContent(const std::string& page, QWidget* content) {
    auto it = pages_.find(page);
    if (it != pages_.end() && it->second->layout()) {
        it->second->layout()->addWidget(content);
    }
}

void TfrmXmtrCfg::SetPageHooks(const std::string& page, PageHooks hooks) {
    pageHooks_[page] = std::move(hooks);
}

void TfrmXmtrCfg::SetPageShown(const std::string& name, bool shown) {
    auto it = pages_.find(name);
    if (it == pages_.end()) {
        return;
    }
    mainPageControl_->setTabVisible(mainPageControl_->indexOf(it->second), shown);
    pageButtons_->SetShown(it->second, shown);
}

void TfrmXmtrCfg::SetPageEnabled(const std::string& name, bool enabled) {
    auto it = pages_.find(name);
    if (it == pages_.end()) {
        return;
    }
    // The buffer pages show or hide their Insert, Clean Up and check with
    // their page.
    if (bufferPages_) {
        bufferPages_->PageEnabled(name, enabled);
    }
    if (!IsSettingPage(name)) {
        enabled ? TabEnable(name) : TabDisable(name);
        return;
    }
    // A disabled setting page can still be looked at: its fields refuse
    // edits and its caption is greyed.
    it->second->setEnabled(enabled);
    pageEnabled_[name] = enabled;
    pageButtons_->SetGreyed(it->second, !enabled);
}

bool TfrmXmtrCfg::PageEnabled(const std::string& name) const {
    auto it = pageEnabled_.find(name);
    return it != pageEnabled_.end() && it->second;
}

void TfrmXmtrCfg::TabEnable(const std::string& page) {
    SetTablePageEnabled(page, true);
}

void TfrmXmtrCfg::TabDisable(const std::string& page) {
    SetTablePageEnabled(page, false);
}

void TfrmXmtrCfg::SetTablePageEnabled(const std::string& page, bool enabled) {
    auto it = pages_.find(page);
    if (it == pages_.end()) {
        return;
    }
    // Disabled, a grid becomes a list whose rows can only be selected: the
    // shared grids through their rules (no tick either), any other view by
    // its edit triggers, which come back when the page is enabled again.
    for (GridView* grid : it->second->findChildren<GridView*>()) {
        grid->SetReadOnly(!enabled);
    }
    for (QAbstractItemView* view : it->second->findChildren<QAbstractItemView*>()) {
        if (qobject_cast<GridView*>(view)) {
            continue;
        }
        const QVariant saved = view->property(kSavedTriggers);
        if (enabled && saved.isValid()) {
            view->setEditTriggers(QAbstractItemView::EditTriggers(saved.toInt()));
            view->setProperty(kSavedTriggers, QVariant());
        } else if (!enabled) {
            if (!saved.isValid()) {
                view->setProperty(kSavedTriggers, int(view->editTriggers()));
            }
            view->setEditTriggers(QAbstractItemView::NoEditTriggers);
        }
        view->setProperty("pageReadOnly", !enabled);
    }
    pageEnabled_[page] = enabled;
    pageButtons_->SetGreyed(it->second, !enabled);
    if (auto hook = pageHooks_.find(page);
        hook != pageHooks_.end() && hook->second.EnabledChanged) {
        hook->second.EnabledChanged(enabled);
    }
}

bool TfrmXmtrCfg::EditingMode() const {
    return mode_ == OperatingMode::CreateTemplate || mode_ == OperatingMode::ConfigControl;
}

void TfrmXmtrCfg::MainPageControlChange() {
    QWidget* current = mainPageControl_->currentWidget();
    if (!current || !session_) {
        return;
    }
    const std::string page = current->objectName().toStdString();
    Supervision& supervisor = session_->Supervisor();

    // A running SDI-12 query or sensor test ends with the page: the alive
    // poll takes the link back.
    if (supervisor.InstalledProcedure() == PollProcedure::SDI12QueryPoll) {
        host_->ClearSDI12QueryFlag();
        ConfigureAutoPoll();
    }
    if (auto* test = findChild<QAbstractButton*>("cbEnableInternalSensorTests");
        test && test->isChecked()) {
        test->setChecked(false);
        ConfigureAutoPoll();
    }

    // The transmission fields may have been edited without the focus leaving
    // their group: the information lines below read the records.
    txSetup_->StoreTxFields();

    if (page == "TabConfigOptions") {
        MoveUniqueTemplateParamsToTemplate();
        txSetup_->TimedChannel()->setEnabled(config_.TimedEnabled);
        txSetup_->TimedFirstTx()->setEnabled(config_.TimedEnabled);
        txSetup_->RandomChannel()->setEnabled(config_.RandomEnabled);
    } else {
        MoveUniqueTemplateParamsHome();
        txSetup_->TimedChannel()->setEnabled(true);
        txSetup_->TimedFirstTx()->setEnabled(true);
        txSetup_->RandomChannel()->setEnabled(true);
    }

    PageChangeInputs in;
    in.EditingMode = EditingMode();
    if (auto info = pageInfo_.find(page); info != pageInfo_.end()) {
        info->second->setText(QString::fromLatin1(PageInfoLine(page, config_, in).c_str()));
    }
    if (page == "TabGeneralTxConfiguration") {
        RefreshGeneralSetup();
    } else if (page == "TabTxSetup") {
        TabTxSetupEnter();
    } else if (page == "TabARGOSDataPack" && in.EditingMode) {
        const bool usable = ArgosDataPackUsable(config_, in);
        for (QWidget* child : current->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            child->setEnabled(usable);
        }
    }
    // The grids of the page show the model again, then the page's own refresh.
    for (GridView* grid : current->findChildren<GridView*>()) {
        grid->RefreshGrid();
    }
    if (auto hook = pageHooks_.find(page); hook != pageHooks_.end() && hook->second.Refresh) {
        hook->second.Refresh();
    }
}

} // namespace tavin

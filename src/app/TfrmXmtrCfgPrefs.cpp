// The "Preferences" menu item: the dialog, then the settings applied to the
// window in a fixed order, so that what the user typed is kept and every
// page, field and grid follows the new settings and firmware version.

#include "files/qt/TfrmXmtrCfgPrefs.h"
#include "app/TfrmXmtrCfg.h"
#include "editor/EditorNames.h"
#include "editor/qt/TxSetupPage.h"
#include "files/PrefsApplyRules.h"
#include "link/qt/QtLink.h"
#include "workflows/Supervision.h"
#include "workflows/TransmitterSession.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableView>

namespace tavin {

void TfrmXmtrCfg::subItmPrefsClick() {
    StoreTxFieldsBeforePrefs();
    TfrmXmtrCfgPrefs dialog(ini_, utility_.VersionCode(), this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    ini_ = dialog.Accepted();
    ApplyPreferences(dialog.VersionCode());
}

void TfrmXmtrCfg::StoreTxFieldsBeforePrefs() {
    // The dialog may hide or rebuild the transmission page: what the user
    // typed there goes into the model first.
    StoreTxFieldsIfModified();
}

void TfrmXmtrCfg::ApplyPreferences(int versionCode) {
    utility_.SetVersionCode(versionCode, ini_, true);

    config_.RandomTx.ArgosEnabled = ini_.ARGOS_SCD;
    config_.RandomTx.ScdEnabled = ini_.ARGOS_SCD && ini_.SCD;
    SetTAVINTXMode(0);
    actions_["MenuTAVINCal"]->setVisible(ini_.CalOptionVisible);
    ReenterTxSetupPage();
    link_->Link().ShowFeedback = ini_.ShowFeedback;
    if (!ini_.ShowFeedback) {
        xmtMsgStatus_->clear();
    }

    // The pages, the save/restore buttons and the enabling of the setting
    // pages follow the mode that is down; idle shows none of them.
    if (mode_ != OperatingMode::Idle) {
        ApplyLayout(mode_);
    }

    ApplyIntervalPreference();
    if (!ini_.SDI12AllowChars) {
        ClearLetterAddresses(config_);
    }

    ReshapeSensorGrids();
    RefreshConfigViews();
    // The transmitter, not the preference, has the last word on ARGOS/SCD.
    session_->Supervisor().IdentifyPending = true;
}

void TfrmXmtrCfg::ReenterTxSetupPage() {
    // The transmission page lays itself out for the transmission mode when
    // it is entered; when it is the page on show, it is entered again.
    QWidget* page = pages_[names::kTabTxSetup];
    if (mainPageControl_->currentWidget() == page) {
        TabTxSetupEnter();
    }
}

void TfrmXmtrCfg::ApplyIntervalPreference() {
    auto* interval = findChild<QLineEdit*>(names::kTimedTxInterval);
    if (!interval) {
        return;
    }
    const TimedIntervalForm form =
        TimedIntervalForPrefs(ini_.AllowIntervalDays, interval->text().toStdString());
    // The page keeps its own record of the mask, so it sets it.
    txSetup_->SetIntervalDays(form.withDays);
    interval->setText(QString::fromStdString(form.text));
    interval->setToolTip(form.hint);
}

void TfrmXmtrCfg::ReshapeSensorGrids() {
    // The grids' rules read the feature switches: their rows, the Trig and
    // Vec columns follow as soon as they are shown again.
    RefreshSensorViews();
    RefreshBufferViews();
}

} // namespace tavin

// The "Preferences" menu item: the dialog, then the settings applied to the
// window in a fixed order, so that what the user typed is kept and every
// page, field and grid follows the new settings and firmware version.

#include "files/qt/TfrmXmtrCfgPrefs.h"
#include "app/TfrmXmtrCfg.h"
#include "editor/EditorNames.h"
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
    // typed there goes into the model first. The page's own store operations
    // copy the timed fields when timed transmissions are enabled and the
    // random fields when random ones are, each only when the page holds
    // changes (`Modified`); this window has no such fields of its own.
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
        emit mainPageControl_->currentChanged(mainPageControl_->indexOf(page));
    }
}

void TfrmXmtrCfg::ApplyIntervalPreference() {
    auto* interval = findChild<QLineEdit*>(names::kTimedTxInterval);
    if (!interval) {
        return;
    }
    const TimedIntervalForm form =
        TimedIntervalForPrefs(ini_.AllowIntervalDays, interval->text().toStdString());
    interval->setInputMask(form.withDays ? "99:99:99:99" : "99:99:99");
    interval->setToolTip(form.hint);
    interval->setText(QString::fromStdString(form.text));
}

namespace {

void ShapeGrid(QTableView* grid, const SensorGridShape& shape, int trigColumn) {
    grid->setColumnHidden(trigColumn, !shape.trigShown);
    grid->setVerticalScrollBarPolicy(shape.scrollBar ? Qt::ScrollBarAsNeeded
                                                     : Qt::ScrollBarAlwaysOff);
    if (shape.rows == 0 || !grid->model()) {
        for (int row = 0; grid->model() && row < grid->model()->rowCount(); ++row) {
            grid->setRowHidden(row, false);
        }
        return;
    }
    const QModelIndex current = grid->currentIndex();
    if (current.isValid() && current.row() >= shape.rows) {
        grid->setCurrentIndex(grid->model()->index(0, current.column()));
    }
    for (int row = 0; row < grid->model()->rowCount(); ++row) {
        grid->setRowHidden(row, row >= shape.rows);
    }
}

} // namespace

void TfrmXmtrCfg::ReshapeSensorGrids() {
    if (auto* grid = findChild<QTableView*>(names::kGridSDI12)) {
        ShapeGrid(grid, SDI12GridShape(utility_), kSDI12TrigColumn);
    }
    if (auto* grid = findChild<QTableView*>(names::kGridInternSens)) {
        ShapeGrid(grid, InternGridShape(utility_), kInternTrigColumn);
    }
    // The vector average column of the min/max/average grid, found by its
    // heading.
    if (auto* grid = findChild<QTableView*>(names::kGridMinMaxAvg); grid && grid->model()) {
        for (int c = 0; c < grid->model()->columnCount(); ++c) {
            if (grid->model()->headerData(c, Qt::Horizontal).toString() == "Vec") {
                grid->setColumnHidden(c, !utility_.VectorAverageEnabled());
            }
        }
    }
}

} // namespace tavin

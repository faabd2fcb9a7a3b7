#include "app/MainWindowHost.h"

#include "app/StatusPanel.h"
#include "app/TfrmXmtrCfg.h"
#include "files/Preferences.h"
#include "link/OperationBox.h"
#include "link/qt/QtLink.h"
#include "service/TFormOperationInfo.h"
#include "ui/MessageBoxes.h"
#include "workflows/Supervision.h"
#include "workflows/TransmitterSession.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>

namespace tavin {

namespace {

QString Q(const std::string& text) {
    return QString::fromLatin1(text.data(), int(text.size()));
}
std::string S(const QString& text) {
    return text.toLatin1().toStdString();
}

} // namespace

MainWindowHost::MainWindowHost(TfrmXmtrCfg& window) : QObject(&window), w_(window) {
    timerAutoPoll_.setObjectName("TimerAutoPoll");
    timerAutoPoll_.setTimerType(Qt::PreciseTimer);
    timerAutoPoll_.setInterval(1000);
    connect(&timerAutoPoll_, &QTimer::timeout, this, [this] {
        if (w_.session_) {
            w_.session_->Supervisor().TimerAutoPollTimer();
        }
    });
    boxDelay_.setSingleShot(true);
    boxDelay_.setTimerType(Qt::PreciseTimer);
    connect(&boxDelay_, &QTimer::timeout, this, [this] {
        if (w_.session_) {
            w_.session_->ProgressBoxDelayElapsed();
        }
    });
}

MainWindowHost::~MainWindowHost() = default;

// --- Message boxes -----------------------------------------------------------

void MainWindowHost::ShowErrorBox(const std::string& text) {
    if (w_.ini_.SoundOnError) {
        QApplication::beep();
    }
    w_.prompter_->ShowErrorBox(text);
}

void MainWindowHost::ShowInfoBox(const std::string& text) {
    w_.prompter_->ShowInfoBox(text);
}

bool MainWindowHost::AskYesNo(const std::string& text) {
    return w_.prompter_->AskYesNo(text);
}

std::optional<std::string> MainWindowHost::InputBox(const std::string& caption,
                                                    const std::string& prompt,
                                                    const std::string& initial) {
    return w_.prompter_->InputBox(caption, prompt, initial);
}

// --- The progress box --------------------------------------------------------

void MainWindowHost::ShowProgressBox(OperationBox& box, const std::string& caption) {
    // A new box replaces one still showing: the session has already let go
    // of the old one's state, so its dialog ends without touching it again.
    if (dialog_) {
        TFormOperationInfo* old = dialog_;
        dialog_ = nullptr;
        old->hide();
        old->done(mrCancel);
    }
    TFormOperationInfo dialog(box, &w_);
    dialog.setWindowTitle(Q(caption));
    dialog_ = &dialog;
    dialog.exec();
    if (dialog_ == &dialog) {
        dialog_ = nullptr;
    }
}

void MainWindowHost::ProgressBoxChanged(const OperationBox& /*box*/) {
    if (dialog_) {
        dialog_->Refresh();
    }
}

void MainWindowHost::StartBoxDelayTimer(int ms) {
    boxDelay_.start(ms);
}

void MainWindowHost::StopBoxDelayTimer() {
    boxDelay_.stop();
}

void MainWindowHost::ProgressBoxClosed(int result) {
    boxDelay_.stop();
    if (dialog_) {
        dialog_->Finish(result);
    }
}

// --- Views -------------------------------------------------------------------

void MainWindowHost::RefreshConfigViews() {
    w_.RefreshConfigViews();
}

void MainWindowHost::ShowPlatformId(const std::string& id) {
    w_.ovcNesdisID_->setText(Q(id));
}

void MainWindowHost::ChannelsLoaded() {
    w_.RefreshConfigViews();
}

void MainWindowHost::AppendSDI12Query(const std::string& line) {
    w_.AppendSDI12Query(line);
}

void MainWindowHost::UncheckSensorTest() {
    if (auto* test = w_.findChild<QPushButton*>("cbEnableInternalSensorTests")) {
        const bool blocked = test->blockSignals(true);
        test->setChecked(false);
        test->blockSignals(blocked);
    }
}

void MainWindowHost::ReplaceDebugMemo(const std::vector<std::string>& lines) {
    QStringList text;
    for (const std::string& line : lines) {
        text << Q(line);
    }
    w_.memoDebug_->setPlainText(text.join('\n'));
}

void MainWindowHost::FocusControl(const FocusTarget& target) {
    if (target.ShowAdvancedSettings) {
        if (QAction* advanced = w_.actions_["MenuAdvancedSettings"]) {
            advanced->setChecked(true);
        }
    }
    if (!target.Page.empty()) {
        auto it = w_.pages_.find(target.Page);
        if (it != w_.pages_.end()) {
            w_.SetPageShown(target.Page, true);
            w_.mainPageControl_->setCurrentWidget(it->second);
        }
    }
    if (!target.Grid.empty() && target.Row >= 1) {
        if (auto* grid = w_.findChild<QAbstractItemView*>(Q(target.Grid))) {
            if (auto* model = grid->model(); model && target.Row <= model->rowCount()) {
                grid->setCurrentIndex(model->index(target.Row - 1, 0));
            }
        }
    }
    if (!target.Focus.empty()) {
        if (auto* control = w_.findChild<QWidget*>(Q(target.Focus))) {
            control->setFocus();
        }
    }
}

bool MainWindowHost::TabEnabled(const std::string& page) const {
    auto it = w_.pages_.find(page);
    return it != w_.pages_.end() && it->second->isEnabled();
}

void MainWindowHost::ShowClockTime(const std::string& time) {
    w_.findChild<QLineEdit*>("OvcTime")->setText(Q(time));
}

void MainWindowHost::ShowClockDate(const std::string& date) {
    w_.findChild<QLineEdit*>("RzMskEdtDate")->setText(Q(date));
}

void MainWindowHost::ShowClockStatus(const std::string& text) {
    w_.findChild<QLabel*>("LblClockStatus")->setText(Q(text));
}

void MainWindowHost::ShowUTCCorrection(int correction) {
    w_.rzSpinUTCCorr_->setValue(correction);
}

void MainWindowHost::ShowUTCSource(const std::string& text) {
    w_.lblUTCSet_->setText(Q(text));
}

void MainWindowHost::SaveUTCCorrectionPreference() {
    std::string error;
    if (!SaveUTCCorrection(w_.iniPath_, w_.ini_.Correction, &error)) {
        w_.prompter_->ShowErrorBox(error);
    }
}

std::string MainWindowHost::PlatformIdText() const {
    return S(w_.ovcNesdisID_->text());
}

std::string MainWindowHost::ClockTimeText() const {
    return S(w_.findChild<QLineEdit*>("OvcTime")->text());
}

std::string MainWindowHost::ClockDateText() const {
    return S(w_.findChild<QLineEdit*>("RzMskEdtDate")->text());
}

std::string MainWindowHost::UTCCorrectionText() const {
    return S(w_.rzSpinUTCCorr_->cleanText());
}

// --- Supervision -------------------------------------------------------------

void MainWindowHost::SetAutoPollInterval(int ms) {
    timerAutoPoll_.setInterval(ms);
}

void MainWindowHost::EnableAutoPoll(bool enabled) {
    if (!enabled) {
        timerAutoPoll_.stop();
    } else if (!timerAutoPoll_.isActive()) {
        timerAutoPoll_.start();
    }
}

void MainWindowHost::EnableCommTimer() {
    w_.link_->EnableTimer(LinkTimer::Comm, true);
}

bool MainWindowHost::PortOpen() const {
    return w_.link_->PortOpen();
}

int MainWindowHost::PortNumber() const {
    return w_.link_->PortControl().SelectedPort();
}

bool MainWindowHost::MonitorMode() const {
    return w_.modeButtons_.at(OperatingMode::Monitor)->isChecked();
}

StatusTab MainWindowHost::ActiveStatusTab() const {
    return w_.statusPanel_->ActiveTab();
}

void MainWindowHost::ShowCommStatus(const std::string& text) {
    w_.xmtCommStatus_->setText(Q(text));
}

void MainWindowHost::StatusViewChanged() {
    if (w_.session_) {
        w_.statusPanel_->Show(w_.session_->Supervisor().Status());
    }
}

OperationBox* MainWindowHost::OpenProgressBox() {
    return w_.session_ ? w_.session_->ProgressBox() : nullptr;
}

void MainWindowHost::FirmwareLevelChanged(int /*level*/) {
    // The feature switches moved: the pages follow them, and the mode that
    // is down is laid out again for the new features.
    w_.RefreshConfigViews();
    w_.ApplyLayout(w_.mode_);
}

void MainWindowHost::RefreshAllViews() {
    w_.RefreshConfigViews();
}

} // namespace tavin

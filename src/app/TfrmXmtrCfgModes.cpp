// The operating modes, the "Comm" menu and what the link shows on the window.

#include "app/AppTexts.h"
#include "app/BufferPages.h"
#include "app/TfrmXmtrCfg.h"
#include "editor/SDI12GridRules.h"
#include "link/LinkTexts.h"
#include "link/qt/QtLink.h"
#include "support/StringRoutines.h"
#include "ui/MessageBoxes.h"
#include "workflows/Supervision.h"
#include "workflows/TransmitterSession.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>

namespace tavin {

void TfrmXmtrCfg::ConnectLink() {
    QtLink* link = link_.get();
    connect(link, &QtLink::commStatusChanged, xmtCommStatus_, &QLabel::setText);
    connect(link, &QtLink::indicatorChanged, this, [this](bool ok) { ShowIndicator(ok); });
    connect(link, &QtLink::errorBoxRequested, this, [this](const QString& text) {
        prompter_->ShowErrorBox(text.toLatin1().toStdString());
    });
    connect(link, &QtLink::comMenuItemChecked, this, [this](int port) { CheckComMenuItem(port); });
    connect(link, &QtLink::traceLine, memoDebug_, &QPlainTextEdit::appendPlainText);
    connect(link, &QtLink::ringGaugeChanged, barBfr_, &QProgressBar::setValue);
    connect(link, &QtLink::replyFeedback, xmtMsgStatus_, &QLabel::setText);
}

bool TfrmXmtrCfg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Enter && watched != this) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && widget->window() == this && !widget->toolTip().isEmpty()) {
            OnHintToStatusPane(widget->toolTip());
        }
    } else if (event->type() == QEvent::Leave && watched == this) {
        // The mouse has left the window: no control's hint applies.
        paneParameterHint_->clear();
    } else if (event->type() == QEvent::Polish) {
        // Every spin field of the window wraps when its buttons or arrow
        // keys step past an end: up at the maximum gives the minimum, down
        // at the minimum the maximum. Typed values are not affected.
        if (auto* spin = qobject_cast<QAbstractSpinBox*>(watched); spin && spin->window() == this) {
            spin->setWrapping(true);
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TfrmXmtrCfg::OnHintToStatusPane(const QString& hint) {
    bool onMeasurementColumn = false;
    if (auto* grid = findChild<QAbstractItemView*>("GridSDI12")) {
        onMeasurementColumn = grid->currentIndex().column() == SDI12GridRules::kMeasurement;
    }
    if (auto text = HintToStatusPane(hint.toLatin1().toStdString(), onMeasurementColumn)) {
        paneParameterHint_->setText(QString::fromLatin1(text->c_str()));
    }
}

void TfrmXmtrCfg::CheckComMenuItem(int port) {
    const char* name = "miComOther";
    static const char* const kNames[] = {"miComNone", "miCOM1", "miCOM2", "miCOM3", "miCOM4",
                                         "miCOM5",    "miCOM6", "miCOM7", "miCOM8"};
    if (port >= 0 && port <= 8) {
        name = kNames[port];
    }
    actions_[name]->setChecked(true);
}

void TfrmXmtrCfg::miComClick(int port) {
    CheckComMenuItem(port);
    ComPortControl& control = link_->PortControl();
    control.InitComPort(port);
    const int selected = control.SelectedPort();
    if (selected == 0) {
        session_->Supervisor().Status().PlatformIdCaption = texts::kPlatformId;
        session_->Supervisor().ClearStatusInformation();
        link_->Link().SetIndicator(IndicatorLook::Error);
        link_->EnableTimer(LinkTimer::Comm, false);
        link_->Link().ConfiguringAll = false;
        link_->Link().RetrievingAll = false;
        link_->Link().ListXmitCmd.clear();
        link_->Link().ReleaseCurrentCommand();
    }
    ini_.ComNum = selected;
    control.ComNum = selected;
}

void TfrmXmtrCfg::miComOtherClick() {
    ComPortControl& control = link_->PortControl();
    const auto text = prompter_->InputBox(texts::kSelectComPortCaption, texts::kEnterComPort,
                                          std::to_string(control.SelectedPort()));
    if (!text) {
        CheckComMenuItem(control.SelectedPort());
        return;
    }
    const std::string trimmed = StripChar(*text, ' ');
    if (!IsIntegerText(trimmed, true) || trimmed.size() > 18) {
        prompter_->ShowErrorBox("'" + *text + texts::kNotAValidInteger);
        CheckComMenuItem(control.SelectedPort());
        return;
    }
    const long long port = std::stoll(trimmed);
    if (auto error = PortNumberError(port)) {
        prompter_->ShowErrorBox(*error);
        CheckComMenuItem(control.SelectedPort());
        return;
    }
    // The preference keeps the last port chosen from the fixed items.
    control.InitComPort(static_cast<int>(port));
}

ModeLayoutInputs TfrmXmtrCfg::LayoutInputs() const {
    ModeLayoutInputs in;
    in.DownloadSave = ini_.DownloadSave;
    in.ModifyOnDownload = ini_.ModifyOnDownload;
    in.LoggerModeEnabled = utility_.LoggerModeEnabled();
    in.EquationsEnabled = utility_.EquationsEnabled();
    in.MinMaxAvgEnabled = utility_.MinMaxAvgEnabled();
    in.TdfTabVisible = ini_.TdfTabVisible;
    in.RdfTabVisible = ini_.RdfTabVisible;
    in.RandomDataSourceSet = config_.RandomTx.DataSource != 0;
    in.SDI12Visible = ini_.SDI12Visible;
    in.InternalTabVisible = ini_.InternalTabVisible;
    in.ArgosScd = ini_.ARGOS_SCD;
    in.CalOptionVisible = ini_.CalOptionVisible;
    return in;
}

void TfrmXmtrCfg::ApplyLayout(OperatingMode mode) {
    const ModeLayout layout = LayoutForMode(mode, LayoutInputs());
    // Monitoring is mostly the status panel: it takes the width the mode
    // buttons do not need.
    if (auto* grid = qobject_cast<QGridLayout*>(pages_["TabConfigOptions"]->layout())) {
        grid->setColumnStretch(0, mode == OperatingMode::Monitor ? 0 : 1);
        grid->setColumnStretch(2, mode == OperatingMode::Monitor ? 1 : 0);
        // Monitoring shows the status panel across the page, under the mode
        // buttons, so that all its tabs fit beside each other; the places it
        // spans hold only fields Monitor mode hides.
        grid->removeWidget(gbTAVINInfo_);
        if (mode == OperatingMode::Monitor) {
            grid->addWidget(gbTAVINInfo_, 3, 0, 2, 3);
        } else {
            grid->addWidget(gbTAVINInfo_, 0, 2, 4, 1);
        }
    }
    for (const ItemState& item : layout.shown) {
        if (item.change == ItemChange::Unchanged) {
            continue;
        }
        if (auto* w = findChild<QWidget*>(QString::fromStdString(item.name))) {
            w->setVisible(item.change == ItemChange::On);
        }
    }
    for (const ItemState& item : layout.menus) {
        auto it = actions_.find(item.name);
        if (it != actions_.end()) {
            it->second->setEnabled(item.change == ItemChange::On);
        }
    }
    for (const PageState& page : layout.pages) {
        SetPageShown(page.name, page.shown);
        SetPageEnabled(page.name, page.enabled);
    }
    actions_["MenuTAVINCal"]->setVisible(layout.calibrationMenuVisible);
    ShowDataPackTab();
    const int port = link_->PortControl().SelectedPort();
    xmtCommStatus_->setText(port == 0 ? QString(texts::kComNone)
                                      : texts::kCom + QString::number(port));
}

void TfrmXmtrCfg::ShowDataPackTab() {
    // The data pack belongs to ARGOS operation: the transmission mode, which
    // follows the unit, decides, and only while a mode button is down.
    SetPageShown("TabARGOSDataPack",
                 mode_ != OperatingMode::Idle && txType_.Mode() != TTAVINTXType::kGoes);
}

void TfrmXmtrCfg::EnableNamed(std::initializer_list<const char*> names, bool on) {
    for (const char* name : names) {
        if (auto* w = findChild<QWidget*>(name)) {
            w->setEnabled(on);
        }
    }
}

void TfrmXmtrCfg::DefaultHide() {
    mode_ = OperatingMode::Idle;
    link_->Link().ListXmitCmd.clear();
    link_->Link().ReleaseCurrentCommand();
    ConfigureAutoPoll();
    EnableNamed({"TimedFirstTx", "PIS", "RzTimedChannel", "RzRandomChannel"}, false);
    lblUTCSet_->clear();
    ApplyLayout(OperatingMode::Idle);
}

void TfrmXmtrCfg::ModeButtonClicked(OperatingMode mode, bool down) {
    // The buttons are set from here without running this again: it answers
    // the toggle of one button, by mouse, keyboard or accessibility alike.
    auto setDown = [this](OperatingMode which, bool on) {
        QToolButton* button = modeButtons_[which];
        const QSignalBlocker quiet(button);
        button->setChecked(on);
    };
    if (mode == OperatingMode::Monitor && identifying_) {
        setDown(mode, true);
        return;
    }
    if (!down) {
        DefaultHide();
        return;
    }
    for (auto& [other, button] : modeButtons_) {
        if (other != mode) {
            setDown(other, false);
        }
    }
    if (!EnterMode(mode)) {
        setDown(mode, false);
        DefaultHide();
    }
}

bool TfrmXmtrCfg::EnterMode(OperatingMode mode) {
    TransmitterLink& link = link_->Link();
    auto enable = [this](std::initializer_list<const char*> names, bool on) {
        EnableNamed(names, on);
    };
    switch (mode) {
    case OperatingMode::CreateTemplate:
        link_->EnableTimer(LinkTimer::Comm, true);
        ConfigureAutoPoll();
        link.ReleaseCurrentCommand();
        enable({"RzTimedChannel", "RzRandomChannel", "TimedFirstTx", "PIS"}, true);
        break;
    case OperatingMode::ConfigFromTemplate:
        if (!ini_.WorkOffline && !link_->CheckLinkReady(true)) {
            return false;
        }
        link_->EnableTimer(LinkTimer::Comm, true);
        ConfigureAutoPoll();
        enable({"PIS", "OvcNesdisID"}, true);
        MoveUniqueTemplateParamsToTemplate();
        enable({"RzTimedChannel", "TimedFirstTx"}, config_.TimedEnabled);
        enable({"RzRandomChannel"}, config_.RandomEnabled);
        break;
    case OperatingMode::ConfigControl:
        ConfigureAutoPoll();
        if (!ini_.WorkOffline && !link_->CheckLinkReady(true)) {
            return false;
        }
        link_->EnableTimer(LinkTimer::Comm, true);
        enable({"TimedFirstTx", "OvcNesdisID", "PIS", "RzTimedChannel", "RzRandomChannel"}, true);
        if (auto* test = findChild<QAbstractButton*>("cbEnableInternalSensorTests")) {
            test->setChecked(false);
        }
        break;
    case OperatingMode::Monitor:
        return EnterMonitorMode();
    case OperatingMode::Idle:
        DefaultHide();
        return true;
    }
    mode_ = mode;
    ApplyLayout(mode);
    return true;
}

} // namespace tavin

// The setting pages in the main window: building them, the operations other
// parts call on them, the clearings, "Advanced Settings", the platform id,
// the station values of a template and the window's placement.

#include "app/AppTexts.h"
#include "app/BufferPages.h"
#include "app/TfrmXmtrCfg.h"
#include "app/WindowPlacement.h"
#include "editor/GeneralSetupRules.h"
#include "editor/qt/GeneralSetupPage.h"
#include "editor/qt/TxSetupPage.h"
#include "files/IniFile.h"
#include "link/qt/QtLink.h"
#include "protocol/CommandLine.h"
#include "protocol/Vocabulary.h"
#include "ui/MessageBoxes.h"
#include "workflows/Supervision.h"
#include "workflows/TransmitterSession.h"

#include <QAction>
#include <QGroupBox>
#include <QLayout>
#include <QLineEdit>
#include <QScreen>
#include <QSpinBox>
#include <QWindow>

namespace tavin {

namespace {

constexpr char kSelectChannelCaption[] = "Select Channel";
constexpr char kSelectChannelPrompt[] = "ARGOS/SCD Channel";

// The opening size when nothing is remembered: every page's controls fit.
constexpr int kDefaultWidth = 1300;
constexpr int kDefaultHeight = 700;

void MoveInto(QWidget* field, const char* slotName, QWidget* root, bool first = false) {
    auto* slot = root->findChild<QWidget*>(slotName);
    if (!slot || !slot->layout() || field->parentWidget() == slot) {
        return;
    }
    // A moved field is shown at once unless it was hidden on purpose.
    const bool hidden = field->isHidden();
    if (auto* box = qobject_cast<QBoxLayout*>(slot->layout()); box && first) {
        box->insertWidget(0, field);
    } else {
        slot->layout()->addWidget(field);
    }
    field->setVisible(!hidden);
}

} // namespace

void TfrmXmtrCfg::BuildSettingPages() {
    generalSetup_ = new GeneralSetupPage(config_, pages_["TabGeneralTxConfiguration"]);
    AddPageContent("TabGeneralTxConfiguration", generalSetup_);
    pis_ = generalSetup_->PIS();
    connect(generalSetup_, &GeneralSetupPage::argosTicked, this,
            [this](bool on) { cbEnableARGOSSCDClick(on); });
    connect(generalSetup_, &GeneralSetupPage::transmissionTypeChanged, this,
            [this] { SetTAVINTXMode(0); });

    TxSetupPageHost host;
    host.Inputs = [this] {
        TxSetupInputs in;
        in.MonitorMode = mode_ == OperatingMode::Monitor;
        in.TemplateLocked = mode_ == OperatingMode::ConfigFromTemplate && !ini_.ModifyOnDownload;
        return in;
    };
    host.SetPageShown = [this](const std::string& page, bool shown) {
        // Outside the modes no table page is offered.
        if (mode_ != OperatingMode::Idle || !shown) {
            SetPageShown(page, shown);
        }
    };
    host.ShowInfoBox = [this](const std::string& text) { prompter_->ShowInfoBox(text); };
    host.SelectArgosChannel = [this](const std::string& current) -> std::optional<std::string> {
        if (bufferPages_) {
            return bufferPages_->SelectArgosScdChannel(current, this);
        }
        return prompter_->InputBox(kSelectChannelCaption, kSelectChannelPrompt, current);
    };
    txSetup_ = new TxSetupPage(config_, ini_, std::move(host), pages_["TabTxSetup"]);
    AddPageContent("TabTxSetup", txSetup_);
    // The buffer grids show their slope and offset columns by data format.
    connect(txSetup_, &TxSetupPage::timedDataFormatChanged, this, [this](int format) {
        if (bufferPages_) {
            bufferPages_->TimedDataFormatChanged(format);
        }
    });
    connect(txSetup_, &TxSetupPage::randomDataFormatChanged, this, [this](int format) {
        if (bufferPages_) {
            bufferPages_->RandomDataFormatChanged(format);
        }
    });

    connect(ovcNesdisID_, &QLineEdit::textChanged, this,
            [this](const QString& text) { OvcNesdisIDChange(text); });
    QAction* advanced = actions_["MenuAdvancedSettings"];
    connect(advanced, &QAction::toggled, this, [this] { MenuAdvancedSettingsClick(); });
}

void TfrmXmtrCfg::RefreshGeneralSetup() {
    GeneralSetupInputs in;
    in.AdvancedSettings = AdvancedSettings();
    in.SlashFillEnabled = utility_.SlashFillEnabled();
    in.TimeZoneEnabled = utility_.TimeZoneEnabled();
    in.LoggerModeEnabled = utility_.LoggerModeEnabled();
    generalSetup_->RefreshGeneralSetup(in);
}

void TfrmXmtrCfg::TabTxSetupEnter() {
    txSetup_->TabTxSetupEnter();
}

void TfrmXmtrCfg::LoadTimedTxFields() {
    txSetup_->LoadTimedTxFields();
}

void TfrmXmtrCfg::StoreTimedTxFields() {
    txSetup_->StoreTimedTxFields();
}

void TfrmXmtrCfg::StoreRandomTxFields() {
    txSetup_->StoreRandomTxFields();
}

void TfrmXmtrCfg::StoreTxFieldsIfModified() {
    if (Modified()) {
        StoreTimedTxFields();
        StoreRandomTxFields();
    }
}

bool TfrmXmtrCfg::Modified() const {
    return config_.TimedTx.Modified || config_.RandomTx.Modified;
}

void TfrmXmtrCfg::cbEnableARGOSSCDClick(bool on) {
    if (on) {
        SetPageShown("TabTimedDataFormat", false);
    } else if (mode_ != OperatingMode::Idle) {
        SetPageShown("TabTimedDataFormat", ini_.TdfTabVisible);
    }
}

void TfrmXmtrCfg::ClearGeneralSetupParams() {
    config_.ClearGeneralSettings(ini_);
    SetTAVINTXMode(0);
    RefreshGeneralSetup();
}

void TfrmXmtrCfg::ClearTimedTxParams() {
    txSetup_->SetTimedChecked(false, true);
    config_.ClearTimed();
}

void TfrmXmtrCfg::ClearRandomTxParams() {
    txSetup_->SetRandomChecked(false, true);
    config_.ClearRandom();
}

void TfrmXmtrCfg::ClearStatusInformation() {
    session_->Supervisor().ClearStatusInformation();
}

bool TfrmXmtrCfg::AdvancedSettings() const {
    auto it = actions_.find("MenuAdvancedSettings");
    return it != actions_.end() && it->second->isChecked();
}

void TfrmXmtrCfg::MenuAdvancedSettingsClick() {
    const bool on = AdvancedSettings();
    parse_.AdvancedSettings = on;
    RefreshGeneralSetup();
    if (!on) {
        return;
    }
    link_->EnableTimer(LinkTimer::Comm, true);
    // The advanced fields show what the transmitter holds.
    if (mode_ == OperatingMode::Monitor || mode_ == OperatingMode::ConfigControl) {
        for (std::string_view mnemonic : {mn::IRC, mn::TXP, mn::GTC, mn::GOC, mn::GTO}) {
            link_->Link().QueueCommand(QueryCmd(mnemonic));
        }
    }
}

void TfrmXmtrCfg::OvcNesdisIDChange(const QString& text) {
    StorePlatformId(config_, text.toLatin1().toStdString());
}

void TfrmXmtrCfg::MoveUniqueTemplateParamsToTemplate() {
    MoveInto(txSetup_->TimedChannel(), "RzTimedChannelTemplate", this);
    MoveInto(txSetup_->TimedFirstTx(), "TimedFirstTxTemplate", this);
    MoveInto(txSetup_->RandomChannel(), "RzRandomChannelTemplate", this);
    MoveInto(generalSetup_->PIS(), "PISTemplate", this);
}

void TfrmXmtrCfg::MoveUniqueTemplateParamsHome() {
    MoveInto(txSetup_->TimedChannel(), "RzTimedChannelHome", this);
    MoveInto(txSetup_->TimedFirstTx(), "TimedFirstTxHome", this);
    MoveInto(txSetup_->RandomChannel(), "RzRandomChannelHome", this, true);
    MoveInto(generalSetup_->PIS(), "PISHome", this);
}

void TfrmXmtrCfg::RestorePlacement() {
    IniFile doc;
    doc.Load(iniPath_);
    const QScreen* screen = this->screen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1366, 768);
    // The place is the frame's, the size the inside's: the title bar takes
    // some of the height.
    constexpr int kTitleBar = 32;
    const WindowPlacement screenArea{area.left(), area.top(), area.width(),
                                     area.height() - kTitleBar, false};
    WindowPlacement wanted{area.left() + 20, area.top(), kDefaultWidth, kDefaultHeight, false};
    const auto saved = ReadWindowPlacement(doc);
    if (saved) {
        wanted = *saved;
    }
    const WindowPlacement fit = FitOnScreen(wanted, screenArea, 640, 480);
    resize(fit.Width, fit.Height);
    move(fit.Left, fit.Top);
    if (saved && saved->Maximized) {
        setWindowState(windowState() | Qt::WindowMaximized);
    }
}

void TfrmXmtrCfg::SavePlacement() {
    WindowPlacement placement{x(), y(), width(), height(), isMaximized()};
    if (isMaximized() && normalGeometry().isValid()) {
        const QRect normal = normalGeometry();
        placement = {normal.left(), normal.top(), normal.width(), normal.height(), true};
    }
    IniFile doc;
    if (doc.Load(iniPath_) == IniFile::LoadResult::Unreadable) {
        return;
    }
    WriteWindowPlacement(doc, placement);
    doc.Save(iniPath_);
}

} // namespace tavin

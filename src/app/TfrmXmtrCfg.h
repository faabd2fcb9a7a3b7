#pragma once
// The main window: it owns the link, the configuration, the preferences and
// the feature switches, and shows them on a row of pages. Its life cycle
// (creation, first show, close) runs in a fixed order; the operating mode
// buttons decide which pages and controls are offered.

#include "app/ModeLayout.h"
#include "app/TAVINTXType.h"
#include "protocol/GlbIni.h"
#include "protocol/ParseContext.h"
#include "protocol/UtilityControl.h"
#include "protocol/XmtrConfig.h"

#include <QMainWindow>

#include <map>
#include <memory>
#include <string>

class QAction;
class QActionGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QToolButton;
class QWidget;

namespace tavin {

class MainWindowHost;
class Prompter;
class QtLink;
class StatusPanel;
class TransmitterSession;

struct MainWindowOptions {
    // The preferences file; empty = beside the program.
    std::string iniPath;
    // The folder empty folder preferences stand for; empty = the program's.
    std::string programFolder;
    // Who shows the message boxes; null = real boxes.
    Prompter* prompter = nullptr;
};

class TfrmXmtrCfg : public QMainWindow {
    Q_OBJECT
public:
    explicit TfrmXmtrCfg(QWidget* parent = nullptr);
    explicit TfrmXmtrCfg(const MainWindowOptions& options, QWidget* parent = nullptr);
    ~TfrmXmtrCfg() override;

    QTabWidget* MainPageControl() const { return mainPageControl_; }
    QtLink& Link() { return *link_; }
    TransmitterSession& Session() { return *session_; }
    MainWindowHost& Host() { return *host_; }
    XmtrConfig& Config() { return config_; }
    TGlbIni& GlbIni() { return ini_; }
    TUtilityControl& UtilityControl() { return utility_; }
    TTAVINTXType& TxType() { return txType_; }
    const std::string& IniPath() const { return iniPath_; }
    OperatingMode Mode() const { return mode_; }

    // Derives the transmission mode from the configuration (0) or sets it.
    void SetTAVINTXMode(int mode);
    // The idle layout: no mode button down.
    void DefaultHide();
    // The "Comm" menu's fixed items (0 = "None", 1..8) and "Other ...".
    void miComClick(int port);
    void miComOtherClick();
    // The file menu's configuration commands.
    void subItmOpenConfigClick();
    void subItmSaveConfigClick();
    // Templates and the local checks.
    void MenuNewTemplateClick();
    void MenuOpenTemplateClick();
    void MenuSaveTemplateClick();
    void BtnCheckLocalClick();
    void BtnCheckTemplateClick();

protected:
    void showEvent(QShowEvent* event) override;
    // Hints of the window's controls go to the status pane.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    friend class MainWindowHost;

    void FormCreate();
    void FormShow();
    bool FormCloseQuery();

    void BuildMenus();
    void BuildPages();
    void BuildConfigOptionsPage(QWidget* page);
    void BuildStatusBar();
    void ConnectLink();
    void ConnectReconnect();
    void ConnectButtons();
    // The fields this window shows of the configuration follow the model.
    void RefreshConfigViews();

    void TAVINTXModeChanged(TTAVINTXType& type);
    void ModeButtonClicked(OperatingMode mode, bool down);
    bool EnterMode(OperatingMode mode);
    void ApplyLayout(OperatingMode mode);
    ModeLayoutInputs LayoutInputs() const;
    void ShowDataPackTab();
    void SetPageShown(const std::string& name, bool shown);
    void SetPageEnabled(const std::string& name, bool enabled);
    void CheckComMenuItem(int port);
    void ShowIndicator(bool ok);
    void OnHintToStatusPane(const QString& hint);
    void ShowAboutBox(bool autoClose);
    // Reports a local or template check; Yes on an error goes to the field.
    void ReportCheck(bool isTemplate);
    // Asks for a file and writes the model to it as a configuration or a
    // template, remembering where.
    void SaveModelToFile(bool asTemplate);
    // Idle polling follows the mode and the port.
    void ConfigureAutoPoll();
    bool EnterMonitorMode();

    MainWindowOptions options_;
    std::unique_ptr<Prompter> ownPrompter_;
    Prompter* prompter_ = nullptr;
    std::string iniPath_;
    std::string programFolder_;
    bool shownOnce_ = false;
    bool closing_ = false;

    TGlbIni ini_;
    TUtilityControl utility_;
    XmtrConfig config_;
    TTAVINTXType txType_;
    OperatingMode mode_ = OperatingMode::Idle;
    bool identifying_ = false;
    ParseContext parse_;
    std::unique_ptr<QtLink> link_;
    std::unique_ptr<MainWindowHost> host_;
    std::unique_ptr<TransmitterSession> session_;
    StatusPanel* statusPanel_ = nullptr;

    QTabWidget* mainPageControl_ = nullptr;
    std::map<std::string, QWidget*> pages_;
    std::map<std::string, QString> pageCaptions_;
    std::map<OperatingMode, QToolButton*> modeButtons_;
    std::map<std::string, QAction*> actions_;
    QActionGroup* comGroup_ = nullptr;

    QGroupBox* gbPlatformID_ = nullptr;
    QLineEdit* ovcNesdisID_ = nullptr;
    QLineEdit* pis_ = nullptr;
    QSpinBox* rzSpinUTCCorr_ = nullptr;
    QLabel* lblUTCSet_ = nullptr;
    QGroupBox* gbTAVINInfo_ = nullptr;
    QTabWidget* pageCntTAVINStatus_ = nullptr;
    QPlainTextEdit* memoDebug_ = nullptr;
    QProgressBar* barBfr_ = nullptr;
    QLabel* rzCommOK_ = nullptr;
    QLabel* xmtCommStatus_ = nullptr;
    QLabel* paneParameterHint_ = nullptr;
    QLabel* xmtMsgStatus_ = nullptr;
};

} // namespace tavin

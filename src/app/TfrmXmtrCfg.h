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

#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <string>

class QAction;
class QActionGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QToolButton;
class QWidget;

namespace tavin {

class BufferPages;
class EquationsPage;
class GeneralSetupPage;
class InternalSensorsPage;
class MainWindowHost;
class MinMaxAvgPage;
class PageButtons;
class TxSetupPage;
class Prompter;
class SDI12Page;
class QtLink;
class ServiceMainWindowHost;
class ServiceMemoEdit;
class StatusPanel;
class TransmitterSession;

// What a table page lets the window call on it. Every member may be empty.
struct PageHooks {
    // The page has become the current one: its grid shows the model again.
    std::function<void()> Refresh;
    // The page was enabled or disabled: the grid's rules follow (read-only),
    // and the buffer pages rearrange their Insert, Clean Up and buffer check
    // controls.
    std::function<void(bool enabled)> EnabledChanged;
};

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
    // The data buffer pages, the buffer check and their reactions.
    BufferPages& Buffers();

    // Derives the transmission mode from the configuration (0) or sets it.
    void SetTAVINTXMode(int mode);

    // --- Pages ------------------------------------------------------------------
    // Puts a page's content below its information line (one call per page).
    void AddPageContent(const std::string& page, QWidget* content);
    void SetPageHooks(const std::string& page, PageHooks hooks);
    void SetPageShown(const std::string& name, bool shown);
    // Setting pages are enabled or disabled as a whole; table pages through
    // TabEnable / TabDisable.
    void SetPageEnabled(const std::string& name, bool enabled);
    bool PageEnabled(const std::string& name) const;
    // A table page: its grids accept edits and its caption is drawn normally,
    // or its grids become read-only lists and its caption is greyed.
    void TabEnable(const std::string& page);
    void TabDisable(const std::string& page);
    void EquationTabEnable() { TabEnable("TabEquations"); }
    void EquationTabDisable() { TabDisable("TabEquations"); }
    void SDI12TabEnable() { TabEnable("TabSDI12"); }
    void SDI12TabDisable() { TabDisable("TabSDI12"); }
    void InternSensTabEnable() { TabEnable("TabInternalSensors"); }
    void InternSensTabDisable() { TabDisable("TabInternalSensors"); }
    void MinMaxAvgTabEnable() { TabEnable("TabMinMaxAvg"); }
    void MinMaxAvgTabDisable() { TabDisable("TabMinMaxAvg"); }
    void TimedDataTabEnable() { TabEnable("TabTimedDataFormat"); }
    void TimedDataTabDisable() { TabDisable("TabTimedDataFormat"); }
    void RandomDataTabEnable() { TabEnable("TabRandomDataFormat"); }
    void RandomDataTabDisable() { TabDisable("TabRandomDataFormat"); }
    void RandomTrigTabEnable() { TabEnable("TabRandomTrigger"); }
    void RandomTrigTabDisable() { TabDisable("TabRandomTrigger"); }
    void ARGOSTabEnable() { TabEnable("TabARGOSDataPack"); }
    void ARGOSTabDisable() { TabDisable("TabARGOSDataPack"); }
    // Runs whenever another page becomes the current one.
    void MainPageControlChange();

    // --- The setting pages --------------------------------------------------------
    void RefreshGeneralSetup();
    void TabTxSetupEnter();
    void LoadTimedTxFields();
    void StoreTimedTxFields();
    void StoreRandomTxFields();
    // Both records catch up with the transmission fields when either holds changes.
    void StoreTxFieldsIfModified();
    bool Modified() const;
    GeneralSetupPage& GeneralSetup() { return *generalSetup_; }
    TxSetupPage& TxSetup() { return *txSetup_; }
    // The editor side of the clearings.
    void ClearGeneralSetupParams();
    void ClearTimedTxParams();
    void ClearRandomTxParams();
    void ClearStatusInformation();
    // The "Advanced Settings" menu item's tick.
    bool AdvancedSettings() const;
    void MenuAdvancedSettingsClick();
    // The station values move into the template group on the start page, and back.
    void MoveUniqueTemplateParamsToTemplate();
    void MoveUniqueTemplateParamsHome();
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
    // The service windows (TfrmXmtrCfgService.cpp) and the SDI-12 query.
    void MenuTAVINStatusClick();
    void MenuTAVINControlClick();
    void MenuSDI12TerminalClick();
    void MenuTAVINTxTestClick();
    void MenuTAVINCalClick();
    void BtnSDI12QueryClick();
    void BtnSDI12NextSampleClick();
    void BtnViewSDI12DataClick();
    void AppendSDI12Query(const std::string& line);
    // The SDI-12 grid's current row, 1 for the first sensor, which "Query
    // Sensor" asks; read from `GridSDI12` when the grid is there.
    void SetCurrentSDI12Row(int row);
    int CurrentSDI12Row() const;
    bool Identifying() const { return identifying_; }
    // "TAVIN Sensor Log": the data log window, modal.
    void MenuTAVINSensorLogClick();
    // "Preferences": the dialog, then its settings applied to the window.
    void subItmPrefsClick();

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
    // The sensor pages (TfrmXmtrCfgSensors.cpp).
    void BuildSensorPages();
    void RefreshSensorViews();
    void GridEquationsButtonClick(int row);
    void cbEnableInternalSensorTestsClick(bool on);
    void QueueInternalSensorTest(const std::string& command);
    void AppendInternalSensorTest(const std::string& line);
    void UncheckInternalSensorTest();
    // The data buffer pages (TfrmXmtrCfgBuffers.cpp).
    void BuildBufferPages();
    void RefreshBufferViews();

    void TAVINTXModeChanged(TTAVINTXType& type);
    void ModeButtonClicked(OperatingMode mode, bool down);
    bool EnterMode(OperatingMode mode);
    void ApplyLayout(OperatingMode mode);
    ModeLayoutInputs LayoutInputs() const;
    void ShowDataPackTab();
    void BuildSettingPages();
    void OvcNesdisIDChange(const QString& text);
    void cbEnableARGOSSCDClick(bool on);
    bool EditingMode() const;
    void SetTablePageEnabled(const std::string& page, bool enabled);
    // Enables or disables the controls of these names.
    void EnableNamed(std::initializer_list<const char*> names, bool on);
    // The window's size and place between runs.
    void RestorePlacement();
    void SavePlacement();
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
    void BuildServiceControls();

    // Applying the preferences (TfrmXmtrCfgPrefs.cpp).
    void ApplyPreferences(int versionCode);
    void StoreTxFieldsBeforePrefs();
    void ReenterTxSetupPage();
    void ApplyIntervalPreference();
    void ReshapeSensorGrids();
    // The Help menu's own items after "About".
    void AddHelpItems(QMenu* help);
    void ShowHelpText(const char* name);

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
    std::unique_ptr<BufferPages> bufferPages_;
    std::shared_ptr<ServiceMainWindowHost> serviceHost_;
    int currentSDI12Row_ = 1;
    // Set by the first reply that carries "SDI=", for as long as the program runs.
    bool sdiSeen_ = false;
    ServiceMemoEdit* memoSDI12Query_ = nullptr;
    SDI12Page* sdi12Page_ = nullptr;
    InternalSensorsPage* internalSensorsPage_ = nullptr;
    MinMaxAvgPage* minMaxAvgPage_ = nullptr;
    EquationsPage* equationsPage_ = nullptr;

    QTabWidget* mainPageControl_ = nullptr;
    std::map<std::string, QWidget*> pages_;
    std::map<std::string, QString> pageCaptions_;
    std::map<std::string, PageHooks> pageHooks_;
    std::map<std::string, bool> pageEnabled_;
    std::map<std::string, QLabel*> pageInfo_;
    PageButtons* pageButtons_ = nullptr;
    GeneralSetupPage* generalSetup_ = nullptr;
    TxSetupPage* txSetup_ = nullptr;
    QWidget* currentPage_ = nullptr;
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

#pragma once
// The data log window "TAVIN Data Log": retrieves the transmitter's log in
// full or filtered, sets and shows the log filters, erases the log, and keeps
// what it got in a memo that can be saved and opened again, with a plot of
// the decoded samples beside it. The logic is DataLogController; this window
// shows its controls and turns the user's actions into its calls.

#include "datalog/DataLogController.h"
#include "datalog/LogPlotData.h"
#include "datalog/qt/LogBoxDialog.h"

#include <QDialog>
#include <QTimer>

#include <memory>
#include <optional>
#include <string>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;

namespace tavin {

class LinkHost;
class LogMemo;
class LogPlotView;
class Prompter;
class TFormDataLogHost;
class TransmitterLink;

class TFormDataLog : public QDialog {
    Q_OBJECT
public:
    // The largest file "Open" reads.
    static constexpr qint64 kMaxLogFileBytes = 128 * 1024 * 1024;

    // The window borrows the main window's link: commands go to its queue,
    // the abort bytes straight to its port.
    TFormDataLog(TransmitterLink& link, LinkHost& port, Prompter& prompter, LogBoxFactory boxes,
                 DataLogSettings settings, QWidget* parent = nullptr);
    ~TFormDataLog() override;

    // Each framed reply line while the window is open (the main window's
    // ReplyHandler).
    void PacketHandler(const std::string& line);

    DataLogController& Logic() { return *logic_; }
    const DataLogSettings& Settings() const { return logic_->Settings(); }
    LogMemo& Memo() { return *memoDataLog_; }
    QTimer& TimerReceive() { return timerReceive_; }
    const LogPlotData& PlotData() const { return plotData_; }
    LogPlotView& Plot() { return *plot_; }
    TFormDataLogHost& Host() { return *host_; }

    // The controls show the logic's filters and sensor lists again.
    void ShowFilters();
    // The diagnostic memo of hex text not yet decoded (when shown).
    void ShowBacklog(std::string_view backlog);
    // The records of a retrieval, for the plot.
    void PlotDataStarting();
    void PlotRecord(const LogRecord& record);
    void RecordsFinished();
    // The save dialog for the log file or the memo, starting at a path such
    // as "folder/*.txt".
    std::optional<std::string> AskSaveFile(const std::string& initialPath);

    // The window's actions, as its controls run them.
    void BtnDumpLogClick();
    void BtnClearFilterClick();
    void BtnClearLogClick();
    void BtnClearClick();
    void SaveLogClick();
    void OpenLogClick();
    // Picks a date for the Before (true) or After field with the calendar.
    void BtnDateSelectClick(bool before);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void BuildControls();
    QWidget* BuildFilterPanel(QWidget* parent);
    void ConnectControls();
    void EnableFilterControls();
    void StoreDateTime(bool before);
    void ShowList(QListWidget* list, const SensorList& entries);
    void ListItemChanged(bool internal, int row, bool checked);
    // The lines of a saved log for the memo and the plot; why not, when the
    // file cannot be read.
    std::optional<std::string> LoadLogFile(const std::string& path, QStringList& lines);

    std::unique_ptr<TFormDataLogHost> host_;
    std::unique_ptr<DataLogController> logic_;
    Prompter& prompter_;
    LogPlotData plotData_;
    bool shownOnce_ = false;
    bool showingFilters_ = false;
    QTimer timerReceive_;

    QCheckBox* cbBeforeDate_ = nullptr;
    QDateEdit* datePickBefore_ = nullptr;
    QLineEdit* ovcPicTimeBefore_ = nullptr;
    QPushButton* btnDateBeforeSelect_ = nullptr;
    QCheckBox* cbAfterDate_ = nullptr;
    QDateEdit* datePickAfter_ = nullptr;
    QLineEdit* ovcPicTimeAfter_ = nullptr;
    QPushButton* btnDateAfterSelect_ = nullptr;
    QCheckBox* cbLogEntryType_ = nullptr;
    QComboBox* cbFilterType_ = nullptr;
    QCheckBox* cbSensors_ = nullptr;
    QListWidget* rzCheckListSDI12_ = nullptr;
    QCheckBox* cbAllSDI12_ = nullptr;
    QListWidget* rzCheckListInternSens_ = nullptr;
    QCheckBox* cbAllInternalSensors_ = nullptr;
    QCheckBox* cbLogToFile_ = nullptr;
    QTabWidget* pages_ = nullptr;
    LogMemo* memoDataLog_ = nullptr;
    QPlainTextEdit* memoDebug_ = nullptr;
    LogPlotView* plot_ = nullptr;
};

} // namespace tavin

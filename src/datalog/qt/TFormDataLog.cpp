#include "datalog/qt/TFormDataLog.h"

#include "datalog/DataLogTexts.h"
#include "datalog/qt/LogMemo.h"
#include "datalog/qt/LogPlotView.h"
#include "datalog/qt/TFormDataLogHost.h"
#include "support/FixedFormats.h"
#include "ui/MessageBoxes.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSaveFile>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

namespace tavin {

namespace {

QString Q(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::string S(const QString& text) {
    return text.toLatin1().toStdString();
}

// "folder/*.txt" as the file dialogs take it: the folder and the name.
std::pair<std::string, std::string> SplitPath(const std::string& path) {
    const auto at = path.find_last_of("/\\");
    if (at == std::string::npos) {
        return {std::string(), path};
    }
    std::string folder = path.substr(0, at);
    return {folder, path.substr(at + 1)};
}

} // namespace

TFormDataLog::TFormDataLog(TransmitterLink& link, LinkHost& port, Prompter& prompter,
                           LogBoxFactory boxes, DataLogSettings settings, QWidget* parent)
    : QDialog(parent), prompter_(prompter) {
    setObjectName("TFormDataLog");
    setWindowTitle(Q(std::string(logtext::kCaption)));
    setModal(true);
    host_ = std::make_unique<TFormDataLogHost>(*this, link, port, prompter, std::move(boxes));
    logic_ = std::make_unique<DataLogController>(*host_, std::move(settings));
    timerReceive_.setObjectName("TimerReceive");
    timerReceive_.setTimerType(Qt::PreciseTimer);
    timerReceive_.setInterval(DataLogController::kIdleInterval);
    connect(&timerReceive_, &QTimer::timeout, this, [this] { logic_->OnTimer(); });
    BuildControls();
    ConnectControls();
    const QDate today = QDate::currentDate();
    logic_->Open(today.year(), today.month(), today.day());
}

TFormDataLog::~TFormDataLog() {
    timerReceive_.stop();
}

void TFormDataLog::PacketHandler(const std::string& line) {
    logic_->PacketHandler(line);
}

void TFormDataLog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!shownOnce_) {
        shownOnce_ = true;
        logic_->Show();
        timerReceive_.start();
    }
}

// --- Filters -------------------------------------------------------------------

void TFormDataLog::ShowFilters() {
    showingFilters_ = true;
    const DataLogFilters& f = logic_->Filters();
    auto showDate = [](QCheckBox* box, QDateEdit* date, QLineEdit* time, bool on,
                       const FilterDateTime& value) {
        const QSignalBlocker b1(box), b2(date), b3(time);
        box->setChecked(on);
        date->setDate(QDate(value.year, value.month, value.day));
        time->setText(Q(value.time));
    };
    showDate(cbBeforeDate_, datePickBefore_, ovcPicTimeBefore_, f.before, f.beforeValue);
    showDate(cbAfterDate_, datePickAfter_, ovcPicTimeAfter_, f.after, f.afterValue);
    {
        const QSignalBlocker b1(cbLogEntryType_), b2(cbFilterType_), b3(cbSensors_),
            b4(cbAllSDI12_), b5(cbAllInternalSensors_), b6(cbLogToFile_);
        cbLogEntryType_->setChecked(f.logEntry);
        cbFilterType_->setCurrentText(Q(f.type));
        cbSensors_->setChecked(f.sensors);
        cbAllSDI12_->setChecked(f.allSdi12);
        cbAllInternalSensors_->setChecked(f.allInternal);
        cbLogToFile_->setChecked(f.logToFile);
    }
    ShowList(rzCheckListSDI12_, f.sdi12);
    ShowList(rzCheckListInternSens_, f.internal);
    EnableFilterControls();
    showingFilters_ = false;
}

void TFormDataLog::ShowList(QListWidget* list, const SensorList& entries) {
    const QSignalBlocker block(list);
    while (list->count() > static_cast<int>(entries.size())) {
        delete list->takeItem(list->count() - 1);
    }
    for (std::size_t i = 0; i < entries.size(); ++i) {
        QListWidgetItem* item = list->item(static_cast<int>(i));
        if (item == nullptr) {
            item = new QListWidgetItem(list);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        }
        const QString text = Q(entries[i].text);
        if (item->text() != text) {
            item->setText(text);
        }
        item->setCheckState(entries[i].checked ? Qt::Checked : Qt::Unchecked);
    }
}

void TFormDataLog::EnableFilterControls() {
    const bool before = cbBeforeDate_->isChecked();
    const bool after = cbAfterDate_->isChecked();
    const bool sensors = cbSensors_->isChecked();
    const std::pair<QWidget*, bool> controls[] = {{datePickBefore_, before},
                                                  {ovcPicTimeBefore_, before},
                                                  {btnDateBeforeSelect_, before},
                                                  {datePickAfter_, after},
                                                  {ovcPicTimeAfter_, after},
                                                  {btnDateAfterSelect_, after},
                                                  {cbFilterType_, cbLogEntryType_->isChecked()},
                                                  {rzCheckListSDI12_, sensors},
                                                  {rzCheckListInternSens_, sensors},
                                                  {cbAllSDI12_, sensors},
                                                  {cbAllInternalSensors_, sensors}};
    for (const auto& [control, enabled] : controls) {
        control->setEnabled(enabled);
    }
}

void TFormDataLog::StoreDateTime(bool before) {
    if (showingFilters_) {
        return;
    }
    FilterDateTime& value = before ? logic_->Filters().beforeValue : logic_->Filters().afterValue;
    const QDate date = (before ? datePickBefore_ : datePickAfter_)->date();
    value.year = date.year();
    value.month = date.month();
    value.day = date.day();
    QLineEdit* time = before ? ovcPicTimeBefore_ : ovcPicTimeAfter_;
    int hour = 0, minute = 0, second = 0;
    if (ParseLongTime(S(time->text()), hour, minute, second)) {
        value.time = FormatLongTime(hour, minute, second);
    }
    // A time that is no time of day goes back to the last good one.
    const QSignalBlocker block(time);
    time->setText(Q(value.time));
}

void TFormDataLog::ListItemChanged(bool internal, int row, bool checked) {
    if (showingFilters_) {
        return;
    }
    if (internal) {
        logic_->TickInternal(row, checked);
    } else {
        logic_->TickSdi12(row, checked);
    }
    // "Select All" follows the entries without running its own action.
    QCheckBox* all = internal ? cbAllInternalSensors_ : cbAllSDI12_;
    const QSignalBlocker block(all);
    all->setChecked(internal ? logic_->Filters().allInternal : logic_->Filters().allSdi12);
}

void TFormDataLog::BtnDateSelectClick(bool before) {
    QDialog dialog(this);
    dialog.setObjectName("dlgOvcCalander");
    dialog.setWindowTitle("Select Date");
    auto* calendar = new QCalendarWidget(&dialog);
    calendar->setObjectName("Calendar");
    calendar->setSelectedDate((before ? datePickBefore_ : datePickAfter_)->date());
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    connect(calendar, &QCalendarWidget::activated, &dialog, &QDialog::accept);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(calendar);
    layout->addWidget(buttons);
    if (dialog.exec() == QDialog::Accepted) {
        (before ? datePickBefore_ : datePickAfter_)->setDate(calendar->selectedDate());
        StoreDateTime(before);
    }
}

// --- Actions -------------------------------------------------------------------

void TFormDataLog::BtnDumpLogClick() {
    StoreDateTime(true);
    StoreDateTime(false);
    logic_->RetrieveLog();
}

void TFormDataLog::BtnClearFilterClick() {
    logic_->ClearFilter();
}

void TFormDataLog::BtnClearLogClick() {
    logic_->ClearLog();
}

void TFormDataLog::BtnClearClick() {
    memoDataLog_->ClearLines();
    plotData_.Clear();
    plot_->SetData(plotData_);
}

std::optional<std::string> TFormDataLog::AskSaveFile(const std::string& initialPath) {
    const auto [folder, name] = SplitPath(initialPath);
    return prompter_.SaveFileName(std::string(logtext::kSaveLogTitle),
                                  std::string(logtext::kFileFilter), folder, name);
}

void TFormDataLog::SaveLogClick() {
    const auto path = AskSaveFile(logic_->SaveDialogPath());
    if (!path) {
        return;
    }
    const QStringList lines = memoDataLog_->Lines();
    QSaveFile file(QString::fromLocal8Bit(path->c_str()));
    bool written = file.open(QIODevice::WriteOnly);
    for (qsizetype i = 0; written && i < lines.size(); ++i) {
        const QByteArray bytes = lines[i].toLatin1();
        written = file.write(bytes) == bytes.size() && file.write("\n", 1) == 1;
    }
    if (!written || !file.commit()) {
        file.cancelWriting();
        prompter_.ShowErrorBox(std::string(logtext::kFileWriteError) + "\r" + *path);
        return;
    }
    logic_->RememberSavePath(*path);
}

std::optional<std::string> TFormDataLog::LoadLogFile(const std::string& path, QStringList& lines) {
    QFile file(QString::fromLocal8Bit(path.c_str()));
    if (!file.open(QIODevice::ReadOnly)) {
        return S(file.errorString());
    }
    // Many years of log are a few tens of megabytes; a file far beyond that
    // was picked by mistake and would only stall the window.
    if (file.size() > kMaxLogFileBytes) {
        return std::string(logtext::kFileTooLarge);
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        return S(file.errorString());
    }
    lines = QString::fromLatin1(bytes).split('\n');
    for (QString& line : lines) {
        if (line.endsWith('\r')) {
            line.chop(1);
        }
    }
    // The line end of the last line leaves no line of its own.
    if (!lines.isEmpty() && lines.back().isEmpty()) {
        lines.removeLast();
    }
    return std::nullopt;
}

void TFormDataLog::OpenLogClick() {
    const auto [folder, name] = SplitPath(logic_->OpenDialogPath());
    const auto path = prompter_.OpenFileName(std::string(logtext::kOpenLogTitle),
                                             std::string(logtext::kFileFilter), folder, name);
    if (!path) {
        return;
    }
    QStringList lines;
    if (const auto error = LoadLogFile(*path, lines)) {
        prompter_.ShowErrorBox(std::string(logtext::kFileReadError) + "\r" + *path + "\r" + *error);
        return;
    }
    logic_->RememberOpenPath(*path);
    memoDataLog_->SetLines(lines);
    // The plot reads the file with the labels this window knows; a copy of
    // the decoder keeps the live one's stream state for the next retrieval.
    std::vector<std::string> text;
    text.reserve(static_cast<std::size_t>(lines.size()));
    for (const QString& line : lines) {
        text.push_back(S(line));
    }
    TLOG_REC decoder = logic_->Decoder();
    plotData_.Clear();
    plotData_.AddFileLines(text, decoder);
    plot_->SetData(plotData_);
}

// --- Records for the plot ----------------------------------------------------------

void TFormDataLog::PlotDataStarting() {
    plotData_.Clear();
}

void TFormDataLog::PlotRecord(const LogRecord& record) {
    plotData_.AddRecord(record, logic_->Decoder());
}

void TFormDataLog::RecordsFinished() {
    plot_->SetData(plotData_);
}

void TFormDataLog::ShowBacklog(std::string_view backlog) {
    if (memoDebug_->isVisible()) {
        memoDebug_->setPlainText(
            QString::fromLatin1(backlog.data(), static_cast<qsizetype>(backlog.size())));
    }
}

} // namespace tavin

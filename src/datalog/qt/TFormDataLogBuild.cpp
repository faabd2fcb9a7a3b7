// The data log window's controls: the filter panel on the left, the memo and
// the plot on the right, the memo buttons below, the "File" menu above.

#include "datalog/DataLogTexts.h"
#include "datalog/qt/LogMemo.h"
#include "datalog/qt/LogPlotView.h"
#include "datalog/qt/TFormDataLog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace tavin {

namespace {

template <typename W> W* Named(W* widget, const char* name) {
    widget->setObjectName(name);
    return widget;
}

QPushButton* Button(QWidget* parent, const char* name, const char* caption) {
    auto* b = Named(new QPushButton(caption, parent), name);
    b->setAutoDefault(false);
    return b;
}

QDateEdit* DateField(QWidget* parent, const char* name) {
    auto* d = Named(new QDateEdit(parent), name);
    d->setDisplayFormat("MM/dd/yyyy");
    d->setCalendarPopup(false);
    return d;
}

QLineEdit* TimeField(QWidget* parent, const char* name) {
    auto* t = Named(new QLineEdit(parent), name);
    t->setInputMask("99:99:99");
    t->setText("00:00:00");
    t->setMaximumWidth(90);
    return t;
}

QListWidget* CheckList(QWidget* parent, const char* name) {
    auto* l = Named(new QListWidget(parent), name);
    l->setSelectionMode(QAbstractItemView::NoSelection);
    l->setMinimumHeight(120);
    return l;
}

} // namespace

QWidget* TFormDataLog::BuildFilterPanel(QWidget* parent) {
    auto* panel = Named(new QGroupBox("Log Filter", parent), "gbLogFilter");
    panel->setMaximumWidth(430);
    auto* grid = new QGridLayout(panel);
    grid->setColumnStretch(1, 1);
    int row = 0;

    // "Before" and "After": the box, the date, the time and the calendar.
    auto dateRow = [&](const char* caption, const char* const(&names)[4], QCheckBox*& box,
                       QDateEdit*& date, QLineEdit*& time, QPushButton*& select) {
        box = Named(new QCheckBox(caption, panel), names[0]);
        date = DateField(panel, names[1]);
        time = TimeField(panel, names[2]);
        select = Button(panel, names[3], "...");
        select->setMaximumWidth(32);
        grid->addWidget(box, row, 0);
        grid->addWidget(date, row, 1);
        grid->addWidget(time, row, 2);
        grid->addWidget(select, row++, 3);
    };
    dateRow("Before", {"cbBeforeDate", "DatePickBefore", "OvcPicTimeBefore", "BtnDateBeforeSelect"},
            cbBeforeDate_, datePickBefore_, ovcPicTimeBefore_, btnDateBeforeSelect_);
    dateRow("After", {"cbAfterDate", "DatePickAfter", "OvcPicTimeAfter", "BtnDateAfterSelect"},
            cbAfterDate_, datePickAfter_, ovcPicTimeAfter_, btnDateAfterSelect_);

    cbLogEntryType_ = Named(new QCheckBox("Log Entry", panel), "cbLogEntryType");
    cbFilterType_ = Named(new QComboBox(panel), "cbFilterType");
    cbFilterType_->addItems({QString::fromLatin1(logtext::kTypeEvent.data()),
                             QString::fromLatin1(logtext::kTypeData.data())});
    cbFilterType_->setCurrentText(QString::fromLatin1(logtext::kTypeData.data()));
    grid->addWidget(cbLogEntryType_, row, 0);
    grid->addWidget(cbFilterType_, row++, 1);

    cbSensors_ = Named(new QCheckBox("Sensor", panel), "cbSensors");
    grid->addWidget(cbSensors_, row++, 0, 1, 4);
    auto* lists = new QGridLayout;
    auto* sdiTitle = new QLabel("SDI-12", panel);
    auto* intTitle = new QLabel("Internal", panel);
    rzCheckListSDI12_ = CheckList(panel, "RzCheckListSDI12");
    rzCheckListInternSens_ = CheckList(panel, "RzCheckListInternSens");
    cbAllSDI12_ = Named(new QCheckBox("Select All", panel), "cbAllSDI12");
    cbAllInternalSensors_ = Named(new QCheckBox("Select All ", panel), "cbAllInternalSensors");
    lists->addWidget(sdiTitle, 0, 0);
    lists->addWidget(intTitle, 0, 1);
    lists->addWidget(rzCheckListSDI12_, 1, 0);
    lists->addWidget(rzCheckListInternSens_, 1, 1);
    lists->addWidget(cbAllSDI12_, 2, 0);
    lists->addWidget(cbAllInternalSensors_, 2, 1);
    grid->addLayout(lists, row++, 0, 1, 4);
    grid->setRowStretch(row - 1, 1);

    auto* actions = new QGridLayout;
    actions->addWidget(Button(panel, "BtnClearFilter", "Clear Filter"), 0, 0);
    actions->addWidget(Button(panel, "BtnDumpLog", "Retrieve Log"), 0, 1);
    actions->addWidget(Button(panel, "BtnClearLog", "Clear Log"), 1, 0);
    cbLogToFile_ = Named(new QCheckBox("Log To File", panel), "cbLogToFile");
    actions->addWidget(cbLogToFile_, 1, 1);
    // Run by "Retrieve Log"; kept as named controls, out of sight.
    for (auto [name, caption] :
         {std::pair{"BtnSetFilter", "Set Filter"}, std::pair{"BtnRetrieveLogHex", "Get Hex Log "},
          std::pair{"BtnRetrieveFilteredHex", "Get Filtered Hex"}}) {
        Button(panel, name, caption)->setVisible(false);
    }
    grid->addLayout(actions, row++, 0, 1, 4);
    return panel;
}

void TFormDataLog::BuildControls() {
    auto* layout = new QVBoxLayout(this);
    auto* menuBar = Named(new QMenuBar(this), "MenuBarDataLog");
    QMenu* file = menuBar->addMenu("File");
    file->setObjectName("MenuFile");
    Named(file->addAction("Save"), "MenuFileSave");
    Named(file->addAction("Open"), "MenuFileOpen");
    layout->setMenuBar(menuBar);

    auto* body = new QHBoxLayout;
    body->addWidget(BuildFilterPanel(this), 0);

    pages_ = Named(new QTabWidget(this), "PageControlDataLog");
    memoDataLog_ = Named(new LogMemo(pages_), "MemoDataLog");
    pages_->addTab(memoDataLog_, "Log");
    plot_ = Named(new LogPlotView(prompter_, pages_), "LogPlot");
    pages_->addTab(plot_, "Plot");
    body->addWidget(pages_, 1);
    layout->addLayout(body, 1);

    memoDebug_ = Named(new QPlainTextEdit(this), "MemoDebug");
    memoDebug_->setReadOnly(true);
    memoDebug_->setVisible(false);
    layout->addWidget(memoDebug_);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button(this, "BtnSaveLog", "Save"));
    buttons->addWidget(Button(this, "BtnClear", "Clear"));
    buttons->addWidget(Button(this, "BtnClose", "Close"));
    layout->addLayout(buttons);
    resize(1240, 680);
}

void TFormDataLog::ConnectControls() {
    auto click = [this](const char* name, auto fn) {
        connect(findChild<QPushButton*>(name), &QPushButton::clicked, this, fn);
    };
    click("BtnDumpLog", [this] { BtnDumpLogClick(); });
    click("BtnClearFilter", [this] { BtnClearFilterClick(); });
    click("BtnClearLog", [this] { BtnClearLogClick(); });
    click("BtnSetFilter", [this] {
        StoreDateTime(true);
        StoreDateTime(false);
        logic_->SetFilter();
    });
    click("BtnRetrieveLogHex", [this] { logic_->FullDump(); });
    click("BtnRetrieveFilteredHex", [this] {
        StoreDateTime(true);
        StoreDateTime(false);
        logic_->FilteredDump();
    });
    click("BtnSaveLog", [this] { SaveLogClick(); });
    click("BtnClear", [this] { BtnClearClick(); });
    click("BtnClose", [this] { accept(); });
    click("BtnDateBeforeSelect", [this] { BtnDateSelectClick(true); });
    click("BtnDateAfterSelect", [this] { BtnDateSelectClick(false); });
    connect(findChild<QAction*>("MenuFileSave"), &QAction::triggered, this,
            [this] { SaveLogClick(); });
    connect(findChild<QAction*>("MenuFileOpen"), &QAction::triggered, this,
            [this] { OpenLogClick(); });

    auto toggled = [this](QCheckBox* box, bool DataLogFilters::*field) {
        connect(box, &QCheckBox::toggled, this, [this, field](bool on) {
            if (!showingFilters_) {
                logic_->Filters().*field = on;
                EnableFilterControls();
            }
        });
    };
    toggled(cbBeforeDate_, &DataLogFilters::before);
    toggled(cbAfterDate_, &DataLogFilters::after);
    toggled(cbLogEntryType_, &DataLogFilters::logEntry);
    toggled(cbSensors_, &DataLogFilters::sensors);
    toggled(cbLogToFile_, &DataLogFilters::logToFile);
    connect(datePickBefore_, &QDateEdit::dateChanged, this, [this] { StoreDateTime(true); });
    connect(datePickAfter_, &QDateEdit::dateChanged, this, [this] { StoreDateTime(false); });
    connect(ovcPicTimeBefore_, &QLineEdit::editingFinished, this, [this] { StoreDateTime(true); });
    connect(ovcPicTimeAfter_, &QLineEdit::editingFinished, this, [this] { StoreDateTime(false); });
    connect(cbFilterType_, &QComboBox::currentTextChanged, this, [this](const QString& text) {
        if (!showingFilters_) {
            logic_->Filters().type = text.toLatin1().toStdString();
        }
    });
    // "Select All" acts only when the user clicks it; entries set it quietly.
    connect(cbAllSDI12_, &QCheckBox::clicked, this, [this](bool on) {
        logic_->SelectAllSdi12(on);
        ShowFilters();
    });
    connect(cbAllInternalSensors_, &QCheckBox::clicked, this, [this](bool on) {
        logic_->SelectAllInternal(on);
        ShowFilters();
    });
    connect(rzCheckListSDI12_, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        ListItemChanged(false, rzCheckListSDI12_->row(item), item->checkState() == Qt::Checked);
    });
    connect(rzCheckListInternSens_, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        ListItemChanged(true, rzCheckListInternSens_->row(item), item->checkState() == Qt::Checked);
    });
}

} // namespace tavin

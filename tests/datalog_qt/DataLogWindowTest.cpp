// The data log window as a technician uses it, against the simulated
// transmitter: opened from the main window's menu, it retrieves the whole log
// or a filtered part of it, aborts, erases, saves and opens the memo, reads
// the transmitter's filters back, and plots the records.

#include "common/LogLines.h"
#include "datalog_qt/DataLogFixture.h"

#include "datalog/LogPlotData.h"
#include "datalog/qt/LogMemo.h"
#include "datalog/qt/LogPlotView.h"
#include "files/IniFile.h"
#include "service/TFormOperationInfo.h"
#include "workflows/TransmitterSession.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QListWidget>
#include <QToolButton>
#include <qcustomplot.h>

#include <algorithm>
#include <filesystem>

namespace tavin::test {
namespace {

std::vector<std::string> MemoLines(TFormDataLog& form) {
    return Strings(form.Memo().Lines());
}

template <typename T> T* Child(TFormDataLog& form, const char* name) {
    T* widget = form.findChild<T*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

// Ticks a check list entry as a click on it would.
void Tick(TFormDataLog& form, const char* list, int row, bool on) {
    Child<QListWidget>(form, list)->item(row)->setCheckState(on ? Qt::Checked : Qt::Unchecked);
}

TEST_F(DataLogOnSim, OpensFromTheMenuAndShowsTheWholeLogAndItsPlot) {
    Start(1);
    const bool pollBefore = W().Host().TimerAutoPoll().isActive();
    const std::vector<std::string> expected = Expected();
    ASSERT_GT(expected.size(), 500u);
    InWindow([&](TFormDataLog& form) {
        EXPECT_EQ(form.windowTitle(), "TAVIN Data Log");
        EXPECT_FALSE(W().Host().TimerAutoPoll().isActive());
        EXPECT_TRUE(static_cast<bool>(Link().ReplyHandler));
        // The transmitter's labels name the sensors.
        EXPECT_EQ(Child<QListWidget>(form, "RzCheckListSDI12")->item(1)->text(), "1: WIND");
        EXPECT_EQ(Child<QListWidget>(form, "RzCheckListInternSens")->item(2)->text(), "2: RAIN");
        EXPECT_EQ(Child<QDateEdit>(form, "DatePickBefore")->date(), QDate::currentDate());
        EXPECT_EQ(Child<QLineEdit>(form, "OvcPicTimeAfter")->text(), "00:00:00");

        ClickAndWait(form, "BtnDumpLog");
        EXPECT_EQ(lastInstruction, "Log Retrieval Complete");
        EXPECT_EQ(MemoLines(form), expected);
        // The receive timer hurries while the dump arrives.
        EXPECT_EQ(intervals, (std::set<int>{40, 10}));
        EXPECT_EQ(form.TimerReceive().interval(), 40);

        // The plot holds the decoded records: a series per label, the
        // summaries as marks, the events apart.
        TLOG_REC rec = SimDecoder();
        LogPlotData want;
        DecodeSavedHexLog(*log.Answer("LHD?"), rec,
                          [&](const LogRecord& r) { want.AddRecord(r, rec); });
        const LogPlotData& got = form.PlotData();
        ASSERT_EQ(got.Series().size(), 5u);
        EXPECT_EQ(got.PointCount(), want.PointCount());
        EXPECT_EQ(got.Events().size(), want.Events().size());
        LogPlotView& plot = form.Plot();
        for (const char* label : {"LVL", "WIND", "BATT", "TEMP", "RAIN"}) {
            ASSERT_NE(plot.Graph(label), nullptr) << label;
            EXPECT_EQ(plot.Graph(label)->data()->size(), int(want.Find(label)->samples.size()))
                << label;
        }
        EXPECT_EQ(plot.Graph("LVL")->data()->size(), 96);
        EXPECT_EQ(plot.Graph("LVL MIN")->data()->size(), 24);
        EXPECT_EQ(plot.Graph("TEMP AVG")->data()->size(), 24);
        EXPECT_EQ(plot.Graph("STX")->data()->size(), 8);
        // A sensor left out is not drawn; the picture saves as PNG.
        auto* sensors = form.findChild<QListWidget*>("ListPlotSensors");
        sensors->item(0)->setCheckState(Qt::Unchecked);
        EXPECT_EQ(plot.Graph("LVL"), nullptr);
        EXPECT_NE(plot.Graph("WIND"), nullptr);
        const std::string png = Folder() + "/plot.png";
        fixture->prompter.files.push_back(png);
        form.findChild<QPushButton*>("BtnPlotExport")->click();
        EXPECT_GT(QFileInfo(QString::fromStdString(png)).size(), 1000);
    });
    EXPECT_FALSE(static_cast<bool>(Link().ReplyHandler));
    EXPECT_EQ(W().Host().TimerAutoPoll().isActive(), pollBefore);
    EXPECT_EQ(W().findChild<TFormDataLog*>(), nullptr);
    EXPECT_TRUE(fixture->prompter.Texts("error").empty());
}

TEST_F(DataLogOnSim, AFilterNarrowsTheLogAndIsShownAgainOnOpening) {
    Start(1);
    const std::vector<std::string> all = Expected();
    const std::uint32_t after = logStart + 6 * 3600;
    InWindow([&](TFormDataLog& form) {
        // "Select All" and the entries follow each other.
        Child<QCheckBox>(form, "cbSensors")->setChecked(true);
        Child<QCheckBox>(form, "cbAllSDI12")->click();
        auto* sdi = Child<QListWidget>(form, "RzCheckListSDI12");
        EXPECT_EQ(sdi->item(9)->checkState(), Qt::Checked);
        Tick(form, "RzCheckListSDI12", 9, false);
        EXPECT_FALSE(Child<QCheckBox>(form, "cbAllSDI12")->isChecked());
        EXPECT_EQ(sdi->item(0)->checkState(), Qt::Checked);
        Tick(form, "RzCheckListSDI12", 9, true);
        EXPECT_TRUE(Child<QCheckBox>(form, "cbAllSDI12")->isChecked());
        Child<QCheckBox>(form, "cbAllSDI12")->click();
        EXPECT_EQ(sdi->item(0)->checkState(), Qt::Unchecked);

        // Data of SDI-12 sensor 0 and internal sensors 1 and 2 after 06:00.
        Tick(form, "RzCheckListSDI12", 0, true);
        Tick(form, "RzCheckListInternSens", 1, true);
        Tick(form, "RzCheckListInternSens", 2, true);
        Child<QCheckBox>(form, "cbAfterDate")->setChecked(true);
        const QDateTime at = QDateTime::fromSecsSinceEpoch(kLogEpoch + after, Qt::UTC);
        Child<QDateEdit>(form, "DatePickAfter")->setDate(at.date());
        auto* time = Child<QLineEdit>(form, "OvcPicTimeAfter");
        time->setText("06:00:00");
        emit time->editingFinished();
        Child<QCheckBox>(form, "cbLogEntryType")->setChecked(true);
        Child<QComboBox>(form, "cbFilterType")->setCurrentText("Data");

        ClickAndWait(form, "BtnDumpLog");
        EXPECT_EQ(lastInstruction, "Log Retrieval Complete");
        EXPECT_EQ(intervals, (std::set<int>{40, 5}));
        std::vector<std::string> expected;
        for (std::size_t i = 0; i < all.size(); ++i) {
            const sim::SimLog::Entry& e = log.Entries()[i];
            if (e.time >= after && e.kind != sim::SimLog::Kind::Event &&
                (e.internalSensor ? e.number == 1 || e.number == 2 : e.number == 0)) {
                expected.push_back(all[i].substr(6));
            }
        }
        ASSERT_GT(expected.size(), 100u);
        EXPECT_EQ(Unnumbered(MemoLines(form)), expected);
    });
    const std::vector<std::string> heard = Heard();
    for (const std::string& command :
         {std::string("LFA=") + QDateTime::fromSecsSinceEpoch(kLogEpoch + after, Qt::UTC)
                                    .toString("MM/dd/yyyy,HH:mm:ss")
                                    .toStdString(),
          std::string("LFB=*"), std::string("LFT=D"), std::string("LFS=0"), std::string("LFI=1,2"),
          std::string("LHF?")}) {
        EXPECT_NE(std::find(heard.begin(), heard.end(), command), heard.end()) << command;
    }

    // Opened again, the window reads the transmitter's filter back.
    InWindow([&](TFormDataLog& form) {
        EXPECT_TRUE(Child<QCheckBox>(form, "cbAfterDate")->isChecked());
        EXPECT_FALSE(Child<QCheckBox>(form, "cbBeforeDate")->isChecked());
        EXPECT_EQ(Child<QLineEdit>(form, "OvcPicTimeAfter")->text(), "06:00:00");
        EXPECT_EQ(Child<QDateEdit>(form, "DatePickAfter")->date(),
                  QDateTime::fromSecsSinceEpoch(kLogEpoch + after, Qt::UTC).date());
        EXPECT_TRUE(Child<QCheckBox>(form, "cbLogEntryType")->isChecked());
        EXPECT_EQ(Child<QComboBox>(form, "cbFilterType")->currentText(), "Data");
        EXPECT_TRUE(Child<QCheckBox>(form, "cbSensors")->isChecked());
        auto* sdi = Child<QListWidget>(form, "RzCheckListSDI12");
        auto* internal = Child<QListWidget>(form, "RzCheckListInternSens");
        EXPECT_EQ(sdi->item(0)->checkState(), Qt::Checked);
        EXPECT_EQ(sdi->item(1)->checkState(), Qt::Unchecked);
        EXPECT_EQ(internal->item(0)->checkState(), Qt::Unchecked);
        EXPECT_EQ(internal->item(1)->checkState(), Qt::Checked);
        EXPECT_EQ(internal->item(2)->checkState(), Qt::Checked);
        EXPECT_TRUE(sdi->isEnabled());

        // "Clear Filter" clears the transmitter's filters and the boxes.
        Child<QPushButton>(form, "BtnClearFilter")->click();
        EXPECT_FALSE(Child<QCheckBox>(form, "cbAfterDate")->isChecked());
        EXPECT_FALSE(Child<QCheckBox>(form, "cbSensors")->isChecked());
        EXPECT_EQ(internal->item(1)->checkState(), Qt::Unchecked);
        EXPECT_FALSE(sdi->isEnabled());
        EXPECT_TRUE(Settle(form));
    });
    EXPECT_EQ(Heard().back(), "LF*");
}

TEST_F(DataLogOnSim, OlderFirmwareTakesTheShortFormsAndPlainFilteredRecords) {
    // Before 1.30: labels by row ("SL0=LVL"), ten and five sensors, and the
    // filtered dump sends each record as the log holds it.
    Start(1, {"--firmware", "1.20"},
          "SL0=LVL\r\nSL1=WIND\r\nIL0=BATT\r\nIL1=TEMP\r\nIL2=RAIN\r\nTBM=0.1\r\nCFS\r\n");
    const std::vector<std::string> all = Expected();
    InWindow([&](TFormDataLog& form) {
        ASSERT_FALSE(form.Settings().extendedTables);
        EXPECT_EQ(Child<QListWidget>(form, "RzCheckListSDI12")->count(), 10);
        EXPECT_EQ(Child<QListWidget>(form, "RzCheckListInternSens")->count(), 5);
        EXPECT_EQ(Child<QListWidget>(form, "RzCheckListInternSens")->item(2)->text(), "2: RAIN");
        Child<QCheckBox>(form, "cbLogEntryType")->setChecked(true);
        Child<QComboBox>(form, "cbFilterType")->setCurrentText("Event");
        ClickAndWait(form, "BtnDumpLog");
        std::vector<std::string> expected;
        for (std::size_t i = 0; i < all.size(); ++i) {
            if (log.Entries()[i].kind == sim::SimLog::Kind::Event) {
                expected.push_back(all[i].substr(6));
            }
        }
        ASSERT_GT(expected.size(), 10u);
        EXPECT_EQ(Unnumbered(MemoLines(form)), expected);
    });
    const std::vector<std::string> heard = Heard();
    for (const char* command : {"SL*?", "IL*?", "LFT=E", "LFS=*", "LFI=*"}) {
        EXPECT_NE(std::find(heard.begin(), heard.end(), command), heard.end()) << command;
    }
}

TEST_F(DataLogOnSim, AbortStopsTheDumpAndTheLinkStaysUsable) {
    Start(2, {"--pace"});
    InWindow([&](TFormDataLog& form) {
        // Abort once records are arriving.
        QTimer abort;
        QObject::connect(&abort, &QTimer::timeout, [&] {
            auto* box = form.Host().BoxDialog();
            if (box != nullptr && box->Box().Progress().visible &&
                box->Box().Progress().position > 20 && box->Box().Get(BoxButton::Cancel).visible) {
                EXPECT_EQ(box->Box().Get(BoxButton::Cancel).caption, "Abort");
                box->Box().ClickCancel();
                abort.stop();
            }
        });
        abort.start(20);
        form.findChild<QPushButton*>("BtnDumpLog")->click();
        form.Memo().Flush();
        const std::vector<std::string> lines = MemoLines(form);
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines.back(), "Log Dump Aborted");
        EXPECT_LT(lines.size(), Expected().size());
        // Late lines of the stopped dump show nothing.
        QTest::qWait(500);
        EXPECT_EQ(MemoLines(form), lines);
        EXPECT_EQ(form.Logic().PendingLines(), 0u);
    });
    const std::vector<std::string> heard = Heard();
    EXPECT_NE(std::find(heard.begin(), heard.end(), "ESC"), heard.end());

    // The configuration still comes back whole.
    fixture->Find<QToolButton>("SBtnConfigControl")->click();
    ASSERT_EQ(W().Mode(), OperatingMode::ConfigControl);
    fixture->prompter.answers.push_back(true);
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [&] {
        if (auto* box = W().Host().BoxDialog()) {
            box->Box().ClickCancel();
        }
    });
    guard.start(60000);
    fixture->Find<QPushButton>("BtnRefreshAll")->click();
    EXPECT_TRUE(guard.isActive());
    EXPECT_EQ(W().Config().General.PlatformIdString, "WILLOW CREEK");
    EXPECT_TRUE(fixture->prompter.Texts("error").empty());
}

TEST_F(DataLogOnSim, ClearLogAsksAndErasesOnlyOnYes) {
    Start(1);
    InWindow([&](TFormDataLog& form) {
        fixture->prompter.answers.push_back(false);
        Child<QPushButton>(form, "BtnClearLog")->click();
        EXPECT_EQ(fixture->prompter.Texts("ask").back(),
                  "This will delete all logged data in the TAVIN\rDo you want to continue?");
        EXPECT_EQ(form.Host().BoxDialog(), nullptr);

        fixture->prompter.answers.push_back(true);
        ClickAndWait(form, "BtnClearLog");
        EXPECT_EQ(lastInstruction, "Log Erase Complete");
        EXPECT_EQ(MemoLines(form), std::vector<std::string>{"Log Erase Complete"});

        ClickAndWait(form, "BtnDumpLog");
        EXPECT_EQ(lastInstruction, "Log Empty");
        EXPECT_EQ(MemoLines(form), std::vector<std::string>{"Log Erase Complete"});
        EXPECT_TRUE(form.PlotData().Empty());
    });
    const std::vector<std::string> heard = Heard();
    EXPECT_EQ(std::count(heard.begin(), heard.end(), "LOG=CLEAR"), 1);
}

TEST_F(DataLogOnSim, SavedLogsOpenAgainWithTheirPlot) {
    Start(1);
    const std::string decoded = Folder() + "/decoded.txt";
    const std::string hex = Folder() + "/raw.log";
    InWindow([&](TFormDataLog& form) {
        // "Log To File" with the dialog cancelled starts nothing; a file
        // that cannot be written asks, and No starts nothing either.
        Child<QCheckBox>(form, "cbLogToFile")->setChecked(true);
        Child<QPushButton>(form, "BtnDumpLog")->click();
        EXPECT_EQ(form.Host().BoxDialog(), nullptr);
        fixture->prompter.files.push_back(Folder() + "/no such folder/log.txt");
        fixture->prompter.answers.push_back(false);
        Child<QPushButton>(form, "BtnDumpLog")->click();
        EXPECT_EQ(fixture->prompter.Texts("ask").back(), "Error Writing To File - Continue?");
        EXPECT_TRUE(MemoLines(form).empty());
        EXPECT_TRUE(Settle(form));

        // Written while it arrives, the file holds the memo's records.
        fixture->prompter.files.push_back(decoded);
        ClickAndWait(form, "BtnDumpLog");
        const std::vector<std::string> memo = MemoLines(form);
        EXPECT_EQ(memo, Expected());
        EXPECT_EQ(FileLines(decoded), memo);
        const std::size_t points = form.PlotData().PointCount();

        // "Save" writes the memo, "Open" brings it back, plot and all.
        const std::string saved = Folder() + "/memo.txt";
        fixture->prompter.files.push_back(saved);
        Child<QPushButton>(form, "BtnSaveLog")->click();
        EXPECT_EQ(FileLines(saved), memo);
        Child<QPushButton>(form, "BtnClear")->click();
        EXPECT_TRUE(MemoLines(form).empty());
        EXPECT_TRUE(form.PlotData().Empty());
        fixture->prompter.files.push_back(saved);
        form.findChild<QAction*>("MenuFileOpen")->trigger();
        EXPECT_EQ(MemoLines(form), memo);
        EXPECT_EQ(form.PlotData().PointCount(), points);
        EXPECT_EQ(form.Plot().Graph("LVL")->data()->size(), 96);
    });
    // With "SaveLogAsHex" the file holds the raw dump, which plots the same
    // through the decoder when it is opened.
    W().GlbIni().SaveLogAsHex = true;
    InWindow([&](TFormDataLog& form) {
        EXPECT_TRUE(Child<QCheckBox>(form, "cbLogToFile")->isChecked());
        fixture->prompter.files.push_back(hex);
        ClickAndWait(form, "BtnDumpLog");
        std::vector<std::string> raw = FileLines(hex);
        if (!raw.empty() && raw.back() == std::string(32, 'F')) {
            raw.pop_back(); // the prompt of a log that fills its last line
        }
        EXPECT_EQ(raw, *log.Answer("LHD?"));
        const std::size_t points = form.PlotData().PointCount();
        fixture->prompter.files.push_back(hex);
        form.findChild<QAction*>("MenuFileOpen")->trigger();
        EXPECT_EQ(form.PlotData().PointCount(), points);
        EXPECT_GT(points, 400u);

        // What is no log: a binary file opens as text and plots nothing; a
        // huge or missing file is refused and the memo stays as it was.
        const std::string binary = Folder() + "/binary.bin";
        std::ofstream(binary, std::ios::binary) << std::string("\0\x01\xff\n\x80zz\r\n", 9);
        fixture->prompter.files.push_back(binary);
        form.findChild<QAction*>("MenuFileOpen")->trigger();
        EXPECT_EQ(MemoLines(form).size(), 2u);
        EXPECT_TRUE(form.PlotData().Empty());
        const std::string huge = Folder() + "/huge.txt";
        std::ofstream(huge) << "x";
        std::filesystem::resize_file(huge, TFormDataLog::kMaxLogFileBytes + 1);
        for (const std::string& bad : {huge, Folder() + "/missing.txt"}) {
            fixture->prompter.files.push_back(bad);
            form.findChild<QAction*>("MenuFileOpen")->trigger();
            ASSERT_FALSE(fixture->prompter.Texts("error").empty());
            EXPECT_EQ(
                fixture->prompter.Texts("error").back().rfind("Error Reading File\r" + bad, 0), 0u);
            EXPECT_EQ(MemoLines(form).size(), 2u);
        }
        // Those two were the only errors.
        EXPECT_EQ(std::erase_if(fixture->prompter.shown,
                                [](const auto& shown) { return shown.kind == "error"; }),
                  2u);
    });
    const std::string saveFilter =
        "Text File (*.txt)|*.txt|Log File (*.log)|*.log|All Files (*.*)|*.*";
    for (const auto& shown : fixture->prompter.shown) {
        if (shown.kind == "save" || shown.kind == "open") {
            EXPECT_NE(shown.text.find(saveFilter), std::string::npos) << shown.text;
        }
    }
    // The folders chosen and "Log To File" go back to the preferences.
    EXPECT_EQ(W().GlbIni().LogSavePath, Folder() + "/");
    EXPECT_EQ(W().GlbIni().LogOpenPath, Folder() + "/");
    EXPECT_TRUE(W().GlbIni().SaveLogToFile);
    EXPECT_TRUE(fixture->prompter.Texts("error").empty());
}

} // namespace
} // namespace tavin::test

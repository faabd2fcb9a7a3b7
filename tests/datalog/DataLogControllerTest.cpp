// The data log logic driven line by line: opening, filter display and
// building, full and filtered dumps against the simulated log, aborting,
// erasing and the log file.

#include "datalog/DataLogController.h"
#include "datalog/SavedHexLog.h"
#include "sim/SimLog.h"

#include <gtest/gtest.h>

#include <map>

namespace tavin {
namespace {

struct FakeHost : DataLogHost {
    std::deque<std::string> queue;
    std::vector<std::string> queued; // everything ever queued
    std::vector<std::string> memo;
    std::vector<std::string> direct;
    int released = 0;
    bool portOpen = true;
    int interval = 40;
    bool boxOpen = false;
    LogBoxSetup box;
    bool cancelShown = false;
    std::string instruction, command;
    bool progressVisible = false;
    int progressMax = 0, progressPos = 0;
    std::optional<std::pair<int, LogBoxResult>> closing;
    bool answerYes = true;
    bool answerErrorYes = true;
    std::vector<std::string> asked;
    std::optional<std::string> saveFile;
    std::string saveDialogStart;
    bool createOk = true;
    bool fileOpen = false;
    std::vector<std::string> file;

    void QueueCommand(const std::string& c) override {
        queue.push_back(c);
        queued.push_back(c);
    }
    bool PortOpen() const override { return portOpen; }
    void SendDirect(std::string_view bytes) override { direct.emplace_back(bytes); }
    void ReleaseCurrentCommand() override { ++released; }
    void AppendMemo(const std::string& line) override { memo.push_back(line); }
    void SetReceiveInterval(int ms) override { interval = ms; }
    void ShowBox(const LogBoxSetup& setup) override {
        boxOpen = true;
        box = setup;
        cancelShown = setup.cancelVisible;
        instruction = setup.instruction;
        closing.reset();
    }
    bool BoxOpen() const override { return boxOpen; }
    void ShowBoxCancel() override { cancelShown = true; }
    void SetBoxInstruction(const std::string& t) override { instruction = t; }
    void SetBoxCommand(const std::string& t) override { command = t; }
    void SetBoxProgress(bool visible, int max, int pos) override {
        progressVisible = visible;
        if (visible) {
            progressMax = max;
            progressPos = pos;
        }
    }
    void CloseBoxAfter(int ms, LogBoxResult r) override { closing = {ms, r}; }
    bool AskYesNo(const std::string& t) override {
        asked.push_back(t);
        return answerYes;
    }
    bool AskErrorYesNo(const std::string& t) override {
        asked.push_back(t);
        return answerErrorYes;
    }
    std::optional<std::string> ChooseSaveFile(const std::string& start) override {
        saveDialogStart = start;
        return saveFile;
    }
    bool CreateLogFile(const std::string&) override { return fileOpen = createOk; }
    void WriteLogLine(const std::string& line) override {
        ASSERT_TRUE(fileOpen);
        file.push_back(line);
    }
    void CloseLogFile() override { fileOpen = false; }
};

// The link and the transmitter: each queued command goes out when the one
// before it is answered; the transmitter echoes it, answers and prompts.
// Log commands are answered by the simulated log, others from a table.
struct Bench {
    FakeHost host;
    sim::SimLog log;
    std::map<std::string, std::vector<std::string>> answers;
    DataLogController logic;

    explicit Bench(bool extended = false)
        : Bench(DataLogSettings{extended, false, false, "/in/", "/out/"}) {}
    explicit Bench(const DataLogSettings& settings) : logic(host, settings) {
        log.SetExpandedFilteredDump(settings.extendedTables);
        logic.Open(2024, 3, 4);
    }

    // Sends the next queued command; false when none is left.
    bool SendOne() {
        if (host.queue.empty()) {
            return false;
        }
        const std::string cmd = host.queue.front();
        host.queue.pop_front();
        logic.PacketHandler(cmd);
        std::vector<std::string> reply;
        if (auto it = answers.find(cmd); it != answers.end()) {
            reply = it->second;
        } else if (auto a = log.Answer(cmd)) {
            reply = *a;
        }
        for (const auto& line : reply) {
            logic.PacketHandler(line);
        }
        logic.PacketHandler(">");
        return true;
    }

    void Drain() {
        while (logic.PendingLines() > 0) {
            logic.OnTimer();
        }
    }

    // Runs the link and the timers until nothing is left to do; a box that
    // was told to close closes.
    void Run() {
        do {
            Drain();
        } while (SendOne());
        Drain();
        if (host.boxOpen && host.closing) {
            host.boxOpen = false;
            logic.BoxClosed(host.closing->second);
        }
    }

    std::vector<std::string> Records() const {
        std::vector<std::string> r;
        for (const auto& m : host.memo) {
            if (m.size() > 6 && m[5] == ' ' && std::isdigit(static_cast<unsigned char>(m[0]))) {
                r.push_back(m);
            }
        }
        return r;
    }
};

void SmallLog(sim::SimLog& log) {
    log.AddStx(3600, 1);
    log.AddSample(sim::SimLog::Kind::Sdi12, 9, 3605, 9, sim::SimLog::Int16Value(1234));
    log.AddSample(sim::SimLog::Kind::Internal, 2, 3609, 15, sim::SimLog::Int16Value(3));
    log.AddSummary(sim::SimLog::Kind::Minimum, false, 9, 3735, 9, sim::SimLog::Int16Value(1250));
    log.AddEtx(3740, 1, 0, 125, 31, sim::SimLog::kNotMeasured);
}

const std::vector<std::string> kSmallLog = {
    "00001 STX  01/01/2000 01:00:00 TIMED",
    "00002 FLOW 01/01/2000 01:00:05 123.4",
    "00003 RAIN 01/01/2000 01:00:09 0.03",
    "00004 FLOW 01/01/2000 01:02:15 125.0 MIN",
    "00005 ETX  01/01/2000 01:02:20 TIMED(b,f,r): 12.5,3.1,N/M",
};

TEST(DataLogOpening, QueriesLabelsAndFiltersAndShowsThem) {
    Bench b;
    b.answers["SL*?"] = {"SL9=FLOW", "SL10=XX"};
    b.answers["IL*?"] = {"IL2=RAIN", "IL7=BATT"};
    b.answers["TBM?"] = {"TBM=0.01"};
    b.answers["TBR?"] = {"TBR=100"};
    b.log.Answer("LFB=12/31/2025,23:59:58");
    b.log.Answer("LFT=E");
    b.log.Answer("LFS=0-9");
    b.logic.Show();
    EXPECT_EQ(b.host.queued, (std::vector<std::string>{"SL*?", "IL*?", "TBM?", "TBR?", "LFD"}));
    b.Run();
    auto& f = b.logic.Filters();
    EXPECT_EQ(f.sdi12[9].text, "9: FLOW");
    EXPECT_EQ(f.sdi12.size(), 10u); // SDI-12 labels past the list change nothing
    EXPECT_EQ(f.internal[2].text, "2: RAIN");
    EXPECT_EQ(f.internal.back().text, "7: BATT"); // internal ones are appended
    EXPECT_EQ(b.logic.Decoder().SensorLabel(9), "FLOW");
    EXPECT_EQ(b.logic.Decoder().SensorLabel(64 + 2), "RAIN");
    EXPECT_EQ(b.logic.Decoder().BucketMultiplier(), 0);
    EXPECT_EQ(b.logic.Decoder().BucketRolloverCount(), 100u);
    EXPECT_TRUE(f.before);
    EXPECT_EQ(f.beforeValue.year, 2025);
    EXPECT_EQ(f.beforeValue.time, "23:59:58");
    EXPECT_FALSE(f.after);
    EXPECT_EQ(f.afterValue.year, 2024); // today, as opened
    EXPECT_TRUE(f.logEntry);
    EXPECT_EQ(f.type, "Event");
    EXPECT_TRUE(f.sensors);
    EXPECT_TRUE(AllChecked(f.sdi12));
    EXPECT_TRUE(f.allSdi12);
    EXPECT_TRUE(NoneChecked(f.internal));
    EXPECT_TRUE(b.host.memo.empty());

    // Both sensor filters off: both lists and "Sensor" unticked.
    b.log.Answer("LF*");
    b.host.QueueCommand("LFD");
    b.Run();
    EXPECT_FALSE(f.sensors);
    EXPECT_FALSE(f.before);
    EXPECT_FALSE(f.logEntry);
    EXPECT_TRUE(NoneChecked(f.sdi12));
}

TEST(DataLogOpening, ExtendedQueriesAndCounts) {
    Bench b(true);
    b.answers["SSN?"] = {"SSN=16"};
    b.answers["ISN?"] = {"ISN=x"};
    b.answers["SLX=*?"] = {"SLX=12,WIND"};
    b.logic.Show();
    EXPECT_EQ(b.host.queued, (std::vector<std::string>{"SSN?", "ISN?", "SLX=*?", "ILX=*?", "TBM?",
                                                       "TBR?", "LFD"}));
    b.Run();
    EXPECT_EQ(b.logic.Sdi12Count(), 16);
    EXPECT_EQ(b.logic.InternalCount(), 5); // a count that is not a number is ignored
    EXPECT_EQ(b.logic.Filters().sdi12[12].text, "12: WIND");
    EXPECT_EQ(b.logic.Filters().sdi12.size(), 64u);
}

TEST(DataLogFilter, CommandsFromTheControls) {
    struct Case {
        const char* name;
        bool extended;
        void (*set)(DataLogController&);
        std::vector<std::string> commands;
    };
    const Case cases[] = {
        {"nothing ticked",
         false,
         [](DataLogController&) {},
         {"LFB=*", "LFA=*", "LFT=*", "LFS=*", "LFI=*"}},
        {"dates and type",
         false,
         [](DataLogController& c) {
             auto& f = c.Filters();
             f.before = f.after = f.logEntry = true;
             f.beforeValue = {2024, 3, 4, "12:00:00"};
             f.type = "Event";
         },
         {"LFB=03/04/2024,12:00:00", "LFA=03/04/2024,00:00:00", "LFT=E", "LFS=*", "LFI=*"}},
        {"last SDI-12 entry alone, no internal",
         false,
         [](DataLogController& c) {
             c.Filters().sensors = true;
             c.TickSdi12(9, true);
         },
         {"LFB=*", "LFA=*", "LFT=*", "LFS=9", "LFI= "}},
        {"select all",
         false,
         [](DataLogController& c) {
             c.Filters().sensors = true;
             c.SelectAllSdi12(true);
             c.SelectAllInternal(true);
         },
         {"LFB=*", "LFA=*", "LFT=*", "LFS=0-9", "LFI=0-4"}},
        {"select all, extended",
         true,
         [](DataLogController& c) {
             c.Filters().sensors = true;
             c.SelectAllSdi12(true);
             c.TickInternal(3, true);
         },
         {"LFB=*", "LFA=*", "LFT=*", "LFS=0-63", "LFI=3"}},
        {"groups",
         false,
         [](DataLogController& c) {
             c.Filters().sensors = true;
             for (int i : {0, 1, 2, 4, 8, 9}) {
                 c.TickSdi12(i, true);
             }
             c.TickInternal(0, true);
             c.TickInternal(1, true);
         },
         {"LFB=*", "LFA=*", "LFT=*", "LFS=0-2,4,8-9", "LFI=0,1"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeHost host;
        DataLogController logic(host, {c.extended, false, false, "", ""});
        logic.Open(2024, 3, 4);
        c.set(logic);
        logic.SetFilter();
        EXPECT_EQ(host.queued, c.commands);
        EXPECT_EQ(logic.LastFilterMnemonic(), "LFI");
    }
}

TEST(DataLogFilter, SelectAllFollowsTheTicksAndClearFilterUnticksAll) {
    FakeHost host;
    DataLogController logic(host, {});
    logic.Open(2024, 3, 4);
    for (int i = 0; i < 5; ++i) {
        logic.TickInternal(i, true);
    }
    EXPECT_TRUE(logic.Filters().allInternal);
    logic.TickInternal(2, false);
    EXPECT_FALSE(logic.Filters().allInternal);
    logic.Filters().before = logic.Filters().sensors = true;
    logic.ClearFilter();
    EXPECT_EQ(host.queued, std::vector<std::string>{"LF*"});
    EXPECT_FALSE(logic.Filters().before);
    EXPECT_FALSE(logic.Filters().sensors);
    EXPECT_TRUE(NoneChecked(logic.Filters().internal));
}

TEST(DataLogDump, FullDumpShowsEveryRecordAndCompletes) {
    Bench b;
    b.logic.Decoder().SetSensorLabel(9, "FLOW");
    b.logic.Decoder().SetSensorLabel(64 + 2, "RAIN");
    b.logic.Decoder().SetBucketMultiplier(0);
    SmallLog(b.log);
    b.logic.RetrieveLog();
    EXPECT_EQ(b.host.queued,
              (std::vector<std::string>{"LFB=*", "LFA=*", "LFT=*", "LFS=*", "LFI=*", "LHD?"}));
    EXPECT_EQ(b.host.box.operation, "Retrieving Sensor Log");
    EXPECT_EQ(b.host.box.cancelCaption, "Abort");
    EXPECT_FALSE(b.host.cancelShown);
    EXPECT_EQ(b.logic.State(), DumpState::AwaitDumpSize);
    b.Run();
    EXPECT_EQ(b.host.memo, kSmallLog);
    EXPECT_EQ(b.host.instruction, "Log Retrieval Complete");
    EXPECT_TRUE(b.host.cancelShown);
    EXPECT_FALSE(b.host.progressVisible);
    EXPECT_EQ(b.host.progressMax, 2);
    EXPECT_EQ(b.host.progressPos, 2);
    EXPECT_EQ(b.host.closing->first, 1500);
    EXPECT_EQ(b.host.interval, 40);
    EXPECT_FALSE(b.logic.Busy());
    EXPECT_FALSE(b.logic.Listing());
    // The state stays; later prompts become fill that nothing shows.
    EXPECT_EQ(b.logic.State(), DumpState::Receiving);
    b.host.QueueCommand("TBR?");
    b.Run();
    EXPECT_EQ(b.host.memo.size(), kSmallLog.size());
}

TEST(DataLogDump, LongLogComesBackInOrder) {
    Bench b;
    b.log.AddTypicalDays(86400 * 365, 3);
    b.logic.FullDump();
    b.Run();
    const auto records = b.Records();
    ASSERT_EQ(records.size(), b.log.Entries().size());
    EXPECT_EQ(records.front(), "00001 SYNC 12/31/2000 00:00:05");
    EXPECT_EQ(records[1], "00002 SDI0 12/31/2000 00:01:00 21.5");
    EXPECT_EQ(records[5], "00006 INT2 12/31/2000 00:01:06 0");
    EXPECT_EQ(b.host.instruction, "Log Retrieval Complete");
}

TEST(DataLogDump, ALogEndingOnALineBoundaryEndsWithThePrompt) {
    // 6 + 5 + 5 bytes: one full line and no fill, so the prompt ends the
    // dump, even though the whole answer arrives before any of it is handled.
    Bench b;
    b.log.AddStx(3600, 1);
    b.log.AddSample(sim::SimLog::Kind::Sdi12, 0, 3605, 9, sim::SimLog::Int16Value(1));
    b.log.AddSample(sim::SimLog::Kind::Internal, 0, 3606, 9, sim::SimLog::Int16Value(2));
    ASSERT_EQ(b.log.Bytes().size(), 16u);
    b.logic.FullDump();
    b.Run();
    EXPECT_EQ(b.host.memo.size(), 3u);
    EXPECT_EQ(b.host.instruction, "Log Retrieval Complete");
}

TEST(DataLogDump, EmptyLog) {
    Bench b;
    b.logic.FullDump();
    b.Run();
    EXPECT_TRUE(b.host.memo.empty());
    EXPECT_EQ(b.host.instruction, "Log Empty");
    EXPECT_EQ(b.host.closing->second, LogBoxResult::Ok);
    EXPECT_EQ(b.logic.State(), DumpState::AwaitDumpSize);
}

TEST(DataLogDump, AbortSendsTheAbortBytesAndDropsLateLines) {
    Bench b;
    b.log.AddTypicalDays(0, 1);
    b.logic.FullDump();
    while (b.SendOne()) {
    }
    for (int i = 0; i < 20; ++i) { // a few lines handled, many still pending
        b.logic.OnTimer();
    }
    const std::size_t shown = b.host.memo.size();
    b.host.boxOpen = false;
    b.logic.BoxClosed(LogBoxResult::Cancel);
    EXPECT_EQ(b.host.direct, (std::vector<std::string>{"\x1b\r\n", "\x1b"}));
    EXPECT_EQ(b.host.released, 1); // no retry of "LHD?" restarts the dump
    EXPECT_EQ(b.host.memo.back(), "Log Dump Aborted");
    EXPECT_EQ(b.logic.PendingLines(), 0u);
    b.logic.PacketHandler("8385001385");
    b.Drain();
    EXPECT_EQ(b.host.memo.size(), shown + 1);
}

TEST(DataLogDump, FilteredDumpStandardAndExtendedShowTheSameLines) {
    for (bool extended : {false, true}) {
        SCOPED_TRACE(extended ? "extended" : "standard");
        Bench b(extended);
        b.logic.Decoder().SetSensorLabel(9, "FLOW");
        b.logic.Decoder().SetSensorLabel(64 + 2, "RAIN");
        b.logic.Decoder().SetBucketMultiplier(0);
        SmallLog(b.log);
        b.logic.Filters().sensors = true;
        b.logic.TickSdi12(9, true);
        b.logic.RetrieveLog();
        b.Run();
        // SDI-12 sensor 9 only: the internal sample goes, events stay.
        EXPECT_EQ(b.host.memo, (std::vector<std::string>{
                                   "00001 STX  01/01/2000 01:00:00 TIMED",
                                   "00002 FLOW 01/01/2000 01:00:05 123.4",
                                   "00003 FLOW 01/01/2000 01:02:15 125.0 MIN",
                                   "00004 ETX  01/01/2000 01:02:20 TIMED(b,f,r): 12.5,3.1,N/M"}));
        EXPECT_EQ(b.host.queued.back(), "LHF?");
        EXPECT_EQ(b.host.instruction, "Log Retrieval Complete");
        EXPECT_EQ(b.host.interval, 40);
    }
}

TEST(DataLogDump, FilteredDumpEndings) {
    {
        Bench b;
        b.logic.Filters().logEntry = true;
        b.logic.RetrieveLog();
        b.Run();
        EXPECT_EQ(b.host.instruction, "Log Empty");
        EXPECT_TRUE(b.host.memo.empty());
    }
    // A refused filter command, the last one or any before it, fails the
    // dump: the old filter would still be in force.
    for (const char* refused : {"LFI=*", "LFB=*", "LFA=*", "LFT=D", "LFS=*"}) {
        SCOPED_TRACE(refused);
        Bench b;
        SmallLog(b.log);
        b.answers[refused] = {"ERR"};
        b.logic.Filters().logEntry = true;
        b.logic.RetrieveLog();
        b.Run();
        EXPECT_EQ(b.logic.State(), DumpState::Failed);
        EXPECT_EQ(b.host.memo, std::vector<std::string>{"Log Dump Error"});
        EXPECT_EQ(std::count(b.host.queued.begin(), b.host.queued.end(), "LHF?"), 0);
    }
}

TEST(DataLogFile, DecodedOrRawHexAndTheirFailures) {
    {
        Bench b;
        SmallLog(b.log);
        b.logic.Filters().logToFile = true;
        b.host.saveFile.reset(); // the dialog is cancelled: nothing starts
        b.logic.RetrieveLog();
        EXPECT_TRUE(b.host.queued.empty());
        EXPECT_FALSE(b.host.boxOpen);
        EXPECT_EQ(b.host.saveDialogStart, "/out/*.txt");
        EXPECT_TRUE(b.logic.Settings().saveLogToFile);
    }
    for (bool hex : {false, true}) {
        Bench b(DataLogSettings{false, true, hex, "", "/out/"});
        b.logic.Decoder().SetSensorLabel(9, "FLOW");
        b.logic.Decoder().SetSensorLabel(64 + 2, "RAIN");
        b.logic.Decoder().SetBucketMultiplier(0);
        SmallLog(b.log);
        b.host.saveFile = "/logs/today.txt";
        b.logic.RetrieveLog();
        b.Run();
        EXPECT_FALSE(b.host.fileOpen);
        EXPECT_EQ(b.logic.Settings().logSavePath, "/logs/");
        if (!hex) {
            EXPECT_EQ(b.host.file, kSmallLog);
        } else {
            // The raw file decodes to the same lines.
            ASSERT_FALSE(b.host.file.empty());
            EXPECT_EQ(b.host.file[0], "1D");
            TLOG_REC rec;
            rec.SetSensorLabel(9, "FLOW");
            rec.SetSensorLabel(64 + 2, "RAIN");
            rec.SetBucketMultiplier(0);
            EXPECT_EQ(DecodeSavedHexLog(b.host.file, rec).records, kSmallLog);
        }
    }
    {
        Bench b;
        SmallLog(b.log);
        b.logic.Filters().logToFile = true;
        b.host.saveFile = "/ro/x.txt";
        b.host.createOk = false;
        b.host.answerErrorYes = false; // "No": the retrieval is cancelled
        b.logic.RetrieveLog();
        EXPECT_EQ(b.host.asked, std::vector<std::string>{"Error Writing To File - Continue?"});
        EXPECT_TRUE(b.host.queued.empty());
        b.host.answerErrorYes = true; // "Yes": on without a file
        b.logic.RetrieveLog();
        b.Run();
        EXPECT_EQ(b.host.memo.size(), 5u);
        EXPECT_TRUE(b.host.file.empty());
    }
}

TEST(DataLogErase, AskedConfirmedAndReported) {
    struct Case {
        const char* name;
        std::vector<std::string> reply;
        bool cancel;
        const char* instruction;
        const char* memo;
    };
    const Case cases[] = {
        {"accepted", {"OK"}, false, "Log Erase Complete", "Log Erase Complete"},
        {"refused", {"ERR"}, false, "Log Erase Error", "Log Erase Error"},
        {"cancelled", {}, true, "Please Wait...", "Log Erase Cancelled"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Bench b;
        SmallLog(b.log);
        b.answers["LOG=CLEAR"] = c.reply;
        b.logic.ClearLog();
        EXPECT_EQ(b.host.asked.front(),
                  "This will delete all logged data in the TAVIN\rDo you want to continue?");
        EXPECT_EQ(b.host.queued, std::vector<std::string>{"LOG=CLEAR"});
        EXPECT_EQ(b.host.box.operation, "Erasing Sensor Log");
        EXPECT_EQ(b.host.box.cancelCaption, "Cancel");
        EXPECT_TRUE(b.host.box.cancelVisible);
        if (c.cancel) {
            b.host.boxOpen = false;
            b.logic.BoxClosed(LogBoxResult::Cancel);
        }
        b.Run();
        EXPECT_EQ(b.host.instruction, c.instruction);
        EXPECT_EQ(b.host.memo, std::vector<std::string>{c.memo});
        EXPECT_FALSE(b.logic.Busy());
    }
    Bench b;
    b.host.answerYes = false;
    b.logic.ClearLog();
    EXPECT_TRUE(b.host.queued.empty());
    EXPECT_FALSE(b.host.boxOpen);
}

TEST(DataLogTextLog, ALogSentAsTextIsListed) {
    Bench b;
    b.host.boxOpen = true;
    for (const char* line : {"Searching log", "00001 SDI0 12.5", "00002 SDI1 13.5", "Total 2"}) {
        b.logic.PacketHandler(line);
    }
    b.Drain();
    EXPECT_EQ(b.host.memo, (std::vector<std::string>{"Searching log", "00001 SDI0 12.5",
                                                     "00002 SDI1 13.5", "Total 2"}));
    EXPECT_EQ(b.host.command, "Record : 00002");
    EXPECT_EQ(b.host.instruction, "LOG RETRIEVAL COMPLETE");
    EXPECT_EQ(b.host.closing->first, 1000);
    EXPECT_FALSE(b.logic.Listing());
    b.logic.PacketHandler("LOG EMPTY");
    b.Drain();
    EXPECT_EQ(b.host.instruction, "LOG EMPTY");
}

} // namespace
} // namespace tavin

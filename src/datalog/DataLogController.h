#pragma once
// The logic of the data log window: it retrieves the transmitter's log, in
// full as a hex dump or filtered record by record, sets and reads back the
// log filters, erases the log and writes the retrieval to a file. It is a
// clock-free state machine: the window feeds it every reply line
// (PacketHandler) and every tick of its receive timer (OnTimer), turns user
// actions into calls, and shows what the controller holds; everything the
// controller does outside itself goes through DataLogHost.

#include "datalog/DataLogHost.h"
#include "datalog/HexDumpDecoder.h"
#include "datalog/LogReplyLines.h"
#include "datalog/SensorFilter.h"
#include "datalog/TLOG_REC.h"
#include "protocol/XmtrConfig.h"

#include <deque>
#include <string>

namespace tavin {

enum class DumpState {
    AwaitFilterEcho = 0,
    AwaitFilterResult = 1,
    AwaitFilteredHeader = 2,
    AwaitDumpSize = 3,
    Receiving = 4,
    Failed = -1,
};

// Preferences the window reads when opened; the caller copies them back
// when it closes ("Log To File" is stored by every "Retrieve Log").
struct DataLogSettings {
    bool extendedTables = false; // fixed while the window is open
    bool saveLogToFile = false;
    bool saveLogAsHex = false;
    std::string logOpenPath;
    std::string logSavePath;
};

// The filter controls of the window.
struct DataLogFilters {
    bool before = false;
    FilterDateTime beforeValue;
    bool after = false;
    FilterDateTime afterValue;
    bool logEntry = false;
    std::string type = "Data"; // "Data" or "Event"
    bool sensors = false;
    SensorList sdi12;
    SensorList internal;
    bool allSdi12 = false; // "Select All" of each list
    bool allInternal = false;
    bool logToFile = false;
};

class DataLogController {
public:
    static constexpr int kIdleInterval = 40;     // ms, receive timer outside dumps
    static constexpr int kFullDumpInterval = 10; // while a full dump arrives
    static constexpr int kFilteredInterval = 5;  // while a filtered dump arrives
    static constexpr int kCloseDelay = 1500;     // ms before a finished box closes
    static constexpr int kTextLogCloseDelay = 1000;

    DataLogController(DataLogHost& host, DataLogSettings settings);
    DataLogController(const DataLogController&) = delete;
    DataLogController& operator=(const DataLogController&) = delete;

    // Window created: both sensor lists, the date fields set to the given
    // day with "00:00:00", "Log To File" from the preferences.
    void Open(int year, int month, int day);
    // Window shown: queues the label, count, tipping-bucket and filter
    // display queries.
    void Show();

    // Every framed reply line from the link, the prompt included.
    void PacketHandler(const std::string& line);
    // One tick of the receive timer: handles at most one pending line.
    void OnTimer();

    // Controls.
    void SelectAllSdi12(bool checked);
    void SelectAllInternal(bool checked);
    void TickSdi12(int entry, bool checked);
    void TickInternal(int entry, bool checked);
    void ClearFilter();
    void RetrieveLog(); // "Retrieve Log": full dump without filters, else filtered
    void SetFilter();   // queues the filter commands for the controls
    void FullDump();
    void FilteredDump();
    void ClearLog(); // asks, then erases
    // The progress box has closed with this result.
    void BoxClosed(LogBoxResult result);

    // Labels and tipping-bucket settings from a configuration instead of the
    // transmitter's answers: the decoder and both sensor lists take them.
    void UseConfigLabels(const XmtrConfig& cfg);

    // The memo's own file dialogs start here and remember the folder chosen.
    std::string SaveDialogPath() const;
    std::string OpenDialogPath() const;
    void RememberSavePath(const std::string& file);
    void RememberOpenPath(const std::string& file);

    DataLogFilters& Filters() { return filters; }
    const DataLogSettings& Settings() const { return settings; }
    TLOG_REC& Decoder() { return rec; }
    DumpState State() const { return dumpState; }
    bool Listing() const { return listing; }
    bool FileOpen() const { return fileOpen; }
    bool Busy() const { return handler != Handler::None; }
    // Reply lines received and not yet handled.
    std::size_t PendingLines() const { return rxData.size(); }
    std::int32_t LinesLeft() const { return dump.LinesLeft(); }
    int Sdi12Count() const { return sdi12Count; }
    int InternalCount() const { return internalCount; }
    const std::string& LastFilterMnemonic() const { return lastFilterMnemonic; }

private:
    enum class Handler { None, HexDump, FilteredDump, Erase };
    enum class Operation { None, Dump, Erase };

    void DefaultLineProcessing(const std::string& line);
    void HexDumpHandler(const std::string& line);
    void FilteredDumpHandler(const std::string& line);
    void EraseHandler(const std::string& line);
    void ApplyFilterDisplay(const std::string& line, bool internal);
    void ApplyLabelLines(const std::string& line);
    bool OpenLogFileIfAsked();
    void ShowRetrievalBox();
    void FinishDump(std::string_view instruction);
    void ShowRecord(const std::string& text, const std::string& rawLine);
    void WriteFile(const std::string& line);
    void CloseFile();

    DataLogHost& host;
    DataLogSettings settings;
    DataLogFilters filters;
    TLOG_REC rec;
    HexDumpDecoder dump{rec};
    struct RxLine {
        std::string text;
        bool prompt = false; // began with ">" (removed)
    };
    std::deque<RxLine> rxData;       // ListRxData
    Handler handler = Handler::None; // LogOperationHandler
    Operation operation = Operation::None;
    DumpState dumpState = DumpState::AwaitFilterEcho;
    bool dumpFinished = false;
    bool filterRefused = false; // a filter command of this dump drew "ERR"
    std::int32_t dumpLines = 0;
    std::string lastFilterMnemonic = "LFI";
    bool listing = false;
    bool fileOpen = false;
    int sdi12Count = kStandardSdi12Sensors;
    int internalCount = kStandardInternalSensors;
    bool sdi12FilterAll = false;
    bool internalFilterAll = false;
};

} // namespace tavin

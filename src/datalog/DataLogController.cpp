#include "datalog/DataLogController.h"

#include "datalog/ConfigLabels.h"
#include "datalog/DataLogTexts.h"
#include "protocol/CommandLine.h"
#include "protocol/Vocabulary.h"
#include "support/FixedFormats.h"
#include "support/StringRoutines.h"

#include <algorithm>

namespace tavin {

namespace {

bool Contains(std::string_view line, std::string_view part) {
    return line.find(part) != std::string_view::npos;
}

bool OnlyF(std::string_view line) {
    return !line.empty() && line.find_first_not_of('F') == std::string_view::npos;
}

std::string FolderOf(const std::string& file) {
    const auto at = file.find_last_of("/\\");
    return at == std::string::npos ? std::string() : file.substr(0, at + 1);
}

// The size line of a full dump: hex digits (capitals) giving the log size
// in bytes. A value past 32 bits is not a size.
std::optional<std::uint32_t> DumpSize(std::string_view line) {
    if (!IsHexText(line, false)) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    for (char c : line) {
        value = value * 16 + static_cast<std::uint64_t>(c <= '9' ? c - '0' : c - 'A' + 10);
        if (value > 0xFFFFFFFFull) {
            return std::nullopt;
        }
    }
    return static_cast<std::uint32_t>(value);
}

std::string FilterDateCommand(std::string_view mnemonic, bool on, const FilterDateTime& v) {
    if (!on) {
        return SetCmd(mnemonic, {"*"});
    }
    return SetCmd(mnemonic, {FormatShortDate(v.year, v.month, v.day), v.time});
}

} // namespace

DataLogController::DataLogController(DataLogHost& h, DataLogSettings s)
    : host(h), settings(std::move(s)) {
    InitSensorLists(settings.extendedTables, filters.sdi12, filters.internal);
}

void DataLogController::Open(int year, int month, int day) {
    InitSensorLists(settings.extendedTables, filters.sdi12, filters.internal);
    filters.beforeValue = {year, month, day, "00:00:00"};
    filters.afterValue = filters.beforeValue;
    filters.logToFile = settings.saveLogToFile;
    host.FiltersChanged();
}

void DataLogController::Show() {
    if (settings.extendedTables) {
        host.QueueCommand(QueryCmd(mn::SSN));
        host.QueueCommand(QueryCmd(mn::ISN));
        host.QueueCommand(BulkQueryCmd(mn::SLX));
        host.QueueCommand(BulkQueryCmd(mn::ILX));
    } else {
        host.QueueCommand(BulkQueryCmd(mn::SL));
        host.QueueCommand(BulkQueryCmd(mn::IL));
    }
    host.QueueCommand(QueryCmd(mn::TBM));
    host.QueueCommand(QueryCmd(mn::TBR));
    host.QueueCommand(ActionCmd(mn::LFD));
}

void DataLogController::PacketHandler(const std::string& line) {
    if (!line.empty() && line[0] == '>') {
        rxData.push_back({line.substr(1), true});
        return;
    }
    rxData.push_back({line, false});
}

void DataLogController::OnTimer() {
    if (rxData.empty()) {
        return;
    }
    RxLine rx = std::move(rxData.front());
    rxData.pop_front();
    // During a dump the prompt marks the end of the data. Whether a dump is
    // receiving is judged when the line is handled, not when it arrived: the
    // whole answer may arrive before its size line has been handled.
    const std::string line =
        rx.prompt && dumpState == DumpState::Receiving ? std::string(logtext::kFillLine) : rx.text;
    switch (handler) {
    case Handler::HexDump:
        HexDumpHandler(line);
        break;
    case Handler::FilteredDump:
        FilteredDumpHandler(line);
        break;
    case Handler::Erase:
        EraseHandler(line);
        break;
    case Handler::None:
        DefaultLineProcessing(line);
        break;
    }
}

void DataLogController::DefaultLineProcessing(const std::string& line) {
    if (Contains(line, "Total")) {
        host.AppendMemo(line);
        if (host.BoxOpen()) {
            host.SetBoxInstruction(std::string(logtext::kTextRetrievalComplete));
            host.CloseBoxAfter(kTextLogCloseDelay, LogBoxResult::Ok);
        }
        listing = false;
    }
    bool filtersChanged = false;
    if (auto before = ParseFilterDateLine(line, "Before:")) {
        filters.before = before->on;
        if (before->on) {
            filters.beforeValue = before->value;
        }
        filtersChanged = true;
    }
    if (auto after = ParseFilterDateLine(line, "After:")) {
        filters.after = after->on;
        if (after->on) {
            filters.afterValue = after->value;
        }
        filtersChanged = true;
    }
    if (Contains(line, "Type:")) {
        const std::string word = FilterDisplayWord(line);
        filters.logEntry = word != "*";
        if (Contains(line, logtext::kTypeData)) {
            filters.type = logtext::kTypeData;
        } else if (Contains(line, logtext::kTypeEvent)) {
            filters.type = logtext::kTypeEvent;
        }
        filtersChanged = true;
    }
    if (Contains(line, "SDI-12:")) {
        ApplyFilterDisplay(line, false);
        filtersChanged = true;
    }
    if (Contains(line, "Intern:")) {
        ApplyFilterDisplay(line, true);
        filtersChanged = true;
    }
    if (auto l = ParseInternalLabelLine(line)) {
        rec.SetSensorLabel(TLOG_REC::kInternalLabelBase + l->sensor, l->label);
        SetSensorEntryLabel(filters.internal, l->sensor, l->label, true);
        filtersChanged = true;
    }
    if (auto n = ParseCountLine(line, "ISN=")) {
        internalCount = *n;
    }
    if (auto l = ParseSdi12LabelLine(line)) {
        rec.SetSensorLabel(l->sensor, l->label);
        SetSensorEntryLabel(filters.sdi12, l->sensor, l->label, false);
        filtersChanged = true;
    }
    if (auto n = ParseCountLine(line, "SSN=")) {
        sdi12Count = *n;
    }
    if (auto m = ParseBucketMultiplierLine(line)) {
        rec.SetBucketMultiplier(*m);
    }
    if (auto r = ParseBucketRolloverLine(line)) {
        rec.SetBucketRollover(*r);
    }
    if (Contains(line, "EMPTY")) {
        host.AppendMemo(line);
        if (host.BoxOpen()) {
            host.SetBoxInstruction(std::string(logtext::kTextLogEmpty));
            host.CloseBoxAfter(kTextLogCloseDelay, LogBoxResult::Ok);
        }
        listing = false;
    }
    if (Contains(line, "Searching")) {
        listing = true;
        if (host.BoxOpen()) {
            host.SetBoxInstruction(std::string(logtext::kSearching));
        }
    }
    if (listing) {
        // A log the transmitter sends as text is shown as it comes.
        host.AppendMemo(line);
        if (!Contains(line, "Searching") && host.BoxOpen()) {
            host.SetBoxCommand(std::string(logtext::kRecordPrefix) + line.substr(0, 5));
        }
    }
    if (filtersChanged) {
        host.FiltersChanged();
    }
}

void DataLogController::ApplyFilterDisplay(const std::string& line, bool internal) {
    SensorList& list = internal ? filters.internal : filters.sdi12;
    bool& all = internal ? filters.allInternal : filters.allSdi12;
    bool& isAll = internal ? internalFilterAll : sdi12FilterAll;
    const bool otherIsAll = internal ? sdi12FilterAll : internalFilterAll;
    const std::string word = FilterDisplayWord(line);
    if (word == "*") {
        CheckAll(list, false);
        all = false;
        isAll = true;
        filters.sensors = !otherIsAll;
        return;
    }
    isAll = false;
    filters.sensors = true;
    ApplyFilterList(word, list);
    all = AllChecked(list);
}

void DataLogController::SelectAllSdi12(bool checked) {
    filters.allSdi12 = checked;
    CheckAll(filters.sdi12, checked);
}

void DataLogController::SelectAllInternal(bool checked) {
    filters.allInternal = checked;
    CheckAll(filters.internal, checked);
}

void DataLogController::TickSdi12(int entry, bool checked) {
    if (entry >= 0 && entry < static_cast<int>(filters.sdi12.size())) {
        filters.sdi12[static_cast<std::size_t>(entry)].checked = checked;
        filters.allSdi12 = AllChecked(filters.sdi12);
    }
}

void DataLogController::TickInternal(int entry, bool checked) {
    if (entry >= 0 && entry < static_cast<int>(filters.internal.size())) {
        filters.internal[static_cast<std::size_t>(entry)].checked = checked;
        filters.allInternal = AllChecked(filters.internal);
    }
}

void DataLogController::ClearFilter() {
    host.QueueCommand(std::string(logtext::kClearAllFilters));
    filters.before = filters.after = filters.logEntry = filters.sensors = false;
    SelectAllSdi12(false);
    SelectAllInternal(false);
    host.FiltersChanged();
}

void DataLogController::SetFilter() {
    listing = false;
    host.QueueCommand(FilterDateCommand(mn::LFB, filters.before, filters.beforeValue));
    host.QueueCommand(FilterDateCommand(mn::LFA, filters.after, filters.afterValue));
    std::string type = "*";
    if (filters.logEntry && !filters.type.empty()) {
        type = filters.type.substr(0, 1);
    }
    host.QueueCommand(SetCmd(mn::LFT, {type}));
    lastFilterMnemonic = mn::LFT;
    if (!filters.sensors) {
        host.QueueCommand(SetCmd(mn::LFS, {"*"}));
        lastFilterMnemonic = mn::LFI;
        host.QueueCommand(SetCmd(mn::LFI, {"*"}));
        return;
    }
    auto listCommand = [&](std::string_view mnemonic, bool all, const SensorList& list, int count,
                           std::string_view standardAll) {
        if (all) {
            return SetCmd(mnemonic, {settings.extendedTables ? "0-63" : standardAll});
        }
        const std::string none = SetCmd(mnemonic, {" "});
        if (NoneChecked(list)) {
            return none;
        }
        const std::string prefix = SetCmd(mnemonic, {});
        const std::string text = BuildSensorFilter(prefix, list, count);
        // Ticked entries all beyond the sensor count select no sensor.
        return text == prefix ? none : text;
    };
    lastFilterMnemonic = mn::LFS;
    host.QueueCommand(listCommand(mn::LFS, filters.allSdi12, filters.sdi12, sdi12Count, "0-9"));
    lastFilterMnemonic = mn::LFI;
    host.QueueCommand(
        listCommand(mn::LFI, filters.allInternal, filters.internal, internalCount, "0-4"));
}

void DataLogController::RetrieveLog() {
    settings.saveLogToFile = filters.logToFile;
    if (!filters.before && !filters.after && !filters.logEntry && !filters.sensors) {
        FullDump();
    } else {
        FilteredDump();
    }
}

bool DataLogController::OpenLogFileIfAsked() {
    if (!filters.logToFile) {
        return true;
    }
    const auto path = host.ChooseSaveFile(SaveDialogPath());
    if (!path) {
        return false;
    }
    RememberSavePath(*path);
    if (host.CreateLogFile(*path)) {
        fileOpen = true;
        return true;
    }
    return host.AskErrorYesNo(std::string(logtext::kFileErrorQuestion));
}

void DataLogController::ShowRetrievalBox() {
    LogBoxSetup box;
    box.operation = logtext::kRetrievingOperation;
    box.cancelCaption = logtext::kAbortCaption;
    box.cancelVisible = false;
    host.ShowBox(box);
}

void DataLogController::FullDump() {
    if (!OpenLogFileIfAsked()) {
        return;
    }
    host.RecordsStarting();
    listing = true;
    for (auto mnemonic : {mn::LFB, mn::LFA, mn::LFT, mn::LFS, mn::LFI}) {
        host.QueueCommand(SetCmd(mnemonic, {"*"}));
    }
    host.QueueCommand(QueryCmd(mn::LHD));
    dumpState = DumpState::AwaitDumpSize;
    dumpFinished = false;
    handler = Handler::HexDump;
    operation = Operation::Dump;
    ShowRetrievalBox(); // last: the box may be modal
}

void DataLogController::FilteredDump() {
    listing = false;
    if (!OpenLogFileIfAsked()) {
        return;
    }
    host.RecordsStarting();
    dumpState = DumpState::AwaitFilterEcho;
    dumpFinished = false;
    filterRefused = false;
    SetFilter();
    handler = Handler::FilteredDump;
    operation = Operation::Dump;
    ShowRetrievalBox();
}

void DataLogController::FinishDump(std::string_view instruction) {
    dumpFinished = true;
    host.SetReceiveInterval(kIdleInterval);
    host.SetBoxProgress(false, 0, 0);
    host.SetBoxInstruction(std::string(instruction));
    host.CloseBoxAfter(kCloseDelay, LogBoxResult::Ok);
}

void DataLogController::ShowRecord(const std::string& text, const std::string& rawLine) {
    host.AppendMemo(text);
    if (fileOpen) {
        WriteFile(settings.saveLogAsHex ? rawLine : text);
    }
}

void DataLogController::HexDumpHandler(const std::string& line) {
    if (dumpFinished) {
        return; // the box is closing; nothing more belongs to this dump
    }
    if (dumpState == DumpState::AwaitDumpSize) {
        const auto size = DumpSize(line);
        if (!size) {
            return; // echoes and answers of the filter commands
        }
        host.ShowBoxCancel();
        if (fileOpen && settings.saveLogAsHex) {
            WriteFile(line);
        }
        const std::int32_t lines = HexDumpDecoder::LinesForSize(*size);
        if (lines == 0) {
            FinishDump(logtext::kLogEmpty);
            return;
        }
        dumpState = DumpState::Receiving;
        host.SetBoxProgress(true, lines, 0);
        host.SetReceiveInterval(kFullDumpInterval);
        dumpLines = lines;
        dump.Start(lines);
        return;
    }
    if (dumpState != DumpState::Receiving) {
        return;
    }
    if (fileOpen && settings.saveLogAsHex) {
        WriteFile(line);
    }
    const bool complete = dump.AddLine(line, [&](const std::string& text) {
        host.RecordDecoded(rec.current);
        host.AppendMemo(text);
        if (fileOpen && !settings.saveLogAsHex) {
            WriteFile(text);
        }
    });
    host.ShowBacklog(dump.Backlog());
    const std::int32_t left = dump.LinesLeft() > 0 ? dump.LinesLeft() : 0;
    host.SetBoxProgress(true, dumpLines, dumpLines - left);
    if (complete) {
        FinishDump(logtext::kRetrievalComplete);
    }
}

void DataLogController::FilteredDumpHandler(const std::string& line) {
    if (dumpFinished) {
        return;
    }
    switch (dumpState) {
    case DumpState::AwaitFilterEcho:
        if (Contains(line, lastFilterMnemonic)) {
            dumpState = DumpState::AwaitFilterResult;
            host.ShowBoxCancel();
        } else if (Contains(line, "ERR")) {
            // A filter the transmitter refused would leave its old value in
            // force: the records shown would not be the ones asked for.
            filterRefused = true;
        }
        break;
    case DumpState::AwaitFilterResult:
        if (Contains(line, "ERR") || filterRefused) {
            dumpState = DumpState::Failed;
            dumpFinished = true;
            host.CloseBoxAfter(kCloseDelay, LogBoxResult::No);
        } else {
            dumpState = DumpState::AwaitFilteredHeader;
            host.QueueCommand(QueryCmd(mn::LHF));
        }
        break;
    case DumpState::AwaitFilteredHeader:
        if (Contains(line, mn::LHF)) {
            dumpState = DumpState::Receiving;
            host.SetReceiveInterval(kFilteredInterval);
            rec.recordCounter = 0;
        }
        break;
    case DumpState::Receiving:
        if (line.empty()) {
            break;
        }
        if (OnlyF(line)) {
            FinishDump(logtext::kRetrievalComplete);
        } else if (Contains(line, "=EMPTY")) {
            FinishDump(logtext::kLogEmpty);
        } else {
            ++rec.recordCounter;
            if (settings.extendedTables) {
                DecodeExpandedLine(line, rec.current);
            } else {
                rec.DecodeHexRecord(line);
            }
            host.RecordDecoded(rec.current);
            std::string text;
            rec.FormatRecord(text);
            ShowRecord(text, line);
        }
        break;
    case DumpState::AwaitDumpSize:
    case DumpState::Failed:
        break;
    }
}

void DataLogController::ClearLog() {
    if (!host.AskYesNo(std::string(logtext::kEraseQuestion))) {
        return;
    }
    host.QueueCommand(ClearCmd(mn::LOG));
    handler = Handler::Erase;
    operation = Operation::Erase;
    LogBoxSetup box;
    box.operation = logtext::kErasingOperation;
    box.cancelCaption = logtext::kCancelCaption;
    box.cancelVisible = true;
    box.instruction = logtext::kPleaseWait;
    box.instructionVisible = true;
    host.ShowBox(box);
}

void DataLogController::EraseHandler(const std::string& line) {
    if (Contains(line, "OK")) {
        host.SetBoxInstruction(std::string(logtext::kEraseComplete));
        host.CloseBoxAfter(kCloseDelay, LogBoxResult::Ok);
        handler = Handler::None;
    } else if (Contains(line, "ERR")) {
        host.SetBoxInstruction(std::string(logtext::kEraseError));
        host.CloseBoxAfter(kCloseDelay, LogBoxResult::No);
        handler = Handler::None;
    }
}

void DataLogController::BoxClosed(LogBoxResult result) {
    const Operation finished = operation;
    operation = Operation::None;
    handler = Handler::None;
    if (finished == Operation::Erase) {
        host.AppendMemo(std::string(result == LogBoxResult::Cancel ? logtext::kEraseCancelled
                                    : result == LogBoxResult::No   ? logtext::kEraseError
                                                                   : logtext::kEraseComplete));
        return;
    }
    if (finished != Operation::Dump) {
        return;
    }
    if (result == LogBoxResult::Cancel) {
        if (host.PortOpen()) {
            host.SendDirect(logtext::kAbortBytes);
            host.SendDirect(logtext::kEscape);
        }
        host.ReleaseCurrentCommand();
        host.AppendMemo(std::string(logtext::kDumpAborted));
        rxData.clear();
    } else if (result == LogBoxResult::No) {
        host.AppendMemo(std::string(logtext::kDumpError));
    }
    dumpFinished = true;
    listing = false;
    CloseFile();
    host.SetReceiveInterval(kIdleInterval);
}

void DataLogController::WriteFile(const std::string& line) {
    host.WriteLogLine(line);
}

void DataLogController::CloseFile() {
    if (fileOpen) {
        fileOpen = false;
        host.CloseLogFile();
    }
}

void DataLogController::UseConfigLabels(const XmtrConfig& cfg) {
    ApplyConfigLabels(cfg, rec);
    auto relabel = [](SensorList& list, const auto& rows) {
        const std::size_t n = std::min(list.size(), rows.size());
        for (std::size_t i = 0; i < n; ++i) {
            if (!rows[i].Label.empty()) {
                SetSensorEntryLabel(list, static_cast<int>(i), rows[i].Label.substr(0, 4), false);
            }
        }
    };
    relabel(filters.sdi12, cfg.SDI12);
    relabel(filters.internal, cfg.Internal);
    host.FiltersChanged();
}

std::string DataLogController::SaveDialogPath() const {
    return settings.logSavePath + std::string(logtext::kDefaultFileMask);
}

std::string DataLogController::OpenDialogPath() const {
    return settings.logOpenPath + std::string(logtext::kDefaultFileMask);
}

void DataLogController::RememberSavePath(const std::string& file) {
    settings.logSavePath = FolderOf(file);
}

void DataLogController::RememberOpenPath(const std::string& file) {
    settings.logOpenPath = FolderOf(file);
}

} // namespace tavin

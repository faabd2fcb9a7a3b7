#include "datalog/SavedHexLog.h"

#include "datalog/HexDumpDecoder.h"
#include "support/StringRoutines.h"

#include <limits>
#include <string_view>

namespace tavin {

namespace {

std::string_view Trim(std::string_view s) {
    const auto first = s.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = s.find_last_not_of(" \t\r\n");
    return s.substr(first, last - first + 1);
}

} // namespace

SavedHexLogResult DecodeSavedHexLog(const std::vector<std::string>& lines, TLOG_REC& rec) {
    SavedHexLogReader reader(rec);
    std::vector<std::string> records;
    auto sink = [&](const std::string& text) { records.push_back(text); };
    for (const std::string& line : lines) {
        reader.AddLine(line, sink);
    }
    reader.Finish(sink);
    SavedHexLogResult result = reader.Result();
    result.records = std::move(records);
    return result;
}

void SavedHexLogReader::AddLine(std::string_view raw, const HexDumpDecoder::RecordSink& sink) {
    const std::string_view line = Trim(raw);
    if (line.empty()) {
        return;
    }
    const bool hex = IsHexText(line, true);
    if (!dataSeen_ && !result_.hasSizeLine && hex) {
        result_.anyHex = true;
        // A size is a short number; a full-length line is data already.
        if (line.size() <= 8) {
            std::uint32_t size = 0;
            for (char c : line) {
                const int d = c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
                size = size * 16 + static_cast<std::uint32_t>(d);
            }
            result_.hasSizeLine = true;
            result_.sizeBytes = size;
            result_.expectedLines = HexDumpDecoder::LinesForSize(size);
            result_.empty = size == 0;
            return;
        }
    }
    if (!result_.hasSizeLine && !dataSeen_ && !hex) {
        return; // text before the log
    }
    result_.anyHex = result_.anyHex || hex;
    dataSeen_ = true;
    if (result_.empty) {
        return;
    }
    if (!started_) {
        // Without a size line every line is data, as many as there are.
        dump_.Start(result_.hasSizeLine ? result_.expectedLines
                                        : std::numeric_limits<std::int32_t>::max());
        started_ = true;
    }
    if (dump_.Complete()) {
        return;
    }
    ++result_.dataLines;
    dump_.AddLine(line, sink);
    dump_.Drain(sink);
}

void SavedHexLogReader::Finish(const HexDumpDecoder::RecordSink& sink) {
    if (!result_.hasSizeLine) {
        result_.expectedLines = result_.dataLines;
    }
    if (result_.empty) {
        return;
    }
    if (!started_) {
        dump_.Start(result_.expectedLines);
        started_ = true;
    }
    if (!dump_.Complete()) {
        dump_.Finish(sink);
    }
    result_.skippedBytes = dump_.SkippedBytes();
    result_.truncated = dump_.Truncated();
}

} // namespace tavin

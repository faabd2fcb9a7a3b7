#include "datalog/SavedHexLog.h"

#include "datalog/HexDumpDecoder.h"
#include "support/StringRoutines.h"

#include <string_view>

namespace tavin {

std::string_view TrimLogLine(std::string_view s) {
    const auto first = s.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = s.find_last_not_of(" \t\r\n");
    return s.substr(first, last - first + 1);
}

bool IsHexLogFile(const std::vector<std::string>& lines) {
    bool any = false;
    for (const std::string& raw : lines) {
        const std::string_view line = TrimLogLine(raw);
        if (line.empty()) {
            continue;
        }
        if (!IsHexText(line, true)) {
            return false;
        }
        any = true;
    }
    return any;
}

SavedHexLogResult DecodeSavedHexLog(const std::vector<std::string>& lines, TLOG_REC& rec,
                                    const std::function<void(const LogRecord&)>& onRecord) {
    SavedHexLogResult result;
    std::vector<std::string_view> data;
    for (const std::string& raw : lines) {
        const std::string_view line = TrimLogLine(raw);
        if (line.empty()) {
            continue;
        }
        if (data.empty() && !result.hasSizeLine && IsHexText(line, true)) {
            result.anyHex = true;
            // A size is a short number; a full-length line is data already.
            if (line.size() <= 8) {
                std::uint32_t size = 0;
                for (char c : line) {
                    const int d = c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
                    size = size * 16 + static_cast<std::uint32_t>(d);
                }
                result.hasSizeLine = true;
                result.sizeBytes = size;
                continue;
            }
        }
        if (!result.hasSizeLine && data.empty() && !IsHexText(line, true)) {
            continue; // text before the log
        }
        result.anyHex = result.anyHex || IsHexText(line, true);
        data.push_back(line);
    }
    result.expectedLines = result.hasSizeLine ? HexDumpDecoder::LinesForSize(result.sizeBytes)
                                              : static_cast<std::int32_t>(data.size());
    if (result.hasSizeLine && result.sizeBytes == 0) {
        result.empty = true;
        return result;
    }
    HexDumpDecoder dump(rec);
    dump.Start(result.expectedLines);
    auto sink = [&](const std::string& text) {
        result.records.push_back(text);
        if (onRecord) {
            onRecord(rec.current);
        }
    };
    for (std::string_view line : data) {
        ++result.dataLines;
        if (dump.AddLine(line, sink)) {
            break;
        }
    }
    if (!dump.Complete()) {
        dump.Finish(sink);
    }
    result.skippedBytes = dump.SkippedBytes();
    result.truncated = dump.Truncated();
    return result;
}

} // namespace tavin

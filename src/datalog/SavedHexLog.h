#pragma once
// Decodes a raw hex log as the data log window saves it: the size line
// (capital hex digits, the log size in bytes), then the 16-byte hex lines,
// and perhaps the fill line the prompt became. The lines are decoded exactly
// as a live full dump would show them. Saved files meet editors and mail on
// their way, so the reader is forgiving: blank lines and line ends of either
// kind are passed over, lower-case digits are read, a missing size line
// means "every line is data", and a file that stops early still yields every
// whole record it holds.

#include "datalog/HexDumpDecoder.h"
#include "datalog/TLOG_REC.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tavin {

struct SavedHexLogResult {
    std::vector<std::string> records; // the record lines, numbered from 00001
    bool hasSizeLine = false;
    std::uint32_t sizeBytes = 0;
    std::int32_t expectedLines = 0; // lines the size announces
    std::int32_t dataLines = 0;     // lines read as data
    std::int64_t skippedBytes = 0;  // bytes that were no record
    bool truncated = false;         // the last record was cut short
    bool empty = false;             // the size line said 0
    bool anyHex = false;            // the file held hex text at all
};

SavedHexLogResult DecodeSavedHexLog(const std::vector<std::string>& lines, TLOG_REC& rec);

// The same decoding a line at a time, for a file of any size: each record
// goes to the sink as soon as it is whole, and only the hex not yet decoded
// is kept.
class SavedHexLogReader {
public:
    explicit SavedHexLogReader(TLOG_REC& rec) : dump_(rec) {}

    void AddLine(std::string_view raw, const HexDumpDecoder::RecordSink& sink);
    // The end of the file.
    void Finish(const HexDumpDecoder::RecordSink& sink);
    // What was found; its records stay empty (they went to the sink).
    const SavedHexLogResult& Result() const { return result_; }
    // The hex text read but not yet decoded.
    std::size_t Pending() const { return dump_.Backlog().size(); }

private:
    HexDumpDecoder dump_;
    SavedHexLogResult result_;
    bool dataSeen_ = false; // a line was taken as data
    bool started_ = false;  // the decoder has been started
};

} // namespace tavin

#pragma once
// Decodes a full hex dump of the log as its lines arrive. Records straddle
// lines, so the hex text not yet decoded is kept as a backlog. Each line pays
// for at most a couple of decoding passes, which keeps the work of one timer
// tick small; once every announced line has arrived the backlog is decoded to
// its end. The erased memory after the last record reads as "F" fill, and
// the transmitter's prompt becomes a line of fill too: a backlog of nothing
// but fill after the last line means the dump is complete.

#include "datalog/TLOG_REC.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace tavin {

class HexDumpDecoder {
public:
    // Gets the rendered text of each record, counter included.
    using RecordSink = std::function<void(const std::string& text)>;

    explicit HexDumpDecoder(TLOG_REC& decoder) : rec(decoder) {}

    // The number of 16-byte lines a log of sizeBytes takes.
    static std::int32_t LinesForSize(std::uint32_t sizeBytes);

    // Starts a dump of the given number of lines: empty backlog, record
    // counter 0, a fresh record stream.
    void Start(std::int32_t lines);
    // One received line. Returns true when the dump is complete (then or
    // earlier); lines after completion are ignored.
    bool AddLine(std::string_view line, const RecordSink& sink);
    // The end of the input without completion (a saved file without its
    // fill): decodes everything left; a record cut short is skipped.
    void Finish(const RecordSink& sink);
    // While lines are still due: decodes every whole record the backlog
    // holds, passing over bytes that are no record, as the last line would;
    // fill at the end of the backlog is left for the completion. A reader
    // of a file calls it after each line so that the backlog stays short
    // whatever the file holds.
    void Drain(const RecordSink& sink);

    bool Complete() const { return complete; }
    std::int32_t LinesLeft() const { return linesLeft; }
    // The hex text not yet decoded.
    std::string_view Backlog() const { return std::string_view(backlog).substr(head); }
    // Bytes that were not part of any record (fill excluded) and bytes of a
    // record cut short at the end.
    std::int64_t SkippedBytes() const { return skipped; }
    bool Truncated() const { return truncated; }

    // A received line made fit for the backlog: lower-case digits raised, a
    // pair holding anything but hex digits replaced by "FF" (so that it is
    // skipped as no record rather than shifting the records after it), and a
    // dangling last character of an odd-length line dropped.
    static std::string NormalizeLine(std::string_view line);

private:
    enum class PassResult { Decoded, Skipped, NeedMore, Empty };
    PassResult Pass(const RecordSink& sink);
    bool OnlyFill() const;
    std::size_t Remaining() const { return backlog.size() - head; }
    void Consume(std::size_t chars);

    TLOG_REC& rec;
    std::string backlog;
    std::size_t head = 0;        // start of the undecoded text in backlog
    std::size_t lastNonFill = 0; // one past the last character that is not "F"
    std::int32_t linesLeft = 0;
    bool complete = false;
    bool truncated = false;
    std::int64_t skipped = 0;
};

} // namespace tavin

#include "datalog/HexDumpDecoder.h"

namespace tavin {

namespace {

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

char Upper(char c) {
    return (c >= 'a' && c <= 'f') ? static_cast<char>(c - 'a' + 'A') : c;
}

} // namespace

std::int32_t HexDumpDecoder::LinesForSize(std::uint32_t sizeBytes) {
    const std::uint32_t lines = sizeBytes / 16 + (sizeBytes % 16 != 0 ? 1 : 0);
    return static_cast<std::int32_t>(lines);
}

std::string HexDumpDecoder::NormalizeLine(std::string_view line) {
    std::string text;
    text.reserve(line.size());
    for (std::size_t i = 0; i + 1 < line.size(); i += 2) {
        if (IsHexDigit(line[i]) && IsHexDigit(line[i + 1])) {
            text += Upper(line[i]);
            text += Upper(line[i + 1]);
        } else {
            text += "FF";
        }
    }
    return text;
}

void HexDumpDecoder::Start(std::int32_t lines) {
    linesLeft = lines;
    backlog.clear();
    head = 0;
    lastNonFill = 0;
    complete = false;
    truncated = false;
    skipped = 0;
    rec.recordCounter = 0;
    rec.ResetStream();
    rec.current.time = 0;
}

bool HexDumpDecoder::OnlyFill() const {
    return Remaining() > 0 && lastNonFill <= head;
}

void HexDumpDecoder::Consume(std::size_t chars) {
    head += chars < Remaining() ? chars : Remaining();
    // Keep the decoded text from piling up in front of the backlog.
    if (head > 4096 && head * 2 > backlog.size()) {
        backlog.erase(0, head);
        lastNonFill = lastNonFill > head ? lastNonFill - head : 0;
        head = 0;
    }
}

HexDumpDecoder::PassResult HexDumpDecoder::Pass(const RecordSink& sink) {
    if (Remaining() == 0) {
        return PassResult::Empty;
    }
    const std::string_view text = std::string_view(backlog).substr(head, 24);
    const LogDecodeResult r = rec.TryDecodeHexRecord(text);
    if (!r.complete) {
        return PassResult::NeedMore;
    }
    if (r.type == kLogNoRecord) {
        if (text[0] != 'F' || text[1] != 'F') {
            ++skipped;
        }
        Consume(2);
        return PassResult::Skipped;
    }
    ++rec.recordCounter;
    std::string line;
    rec.FormatRecord(line);
    Consume(2 * static_cast<std::size_t>(r.length));
    sink(line);
    return PassResult::Decoded;
}

bool HexDumpDecoder::AddLine(std::string_view line, const RecordSink& sink) {
    if (complete) {
        return true;
    }
    const std::string text = NormalizeLine(line);
    backlog += text;
    const auto fill = text.find_last_not_of('F');
    if (fill != std::string::npos) {
        lastNonFill = backlog.size() - text.size() + fill + 1;
    }
    --linesLeft;
    // While lines are still due, a line buys two passes, more while whole
    // records keep coming, none after a byte that is no record. After the
    // last line the backlog is decoded to its end.
    const bool allReceived = linesLeft <= 0;
    int budget = 2;
    while (budget > 0) {
        --budget;
        const PassResult r = Pass(sink);
        if (r == PassResult::Empty || r == PassResult::NeedMore) {
            budget = 0;
        } else if (r == PassResult::Skipped) {
            budget = allReceived && !OnlyFill() ? 1 : 0;
        } else if (allReceived) {
            budget = 1;
        } else if (Remaining() < 16) {
            budget = 0;
        } else if (Remaining() >= 22) {
            budget = 1;
        }
        if (allReceived && OnlyFill()) {
            complete = true;
            budget = 0;
        }
    }
    return complete;
}

void HexDumpDecoder::Drain(const RecordSink& sink) {
    while (!complete && linesLeft > 0 && !OnlyFill()) {
        const PassResult r = Pass(sink);
        if (r == PassResult::NeedMore || r == PassResult::Empty) {
            break;
        }
    }
}

void HexDumpDecoder::Finish(const RecordSink& sink) {
    while (!complete && Remaining() > 0 && !OnlyFill()) {
        if (Pass(sink) == PassResult::NeedMore) {
            skipped += static_cast<std::int64_t>(Remaining() / 2);
            truncated = true;
            Consume(Remaining());
        }
    }
}

} // namespace tavin

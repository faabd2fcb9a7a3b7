#include "sim/SimTransmitter.h"

#include <algorithm>

namespace tavin::sim {
namespace {

constexpr char kEsc = 0x1B;
constexpr const char* kEscKey = "ESC";

bool IsLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

} // namespace

SimTransmitter::SimTransmitter() = default;

// ---- input ------------------------------------------------------------------

bool SimTransmitter::IsAsleep(std::int64_t nowMs) const {
    return sleepAfterMs_ > 0 && !HasPendingOutput() && nowMs - lastActivityMs_ > sleepAfterMs_;
}

void SimTransmitter::Receive(std::string_view bytes, std::int64_t nowMs) {
    if (unplugged_ || bytes.empty()) {
        return;
    }
    if (IsAsleep(nowMs)) {
        // Asleep, the transmitter loses what it was typing; the byte that
        // wakes it is lost too.
        partial_.clear();
        overlong_ = false;
        Note(nowMs, '*', "wake-up (first byte swallowed)");
        bytes.remove_prefix(1);
    }
    lastActivityMs_ = nowMs;
    for (char c : bytes) {
        if (c == '\n') {
            continue;
        }
        if (c == kEsc) {
            // ESC abandons the line being typed and the answer being sent.
            Count(kEscKey);
            Note(nowMs, '*', "ESC");
            partial_.clear();
            overlong_ = false;
            out_.clear();
            frontOffset_ = 0;
            pendingBytes_ = 0;
            continue;
        }
        if (c == '\r') {
            std::string line;
            line.swap(partial_);
            bool overlong = overlong_;
            overlong_ = false;
            HandleLine(line, overlong, nowMs);
            continue;
        }
        if (partial_.size() < kMaxLineLength) {
            partial_ += c;
        } else {
            overlong_ = true;
        }
    }
}

void SimTransmitter::Count(const std::string& mnemonic) {
    ++counts_[mnemonic];
}

bool SimTransmitter::Matches(const ErrOn& fault, std::string_view line, std::string_view mnemonic) {
    if (fault.times == 0 || fault.match.empty()) {
        return false;
    }
    bool prefixMatch = !std::all_of(fault.match.begin(), fault.match.end(), IsLetter);
    return prefixMatch ? line.substr(0, fault.match.size()) == fault.match
                       : mnemonic == fault.match;
}

bool SimTransmitter::TakeFault(std::vector<ErrOn>& faults, std::string_view line,
                               std::string_view mnemonic) {
    for (ErrOn& f : faults) {
        if (Matches(f, line, mnemonic)) {
            if (f.times > 0) {
                --f.times;
            }
            return true;
        }
    }
    return false;
}

void SimTransmitter::HandleLine(const std::string& line, bool overlong, std::int64_t nowMs) {
    std::string mnemonic = MnemonicOf(line);
    Count(mnemonic);
    lines_.push_back(line);
    if (lines_.size() > kKeptLines) {
        lines_.pop_front();
    }
    Note(nowMs, 'R', line);

    if (noAnswerLeft_ != 0 && !line.empty()) {
        if (noAnswerLeft_ > 0) {
            --noAnswerLeft_;
        }
        Note(nowMs, '*', "no answer (fault)");
        return;
    }
    Lines replies;
    if (overlong) {
        replies = {"ERR"};
    } else if (TakeFault(errOn_, line, mnemonic)) {
        Note(nowMs, '*', "ERR (fault)");
        replies = {"ERR"};
    } else if (TakeFault(invOn_, line, mnemonic)) {
        Note(nowMs, '*', "INV (fault)");
        replies = {"INV"};
    } else {
        replies = commands_.Execute(line, nowMs);
    }

    std::string answer;
    if (!line.empty()) {
        answer += line + "\r\n";
    }
    for (const std::string& r : replies) {
        answer += r + "\r\n";
        Note(nowMs, 'S', r);
    }
    answer += '>';
    Note(nowMs, 'S', ">");

    bool garble = false;
    if (garble_.every > 0) {
        garble = ++garbleCounter_ % garble_.every == 0;
    } else if (garble_.answers > 0) {
        --garble_.answers;
        garble = true;
    }
    if (garble) {
        std::mt19937 noise(garble_.seed++);
        std::string junk;
        for (int i = 0; i < garble_.bytes; ++i) {
            char c = static_cast<char>(noise() & 0xFF);
            junk += c == '>' ? '<' : c;
        }
        answer.swap(junk);
        Note(nowMs, '*', "answer garbled (fault)");
    }
    Enqueue(std::move(answer), nowMs + answerDelayMs_);
}

void SimTransmitter::Note(std::int64_t nowMs, char direction, std::string_view text) {
    if (transcript_) {
        transcript_(nowMs, direction, text);
    }
}

// ---- output -----------------------------------------------------------------

void SimTransmitter::Enqueue(std::string bytes, std::int64_t notBeforeMs) {
    if (bytes.empty() || unplugged_) {
        return;
    }
    if (pendingBytes_ + bytes.size() > kMaxPendingOutput) {
        // Nobody reads the line: drop rather than grow without bound.
        Note(notBeforeMs, '*', "output dropped (nobody reads)");
        return;
    }
    pendingBytes_ += bytes.size();
    out_.push_back(Segment{std::move(bytes), notBeforeMs});
}

void SimTransmitter::SendRaw(std::string_view bytes, std::int64_t nowMs) {
    Enqueue(std::string(bytes), nowMs);
}

std::int64_t SimTransmitter::NextOutputMs() const {
    if (out_.empty()) {
        return -1;
    }
    std::int64_t at = out_.front().notBeforeMs;
    if (paced_) {
        std::int64_t startNs = std::max(lineFreeNs_, at * 1000000);
        at = (startNs + kByteTimeNs + 999999) / 1000000;
    }
    if (chunked_) {
        at = std::max(at, chunkNotBeforeMs_);
    }
    return at;
}

std::string SimTransmitter::Poll(std::int64_t nowMs) {
    std::string result;
    if (out_.empty() || (chunked_ && nowMs < chunkNotBeforeMs_)) {
        return result;
    }
    std::size_t budget = static_cast<std::size_t>(-1);
    if (chunked_) {
        std::uniform_int_distribution<int> size(1, std::max(1, chunking_.maxChunk));
        budget = static_cast<std::size_t>(size(random_));
    }
    const std::int64_t nowNs = nowMs * 1000000;
    while (!out_.empty() && budget > 0) {
        Segment& s = out_.front();
        if (s.notBeforeMs > nowMs) {
            break;
        }
        std::size_t left = s.bytes.size() - frontOffset_;
        std::size_t take = std::min(left, budget);
        if (paced_) {
            // Only the bytes whose last bit has left by now.
            std::int64_t startNs = std::max(lineFreeNs_, s.notBeforeMs * 1000000);
            std::int64_t due = (nowNs - startNs) / kByteTimeNs;
            if (due <= 0) {
                break;
            }
            take = std::min<std::size_t>(take, static_cast<std::size_t>(due));
            lineFreeNs_ = startNs + static_cast<std::int64_t>(take) * kByteTimeNs;
        }
        result.append(s.bytes, frontOffset_, take);
        frontOffset_ += take;
        pendingBytes_ -= take;
        budget -= take;
        if (frontOffset_ == s.bytes.size()) {
            out_.pop_front();
            frontOffset_ = 0;
        } else {
            break;
        }
    }
    if (!result.empty()) {
        lastActivityMs_ = nowMs;
        if (chunked_ && chunking_.maxGapMs > 0) {
            std::uniform_int_distribution<int> gap(0, chunking_.maxGapMs);
            chunkNotBeforeMs_ = nowMs + gap(random_);
        }
    }
    return result;
}

// ---- faults -----------------------------------------------------------------

void SimTransmitter::Inject(const Garble& fault) {
    garble_ = fault;
    garbleCounter_ = 0;
}

void SimTransmitter::Inject(const Chunked& fault) {
    chunked_ = true;
    chunking_ = fault;
    random_.seed(fault.seed);
    chunkNotBeforeMs_ = 0;
}

void SimTransmitter::ClearFaults() {
    noAnswerLeft_ = 0;
    errOn_.clear();
    invOn_.clear();
    garble_ = Garble{0, 0, 1, 0};
    chunked_ = false;
    unplugged_ = false;
}

// ---- configuration and inspection -------------------------------------------

bool SimTransmitter::LoadConfiguration(std::string_view text, std::vector<std::string>* refused,
                                       std::int64_t nowMs) {
    bool allTaken = true;
    int number = 0;
    commands_.SetLoading(true);
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        ++number;
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) {
            line.remove_suffix(1);
        }
        if (line.empty()) {
            continue;
        }
        Lines replies = commands_.Execute(line, nowMs);
        for (const std::string& r : replies) {
            if (r == "ERR" || r == "INV") {
                allTaken = false;
                if (refused) {
                    refused->push_back("line " + std::to_string(number) + ": " + std::string(line) +
                                       " -> " + r);
                }
                break;
            }
        }
    }
    commands_.SetLoading(false);
    commands_.StoreConfiguration();
    return allTaken;
}

std::string SimTransmitter::DumpConfiguration() const {
    std::string text;
    for (const std::string& line : commands_.Dump(true)) {
        text += line + "\r\n";
    }
    return text + "CFS\r\n";
}

int SimTransmitter::ReceivedCount(std::string_view mnemonic) const {
    auto it = counts_.find(mnemonic);
    return it == counts_.end() ? 0 : it->second;
}

void SimTransmitter::ResetCounts() {
    counts_.clear();
    lines_.clear();
}

std::string SimTransmitter::Value(std::string_view mnemonic) const {
    return commands_.Working().Scalar(mnemonic);
}

void SimTransmitter::SetValue(std::string_view mnemonic, std::string_view text) {
    commands_.Working().SetScalar(mnemonic, text);
}

} // namespace tavin::sim

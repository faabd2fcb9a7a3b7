#include "datalog/TLOG_REC.h"

#include "datalog/LogValueFormat.h"
#include "support/CivilDate.h"

#include <cstdio>

namespace tavin {

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

// Days from 1970-01-01 to a civil date (proleptic Gregorian).
long long DaysFromCivil(int y, int m, int d) {
    y -= m <= 2 ? 1 : 0;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

std::string DefaultLabel(int index) {
    const bool internal = index >= TLOG_REC::kInternalLabelBase;
    const int n = internal ? index - TLOG_REC::kInternalLabelBase : index;
    std::string text = internal ? (n < 10 ? "INT" : "IN") : (n < 10 ? "SDI" : "SD");
    return text + std::to_string(n);
}

// The slot of the format memory a record uses.
int FormatSlot(int code, int sensor) {
    if (code <= 10) {
        return code;
    }
    if (code <= 13) {
        if (sensor >= 64 && sensor < 128) {
            return 136 + sensor - 64;
        }
        if (sensor >= 128 && sensor < 192) {
            return 136 + sensor - 128;
        }
        return 0;
    }
    if (code == 14 || (code >= 16 && code <= 47)) {
        return 8 + sensor;
    }
    return 72 + sensor;
}

} // namespace

int ReadHexBytes(std::string_view text, std::uint8_t* bytes, int count) {
    int n = 0;
    while (n < count && static_cast<std::size_t>(2 * n + 1) < text.size()) {
        const int hi = HexDigit(text[2 * n]);
        const int lo = HexDigit(text[2 * n + 1]);
        if (hi < 0 || lo < 0) {
            break;
        }
        bytes[n++] = static_cast<std::uint8_t>(hi * 16 + lo);
    }
    return n;
}

void DecodeExpandedLine(std::string_view line, LogRecord& record) {
    std::uint8_t b[TLOG_REC::kMaxRecordBytes];
    for (auto& byte : b) {
        byte = 255;
    }
    ReadHexBytes(line, b, TLOG_REC::kMaxRecordBytes);
    record.type = b[0];
    record.number = b[1];
    record.time = (std::uint32_t{b[2]} << 24) | (std::uint32_t{b[3]} << 16) |
                  (std::uint32_t{b[4]} << 8) | b[5];
    record.formatCode = b[6];
    for (int i = 0; i < 4; ++i) {
        record.value[i] = b[7 + i];
    }
}

TLOG_REC::TLOG_REC() {
    for (int i = 0; i < kLabelCount; ++i) {
        labels[i] = DefaultLabel(i);
    }
    lastRecordTime = baseDate;
}

void TLOG_REC::SetSensorLabel(int index, std::string_view label) {
    if (index < 0 || index >= kLabelCount) {
        return;
    }
    std::string text(label.substr(0, 4));
    text.resize(4, ' ');
    labels[index] = text;
}

const std::string& TLOG_REC::SensorLabel(int index) const {
    static const std::string kNone = "ERR ";
    return index >= 0 && index < kLabelCount ? labels[index] : kNone;
}

void TLOG_REC::SetBucketMultiplier(int index) {
    if (index >= 0 && index < kBucketMultiplierCount) {
        bucketMultiplierIndex = static_cast<std::uint8_t>(index);
    }
}

void TLOG_REC::ResetStream() {
    current = LogRecord{};
    formatMemory.fill(0);
    runningTime = 0;
    recordLength = 0;
    lastRecordTime = baseDate;
}

std::uint8_t TLOG_REC::DecodeHexRecord(std::string_view hex) {
    return Decode(hex, true).type;
}

LogDecodeResult TLOG_REC::TryDecodeHexRecord(std::string_view hex) {
    return Decode(hex, false);
}

LogDecodeResult TLOG_REC::Decode(std::string_view hex, bool commitIncomplete) {
    std::uint8_t b[kMaxRecordBytes];
    for (auto& byte : b) {
        byte = 255;
    }
    const int available = ReadHexBytes(hex, b, kMaxRecordBytes);
    LogDecodeResult result;
    auto noRecord = [&](int needed) {
        // A record that is invalid only because its bytes are still missing
        // is not yet judged.
        result.complete = needed <= available;
        if (commitIncomplete || result.complete) {
            current.type = kLogNoRecord;
            recordLength = 1;
        }
        return result;
    };
    const std::uint8_t header = b[0];
    if (header == 255) {
        return noRecord(1);
    }
    const bool compressed = (header & 0x80) != 0;
    const bool formatOmitted = (header & 0x40) != 0;
    const int code = header & 0x3F;
    int pos = 1;
    std::uint8_t type = kLogNoRecord;
    int number = 0;
    if (code <= 10) {
        if (code < kEventStx || code > kEventOcxo) {
            return noRecord(1);
        }
        type = kLogEvent;
        number = code;
    } else if (code <= 15) {
        number = b[pos++];
        if (code <= 13) {
            type = static_cast<std::uint8_t>(kLogMinimum + code - 11);
        } else {
            if (number >= 64) {
                return noRecord(2);
            }
            type = code == 14 ? kLogSdi12Sample : kLogInternalSample;
        }
    } else if (code <= 47) {
        type = kLogSdi12Sample;
        number = code - 16;
    } else {
        type = kLogInternalSample;
        number = code - 48;
    }
    const int slot = FormatSlot(code, number);

    std::uint32_t time;
    if (!compressed) {
        time = (std::uint32_t{b[pos]} << 24) | (std::uint32_t{b[pos + 1]} << 16) |
               (std::uint32_t{b[pos + 2]} << 8) | b[pos + 3];
        pos += 4;
    } else if (b[pos] & 0x80) {
        time = runningTime + (b[pos] & 0x7Fu);
        pos += 1;
    } else {
        time = runningTime + ((std::uint32_t{b[pos]} << 8) | b[pos + 1]);
        pos += 2;
    }
    std::uint8_t format;
    if (formatOmitted) {
        format = formatMemory[slot];
    } else {
        format = b[pos++];
    }
    LogRecord record;
    record.type = type;
    record.number = static_cast<std::uint8_t>(number);
    record.time = time;
    record.formatCode = format;
    for (int i = 0; i < 4; ++i) {
        record.value[i] = b[pos + i];
    }
    int valueSize;
    if (type == kLogEvent) {
        valueSize = (number == kEventStx || number == kEventSync) ? 0 : 4;
    } else {
        valueSize = (format == 6 || format == 7 || format == 15 || (format & 0x08)) ? 2 : 4;
    }
    result.type = type;
    result.length = pos + valueSize;
    result.complete = result.length <= available;
    if (!result.complete && !commitIncomplete) {
        return result;
    }
    runningTime = time;
    if (!formatOmitted) {
        formatMemory[slot] = format;
    }
    current = record;
    recordLength = static_cast<std::uint8_t>(result.length);
    return result;
}

LogDateTime TLOG_REC::RecordDateTime(std::uint32_t seconds) const {
    const long long base = DaysFromCivil(baseDate.year, baseDate.month, baseDate.day) * 86400LL +
                           baseDate.hour * 3600LL + baseDate.minute * 60LL + baseDate.second;
    const long long t = base + seconds;
    long long days = t / 86400;
    long long rest = t % 86400;
    if (rest < 0) {
        rest += 86400;
        --days;
    }
    LogDateTime dt;
    CivilFromDays(days, dt.year, dt.month, dt.day);
    dt.hour = static_cast<int>(rest / 3600);
    dt.minute = static_cast<int>(rest / 60 % 60);
    dt.second = static_cast<int>(rest % 60);
    return dt;
}

long long TLOG_REC::RecordSeconds(const LogDateTime& when) const {
    const auto at = [](const LogDateTime& t) {
        return DaysFromCivil(t.year, t.month, t.day) * 86400LL + t.hour * 3600LL + t.minute * 60LL +
               t.second;
    };
    return at(when) - at(baseDate);
}

std::string TLOG_REC::RecordLine(const LogRecord& record) {
    std::string line;
    // Label: the sensor's, the event's, or a marker that ends the line.
    bool internal = false;
    if (record.type == kLogEvent) {
        static const char* const kEventLabels[] = {"STX ", "ETX ", "SYNC", "TCXO", "OCXO"};
        if (record.number < kEventStx || record.number > kEventOcxo) {
            return "UNKNOWN_EVENT";
        }
        line = kEventLabels[record.number - 1];
    } else if (record.type == kLogSdi12Sample || record.type == kLogInternalSample) {
        if (record.number >= 64) {
            return "ERR ";
        }
        internal = record.type == kLogInternalSample;
        line = labels[record.number + (internal ? kInternalLabelBase : 0)];
    } else if (record.type >= kLogMinimum && record.type <= kLogAverage) {
        if (record.number >= 64 && record.number < 128) {
            line = labels[record.number - 64];
        } else if (record.number >= 128 && record.number < 192) {
            internal = true;
            line = labels[record.number - 128 + kInternalLabelBase];
        } else {
            return "ERR ";
        }
    } else {
        return "ERR ";
    }

    const LogDateTime dt = RecordDateTime(record.time);
    lastRecordTime = dt;
    char stamp[40];
    std::snprintf(stamp, sizeof stamp, " %02d/%02d/%04d %02d:%02d:%02d", dt.month, dt.day, dt.year,
                  dt.hour, dt.minute, dt.second);
    line += stamp;

    if (record.type == kLogEvent && record.number == kEventSync) {
        return line;
    }
    line += FormatLogValue(record, internal, bucketMultiplierIndex);
    if (record.type == kLogMinimum) {
        line += " MIN";
    } else if (record.type == kLogMaximum) {
        line += " MAX";
    } else if (record.type == kLogAverage) {
        line += " AVG";
    }
    if (record.type == kLogEvent && record.number == kEventEtx) {
        line += FormatTransmissionDetail(record);
    }
    return line;
}

void TLOG_REC::FormatRecord(const LogRecord& record, std::string& text) {
    const std::string line = RecordLine(record);
    if (recordCounter == 0) {
        text += line;
        return;
    }
    char counter[24];
    std::snprintf(counter, sizeof counter, "%5.5u ", static_cast<unsigned>(recordCounter));
    text = counter;
    text += line;
}

} // namespace tavin

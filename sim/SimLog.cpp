#include "sim/SimLog.h"

#include "support/FixedFormats.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace tavin::sim {

namespace {

constexpr std::uint32_t kDay = 86400;

// Days from 01/01/2000 to a calendar date.
long DaysSince2000(int year, int month, int day) {
    static const int kBefore[] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
    long days = 0;
    for (int y = 2000; y < year; ++y) {
        days += (y % 4 == 0 && (y % 100 != 0 || y % 400 == 0)) ? 366 : 365;
    }
    days += kBefore[month - 1] + day - 1;
    const bool leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
    if (leap && month > 2) {
        ++days;
    }
    return days;
}

std::string Hex(const std::vector<std::uint8_t>& data) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string text;
    for (std::uint8_t b : data) {
        text += kDigits[b >> 4];
        text += kDigits[b & 15];
    }
    return text;
}

int Slot(const SimLog::Entry& e) {
    switch (e.kind) {
    case SimLog::Kind::Event:
        return e.number;
    case SimLog::Kind::Sdi12:
        return 8 + e.number;
    case SimLog::Kind::Internal:
        return 72 + e.number;
    default:
        return 136 + e.number;
    }
}

bool IsSummary(SimLog::Kind k) {
    return k == SimLog::Kind::Minimum || k == SimLog::Kind::Maximum || k == SimLog::Kind::Average;
}

// Header code and optional sensor byte (-1 for none).
void HeaderOf(const SimLog::Entry& e, int& code, int& sensorByte) {
    sensorByte = -1;
    switch (e.kind) {
    case SimLog::Kind::Event:
        code = e.number;
        break;
    case SimLog::Kind::Sdi12:
        if (e.number < 32) {
            code = 16 + e.number;
        } else {
            code = 14;
            sensorByte = e.number;
        }
        break;
    case SimLog::Kind::Internal:
        if (e.number < 16) {
            code = 48 + e.number;
        } else {
            code = 15;
            sensorByte = e.number;
        }
        break;
    default:
        code = 11 + static_cast<int>(e.kind) - static_cast<int>(SimLog::Kind::Minimum);
        sensorByte = (e.internalSensor ? 128 : 64) + e.number;
        break;
    }
}

void PutTime(std::vector<std::uint8_t>& out, std::uint32_t t) {
    out.push_back(static_cast<std::uint8_t>(t >> 24));
    out.push_back(static_cast<std::uint8_t>(t >> 16));
    out.push_back(static_cast<std::uint8_t>(t >> 8));
    out.push_back(static_cast<std::uint8_t>(t));
}

// A sensor list of a filter command: items n or a-b within 0-63.
std::optional<std::vector<bool>> ParseList(std::string_view text) {
    std::vector<bool> set(64, false);
    if (text.find_first_not_of(' ') == std::string_view::npos) {
        return set; // a blank alone: no sensor
    }
    std::size_t pos = 0;
    while (pos <= text.size()) {
        const auto comma = text.find(',', pos);
        const std::string_view item = text.substr(
            pos, comma == std::string_view::npos ? std::string_view::npos : comma - pos);
        int a = -1, b = -1;
        const auto dash = item.find('-');
        auto number = [](std::string_view t, int& v) {
            if (t.empty() || t.size() > 2) {
                return false;
            }
            v = 0;
            for (char c : t) {
                if (c < '0' || c > '9') {
                    return false;
                }
                v = v * 10 + (c - '0');
            }
            return v < 64;
        };
        if (dash == std::string_view::npos) {
            if (!number(item, a)) {
                return std::nullopt;
            }
            b = a;
        } else if (!number(item.substr(0, dash), a) || !number(item.substr(dash + 1), b) || b < a) {
            return std::nullopt;
        }
        for (int i = a; i <= b; ++i) {
            set[static_cast<std::size_t>(i)] = true;
        }
        if (comma == std::string_view::npos) {
            break;
        }
        pos = comma + 1;
    }
    return set;
}

} // namespace

int SimLog::ValueSize(const Entry& e) {
    if (e.kind == Kind::Event) {
        return (e.number == 1 || e.number == 3) ? 0 : 4;
    }
    const int f = e.format;
    return (f == 6 || f == 7 || f == 15 || (f & 8) != 0) ? 2 : 4;
}

std::array<std::uint8_t, 4> SimLog::SingleValue(float value) {
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return {static_cast<std::uint8_t>(bits >> 24), static_cast<std::uint8_t>(bits >> 16),
            static_cast<std::uint8_t>(bits >> 8), static_cast<std::uint8_t>(bits)};
}

std::array<std::uint8_t, 4> SimLog::Int16Value(int value) {
    const auto v = static_cast<std::uint16_t>(value);
    return {static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v), 255, 255};
}

void SimLog::Clear() {
    entries.clear();
    bytes.clear();
    lastFormat.fill(-1);
    anyRecord = false;
    lastTime = 0;
}

bool SimLog::Add(Entry e) {
    if (e.kind == Kind::Event ? (e.number < 1 || e.number > 5) : (e.number < 0 || e.number > 63)) {
        return false;
    }
    // Only the bytes the record keeps are part of it.
    for (int i = ValueSize(e); i < 4; ++i) {
        e.value[static_cast<std::size_t>(i)] = 255;
    }
    Encode(e);
    entries.push_back(e);
    return true;
}

void SimLog::Encode(const Entry& e) {
    int code, sensorByte;
    HeaderOf(e, code, sensorByte);
    const int slot = Slot(e);
    const bool omitFormat = lastFormat[static_cast<std::size_t>(slot)] == e.format;
    const bool compress = anyRecord && e.time >= lastTime && e.time - lastTime < 32768;
    std::uint8_t header = static_cast<std::uint8_t>(code);
    header |= compress ? 0x80 : 0;
    header |= omitFormat ? 0x40 : 0;
    bytes.push_back(header);
    if (sensorByte >= 0) {
        bytes.push_back(static_cast<std::uint8_t>(sensorByte));
    }
    if (!compress) {
        PutTime(bytes, e.time);
    } else {
        const std::uint32_t delta = e.time - lastTime;
        if (delta < 128) {
            bytes.push_back(static_cast<std::uint8_t>(0x80 | delta));
        } else {
            bytes.push_back(static_cast<std::uint8_t>(delta >> 8));
            bytes.push_back(static_cast<std::uint8_t>(delta));
        }
    }
    if (!omitFormat) {
        bytes.push_back(e.format);
        lastFormat[static_cast<std::size_t>(slot)] = e.format;
    }
    for (int i = 0; i < ValueSize(e); ++i) {
        bytes.push_back(e.value[static_cast<std::size_t>(i)]);
    }
    anyRecord = true;
    lastTime = e.time;
}

std::vector<std::uint8_t> SimLog::Standalone(const Entry& e) const {
    int code, sensorByte;
    HeaderOf(e, code, sensorByte);
    std::vector<std::uint8_t> out{static_cast<std::uint8_t>(code)};
    if (sensorByte >= 0) {
        out.push_back(static_cast<std::uint8_t>(sensorByte));
    }
    PutTime(out, e.time);
    out.push_back(e.format);
    for (int i = 0; i < ValueSize(e); ++i) {
        out.push_back(e.value[static_cast<std::size_t>(i)]);
    }
    return out;
}

std::vector<std::uint8_t> SimLog::Expanded(const Entry& e) const {
    int code, sensorByte;
    HeaderOf(e, code, sensorByte);
    std::vector<std::uint8_t> out;
    out.push_back(static_cast<std::uint8_t>(64 + static_cast<int>(e.kind)));
    out.push_back(static_cast<std::uint8_t>(IsSummary(e.kind) ? sensorByte : e.number));
    PutTime(out, e.time);
    out.push_back(e.format);
    out.insert(out.end(), e.value.begin(), e.value.end());
    return out;
}

bool SimLog::AddSample(Kind kind, int sensor, std::uint32_t time, std::uint8_t format,
                       std::array<std::uint8_t, 4> value) {
    if (kind != Kind::Sdi12 && kind != Kind::Internal) {
        return false;
    }
    return Add({kind, sensor, kind == Kind::Internal, time, format, value});
}

bool SimLog::AddSummary(Kind kind, bool internalSensor, int sensor, std::uint32_t time,
                        std::uint8_t format, std::array<std::uint8_t, 4> value) {
    if (!IsSummary(kind)) {
        return false;
    }
    return Add({kind, sensor, internalSensor, time, format, value});
}

bool SimLog::AddStx(std::uint32_t time, int kind) {
    return Add({Kind::Event, 1, false, time, static_cast<std::uint8_t>((kind & 3) << 2), {}});
}

bool SimLog::AddEtx(std::uint32_t time, int kind, int failure, int firstTenths, int secondTenths,
                    int thirdTenths) {
    const auto f2 = static_cast<std::uint16_t>(secondTenths) & 0xFFF;
    const auto f3 = static_cast<std::uint16_t>(thirdTenths) & 0xFFF;
    const std::array<std::uint8_t, 4> value{
        static_cast<std::uint8_t>(firstTenths), static_cast<std::uint8_t>(f2 >> 4),
        static_cast<std::uint8_t>(((f2 & 15) << 4) | (f3 >> 8)), static_cast<std::uint8_t>(f3)};
    const auto format = static_cast<std::uint8_t>(((failure & 3) << 4) | ((kind & 3) << 2));
    return Add({Kind::Event, 2, false, time, format, value});
}

bool SimLog::AddSync(std::uint32_t time) {
    return Add({Kind::Event, 3, false, time, 0, {}});
}

bool SimLog::AddCalibration(int event, std::uint32_t time, std::uint8_t format, float ppm) {
    if (event != 4 && event != 5) {
        return false;
    }
    return Add({Kind::Event, event, false, time, format, SingleValue(ppm)});
}

void SimLog::AddTypicalDays(std::uint32_t start, int days) {
    for (int d = 0; d < days; ++d) {
        const std::uint32_t day = start + static_cast<std::uint32_t>(d) * kDay;
        AddSync(day + 5);
        for (int q = 0; q < 96; ++q) {
            const std::uint32_t t = day + static_cast<std::uint32_t>(q) * 900 + 60;
            const double phase = (d * 96 + q) / 16.0;
            AddSample(Kind::Sdi12, 0, t, 9,
                      Int16Value(static_cast<int>(215 + 40 * std::sin(phase))));
            AddSample(Kind::Sdi12, 1, t + 2, 2,
                      SingleValue(static_cast<float>(3.5 + std::cos(phase))));
            AddSample(Kind::Internal, 0, t + 4, 10,
                      Int16Value(static_cast<int>(1275 - (q % 7))));         // battery
            AddSample(Kind::Internal, 1, t + 5, 6, Int16Value(88 + q % 5));  // temperature
            AddSample(Kind::Internal, 2, t + 6, 15, Int16Value(d * 96 + q)); // bucket tips
            if (q % 4 == 3) {
                const std::uint32_t h = t + 30;
                AddSummary(Kind::Minimum, false, 0, h, 9, Int16Value(180));
                AddSummary(Kind::Maximum, false, 0, h, 9, Int16Value(251));
                AddSummary(Kind::Average, true, 1, h, 6, Int16Value(90));
            }
            if (q % 12 == 11) {
                AddStx(t + 300, 1);
                AddEtx(t + 310, 1, 0, 125, 31, 2);
            }
        }
        AddCalibration(4, day + 43200, 3, static_cast<float>(0.125 + 0.001 * d));
    }
}

bool SimLog::Passes(const Entry& e) const {
    if (filters.before && e.time > *filters.before) {
        return false;
    }
    if (filters.after && e.time < *filters.after) {
        return false;
    }
    const bool event = e.kind == Kind::Event;
    if ((filters.type == 'D' && event) || (filters.type == 'E' && !event)) {
        return false;
    }
    if (event) {
        return true;
    }
    const bool internal = IsSummary(e.kind) ? e.internalSensor : e.kind == Kind::Internal;
    const auto& set = internal ? filters.internal : filters.sdi12;
    return !set || (*set)[static_cast<std::size_t>(e.number)];
}

std::vector<std::string> SimLog::HexDump() const {
    char size[16];
    std::snprintf(size, sizeof size, "%X", static_cast<unsigned>(bytes.size()));
    std::vector<std::string> lines{size};
    for (std::size_t i = 0; i < bytes.size(); i += 16) {
        std::vector<std::uint8_t> chunk(bytes.begin() + static_cast<long>(i),
                                        bytes.begin() +
                                            static_cast<long>(std::min(i + 16, bytes.size())));
        chunk.resize(16, 0xFF);
        lines.push_back(Hex(chunk));
    }
    return lines;
}

std::vector<std::string> SimLog::FilteredDump() const {
    std::vector<std::string> lines;
    for (const Entry& e : entries) {
        if (Passes(e)) {
            lines.push_back(Hex(expandedFiltered ? Expanded(e) : Standalone(e)));
        }
    }
    if (lines.empty()) {
        lines.push_back("LHF=EMPTY");
    }
    return lines;
}

std::vector<std::string> SimLog::FilterDisplay() const {
    auto dateLine = [](const char* key, const std::string& text) {
        return std::string(key) + " " + (text.empty() ? "*" : text);
    };
    std::string type = "*";
    if (filters.type == 'D') {
        type = "Data";
    } else if (filters.type == 'E') {
        type = "Event";
    }
    return {dateLine("Before:", filters.beforeText), dateLine("After:", filters.afterText),
            "Type: " + type, "SDI-12: " + filters.sdi12Text, "Intern: " + filters.internalText};
}

std::string SimLog::SetFilter(std::string_view mnemonic, std::string_view value) {
    const bool off = value == "*";
    if (mnemonic == "LFB" || mnemonic == "LFA") {
        std::optional<std::uint32_t> t;
        std::string text;
        if (!off) {
            const auto comma = value.find(',');
            int y, mo, d, h, mi, s;
            if (comma == std::string_view::npos ||
                !ParseShortDate(value.substr(0, comma), y, mo, d) ||
                !ParseLongTime(value.substr(comma + 1), h, mi, s) || y < 2000 || y > 2099) {
                return "ERR";
            }
            t = static_cast<std::uint32_t>(DaysSince2000(y, mo, d)) * kDay +
                static_cast<std::uint32_t>(h * 3600 + mi * 60 + s);
            char shown[32];
            std::snprintf(shown, sizeof shown, "%02d/%02d/%02d,%02d:%02d:%02d", mo, d, y % 100, h,
                          mi, s);
            text = shown;
        }
        (mnemonic == "LFB" ? filters.before : filters.after) = t;
        (mnemonic == "LFB" ? filters.beforeText : filters.afterText) = text;
        return "OK";
    }
    if (mnemonic == "LFT") {
        if (off) {
            filters.type = 0;
            return "OK";
        }
        const char c = value.empty() ? 0 : static_cast<char>(value[0] & ~0x20);
        if (c != 'D' && c != 'E') {
            return "ERR";
        }
        filters.type = c;
        return "OK";
    }
    auto& set = mnemonic == "LFS" ? filters.sdi12 : filters.internal;
    auto& text = mnemonic == "LFS" ? filters.sdi12Text : filters.internalText;
    if (off) {
        set.reset();
        text.assign(1, '*');
        return "OK";
    }
    auto parsed = ParseList(value);
    if (!parsed) {
        return "ERR";
    }
    set = std::move(*parsed);
    text = value.find_first_not_of(' ') == std::string_view::npos ? "" : std::string(value);
    return "OK";
}

std::optional<std::vector<std::string>> SimLog::Answer(std::string_view line) {
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) {
        line.remove_suffix(1);
    }
    if (line == "LHD?") {
        return HexDump();
    }
    if (line == "LHF?") {
        return FilteredDump();
    }
    if (line == "LFD") {
        return FilterDisplay();
    }
    if (line == "LF*") {
        filters = Filters{};
        return std::vector<std::string>{"OK"};
    }
    if (line == "LOG=CLEAR") {
        Clear();
        return std::vector<std::string>{"OK"};
    }
    if (line.size() >= 4 && line[3] == '=') {
        const std::string_view mnemonic = line.substr(0, 3);
        if (mnemonic == "LFB" || mnemonic == "LFA" || mnemonic == "LFT" || mnemonic == "LFS" ||
            mnemonic == "LFI") {
            return std::vector<std::string>{SetFilter(mnemonic, line.substr(4))};
        }
    }
    return std::nullopt;
}

} // namespace tavin::sim

#include "sim/SimStatusReports.h"
#include "sim/SimCommandLine.h"

#include "support/StringRoutines.h"

#include <cctype>
#include <cstdio>

namespace tavin::sim {
namespace {

constexpr std::int64_t kDay = 86400;
constexpr const char* kNotScheduled = "00/00/0000,00:00:00";

bool SameWord(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(a[i])) !=
            std::toupper(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

std::string Fixed(double v, int decimals) {
    char buf[48];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    return buf;
}

// The text of a quoted message text field: the outer quotes dropped and
// doubled quotes made single; an unquoted text is taken up to its comma.
std::string UnquoteText(std::string_view v) {
    std::string out;
    if (v.empty() || v[0] != '"') {
        return std::string(v.substr(0, v.find(',')));
    }
    for (std::size_t i = 1; i < v.size(); ++i) {
        if (v[i] == '"') {
            if (i + 1 < v.size() && v[i + 1] == '"') {
                out += '"';
                ++i;
                continue;
            }
            break;
        }
        out += v[i];
    }
    return out;
}

int LeadingNumber(std::string_view t, int fallback) {
    int n = 0;
    std::size_t i = 0;
    while (i < t.size() && i < 4 && t[i] >= '0' && t[i] <= '9') {
        n = n * 10 + (t[i] - '0');
        ++i;
    }
    return i == 0 ? fallback : n;
}

} // namespace

std::int64_t SecondsOfTimeText(std::string_view text) {
    std::int64_t days = 0;
    if (text.size() == 11 && text[2] == ':') {
        if (!IsIntegerText(text.substr(0, 2), false)) {
            return -1;
        }
        days = (text[0] - '0') * 10 + (text[1] - '0');
        text = text.substr(3);
    }
    if (!IsTimeText(text, true)) {
        return -1;
    }
    auto two = [&](std::size_t at) { return (text[at] - '0') * 10 + (text[at + 1] - '0'); };
    return days * kDay + two(0) * 3600 + two(3) * 60 + two(6);
}

int ChannelOf(std::string_view value) {
    std::string first = Fields(value)[0];
    if (first.empty()) {
        return 0;
    }
    if (!IsIntegerText(first, false)) {
        return 1; // an ARGOS channel
    }
    return LeadingNumber(first, 0);
}

bool SimStatusReports::Scheduled() const {
    return unit_.run != RunState::Disabled && unit_.clock.IsSet();
}

bool SimStatusReports::NextTime(std::int64_t offset, std::int64_t interval,
                                SimClock::Seconds& next) const {
    if (interval <= 0 || offset < 0) {
        return false;
    }
    SimClock::Seconds now = unit_.clock.Now(nowMs_);
    SimClock::Seconds midnight = now - ((now % kDay) + kDay) % kDay;
    offset %= kDay;
    SimClock::Seconds t = midnight + offset;
    if (t <= now) {
        t += ((now - t) / interval + 1) * interval;
    }
    if (t >= midnight + kDay) {
        t = midnight + kDay + offset;
    }
    next = t;
    return true;
}

bool SimStatusReports::RowSchedule(TableId table, int row, std::int64_t& interval,
                                   std::int64_t& offset, int depth) const {
    const std::string& v = config_.Row(table, row);
    if (v.empty() || depth > 64) {
        return false;
    }
    auto f = Fields(v);
    if (table == TableId::Intern) {
        if (f.size() < 3) {
            return false;
        }
        interval = SecondsOfTimeText(f[1]);
        offset = SecondsOfTimeText(f[2]);
        return interval > 0 && offset >= 0;
    }
    // An append row takes its schedule from the row it extends, unless it
    // carries its own interval and offset.
    if (f[0] == "&") {
        if (f.size() >= 6 && f[3].find(':') != std::string::npos) {
            interval = SecondsOfTimeText(f[3]);
            offset = SecondsOfTimeText(f[4]);
            return interval > 0 && offset >= 0;
        }
        return row > 0 && RowSchedule(table, row - 1, interval, offset, depth + 1);
    }
    if (f.size() < 5) {
        return false;
    }
    interval = SecondsOfTimeText(f[3]);
    offset = SecondsOfTimeText(f[4]);
    return interval > 0 && offset >= 0;
}

std::string SimStatusReports::SampleLine(TableId table, int row, bool xForm) const {
    std::string stamp = kNotScheduled;
    std::int64_t interval = 0;
    std::int64_t offset = 0;
    SimClock::Seconds next = 0;
    if (Scheduled() && RowSchedule(table, row, interval, offset) &&
        NextTime(offset, interval, next)) {
        stamp = SimClock::FormatStamp(next);
    }
    const char* prefix = table == TableId::Sdi ? "SM" : "IM";
    std::string n = std::to_string(row);
    return xForm ? std::string(prefix) + "X=" + n + "," + stamp : prefix + n + "=" + stamp;
}

Lines SimStatusReports::Samples(TableId table, bool xForm) const {
    Lines out;
    for (int r : config_.RowsInUse(table)) {
        out.push_back(SampleLine(table, r, xForm));
    }
    return out;
}

std::string SimStatusReports::BufferText(TableId table) const {
    std::string text;
    for (int r : config_.RowsInUse(table)) {
        const std::string& v = config_.Row(table, r);
        std::string piece;
        if (v[0] == 'H') {
            piece = "H" + std::to_string(LeadingNumber(std::string_view(v).substr(1), 0));
        } else if (v[0] == 'T' && v.size() > 2) {
            piece = UnquoteText(std::string_view(v).substr(2));
        } else if (v[0] == 'S' || v[0] == 'I') {
            auto f = Fields(v);
            int count = f.size() > 1 ? LeadingNumber(f[1], 1) : 1;
            int width = f.size() > 2 ? LeadingNumber(f[2], 6) : 6;
            width = width < 1 ? 1 : (width > 16 ? 16 : width);
            count = count < 1 ? 1 : (count > 16 ? 16 : count);
            for (int i = 0; i < count; ++i) {
                piece += (i ? " " : "") + std::string(static_cast<std::size_t>(width), '0');
            }
        } else {
            continue;
        }
        text += (text.empty() ? "" : " ") + piece;
    }
    return text;
}

Lines SimStatusReports::BufferDump(TableId table) const {
    std::string text = BufferText(table);
    Lines out{std::string(table == TableId::Timed ? "TBD=" : "RBD=") + std::to_string(text.size())};
    if (!text.empty()) {
        out.push_back(text);
    }
    return out;
}

std::string SimStatusReports::ConfigCheck() const {
    if (unit_.run == RunState::Enabled) {
        return "Enabled";
    }
    if (unit_.run == RunState::LoggerOnly) {
        return "Logger Enabled";
    }
    if (!unit_.clock.IsSet()) {
        return "TIM Not Set";
    }
    if (ChannelOf(config_.Scalar("TCH")) > 0 && SameWord(config_.Scalar("TDS"), "Sensor") &&
        config_.IsTableEmpty(TableId::Timed)) {
        return "TDT Empty";
    }
    if (ChannelOf(config_.Scalar("RCH")) > 0 && SameWord(config_.Scalar("RDS"), "Sensor") &&
        config_.IsTableEmpty(TableId::Trigger)) {
        return "RRT Empty";
    }
    return "OK";
}

Lines SimStatusReports::ReadStatus() const {
    const char* state = unit_.run == RunState::Enabled      ? "Enabled"
                        : unit_.run == RunState::LoggerOnly ? "Logger Enabled"
                                                            : "Disabled";
    std::string toNext = "N/A";
    std::string nextTimed = "N/A";
    SimClock::Seconds next = 0;
    if (unit_.run == RunState::Enabled && unit_.clock.IsSet() &&
        ChannelOf(config_.Scalar("TCH")) > 0 &&
        NextTime(SecondsOfTimeText(config_.Scalar("FTT")), SecondsOfTimeText(config_.Scalar("TTI")),
                 next)) {
        nextTimed = SimClock::FormatStamp(next);
        toNext = SimClock::FormatTime(next - unit_.clock.Now(nowMs_));
    }
    bool randomOn = unit_.run == RunState::Enabled && ChannelOf(config_.Scalar("RCH")) > 0;
    return {
        "FirmwareVersions: " + unit_.firmwareVersion + ",B1.02",
        "SerialNumber: " + unit_.serialNumber,
        GpsStatus()[0],
        std::string("TransmitterState: ") + state,
        "TimeToNextTx: " + toNext,
        "TimedBufferSize: " + std::to_string(BufferText(TableId::Timed).size()),
        "NextTimedTx: " + nextTimed,
        "RandomBufferSize: " + std::to_string(BufferText(TableId::Random).size()),
        std::string("RandomBufferTxs: ") + (randomOn ? "0" : "N/A"),
        "NextRandomTx: N/A",
        "Failsafe: " + unit_.failsafe,
    };
}

Lines SimStatusReports::LastTransmission() const {
    if (!unit_.haveTx) {
        return {"TxType: None",
                "TxStatus: None",
                "TxTime: N/A",
                "FwdPwr: 0.0",
                "RevPwr: 0.0",
                "TxVSWR: 0.0",
                "TxVolts: " + unit_.batteryVolts};
    }
    return {"TxType: " + unit_.txType,
            "TxStatus: OK",
            "TxTime: " + SimClock::FormatStamp(unit_.txTime),
            "FwdPwr: 10.2",
            "RevPwr: 0.3",
            "TxVSWR: 1.4",
            "TxVolts: " + unit_.batteryVolts};
}

Lines SimStatusReports::GpsStatus() const {
    if (unit_.gpsOperation != GpsOperation::None) {
        return {"GPS=Acquiring"};
    }
    return {unit_.haveFix ? "GPS=Fix Valid" : "GPS=No Fix"};
}

Lines SimStatusReports::ReadGps() const {
    if (!unit_.haveFix) {
        return {"TOF: No Fix", "Lat: No Fix", "Lng: No Fix", "Alt: No Fix"};
    }
    return {"TOF: " + SimClock::FormatStamp(unit_.fixTime), "Lat: " + unit_.latitude,
            "Lng: " + unit_.longitude, "Alt: " + unit_.altitude};
}

Lines SimStatusReports::LastCalibration() const {
    auto when = [](bool have, SimClock::Seconds t) {
        return have ? SimClock::FormatStamp(t) : std::string("N/A");
    };
    return {"Time: " + when(unit_.haveTimeCal, unit_.timeCalTime),
            "OCXO: " + when(unit_.haveOscCal, unit_.oscCalTime),
            "TCXO: " + when(unit_.haveOscCal, unit_.oscCalTime)};
}

std::string SimStatusReports::CalibrationStatus() const {
    if (unit_.gpsOperation == GpsOperation::None) {
        return "GCS=Not Active";
    }
    double span = static_cast<double>(unit_.gpsEndMs - unit_.gpsStartMs);
    double left = span > 0 ? static_cast<double>(unit_.gpsEndMs - nowMs_) / span : 0;
    left = left < 0 ? 0 : (left > 1 ? 1 : left);
    // A calibration first waits for a fix, then calibrates.
    const char* state = unit_.gpsOperation == GpsOperation::Calibration && left < 0.7
                            ? "Calibrating"
                            : "Acquiring Fix";
    return std::string("GCS=") + state + ",OCXO=" + Fixed(0.05 * left + 0.0, 4) +
           ",TCXO=" + Fixed(-0.08 * left + 0.0, 4);
}

} // namespace tavin::sim

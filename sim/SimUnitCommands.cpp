#include "sim/SimUnitCommands.h"

#include "support/StringRoutines.h"

#include <algorithm>
#include <cstdio>

namespace tavin::sim {
namespace {

constexpr int kExtendedLevel = 130;
constexpr int kLoggerLevel = 115;
constexpr int kUtcLevel = 112;

const Lines kOk{"OK"};
const Lines kErr{"ERR"};
const Lines kInv{"INV"};

bool IsOneOf(std::string_view m, std::initializer_list<std::string_view> list) {
    for (auto x : list) {
        if (m == x) {
            return true;
        }
    }
    return false;
}

bool IsSignedNumber(std::string_view v, int maxDigits) {
    std::string_view digits = !v.empty() && v[0] == '-' ? v.substr(1) : v;
    return !digits.empty() && static_cast<int>(digits.size()) <= maxDigits &&
           IsIntegerText(digits, false);
}

const char* ForcedTypeName(char type) {
    switch (type) {
    case '1':
        return "Forced Carrier";
    case '2':
        return "Forced Random Modulation";
    case '3':
        return "Forced Alternate Modulation";
    case '4':
        return "Forced Fixed Message";
    default:
        return "Forced Identify Message";
    }
}

} // namespace

bool SimUnitCommands::Handles(std::string_view m) {
    return IsOneOf(m, {"CTX", "ETX", "DTX", "ELG", "STX", "FGF", "FSR", "GCS", "FTX", "TIM", "DAT",
                       "UTC", "TSN", "OCR", "SFC", "TCR", "TCA", "TBC", "TBV", "TOT", "RBV", "IST",
                       "SDI", "TBD", "RBD", "RST", "LTS", "GPS", "RGP", "LGC", "IMX", "SMX"});
}

void SimUnitCommands::Advance(std::int64_t nowMs) {
    if (unit_.gpsOperation == GpsOperation::None || nowMs < unit_.gpsEndMs) {
        return;
    }
    if (unit_.gpsOperation == GpsOperation::Calibration) {
        unit_.haveOscCal = true;
        unit_.oscCalTime = unit_.clock.Now(nowMs);
    } else {
        // A fix sets the clock from the GPS and, unless set by hand, the
        // UTC correction from the almanac.
        unit_.clock.SetSeconds(unit_.gpsTime.Now(nowMs), nowMs);
        unit_.haveFix = true;
        unit_.fixTime = unit_.clock.Now(nowMs);
        unit_.haveTimeCal = true;
        unit_.timeCalTime = unit_.fixTime;
        if (!unit_.utcManual) {
            unit_.utcCorrection = unit_.almanacUtcCorrection;
            unit_.utcFromGps = true;
        }
    }
    unit_.gpsOperation = GpsOperation::None;
}

void SimUnitCommands::StartGps(GpsOperation op, std::int64_t nowMs) {
    unit_.gpsOperation = op;
    unit_.gpsStartMs = nowMs;
    unit_.gpsEndMs = nowMs + (op == GpsOperation::Calibration ? unit_.calibrationMs : unit_.fixMs);
}

Lines SimUnitCommands::Execute(const SimCommandLine& cmd, std::int64_t nowMs) {
    const std::string& m = cmd.mnemonic;
    if (IsOneOf(m, {"CTX", "ETX", "DTX", "ELG", "STX"})) {
        return Enable(cmd, nowMs);
    }
    if (IsOneOf(m, {"FGF", "GCS"})) {
        return Gps(cmd, nowMs);
    }
    if (IsOneOf(m, {"FTX", "FSR"})) {
        return ForcedTransmission(cmd, nowMs);
    }
    if (IsOneOf(m, {"TIM", "DAT", "UTC"})) {
        return Clock(cmd, nowMs);
    }
    if (IsOneOf(m, {"TSN", "OCR", "SFC", "TCR", "TCA"})) {
        return Calibration(cmd);
    }
    if (IsOneOf(m, {"TBC", "TBV", "TOT", "RBV", "IST"})) {
        return Readings(cmd);
    }
    if (m == "SDI") {
        return Sdi12(cmd);
    }
    return Reports(cmd, nowMs);
}

Lines SimUnitCommands::Enable(const SimCommandLine& cmd, std::int64_t nowMs) {
    const std::string& m = cmd.mnemonic;
    if (m == "CTX") {
        if (cmd.form != LineForm::Query) {
            return kErr;
        }
        return {"CTX=" + SimStatusReports(config_, unit_, nowMs).ConfigCheck()};
    }
    if (cmd.form != LineForm::Action) {
        return kErr;
    }
    if (m == "ETX") {
        if (unit_.run != RunState::Enabled) {
            // Judge the configuration as a disabled unit would.
            RunState was = unit_.run;
            unit_.run = RunState::Disabled;
            bool ok = SimStatusReports(config_, unit_, nowMs).ConfigCheck() == "OK";
            unit_.run = ok ? RunState::Enabled : was;
            if (!ok) {
                return kErr;
            }
        }
        return kOk;
    }
    if (m == "ELG") {
        if (unit_.firmwareLevel < kLoggerLevel || !unit_.clock.IsSet()) {
            return kErr;
        }
        unit_.run = RunState::LoggerOnly;
        return kOk;
    }
    if (m == "DTX") {
        unit_.run = RunState::Disabled;
    }
    return kOk; // DTX, STX
}

Lines SimUnitCommands::Gps(const SimCommandLine& cmd, std::int64_t nowMs) {
    if (cmd.mnemonic == "FGF") {
        if (cmd.form != LineForm::Action) {
            return kErr;
        }
        if (unit_.run != RunState::Disabled) {
            return kErr;
        }
        // A second FGF while the fix runs gives it up.
        if (unit_.gpsOperation == GpsOperation::Fix) {
            unit_.gpsOperation = GpsOperation::None;
            return kOk;
        }
        StartGps(GpsOperation::Fix, nowMs);
        return kOk;
    }
    switch (cmd.form) {
    case LineForm::Query:
        return {SimStatusReports(config_, unit_, nowMs).CalibrationStatus()};
    case LineForm::Action:
        if (unit_.run != RunState::Disabled) {
            return kErr;
        }
        StartGps(GpsOperation::Calibration, nowMs);
        return kOk;
    case LineForm::Set:
        if (cmd.value != "ABORT") {
            return kInv;
        }
        unit_.gpsOperation = GpsOperation::None;
        return kOk;
    default:
        return kErr;
    }
}

Lines SimUnitCommands::ForcedTransmission(const SimCommandLine& cmd, std::int64_t nowMs) {
    if (cmd.mnemonic == "FSR") {
        if (cmd.form != LineForm::Action || unit_.firmwareLevel < kUtcLevel ||
            unit_.run != RunState::Disabled) {
            return kErr;
        }
        unit_.failsafe = "OK";
        return kOk;
    }
    if (cmd.form == LineForm::Query) {
        return {std::string("FTX=") + (unit_.ocxoOn ? "E" : "D")};
    }
    if (cmd.form != LineForm::Set) {
        return kErr;
    }
    const std::string& v = cmd.value;
    if (v == "D") {
        unit_.ocxoOn = false;
        return kOk;
    }
    if (v == "E") {
        if (unit_.run != RunState::Disabled) {
            return kErr;
        }
        unit_.ocxoOn = true;
        return kOk;
    }
    // type (1..5), channel (1..266), bit rate
    std::string type = SplitWord(1, v, ",");
    std::string channel = SplitWord(2, v, ",");
    std::string rate = SplitWord(3, v, ",");
    std::int32_t ch = 0;
    bool valid = type.size() == 1 && type[0] >= '1' && type[0] <= '5' &&
                 IsIntegerText(channel, false) && channel.size() <= 3 && TextToInt32(channel, ch) &&
                 ch >= 1 && ch <= 266 && (rate == "100" || rate == "300" || rate == "1200") &&
                 SplitWord(4, v, ",").empty() && std::count(v.begin(), v.end(), ',') == 2;
    if (!valid) {
        return kInv;
    }
    if (unit_.run != RunState::Disabled) {
        return kErr;
    }
    unit_.haveTx = true;
    unit_.txTime = unit_.clock.Now(nowMs);
    unit_.txType = ForcedTypeName(type[0]);
    return kOk;
}

Lines SimUnitCommands::Clock(const SimCommandLine& cmd, std::int64_t nowMs) {
    const std::string& m = cmd.mnemonic;
    if (m == "UTC" && unit_.firmwareLevel < kUtcLevel) {
        return kErr;
    }
    if (cmd.form == LineForm::Query) {
        if (m == "TIM") {
            return {"TIM=" + unit_.clock.TimeText(nowMs)};
        }
        if (m == "DAT") {
            return {"DAT=" + unit_.clock.DateText(nowMs)};
        }
        if (unit_.utcCorrection.empty()) {
            return {"UTC=Not Set"};
        }
        return {"UTC=" + unit_.utcCorrection + (unit_.utcManual ? ",M" : "")};
    }
    if (cmd.form != LineForm::Set) {
        return kErr;
    }
    if (m == "TIM") {
        return unit_.clock.SetTimeText(cmd.value, nowMs) ? kOk : kInv;
    }
    if (m == "DAT") {
        return unit_.clock.SetDateText(cmd.value, nowMs) ? kOk : kInv;
    }
    std::int32_t n = 0;
    if (unit_.utcFromGps || !IsSignedNumber(cmd.value, 3) || !TextToInt32(cmd.value, n) ||
        n < -255 || n > 255) {
        return kInv;
    }
    unit_.utcCorrection = cmd.value;
    unit_.utcManual = true;
    return kOk;
}

Lines SimUnitCommands::Calibration(const SimCommandLine& cmd) {
    const std::string& m = cmd.mnemonic;
    std::string& value = unit_.calibration[m];
    switch (cmd.form) {
    case LineForm::Query:
        return {m + "=" + value};
    case LineForm::Action:
        // The TCXO serial number check.
        // The TCXO serial number check: the number set must be the fitted one's.
        if (m != "TSN") {
            return kErr;
        }
        return {value == unit_.tcxoSerialNumber ? "TSN=OK" : "TSN=INV"};
    case LineForm::Set:
        if (m == "TSN"
                ? (cmd.value.empty() || cmd.value.size() > 16 || !IsIntegerText(cmd.value, false))
                : !IsFloatText(cmd.value, true)) {
            return kInv;
        }
        value = cmd.value;
        return kOk;
    default:
        return kErr;
    }
}

Lines SimUnitCommands::Readings(const SimCommandLine& cmd) {
    const std::string& m = cmd.mnemonic;
    if (m == "IST") {
        if (cmd.form != LineForm::Set) {
            return kErr;
        }
        if (cmd.value != "0" && cmd.value != "1") {
            return kInv;
        }
        unit_.sensorTest = cmd.value == "1";
        return kOk;
    }
    if (m == "TBC" && cmd.form == LineForm::Set) {
        std::int64_t n = 0;
        if (!IsIntegerText(cmd.value, false) || cmd.value.size() > 9 ||
            !TextToInt64(cmd.value, n)) {
            return kInv;
        }
        unit_.bucketCount = n;
        return kOk;
    }
    if (cmd.form != LineForm::Query) {
        return kErr;
    }
    if (m == "TBC") {
        return {"TBC=" + std::to_string(unit_.bucketCount)};
    }
    if (m == "TBV") {
        double multiplier = 0;
        TextToReal(config_.Scalar("TBM"), multiplier);
        char buf[48];
        std::snprintf(buf, sizeof buf, "%.3f", static_cast<double>(unit_.bucketCount) * multiplier);
        return {std::string("TBV=") + buf};
    }
    if (m == "TOT") {
        return {"TOT=" + unit_.temperature};
    }
    return {"RBV=" + unit_.batteryVolts};
}

Lines SimUnitCommands::Sdi12(const SimCommandLine& cmd) {
    const std::string& v = cmd.value;
    if (cmd.form != LineForm::Set) {
        return kErr;
    }
    if (v.size() < 2 || v.back() != '!') {
        return kInv;
    }
    char address = v[0];
    if (v == "?!") {
        for (int r : config_.RowsInUse(TableId::Sdi)) {
            const std::string& row = config_.Row(TableId::Sdi, r);
            if (row[0] != '&') {
                return {std::string("SDI=") + row[0]};
            }
        }
        return {"SDI=No Response"};
    }
    bool present = false;
    for (int r : config_.RowsInUse(TableId::Sdi)) {
        if (config_.Row(TableId::Sdi, r)[0] == address) {
            present = true;
        }
    }
    if (!present) {
        return {"SDI=No Response"};
    }
    std::string a(1, address);
    char kind = v.size() > 2 ? v[1] : '!';
    if (kind == 'M' || kind == 'C') {
        return {"SDI=" + a + "0011"}; // one value, ready in one second
    }
    if (kind == 'D') {
        return {"SDI=" + a + "+0.000"};
    }
    return {"SDI=" + a};
}

Lines SimUnitCommands::Reports(const SimCommandLine& cmd, std::int64_t nowMs) {
    const std::string& m = cmd.mnemonic;
    SimStatusReports reports(config_, unit_, nowMs);
    bool query = cmd.form == LineForm::Query;
    bool action = cmd.form == LineForm::Action;
    if (m == "TBD" || m == "RBD") {
        return query || action ? reports.BufferDump(m == "TBD" ? TableId::Timed : TableId::Random)
                               : kErr;
    }
    if (m == "LTS") {
        return query || action ? reports.LastTransmission() : kErr;
    }
    if (m == "IMX" || m == "SMX") {
        if (unit_.firmwareLevel < kExtendedLevel || cmd.form != LineForm::BulkX) {
            return kErr;
        }
        return reports.Samples(m == "SMX" ? TableId::Sdi : TableId::Intern, true);
    }
    if (!query) {
        return kErr;
    }
    if (m == "RST") {
        return reports.ReadStatus();
    }
    if (m == "GPS") {
        return reports.GpsStatus();
    }
    if (m == "RGP") {
        return reports.ReadGps();
    }
    return reports.LastCalibration(); // LGC
}

} // namespace tavin::sim

#include "sim/SimCommandSet.h"

#include "support/StringRoutines.h"

namespace tavin::sim {
namespace {

constexpr int kExtendedLevel = 130;

const Lines kOk{"OK"};
const Lines kErr{"ERR"};
const Lines kInv{"INV"};

struct XTableSpec {
    std::string_view mnemonic;
    TableId table;
    int minLevel;
    bool clearable; // knows "=CLEAR"
};

const XTableSpec kXTables[] = {
    {"SSX", TableId::Sdi, kExtendedLevel, false},
    {"SLX", TableId::SdiLabel, kExtendedLevel, false},
    {"ISX", TableId::Intern, kExtendedLevel, false},
    {"ILX", TableId::InternLabel, kExtendedLevel, false},
    {"MMA", TableId::MinMaxAvg, kExtendedLevel, true},
    {"EQN", TableId::Equation, kExtendedLevel, true},
    {"TDP", TableId::Timed, 0, true},
    {"RDP", TableId::Random, 0, true},
    {"RRT", TableId::Trigger, 0, true},
};

const XTableSpec* FindXTable(std::string_view m) {
    for (const auto& t : kXTables) {
        if (t.mnemonic == m) {
            return &t;
        }
    }
    return nullptr;
}

bool IsLabelTable(TableId t) {
    return t == TableId::SdiLabel || t == TableId::InternLabel;
}

// A row number of one to three digits.
bool ReadRowNumber(std::string_view text, int& row) {
    std::int32_t n = 0;
    if (text.empty() || text.size() > 3 || !IsIntegerText(text, false) || !TextToInt32(text, n)) {
        return false;
    }
    row = n;
    return true;
}

} // namespace

SimCommandSet::SimCommandSet() : unitCommands_(unit_, working_) {
    unit_.gpsTime.Set(2024, 1, 1, 0, 0, 0, 0);
    unit_.clock = unit_.gpsTime;
}

bool SimCommandSet::IsLogMnemonic(std::string_view m) {
    return m == "LOG" || m == "LFA" || m == "LFB" || m == "LFT" || m == "LFS" || m == "LFI" ||
           m == "LFD" || m == "LHD" || m == "LHF";
}

bool SimCommandSet::SetFirmwareVersion(std::string_view version) {
    // "d.dd", "d.d" or "d"
    std::size_t dot = version.find('.');
    std::string_view whole = version.substr(0, dot);
    std::string_view fraction = dot == std::string_view::npos ? "" : version.substr(dot + 1);
    if (whole.size() != 1 || !IsIntegerText(whole, false) || fraction.size() > 2 ||
        (dot != std::string_view::npos && !IsIntegerText(fraction, false))) {
        return false;
    }
    int level = (whole[0] - '0') * 100;
    if (!fraction.empty()) {
        level += (fraction[0] - '0') * 10 + (fraction.size() > 1 ? fraction[1] - '0' : 0);
    }
    unit_.firmwareVersion = std::string(version);
    unit_.firmwareLevel = level;
    return true;
}

void SimCommandSet::SetPassword(std::string_view password) {
    password_ = std::string(password);
    unlocked_ = false;
}

bool SimCommandSet::ConfigLocked() const {
    return unit_.run != RunState::Disabled || (!password_.empty() && !unlocked_ && !loading_);
}

std::vector<std::string> SimCommandSet::Dump(bool withClears) const {
    return working_.Dump(unit_.firmwareLevel, withClears);
}

Lines SimCommandSet::Execute(std::string_view line, std::int64_t nowMs) {
    unitCommands_.Advance(nowMs);
    SimCommandLine cmd = ReadCommandLine(line);
    if (cmd.form == LineForm::Empty) {
        return {};
    }
    if (cmd.mnemonic.empty() || cmd.form == LineForm::Unknown) {
        return kErr;
    }
    const std::string& m = cmd.mnemonic;

    // ---- The sensor log ----------------------------------------------------
    // The log is a part of its own (SimLog); it plugs in here through
    // SetLogResponder(). Until it does, the transmitter refuses these commands.
    if (IsLogMnemonic(m)) {
        return logResponder_ ? logResponder_(line) : kErr;
    }

    if (IsShortTablePrefix(m)) {
        return ShortTable(cmd, nowMs);
    }
    if (const ScalarSpec* spec = FindConfigScalar(m)) {
        return Scalar(*spec, cmd);
    }
    if (FindXTable(m)) {
        return XTable(cmd);
    }
    if (m == "ADP" || m == "ADS") {
        return ArgosPack(cmd);
    }
    if (m == "CFS" || m == "CFR" || m == "CFB" || m == "CFE" || m == "RCF" ||
        m == "ConfigDefault" || m == "EQT") {
        return Storage(cmd);
    }
    if (SimUnitCommands::Handles(m)) {
        return unitCommands_.Execute(cmd, nowMs);
    }
    return kErr;
}

Lines SimCommandSet::Scalar(const ScalarSpec& spec, const SimCommandLine& cmd) {
    if (unit_.firmwareLevel < spec.minLevel) {
        return kErr;
    }
    std::string m(spec.mnemonic);
    if (cmd.form == LineForm::Query) {
        return {m + "=" + working_.Scalar(m)};
    }
    if (cmd.form != LineForm::Set) {
        return kErr;
    }
    if (ConfigLocked()) {
        return kErr;
    }
    if (!IsAcceptableValue(spec, cmd.value, unit_.firmwareLevel)) {
        return kInv;
    }
    working_.SetScalar(m, cmd.value);
    return kOk;
}

Lines SimCommandSet::ListTable(TableId table, const std::string& mnemonic, bool xForm) const {
    Lines out;
    for (int r : working_.RowsInUse(table)) {
        std::string value = IsLabelTable(table) ? working_.Label(table, r) : working_.Row(table, r);
        std::string n = std::to_string(r);
        out.push_back(xForm ? mnemonic + "=" + n + "," + value : mnemonic + n + "=" + value);
    }
    // The format and trigger tables always answer with a line, the cleared
    // row 0 when nothing is defined ("TDP=0,0", "RRT=0"), so that a reader
    // sees where they end.
    if (out.empty() && (table == TableId::Timed || table == TableId::Random)) {
        out.push_back(mnemonic + "=0,0");
    } else if (out.empty() && table == TableId::Trigger) {
        out.push_back(mnemonic + "=0");
    }
    return out;
}

Lines SimCommandSet::SetRow(TableId table, int row, const std::string& value) {
    if (ConfigLocked()) {
        return kErr;
    }
    if (row < 0 || row >= SimConfigStore::RowLimit(table, unit_.firmwareLevel)) {
        return kInv;
    }
    if (IsLabelTable(table)) {
        if (value.size() > 4 || value.find_first_of("\r\n") != std::string::npos) {
            return kInv;
        }
        working_.SetRow(table, row, value == SimConfigStore::DefaultLabel(table, row) ? "" : value);
        return kOk;
    }
    bool clears = value.empty() || value == "C" ||
                  ((table == TableId::Timed || table == TableId::Random) && value == "0");
    working_.SetRow(table, row, clears ? std::string() : value);
    return kOk;
}

Lines SimCommandSet::ShortTable(const SimCommandLine& cmd, std::int64_t nowMs) {
    const std::string& m = cmd.mnemonic;
    if (m == "IM" || m == "SM") {
        TableId sensors = m == "SM" ? TableId::Sdi : TableId::Intern;
        SimStatusReports reports(working_, unit_, nowMs);
        if (cmd.form == LineForm::BulkShort) {
            return reports.Samples(sensors, false);
        }
        if (cmd.form == LineForm::RowQuery) {
            if (cmd.row >= SimConfigStore::RowLimit(sensors, unit_.firmwareLevel)) {
                return kInv;
            }
            return {reports.SampleLine(sensors, cmd.row, false)};
        }
        return kErr;
    }
    TableId table = m == "SS"   ? TableId::Sdi
                    : m == "SL" ? TableId::SdiLabel
                    : m == "IS" ? TableId::Intern
                                : TableId::InternLabel;
    switch (cmd.form) {
    case LineForm::BulkShort:
        return ListTable(table, m, false);
    case LineForm::RowQuery: {
        if (cmd.row >= SimConfigStore::RowLimit(table, unit_.firmwareLevel)) {
            return kInv;
        }
        const std::string& v = working_.Row(table, cmd.row);
        std::string shown = IsLabelTable(table) ? working_.Label(table, cmd.row)
                                                : (v.empty() ? std::string("C") : v);
        return {m + std::to_string(cmd.row) + "=" + shown};
    }
    case LineForm::ClearShort:
        if (ConfigLocked()) {
            return kErr;
        }
        working_.ClearTable(table);
        return kOk;
    case LineForm::RowSet:
        return SetRow(table, cmd.row, cmd.value);
    default:
        return kErr;
    }
}

Lines SimCommandSet::XTable(const SimCommandLine& cmd) {
    const XTableSpec& spec = *FindXTable(cmd.mnemonic);
    const std::string& m = cmd.mnemonic;
    if (unit_.firmwareLevel < spec.minLevel) {
        return kErr;
    }
    switch (cmd.form) {
    case LineForm::Query:
    case LineForm::BulkX:
        return ListTable(spec.table, m, true);
    case LineForm::Action:
        // "TDP" and "RDP" build a test buffer from the stored format; the
        // buffer is read with "TBD?" or "RBD?". Not while transmitting.
        if (spec.table != TableId::Timed && spec.table != TableId::Random) {
            return kErr;
        }
        return unit_.run == RunState::Disabled ? kOk : kErr;
    case LineForm::Set: {
        if (spec.clearable && cmd.value == "CLEAR") {
            if (ConfigLocked()) {
                return kErr;
            }
            working_.ClearTable(spec.table);
            return kOk;
        }
        std::size_t comma = cmd.value.find(',');
        int row = 0;
        if (!ReadRowNumber(std::string_view(cmd.value).substr(0, comma), row)) {
            return ConfigLocked() ? kErr : kInv;
        }
        return SetRow(spec.table, row,
                      comma == std::string::npos ? std::string() : cmd.value.substr(comma + 1));
    }
    default:
        return kErr;
    }
}

Lines SimCommandSet::PackLines() const {
    Lines out;
    for (int start = 0; start < SimConfigStore::kArgosPackSize; start += 8) {
        std::string line = "ADP=" + std::to_string(start);
        for (int i = start; i < start + 8; ++i) {
            line += "," + std::to_string(working_.ArgosEntry(i));
        }
        out.push_back(line);
    }
    return out;
}

Lines SimCommandSet::ArgosPack(const SimCommandLine& cmd) {
    if (cmd.mnemonic == "ADS") {
        if (cmd.form != LineForm::Query) {
            return kErr;
        }
        return {std::string("ADS=") + (working_.ArgosFromSensors() ? "Sensor" : "RS-232")};
    }
    if (cmd.form == LineForm::Query || cmd.form == LineForm::BulkX) {
        return PackLines();
    }
    if (cmd.form != LineForm::Set) {
        return kErr;
    }
    if (ConfigLocked()) {
        return kErr;
    }
    if (cmd.value == "CLEAR") {
        working_.ClearArgosPack();
        return kOk;
    }
    if (cmd.value == "*") {
        // The pack is taken from the sensors from now on; the answer shows it.
        working_.SetArgosFromSensors(true);
        return PackLines();
    }
    // index,value[,value...] fills consecutive entries
    std::vector<std::string> fields;
    std::size_t start = 0;
    while (true) {
        std::size_t comma = cmd.value.find(',', start);
        fields.push_back(cmd.value.substr(start, comma == std::string::npos ? std::string::npos
                                                                            : comma - start));
        if (comma == std::string::npos) {
            break;
        }
        start = comma + 1;
    }
    int index = 0;
    if (fields.size() < 2 || fields.size() > 9 || !ReadRowNumber(fields[0], index) ||
        index + static_cast<int>(fields.size()) - 1 > SimConfigStore::kArgosPackSize) {
        return kInv;
    }
    std::vector<int> values;
    for (std::size_t i = 1; i < fields.size(); ++i) {
        int v = 0;
        if (!ReadRowNumber(fields[i], v) || v > 255) {
            return kInv;
        }
        values.push_back(v);
    }
    for (std::size_t i = 0; i < values.size(); ++i) {
        working_.SetArgosEntry(index + static_cast<int>(i), values[i]);
    }
    return kOk;
}

Lines SimCommandSet::Storage(const SimCommandLine& cmd) {
    const std::string& m = cmd.mnemonic;
    if (m == "RCF") {
        return cmd.form == LineForm::Action ? Lines(Dump(false)) : kErr;
    }
    if (m == "EQT") {
        // Tests an equation sensor ("E" and the entry). The transmitter here
        // does not evaluate equations; a defined one reads 0.
        int n = 0;
        if (unit_.firmwareLevel < kExtendedLevel || cmd.form != LineForm::Set) {
            return kErr;
        }
        if (cmd.value.size() < 2 || cmd.value[0] != 'E' ||
            !ReadRowNumber(std::string_view(cmd.value).substr(1), n) ||
            working_.Row(TableId::Equation, n).empty()) {
            return kInv;
        }
        return {"EQT=0.000"};
    }
    if (m == "CFE") {
        if (unit_.firmwareLevel < kExtendedLevel || cmd.form != LineForm::Set) {
            return kErr;
        }
        if (password_.empty()) {
            return kOk;
        }
        unlocked_ = cmd.value == password_;
        return unlocked_ ? kOk : kErr;
    }
    if (cmd.form != LineForm::Action) {
        return kErr;
    }
    if (m == "CFB") {
        return unit_.firmwareLevel >= kExtendedLevel && unit_.run == RunState::Disabled ? kOk
                                                                                        : kErr;
    }
    if (ConfigLocked()) {
        return kErr;
    }
    if (m == "CFS") {
        stored_ = working_;
        unlocked_ = false;
    } else if (m == "CFR") {
        working_ = stored_;
        unlocked_ = false;
    } else { // ConfigDefault
        working_ = SimConfigStore();
    }
    return kOk;
}

} // namespace tavin::sim

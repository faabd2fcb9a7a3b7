#include "sim/SimConfigStore.h"
#include "sim/SimCommandLine.h"

#include "support/StringRoutines.h"

#include <cctype>

namespace tavin::sim {
namespace {

constexpr int kExtendedLevel = 130;   // X forms, counts, min/max/average, equations
constexpr int kLoggerLevel = 115;     // logger mode, slash fill
constexpr int kDailyResetLevel = 153; // daily tipping bucket reset

const std::vector<ScalarSpec> kSpecs = {
    {"ARG", "0", ValueKind::Bool, 0, "", 0},
    {"SCD", "0", ValueKind::Bool, 0, "", 0},
    {"NID", "00000000", ValueKind::HexId, 0, "", 0},
    {"AID", "00000000", ValueKind::HexId, 0, "", 0},
    {"TCH", "0", ValueKind::TimedChannel, 0, "", 0},
    {"TTI", "00:01:00:00", ValueKind::Interval, 0, "", 0},
    {"FTT", "00:00:00", ValueKind::Time, 0, "", 0},
    {"TWL", "10", ValueKind::Digits, 0, "", 0},
    {"TOF", "00", ValueKind::Hex2, 0, "", 0},
    {"TPR", "Short", ValueKind::Choice, 0, "Short|Long", 0},
    {"TIL", "None", ValueKind::Choice, 0, "None|Short|Long", 0},
    {"TDF", "ASCII", ValueKind::Choice, 0, "ASCII|Pseudo|Binary", 0},
    {"TDS", "Sensor", ValueKind::Choice, 0, "RS-232|Sensor", 0},
    {"TDO", "Newest", ValueKind::Choice, 0, "Newest|Oldest", 0},
    {"RCH", "0", ValueKind::RandomChannel, 0, "", 0},
    {"RIN", "60", ValueKind::Digits, 0, "", 0},
    {"RPC", "50", ValueKind::Digits, 0, "", 0},
    {"RRC", "3", ValueKind::Digits, 0, "", 0},
    {"RIL", "None", ValueKind::Choice, 0, "None|Short|Long", 0},
    {"RDF", "ASCII", ValueKind::Choice, 0, "ASCII|PSEUDO|BINARY", 0},
    {"RDS", "Sensor", ValueKind::Choice, 0, "RS-232|Sensor", 0},
    {"RDO", "Newest", ValueKind::Choice, 0, "Newest|Oldest", 0},
    {"ROF", "00", ValueKind::Hex2, 0, "", 0},
    {"PUE", "0", ValueKind::Bool, 0, "", 0},
    {"GTS", "1", ValueKind::Digits, 0, "", 0},
    {"GTC", "1", ValueKind::Digits, 0, "", 0},
    {"GOC", "30", ValueKind::Digits, 0, "", 0},
    {"GTO", "15", ValueKind::Digits, 0, "", 0},
    {"TXP", "7.5,10,14", ValueKind::TxPower, 0, "", 0},
    {"IRC", "$", ValueKind::OneChar, 0, "", 0},
    {"SFL", "0", ValueKind::Bool, kLoggerLevel, "", 0},
    {"LGM", "0", ValueKind::Bool, kLoggerLevel, "", 0},
    {"TZN", "0", ValueKind::SignedInt, kExtendedLevel, "", 0},
    {"SSN", "10", ValueKind::Count, kExtendedLevel, "", 64},
    {"ISN", "5", ValueKind::Count, kExtendedLevel, "", 64},
    {"TPN", "0", ValueKind::Count, kExtendedLevel, "", 100},
    {"RPN", "0", ValueKind::Count, kExtendedLevel, "", 40},
    {"RTN", "0", ValueKind::Count, kExtendedLevel, "", 30},
    {"MMN", "0", ValueKind::Count, kExtendedLevel, "", 64},
    {"TBA", "0", ValueKind::BucketReset, 0, "", 0},
    {"TBR", "9999", ValueKind::Digits, 0, "", 0},
    {"TBM", "0.01", ValueKind::BucketMultiplier, 0, "", 0},
    {"PIS", ".", ValueKind::IdText, 0, "", 0},
    {"PB1", "B", ValueKind::OneChar, 0, "", 0},
    {"PB2", "B", ValueKind::OneChar, 0, "", 0},
};

// Where a scalar's line goes in a dump relative to the tables: the tipping
// bucket after the sensor tables, the identity strings after min/max/average.
bool DumpsAfterSensors(std::string_view m) {
    return m == "TBA" || m == "TBR" || m == "TBM" || m == "PIS" || m == "PB1" || m == "PB2";
}

const char* const kMultipliers[] = {"0.01", "0.02", "0.025", "0.05", "0.10", "0.20",
                                    "0.25", "0.50", "1",     "2",    "2.5",  "5"};

bool IsDigits(std::string_view t, std::size_t maxLen = 9) {
    return !t.empty() && t.size() <= maxLen && IsIntegerText(t, false);
}

bool EqualNoCase(std::string_view a, std::string_view b) {
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

bool IsChoice(std::string_view choices, std::string_view value) {
    std::size_t start = 0;
    while (start <= choices.size()) {
        std::size_t bar = choices.find('|', start);
        std::string_view word =
            choices.substr(start, bar == std::string_view::npos ? choices.npos : bar - start);
        if (EqualNoCase(word, value)) {
            return true;
        }
        if (bar == std::string_view::npos) {
            break;
        }
        start = bar + 1;
    }
    return false;
}

bool IsInterval(std::string_view t) {
    if (t.size() == 11) {
        return IsDigits(t.substr(0, 2)) && t[2] == ':' && IsTimeText(t.substr(3), true);
    }
    return IsTimeText(t, true);
}

bool IsMultiplier(std::string_view t) {
    double v = 0;
    if (!IsFloatText(t, false) || !TextToReal(t, v)) {
        return false;
    }
    for (const char* m : kMultipliers) {
        double mv = 0;
        TextToReal(m, mv);
        if (t == m || v == mv) {
            return true;
        }
    }
    return false;
}

bool IsBucketReset(std::string_view t, int level) {
    if (IsDigits(t, 4)) {
        return true;
    }
    if (t == "M" || t == "Q" || t == "B" || t == "A") {
        return true;
    }
    if (level >= kDailyResetLevel && t.size() == 4 && t.substr(0, 2) == "D," &&
        IsDigits(t.substr(2))) {
        return (t[2] - '0') * 10 + (t[3] - '0') <= 23;
    }
    return false;
}

} // namespace

const std::vector<ScalarSpec>& ConfigScalarSpecs() {
    return kSpecs;
}

const ScalarSpec* FindConfigScalar(std::string_view mnemonic) {
    for (const ScalarSpec& s : kSpecs) {
        if (s.mnemonic == mnemonic) {
            return &s;
        }
    }
    return nullptr;
}

bool IsAcceptableValue(const ScalarSpec& spec, std::string_view v, int level) {
    switch (spec.kind) {
    case ValueKind::Bool:
        return v == "0" || v == "1";
    case ValueKind::Digits:
        return IsDigits(v);
    case ValueKind::SignedInt:
        return IsDigits(!v.empty() && v[0] == '-' ? v.substr(1) : v, 4);
    case ValueKind::Hex2:
        return v.size() == 2 && IsHexText(v, false);
    case ValueKind::HexId:
        return !v.empty() && v.size() <= 8 && IsHexText(v, true);
    case ValueKind::OneChar:
        return v.size() == 1;
    case ValueKind::IdText:
        return v.size() <= 40;
    case ValueKind::Choice:
        return IsChoice(spec.choices, v);
    case ValueKind::Time:
        return IsTimeText(v, true);
    case ValueKind::Interval:
        return IsInterval(v);
    case ValueKind::TimedChannel: {
        if (v == "0") {
            return true;
        }
        auto f = Fields(v);
        return f.size() == 2 && IsDigits(f[0], 3) &&
               (f[1] == "100" || f[1] == "300" || f[1] == "1200" || f[1] == "4800");
    }
    case ValueKind::RandomChannel: {
        if (v == "0") {
            return true;
        }
        auto f = Fields(v);
        if (f.size() != 2 || f[0].empty()) {
            return false;
        }
        if (f[1] == "400") {
            return f[0].size() <= 16;
        }
        return IsDigits(f[0], 3) && (f[1] == "100" || f[1] == "300" || f[1] == "1200");
    }
    case ValueKind::TxPower: {
        auto f = Fields(v);
        if (f.size() != 3 && f.size() != 4) {
            return false;
        }
        for (const auto& p : f) {
            double d = 0;
            if (!IsFloatText(p, false) || !TextToReal(p, d)) {
                return false;
            }
        }
        return true;
    }
    case ValueKind::BucketReset:
        return IsBucketReset(v, level);
    case ValueKind::BucketMultiplier:
        return IsMultiplier(v);
    case ValueKind::Count: {
        std::int32_t n = 0;
        return IsDigits(v, 3) && TextToInt32(v, n) && n <= spec.limit;
    }
    }
    return false;
}

// ---------------------------------------------------------------------------

SimConfigStore::SimConfigStore() {
    for (const ScalarSpec& s : kSpecs) {
        scalars_[std::string(s.mnemonic)] = std::string(s.factoryDefault);
    }
    for (int t = 0; t < static_cast<int>(tables_.size()); ++t) {
        tables_[static_cast<std::size_t>(t)].assign(
            static_cast<std::size_t>(TableSize(static_cast<TableId>(t))), std::string());
    }
}

int SimConfigStore::TableSize(TableId table) {
    switch (table) {
    case TableId::Timed:
        return 100;
    case TableId::Random:
        return 40;
    case TableId::Trigger:
        return 30;
    default:
        return 64;
    }
}

int SimConfigStore::RowLimit(TableId table, int level) {
    if (level >= kExtendedLevel) {
        return TableSize(table);
    }
    switch (table) {
    case TableId::Sdi:
    case TableId::SdiLabel:
        return 10;
    case TableId::Intern:
    case TableId::InternLabel:
        return 5;
    case TableId::Timed:
    case TableId::Random:
        return 20;
    case TableId::Trigger:
        return 15;
    default:
        return TableSize(table);
    }
}

std::string SimConfigStore::DefaultLabel(TableId table, int row) {
    std::string n = std::to_string(row);
    if (table == TableId::SdiLabel || table == TableId::Sdi) {
        return (row < 10 ? "SDI" : "SD") + n;
    }
    if (table == TableId::InternLabel || table == TableId::Intern) {
        return (row < 10 ? "INT" : "IN") + n;
    }
    return {};
}

const std::string& SimConfigStore::Scalar(std::string_view mnemonic) const {
    static const std::string kNone;
    auto it = scalars_.find(mnemonic);
    return it == scalars_.end() ? kNone : it->second;
}

void SimConfigStore::SetScalar(std::string_view mnemonic, std::string_view value) {
    scalars_[std::string(mnemonic)] = std::string(value);
}

std::vector<std::string>& SimConfigStore::Table(TableId table) {
    return tables_[static_cast<std::size_t>(table)];
}

const std::vector<std::string>& SimConfigStore::Table(TableId table) const {
    return tables_[static_cast<std::size_t>(table)];
}

const std::string& SimConfigStore::Row(TableId table, int row) const {
    static const std::string kNone;
    const auto& t = Table(table);
    if (row < 0 || row >= static_cast<int>(t.size())) {
        return kNone;
    }
    return t[static_cast<std::size_t>(row)];
}

void SimConfigStore::SetRow(TableId table, int row, std::string_view value) {
    auto& t = Table(table);
    if (row >= 0 && row < static_cast<int>(t.size())) {
        t[static_cast<std::size_t>(row)] = std::string(value);
    }
}

void SimConfigStore::ClearTable(TableId table) {
    for (auto& r : Table(table)) {
        r.clear();
    }
}

bool SimConfigStore::IsTableEmpty(TableId table) const {
    for (const auto& r : Table(table)) {
        if (!r.empty()) {
            return false;
        }
    }
    return true;
}

std::vector<int> SimConfigStore::RowsInUse(TableId table) const {
    std::vector<int> rows;
    const auto& t = Table(table);
    const std::vector<std::string>* sensors = nullptr;
    if (table == TableId::SdiLabel) {
        sensors = &Table(TableId::Sdi);
    } else if (table == TableId::InternLabel) {
        sensors = &Table(TableId::Intern);
    }
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (!t[i].empty() || (sensors && !(*sensors)[i].empty())) {
            rows.push_back(static_cast<int>(i));
        }
    }
    return rows;
}

std::string SimConfigStore::Label(TableId table, int row) const {
    const std::string& set = Row(table, row);
    return set.empty() ? DefaultLabel(table, row) : set;
}

void SimConfigStore::ClearArgosPack() {
    argosPack_.fill(0);
    argosFromSensors_ = false;
}

std::vector<std::string> SimConfigStore::Dump(int level, bool withClears) const {
    std::vector<std::string> out;
    const bool extended = level >= kExtendedLevel;
    auto scalar = [&](const ScalarSpec& s) {
        if (level >= s.minLevel) {
            out.push_back(std::string(s.mnemonic) + "=" + Scalar(s.mnemonic));
        }
    };
    auto clear = [&](const char* line) {
        if (withClears) {
            out.emplace_back(line);
        }
    };
    auto rows = [&](TableId t, const char* xPrefix, const char* shortPrefix) {
        int limit = RowLimit(t, level);
        for (int r = 0; r < limit; ++r) {
            const std::string& v = Row(t, r);
            if (v.empty()) {
                continue;
            }
            std::string n = std::to_string(r);
            out.push_back(extended || !shortPrefix ? xPrefix + n + "," + v
                                                   : shortPrefix + n + "=" + v);
        }
    };
    for (const ScalarSpec& s : kSpecs) {
        if (!DumpsAfterSensors(s.mnemonic)) {
            scalar(s);
        }
    }
    if (extended) {
        clear("EQN=CLEAR");
        rows(TableId::Equation, "EQN=", nullptr);
    }
    clear("SS*=CLEAR");
    clear("SL*=CLEAR");
    rows(TableId::Sdi, "SSX=", "SS");
    rows(TableId::SdiLabel, "SLX=", "SL");
    clear("IS*=CLEAR");
    clear("IL*=CLEAR");
    rows(TableId::Intern, "ISX=", "IS");
    rows(TableId::InternLabel, "ILX=", "IL");
    for (const char* m : {"TBA", "TBR", "TBM"}) {
        scalar(*FindConfigScalar(m));
    }
    if (extended) {
        clear("MMA=CLEAR");
        rows(TableId::MinMaxAvg, "MMA=", nullptr);
    }
    for (const char* m : {"PIS", "PB1", "PB2"}) {
        scalar(*FindConfigScalar(m));
    }
    clear("TDP=CLEAR");
    rows(TableId::Timed, "TDP=", nullptr);
    clear("RDP=CLEAR");
    rows(TableId::Random, "RDP=", nullptr);
    clear("RRT=CLEAR");
    rows(TableId::Trigger, "RRT=", nullptr);
    clear("ADP=CLEAR");
    for (int i = 0; i < kArgosPackSize; ++i) {
        if (ArgosEntry(i) != 0) {
            out.push_back("ADP=" + std::to_string(i) + "," + std::to_string(ArgosEntry(i)));
        }
    }
    if (argosFromSensors_) {
        out.emplace_back("ADP=*");
    }
    return out;
}

} // namespace tavin::sim

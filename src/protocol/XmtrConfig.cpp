#include "protocol/XmtrConfig.h"

#include "protocol/GlbIni.h"

namespace tavin {

const std::array<const char*, kOpFlagCount> kTimedOpFlagNames = {
    "Center Transmission in Window",
    "Dump Timed Buffer To RS-232 Port",
    "Dump Timed Transmission Status To RS-232 Port",
    "Log Beginning of Transmission",
    "Log End of Transmission",
    "Log GPS Calibration",
    "Send \"Buffer Empty\" If Timed Data Buffer is Empty",
    "Do Not Clear Timed Buffer After Transmission"};

const std::array<const char*, kOpFlagCount> kRandomOpFlagNames = {
    "Future Use",
    "Dump Random Buffer To RS-232 Port",
    "Dump Random Transmission Status To RS-232 Port",
    "Log Beginning of Transmission",
    "Log End of Transmission",
    "Future Use",
    "Future Use",
    "Future Use"};

const std::array<const char*, kBucketResetCount> kBucketResetNames = {
    "None", "Daily", "Days", "Monthly", "Quarterly", "Bi-Annually", "Annually"};

const std::array<const char*, kHeaderFieldCount> kHeaderFieldNames = {
    "Platform ID", "Pseudo-Bin 1", "Pseudo-Bin 2", "Seq Num",   "Tx Batt Volts", "Tx Fwd Pwr",
    "Tx Rev Pwr",  "Tx Temp",      "Latitude",     "Longitude", "Trigger Code"};

const std::array<const char*, kTimeFormatCount> kTimeFormatCodes = {
    "S",     "MI", "MS",  "M:S", "H",   "HM",  "H:M",   "HMS",   "H:M:S", "JHMS", "J:H:M:S",
    "D",     "MO", "Y",   "J",   "MD",  "M/D", "MDY",   "M/D/Y", "DM",    "D/M",  "DMY",
    "D/M/Y", "MY", "M/Y", "YM",  "Y/M", "YMD", "Y/M/D", "JY",    "J/Y",   "YJ",   "Y/J"};

const std::array<const char*, kBucketMultiplierCount> kBucketMultiplierTexts = {
    "0.01", "0.02", "0.025", "0.05", "0.10", "0.20", "0.25", "0.50", "1", "2", "2.5", "5"};
const std::array<double, kBucketMultiplierCount> kBucketMultiplierValues = {
    0.01, 0.02, 0.025, 0.05, 0.1, 0.2, 0.25, 0.5, 1, 2, 2.5, 5};

std::string DefaultSDI12Label(int row) {
    return (row >= 0 && row < 10 ? "SDI" : "SD") + std::to_string(row);
}

std::string DefaultInternLabel(int row) {
    return (row >= 0 && row < 10 ? "INT" : "IN") + std::to_string(row);
}

XmtrConfig::XmtrConfig() {
    ClearAll(TGlbIni{});
    RandomTx.ArgosEnabled = false;
    RandomTx.ScdEnabled = false;
    RandomTx.ArgosTxPower = 4.0;
}

void XmtrConfig::ClearGeneralSettings(const TGlbIni& ini) {
    const bool loggerMode = General.LoggerMode; // not part of the cleared state
    General = TGeneralSettings{};
    General.LoggerMode = loggerMode;
    RandomTx.ArgosEnabled = ini.ARGOS_SCD;
    RandomTx.ScdEnabled = ini.ARGOS_SCD && ini.SCD;
}

void XmtrConfig::ClearTimed() {
    TimedTx = TTimedTxParams{};
    TimedEnabled = false;
}

void XmtrConfig::ClearRandom() {
    // The ARGOS flags, data pack, interval, repeat count and power survive.
    TRandomTxParams cleared;
    cleared.ArgosEnabled = RandomTx.ArgosEnabled;
    cleared.ScdEnabled = RandomTx.ScdEnabled;
    cleared.ArgosDataPack = RandomTx.ArgosDataPack;
    cleared.ArgosInterval = RandomTx.ArgosInterval;
    cleared.ArgosRepeatCount = RandomTx.ArgosRepeatCount;
    cleared.ArgosTxPower = RandomTx.ArgosTxPower;
    RandomTx = cleared;
    RandomEnabled = false;
}

void XmtrConfig::ClearEquations() {
    Equations.clear();
}

void XmtrConfig::ClearSDI12() {
    for (int i = 0; i < kSDI12Rows; ++i) {
        SDI12[i] = TSDI12Row{};
        SDI12[i].Label = DefaultSDI12Label(i);
    }
    SDI12[0].Enabled = true; // the first row can always be defined
}

void XmtrConfig::ClearInternal() {
    for (int i = 0; i < kInternRows; ++i) {
        Internal[i] = TInternSensor{};
        Internal[i].Label = DefaultInternLabel(i);
    }
    TippingBucket = TTippingBucket{};
}

void XmtrConfig::ClearMinMaxAvg() {
    MinMaxAvg.fill(TSensorMMA{});
}
void XmtrConfig::ClearTimedData() {
    TimedData.fill(TDataFormatRow{});
}
void XmtrConfig::ClearRandomData() {
    RandomData.fill(TDataFormatRow{});
}
void XmtrConfig::ClearRandomTriggers() {
    RandomTriggers.fill(TRandomTrigger{});
}

void XmtrConfig::ClearAll(const TGlbIni& ini) {
    ClearGeneralSettings(ini);
    ClearTimed();
    ClearRandom();
    ClearEquations();
    ClearSDI12();
    ClearInternal();
    ClearMinMaxAvg();
    ClearTimedData();
    ClearRandomData();
    ClearRandomTriggers();
}

void XmtrConfig::InitPresence(const TGlbIni& ini) {
    SDI12Present = ini.SDI12Visible;
    InternalPresent = ini.InternalTabVisible;
}

namespace {

template <typename Table, typename Pred>
int CountFromStart(const Table& table, Pred defined, int minimum) {
    int n = 0;
    while (n < static_cast<int>(table.size()) && defined(table[n])) {
        ++n;
    }
    return n < minimum ? minimum : n;
}

} // namespace

int XmtrConfig::DefinedSDI12Count() const {
    return CountFromStart(
        SDI12, [](const TSDI12Row& r) { return r.IsDefined(); }, kMinSDI12Count);
}

int XmtrConfig::DefinedInternSensCount() const {
    return CountFromStart(
        Internal, [](const TInternSensor& r) { return r.IsDefined(); }, kMinInternCount);
}

int XmtrConfig::DefinedMinMaxAvgCount() const {
    return CountFromStart(
        MinMaxAvg, [](const TSensorMMA& r) { return !r.IsFree(); }, 1);
}

int XmtrConfig::DefinedTimedDataCount(bool argosMode) const {
    if (argosMode) {
        return 1;
    }
    return CountFromStart(
        TimedData, [](const TDataFormatRow& r) { return !r.IsFree(); }, 1);
}

int XmtrConfig::DefinedRandomDataCount() const {
    return CountFromStart(
        RandomData, [](const TDataFormatRow& r) { return !r.IsFree(); }, 1);
}

int XmtrConfig::DefinedRandomTriggerCount() const {
    return CountFromStart(
        RandomTriggers, [](const TRandomTrigger& r) { return !r.IsFree(); }, 1);
}

int XmtrConfig::DerivedTxMode() const {
    if (!RandomTx.ArgosEnabled) {
        return kTxModeGoes;
    }
    return RandomTx.ScdEnabled ? kTxModeArgosScd : kTxModeArgos;
}

void XmtrConfig::DeriveEnabledAfterLoad(bool argosMode) {
    if (TimedTx.Channel > 0) {
        TimedEnabled = true;
    }
    if (RandomTx.Channel > 0 || (argosMode && !RandomTx.ArgosChannel.empty())) {
        RandomEnabled = true;
    }
}

} // namespace tavin

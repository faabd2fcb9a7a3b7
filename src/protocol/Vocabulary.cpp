#include "protocol/Vocabulary.h"

#include <algorithm>
#include <array>

namespace tavin {
namespace {

constexpr std::uint8_t Q = kFormQuery, S = kFormSet, A = kFormAction, B = kFormBulk, C = kFormClear;
using V = VocabArea;

constexpr std::array kVocabulary = {
    // Identity, mode and general settings
    VocabEntry{mn::ARG, Q | S, V::Identity, false, "ARGOS operation on or off; alive poll"},
    VocabEntry{mn::SCD, Q | S, V::Identity, false, "SCD operation (with ARGOS)"},
    VocabEntry{mn::NID, Q | S, V::Identity, false, "GOES platform id"},
    VocabEntry{mn::AID, Q | S, V::Identity, false, "ARGOS/SCD platform id"},
    VocabEntry{mn::PUE, Q | S, V::General, false, "enable transmitter at power up"},
    VocabEntry{mn::PIS, Q | S, V::General, false, "platform identification string"},
    VocabEntry{mn::PB1, Q | S, V::General, false, "pseudo-binary header character 1"},
    VocabEntry{mn::PB2, Q | S, V::General, false, "pseudo-binary header character 2"},
    VocabEntry{mn::IRC, Q | S, V::General, false, "replacement for unsendable characters"},
    VocabEntry{mn::TXP, Q | S, V::General, false, "transmit power per bit rate"},
    VocabEntry{mn::TZN, Q | S, V::General, false, "time zone offset from GMT"},
    VocabEntry{mn::SFL, Q | S, V::General, false, "replace null data with slash"},
    VocabEntry{mn::LGM, Q | S, V::General, false, "logger mode"},
    VocabEntry{mn::GTS, Q | S, V::General, false, "timed transmissions between GPS syncs"},
    VocabEntry{mn::GTC, Q | S, V::General, false, "days between GPS TCXO calibrations"},
    VocabEntry{mn::GOC, Q | S, V::General, false, "days between GPS OCXO calibrations"},
    VocabEntry{mn::GTO, Q | S, V::General, false, "GPS sync time-out"},
    VocabEntry{mn::TSN, Q | S, V::Calibration, false, "calibration value"},
    // Timed and random transmission
    VocabEntry{mn::TCH, Q | S, V::Transmission, false, "timed channel and bit rate"},
    VocabEntry{mn::TTI, Q | S, V::Transmission, false, "timed transmission interval"},
    VocabEntry{mn::FTT, Q | S, V::Transmission, false, "first timed transmission"},
    VocabEntry{mn::TWL, Q | S, V::Transmission, false, "timed window length"},
    VocabEntry{mn::TOF, Q | S, V::Transmission, false, "timed operation flags"},
    VocabEntry{mn::TPR, Q | S, V::Transmission, false, "timed preamble"},
    VocabEntry{mn::TIL, Q | S, V::Transmission, false, "timed interleaver"},
    VocabEntry{mn::TDF, Q | S, V::Transmission, false, "timed data format"},
    VocabEntry{mn::TDS, Q | S, V::Transmission, false, "timed data source"},
    VocabEntry{mn::TDO, Q | S, V::Transmission, false, "timed data order"},
    VocabEntry{mn::RCH, Q | S, V::Transmission, false, "random channel and bit rate"},
    VocabEntry{mn::RIN, Q | S, V::Transmission, false, "random interval"},
    VocabEntry{mn::RPC, Q | S, V::Transmission, false, "randomness percent"},
    VocabEntry{mn::RRC, Q | S, V::Transmission, false, "random repeat count"},
    VocabEntry{mn::RIL, Q | S, V::Transmission, false, "random interleaver"},
    VocabEntry{mn::RDF, Q | S, V::Transmission, false, "random data format"},
    VocabEntry{mn::RDS, Q | S, V::Transmission, false, "random data source"},
    VocabEntry{mn::RDO, Q | S, V::Transmission, false, "random data order"},
    VocabEntry{mn::ROF, Q | S, V::Transmission, false, "random operation flags"},
    VocabEntry{mn::TDP, Q | B | S | C, V::DataFormat, false, "timed message format row"},
    VocabEntry{mn::RDP, Q | B | S | C, V::DataFormat, false, "random message format row"},
    VocabEntry{mn::RRT, Q | S | C, V::DataFormat, false, "random transmission trigger"},
    VocabEntry{mn::ADP, Q | S | C, V::DataFormat, false, "ARGOS data pack entry"},
    VocabEntry{mn::ADS, Q, V::DataFormat, false, "ends the retrieve after the triggers"},
    VocabEntry{mn::TPN, S, V::Counts, false, "number of timed format rows"},
    VocabEntry{mn::RPN, S, V::Counts, false, "number of random format rows"},
    VocabEntry{mn::RTN, S, V::Counts, false, "number of random triggers"},
    // Sensors
    VocabEntry{mn::SS, B | S | C, V::SDI12, true, "SDI-12 sensor row, short form"},
    VocabEntry{mn::SSX, B | S, V::SDI12, false, "SDI-12 sensor row, X form"},
    VocabEntry{mn::SL, B | S | C, V::SDI12, true, "SDI-12 row label, short form"},
    VocabEntry{mn::SLX, B | S, V::SDI12, false, "SDI-12 row label, X form"},
    VocabEntry{mn::SSN, Q | S, V::SDI12, false, "number of SDI-12 rows"},
    VocabEntry{mn::SLN, 0, V::SDI12, false, "recognised only to be ignored"},
    VocabEntry{mn::IS, B | S | C, V::Internal, true, "internal sensor row, short form"},
    VocabEntry{mn::ISX, B | S, V::Internal, false, "internal sensor row, X form"},
    VocabEntry{mn::IL, B | S | C, V::Internal, true, "internal row label, short form"},
    VocabEntry{mn::ILX, B | S, V::Internal, false, "internal row label, X form"},
    VocabEntry{mn::ISN, Q | S, V::Internal, false, "number of internal rows"},
    VocabEntry{mn::IST, S, V::Internal, false, "internal sensor test output"},
    VocabEntry{mn::TBA, Q | S, V::Internal, false, "tipping bucket reset interval"},
    VocabEntry{mn::TBR, Q | S, V::Internal, false, "tipping bucket roll-over count"},
    VocabEntry{mn::TBM, Q | S, V::Internal, false, "tipping bucket multiplier"},
    VocabEntry{mn::TBC, Q | S, V::Samples, false, "tipping bucket count"},
    VocabEntry{mn::TBV, Q, V::Samples, false, "tipping bucket value"},
    VocabEntry{mn::MMA, Q | S | C, V::MinMaxAvg, false, "min/max/average row"},
    VocabEntry{mn::MMN, S, V::MinMaxAvg, false, "number of min/max/average rows"},
    VocabEntry{mn::EQN, Q | S | C, V::Equations, false, "equation"},
    VocabEntry{mn::EQT, S, V::Equations, false, "test an equation"},
    VocabEntry{mn::IM, B, V::Samples, true, "internal sensor samples, short form"},
    VocabEntry{mn::IMX, B, V::Samples, false, "internal sensor samples, X form"},
    VocabEntry{mn::SM, B, V::Samples, true, "SDI-12 samples, short form"},
    VocabEntry{mn::SMX, B, V::Samples, false, "SDI-12 samples, X form"},
    VocabEntry{mn::SDI, S, V::Samples, false, "SDI-12 command to the bus"},
    VocabEntry{mn::TOT, Q, V::Samples, false, "internal temperature"},
    VocabEntry{mn::RBV, Q, V::Samples, false, "battery volts"},
    // Configuration storage, transmitter state and clock
    VocabEntry{mn::CFB, A, V::Storage, false, "begin a configuration"},
    VocabEntry{mn::CFE, S, V::Storage, false, "password before configuring"},
    VocabEntry{mn::CFS, A, V::Storage, false, "store the configuration"},
    VocabEntry{mn::CFR, A, V::Storage, false, "restore the stored configuration"},
    VocabEntry{mn::ConfigDefault, A, V::Storage, false, "load the factory defaults"},
    VocabEntry{mn::CTX, Q, V::State, false, "check the stored configuration"},
    VocabEntry{mn::ETX, A, V::State, false, "enable transmissions"},
    VocabEntry{mn::DTX, A, V::State, false, "disable transmissions"},
    VocabEntry{mn::ELG, A, V::State, false, "enable the logger"},
    VocabEntry{mn::STX, A, V::Test, false, "stop the current transmission"},
    VocabEntry{mn::FGF, A, V::Calibration, false, "force a GPS fix"},
    VocabEntry{mn::TIM, Q | S, V::Clock, false, "clock time"},
    VocabEntry{mn::DAT, Q | S, V::Clock, false, "clock date"},
    VocabEntry{mn::UTC, Q | S, V::Clock, false, "UTC correction"},
    VocabEntry{mn::TBD, A | Q, V::Buffers, false, "timed data buffer dump"},
    VocabEntry{mn::RBD, A | Q, V::Buffers, false, "random data buffer dump"},
    // Status, test, calibration and log
    VocabEntry{mn::RST, Q, V::Status, false, "status report"},
    VocabEntry{mn::RCF, A, V::Status, false, "read back the configuration"},
    VocabEntry{mn::LTS, A | Q, V::Status, false, "last transmission status"},
    VocabEntry{mn::GPS, Q, V::Status, false, "GPS status"},
    VocabEntry{mn::RGP, Q, V::Status, false, "GPS time of fix and position"},
    VocabEntry{mn::LGC, Q, V::Status, false, "last GPS calibration"},
    VocabEntry{mn::GCS, A | Q | S, V::Calibration, false, "GPS calibration"},
    VocabEntry{mn::OCR, Q | S, V::Calibration, false, "OCXO correction"},
    VocabEntry{mn::SFC, Q | S, V::Calibration, false, "synthesizer frequency correction"},
    VocabEntry{mn::TCR, Q | S, V::Calibration, false, "TCXO correction"},
    VocabEntry{mn::TCA, Q | S, V::Calibration, false, "TCXO aging correction"},
    VocabEntry{mn::FTX, Q | S, V::Test, false, "forced test transmission"},
    VocabEntry{mn::FSR, A, V::Test, false, "fail-safe reset"},
    VocabEntry{mn::LOG, S, V::Log, false, "erase the sensor log (LOG=CLEAR)"},
    VocabEntry{mn::LFA, S, V::Log, false, "log filter: after"},
    VocabEntry{mn::LFB, S, V::Log, false, "log filter: before"},
    VocabEntry{mn::LFT, S, V::Log, false, "log filter: entry type"},
    VocabEntry{mn::LFS, S, V::Log, false, "log filter: SDI-12 rows"},
    VocabEntry{mn::LFI, S, V::Log, false, "log filter: internal rows"},
    VocabEntry{mn::LFD, A, V::Log, false, "display the log filters"},
    VocabEntry{mn::LHD, Q, V::Log, false, "hex dump of the whole log"},
    VocabEntry{mn::LHF, Q, V::Log, false, "hex dump of the filtered log"},
    VocabEntry{mn::TDT, 0, V::State, false, "occurs only in configuration check answers"},
};

bool IsUpper(char c) {
    return c >= 'A' && c <= 'Z';
}

} // namespace

std::span<const VocabEntry> Vocabulary() {
    return kVocabulary;
}

std::optional<VocabEntry> FindMnemonic(std::string_view mnemonic) {
    // Every reply and file line asks several times, so the lookup is a
    // binary search over the entries sorted once by mnemonic; the first
    // entry of a mnemonic in table order wins, as a scan would give.
    static const auto sorted = [] {
        std::array<const VocabEntry*, kVocabulary.size()> index{};
        for (std::size_t i = 0; i < kVocabulary.size(); ++i) {
            index[i] = &kVocabulary[i];
        }
        std::stable_sort(index.begin(), index.end(), [](const VocabEntry* a, const VocabEntry* b) {
            return a->mnemonic < b->mnemonic;
        });
        return index;
    }();
    const auto it =
        std::lower_bound(sorted.begin(), sorted.end(), mnemonic,
                         [](const VocabEntry* e, std::string_view m) { return e->mnemonic < m; });
    if (it == sorted.end() || (*it)->mnemonic != mnemonic) {
        return std::nullopt;
    }
    return **it;
}

std::string_view LeadingMnemonic(std::string_view line) {
    if (line.starts_with(mn::ConfigDefault)) {
        return line.substr(0, mn::ConfigDefault.size());
    }
    if (line.size() >= 2 && IsUpper(line[0]) && IsUpper(line[1])) {
        const bool third = line.size() >= 3 && IsUpper(line[2]);
        if (third) {
            const auto three = line.substr(0, 3);
            if (FindMnemonic(three)) {
                return three;
            }
        }
        const char next = line.size() > 2 ? line[2] : '\0';
        if ((next >= '0' && next <= '9') || next == '*') {
            const auto two = line.substr(0, 2);
            if (auto e = FindMnemonic(two); e && e->rowPrefix) {
                return two;
            }
        }
    }
    return {};
}

} // namespace tavin

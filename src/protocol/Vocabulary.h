#pragma once
// Every mnemonic the utility sends or recognises, in one place, with the forms
// it takes on the line and the configuration area that owns it. Parsers and
// builders name commands through these constants and the builders in
// CommandLine.h instead of spelling command text by hand.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace tavin {

// The forms a mnemonic takes on the line.
enum VocabForm : std::uint8_t {
    kFormQuery = 1 << 0,  // "TCH?"
    kFormSet = 1 << 1,    // "TCH=1,300"
    kFormAction = 1 << 2, // "CFS"
    kFormBulk = 1 << 3,   // "SSX=*?" or, for a two-letter prefix, "SS*?"
    kFormClear = 1 << 4,  // "TDP=CLEAR" or "SS*=CLEAR"
};

// The area of the utility that builds or parses a mnemonic.
enum class VocabArea {
    Identity,     // mode and platform ids
    General,      // general settings
    Transmission, // timed and random transmission setup
    DataFormat,   // message formats, random triggers, ARGOS data pack
    Counts,       // row counts sent ahead of tables
    SDI12,        // SDI-12 sensor table
    Internal,     // internal sensors and tipping bucket
    MinMaxAvg,    // min/max/average table
    Equations,    // equations
    Samples,      // sensor samples and readings
    Storage,      // configuration storage
    State,        // transmitter state (enable, disable)
    Clock,        // clock, date, UTC correction
    Buffers,      // data buffer dumps
    Status,       // status reports
    Test,         // test transmissions
    Calibration,  // GPS and oscillator calibration
    Log,          // sensor log retrieval and erase
};

struct VocabEntry {
    std::string_view mnemonic; // three letters, or a two-letter table prefix
    std::uint8_t forms;        // VocabForm bits
    VocabArea area;
    bool rowPrefix; // a two-letter prefix followed by a row number ("SS3=")
    std::string_view meaning;
};

// The whole vocabulary, in the order of the command tables.
std::span<const VocabEntry> Vocabulary();

// The entry for a mnemonic or table prefix, compared exactly (capitals).
std::optional<VocabEntry> FindMnemonic(std::string_view mnemonic);

// The mnemonic a command or reply line starts with: three capital letters, or
// a two-letter row prefix followed by a digit or "*" ("SS12=..."), or nothing.
std::string_view LeadingMnemonic(std::string_view line);

namespace mn {
// Identity, mode and general settings
inline constexpr std::string_view ARG = "ARG", SCD = "SCD", NID = "NID", AID = "AID", PUE = "PUE",
                                  PIS = "PIS", PB1 = "PB1", PB2 = "PB2", IRC = "IRC", TXP = "TXP",
                                  TZN = "TZN", SFL = "SFL", LGM = "LGM", GTS = "GTS", GTC = "GTC",
                                  GOC = "GOC", GTO = "GTO", TSN = "TSN";
// Timed and random transmission, formats
inline constexpr std::string_view TCH = "TCH", TTI = "TTI", FTT = "FTT", TWL = "TWL", TOF = "TOF",
                                  TPR = "TPR", TIL = "TIL", TDF = "TDF", TDS = "TDS", TDO = "TDO",
                                  RCH = "RCH", RIN = "RIN", RPC = "RPC", RRC = "RRC", RIL = "RIL",
                                  RDF = "RDF", RDS = "RDS", RDO = "RDO", ROF = "ROF", TDP = "TDP",
                                  RDP = "RDP", RRT = "RRT", ADP = "ADP", ADS = "ADS", TPN = "TPN",
                                  RPN = "RPN", RTN = "RTN";
// Sensors
inline constexpr std::string_view SS = "SS", SSX = "SSX", SL = "SL", SLX = "SLX", SSN = "SSN",
                                  SLN = "SLN", IS = "IS", ISX = "ISX", IL = "IL", ILX = "ILX",
                                  ISN = "ISN", IST = "IST", TBA = "TBA", TBR = "TBR", TBM = "TBM",
                                  TBC = "TBC", TBV = "TBV", MMA = "MMA", MMN = "MMN", EQN = "EQN",
                                  EQT = "EQT", IM = "IM", IMX = "IMX", SM = "SM", SMX = "SMX",
                                  SDI = "SDI", TOT = "TOT", RBV = "RBV";
// Storage, state and clock
inline constexpr std::string_view CFB = "CFB", CFE = "CFE", CFS = "CFS", CFR = "CFR",
                                  ConfigDefault = "ConfigDefault", CTX = "CTX", ETX = "ETX",
                                  DTX = "DTX", ELG = "ELG", STX = "STX", FGF = "FGF", TIM = "TIM",
                                  DAT = "DAT", UTC = "UTC", TBD = "TBD", RBD = "RBD";
// Status, test, calibration and log
inline constexpr std::string_view RST = "RST", RCF = "RCF", LTS = "LTS", GPS = "GPS", RGP = "RGP",
                                  LGC = "LGC", GCS = "GCS", OCR = "OCR", SFC = "SFC", TCR = "TCR",
                                  TCA = "TCA", FTX = "FTX", FSR = "FSR", LOG = "LOG", LFA = "LFA",
                                  LFB = "LFB", LFT = "LFT", LFS = "LFS", LFI = "LFI", LFD = "LFD",
                                  LHD = "LHD", LHF = "LHF", TDT = "TDT";
} // namespace mn

} // namespace tavin

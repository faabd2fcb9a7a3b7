#include "files/ConfigFile.h"

#include "files/AtomicFile.h"
#include "protocol/ArgosDataPack.h"
#include "protocol/CommandLine.h"
#include "protocol/DataFormatConfig.h"
#include "protocol/EquationConfig.h"
#include "protocol/GlbIni.h"
#include "protocol/InternSensConfig.h"
#include "protocol/MinMaxAvgConfig.h"
#include "protocol/ParserOrder.h"
#include "protocol/RandomTriggerConfig.h"
#include "protocol/SDI12Config.h"
#include "protocol/TableLine.h"
#include "protocol/UtilityControl.h"
#include "protocol/ValueForms.h"
#include "protocol/Vocabulary.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <span>
#include <sys/stat.h>

namespace tavin {
namespace {

// Rows the older firmware keeps, where the extended tables keep more.
constexpr int kShortSDI12Rows = 10;
constexpr int kShortFormatRows = 20;
constexpr int kShortTriggerRows = 15;
// Firmware 1.15 brought the slash for null data.
constexpr int kSlashForNullVersion = 115;
constexpr std::uint8_t kSensorSource = 1;
constexpr std::uint8_t kRs232Source = 0;

// Which of the station-specific lines a body carries.
struct BodyKind {
    bool platformId; // "NID=" or "AID="
    bool pis;        // the platform id string
    bool store;      // the closing "CFS"
};

std::string Bool(bool on) {
    return on ? "1" : "0";
}

std::string CharOrInv(char c) {
    return c == '\0' ? std::string("INV") : std::string(1, c);
}

// The power as its spin edit shows it: one decimal.
std::string PowerText(double watts) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.1f", watts);
    return buf;
}

void AddChoice(std::vector<std::string>& out, std::string_view mnemonic,
               std::span<const std::string_view> words, std::uint8_t index) {
    if (index < words.size()) {
        out.push_back(SetCmd(mnemonic, {words[index]}));
    }
}

bool Switch(const ParseContext& ctx, UtilitySwitch s) {
    return FeatureOn(ctx, s);
}

std::vector<std::string> CreateBody(const XmtrConfig& cfg, const ParseContext& ctx, BodyKind kind) {
    std::vector<std::string> out;
    out.reserve(512);
    const bool argos = ctx.IsArgosMode();
    const bool extended = Switch(ctx, UtilitySwitch::ExtendedTables);
    const bool triggers = Switch(ctx, UtilitySwitch::SensorTriggers);
    const TTimedTxParams& t = cfg.TimedTx;
    const TRandomTxParams& r = cfg.RandomTx;
    const TGeneralSettings& g = cfg.General;

    // Mode first, so that a reader puts the ARGOS interval and repeat count
    // where they belong.
    if (argos) {
        out.push_back(SetCmd(mn::ARG, {"1"}));
        out.push_back(SetCmd(mn::SCD, {Bool(ctx.TxMode == kTxModeArgosScd)}));
    } else {
        out.push_back(SetCmd(mn::ARG, {"0"}));
    }
    if (kind.platformId) {
        out.push_back(argos ? SetCmd(mn::AID, {cfg.PlatformIdArgos})
                            : SetCmd(mn::NID, {cfg.PlatformIdGoes}));
    }

    // Timed settings are written whether or not timed transmissions are on,
    // the interval exactly as held.
    if (t.BitRate <= 2) {
        out.push_back(SetCmd(mn::TCH, {FormatInt(t.Channel), kBitRateWords[t.BitRate]}));
    }
    out.push_back(SetCmd(mn::TTI, {t.Interval}));
    out.push_back(SetCmd(mn::FTT, {t.FirstTx}));
    out.push_back(SetCmd(mn::TWL, {FormatInt(t.WindowLength)}));
    out.push_back(SetCmd(mn::TOF, {FormatHexFlags(t.OpFlags)}));
    AddChoice(out, mn::TPR, kPreambleWords, t.Preamble);
    AddChoice(out, mn::TIL, kInterleaverWords, t.Interleaver);
    AddChoice(out, mn::TDF, kTimedFormatWords, t.DataFormat);
    AddChoice(out, mn::TDS, kDataSourceWords, t.DataSource);
    AddChoice(out, mn::TDO, kDataOrderWords, t.DataOrder);

    if (argos) {
        out.push_back(SetCmd(mn::RCH, {r.ArgosChannel, "400"}));
        out.push_back(SetCmd(mn::RIN, {FormatInt(r.ArgosInterval)}));
        out.push_back(SetCmd(mn::RPC, {"10"}));
        out.push_back(SetCmd(mn::RRC, {FormatInt(r.ArgosRepeatCount)}));
    } else {
        out.push_back(SetCmd(mn::ARG, {"0"}));
        if (r.BitRate <= 2) {
            out.push_back(SetCmd(mn::RCH, {FormatInt(r.Channel), kBitRateWords[r.BitRate]}));
        }
        out.push_back(SetCmd(mn::RIN, {FormatInt(r.Interval)}));
        out.push_back(SetCmd(mn::RPC, {FormatInt(r.Percent)}));
        out.push_back(SetCmd(mn::RRC, {FormatInt(r.RepeatCount)}));
        AddChoice(out, mn::RIL, kInterleaverWords, r.Interleaver);
    }
    AddChoice(out, mn::RDF, kRandomFormatWords, r.DataFormat);
    AddChoice(out, mn::RDS, kDataSourceWords, r.DataSource);
    AddChoice(out, mn::RDO, kDataOrderWords, r.DataOrder);
    out.push_back(SetCmd(mn::ROF, {FormatHexFlags(r.OpFlags)}));

    out.push_back(SetCmd(mn::PUE, {Bool(g.PowerUpEnable)}));
    out.push_back(SetCmd(mn::GTS, {FormatInt(g.GpsTimeSync)}));
    if (ctx.AdvancedSettings) {
        out.push_back(SetCmd(mn::GTC, {FormatInt(g.GpsTcxoCal)}));
        out.push_back(SetCmd(mn::GOC, {FormatInt(g.GpsOcxoCal)}));
        out.push_back(SetCmd(mn::GTO, {FormatInt(g.GpsSyncTimeout)}));
        std::vector<std::string> powers = {PowerText(g.TxPower100), PowerText(g.TxPower300),
                                           PowerText(g.TxPower1200)};
        if (argos) {
            powers.push_back(FormatReal(r.ArgosTxPower));
        }
        out.push_back(SetCmd(mn::TXP, powers));
        // "IRC=" would set no character, as in the send-all.
        if (g.InvalidReplaceChar != '\0') {
            out.push_back(SetCmd(mn::IRC, {std::string(1, g.InvalidReplaceChar)}));
        }
    }
    if (triggers && ctx.Utility && ctx.Utility->VersionCode() >= kSlashForNullVersion) {
        out.push_back(SetCmd(mn::SFL, {Bool(g.SlashForNull)}));
    }
    if (Switch(ctx, UtilitySwitch::LoggerModeEnabled)) {
        out.push_back(SetCmd(mn::LGM, {Bool(g.LoggerMode)}));
    }
    // The send-all carries the time zone to the firmware that has it; a file
    // without it would reset the zone to 0 on the next send.
    if (Switch(ctx, UtilitySwitch::TimeZoneEnabled)) {
        out.push_back(SetCmd(mn::TZN, {FormatInt(g.TimeZoneOffset)}));
    }

    if (extended) {
        out.push_back(SetCmd(mn::SSN, {FormatInt(cfg.DefinedSDI12Count())}));
        out.push_back(SetCmd(mn::ISN, {FormatInt(cfg.DefinedInternSensCount())}));
        out.push_back(SetCmd(mn::TPN, {FormatInt(cfg.DefinedTimedDataCount(argos))}));
        out.push_back(SetCmd(mn::RPN, {FormatInt(cfg.DefinedRandomDataCount())}));
        out.push_back(SetCmd(mn::RTN, {FormatInt(cfg.DefinedRandomTriggerCount())}));
        for (std::size_t i = 0; i < cfg.Equations.size(); ++i) {
            out.push_back(BuildEquationConfigCmd(cfg, static_cast<int>(i)));
        }
    }

    // Tables stop at their first undefined row; nothing after a gap is saved.
    int sdiDefined = 0;
    for (int i = 0; i < (extended ? kSDI12Rows : kShortSDI12Rows); ++i) {
        std::string cmd = BuildSDI12ConfigCmd(cfg, i, extended, triggers);
        if (cmd.empty()) {
            break;
        }
        out.push_back(std::move(cmd));
        ++sdiDefined;
    }
    if (extended) {
        for (int i = 0; i < sdiDefined; ++i) {
            if (cfg.SDI12[i].Label != DefaultSDI12Label(i)) {
                if (std::string cmd = BuildSDI12LabelCmd(cfg, i, true); !cmd.empty()) {
                    out.push_back(std::move(cmd));
                }
            }
        }
    }
    int internDefined = 0;
    for (int i = 0; i < kInternRows; ++i) {
        std::string cmd = BuildInternSensCmd(cfg, i, extended, triggers);
        if (cmd.empty()) {
            break;
        }
        out.push_back(std::move(cmd));
        ++internDefined;
    }
    if (extended) {
        // Compared with "INT" and the row number, so rows from 10 on always
        // carry their label.
        for (int i = 0; i < internDefined; ++i) {
            if (cfg.Internal[i].Label != "INT" + std::to_string(i)) {
                if (std::string cmd = BuildInternSensLabelCmd(cfg, i, false); !cmd.empty()) {
                    out.push_back(std::move(cmd));
                }
            }
        }
    }
    for (std::string& line : BuildTippingBucketCmds(cfg, ctx)) {
        out.push_back(std::move(line));
    }

    if (Switch(ctx, UtilitySwitch::MinMaxAvgEnabled)) {
        const int count = cfg.DefinedMinMaxAvgCount();
        out.push_back(SetCmd(mn::MMN, {FormatInt(count)}));
        for (int i = 0; i < count; ++i) {
            std::string cmd = BuildMinMaxAvgCmd(cfg, ctx, i);
            if (cmd.empty()) {
                break;
            }
            out.push_back(std::move(cmd));
        }
    }

    if (kind.pis) {
        out.push_back(SetCmd(mn::PIS, {g.PlatformIdString.empty() ? "." : g.PlatformIdString}));
    }
    out.push_back(SetCmd(mn::PB1, {CharOrInv(g.PseudoBinaryHeader1)}));
    out.push_back(SetCmd(mn::PB2, {CharOrInv(g.PseudoBinaryHeader2)}));

    for (int i = 0; i < (extended ? kTimedDataRows : kShortFormatRows); ++i) {
        std::string cmd = BuildTimedDataParamCmd(cfg, i, extended);
        if (cmd.empty()) {
            break;
        }
        out.push_back(std::move(cmd));
    }
    for (int i = 0; i < (extended ? kRandomDataRows : kShortFormatRows); ++i) {
        std::string cmd = BuildRandomDataParamCmd(cfg, i, extended);
        if (cmd.empty()) {
            break;
        }
        out.push_back(std::move(cmd));
    }
    if (r.DataSource == kSensorSource) {
        for (int i = 0; i < (extended ? kRandomTriggerRows : kShortTriggerRows); ++i) {
            std::string cmd = BuildRandomTrigCmd(cfg, i);
            if (cmd.empty()) {
                break;
            }
            out.push_back(std::move(cmd));
        }
    }
    if (argos && r.DataSource == kRs232Source) {
        for (std::string& line : BuildArgosDataPackCmds(cfg)) {
            out.push_back(std::move(line));
        }
    }
    if (kind.store) {
        out.push_back(ActionCmd(mn::CFS));
    }
    return out;
}

// Calls fn for every non-empty line; any run of CR and LF ends a line, so
// CRLF, LF and CR files read alike and blank lines vanish.
template <typename F> void ForEachLine(std::string_view text, F fn) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", pos);
        const std::size_t stop = end == std::string_view::npos ? text.size() : end;
        if (stop > pos) {
            fn(text.substr(pos, stop - pos));
        }
        pos = stop + 1;
    }
}

// "PB1=INV" is how an empty header character is saved.
std::string_view EmptyHeaderForm(std::string_view line) {
    if (line == "PB1=INV") {
        return "PB1=";
    }
    if (line == "PB2=INV") {
        return "PB2=";
    }
    return line;
}

// Whether the table parsers would read the line as one of token's; the plain
// search first keeps the common case cheap.
bool Carries(std::string_view line, std::string_view token) {
    return line.find(token) != std::string_view::npos && LineHas(line, token);
}

ConfigFileResult Failure(std::string text) {
    return ConfigFileResult{false, std::move(text)};
}

} // namespace

std::vector<std::string> CreateConfigData(const XmtrConfig& cfg, const ParseContext& ctx) {
    return CreateBody(cfg, ctx, BodyKind{true, true, true});
}

std::vector<std::string> CreateTemplateData(const XmtrConfig& cfg, const ParseContext& ctx) {
    return CreateBody(cfg, ctx, BodyKind{false, false, false});
}

void ParseFileData(std::string_view text, XmtrConfig& cfg, ParseContext& ctx, bool templateMode) {
    // A file is not the transmitter: nothing may be queued for it, and the
    // sensor test output window is not where its rows go.
    ParseContext fileCtx = ctx;
    fileCtx.QueueCommand = nullptr;
    fileCtx.InternalSensorTestOn = false;
    const std::span<const ConfigParser> parsers = FileLoadParsers();
    ForEachLine(text, [&](std::string_view line) {
        if (line == "CFS") {
            return;
        }
        // Only a line of its own sets a platform id, so that a station name
        // or an equation spelling "NID=" cannot.
        if (!templateMode) {
            if (line.starts_with("NID=")) {
                cfg.PlatformIdGoes = std::string(line.substr(4));
            } else if (line.starts_with("AID=")) {
                cfg.PlatformIdArgos = std::string(line.substr(4));
            }
        }
        OfferLine(parsers, EmptyHeaderForm(line), cfg, fileCtx);
    });
    ctx.TxMode = fileCtx.TxMode;
}

void ClearConfigFileSections(XmtrConfig& cfg, ParseContext& ctx) {
    const TGlbIni defaults;
    cfg.ClearGeneralSettings(ctx.Ini ? *ctx.Ini : defaults);
    cfg.ClearTimed();
    cfg.ClearRandom();
    cfg.ClearEquations();
    cfg.ClearSDI12();
    cfg.ClearInternal();
    cfg.ClearTimedData();
    cfg.ClearRandomData();
    cfg.ClearRandomTriggers();
    ctx.RederiveTxMode(cfg);
}

void SetNewTemplateDefaults(XmtrConfig& cfg) {
    TGeneralSettings& g = cfg.General;
    g.PowerUpEnable = true;
    g.PlatformIdString.clear();
    g.PseudoBinaryHeader1 = '@';
    g.PseudoBinaryHeader2 = '@';
    g.InvalidReplaceChar = kInitialInvalidReplaceChar;
    g.SlashForNull = true;
}

void NewTemplate(XmtrConfig& cfg, ParseContext& ctx) {
    ClearConfigFileSections(cfg, ctx);
    SetNewTemplateDefaults(cfg);
}

void LoadConfigText(std::string_view text, XmtrConfig& cfg, ParseContext& ctx, bool asTemplate) {
    // The min/max/average table and the data pack survive a load, but a file
    // that carries them replaces them whole instead of overlaying its rows.
    bool carriesMinMaxAvg = false;
    bool carriesDataPack = false;
    ForEachLine(text, [&](std::string_view line) {
        carriesMinMaxAvg = carriesMinMaxAvg || Carries(line, "MMA=") || Carries(line, "MMN=");
        carriesDataPack = carriesDataPack || Carries(line, "ADP=");
    });
    ClearConfigFileSections(cfg, ctx);
    if (carriesMinMaxAvg) {
        cfg.ClearMinMaxAvg();
    }
    if (carriesDataPack) {
        cfg.RandomTx.ArgosDataPack.fill(0);
    }
    ParseFileData(text, cfg, ctx, asTemplate);
    cfg.DeriveEnabledAfterLoad(ctx.IsArgosMode());
    // A template whose messages take sensor data is meant to get sensors,
    // even when it defines none yet.
    if (asTemplate &&
        (cfg.TimedTx.DataSource == kSensorSource || cfg.RandomTx.DataSource == kSensorSource)) {
        cfg.SDI12Present = true;
        cfg.InternalPresent = true;
    }
}

ConfigFileResult LoadConfigFile(const std::string& path, XmtrConfig& cfg, ParseContext& ctx,
                                bool asTemplate) {
    // Everything is read before the model is touched, so a failure changes
    // nothing.
    struct stat st {};
    if (stat(path.c_str(), &st) != 0) {
        return Failure("Cannot open \"" + path + "\": " + std::strerror(errno));
    }
    if (!S_ISREG(st.st_mode)) {
        return Failure("Cannot read \"" + path + "\": not a regular file");
    }
    if (static_cast<unsigned long long>(st.st_size) > kMaxConfigFileBytes) {
        return Failure("\"" + path + "\" is " + std::to_string(st.st_size) +
                       " bytes, too large for a configuration file (at most " +
                       std::to_string(kMaxConfigFileBytes) + " bytes)");
    }
    std::string text;
    std::string error;
    if (!ReadWholeFile(path, text, &error, nullptr, kMaxConfigFileBytes)) {
        return Failure(error);
    }
    LoadConfigText(text, cfg, ctx, asTemplate);
    return ConfigFileResult{true, {}};
}

std::string JoinConfigLines(const std::vector<std::string>& lines) {
    std::size_t size = 0;
    for (const std::string& line : lines) {
        size += line.size() + 2;
    }
    std::string text;
    text.reserve(size);
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

ConfigFileResult SaveConfigFile(const std::string& path, const XmtrConfig& cfg,
                                const ParseContext& ctx, bool asTemplate) {
    const std::vector<std::string> lines =
        asTemplate ? CreateTemplateData(cfg, ctx) : CreateConfigData(cfg, ctx);
    std::string error;
    if (!WriteFileAtomically(path, JoinConfigLines(lines), &error)) {
        return Failure(error);
    }
    return ConfigFileResult{true, {}};
}

} // namespace tavin

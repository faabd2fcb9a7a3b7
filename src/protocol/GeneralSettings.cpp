#include "protocol/GeneralSettings.h"

#include "protocol/CommandLine.h"
#include "protocol/UtilityControl.h"
#include "protocol/ValueForms.h"
#include "protocol/Vocabulary.h"
#include "support/StringRoutines.h"

#include <vector>

namespace tavin {
namespace {

inline constexpr std::size_t kMaxPlatformIdString = 40;

std::string Value(std::string_view line, int k) {
    return ReplyValue(line, k);
}

// A one-character field from the whole text after "=": empty clears it, a
// longer text is not a character and is ignored.
void StoreChar(std::string_view line, char& field) {
    const std::string_view v = AfterFirst(line, '=');
    if (v.size() <= 1) {
        field = v.empty() ? '\0' : v.front();
    }
}

// "1" or "0"; anything else leaves the switch as it was.
void StoreSwitch(std::string_view line, bool& field) {
    const std::string v = Value(line, 1);
    if (v == "1" || v == "0") {
        field = v == "1";
    }
}

void StoreReal(std::string_view text, double& field) {
    double v = 0;
    if (ReadPlainReal(text, v)) {
        field = v;
    }
}

std::string CharText(char c) {
    return c == '\0' ? std::string{} : std::string(1, c);
}

} // namespace

void ParseTxTimeSyncOscCalFields(std::string_view line, XmtrConfig& cfg, ParseContext&) {
    const auto eq = line.find('=');
    if (eq == std::string_view::npos) {
        return;
    }
    std::int32_t v = 0;
    if (!ReadUnsigned(line.substr(eq + 1), v)) {
        return;
    }
    TGeneralSettings& g = cfg.General;
    if (Contains(line, "GTS=")) {
        g.GpsTimeSync = v;
    } else if (Contains(line, "GTC=")) {
        g.GpsTcxoCal = v;
    } else if (Contains(line, "GOC=")) {
        g.GpsOcxoCal = v;
    } else if (Contains(line, "GTO=")) {
        g.GpsSyncTimeout = v;
    }
}

void ParseGeneralTxConfiguration(std::string_view line, XmtrConfig& cfg, ParseContext& ctx) {
    TRandomTxParams& r = cfg.RandomTx;
    TGeneralSettings& g = cfg.General;
    // The platform id string is free text: a station named "ARG=1" must not
    // switch ARGOS on.
    const bool freeText = IsSetFormOf(line, mn::PIS);
    if (!freeText && Contains(line, "ARG=")) {
        if (Contains(line, "=1")) {
            r.ArgosEnabled = true;
            ctx.RederiveTxMode(cfg);
        } else if (Contains(line, "=0")) {
            r.ArgosEnabled = false;
            r.ScdEnabled = false;
            ctx.RederiveTxMode(cfg);
        }
    }
    if (!freeText && Contains(line, "SCD=")) {
        if (Contains(line, "=1")) {
            r.ArgosEnabled = true;
            r.ScdEnabled = true;
            ctx.RederiveTxMode(cfg);
        } else if (Contains(line, "=0")) {
            r.ScdEnabled = false;
            ctx.RederiveTxMode(cfg);
        }
    }

    if (IsSetFormOf(line, mn::IRC)) {
        StoreChar(line, g.InvalidReplaceChar);
    } else if (Contains(line, "PUE=") && !freeText) {
        StoreSwitch(line, g.PowerUpEnable);
    } else if (freeText) {
        const std::string_view v = AfterFirst(line, '=');
        if (v == ".") {
            g.PlatformIdString.clear();
        } else if (v.size() <= kMaxPlatformIdString) {
            g.PlatformIdString = std::string(v);
        }
    } else if (IsSetFormOf(line, mn::PB1)) {
        StoreChar(line, g.PseudoBinaryHeader1);
    } else if (IsSetFormOf(line, mn::PB2)) {
        StoreChar(line, g.PseudoBinaryHeader2);
    } else if (IsSetFormOf(line, mn::TXP)) {
        StoreReal(Value(line, 1), g.TxPower100);
        StoreReal(Value(line, 2), g.TxPower300);
        StoreReal(Value(line, 3), g.TxPower1200);
        const std::string argos = Value(line, 4);
        if (!argos.empty()) {
            StoreReal(argos, r.ArgosTxPower);
        }
    } else if (IsSetFormOf(line, mn::TZN)) {
        // The transmitter's own rule: no number means no offset.
        std::vector<ScanValue> v;
        g.TimeZoneOffset = ScanFormatted(AfterFirst(line, '='), "%d", v, 0) == 1 ? v[0].integer : 0;
    } else if (IsSetFormOf(line, mn::SFL)) {
        StoreSwitch(line, g.SlashForNull);
    } else if (IsSetFormOf(line, mn::LGM)) {
        StoreSwitch(line, g.LoggerMode);
    }
}

void ConfigGeneralTxSettings(const XmtrConfig& cfg, const ParseContext& ctx, CommandSink& out) {
    const TGeneralSettings& g = cfg.General;
    if (ctx.AdvancedSettings) {
        std::vector<std::string> powers = {FormatReal(g.TxPower100), FormatReal(g.TxPower300),
                                           FormatReal(g.TxPower1200)};
        if (ctx.IsArgosMode()) {
            powers.push_back(FormatReal(cfg.RandomTx.ArgosTxPower));
        }
        out.Add(SetCmd(mn::TXP, powers));
        // "IRC=" would set no character; an empty one is simply not sent.
        if (g.InvalidReplaceChar != '\0') {
            out.Add(SetCmd(mn::IRC, {CharText(g.InvalidReplaceChar)}));
        }
    }
    out.Add(SetCmd(mn::PUE, {g.PowerUpEnable ? "1" : "0"}));
    out.Add(SetCmd(mn::PIS, {g.PlatformIdString.empty() ? "." : g.PlatformIdString}));
    if (g.PseudoBinaryHeader1 != '\0') {
        out.Add(SetCmd(mn::PB1, {CharText(g.PseudoBinaryHeader1)}));
    }
    if (g.PseudoBinaryHeader2 != '\0') {
        out.Add(SetCmd(mn::PB2, {CharText(g.PseudoBinaryHeader2)}));
    }
    const TUtilityControl* u = ctx.Utility;
    if (u && u->LoggerModeEnabled()) {
        out.Add(SetCmd(mn::LGM, {g.LoggerMode ? "1" : "0"}));
    }
    if (u && u->SlashFillEnabled()) {
        out.Add(SetCmd(mn::SFL, {g.SlashForNull ? "1" : "0"}));
    }
    if (u && u->TimeZoneEnabled()) {
        out.Add(SetCmd(mn::TZN, {FormatInt(g.TimeZoneOffset)}));
    }
}

void ConfigTimeSyncOscCal(const XmtrConfig& cfg, const ParseContext& ctx, CommandSink& out) {
    const TGeneralSettings& g = cfg.General;
    out.Add(SetCmd(mn::GTS, {FormatInt(g.GpsTimeSync)}));
    if (ctx.AdvancedSettings) {
        out.Add(SetCmd(mn::GTC, {FormatInt(g.GpsTcxoCal)}));
        out.Add(SetCmd(mn::GOC, {FormatInt(g.GpsOcxoCal)}));
        out.Add(SetCmd(mn::GTO, {FormatInt(g.GpsSyncTimeout)}));
    }
}

} // namespace tavin

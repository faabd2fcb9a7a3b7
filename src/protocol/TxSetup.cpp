#include "protocol/TxSetup.h"

#include "protocol/CommandLine.h"
#include "protocol/ValueForms.h"
#include "protocol/Vocabulary.h"
#include "support/StringRoutines.h"

#include <cstdint>

namespace tavin {
namespace {

// Value k of a set-form line is word k+1 split at "=" and ",".
std::string Value(std::string_view line, int k) {
    return ReplyValue(line, k);
}

void StoreChoice(std::string_view line, std::span<const std::string_view> words,
                 std::uint8_t& field) {
    const int i = ChoiceIndex(Value(line, 1), words);
    if (i >= 0) {
        field = static_cast<std::uint8_t>(i);
    }
}

void StoreUnsigned(std::string_view line, std::int32_t& field) {
    std::int32_t v = 0;
    if (ReadUnsigned(Value(line, 1), v)) {
        field = v;
    }
}

// An ARGOS channel designation: the letters A, C, D, L, S with digits and "+".
bool HasArgosLetter(std::string_view text) {
    return text.find_first_of("ACDLS") != std::string_view::npos;
}
bool IsArgosChannel(std::string_view text) {
    return HasArgosLetter(text) &&
           text.find_first_not_of("ACDLS0123456789+") == std::string_view::npos;
}

void ParseTimed(std::string_view line, XmtrConfig& cfg, ParseContext& ctx) {
    TTimedTxParams& t = cfg.TimedTx;
    if (IsSetFormOf(line, mn::TCH)) {
        StoreUnsigned(line, t.Channel);
        static constexpr std::string_view kRates[] = {"100", "300", "1200", "4800"};
        const std::string rate = Value(line, 2);
        for (int i = 0; i < 4; ++i) {
            if (rate == kRates[i]) {
                t.BitRate = static_cast<std::uint8_t>(i);
            }
        }
    } else if (IsSetFormOf(line, mn::TTI)) {
        const std::string v = Value(line, 1);
        if (IsIntervalShape(v)) {
            t.Interval = v;
        }
    } else if (IsSetFormOf(line, mn::FTT)) {
        const std::string v = Value(line, 1);
        if (IsTimeShape(v)) {
            t.FirstTx = v;
        }
    } else if (IsSetFormOf(line, mn::TWL)) {
        StoreUnsigned(line, t.WindowLength);
    } else if (IsSetFormOf(line, mn::TOF)) {
        ReadHexFlags(Value(line, 1), t.OpFlags);
    } else if (IsSetFormOf(line, mn::TPR)) {
        StoreChoice(line, kPreambleWords, t.Preamble);
    } else if (IsSetFormOf(line, mn::TIL)) {
        StoreChoice(line, kInterleaverWords, t.Interleaver);
    } else if (IsSetFormOf(line, mn::TDF)) {
        StoreChoice(line, kTimedFormatWords, t.DataFormat);
    } else if (IsSetFormOf(line, mn::TDS)) {
        StoreChoice(line, kDataSourceWords, t.DataSource);
    } else if (IsSetFormOf(line, mn::TDO)) {
        StoreChoice(line, kDataOrderWords, t.DataOrder);
        ctx.Post(kUMChannelLoadMessage);
    }
}

void ParseRandom(std::string_view line, XmtrConfig& cfg, ParseContext& ctx) {
    TRandomTxParams& r = cfg.RandomTx;
    if (IsSetFormOf(line, mn::RCH)) {
        const std::string channel = Value(line, 1);
        std::int32_t v = 0;
        if (HasArgosLetter(channel)) {
            if (IsArgosChannel(channel)) {
                r.ArgosChannel = channel;
                r.Channel = 0;
            }
        } else if (ReadUnsigned(channel, v)) {
            r.Channel = v;
            r.ArgosChannel.clear();
        }
        static constexpr std::string_view kRates[] = {"100", "300", "1200", "400"};
        const std::string rate = Value(line, 2);
        for (int i = 0; i < 4; ++i) {
            if (rate == kRates[i]) {
                r.BitRate = static_cast<std::uint8_t>(i);
            }
        }
    } else if (IsSetFormOf(line, mn::RIN)) {
        StoreUnsigned(line, r.ArgosEnabled ? r.ArgosInterval : r.Interval);
    } else if (IsSetFormOf(line, mn::RPC)) {
        StoreUnsigned(line, r.Percent);
    } else if (IsSetFormOf(line, mn::RRC)) {
        StoreUnsigned(line, r.ArgosEnabled ? r.ArgosRepeatCount : r.RepeatCount);
    } else if (IsSetFormOf(line, mn::RIL)) {
        StoreChoice(line, kInterleaverWords, r.Interleaver);
    } else if (IsSetFormOf(line, mn::RDF)) {
        StoreChoice(line, kRandomFormatWords, r.DataFormat);
    } else if (IsSetFormOf(line, mn::RDS)) {
        StoreChoice(line, kDataSourceWords, r.DataSource);
        if (r.ArgosEnabled) {
            ctx.Queue(QueryCmd(mn::ADP)); // the data pack comes next
        }
    } else if (IsSetFormOf(line, mn::RDO)) {
        StoreChoice(line, kDataOrderWords, r.DataOrder);
    } else if (IsSetFormOf(line, mn::ROF)) {
        ReadHexFlags(Value(line, 1), r.OpFlags);
        ctx.Post(kUMChannelLoadMessage);
    }
}

// The word of an index, or empty when the index has none.
std::string_view WordOf(std::span<const std::string_view> words, std::uint8_t index) {
    return index < words.size() ? words[index] : std::string_view{};
}

void AddChoice(CommandSink& out, std::string_view mnemonic, std::span<const std::string_view> words,
               std::uint8_t index) {
    const std::string_view w = WordOf(words, index);
    if (!w.empty()) {
        out.Add(SetCmd(mnemonic, {w}));
    }
}

} // namespace

void ParseTxSetupFields(std::string_view line, XmtrConfig& cfg, ParseContext& ctx) {
    if (line.starts_with('R')) {
        ParseRandom(line, cfg, ctx);
    } else {
        ParseTimed(line, cfg, ctx);
    }
}

void ConfigTimedTransmission(const XmtrConfig& cfg, const ParseContext&, CommandSink& out) {
    const TTimedTxParams& t = cfg.TimedTx;
    if (!cfg.TimedEnabled) {
        out.Add(SetCmd(mn::TCH, {"0"}));
        return;
    }
    if (t.BitRate <= 2) {
        out.Add(SetCmd(mn::TCH, {FormatInt(t.Channel), kBitRateWords[t.BitRate]}));
    }
    if (!t.Interval.empty()) {
        // An "hh:mm:ss" interval goes out in the day form.
        out.Add(SetCmd(mn::TTI, {t.Interval.size() > 8 ? t.Interval : "00:" + t.Interval}));
    }
    if (!t.FirstTx.empty()) {
        out.Add(SetCmd(mn::FTT, {t.FirstTx}));
    }
    out.Add(SetCmd(mn::TWL, {FormatInt(t.WindowLength)}));
    out.Add(SetCmd(mn::TOF, {FormatHexFlags(t.OpFlags)}));
    // Above channel 200 the preamble is always long and is not sent.
    if (t.BitRate == 0 && t.Channel < 201) {
        AddChoice(out, mn::TPR, kPreambleWords, t.Preamble);
    }
    if (t.BitRate == 1 || t.BitRate == 2) {
        AddChoice(out, mn::TIL, kInterleaverWords, t.Interleaver);
    }
    AddChoice(out, mn::TDF, kTimedFormatWords, t.DataFormat);
    AddChoice(out, mn::TDS, kDataSourceWords, t.DataSource);
    AddChoice(out, mn::TDO, kDataOrderWords, t.DataOrder);
}

void ConfigRandomTransmission(const XmtrConfig& cfg, const ParseContext& ctx, CommandSink& out) {
    const TRandomTxParams& r = cfg.RandomTx;
    if (!cfg.RandomEnabled) {
        out.Add(SetCmd(mn::RCH, {"0"}));
        return;
    }
    const bool argos = ctx.IsArgosMode();
    if (argos) {
        out.Add(SetCmd(mn::RCH, {r.ArgosChannel, "400"}));
        out.Add(SetCmd(mn::RIN, {FormatInt(r.ArgosInterval)}));
        out.Add(SetCmd(mn::RPC, {"10"}));
        out.Add(SetCmd(mn::RRC, {FormatInt(r.ArgosRepeatCount)}));
        out.Add(SetCmd(mn::RIL, {"None"}));
    } else {
        if (r.BitRate <= 2) {
            out.Add(SetCmd(mn::RCH, {FormatInt(r.Channel), kBitRateWords[r.BitRate]}));
        }
        out.Add(SetCmd(mn::RIN, {FormatInt(r.Interval)}));
        out.Add(SetCmd(mn::RPC, {FormatInt(r.Percent)}));
        out.Add(SetCmd(mn::RRC, {FormatInt(r.RepeatCount)}));
        AddChoice(out, mn::RIL, kInterleaverWords, r.Interleaver);
    }
    AddChoice(out, mn::RDF, kRandomFormatWords, r.DataFormat);
    AddChoice(out, mn::RDS, kDataSourceWords, r.DataSource);
    if (argos && r.DataSource == 0) {
        out.Add(ClearCmd(mn::ADP)); // the pack rows follow from the send-all
    }
    AddChoice(out, mn::RDO, kDataOrderWords, r.DataOrder);
    out.Add(SetCmd(mn::ROF, {FormatHexFlags(r.OpFlags)}));
}

} // namespace tavin

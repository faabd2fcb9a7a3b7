#include "protocol/DataFormatConfig.h"

#include "protocol/CommandLine.h"
#include "protocol/GlbIni.h"
#include "protocol/HeaderFieldWidth.h"
#include "protocol/TableLine.h"
#include "protocol/Vocabulary.h"
#include "support/StringRoutines.h"

#include <array>
#include <span>

namespace tavin {
namespace {

constexpr std::size_t kTextRowLength = 10; // what the transmitter keeps of a text
constexpr int kShortFormRows = 20;         // rows of the older firmware's tables

// What differs between the timed and the random format table.
struct FormatTable {
    std::string_view mnemonic; // "TDP" or "RDP"
    int buffer;                // kTimedBuffer or kRandomBuffer
};

constexpr FormatTable kTimed{mn::TDP, kTimedBuffer};
constexpr FormatTable kRandom{mn::RDP, kRandomBuffer};

std::span<TDataFormatRow> RowsOf(XmtrConfig& cfg, const FormatTable& t) {
    if (t.buffer == kRandomBuffer) {
        return cfg.RandomData;
    }
    return cfg.TimedData;
}

std::span<const TDataFormatRow> RowsOf(const XmtrConfig& cfg, const FormatTable& t) {
    if (t.buffer == kRandomBuffer) {
        return cfg.RandomData;
    }
    return cfg.TimedData;
}

bool IsAsciiMessage(const XmtrConfig& cfg, const FormatTable& t) {
    return (t.buffer == kRandomBuffer ? cfg.RandomTx.DataFormat : cfg.TimedTx.DataFormat) == 0;
}

std::string Joined(std::string_view a, std::string_view b) {
    std::string s(a);
    s.append(b);
    return s;
}

// Reads one field that may hold commas inside double quotes, up to the first
// comma outside quotes. Returns the field and how many characters it took,
// that comma included.
std::pair<std::string_view, std::size_t> QuotedField(std::string_view text) {
    bool inQuotes = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '"') {
            inQuotes = !inQuotes;
        } else if (text[i] == ',' && !inQuotes) {
            return {text.substr(0, i), i + 1};
        }
    }
    return {text, text.size()};
}

void ParseTextRow(std::string_view value, TDataFormatRow& r) {
    r.SourceType = 'T';
    const auto t = value.find('T');
    const std::string_view rest = t != std::string_view::npos && t + 2 <= value.size()
                                      ? value.substr(t + 2)
                                      : std::string_view{};
    const auto [field, used] = QuotedField(rest);
    // Outer quotes off and doubled quotes made single, in that order, so that
    // a text made of quotes reads back as it was sent.
    r.Text = UnquoteText(field).substr(0, kTextRowLength);
    const std::string_view flags = rest.substr(used);
    r.Flags = IsRecordFlagText(flags) ? std::string(flags) : std::string();
}

void ParseSensorRow(const std::array<std::string, 9>& w, TDataFormatRow& r) {
    std::string count = w[2];
    std::uint8_t stats = 0;
    static constexpr std::pair<char, std::uint8_t> kStatLetters[] = {
        {'N', kStatMin}, {'X', kStatMax}, {'G', kStatAvg}};
    for (const auto& [letter, bit] : kStatLetters) {
        if (count.find(letter) != std::string::npos) {
            stats |= bit;
            count = StripChar(count, letter);
        }
    }
    std::int32_t n = 0;
    if (!IsIntegerText(count, false) || !TextToInt32(count, n) || n > 255) {
        return; // no value count: the rest of the row stays cleared
    }
    r.StatFlags = stats;
    r.ValueCount = static_cast<std::uint8_t>(n);
    const std::string& width = w[3];
    std::int32_t fieldWidth = 0;
    if (!width.empty() && width.find_first_not_of("0123456789-") == std::string::npos &&
        TextToInt32(width, fieldWidth)) {
        r.FieldWidth = fieldWidth;
    }
    // Without flags the row was sent with ",,", whose empty field vanished in
    // splitting, so the slope moved up into the flags' place.
    const bool hasFlagField = IsRecordFlagText(w[4]);
    r.Flags = hasFlagField ? w[4] : std::string();
    const std::string& slope = hasFlagField ? w[5] : w[4];
    const std::string& offset = hasFlagField ? w[6] : w[5];
    if (const auto v = RealValue(slope)) {
        r.Slope = *v;
    }
    if (const auto v = RealValue(offset)) {
        r.Offset = *v;
    }
}

void ParseFormatLine(std::string_view line, XmtrConfig& cfg, ParseContext& ctx,
                     const FormatTable& t) {
    const auto has = [&](std::string_view token) { return LineHas(line, token); };
    if (!has(t.mnemonic) || has(Joined(t.mnemonic, "?")) || has(Joined(t.mnemonic, "=C")) ||
        has(Joined(t.mnemonic, "=*"))) {
        return;
    }
    const auto valueText = TextAfter(line, '=');
    if (!valueText) {
        return; // "TDP" alone builds the test buffer; it carries no row
    }
    const std::string_view v = *valueText;
    const int first =
        (has(Joined(t.mnemonic, "=")) || line.find('?') == std::string_view::npos) ? 1 : 2;
    std::array<std::string, 9> w;
    w[0] = SplitWord(first, v, "C,");
    for (int j = 1; j < 9; ++j) {
        w[j] = SplitWord(first + j, v, ",");
    }
    bool replyStatus = false;
    for (std::string& word : w) {
        if (word == "OK" || word == "ERR") {
            word.clear();
            replyStatus = true;
        }
    }
    std::span<TDataFormatRow> rows = RowsOf(cfg, t);
    const auto row = RowNumber(w[0], static_cast<int>(rows.size()));
    if (!row) {
        return;
    }
    TDataFormatRow& r = rows[*row];
    r = TDataFormatRow{};
    if (w[1].empty() || w[1] == "0" || replyStatus) {
        return;
    }
    const char type = w[1].front();
    const std::string_view index = std::string_view(w[1]).substr(1);
    switch (type) {
    case 'H': {
        const auto field = RowNumber(index, kHeaderFieldCount);
        if (!field) {
            return;
        }
        r.SourceType = 'H';
        r.SourceIndex = static_cast<std::uint8_t>(*field);
        r.Flags = IsRecordFlagText(w[2]) ? w[2] : std::string();
        r.ValueCount = 1;
        r.FieldWidth = ctx.HeaderFieldWidth
                           ? ctx.HeaderFieldWidth(t.buffer == kRandomBuffer, *field)
                           : GetHeaderFieldWidth(cfg, t.buffer, *field);
        return;
    }
    case 'T':
        if (index.empty()) {
            ParseTextRow(v, r);
        }
        return;
    case 'S':
    case 'I': {
        const auto sensor = RowNumber(index, type == 'S' ? kSDI12Rows : kInternRows);
        if (!sensor) {
            return;
        }
        r.SourceType = type;
        r.SourceIndex = static_cast<std::uint8_t>(*sensor);
        ParseSensorRow(w, r);
        return;
    }
    default:
        return; // not a row kind: the row stays free
    }
}

std::string BuildFormatRow(const XmtrConfig& cfg, int row, bool extendedForm,
                           const FormatTable& t) {
    const std::span<const TDataFormatRow> rows = RowsOf(cfg, t);
    if (row < 0 || row >= static_cast<int>(rows.size()) || rows[row].IsFree()) {
        return {};
    }
    const TDataFormatRow& r = rows[row];
    std::vector<std::string> values = {FormatInt(row)};
    if (r.SourceType == 'H') {
        values.push_back("H" + FormatInt(r.SourceIndex));
        if (!r.Flags.empty()) {
            values.push_back(r.Flags);
        }
        return SetCmd(t.mnemonic, values);
    }
    if (r.SourceType == 'T') {
        values.emplace_back("T");
        values.push_back(QuoteText(std::string_view(r.Text).substr(0, kTextRowLength)));
        if (!r.Flags.empty()) {
            values.push_back(r.Flags);
        }
        return SetCmd(t.mnemonic, values);
    }
    values.push_back(std::string(1, r.SourceType) + FormatInt(r.SourceIndex));
    std::string count = FormatInt(r.ValueCount);
    if (extendedForm) {
        if (r.StatFlags & kStatMin) {
            count += 'N';
        }
        if (r.StatFlags & kStatMax) {
            count += 'X';
        }
        if (r.StatFlags & kStatAvg) {
            count += 'G';
        }
    }
    values.push_back(std::move(count));
    values.push_back(FormatInt(r.FieldWidth));
    const bool scaled = !IsAsciiMessage(cfg, t);
    if (!r.Flags.empty() || scaled) {
        values.push_back(r.Flags); // an empty flag field gives the ",," form
        if (scaled) {
            values.push_back(FormatReal(r.Slope));
            values.push_back(FormatReal(r.Offset));
        }
    }
    return SetCmd(t.mnemonic, values);
}

} // namespace

void ParseTimedDataFormat(std::string_view line, XmtrConfig& cfg, ParseContext& ctx) {
    ParseFormatLine(line, cfg, ctx, kTimed);
}

void ParseRandomDataFormat(std::string_view line, XmtrConfig& cfg, ParseContext& ctx) {
    ParseFormatLine(line, cfg, ctx, kRandom);
}

std::string BuildTimedDataParamCmd(const XmtrConfig& cfg, int row, bool extendedForm) {
    return BuildFormatRow(cfg, row, extendedForm, kTimed);
}

std::string BuildRandomDataParamCmd(const XmtrConfig& cfg, int row, bool extendedForm) {
    return BuildFormatRow(cfg, row, extendedForm, kRandom);
}

void ConfigTimedDataParam(const XmtrConfig& cfg, const ParseContext& ctx, CommandSink& sink) {
    sink.Add(ClearCmd(mn::TDP));
    if (!PrefsOf(ctx).TdfTabVisible || cfg.RandomTx.ArgosEnabled) {
        return;
    }
    const bool extended = FeatureOn(ctx, UtilitySwitch::ExtendedTables);
    const int rows = extended ? kTimedDataRows : kShortFormRows;
    for (int i = 0; i < rows; ++i) {
        std::string cmd = BuildTimedDataParamCmd(cfg, i, extended);
        if (cmd.empty()) {
            break;
        }
        sink.NoteDataFormatCommand(cmd);
        sink.Add(std::move(cmd));
    }
}

void ConfigRandomDataParam(const XmtrConfig& cfg, const ParseContext& ctx, CommandSink& sink) {
    sink.Add(ClearCmd(mn::RDP));
    sink.SetLoadEndMarker(mn::RDP);
    if (!PrefsOf(ctx).RdfTabVisible) {
        return;
    }
    const bool extended = FeatureOn(ctx, UtilitySwitch::ExtendedTables);
    const int rows = extended ? kRandomDataRows : kShortFormRows;
    for (int i = 0; i < rows; ++i) {
        std::string cmd = BuildRandomDataParamCmd(cfg, i, extended);
        if (cmd.empty()) {
            if (i != 0) {
                sink.SetLoadEndMarker(SetCmd(mn::RDP, {FormatInt(i - 1)}));
            }
            break;
        }
        sink.NoteDataFormatCommand(cmd);
        sink.SetLoadEndMarker(SetCmd(mn::RDP, {FormatInt(i)}));
        sink.Add(std::move(cmd));
    }
}

} // namespace tavin

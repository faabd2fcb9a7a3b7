#include "protocol/MinMaxAvgConfig.h"

#include "protocol/CommandLine.h"
#include "protocol/TableLine.h"
#include "protocol/Vocabulary.h"
#include "support/StringRoutines.h"

namespace tavin {
void ParseMinMaxAvgStr(std::string_view line, XmtrConfig& cfg, ParseContext&) {
    const auto at = FindInLine(line, "MMA=");
    if (at == std::string_view::npos) {
        return;
    }
    const std::string_view value = line.substr(at + 4);
    const auto row = RowNumber(TextBefore(value, ','), kMinMaxAvgRows);
    if (!row) {
        return; // "MMA=CLEAR" and the like
    }
    TSensorMMA& r = cfg.MinMaxAvg[*row];
    r = TSensorMMA{};
    if (value.find('C') != std::string_view::npos) {
        return; // a cleared row
    }
    const auto fields = TextAfter(value, ',');
    if (!fields) {
        return;
    }
    const std::string source = SplitWord(1, *fields, ",");
    const char letter = source.empty() ? '\0' : source.front();
    const auto sourceRow = source.empty() ? std::nullopt
                                          : RowNumber(std::string_view(source).substr(1),
                                                      letter == 'S' ? kSDI12Rows : kInternRows);
    if ((letter != 'S' && letter != 'I') || !sourceRow) {
        return; // no usable source: the row stays cleared
    }
    r.SourceType = letter;
    r.SourceIndex = *sourceRow;
    if (const std::string interval = SplitWord(2, *fields, ","); IsTimeForm(interval)) {
        r.Interval = interval;
    }
    if (const std::string offset = SplitWord(3, *fields, ","); IsTimeForm(offset)) {
        r.Offset = offset;
    }
    const std::string letters = SplitWord(4, *fields, ",");
    r.Min = letters.find('N') != std::string::npos;
    r.Max = letters.find('X') != std::string::npos;
    r.Avg = letters.find('G') != std::string::npos;
    r.Vec = letters.find('V') != std::string::npos;
}

std::string BuildMinMaxAvgCmd(const XmtrConfig& cfg, const ParseContext& ctx, int row) {
    if (row < 0 || row >= kMinMaxAvgRows || cfg.MinMaxAvg[row].IsFree()) {
        return {};
    }
    const TSensorMMA& r = cfg.MinMaxAvg[row];
    std::vector<std::string> values = {FormatInt(row),
                                       std::string(1, r.SourceType) + FormatInt(r.SourceIndex),
                                       r.Interval, r.Offset};
    // The vector average travels only beside one of the other three.
    if (r.Min || r.Max || r.Avg) {
        std::string letters;
        if (r.Min) {
            letters += 'N';
        }
        if (r.Max) {
            letters += 'X';
        }
        if (r.Avg) {
            letters += 'G';
        }
        if (r.Vec && FeatureOn(ctx, UtilitySwitch::VectorAverageEnabled)) {
            letters += 'V';
        }
        values.push_back(std::move(letters));
    }
    return SetCmd(mn::MMA, values);
}

void ConfigMinMaxAvg(const XmtrConfig& cfg, const ParseContext& ctx, CommandSink& sink) {
    if (!FeatureOn(ctx, UtilitySwitch::MinMaxAvgEnabled)) {
        return;
    }
    sink.Add(ClearCmd(mn::MMA));
    const int rows = cfg.DefinedMinMaxAvgCount();
    for (int i = 0; i < rows; ++i) {
        std::string cmd = BuildMinMaxAvgCmd(cfg, ctx, i);
        if (cmd.empty()) {
            break;
        }
        sink.Add(std::move(cmd));
    }
}

} // namespace tavin

#include "protocol/ArgosDataPack.h"

#include "protocol/CommandLine.h"
#include "protocol/TableLine.h"
#include "protocol/Vocabulary.h"
#include "support/StringRoutines.h"

namespace tavin {
namespace {

constexpr int kValuesPerLine = 8;
constexpr std::uint8_t kRs232Source = 0;
constexpr std::uint8_t kSensorSource = 1;

} // namespace

void ParesARGOSParameters(std::string_view line, XmtrConfig& cfg, ParseContext&) {
    const auto at = FindInLine(line, "ADP=");
    if (at == std::string_view::npos) {
        return;
    }
    const std::string_view v = line.substr(at + 4);
    const std::string startText = SplitWord(1, v, ",");
    std::int32_t start = 0;
    if (!IsIntegerText(startText, false) || !TextToInt32(startText, start) ||
        start >= kArgosDataPackSize) {
        return; // "ADP=*", "ADP=CLEAR", or nothing of the pack
    }
    auto& pack = cfg.RandomTx.ArgosDataPack;
    int next = start;
    for (int w = 2; w < 2 + kValuesPerLine && next < kArgosDataPackSize; ++w) {
        const std::string word = SplitWord(w, v, ",");
        std::int32_t entry = 0;
        if (IsIntegerText(word, false) && TextToInt32(word, entry) && entry <= 255) {
            pack[next++] = static_cast<std::uint8_t>(entry);
        }
    }
}

std::vector<std::string> BuildArgosDataPackCmds(const XmtrConfig& cfg) {
    std::vector<std::string> lines;
    const auto& pack = cfg.RandomTx.ArgosDataPack;
    for (int k = 0; k < kArgosDataPackSize && pack[k] != 0; ++k) {
        lines.push_back(SetCmd(mn::ADP, {FormatInt(k), FormatInt(pack[k])}));
    }
    return lines;
}

void ConfigArgosDataPack(const XmtrConfig& cfg, CommandSink& sink, DataPackTarget target) {
    if (!cfg.RandomTx.ArgosEnabled) {
        return;
    }
    const std::uint8_t source = cfg.RandomTx.DataSource;
    if (source == kSensorSource) {
        if (target == DataPackTarget::SendAll) {
            sink.Add(SetCmd(mn::ADP, {"*"}));
            sink.SetLoadEndMarker(SetCmd(mn::ADP, std::vector<std::string>{}));
        }
        return;
    }
    if (source != kRs232Source) {
        return;
    }
    const std::vector<std::string> lines = BuildArgosDataPackCmds(cfg);
    for (std::size_t k = 0; k < lines.size(); ++k) {
        if (target == DataPackTarget::SendAll) {
            sink.SetLoadEndMarker(SetCmd(mn::ADP, {FormatInt(static_cast<long long>(k))}));
        }
        sink.Add(lines[k]);
    }
}

} // namespace tavin

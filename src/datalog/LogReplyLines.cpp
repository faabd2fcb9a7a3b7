#include "datalog/LogReplyLines.h"

#include "datalog/LogValueFormat.h"
#include "support/StringRoutines.h"

namespace tavin {

namespace {

bool Contains(std::string_view line, std::string_view part) {
    return line.find(part) != std::string_view::npos;
}

// The row number as word 1 of the line split at `separators`, and the label
// as the (up to) four characters after the first `labelAfter`.
std::optional<SensorLabelLine> LabelFrom(std::string_view line, std::string_view separators,
                                         char labelAfter, bool internal) {
    const std::string word = SplitWord(1, line, separators);
    std::int32_t n = 0;
    if (!IsIntegerText(word, false) || !TextToInt32(word, n) || n < 0 || n >= 64) {
        return std::nullopt;
    }
    const auto at = line.find(labelAfter);
    if (at == std::string_view::npos) {
        return std::nullopt;
    }
    std::string label(line.substr(at + 1, 4));
    if (label.empty()) {
        return std::nullopt;
    }
    return SensorLabelLine{internal, n, label};
}

} // namespace

std::optional<SensorLabelLine> ParseInternalLabelLine(std::string_view line) {
    if (Contains(line, "ILX=")) {
        if (Contains(line, "ILX=*")) {
            return std::nullopt;
        }
        return LabelFrom(line, "ILX=,", ',', true);
    }
    if (Contains(line, "IL") && !Contains(line, "IL*")) {
        return LabelFrom(line, "IL=", '=', true);
    }
    return std::nullopt;
}

std::optional<SensorLabelLine> ParseSdi12LabelLine(std::string_view line) {
    if (Contains(line, "SLX=")) {
        if (Contains(line, "SLX=*")) {
            return std::nullopt;
        }
        return LabelFrom(line, "SLX=,", ',', false);
    }
    if (Contains(line, "SL") && !Contains(line, "SL*")) {
        return LabelFrom(line, "SL=", '=', false);
    }
    return std::nullopt;
}

std::optional<int> ParseCountLine(std::string_view line, std::string_view key) {
    const auto at = line.find(key);
    if (at == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string word = SplitWord(1, line.substr(at + key.size()), " ,");
    std::int32_t n = 0;
    if (!IsIntegerText(word, false) || !TextToInt32(word, n)) {
        return std::nullopt;
    }
    return n;
}

std::optional<int> ParseBucketMultiplierLine(std::string_view line) {
    const auto at = line.find("TBM=");
    if (at == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string word = SplitWord(1, line.substr(at + 4), " ,");
    double value = 0;
    if (!IsFloatText(word, false) || !TextToReal(word, value)) {
        return std::nullopt;
    }
    for (int i = 0; i < kBucketMultiplierCount; ++i) {
        if (value == kBucketMultipliers[i]) {
            return i;
        }
    }
    return std::nullopt;
}

std::optional<std::uint16_t> ParseBucketRolloverLine(std::string_view line) {
    const auto n = ParseCountLine(line, "TBR=");
    if (!n || *n > 65535) {
        return std::nullopt;
    }
    return static_cast<std::uint16_t>(*n);
}

std::string FilterDisplayWord(std::string_view line) {
    return SplitWord(2, line, ": ");
}

std::optional<FilterDateLine> ParseFilterDateLine(std::string_view line, std::string_view key) {
    if (!Contains(line, key)) {
        return std::nullopt;
    }
    FilterDateLine result;
    if (FilterDisplayWord(line) == "*") {
        return result;
    }
    // The date starts two characters before the first "/" and runs to the
    // first ","; the time is the 8 characters after that ",".
    const auto slash = line.find('/');
    const auto comma = line.find(',');
    if (slash == std::string_view::npos || slash < 2 || comma == std::string_view::npos ||
        comma < slash) {
        return std::nullopt;
    }
    std::vector<ScanValue> v;
    const std::string date(line.substr(slash - 2, comma - (slash - 2)));
    if (ScanFormatted(date, "%d %d %d", v, 2) != 3) {
        return std::nullopt;
    }
    int year = v[2].integer;
    if (year >= 0 && year < 100) {
        year += 2000;
    }
    const std::string time(line.substr(comma + 1, 8));
    if (v[0].integer < 1 || v[0].integer > 12 || v[1].integer < 1 || v[1].integer > 31 ||
        !IsTimeText(time, true)) {
        return std::nullopt;
    }
    result.on = true;
    result.value = {year, v[0].integer, v[1].integer, time};
    return result;
}

} // namespace tavin

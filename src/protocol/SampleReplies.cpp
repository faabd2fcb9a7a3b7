// The next-sample, label and row lines of the two sensor tables, as the
// sample grids of the information panel show them.

#include "protocol/StatusReplies.h"

#include "protocol/ValueForms.h"
#include "support/StringRoutines.h"

#include <optional>
#include <vector>

namespace tavin {
namespace {

// The spellings of one table. The internal table differs in two ways: its X
// sample line must start the line, and its short sample and label lines only
// take row numbers written with the digits 0 to 4.
struct SampleForms {
    std::string_view sampleX, labelX, rowX; // "SMX", "SLX", "SSX"
    std::string_view sample, label, row;    // "SM", "SL", "SS"
    std::string_view rowXDelimiters;        // "SX=,"
    std::string_view sampleDelimiters;      // "SM="
    std::string_view labelDelimiters;       // "SL="
    std::string_view rowDelimiters;         // "S="
    bool sampleXAnywhere;
    bool shortRowsLowDigits;
};

constexpr SampleForms kSDI12Forms{"SMX",  "SLX", "SSX", "SM", "SL", "SS",
                                  "SX=,", "SM=", "SL=", "S=", true, false};
constexpr SampleForms kInternForms{"IMX",   "ILX", "ISX", "IM",  "IL",  "IS",
                                   "ISX=,", "IM=", "IL=", "IS=", false, true};

std::optional<int> RowNumber(std::string_view word, bool lowDigitsOnly = false) {
    if (!IsIntegerText(word, false)) {
        return std::nullopt;
    }
    if (lowDigitsOnly && word.find_first_not_of("01234") != std::string_view::npos) {
        return std::nullopt;
    }
    std::int32_t n = 0;
    if (!TextToInt32(word, n) || n < 0 || n >= kSampleRows) {
        return std::nullopt;
    }
    return n;
}

std::string_view AfterFirstOf(std::string_view line, char c) {
    const auto at = line.find(c);
    return at == std::string_view::npos ? std::string_view{} : line.substr(at + 1);
}

void ShowSample(TSampleGrid& grid, int row, std::string_view text) {
    std::string shown;
    if (!grid.Sampled[row]) {
        shown = kNotEnabledText;
    } else if (Contains(text, kNeverSampledStamp)) {
        shown = kNotScheduledText;
    } else {
        shown = text;
    }
    grid.Rows[row].NextSample = std::move(shown);
}

void ShowLabel(TSampleGrid& grid, int row, std::string_view text) {
    TSampleGridRow& r = grid.Rows[row];
    r.Number = std::to_string(row) + ":";
    r.Label = std::string(text.substr(0, 4));
    r.Dots = kSampleDots;
}

// The text contains a followed by b.
bool ContainsJoined(std::string_view text, std::string_view a, std::string_view b) {
    std::string both(a);
    both += b;
    return Contains(text, both);
}

bool ParseSample(std::string_view line, TSampleGrid& grid, const SampleForms& f) {
    const bool sampleX =
        f.sampleXAnywhere ? Contains(line, f.sampleX) : line.starts_with(f.sampleX);
    if (sampleX && !ContainsJoined(line, f.sampleX, "=*?")) {
        const auto row = RowNumber(SplitWord(2, line, "=,"));
        if (!row) {
            return false;
        }
        ShowSample(grid, *row, AfterFirstOf(line, ','));
        return true;
    }
    if (line.starts_with(f.labelX) && !ContainsJoined(line, f.labelX, "=*?")) {
        const auto row = RowNumber(SplitWord(2, line, "=,"));
        if (!row) {
            return false;
        }
        ShowLabel(grid, *row, AfterFirstOf(line, ','));
        return true;
    }
    if (line.starts_with(f.rowX) && !ContainsJoined(line, f.rowX, "=*?")) {
        std::vector<ScanValue> slots;
        if (ScanFormatted(SplitWord(1, line, f.rowXDelimiters), "%d", slots, 0) != 1) {
            return false;
        }
        const int row = slots[0].integer;
        if (row < 0 || row >= kSampleRows) {
            return false;
        }
        grid.Sampled[row] = !Contains(SplitWord(2, line, ","), "C");
        return true;
    }
    if (line.starts_with(f.sample)) {
        const auto row = RowNumber(SplitWord(1, line, f.sampleDelimiters), f.shortRowsLowDigits);
        if (!row) {
            return false;
        }
        ShowSample(grid, *row, AfterFirstOf(line, '='));
        return true;
    }
    if (line.starts_with(f.label) && !ContainsJoined(line, f.label, "*")) {
        const auto row = RowNumber(SplitWord(1, line, f.labelDelimiters), f.shortRowsLowDigits);
        if (!row) {
            return false;
        }
        ShowLabel(grid, *row, AfterFirstOf(line, '='));
        return true;
    }
    if (line.starts_with(f.row) && !ContainsJoined(line, f.row, "*")) {
        const auto row = RowNumber(SplitWord(1, line, f.rowDelimiters));
        if (!row) {
            return false;
        }
        grid.Sampled[*row] = !AfterFirstOf(line, '=').starts_with('C');
        return true;
    }
    return false;
}

} // namespace

bool ParseSDI12Sample(std::string_view line, TAVINStatusView& view) {
    return ParseSample(line, view.SDI12Samples, kSDI12Forms);
}

bool ParseInternSensSample(std::string_view line, TAVINStatusView& view) {
    return ParseSample(line, view.InternSamples, kInternForms);
}

} // namespace tavin

#include "protocol/TimeDataInfo.h"

#include "protocol/CommandLine.h"
#include "protocol/GlbIni.h"
#include "protocol/ValueForms.h"
#include "protocol/Vocabulary.h"
#include "support/FixedFormats.h"
#include "support/StringRoutines.h"

namespace tavin {
namespace {

constexpr std::string_view kNotSet = "Not Set";
constexpr int kUTCLimit = 255;

void ClockNotSet(TimeDataView& view) {
    view.ShowClockStatus(" Not Set");
    if (view.ClockWarningArmed()) {
        view.ShowErrorBox(kClockNotSetText);
    }
}

void ParseTime(std::string_view line, TimeDataView& view) {
    const std::string_view time = AfterFirst(line, '=').substr(0, 8);
    if (time.starts_with(kNotSet)) {
        view.ShowClockTime("");
        ClockNotSet(view);
        view.DisarmClockWarning(); // consumed
        return;
    }
    int h = 0, m = 0, s = 0;
    if (time.size() != 8 || !IsTimeShape(time) || !ParseLongTime(time, h, m, s)) {
        return; // not a time: the display keeps what it shows
    }
    view.ShowClockTime(time);
    view.ShowClockStatus(" " + std::string(time));
    view.ClearGpsText();
}

void ParseDate(std::string_view line, TimeDataView& view) {
    const std::string date = ReplyValue(line, 1);
    int y = 0, m = 0, d = 0;
    if (date == kNotSet) {
        view.ShowClockDate("");
        ClockNotSet(view);
    } else if (ParseShortDate(date, y, m, d)) {
        view.ShowClockDate(date);
        view.ShowClockStatus(" " + date);
    }
    view.DisarmClockWarning();
}

void ParseUTC(std::string_view line, ParseContext& ctx, TimeDataView& view) {
    view.RearmAutoPoll();
    view.ClearUTCReadPending();
    const std::string value = ReplyValue(line, 1);
    if (value == kNotSet) {
        view.ShowInfoBox(kUTCNotSetText);
        view.ShowUTCSource("");
        return;
    }
    std::int32_t correction = 0;
    if (!ReadSigned(value, correction) || correction < -kUTCLimit || correction > kUTCLimit) {
        return;
    }
    view.ShowUTCCorrection(correction);
    if (ctx.Ini) {
        ctx.Ini->Correction = correction;
    }
    view.ShowUTCSource(ReplyValue(line, 2) == "M" ? kUTCManualSetText : "");
}

} // namespace

void ParseTimeDataInfo(std::string_view line, XmtrConfig&, ParseContext& ctx) {
    TimeDataView none;
    TimeDataView& view = ctx.TimeView ? *ctx.TimeView : none;
    if (IsSetFormOf(line, mn::TIM)) {
        ParseTime(line, view);
    } else if (IsSetFormOf(line, mn::DAT)) {
        ParseDate(line, view);
    } else if (IsSetFormOf(line, mn::UTC)) {
        ParseUTC(line, ctx, view);
    }
}

} // namespace tavin

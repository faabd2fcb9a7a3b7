#include "sim/SimClock.h"

#include "support/FixedFormats.h"

namespace tavin::sim {
namespace {

constexpr SimClock::Seconds kDay = 86400;

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) {
        --q;
    }
    return q;
}

// Calendar date of a day number (days since 01/01/2000).
void CivilFromDays(std::int64_t days, int& year, int& month, int& day) {
    std::int64_t z = days + 10957 + 719468; // shift to days since 0000-03-01
    std::int64_t era = FloorDiv(z, 146097);
    std::int64_t doe = z - era * 146097;
    std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    std::int64_t mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
}

} // namespace

std::int64_t SimClock::DayNumber(int year, int month, int day) {
    std::int64_t y = year - (month <= 2 ? 1 : 0);
    std::int64_t era = FloorDiv(y, 400);
    std::int64_t yoe = y - era * 400;
    std::int64_t mp = month > 2 ? month - 3 : month + 9;
    std::int64_t doy = (153 * mp + 2) / 5 + day - 1;
    std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468 - 10957;
}

void SimClock::Rebase(Seconds value, std::int64_t nowMs) {
    base_ = value;
    refMs_ = nowMs;
}

void SimClock::Set(int year, int month, int day, int hour, int minute, int second,
                   std::int64_t nowMs) {
    Rebase(DayNumber(year, month, day) * kDay + hour * 3600 + minute * 60 + second, nowMs);
    timeSet_ = true;
    dateSet_ = true;
}

void SimClock::SetSeconds(Seconds value, std::int64_t nowMs) {
    Rebase(value, nowMs);
    timeSet_ = true;
    dateSet_ = true;
}

void SimClock::Unset() {
    timeSet_ = false;
    dateSet_ = false;
    Rebase(0, 0);
}

SimClock::Seconds SimClock::Now(std::int64_t nowMs) const {
    return base_ + FloorDiv(nowMs - refMs_, 1000);
}

bool SimClock::SetTimeText(std::string_view text, std::int64_t nowMs) {
    int h = 0;
    int m = 0;
    int s = 0;
    if (text.size() != 8 || !ParseLongTime(text, h, m, s) || h > 23) {
        return false;
    }
    Seconds now = Now(nowMs);
    Seconds day = FloorDiv(now, kDay);
    Rebase(day * kDay + h * 3600 + m * 60 + s, nowMs);
    timeSet_ = true;
    return true;
}

bool SimClock::SetDateText(std::string_view text, std::int64_t nowMs) {
    int y = 0;
    int mo = 0;
    int d = 0;
    if (text.size() != 10 || !ParseShortDate(text, y, mo, d) || y < 2000 || y > 2099) {
        return false;
    }
    Seconds now = Now(nowMs);
    Seconds secondOfDay = now - FloorDiv(now, kDay) * kDay;
    Rebase(DayNumber(y, mo, d) * kDay + secondOfDay, nowMs);
    dateSet_ = true;
    return true;
}

std::string SimClock::TimeText(std::int64_t nowMs) const {
    return timeSet_ ? FormatTime(Now(nowMs)) : std::string("Not Set");
}

std::string SimClock::DateText(std::int64_t nowMs) const {
    return dateSet_ ? FormatDate(Now(nowMs)) : std::string("Not Set");
}

std::string SimClock::FormatTime(Seconds s) {
    Seconds sod = s - FloorDiv(s, kDay) * kDay;
    return FormatLongTime(static_cast<int>(sod / 3600), static_cast<int>(sod / 60 % 60),
                          static_cast<int>(sod % 60));
}

std::string SimClock::FormatDate(Seconds s) {
    int y = 0;
    int m = 0;
    int d = 0;
    CivilFromDays(FloorDiv(s, kDay), y, m, d);
    return FormatShortDate(y, m, d);
}

std::string SimClock::FormatStamp(Seconds s) {
    return FormatDate(s) + "," + FormatTime(s);
}

} // namespace tavin::sim

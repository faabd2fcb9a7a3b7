#pragma once
// The transmitter's calendar clock, run from the virtual time the host passes
// in (milliseconds), so a test decides how fast it goes. Time of day and date
// are set separately, as "TIM=" and "DAT=" do; each reads "Not Set" until set.

#include <cstdint>
#include <string>
#include <string_view>

namespace tavin::sim {

class SimClock {
public:
    // Seconds since 01/01/2000 00:00:00 (the transmitter's epoch).
    using Seconds = std::int64_t;

    void Set(int year, int month, int day, int hour, int minute, int second, std::int64_t nowMs);
    // Sets date and time from seconds since the epoch.
    void SetSeconds(Seconds value, std::int64_t nowMs);
    void Unset();
    bool IsTimeSet() const { return timeSet_; }
    bool IsDateSet() const { return dateSet_; }
    bool IsSet() const { return timeSet_ && dateSet_; }

    // "hh:mm:ss" within a day; false (and nothing changes) when malformed.
    bool SetTimeText(std::string_view text, std::int64_t nowMs);
    // "mm/dd/yyyy", a real calendar date from 2000 on; false when malformed.
    bool SetDateText(std::string_view text, std::int64_t nowMs);

    Seconds Now(std::int64_t nowMs) const;
    // "hh:mm:ss" or "Not Set".
    std::string TimeText(std::int64_t nowMs) const;
    // "mm/dd/yyyy" or "Not Set".
    std::string DateText(std::int64_t nowMs) const;

    static std::string FormatTime(Seconds s);
    static std::string FormatDate(Seconds s);
    // "mm/dd/yyyy,hh:mm:ss"
    static std::string FormatStamp(Seconds s);
    // Days since 01/01/2000 of a calendar date.
    static std::int64_t DayNumber(int year, int month, int day);

private:
    void Rebase(Seconds value, std::int64_t nowMs);

    bool timeSet_ = false;
    bool dateSet_ = false;
    Seconds base_ = 0;       // clock reading at refMs_
    std::int64_t refMs_ = 0; // virtual time of that reading
};

} // namespace tavin::sim

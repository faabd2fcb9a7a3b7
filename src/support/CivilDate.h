#pragma once
// Calendar dates from day counts, by arithmetic alone (H. Hinnant's civil
// date algorithms): no library time functions, so it serves both the log
// decoder and code that may not take locks (a signal handler).

namespace tavin {

// Day 0 is 1970-01-01; y, m (1..12) and d (1..31) of the proleptic
// Gregorian calendar.
inline void CivilFromDays(long long z, int& y, int& m, int& d) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(yoe + era * 400 + (m <= 2 ? 1 : 0));
}

} // namespace tavin

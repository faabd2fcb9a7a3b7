#pragma once
// How the value of a log record is shown: the format code says how the value
// is stored (IEEE single or a scaled 16-bit integer) and which text format it
// takes; tipping-bucket counts are scaled by the bucket multiplier, and the
// end-of-transmission event carries three signed fields of its own.

#include "datalog/TLOG_REC.h"

#include <optional>
#include <string>

namespace tavin {

inline constexpr int kBucketMultiplierCount = 12;
// The tipping-bucket multipliers, indexed as "TBM=" selects them.
inline constexpr double kBucketMultipliers[kBucketMultiplierCount] = {
    0.01, 0.02, 0.025, 0.05, 0.1, 0.2, 0.25, 0.5, 1, 2, 2.5, 5};

// The value part of a record line (with its leading blank), or an empty text
// when the record's shown code has no value to show. `internal` tells whether
// the sample or summary belongs to an internal sensor.
std::string FormatLogValue(const LogRecord& record, bool internal, int bucketMultiplierIndex);

// The number a sample, summary or calibration event holds, as its line shows
// it (scaled, tipping-bucket counts multiplied); nothing for records without
// a value, for "N/M" and for values that are not finite.
std::optional<double> LogNumericValue(const LogRecord& record, bool internal,
                                      int bucketMultiplierIndex);

// The detail of an end-of-transmission event: "(b,f,r): " or a failure label,
// then the three fields.
std::string FormatTransmissionDetail(const LogRecord& record);

// A single-precision value in general form: the shortest digits that read
// back as the same single value, in plain notation unless the exponent is
// below -4 or above 14.
std::string FormatGeneralSingle(float value);

} // namespace tavin

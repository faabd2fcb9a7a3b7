#include "datalog/LogValueFormat.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace tavin {

namespace {

// Text formats by shown code; 7 and 11 are handled apart (7 is an unsigned
// count, 11 shows nothing). 8 to 10 name the kind of a transmission.
const char* const kShownFormats[] = {" %-0.0f", " %-0.1f", " %-0.2f", " %-0.3f", " %-0.4f", nullptr,
                                     " %-0.2f", nullptr,   " TEST",   " TIMED",  " RANDOM"};

const char* const kBucketFormats[kBucketMultiplierCount] = {
    " %-0.2f", " %-0.2f", " %-0.3f", " %-0.2f", " %-0.2f", " %-0.2f",
    " %-0.2f", " %-0.2f", " %-0.0f", " %-0.f",  " %-0.1f", " %-0.0f"};

const double kScales[] = {1, 0.1, 0.01, 0.001, 0.0001};

enum class ValueKind { None, Single, Scaled, Unsigned };

std::uint16_t Unsigned16(const LogRecord& r) {
    return static_cast<std::uint16_t>((r.value[0] << 8) | r.value[1]);
}

std::int16_t Signed16(const LogRecord& r) {
    return static_cast<std::int16_t>(Unsigned16(r));
}

std::uint32_t Bits32(const LogRecord& r) {
    return (std::uint32_t{r.value[0]} << 24) | (std::uint32_t{r.value[1]} << 16) |
           (std::uint32_t{r.value[2]} << 8) | r.value[3];
}

float Single(const LogRecord& r) {
    const std::uint32_t bits = Bits32(r);
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
}

bool IsSingleNaN(const LogRecord& r) {
    const std::uint32_t bits = Bits32(r);
    return (bits & 0x7F800000u) == 0x7F800000u && (bits & 0x007FFFFFu) != 0;
}

std::string Printf(const char* format, double value) {
    char buf[400];
    std::snprintf(buf, sizeof buf, format, value);
    return buf;
}

int SignExtend12(int field) {
    return (field & 0x800) ? field - 0x1000 : field;
}

} // namespace

std::string FormatGeneralSingle(float value) {
    char digits[64];
    auto res = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::scientific);
    const std::string sci(digits, res.ptr);
    const auto e = sci.find('e');
    if (e == std::string::npos) {
        return sci; // inf or nan
    }
    const int exponent = std::atoi(sci.c_str() + e + 1);
    int significant = 0;
    for (std::size_t i = 0; i < e; ++i) {
        significant += (sci[i] >= '0' && sci[i] <= '9') ? 1 : 0;
    }
    char buf[400];
    if (exponent < -4 || exponent >= 15) {
        std::snprintf(buf, sizeof buf, "%.*e", significant - 1, static_cast<double>(value));
    } else {
        const int decimals = significant - 1 - exponent;
        std::snprintf(buf, sizeof buf, "%.*f", decimals > 0 ? decimals : 0,
                      static_cast<double>(value));
    }
    return buf;
}

namespace {

// How a record's value is stored and which text format shows it.
struct ValueForm {
    ValueKind kind = ValueKind::Single;
    int shown = 0;
    double scale = 1;
    bool bucket = false; // a tipping-bucket count, scaled by the multiplier
};

ValueForm FormOf(const LogRecord& record, bool internal) {
    const int f = record.formatCode;
    ValueForm v;
    v.shown = f;
    if (record.type == kLogEvent) {
        if (record.number == kEventStx || record.number == kEventEtx) {
            v.kind = ValueKind::None;
            v.shown = 8 + ((f >> 2) & 3);
        }
    } else if (f == 15 && internal) {
        v.kind = ValueKind::Unsigned;
        v.bucket = true;
    } else if (f == 6) {
        // Only two value bytes are stored for code 6: a signed count of quarters.
        v.kind = ValueKind::Scaled;
        v.scale = 0.25;
    } else if (f == 7 || f == 15) {
        v.kind = ValueKind::Unsigned;
        v.shown = 7;
    } else if (f >= 8 && f <= 12) {
        v.kind = ValueKind::Scaled;
        v.scale = kScales[f - 8];
        v.shown = f - 8;
    } else if (f == 13 || f == 14) {
        // No scale is defined for these 16-bit codes: the plain integer.
        v.kind = ValueKind::Scaled;
        v.shown = 0;
    } else if (f & 0x08) {
        v.kind = ValueKind::None; // a 16-bit value without a defined format
    }
    return v;
}

int ValidBucketIndex(int index) {
    return index < 0 || index >= kBucketMultiplierCount ? TLOG_REC::kDefaultBucketMultiplier
                                                        : index;
}

float BucketAmount(const LogRecord& record, int bucketMultiplierIndex) {
    return static_cast<float>(Unsigned16(record) *
                              kBucketMultipliers[ValidBucketIndex(bucketMultiplierIndex)]);
}

// The number a value-bearing form holds (not NaN-checked).
float NumberOf(const LogRecord& record, const ValueForm& v) {
    if (v.kind == ValueKind::Single) {
        return Single(record);
    }
    return static_cast<float>(Signed16(record) * v.scale);
}

} // namespace

std::string FormatLogValue(const LogRecord& record, bool internal, int bucketMultiplierIndex) {
    const ValueForm v = FormOf(record, internal);
    if (v.bucket) {
        return Printf(kBucketFormats[ValidBucketIndex(bucketMultiplierIndex)],
                      BucketAmount(record, bucketMultiplierIndex));
    }
    if (v.shown == 7) {
        char buf[16];
        std::snprintf(buf, sizeof buf, " %.5d", static_cast<int>(Unsigned16(record)));
        return buf;
    }
    if (v.kind == ValueKind::Single && IsSingleNaN(record)) {
        return " N/M ";
    }
    if (v.shown >= 11) {
        return {};
    }
    if (v.shown >= 8 || v.kind == ValueKind::None) {
        return v.shown >= 8 ? kShownFormats[v.shown] : std::string();
    }
    const float value = NumberOf(record, v);
    if (v.shown == 5) {
        std::string text(1, ' ');
        text += FormatGeneralSingle(value);
        return text;
    }
    return Printf(kShownFormats[v.shown], value);
}

std::optional<double> LogNumericValue(const LogRecord& record, bool internal,
                                      int bucketMultiplierIndex) {
    const ValueForm v = FormOf(record, internal);
    if (v.bucket) {
        return BucketAmount(record, bucketMultiplierIndex);
    }
    if (v.shown == 7) {
        return Unsigned16(record);
    }
    if ((v.kind == ValueKind::Single && IsSingleNaN(record)) || v.shown >= 8 ||
        v.kind == ValueKind::None) {
        return std::nullopt;
    }
    const float value = NumberOf(record, v);
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::string FormatTransmissionDetail(const LogRecord& record) {
    static const char* const kLabels[] = {"(b,f,r): ", " FAILSAFE: ", " FAIL PWR: ", " FAIL SYN: "};
    const auto& v = record.value;
    std::string text = kLabels[(record.formatCode >> 4) & 3];
    text += Printf("%.1f", v[0] * 0.1);
    const int first = SignExtend12((v[1] << 4) | (v[2] >> 4));
    text += Printf(",%-1.1f", first * 0.1);
    const int second = ((v[2] & 0x0F) << 8) | v[3];
    if (second == 0x800) {
        text += ",N/M";
    } else {
        text += Printf(",%-1.1f", SignExtend12(second) * 0.1);
    }
    return text;
}

} // namespace tavin

// The string routines every parser stands on, with text and delimiters,
// formats and quote characters taken from the input.

#include "FuzzInput.h"
#include "support/StringRoutines.h"

using namespace tavin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzInput in(data, size);
    const std::uint8_t n = in.Byte();
    const std::string delimiters(in.Take(n % 6));
    const std::string format(in.Take((n >> 3) % 16));
    const std::string text(in.Rest());
    for (int word = -1; word <= 4; ++word) {
        SplitWord(word, text, delimiters, static_cast<char>(n));
    }
    StripChar(text, static_cast<char>(n));
    IsIntegerText(text, n & 1);
    IsFloatText(text, n & 1);
    IsAlphaNumText(text, n & 1);
    IsHexText(text, n & 1);
    IsTimeText(text, n & 1);
    std::vector<ScanValue> slots;
    ScanFormatted(text, format, slots, n % 8);
    std::int32_t i32 = 0;
    std::int64_t i64 = 0;
    double real = 0;
    TextToInt32(text, i32);
    TextToInt64(text, i64);
    TextToReal(text, real);
    return 0;
}

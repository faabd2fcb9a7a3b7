#pragma once

namespace tavin {

// Fixes the program's number and date formats (English, United States: "."
// decimal point, "/" dates, ":" times) once at start, whatever the PC's
// regional settings, and keeps the C library's number parsing on ".".
void ApplyFixedFormats();

} // namespace tavin

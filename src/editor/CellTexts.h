#pragma once
// The character rules the grids apply to what is typed into a cell, before
// a value reaches the model.

#include <string>
#include <string_view>

namespace tavin {

// Not empty and made only of the digits 0-9.
bool IsDigitsOnly(std::string_view text);
// A slope, offset or limit: made of "+", "-", "." and digits, not only of
// signs and points, and reading as one real ("1..2" and "1-2" do not).
bool ReadScalingText(std::string_view text, double& value);
// ASCII letters in upper case, everything else as it is.
std::string UpperCase(std::string_view text);

} // namespace tavin

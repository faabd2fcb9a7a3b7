#pragma once
// The field width of a header field in a message format row: what the grids
// show for a header entry and what a received header row is given. It
// depends on the header field, on which message the row belongs to, and on
// whether that message is ASCII or binary-coded (pseudo-binary or binary).
// A negative width marks a signed binary field.

#include "protocol/XmtrConfig.h"

namespace tavin {

inline constexpr int kTimedBuffer = 0;
inline constexpr int kRandomBuffer = 1;

// buffer: kTimedBuffer or kRandomBuffer; kind: the header field number
// (0 "Platform ID" .. 10 "Trigger Code"). Unknown kinds give 0.
int GetHeaderFieldWidth(const XmtrConfig& cfg, int buffer, int kind);

} // namespace tavin

#pragma once
// The configuration parsers in the order they are offered a line. The reply
// dispatcher offers every reply line to all of them; loading a configuration
// file offers every file line to its own list. Both read the lists from here
// so that the order is defined once.

#include "protocol/ParseContext.h"

#include <span>
#include <string_view>

namespace tavin {

// For reply lines: transmission setup, time sync and oscillator calibration,
// general settings, SDI-12, internal sensors, min/max/average, equations,
// timed and random formats, random triggers, ARGOS data pack, and last the
// clock and date replies.
std::span<const ConfigParser> DispatchParsers();

// For configuration file lines: the same parsers in the file's own order,
// without the clock and date parser (a file carries no clock).
std::span<const ConfigParser> FileLoadParsers();

// Offers the line to every parser of the list, in order.
void OfferLine(std::span<const ConfigParser> parsers, std::string_view line, XmtrConfig& cfg,
               ParseContext& ctx);

} // namespace tavin

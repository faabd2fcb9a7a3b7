#pragma once
// Configuration files and templates: the command lines the send-all would
// queue, written to disk in a fixed order and read back through the same
// parsers that read the transmitter's replies. A template is the same body
// without the station's platform id and id string and without the closing
// store command.

#include "protocol/ParseContext.h"
#include "protocol/XmtrConfig.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tavin {

// The largest file that is read. A full configuration is a few tens of
// kilobytes; anything near this size is not one.
inline constexpr std::size_t kMaxConfigFileBytes = 16u << 20;

// The lines of a configuration file in the file's order, without line ends.
std::vector<std::string> CreateConfigData(const XmtrConfig& cfg, const ParseContext& ctx);
// The template body: no platform id lines, no PIS, no "CFS".
std::vector<std::string> CreateTemplateData(const XmtrConfig& cfg, const ParseContext& ctx);

// Offers every line of `text` (CR, LF or CRLF line ends) to the file parsers.
// "CFS" is skipped; "NID=" and "AID=" lines set the platform ids unless a
// template mode is on. Loading a file never queues a command for the
// transmitter and never feeds the internal sensor test output.
void ParseFileData(std::string_view text, XmtrConfig& cfg, ParseContext& ctx, bool templateMode);

// The sections a file or template load clears before it parses: general
// settings, timed, random, equations, SDI-12, internal sensors and tipping
// bucket, both formats and the random triggers. The transmission mode is
// re-derived afterwards.
void ClearConfigFileSections(XmtrConfig& cfg, ParseContext& ctx);
// "New Template": the sections above cleared, then the template defaults:
// power-up enable on, no platform id string, "@" in both pseudo-binary
// header characters, "$" as the invalid character replacement, slash for
// null data on.
void NewTemplate(XmtrConfig& cfg, ParseContext& ctx);
// The template defaults alone.
void SetNewTemplateDefaults(XmtrConfig& cfg);

struct ConfigFileResult {
    bool Ok = false;
    std::string Error;
};

// Clears the listed sections, parses, derives TimedEnabled/RandomEnabled. On
// failure (unreadable, too big, ...) the model is left exactly as it was.
// The min/max/average table and the ARGOS data pack are kept unless the
// file carries them, so that a file never mixes its rows with old ones. A
// template ignores platform id lines, and one whose timed or random data
// source is "Sensor" switches SDI12Present and InternalPresent on.
ConfigFileResult LoadConfigFile(const std::string& path, XmtrConfig& cfg, ParseContext& ctx,
                                bool asTemplate = false);
// CRLF line ends; replaces the target atomically (old file intact on failure).
ConfigFileResult SaveConfigFile(const std::string& path, const XmtrConfig& cfg,
                                const ParseContext& ctx, bool asTemplate = false);

// The same load from text already in memory (no size limit applies).
void LoadConfigText(std::string_view text, XmtrConfig& cfg, ParseContext& ctx, bool asTemplate);
// The lines joined with CRLF, one after every line.
std::string JoinConfigLines(const std::vector<std::string>& lines);

} // namespace tavin

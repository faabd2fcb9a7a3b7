#pragma once
// "tavin-cli config ...": configuration files without a transmitter: print
// one as JSON, write one from JSON, run the local check, show the message
// statistics, compare two.

#include "CliArgs.h"
#include "protocol/XmtrConfig.h"

#include <ostream>
#include <string>
#include <vector>

namespace tavin {

// Runs "config json|write|check|stats|diff". Returns the exit code: 0 done
// (or equal), 1 the check found an error (or the files differ), 2 a file
// that cannot be read or written or a malformed JSON document, 3 bad options.
int RunConfigCommand(const CliArgs& args);

// The same from the words after "config", through the whole parser, with
// defaultIni as the preferences file without --ini.
int RunConfigCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                     const std::string& defaultIni);

// A file whose name ends in ".tpl" holds a template.
bool IsTemplatePath(const std::string& path);

// Prints the differences of a (old) and b (new), loaded over `cleared`, as
// text or, with --json, as JSON. 0 when equal, 1 when they differ.
// withTemplate: one side is a template, which carries no platform ids.
int PrintConfigDiff(const CliArgs& args, const XmtrConfig& a, const XmtrConfig& b,
                    const XmtrConfig& cleared, bool withTemplate, const std::string& nameA,
                    const std::string& nameB);

} // namespace tavin

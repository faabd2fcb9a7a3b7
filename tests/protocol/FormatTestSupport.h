#pragma once
// A model, preferences, feature switches and a context wired together for the
// table parser and builder tests, and a dump of every table the parsers of
// these areas write, so that "this line changed nothing" is one comparison.

#include "protocol/CommandLine.h"
#include "protocol/GlbIni.h"
#include "protocol/ParseContext.h"
#include "protocol/UtilityControl.h"
#include "protocol/XmtrConfig.h"

#include <sstream>
#include <string>
#include <vector>

namespace tavin::test {

struct Harness {
    XmtrConfig cfg;
    TGlbIni ini;
    TUtilityControl utility;
    ParseContext ctx;
    std::vector<std::string> testOutput;

    explicit Harness(int versionCode = 153) {
        utility.SetVersionCode(versionCode, ini, true);
        ctx.Utility = &utility;
        ctx.Ini = &ini;
        ctx.AppendTestOutput = [this](std::string_view line) { testOutput.emplace_back(line); };
    }
    void Firmware(int versionCode) { utility.SetVersionCode(versionCode, ini, true); }
};

// Every field of the areas these parsers write, one line per row that is not
// in its cleared state, so that a failing comparison shows only what differs.
inline std::string Dump(const XmtrConfig& c) {
    static const XmtrConfig cleared;
    std::ostringstream o;
    o << "present " << c.InternalPresent << " count " << c.SensorCountInternal << '\n';
    const auto row = [&o](const char* name, std::size_t i, const std::string& text,
                          const std::string& clearedText) {
        if (text != clearedText) {
            o << name << i << ' ' << text << '\n';
        }
    };
    const auto internal = [](const TInternSensor& r) {
        std::ostringstream s;
        s << r.Label << '|' << r.Type << '|' << r.Interval << '|' << r.Offset << '|' << r.TimeFormat
          << '|' << r.LogRate << '|' << r.Delta << '|' << int(r.Trig);
        return s.str();
    };
    for (std::size_t i = 0; i < c.Internal.size(); ++i) {
        row("IS", i, internal(c.Internal[i]), internal(cleared.Internal[i]));
    }
    const auto& tb = c.TippingBucket;
    o << "TB " << tb.RollOver << '|' << tb.Multiplier << '|' << tb.ResetInterval << '|'
      << tb.ResetDays << '|' << tb.ResetHour << '\n';
    const auto mma = [](const TSensorMMA& r) {
        std::ostringstream s;
        s << int(r.SourceType) << '|' << r.SourceIndex << '|' << r.Interval << '|' << r.Offset
          << '|' << r.Min << r.Max << r.Avg << r.Vec;
        return s.str();
    };
    for (std::size_t i = 0; i < c.MinMaxAvg.size(); ++i) {
        row("MMA", i, mma(c.MinMaxAvg[i]), mma(cleared.MinMaxAvg[i]));
    }
    for (std::size_t i = 0; i < c.Equations.size(); ++i) {
        o << "EQN" << i << ' ' << c.Equations[i] << '\n';
    }
    const auto format = [](const TDataFormatRow& r) {
        std::ostringstream s;
        s << int(r.SourceType) << '|' << int(r.SourceIndex) << '|' << int(r.ValueCount) << '|'
          << int(r.StatFlags) << '|' << r.FieldWidth << '|' << r.Flags << '|' << FormatReal(r.Slope)
          << '|' << FormatReal(r.Offset) << '|' << r.Text;
        return s.str();
    };
    for (std::size_t i = 0; i < c.TimedData.size(); ++i) {
        row("TDP", i, format(c.TimedData[i]), format(cleared.TimedData[i]));
    }
    for (std::size_t i = 0; i < c.RandomData.size(); ++i) {
        row("RDP", i, format(c.RandomData[i]), format(cleared.RandomData[i]));
    }
    const auto trigger = [](const TRandomTrigger& r) {
        std::ostringstream s;
        s << int(r.SensorType) << '|' << int(r.SensorIndex) << '|' << int(r.TriggerType) << '|'
          << FormatReal(r.Limit);
        return s.str();
    };
    for (std::size_t i = 0; i < c.RandomTriggers.size(); ++i) {
        row("RRT", i, trigger(c.RandomTriggers[i]), trigger(cleared.RandomTriggers[i]));
    }
    o << "ADP";
    for (auto v : c.RandomTx.ArgosDataPack) {
        o << ' ' << int(v);
    }
    o << '\n';
    return o.str();
}

} // namespace tavin::test

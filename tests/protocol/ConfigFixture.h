#pragma once
// Helpers shared by the configuration parser and builder tests: a context
// that records what the parsers ask of their host, and a clock view that
// records what it was told to show.

#include "protocol/GlbIni.h"
#include "protocol/ParseContext.h"
#include "protocol/UtilityControl.h"
#include "protocol/XmtrConfig.h"

#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace tavin {

// Readable failure messages for the records the tests compare most.
inline void PrintTo(const TSDI12Row& r, std::ostream* os) {
    *os << "{en=" << r.Enabled << " app=" << r.Append << " label=" << r.Label
        << " addr=" << r.Address << " meas=" << r.Measurement << " conc=" << r.Concurrent
        << " val=" << r.Value << " int=" << r.Interval << " off=" << r.Offset
        << " rate=" << r.LogRate << " delta=" << r.Delta << " trig=" << int(r.Trig) << "}";
}

inline void PrintTo(const XmtrConfig& c, std::ostream* os) {
    *os << "{timed ch=" << c.TimedTx.Channel << " rate=" << int(c.TimedTx.BitRate)
        << " int=" << c.TimedTx.Interval << " random ch=" << c.RandomTx.Channel
        << " argos=" << c.RandomTx.ArgosChannel << " pis=" << c.General.PlatformIdString
        << " pb=" << int(c.General.PseudoBinaryHeader1) << "," << int(c.General.PseudoBinaryHeader2)
        << " irc=" << int(c.General.InvalidReplaceChar) << " tzn=" << c.General.TimeZoneOffset
        << " sdi12present=" << c.SDI12Present << " ssn=" << c.SensorCountSDI12 << " rows:";
    for (int i = 0; i < 6; ++i) {
        *os << " ";
        PrintTo(c.SDI12[i], os);
    }
    *os << "}";
}

} // namespace tavin

namespace tavin::testing {

struct RecordingView : TimeDataView {
    std::vector<std::string> Calls;
    bool Armed = false;

    void ShowClockTime(std::string_view t) override { Calls.push_back("time:" + std::string(t)); }
    void ShowClockDate(std::string_view d) override { Calls.push_back("date:" + std::string(d)); }
    void ShowClockStatus(std::string_view s) override {
        Calls.push_back("status:" + std::string(s));
    }
    void ClearGpsText() override { Calls.push_back("gps-cleared"); }
    bool ClockWarningArmed() const override { return Armed; }
    void DisarmClockWarning() override { Armed = false; }
    void ShowUTCCorrection(int c) override { Calls.push_back("utc:" + std::to_string(c)); }
    void ShowUTCSource(std::string_view s) override { Calls.push_back("source:" + std::string(s)); }
    void RearmAutoPoll() override { Calls.push_back("rearm"); }
    void ClearUTCReadPending() override { Calls.push_back("utc-pending-cleared"); }
    void ShowErrorBox(std::string_view t) override { Calls.push_back("error:" + std::string(t)); }
    void ShowInfoBox(std::string_view t) override { Calls.push_back("info:" + std::string(t)); }
};

// A context wired to records; the switches follow `versionCode`.
struct Host {
    TGlbIni Ini;
    TUtilityControl Utility;
    RecordingView View;
    ParseContext Ctx;
    std::vector<std::pair<int, int>> Posted;
    std::vector<std::string> Queued;
    std::vector<int> ModeChanges;

    explicit Host(int versionCode = 130) {
        Utility.SetVersionCode(versionCode, Ini, true);
        Ctx.Utility = &Utility;
        Ctx.Ini = &Ini;
        Ctx.TimeView = &View;
        Ctx.PostMessage = [this](int m, int p) { Posted.emplace_back(m, p); };
        Ctx.QueueCommand = [this](std::string l) { Queued.push_back(std::move(l)); };
        Ctx.TxModeChanged = [this](int mode) { ModeChanges.push_back(mode); };
    }
    Host(const Host&) = delete;
};

inline std::vector<std::string> Build(void (*builder)(const XmtrConfig&, const ParseContext&,
                                                      CommandSink&),
                                      const XmtrConfig& cfg, const ParseContext& ctx) {
    CommandList out;
    builder(cfg, ctx, out);
    return out.Lines;
}

} // namespace tavin::testing

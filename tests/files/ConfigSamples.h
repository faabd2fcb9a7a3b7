#pragma once
// Configurations with every table in use, filled only with what a file of
// the given firmware and mode can carry, so that saving and reopening one
// must give it back field for field. Shared by the tests and the benchmark.

#include "protocol/GlbIni.h"
#include "protocol/HeaderFieldWidth.h"
#include "protocol/ParseContext.h"
#include "protocol/UtilityControl.h"
#include "protocol/XmtrConfig.h"

#include <algorithm>
#include <string>
#include <vector>

namespace tavin::testing {

// A host of the parsers and builders that records what they ask of it.
struct FileHost {
    TGlbIni Ini;
    TUtilityControl Utility;
    ParseContext Ctx;
    std::vector<std::string> Queued;
    std::vector<int> ModeChanges;

    FileHost(int versionCode, bool advanced, int txMode = kTxModeGoes) {
        Ini.ShowEnableLogger = true;
        Ini.VectorAverage = true;
        Utility.SetVersionCode(versionCode, Ini, true);
        Ctx.Utility = &Utility;
        Ctx.Ini = &Ini;
        Ctx.AdvancedSettings = advanced;
        Ctx.TxMode = txMode;
        Ctx.QueueCommand = [this](std::string line) { Queued.push_back(std::move(line)); };
        Ctx.TxModeChanged = [this](int mode) { ModeChanges.push_back(mode); };
    }
    FileHost(const FileHost&) = delete;
};

// What one sample holds beyond the switches of its host.
struct SampleKind {
    int txMode = kTxModeGoes;
    bool asTemplate = false; // no platform ids and no platform id string
};

inline XmtrConfig FullConfig(const FileHost& h, SampleKind kind) {
    const TUtilityControl& u = h.Utility;
    const bool ext = u.ExtendedTables();
    const bool argos = kind.txMode != kTxModeGoes;
    // ARGOS alone sends the data pack (RS-232 data); GOES and ARGOS & SCD
    // take their random data from the sensors and use triggers.
    const bool sensorRandom = kind.txMode != kTxModeArgos;
    XmtrConfig c;
    TRandomTxParams& r = c.RandomTx;
    r.ArgosEnabled = argos;
    r.ScdEnabled = kind.txMode == kTxModeArgosScd;
    if (!kind.asTemplate) {
        (argos ? c.PlatformIdArgos : c.PlatformIdGoes) = argos ? "A1B2C3D" : "1234ABCE";
    }

    TGeneralSettings& g = c.General;
    g.PowerUpEnable = true;
    g.PlatformIdString = kind.asTemplate ? "" : "RIVER, WEST BANK";
    g.PseudoBinaryHeader1 = 'B';
    g.PseudoBinaryHeader2 = '\0'; // saved as "PB2=INV"
    g.GpsTimeSync = 24;
    if (h.Ctx.AdvancedSettings) {
        g.InvalidReplaceChar = '#';
        g.TxPower100 = 2.5;
        g.TxPower300 = 7.5;
        g.TxPower1200 = 10.1;
        g.GpsTcxoCal = 45;
        g.GpsOcxoCal = 12;
        g.GpsSyncTimeout = 20;
        if (argos) {
            r.ArgosTxPower = 3.2;
        }
    }
    g.TimeZoneOffset = u.TimeZoneEnabled() ? -5 : 0;
    g.SlashForNull = u.SlashFillEnabled();
    g.LoggerMode = u.LoggerModeEnabled();

    TTimedTxParams& t = c.TimedTx;
    c.TimedEnabled = true;
    t.Channel = 95;
    t.Interval = "00:01:00:00";
    t.FirstTx = "00:12:30";
    t.WindowLength = 60;
    t.BitRate = 1;
    t.Interleaver = 2;
    t.DataFormat = 1; // pseudo-binary: slopes and offsets are saved
    t.Preamble = 1;
    t.DataSource = 1;
    t.DataOrder = 1;
    t.OpFlags = {true, false, true, false, false, true, false, true};

    c.RandomEnabled = true;
    if (argos) {
        // What the ARGOS lines leave in the GOES fields.
        r.ArgosChannel = "D17+S55";
        r.BitRate = 3;
        r.Percent = 10;
        r.ArgosInterval = 120;
        r.ArgosRepeatCount = 7;
    } else {
        r.Channel = 150;
        r.Interval = 30;
        r.Percent = 25;
        r.RepeatCount = 5;
        r.BitRate = 2;
        r.Interleaver = 1;
    }
    r.DataFormat = 2;
    r.DataSource = sensorRandom ? 1 : 0;
    r.DataOrder = 1;
    r.OpFlags = {false, true, true, false, true, false, false, false};
    if (!sensorRandom) {
        const int pack[] = {8, 12, 16, 4, 32, 1, 255, 7, 9, 10};
        std::copy(std::begin(pack), std::end(pack), r.ArgosDataPack.begin());
    }

    // SDI-12: a plain row, an appended value, a temperature reading, a delta
    // row, then plain rows up to the table the firmware has.
    const int sdiRows = ext ? 40 : 10;
    for (int i = 0; i < sdiRows; ++i) {
        TSDI12Row& s = c.SDI12[i];
        s.Enabled = true;
        if (i == 1) {
            s.Append = true;
            s.Address = c.SDI12[0].Address;
            s.Value = 2;
            s.LogRate = 3;
            s.Trig = kTrigLow;
            continue;
        }
        s.Address = std::string(1, static_cast<char>('0' + i % 10));
        s.Measurement = i == 2 ? "T" : std::to_string(i % 4);
        s.Concurrent = ext && i % 3 == 0;
        s.Value = 1 + i % 5;
        s.Interval = i == 0 ? "00:15:00" : "01:00:00";
        s.Offset = "00:0" + std::to_string(i % 10) + ":00";
        if (i == 3) {
            s.Delta = true;
        } else if (i != 2) {
            s.LogRate = 1 + i % 7;
            s.Trig = static_cast<std::uint8_t>(i % 4);
        }
    }
    c.SDI12[sdiRows].Enabled = true; // the row after the last may be defined next
    if (ext) {
        c.SDI12[0].Label = "LVL";
        c.SDI12[1].Label = "TMP1";
        c.SDI12[15].Label = "LAST";
        c.SensorCountSDI12 = sdiRows;
    }

    // Internal sensors; the older firmware spells the basic types as digits.
    const int internRows = ext ? 20 : 6;
    const char* types[] = {"BV", ext ? "TM" : "1", ext ? "TC" : "2", "CL", ext ? "TV" : "3", "E0"};
    for (int i = 0; i < internRows; ++i) {
        TInternSensor& s = c.Internal[i];
        s.Type = types[i % 6];
        s.Interval = "00:30:00";
        s.Offset = "00:00:" + std::to_string(10 + i);
        if (s.Type == "CL") {
            s.TimeFormat = "H:M:S";
        } else if (i == 2) {
            s.Delta = true;
        } else {
            s.LogRate = 1 + i % 3;
            s.Trig = static_cast<std::uint8_t>((i + 1) % 4);
        }
    }
    if (ext) {
        c.Internal[0].Label = "BATT";
        c.Internal[12].Label = "AIRT";
        c.SensorCountInternal = internRows;
    }

    TTippingBucket& tb = c.TippingBucket;
    tb.RollOver = 500;
    tb.Multiplier = 3;
    if (u.DailyBucketReset()) {
        tb.ResetInterval = "Daily";
        tb.ResetHour = 6;
    } else {
        tb.ResetInterval = "Days";
        tb.ResetDays = 7;
    }

    if (u.MinMaxAvgEnabled()) {
        c.MinMaxAvg[0] = {'S', 0, "01:00:00", "00:00:00", true, true, false, false};
        c.MinMaxAvg[1] = {'I',   1,     "00:30:00", "00:05:00",
                          false, false, true,       u.VectorAverageEnabled()};
        c.MinMaxAvg[2] = {'S', 4, "02:00:00", "00:10:00", false, true, true, false};
    }
    if (ext) {
        c.Equations = {"S0*2.5+I0", "MAX(S1,S2)", "(I4-32)/1.8"};
    }

    // Message formats: header, text, sensor rows with and without flags.
    auto fill = [&](auto& table, int rows, bool random) {
        const int buffer = random ? kRandomBuffer : kTimedBuffer;
        for (int i = 0; i < rows; ++i) {
            TDataFormatRow& d = table[i];
            switch (i % 5) {
            case 0:
                d.SourceType = 'H';
                d.SourceIndex = static_cast<std::uint8_t>(random && i == 0 ? 10 : i % 10);
                d.ValueCount = 1;
                d.Flags = i % 2 ? "L" : "";
                d.FieldWidth = GetHeaderFieldWidth(c, buffer, d.SourceIndex);
                break;
            case 1:
                d.SourceType = 'T';
                d.Text = i == 1 ? "STN,\"A\"" : "T" + std::to_string(i);
                d.Flags = "S";
                break;
            case 2:
                d.SourceType = 'S';
                d.SourceIndex = static_cast<std::uint8_t>(i % sdiRows);
                d.ValueCount = 1;
                d.StatFlags = ext ? (kStatMin | kStatMax) : 0;
                d.FieldWidth = 6;
                d.Flags = "LN";
                d.Slope = 1.5;
                d.Offset = -2;
                break;
            case 3:
                d.SourceType = 'I';
                d.SourceIndex = static_cast<std::uint8_t>(i % internRows);
                d.ValueCount = 2;
                d.FieldWidth = -3;
                d.Slope = 0.1;
                break;
            default:
                d.SourceType = 'S';
                d.SourceIndex = 0;
                d.ValueCount = 3;
                d.StatFlags = ext ? kStatAvg : 0;
                d.FieldWidth = 2;
                d.Flags = "CLBSRNZ";
                d.Slope = 100;
                d.Offset = 0.25;
                break;
            }
        }
    };
    fill(c.TimedData, ext ? 60 : 20, false);
    fill(c.RandomData, ext ? 40 : 20, true);

    if (sensorRandom) {
        const int triggers = ext ? 30 : 15;
        for (int i = 0; i < triggers; ++i) {
            TRandomTrigger& tr = c.RandomTriggers[i];
            tr.TriggerType = "HIRLFDA"[i % 7];
            if (tr.TriggerType != 'I') {
                tr.SensorType = i % 2 ? 'I' : 'S';
                tr.SensorIndex = static_cast<std::uint8_t>(i % 5);
            }
            tr.Limit = i == 1 ? 3600 : -1.25 + i;
        }
    }
    return c;
}

} // namespace tavin::testing

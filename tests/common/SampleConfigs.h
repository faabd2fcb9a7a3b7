#pragma once
// Configurations the workflow tests, the end-to-end tests and the benchmarks
// send and retrieve: every table filled to the requested size, labels that
// differ from the defaults, values that the commands carry unchanged.

#include "protocol/XmtrConfig.h"

#include <cstdio>
#include <string>

namespace tavin::test {

struct ConfigSize {
    int sdi12 = 64;
    int intern = 64;
    int timed = 100;
    int random = 40;
    int triggers = 30;
    int equations = 10;
    int minMaxAvg = 20;
};

inline std::string Label(char first, int row) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%c%03d", first, row % 1000);
    return buf;
}

// A GOES configuration with timed and random transmissions from the sensors
// and tables of the given sizes (the extended firmware's limits by default).
inline XmtrConfig SampleConfig(const ConfigSize& size = {}) {
    XmtrConfig c;
    c.PlatformIdGoes = "1234ABCE";
    c.TimedEnabled = true;
    c.RandomEnabled = true;

    TTimedTxParams& t = c.TimedTx;
    t.Channel = 95;
    t.BitRate = 1; // 300
    t.Interval = "00:01:00:00";
    t.FirstTx = "00:10:00";
    t.WindowLength = 10;
    t.Interleaver = 0;
    t.DataFormat = 0; // ASCII
    t.Preamble = 0;
    t.DataSource = 1; // Sensor
    t.DataOrder = 0;
    t.OpFlags[0] = true;

    TRandomTxParams& r = c.RandomTx;
    r.Channel = 101;
    r.BitRate = 1;
    r.Interval = 20;
    r.Percent = 40;
    r.RepeatCount = 2;
    r.DataFormat = 0;
    r.DataSource = 1;
    r.DataOrder = 1;

    TGeneralSettings& g = c.General;
    g.PowerUpEnable = true;
    g.PlatformIdString = "TEST SITE 7";
    g.PseudoBinaryHeader1 = 'B';
    g.PseudoBinaryHeader2 = 'C';
    g.GpsTimeSync = 4;

    static constexpr const char* kTypes[] = {"BV", "TM", "TV", "TC"};
    for (int i = 0; i < size.sdi12 && i < kSDI12Rows; ++i) {
        TSDI12Row& s = c.SDI12[i];
        s.Enabled = true;
        s.Address = std::string(1, static_cast<char>('0' + i % 10));
        s.Measurement = std::to_string(i % 4);
        s.Value = 1 + i % 5;
        s.Interval = "00:15:00";
        s.Offset = "00:00:00";
        s.LogRate = 1 + i % 3;
        s.Label = Label('W', i);
    }
    for (int i = 0; i < size.intern && i < kInternRows; ++i) {
        TInternSensor& s = c.Internal[i];
        s.Type = kTypes[i % 4];
        s.Interval = "00:30:00";
        s.Offset = "00:00:00";
        s.LogRate = 1 + i % 2;
        s.Label = Label('B', i);
    }
    for (int i = 0; i < size.equations; ++i) {
        c.Equations.push_back("S" + std::to_string(i) + "*2+1");
    }
    for (int i = 0; i < size.minMaxAvg && i < kMinMaxAvgRows; ++i) {
        TSensorMMA& m = c.MinMaxAvg[i];
        m.SourceType = 'S';
        m.SourceIndex = i;
        m.Interval = "01:00:00";
        m.Offset = "00:00:00";
        m.Min = m.Max = m.Avg = true;
    }
    for (int i = 0; i < size.timed && i < kTimedDataRows; ++i) {
        TDataFormatRow& d = c.TimedData[i];
        d.SourceType = 'S';
        d.SourceIndex = static_cast<std::uint8_t>(i % (size.sdi12 > 0 ? size.sdi12 : 1));
        d.ValueCount = 1;
        d.FieldWidth = 6;
    }
    for (int i = 0; i < size.random && i < kRandomDataRows; ++i) {
        TDataFormatRow& d = c.RandomData[i];
        d.SourceType = 'I';
        d.SourceIndex = static_cast<std::uint8_t>(i % (size.intern > 0 ? size.intern : 1));
        d.ValueCount = 1;
        d.FieldWidth = 5;
    }
    for (int i = 0; i < size.triggers && i < kRandomTriggerRows; ++i) {
        TRandomTrigger& tr = c.RandomTriggers[i];
        tr.SensorType = 'S';
        tr.SensorIndex = static_cast<std::uint8_t>(i % (size.sdi12 > 0 ? size.sdi12 : 1));
        tr.TriggerType = 'H';
        tr.Limit = 25.5;
    }
    c.TippingBucket.RollOver = 5000;
    c.TippingBucket.Multiplier = 2;
    return c;
}

// The same on the short-form firmware: 10 SDI-12 rows, 5 internal rows, 20
// format rows and 15 triggers at most, no equations or min/max/average.
// The short form carries temperature, count and value as the digit codes.
inline XmtrConfig ShortFormConfig() {
    XmtrConfig c = SampleConfig({6, 4, 12, 8, 5, 0, 0});
    static constexpr const char* kShortTypes[] = {"BV", "1", "3", "2"};
    for (int i = 0; i < 4; ++i) {
        c.Internal[i].Type = kShortTypes[i];
    }
    return c;
}

} // namespace tavin::test

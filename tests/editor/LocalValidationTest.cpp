#include "editor/LocalValidation.h"
#include "editor/EditorNames.h"
#include "protocol/GlbIni.h"
#include "protocol/UtilityControl.h"

#include <gtest/gtest.h>

using namespace tavin;

namespace {

TUtilityControl Switches(int code) {
    TUtilityControl u;
    u.SetVersionCode(code, TGlbIni{}, true);
    return u;
}

// A configuration that passes every check: timed on, sensor source, ASCII.
struct Valid {
    XmtrConfig cfg;
    EditorValues ed;
    Valid() {
        ed.PB1 = "@";
        ed.PB2 = "@";
        ed.InvalidReplace = "$";
        ed.TxPower100 = ed.TxPower300 = ed.TxPower1200 = 1;
        ed.TimedChecked = true;
        ed.TimedTxInterval = "01:00:00";
        cfg.TimedTx.DataSource = 1;
        cfg.SDI12[0].Address = "0";
        cfg.SDI12[0].Interval = "00:15:00";
        cfg.Internal[0].Type = "BV";
        cfg.Internal[0].Interval = "01:00:00";
        cfg.TimedData[0].SourceType = 'S';
        cfg.TimedData[0].ValueCount = 1;
        cfg.TimedData[0].FieldWidth = 6;
    }
};

TEST(LocalValidation, ValidConfigurationPasses) {
    Valid v;
    EXPECT_EQ(CheckLocalSetup(v.cfg, v.ed, Switches(130)).ErrorCode, kErrNone);
    v.ed.AdvancedSettings = true;
    EXPECT_EQ(CheckLocalSetup(v.cfg, v.ed, Switches(111)).ErrorCode, kErrNone);
}

TEST(LocalValidation, EditorFieldErrors) {
    struct Case {
        const char* name;
        void (*change)(EditorValues&);
        std::uint8_t code;
        const char* control;
        const char* page;
    };
    const char* general = names::kTabGeneralTxConfiguration;
    const char* txSetup = names::kTabTxSetup;
    const Case cases[] = {
        {"PB1 empty", [](EditorValues& e) { e.PB1.clear(); }, 4, names::kPB1, general},
        {"PB1 below ?", [](EditorValues& e) { e.PB1 = ">"; }, 4, names::kPB1, general},
        {"PB2 DEL", [](EditorValues& e) { e.PB2 = "\x7F"; }, 4, names::kPB2, general},
        {"PB2 empty", [](EditorValues& e) { e.PB2.clear(); }, 4, names::kPB2, general},
        {"GTS negative", [](EditorValues& e) { e.GpsTimeSync = -1; }, 4, names::kRzGPSTimeSync,
         general},
        {"GOC negative", [](EditorValues& e) { e.AdvancedSettings = true, e.GpsOcxoCal = -1; }, 4,
         names::kRzGPSOCXOCal, general},
        {"IRC control", [](EditorValues& e) { e.AdvancedSettings = true, e.InvalidReplace = "\t"; },
         4, names::kEdtInvalidReplace, general},
        {"300 power zero", [](EditorValues& e) { e.AdvancedSettings = true, e.TxPower300 = 0; }, 4,
         names::kRzSpinTxPwr300, general},
        {"power unchecked without advanced", [](EditorValues& e) { e.TxPower300 = 0; }, 0, "", ""},
        {"interval 00:04:59", [](EditorValues& e) { e.TimedTxInterval = "00:04:59"; }, 1,
         names::kTimedTxInterval, txSetup},
        {"interval 00:05:00", [](EditorValues& e) { e.TimedTxInterval = "00:05:00"; }, 0, "", ""},
        {"days 00:00:04:59", [](EditorValues& e) { e.TimedTxInterval = "00:00:04:59"; }, 1,
         names::kTimedTxInterval, txSetup},
        {"days 01:00:00:00", [](EditorValues& e) { e.TimedTxInterval = "01:00:00:00"; }, 1,
         names::kTimedTxInterval, txSetup},
        {"days 01:00:05:00", [](EditorValues& e) { e.TimedTxInterval = "01:00:05:00"; }, 0, "", ""},
        {"days 30:23:59:59", [](EditorValues& e) { e.TimedTxInterval = "30:23:59:59"; }, 0, "", ""},
        {"days 31:00:10:00", [](EditorValues& e) { e.TimedTxInterval = "31:00:10:00"; }, 1,
         names::kTimedTxInterval, txSetup},
        {"blanks in mask", [](EditorValues& e) { e.TimedTxInterval = "01: 0:00"; }, 1,
         names::kTimedTxInterval, txSetup},
        {"hours 24", [](EditorValues& e) { e.TimedTxInterval = "24:00:00"; }, 1,
         names::kTimedTxInterval, txSetup},
    };
    const auto u = Switches(130);
    for (const auto& c : cases) {
        Valid v;
        c.change(v.ed);
        const auto err = CheckLocalSetup(v.cfg, v.ed, u);
        EXPECT_EQ(err.ErrorCode, c.code) << c.name;
        EXPECT_EQ(err.ErrorControl, c.control) << c.name;
        EXPECT_EQ(err.ErrorPage, c.page) << c.name;
    }
}

TEST(LocalValidation, TimeTextRule) {
    struct Case {
        const char* text;
        bool longTimes, allowZero, valid;
    };
    const Case cases[] = {
        {"12:00:01", true, true, false},  {"12:00:02", true, true, true},
        {"24:00:00", true, true, true},   {"24:00:01", true, true, false},
        {"23:59:58", true, true, true},   {"12:00:00", false, true, true},
        {"11:59:59", false, true, true},  {"12:00:01", false, true, false},
        {"00:00:00", true, false, false}, {"00:00:00", true, true, true},
        {"00:60:00", false, true, false}, {"ab", true, true, false},
        {"-1:00:00", true, true, false},  {"", false, true, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ValidTimeString(c.text, c.longTimes, c.allowZero), c.valid)
            << c.text << " long=" << c.longTimes << " zero=" << c.allowZero;
    }
}

TEST(LocalValidation, SensorTables) {
    const auto modern = Switches(130);
    {
        Valid v; // an interval of zero is refused, an offset of zero is not
        v.cfg.SDI12[1].Address = "1";
        v.cfg.SDI12[1].Interval = "00:00:00";
        const auto err = CheckLocalSetup(v.cfg, v.ed, modern);
        EXPECT_EQ(err, (TConfigCheckError{2, 1, names::kGridSDI12, names::kTabSDI12}));
    }
    {
        Valid v; // an appended row is checked for its value number only
        v.cfg.SDI12[1].Append = true;
        v.cfg.SDI12[1].Value = 0;
        v.cfg.SDI12[1].Interval = "bad";
        EXPECT_EQ(CheckLocalSetup(v.cfg, v.ed, modern).ErrorCode, kErrInvalidParameter);
        v.cfg.SDI12[1].Value = 2;
        EXPECT_EQ(CheckLocalSetup(v.cfg, v.ed, modern).ErrorCode, kErrNone);
    }
    {
        Valid v; // rows past 10 are checked only with long sensor intervals
        v.cfg.SDI12[12].Address = "5";
        v.cfg.SDI12[12].Interval = "00:00:00";
        EXPECT_EQ(CheckLocalSetup(v.cfg, v.ed, Switches(111)).ErrorCode, kErrNone);
        EXPECT_EQ(CheckLocalSetup(v.cfg, v.ed, modern).ErrorRow, 12);
    }
    {
        Valid v; // a bad offset on an internal row
        v.cfg.Internal[2].Type = "TM";
        v.cfg.Internal[2].Interval = "00:10:00";
        v.cfg.Internal[2].Offset = "13:00:00";
        EXPECT_EQ(CheckLocalSetup(v.cfg, v.ed, Switches(111)),
                  (TConfigCheckError{3, 2, names::kGridInternSens, names::kTabInternalSensors}));
    }
    {
        Valid v; // min/max/average rows only when the feature is on
        v.cfg.MinMaxAvg[0].SourceType = 'S';
        v.cfg.MinMaxAvg[0].Interval = "00:00:00";
        EXPECT_EQ(CheckLocalSetup(v.cfg, v.ed, Switches(111)).ErrorCode, kErrNone);
        EXPECT_EQ(CheckLocalSetup(v.cfg, v.ed, modern),
                  (TConfigCheckError{2, 0, names::kGridMinMaxAvg, names::kTabMinMaxAvg}));
    }
    {
        Valid v; // an empty min/max/average table is no error
        EXPECT_EQ(CheckLocalSetup(v.cfg, v.ed, modern).ErrorCode, kErrNone);
    }
}

TEST(LocalValidation, DataFormatRows) {
    struct Case {
        const char* name;
        int source, format;
        int valueCount, stat, width;
        double slope;
        std::uint8_t code;
    };
    const Case cases[] = {
        {"RS-232 source", 0, 0, 1, 0, 6, 1, 8},
        {"binary width 3 slope 0", 1, 2, 1, 0, 3, 0, 13},
        {"binary width 5", 1, 2, 1, 0, 5, 0, 12},
        {"pseudo width 0", 1, 1, 1, 0, 0, 1, 12},
        {"pseudo signed width -4", 1, 1, 1, 0, -4, 1, 0},
        {"ascii empty count width 20", 1, 0, 0, 0, 20, 1, 12},
        {"ascii empty count", 1, 0, 0, 0, 6, 1, 11},
        {"ascii summary only", 1, 0, 0, kStatAvg, 6, 1, 0},
        {"binary empty count slope 0", 1, 2, 0, 0, 2, 0, 13},
    };
    const auto u = Switches(130);
    for (const auto& c : cases) {
        Valid v;
        v.cfg.TimedTx.DataSource = static_cast<std::uint8_t>(c.source);
        v.cfg.TimedTx.DataFormat = static_cast<std::uint8_t>(c.format);
        auto& row = v.cfg.TimedData[3];
        row.SourceType = 'I';
        row.ValueCount = static_cast<std::uint8_t>(c.valueCount);
        row.StatFlags = static_cast<std::uint8_t>(c.stat);
        row.FieldWidth = c.width;
        row.Slope = c.slope;
        v.cfg.TimedData[0].SourceType = 'T'; // text rows are not examined
        const auto err = CheckLocalSetup(v.cfg, v.ed, u);
        EXPECT_EQ(err.ErrorCode, c.code) << c.name;
        if (c.code != 0) {
            EXPECT_EQ(err.ErrorRow, 3) << c.name;
            EXPECT_EQ(err.ErrorControl, names::kGridTimedDataFormat) << c.name;
        }
    }
}

TEST(LocalValidation, DisabledTransmissions) {
    const auto u = Switches(130);
    {
        Valid v; // timed off: a sensor row anywhere in the 100 rows is reported
        v.ed.TimedChecked = false;
        v.cfg.TimedData[0] = TDataFormatRow{};
        v.cfg.TimedData[70].SourceType = 'H';
        EXPECT_EQ(
            CheckLocalSetup(v.cfg, v.ed, u),
            (TConfigCheckError{5, 70, names::kGridTimedDataFormat, names::kTabTimedDataFormat}));
        EXPECT_EQ(CheckLocalSetup(v.cfg, v.ed, Switches(111)).ErrorCode, kErrNone);
    }
    {
        Valid v; // random off: only the first 20 rows count
        v.cfg.RandomData[20].SourceType = 'S';
        EXPECT_EQ(CheckLocalSetup(v.cfg, v.ed, u).ErrorCode, kErrNone);
        v.cfg.RandomData[19].SourceType = 'S';
        EXPECT_EQ(CheckLocalSetup(v.cfg, v.ed, u).ErrorCode, kErrRandomDisabled);
    }
    {
        Valid v; // random from RS-232 may not carry the trigger code header
        v.ed.RandomChecked = true;
        v.cfg.RandomData[1].SourceType = 'H';
        v.cfg.RandomData[1].SourceIndex = 3;
        EXPECT_EQ(CheckLocalSetup(v.cfg, v.ed, u).ErrorCode, kErrNone);
        v.cfg.RandomData[1].SourceIndex = 10;
        EXPECT_EQ(
            CheckLocalSetup(v.cfg, v.ed, u),
            (TConfigCheckError{8, 1, names::kGridRandomDataFormat, names::kTabRandomDataFormat}));
    }
}

TEST(LocalValidation, TextsAndNavigation) {
    TConfigCheckError err;
    EXPECT_EQ(GetErrorString(err), "");
    err.ErrorCode = 5;
    EXPECT_EQ(GetErrorString(err), "Timed Transmission Are Disabled");
    err.ErrorCode = 14;
    EXPECT_EQ(GetErrorString(err), "Sensors Are Disabled");
    err.ErrorCode = 200;
    EXPECT_EQ(GetErrorString(err), "");

    EXPECT_EQ(ErrorGridColumn(names::kGridSDI12, 2), 7);
    EXPECT_EQ(ErrorGridColumn(names::kGridSDI12, 9), 1);
    EXPECT_EQ(ErrorGridColumn(names::kGridInternSens, 3), 5);
    EXPECT_EQ(ErrorGridColumn(names::kGridMinMaxAvg, 2), 3);
    EXPECT_EQ(ErrorGridColumn(names::kGridRandomDataFormat, 13), 5);
    EXPECT_EQ(ErrorGridColumn(names::kGridTimedDataFormat, 8), 1);
    EXPECT_EQ(ErrorGridColumn(names::kRzGPSTimeSync, 4), -1);
    EXPECT_TRUE(IsFocusableEditControl(names::kTimedTxInterval));
    EXPECT_FALSE(IsFocusableEditControl(names::kRzSpinTxPwr100));
}

} // namespace

#include "editor/SDI12GridRules.h"
#include "SensorRulesFixture.h"
#include "editor/SensorGridTexts.h"

#include <gtest/gtest.h>

using namespace tavin;
using tavin::test::ExpectCells;
using tavin::test::SensorRulesFixture;
using C = SDI12GridRules::Column;

namespace {

struct SDI12 : SensorRulesFixture {
    explicit SDI12(int code = 153) : SensorRulesFixture(code) {}
    SDI12GridRules rules{cfg, utility, ini};
};

TEST(SDI12GridRules, RowStatesDecideEveryCell) {
    SDI12 f(130);
    f.Sensor(0, "0");
    f.cfg.SDI12[0].LogRate = 5;
    f.cfg.SDI12[0].Trig = kTrigHigh;
    f.Appended(1, 2);
    f.Sensor(2, "1");
    f.cfg.SDI12[2].Delta = true;
    f.Sensor(3, "2", "T");
    f.cfg.SDI12[4].LogRate = -1; // record 4 enabled and free, record 5 not enabled

    ExpectCells(f.rules,
                {
                    {0, C::kIndex, CellKind::Text, false, false, "0:"},
                    {0, C::kAppend, CellKind::Text, false, false, ""}, // never on the first row
                    {0, C::kAddress, CellKind::Text, true, false, "0"},
                    {0, C::kInterval, CellKind::Time, true, false, "00:15:00"},
                    {0, C::kDelta, CellKind::Check, true, false, ""},
                    {0, C::kLogRate, CellKind::Text, true, false, "5"},
                    {0, C::kTrig, CellKind::List, true, false, "High"},
                    // An appended value: only the value and (with triggers) the logging.
                    {1, C::kAppend, CellKind::Check, true, false, ""},
                    {1, C::kAddress, CellKind::Text, false, true, ""},
                    {1, C::kMeasurement, CellKind::Text, false, true, ""},
                    {1, C::kInterval, CellKind::Text, false, true, ""},
                    {1, C::kValue, CellKind::Text, true, false, "2"},
                    {1, C::kDelta, CellKind::Check, true, false, ""},
                    // Delta logging leaves no rate or trigger.
                    {2, C::kLogRate, CellKind::Text, false, true, ""},
                    {2, C::kTrig, CellKind::Text, false, true, ""},
                    // "T" gives no logging at all, and nothing can be appended under it.
                    {3, C::kMeasurement, CellKind::Text, true, false, "T"},
                    {3, C::kDelta, CellKind::Text, false, true, ""},
                    {3, C::kLogRate, CellKind::Text, false, true, ""},
                    {4, C::kAppend, CellKind::Text, false, false, ""},
                    // Enabled and free: open for an address.
                    {4, C::kAddress, CellKind::Text, true, false, ""},
                    {4, C::kValue, CellKind::Text, true, false, ""},
                    {4, C::kDelta, CellKind::Text, false, false, ""},
                    {4, C::kTrig, CellKind::Text, false, false, ""},
                    // Not enabled.
                    {5, C::kAppend, CellKind::Text, false, false, ""},
                    {5, C::kAddress, CellKind::Text, false, false, ""},
                    {5, C::kInterval, CellKind::Time, false, false, ""},
                    {5, C::kLabel, CellKind::Text, true, false, "SDI5"},
                });
    EXPECT_TRUE(f.rules.Cell(1, C::kAppend).checked);
    EXPECT_TRUE(f.rules.Cell(2, C::kDelta).checked);
}

TEST(SDI12GridRules, AppendedRowWithoutTriggersLogsNothing) {
    SDI12 f(111);
    f.Sensor(0, "0");
    f.Appended(1, 2);
    EXPECT_EQ(f.rules.Cell(1, C::kDelta).kind, CellKind::Text);
    EXPECT_TRUE(f.rules.Cell(1, C::kDelta).greyed);
    EXPECT_FALSE(f.rules.Cell(1, C::kLogRate).editable);
}

TEST(SDI12GridRules, FirstRowAlwaysTakesASensor) {
    SDI12 f;
    f.cfg.SDI12[0].Enabled = false;
    for (int col : {C::kAddress, C::kMeasurement, C::kInterval, C::kOffset}) {
        EXPECT_TRUE(f.rules.Cell(0, col).editable) << col;
    }
    EXPECT_TRUE(f.rules.Edit(0, C::kAddress, "3").accepted);
    EXPECT_EQ(f.cfg.SDI12[0].Address, "3");
    EXPECT_TRUE(f.cfg.SDI12[0].Enabled);
    EXPECT_TRUE(f.cfg.SDI12[1].Enabled);
}

TEST(SDI12GridRules, RowsAndTrigColumnFollowTheFirmware) {
    struct Case {
        int code;
        int rows;
        bool trig;
    };
    for (const Case c : {Case{111, 10, false}, Case{115, 10, true}, Case{130, 64, true}}) {
        SDI12 f(c.code);
        EXPECT_EQ(f.rules.RowCount(), c.rows) << c.code;
        EXPECT_EQ(f.rules.TrigColumnShown(), c.trig) << c.code;
        EXPECT_EQ(f.rules.Header(C::kMeasurement), "Measurement");
    }
}

TEST(SDI12GridRules, MeasurementEdits) {
    struct Case {
        int code;
        const char* typed;
        bool accepted;
        const char* measurement;
        bool concurrent;
        const char* shown;
    };
    const Case cases[] = {
        {130, "2C", true, "2", true, "2C"},
        {111, "2C", true, "2", true, "2"}, // the flag is kept, not shown
        {130, "c3", true, "3", true, "3C"},
        {130, "4", true, "4", false, "4"},
        {130, "T", true, "T", false, "T"},
        {130, "b", true, "B", false, "B"},
        {130, "C", true, "0", true, "0C"}, // concurrent plain measurement
        {130, "x", false, "0", false, "0"},
        {130, "", false, "0", false, "0"},
        {130, "1-", false, "0", false, "0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        SDI12 f(c.code);
        f.Sensor(0, "0");
        EXPECT_EQ(f.rules.Edit(0, C::kMeasurement, c.typed).accepted, c.accepted);
        EXPECT_EQ(f.cfg.SDI12[0].Measurement, c.measurement);
        EXPECT_EQ(f.cfg.SDI12[0].Concurrent, c.concurrent);
        EXPECT_EQ(f.rules.Cell(0, C::kMeasurement).text, c.shown);
    }
}

TEST(SDI12GridRules, TOrBEndsTheValuesAppendedUnderIt) {
    SDI12 f;
    f.Sensor(0, "0");
    f.Appended(1, 2);
    EXPECT_TRUE(f.rules.Edit(0, C::kMeasurement, "T").accepted);
    EXPECT_FALSE(f.cfg.SDI12[1].Append);
    EXPECT_EQ(f.cfg.SDI12[1].Address, "0"); // now a sensor of its own
}

TEST(SDI12GridRules, NumberEdits) {
    struct Case {
        int col;
        const char* typed;
        bool accepted;
        std::int32_t value;
    };
    const Case cases[] = {
        {C::kValue, "0", true, 1},     {C::kValue, "3", true, 3},
        {C::kValue, "abc", false, 1},  {C::kValue, "99999999999", false, 1},
        {C::kLogRate, "-", false, 1},  {C::kLogRate, "", false, 1},
        {C::kLogRate, "12", true, 12}, {C::kLogRate, "-5", false, 1},
        {C::kValue, "", false, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        SDI12 f;
        f.Sensor(0, "0");
        EXPECT_EQ(f.rules.Edit(0, c.col, c.typed).accepted, c.accepted);
        EXPECT_EQ(c.col == C::kValue ? f.cfg.SDI12[0].Value : f.cfg.SDI12[0].LogRate, c.value);
    }
}

TEST(SDI12GridRules, TimesFollowTheTwentyFourHourRule) {
    struct Case {
        const char* typed;
        bool accepted;
        const char* message;
    };
    const Case cases[] = {
        {"24:00:00", true, ""},
        {"23:59:59", true, ""},
        {"24:00:01", false, texts::kInvalidTimeToMuchTime},
        {"99:99:99", false, texts::kInvalidTimeToMuchTime},
        {"12:3", false, ""}, // not a whole time yet
    };
    for (const Case& c : cases) {
        for (int col : {C::kInterval, C::kOffset}) {
            SCOPED_TRACE(c.typed);
            SDI12 f;
            f.Sensor(0, "0");
            const GridEditResult r = f.rules.Edit(0, col, c.typed);
            EXPECT_EQ(r.accepted, c.accepted);
            EXPECT_EQ(r.message, c.message);
            const std::string& stored =
                col == C::kInterval ? f.cfg.SDI12[0].Interval : f.cfg.SDI12[0].Offset;
            // A refused time leaves the one the sensor had.
            EXPECT_EQ(stored,
                      c.accepted ? c.typed : (col == C::kInterval ? "00:15:00" : "00:00:00"));
        }
    }
}

TEST(SDI12GridRules, LabelEdits) {
    struct Case {
        std::string typed;
        bool accepted;
        const char* label;
    };
    const Case cases[] = {
        {std::string(100, 'L'), true, "LLLL"},
        {"", true, "SDI3"},
        {"x", true, "x"}, // one character is a label here
        {"ab\ncd", false, "keep"},
        {"a,b", false, "keep"},
        {"\xe9t\xe9", false, "keep"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        SDI12 f;
        f.cfg.SDI12[3].Label = "keep";
        const GridEditResult r = f.rules.Edit(3, C::kLabel, c.typed);
        EXPECT_EQ(r.accepted, c.accepted);
        EXPECT_EQ(f.cfg.SDI12[3].Label, c.label);
        if (!c.accepted) {
            EXPECT_EQ(r.message, texts::kBadLabel);
        }
    }
    SDI12 f;
    f.rules.Edit(12, C::kLabel, "");
    EXPECT_EQ(f.cfg.SDI12[12].Label, "SD12");
}

TEST(SDI12GridRules, AddressEdits) {
    struct Case {
        bool allowChars;
        bool onSensor;
        const char* typed;
        bool accepted;
        const char* address;
    };
    const Case cases[] = {
        {false, false, "5", true, "5"},   {false, false, "a", true, "0"},
        {true, false, "a", true, "a"},    {false, false, "#", true, "0"},
        {false, true, "#", false, "7"},   {false, true, "12", false, "7"},
        {true, true, "\xe9", false, "7"}, {false, true, "3", true, "3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        SDI12 f;
        f.ini.SDI12AllowChars = c.allowChars;
        f.Sensor(0, "1");
        if (c.onSensor) {
            f.Sensor(1, "7");
        }
        EXPECT_EQ(f.rules.Edit(1, C::kAddress, c.typed).accepted, c.accepted);
        EXPECT_EQ(f.cfg.SDI12[1].Address, c.address);
        EXPECT_TRUE(f.cfg.SDI12[2].Enabled || !c.accepted);
    }
}

TEST(SDI12GridRules, AppendCopiesTheSensorAboveTheAppendedRows) {
    SDI12 f;
    f.Sensor(0, "0");
    f.Sensor(1, "4", "2");
    f.cfg.SDI12[1].Interval = "01:00:00";
    f.cfg.SDI12[1].LogRate = 3;
    f.cfg.SDI12[1].Trig = kTrigLow;
    f.cfg.SDI12[1].Concurrent = true;
    f.Appended(2, 2);
    ASSERT_TRUE(f.cfg.SDI12[3].Enabled);
    const GridEditResult r = f.rules.Edit(3, C::kAppend, "1");
    EXPECT_TRUE(r.accepted);
    const TSDI12Row& row = f.cfg.SDI12[3];
    EXPECT_TRUE(row.Append);
    EXPECT_EQ(row.Address, "4");
    EXPECT_EQ(row.Measurement, "2");
    EXPECT_EQ(row.Interval, "01:00:00");
    EXPECT_EQ(row.LogRate, 3);
    EXPECT_EQ(row.Trig, kTrigLow);
    EXPECT_TRUE(row.Concurrent);
    EXPECT_EQ(row.Value, 1); // the parent's value: the user sets the next one
    EXPECT_TRUE(f.cfg.SDI12[4].Enabled);
    EXPECT_EQ(SDI12GetParentRow(f.cfg, 3), 1);
    EXPECT_EQ(SDI12GetParentRow(f.cfg, 0), 0);
    EXPECT_EQ(SDI12GetParentRow(f.cfg, 1), 0);
}

TEST(SDI12GridRules, UncheckingAppendWithoutAddressClosesTheNextRow) {
    SDI12 f;
    f.Sensor(0, "0");
    f.Appended(1, 2, false);
    EXPECT_TRUE(f.rules.Edit(1, C::kAppend, "0").accepted);
    EXPECT_FALSE(f.cfg.SDI12[1].Append);
    EXPECT_FALSE(f.cfg.SDI12[2].Enabled);
}

TEST(SDI12GridRules, ClearingTheFirstSensorPromotesTheAppendedRow) {
    for (bool withAddress : {false, true}) {
        SDI12 f;
        f.Sensor(0, "5");
        f.Appended(1, 2, withAddress);
        f.cfg.SDI12[1].Label = "RAIN";
        const GridEditResult r = f.rules.Edit(0, C::kAddress, "");
        EXPECT_TRUE(r.accepted);
        const TSDI12Row& first = f.cfg.SDI12[0];
        EXPECT_FALSE(first.Append);
        EXPECT_EQ(first.Address, withAddress ? "5" : "0");
        EXPECT_EQ(first.Value, 2);
        EXPECT_EQ(first.Label, "RAIN");
        EXPECT_TRUE(first.Enabled);
        EXPECT_TRUE(f.cfg.SDI12[1].Enabled);
        EXPECT_FALSE(f.cfg.SDI12[1].IsDefined());
        EXPECT_FALSE(f.cfg.SDI12[2].Enabled);
    }
}

TEST(SDI12GridRules, ClearingAnAddressMovesTheSensorsUnderItUp) {
    SDI12 f(111); // 10 rows
    f.Sensor(0, "0");
    f.Sensor(1, "1");
    f.cfg.SDI12[1].Label = "GONE";
    f.Sensor(2, "2");
    f.cfg.SDI12[2].Label = "KEEP";
    f.Sensor(3, "3");
    const GridEditResult r = f.rules.Edit(1, C::kAddress, "");
    EXPECT_TRUE(r.accepted);
    EXPECT_EQ(r.firstRow, 1);
    EXPECT_EQ(r.lastRow, 9);
    EXPECT_EQ(f.cfg.SDI12[1].Address, "2");
    EXPECT_EQ(f.cfg.SDI12[1].Label, "KEEP");
    EXPECT_EQ(f.cfg.SDI12[2].Address, "3");
    EXPECT_EQ(f.cfg.SDI12[2].Label, "SDI3"); // labels travel with their records
    EXPECT_EQ(f.cfg.SDI12[3].Label, "SDI3"); // a free record gets its place's label
    EXPECT_TRUE(f.cfg.SDI12[3].Enabled);
    EXPECT_FALSE(f.cfg.SDI12[4].Enabled);
    EXPECT_EQ(f.cfg.DefinedSDI12Count(), 10);
    int inUse = 0;
    while (f.cfg.SDI12[inUse].IsDefined()) {
        ++inUse;
    }
    EXPECT_EQ(inUse, 3);
    // Leaving the emptied cell again deletes nothing more.
    EXPECT_FALSE(f.rules.EndEdit(1, C::kAddress).accepted);
}

TEST(SDI12GridRules, ClearingTheLastRowOfAFullTable) {
    SDI12 f(111);
    for (int i = 0; i < 10; ++i) {
        f.Sensor(i, "1");
    }
    EXPECT_TRUE(f.rules.Edit(9, C::kAddress, "").accepted);
    EXPECT_FALSE(f.cfg.SDI12[9].IsDefined());
    EXPECT_TRUE(f.cfg.SDI12[9].Enabled);
    EXPECT_EQ(f.cfg.SDI12[9].Label, "SDI9");
}

TEST(SDI12GridRules, LeavingAFreeRowEmptyChangesNothing) {
    SDI12 f;
    f.Sensor(0, "0");
    f.cfg.SDI12[1].Label = "MINE";
    const XmtrConfig before = f.cfg;
    f.rules.Edit(1, C::kAddress, "");
    EXPECT_FALSE(f.rules.EndEdit(1, C::kAddress).accepted);
    EXPECT_EQ(f.cfg, before);
}

TEST(SDI12GridRules, InsertOnTheFirstRowAddsANewSensor) {
    SDI12 f;
    f.Sensor(0, "1");
    f.cfg.SDI12[0].Label = "AIR";
    f.Sensor(1, "2");
    f.Sensor(2, "3");
    EXPECT_TRUE(f.rules.Insert(0).accepted);
    EXPECT_EQ(f.cfg.SDI12[0].Address, "0");
    EXPECT_EQ(f.cfg.SDI12[0].Label, "SDI0");
    EXPECT_EQ(f.cfg.SDI12[0].Value, 1);
    EXPECT_EQ(f.cfg.SDI12[1].Label, "AIR");
    EXPECT_EQ(f.cfg.SDI12[3].Address, "3");
    EXPECT_FALSE(f.cfg.SDI12[4].IsDefined());
    EXPECT_TRUE(f.cfg.SDI12[4].Enabled);
    EXPECT_EQ(f.cfg.SDI12[4].Label, "SDI4");
    EXPECT_FALSE(f.cfg.SDI12[5].Enabled);
}

TEST(SDI12GridRules, InsertInTheMiddleAppendsToTheSensorAbove) {
    SDI12 f;
    f.Sensor(0, "1");
    f.Sensor(1, "2");
    EXPECT_TRUE(f.rules.Insert(1).accepted);
    EXPECT_TRUE(f.cfg.SDI12[1].Append);
    EXPECT_EQ(f.cfg.SDI12[1].Address, "1");
    EXPECT_EQ(f.cfg.SDI12[2].Address, "2");
    EXPECT_FALSE(f.cfg.SDI12[2].Append);
}

TEST(SDI12GridRules, InsertNeverWritesPastTheTable) {
    SDI12 f(111);
    for (int i = 0; i < 10; ++i) {
        f.Sensor(i, std::to_string(i));
    }
    const XmtrConfig before = f.cfg;
    const GridEditResult r = f.rules.Insert(3);
    EXPECT_FALSE(r.accepted);
    EXPECT_EQ(r.message, texts::kSDI12TableFull);
    EXPECT_EQ(f.cfg, before);

    // Below the free row there is nothing to open.
    SDI12 g;
    g.Sensor(0, "1");
    const XmtrConfig g0 = g.cfg;
    EXPECT_FALSE(g.rules.Insert(5).accepted);
    EXPECT_FALSE(g.rules.Insert(2).accepted);
    EXPECT_EQ(g.cfg, g0);
}

TEST(SDI12GridRules, InsertFillsTheLastFreeRowOfAShortTable) {
    SDI12 f(111);
    for (int i = 0; i < 9; ++i) {
        f.Sensor(i, std::to_string(i));
    }
    EXPECT_TRUE(f.rules.Insert(0).accepted);
    for (int i = 0; i < 10; ++i) {
        EXPECT_TRUE(f.cfg.SDI12[i].IsDefined()) << i;
    }
    EXPECT_EQ(f.cfg.SDI12[9].Address, "8");
    EXPECT_FALSE(f.cfg.SDI12[10].IsDefined());
}

TEST(SDI12GridRules, DeltaAndTrig) {
    SDI12 f;
    f.Sensor(0, "0");
    EXPECT_TRUE(f.rules.Edit(0, C::kTrig, "H/L").accepted);
    EXPECT_EQ(f.cfg.SDI12[0].Trig, kTrigHigh | kTrigLow);
    EXPECT_FALSE(f.rules.Edit(0, C::kTrig, "Sideways").accepted);
    EXPECT_TRUE(f.rules.Edit(0, C::kDelta, "1").accepted);
    EXPECT_TRUE(f.cfg.SDI12[0].Delta);
    EXPECT_FALSE(f.rules.Cell(0, C::kTrig).editable);
    // A row without a sensor has no delta to set.
    EXPECT_FALSE(f.rules.Edit(1, C::kDelta, "1").accepted);
    EXPECT_FALSE(f.cfg.SDI12[1].Delta);
}

TEST(SDI12GridRules, ReadOnlyGridRefusesEverything) {
    SDI12 f;
    f.Sensor(0, "0");
    f.rules.SetReadOnly(true);
    const XmtrConfig before = f.cfg;
    for (int col = 0; col < C::kColumnCount; ++col) {
        EXPECT_FALSE(f.rules.Cell(0, col).editable) << col;
        EXPECT_FALSE(f.rules.Edit(0, col, "1").accepted) << col;
    }
    EXPECT_FALSE(f.rules.Insert(0).accepted);
    EXPECT_EQ(f.cfg, before);
}

} // namespace

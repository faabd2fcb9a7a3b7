#include "SensorRulesFixture.h"
#include "editor/EquationGridRules.h"
#include "editor/MinMaxAvgGridRules.h"
#include "editor/SensorGridTexts.h"

#include <gtest/gtest.h>

using namespace tavin;
using tavin::test::SensorRulesFixture;
using M = MinMaxAvgGridRules::Column;
using E = EquationGridRules::Column;
using Names = std::vector<std::string>;

namespace {

struct MMA : SensorRulesFixture {
    MMA() {
        Sensor(0, "0");
        cfg.SDI12[0].Label = "AIR";
        Sensor(1, "1");
        cfg.SDI12[1].Label = "";
        Internal(0, "BV", "BATT");
        Internal(2, "TM");
    }
    MinMaxAvgGridRules rules{cfg, utility, ini};
};

TEST(MinMaxAvgGridRules, SensorListFollowsThePreferences) {
    struct Case {
        bool sdi12;
        bool internal;
        Names entries;
    };
    const Case cases[] = {
        {true,
         true,
         {"None\t", "AIR\tSDI-12 : 0", "SDI1\tSDI-12 : 1", "BATT\tInternal : 0",
          "INT2\tInternal : 2"}},
        {false, true, {"None\t", "BATT\tInternal : 0", "INT2\tInternal : 2"}},
        {true, false, {"None\t", "AIR\tSDI-12 : 0", "SDI1\tSDI-12 : 1"}},
    };
    for (const Case& c : cases) {
        MMA f;
        f.ini.SDI12Visible = c.sdi12;
        f.ini.InternalTabVisible = c.internal;
        EXPECT_EQ(f.rules.SensorEntries(), c.entries);
        EXPECT_EQ(f.rules.Cell(0, M::kSensor).listColumns, 2);
    }
}

TEST(MinMaxAvgGridRules, ChoosingASensorOpensItsRow) {
    MMA f;
    EXPECT_FALSE(f.rules.Cell(0, M::kMin).editable);
    EXPECT_FALSE(f.rules.Cell(1, M::kSensor).editable); // rows fill from the top
    EXPECT_TRUE(f.rules.Edit(0, M::kSensor, "BATT\tInternal : 0").accepted);
    EXPECT_EQ(f.cfg.MinMaxAvg[0].SourceType, 'I');
    EXPECT_EQ(f.cfg.MinMaxAvg[0].SourceIndex, 0);
    EXPECT_EQ(f.rules.Cell(0, M::kSensor).text, "BATT");
    EXPECT_EQ(f.rules.Cell(0, M::kMin).kind, CellKind::Check);
    EXPECT_TRUE(f.rules.Cell(1, M::kSensor).editable);

    EXPECT_TRUE(f.rules.Edit(0, M::kAvg, "1").accepted);
    EXPECT_TRUE(f.cfg.MinMaxAvg[0].Avg);
    EXPECT_TRUE(f.rules.Edit(0, M::kInterval, "01:00:00").accepted);
    EXPECT_EQ(f.cfg.MinMaxAvg[0].Interval, "01:00:00");
    const GridEditResult bad = f.rules.Edit(0, M::kOffset, "99:99:99");
    EXPECT_FALSE(bad.accepted);
    EXPECT_EQ(bad.message, texts::kInvalidTime);
    EXPECT_EQ(f.cfg.MinMaxAvg[0].Offset, "00:00:00");
    // Only what the list offers.
    EXPECT_FALSE(f.rules.Edit(0, M::kSensor, "X\tSDI-12 : 63").accepted);
    EXPECT_EQ(f.cfg.MinMaxAvg[0].SourceType, 'I');
}

TEST(MinMaxAvgGridRules, NoneInTheMiddleMovesTheRowsUp) {
    MMA f;
    f.rules.Edit(0, M::kSensor, "AIR\tSDI-12 : 0");
    f.rules.Edit(1, M::kSensor, "SDI1\tSDI-12 : 1");
    f.rules.Edit(2, M::kSensor, "INT2\tInternal : 2");
    const GridEditResult r = f.rules.Edit(1, M::kSensor, "None\t");
    EXPECT_TRUE(r.accepted);
    EXPECT_EQ(f.cfg.MinMaxAvg[1].SourceType, 'I');
    EXPECT_EQ(f.cfg.MinMaxAvg[1].SourceIndex, 2);
    EXPECT_TRUE(f.cfg.MinMaxAvg[2].IsFree());
    EXPECT_EQ(f.cfg.DefinedMinMaxAvgCount(), 2);
    EXPECT_EQ(f.rules.Cell(1, M::kSensor).text, "INT2");
}

TEST(MinMaxAvgGridRules, VecColumnNeedsVectorAverages) {
    for (bool pref : {false, true}) {
        MMA f;
        f.ini.VectorAverage = pref;
        f.SetVersion(153);
        f.rules.Edit(0, M::kSensor, "AIR\tSDI-12 : 0");
        EXPECT_EQ(f.rules.VecColumnShown(), pref);
        EXPECT_EQ(f.rules.Edit(0, M::kVec, "1").accepted, pref);
    }
}

TEST(EquationGridRules, OneRowMoreThanEquations) {
    XmtrConfig cfg;
    EquationGridRules rules(cfg);
    EXPECT_EQ(rules.RowCount(), 1);
    EXPECT_EQ(rules.Cell(0, E::kIndex).text, "0:");
    EXPECT_EQ(rules.Cell(0, E::kEquation).kind, CellKind::Button);

    GridEditResult r = rules.Edit(0, E::kEquation, "S0*2.5");
    EXPECT_TRUE(r.accepted);
    EXPECT_TRUE(r.reshaped);
    EXPECT_EQ(r.moveToRow, 1); // on to the row for a new equation
    r = rules.Edit(1, E::kEquation, "I1+1,F2");
    EXPECT_EQ(cfg.Equations, (Names{"S0*2.5", "I1+1,F2"}));
    EXPECT_EQ(rules.RowCount(), 3);
    EXPECT_EQ(r.moveToRow, 2);

    rules.Edit(0, E::kEquation, "S1");
    EXPECT_EQ(cfg.Equations, (Names{"S1", "I1+1,F2"}));
    rules.Edit(0, E::kEquation, ""); // emptied: deleted
    EXPECT_EQ(cfg.Equations, (Names{"I1+1,F2"}));
    EXPECT_TRUE(rules.Edit(1, E::kEquation, "").accepted); // nothing typed on the new row
    EXPECT_EQ(cfg.Equations.size(), 1u);

    const GridEditResult bad = rules.Edit(0, E::kEquation, "S1\nS2");
    EXPECT_FALSE(bad.accepted);
    EXPECT_EQ(bad.message, texts::kBadEquation);
    EXPECT_EQ(cfg.Equations, (Names{"I1+1,F2"}));
}

TEST(EquationGridRules, EditorResults) {
    XmtrConfig cfg;
    cfg.Equations = {"S0", "S1"};
    EquationGridRules rules(cfg);
    EXPECT_EQ(rules.EditorStartText(1, "ignored"), "S1");
    EXPECT_EQ(rules.EditorStartText(2, "typed"), "typed");

    rules.EditorClosed(0, true, "S0+S1", "S0");
    EXPECT_EQ(cfg.Equations, (Names{"S0+S1", "S1"}));
    rules.EditorClosed(1, false, "", "S1"); // Cancel keeps it
    EXPECT_EQ(cfg.Equations, (Names{"S0+S1", "S1"}));
    rules.EditorClosed(2, false, "", "I0"); // a text typed on the new row stays
    EXPECT_EQ(cfg.Equations, (Names{"S0+S1", "S1", "I0"}));
    rules.EditorClosed(1, true, "", "S1"); // OK with nothing deletes
    EXPECT_EQ(cfg.Equations, (Names{"S0+S1", "I0"}));
    rules.SetReadOnly(true);
    EXPECT_FALSE(rules.EditorClosed(0, true, "", "S0+S1").accepted);
    EXPECT_EQ(cfg.Equations.size(), 2u);
}

} // namespace

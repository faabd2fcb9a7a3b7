#include "editor/InternSensGridRules.h"
#include "SensorRulesFixture.h"
#include "editor/SensorGridTexts.h"

#include <gtest/gtest.h>

using namespace tavin;
using tavin::test::ExpectCells;
using tavin::test::SensorRulesFixture;
using C = InternSensGridRules::Column;

namespace {

struct Intern : SensorRulesFixture {
    explicit Intern(int code = 153) : SensorRulesFixture(code) {}
    InternSensGridRules rules{cfg, utility};
    std::vector<std::string> Types() const {
        std::vector<std::string> out;
        for (const TInternSensor& r : cfg.Internal) {
            out.push_back(r.Type);
        }
        out.resize(6);
        return out;
    }
};

using Names = std::vector<std::string>;

TEST(InternSensGridRules, TypeListFollowsTheFirmware) {
    struct Case {
        int code;
        int rows;
        Names entries;
    };
    const Case cases[] = {
        {111, 5, {"None", "Temp", "Count", "Value"}},
        {115, 5, {"None", "Temp", "Count", "Value", "Battery"}},
        {130, 64, {"None", "Temp", "Count", "Value", "Battery", "Clock", "EQN0", "EQN1"}},
    };
    for (const Case& c : cases) {
        Intern f(c.code);
        f.cfg.Equations = {"S0*2", "I1+1"};
        EXPECT_EQ(f.rules.TypeEntries(), c.entries) << c.code;
        EXPECT_EQ(f.rules.RowCount(), c.rows) << c.code;
        EXPECT_EQ(f.rules.Cell(0, C::kType).entries, c.entries) << c.code;
    }
}

TEST(InternSensGridRules, TypeNames) {
    const std::pair<const char*, const char*> cases[] = {
        {"C", "None"},   {"", "None"},      {"TM", "Temp"},   {"TC", "Count"},
        {"TV", "Value"}, {"BV", "Battery"}, {"CL", "Clock"},  {"E3", "EQN3"},
        {"1", "Temp"},   {"2", "Count"},    {"4", "Battery"}, {"5", "Clock"},
    };
    for (const auto& [code, name] : cases) {
        EXPECT_EQ(InternTypeName(code), name) << code;
    }
}

TEST(InternSensGridRules, ChoosingATypeStoresItsCode) {
    struct Case {
        int code;
        const char* chosen;
        const char* type;
    };
    const Case cases[] = {
        {130, "Temp", "TM"}, {130, "Battery", "BV"}, {130, "Clock", "CL"},
        {130, "EQN1", "E1"}, {111, "Count", "2"},    {115, "Value", "TV"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chosen);
        Intern f(c.code);
        f.cfg.Equations = {"S0*2", "I1+1"};
        EXPECT_TRUE(f.rules.Edit(1, C::kType, c.chosen).accepted);
        EXPECT_EQ(f.cfg.Internal[1].Type, c.type);
        EXPECT_EQ(f.rules.Cell(1, C::kType).text, c.chosen);
    }
    Intern f(111);
    EXPECT_FALSE(f.rules.Edit(1, C::kType, "Battery").accepted); // not offered
    EXPECT_EQ(f.cfg.Internal[1].Type, "C");
}

TEST(InternSensGridRules, NoneGivesTheDefaultLabelOfItsPlace) {
    Intern f;
    for (int row : {9, 10}) {
        f.Internal(row, "TM", "HOT");
        EXPECT_TRUE(f.rules.Edit(row, C::kType, "None").accepted);
        EXPECT_EQ(f.cfg.Internal[row].Type, "C");
    }
    EXPECT_EQ(f.cfg.Internal[9].Label, "INT9");
    EXPECT_EQ(f.cfg.Internal[10].Label, "IN10");
}

TEST(InternSensGridRules, RowCells) {
    Intern f(153);
    f.Internal(0, "TM");
    f.cfg.Internal[0].LogRate = -1;
    f.Internal(1, "TC");
    f.cfg.Internal[1].Delta = true;
    f.Internal(2, "CL");
    f.cfg.Internal[2].TimeFormat = "H:M:S";
    ExpectCells(f.rules, {
                             {0, C::kInterval, CellKind::Time, true, false, "01:00:00"},
                             {0, C::kDelta, CellKind::Check, true, false, ""},
                             {0, C::kLogRate, CellKind::Text, true, false,
                              ""}, // a negative rate shows empty
                             {0, C::kTrig, CellKind::List, true, false, "None"},
                             {1, C::kLogRate, CellKind::Text, false, true, ""},
                             {1, C::kTrig, CellKind::Text, false, true, ""},
                             {2, C::kDelta, CellKind::Text, false, true, ""},
                             {2, C::kLogRate, CellKind::Text, false, true, ""},
                             {2, C::kTrig, CellKind::List, true, false, "H:M:S"},
                             // A free row has nothing to time or log.
                             {3, C::kType, CellKind::List, true, false, "None"},
                             {3, C::kInterval, CellKind::Text, false, false, ""},
                             {3, C::kDelta, CellKind::Text, false, false, ""},
                             {3, C::kLabel, CellKind::Text, true, false, "INT3"},
                         });
    EXPECT_EQ(f.rules.Cell(2, C::kTrig).entries.size(), 33u);
    EXPECT_EQ(f.rules.Cell(2, C::kTrig).entries.front(), "S");
    EXPECT_EQ(f.rules.Cell(0, C::kTrig).entries, (Names{"None", "High", "Low", "H/L"}));
}

TEST(InternSensGridRules, ClockRowTakesAFormat) {
    Intern f(132);
    EXPECT_TRUE(f.rules.Edit(0, C::kType, "Clock").accepted);
    EXPECT_EQ(f.cfg.Internal[0].TimeFormat, "S"); // something to send from the start
    EXPECT_TRUE(f.rules.Edit(0, C::kTrig, "J:H:M:S").accepted);
    EXPECT_EQ(f.cfg.Internal[0].TimeFormat, "J:H:M:S");
    EXPECT_FALSE(f.rules.Edit(0, C::kTrig, "High").accepted);
    EXPECT_EQ(f.cfg.Internal[0].TimeFormat, "J:H:M:S");
    EXPECT_EQ(f.cfg.Internal[0].Trig, 0);

    // Before the clock formats the format cannot be chosen.
    Intern g(130);
    g.Internal(0, "CL");
    EXPECT_FALSE(g.rules.Cell(0, C::kTrig).editable);
}

TEST(InternSensGridRules, LabelTimeAndRateEdits) {
    struct Case {
        int col;
        std::string typed;
        bool accepted;
        const char* message;
    };
    const Case cases[] = {
        {C::kLabel, "X", true, ""},                    // too short: default label
        {C::kLabel, "ABCDEFG", true, ""},              // cut to four
        {C::kLabel, "AB\tC", false, texts::kBadLabel}, // not a label
        {C::kInterval, "24:00:00", true, ""},
        {C::kInterval, "24:00:01", false, texts::kInvalidTime},
        {C::kOffset, "99:99:99", false, texts::kInvalidTime},
        {C::kOffset, "", false, texts::kInvalidTime},
        {C::kLogRate, "12", true, ""},
        {C::kLogRate, "", true, ""}, // empty: the rate of a new row
        {C::kLogRate, "-", false, ""},
        {C::kLogRate, "1e3", false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        Intern f;
        f.Internal(4, "TV", "LVL");
        f.cfg.Internal[4].LogRate = 7;
        const TInternSensor before = f.cfg.Internal[4];
        const GridEditResult r = f.rules.Edit(4, c.col, c.typed);
        EXPECT_EQ(r.accepted, c.accepted);
        EXPECT_EQ(r.message, c.message);
        if (!c.accepted) {
            EXPECT_EQ(f.cfg.Internal[4], before);
        }
    }
    Intern f;
    f.Internal(4, "TV");
    f.rules.Edit(4, C::kLabel, "X");
    EXPECT_EQ(f.cfg.Internal[4].Label, "INT4");
    f.rules.Edit(4, C::kLabel, "ABCDEFG");
    EXPECT_EQ(f.cfg.Internal[4].Label, "ABCD");
    f.rules.Edit(4, C::kLogRate, "");
    EXPECT_EQ(f.cfg.Internal[4].LogRate, 1);
}

TEST(InternSensGridRules, CleanUpClosesTheGapsKeepingOrderAndLabels) {
    Intern f;
    f.Internal(0, "TM", "AIR");
    f.Internal(2, "TC", "RAIN");
    f.Internal(4, "TV", "LVL");
    f.cfg.Internal[3].Label = "INT3";
    EXPECT_TRUE(f.rules.CleanUp().accepted);
    EXPECT_EQ(f.Types(), (Names{"TM", "TC", "TV", "C", "C", "C"}));
    EXPECT_EQ(f.cfg.Internal[1].Label, "RAIN");
    EXPECT_EQ(f.cfg.Internal[2].Label, "LVL");
    EXPECT_EQ(f.cfg.Internal[3].Label, "INT3");
    EXPECT_EQ(f.cfg.Internal[4].Label, "INT4");
    EXPECT_EQ(f.cfg.DefinedInternSensCount(), 5);
}

TEST(InternSensGridRules, Insert) {
    Intern f;
    f.Internal(0, "TM", "AIR");
    f.Internal(1, "TC", "RAIN");
    EXPECT_TRUE(f.rules.Insert(1).accepted); // a copy of the row above
    EXPECT_EQ(f.Types(), (Names{"TM", "TM", "TC", "C", "C", "C"}));
    EXPECT_EQ(f.cfg.Internal[2].Label, "RAIN");
    EXPECT_TRUE(f.rules.Insert(0).accepted); // a free row on top
    EXPECT_EQ(f.Types(), (Names{"C", "TM", "TM", "TC", "C", "C"}));
    EXPECT_EQ(f.cfg.Internal[0].Label, "INT0");

    const XmtrConfig before = f.cfg;
    EXPECT_FALSE(f.rules.Insert(5).accepted); // below the first free row
    EXPECT_EQ(f.cfg, before);
}

TEST(InternSensGridRules, InsertIntoAFullTableIsRefused) {
    Intern f(115); // 5 rows
    for (int i = 0; i < 5; ++i) {
        f.Internal(i, "TM");
    }
    const XmtrConfig before = f.cfg;
    const GridEditResult r = f.rules.Insert(2);
    EXPECT_FALSE(r.accepted);
    EXPECT_EQ(r.message, texts::kInternTableFull);
    EXPECT_EQ(f.cfg, before);
}

} // namespace

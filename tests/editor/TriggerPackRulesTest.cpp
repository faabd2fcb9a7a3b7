// The random trigger grid and the ARGOS/SCD data pack grid.

#include "editor/DataPackGridRules.h"
#include "editor/RandomTriggerGridRules.h"

#include "BufferGridFixture.h"

#include <gmock/gmock.h>

using namespace tavin;

namespace {

class TriggerGrid : public test::BufferGridFixture {
protected:
    TriggerGrid() {
        cfg.RandomTx.DataSource = 1;
        cfg.SDI12[2].Address = "2";
        cfg.SDI12[2].Label = "STG";
        cfg.Internal[0].Type = "BV";
    }
    static TRandomTrigger Trig(char type, char kind = '\0', int index = 0, double limit = 0) {
        TRandomTrigger t;
        t.TriggerType = type;
        t.SensorType = kind;
        t.SensorIndex = static_cast<std::uint8_t>(index);
        t.Limit = limit;
        return t;
    }
    std::string Types() const {
        std::string s;
        for (int i = 0; i < rules.RowCount(); ++i) {
            const char t = cfg.RandomTriggers[static_cast<std::size_t>(i)].TriggerType;
            s += t == '\0' ? 'C' : t;
        }
        return s;
    }
    RandomTriggerGridRules rules{cfg, ctx};
};

TEST_F(TriggerGrid, CellsAndLists) {
    cfg.RandomTriggers[0] = Trig('H', 'S', 2, 25.5);
    cfg.RandomTriggers[1] = Trig('I', '\0', 0, 3600);
    EXPECT_EQ(rules.RowCount(), 15);
    EXPECT_EQ(rules.Cell(0, kRtCode).text, "00");
    EXPECT_EQ(rules.Cell(0, kRtType).text, "High");
    EXPECT_EQ(rules.Cell(0, kRtSensor).text, "STG");
    EXPECT_EQ(rules.Cell(0, kRtLimit).text, "25.5");
    EXPECT_TRUE(rules.Cell(1, kRtSensor).greyed);
    EXPECT_FALSE(rules.Cell(1, kRtSensor).editable);
    EXPECT_EQ(rules.Cell(2, kRtType).text, "None");
    EXPECT_TRUE(rules.Cell(2, kRtSensor).greyed);

    auto list = rules.SensorList(0);
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].Label, "");
    EXPECT_EQ(list[1].Kind, "SDI-12 : 2");
    EXPECT_EQ(list[2].Kind, "Internal : 0");
    EXPECT_EQ(rules.SensorList(1).size(), 1u) << "an interval watches no sensor";
    cfg.RandomTx.DataSource = 0;
    EXPECT_EQ(rules.SensorList(0).size(), 1u);
    Extended(true);
    EXPECT_EQ(rules.RowCount(), 30);
}

TEST_F(TriggerGrid, ChoicesAndEdits) {
    ASSERT_TRUE(rules.Edit(0, kRtType, "High").accepted);
    ASSERT_TRUE(rules.Edit(0, kRtSensor, "INT0").accepted);
    ASSERT_TRUE(rules.Edit(0, kRtLimit, "12.5").accepted);
    EXPECT_EQ(cfg.RandomTriggers[0], Trig('H', 'I', 0, 12.5));
    EXPECT_FALSE(rules.Edit(0, kRtLimit, "1..2").accepted);
    ASSERT_TRUE(rules.Edit(0, kRtType, "Interval").accepted);
    EXPECT_EQ(cfg.RandomTriggers[0], Trig('I', '\0', 0, 12.5)) << "interval: no sensor";
    ASSERT_TRUE(rules.Edit(0, kRtType, "None").accepted);
    EXPECT_EQ(cfg.RandomTriggers[0], Trig('C'));
    // Typed texts: a first letter "n" means none, any other is the type.
    ASSERT_TRUE(rules.Edit(1, kRtType, "rise").accepted);
    EXPECT_EQ(cfg.RandomTriggers[1].TriggerType, 'R');
    ASSERT_TRUE(rules.Edit(1, kRtType, "nothing").accepted);
    EXPECT_EQ(cfg.RandomTriggers[1].TriggerType, 'C');
}

TEST_F(TriggerGrid, InsertCleanUpAndRemovalOnListClose) {
    cfg.RandomTriggers[0] = Trig('H', 'S', 2, 1);
    cfg.RandomTriggers[1] = Trig('L', 'I', 0, 2);
    rules.Insert(1);
    EXPECT_EQ(cfg.RandomTriggers[1], InsertedTrigger());
    EXPECT_EQ(Types(), "HCLCCCCCCCCCCCC");
    // A list closing on a record above removes the unfilled insert.
    rules.EndEdit(0, kRtType);
    EXPECT_EQ(Types(), "HLCCCCCCCCCCCCC");

    // An insert given a type is filled in and stays.
    rules.Insert(1);
    ASSERT_TRUE(rules.Edit(1, kRtType, "Delta").accepted);
    rules.EndEdit(1, kRtType);
    EXPECT_EQ(Types(), "HDLCCCCCCCCCCCC");

    // Clean Up closes every gap, keeping the order.
    cfg.RandomTriggers[1] = Trig('C');
    cfg.RandomTriggers[5] = Trig('A', 'S', 2, 3);
    rules.Insert(3);
    cfg.RandomTriggers[14] = Trig('I', '\0', 0, 60); // the last row shown
    rules.CleanUp();
    EXPECT_EQ(Types(), "HLAICCCCCCCCCCC");
    EXPECT_EQ(cfg.RandomTriggers[3].Limit, 60);

    // Insert drops the last record shown.
    for (int i = 0; i < 15; ++i) {
        cfg.RandomTriggers[static_cast<std::size_t>(i)] = Trig('I', '\0', 0, i);
    }
    cfg.RandomTriggers[15] = Trig('I', '\0', 0, 99); // beyond the rows shown: untouched
    rules.Insert(0);
    EXPECT_EQ(cfg.RandomTriggers[14].Limit, 13);
    EXPECT_EQ(cfg.RandomTriggers[15].Limit, 99);
}

class DataPack : public test::BufferGridFixture {
protected:
    DataPackGridRules rules{cfg};
    auto& Pack() { return cfg.RandomTx.ArgosDataPack; }
};

TEST_F(DataPack, CellsEditsAndEntryPlaces) {
    EXPECT_EQ(DataPackGridRules::EntryAt(1, 2), 9) << "entry 9: row 2, column 3 counted from 1";
    EXPECT_EQ(DataPackGridRules::EntryAt(0, 0), -1);
    EXPECT_EQ(DataPackGridRules::EntryAt(5, 8), 47);
    EXPECT_EQ(rules.Header(0), "");
    EXPECT_EQ(rules.Header(1), "1");
    EXPECT_EQ(rules.Cell(3, 0).text, "24");
    EXPECT_FALSE(rules.Cell(3, 0).editable);

    ASSERT_TRUE(rules.Edit(1, 2, "12").accepted);
    EXPECT_EQ(Pack()[9], 12);
    EXPECT_EQ(rules.Cell(1, 2).text, "12");
    EXPECT_EQ(rules.Cell(1, 3).text, "") << "empty entries show empty";
    ASSERT_TRUE(rules.Edit(1, 2, "x").accepted);
    EXPECT_EQ(Pack()[9], 0);
    EXPECT_FALSE(rules.Edit(1, 2, "256").accepted);
}

TEST_F(DataPack, InsertAndCleanUp) {
    for (int i = 0; i < kArgosDataPackSize; ++i) {
        Pack()[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i + 1);
    }
    cfg.RandomTx.DataSource = 1;
    EXPECT_FALSE(rules.Insert(0, 3).accepted) << "sensor data: the pack comes from the sensors";
    cfg.RandomTx.DataSource = 0;
    ASSERT_TRUE(rules.Insert(0, 3).accepted);
    EXPECT_EQ(Pack()[1], 2);
    EXPECT_EQ(Pack()[2], 0);
    EXPECT_EQ(Pack()[3], 3);
    EXPECT_EQ(Pack()[47], 47) << "entry 47 was dropped";
    rules.CleanUp();
    EXPECT_EQ(Pack()[2], 3);
    EXPECT_EQ(Pack()[46], 47);
    EXPECT_EQ(Pack()[47], 0);
}

} // namespace

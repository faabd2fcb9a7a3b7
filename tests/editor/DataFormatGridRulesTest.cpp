#include "editor/DataFormatGridRules.h"
#include "protocol/HeaderFieldWidth.h"

#include "BufferGridFixture.h"

#include <gmock/gmock.h>

using namespace tavin;
using testing::ElementsAre;

namespace {

class DataFormatGrid : public test::BufferGridFixture {
protected:
    DataFormatGridRules timed{cfg, ctx, kTimedBuffer};
    DataFormatGridRules random{cfg, ctx, kRandomBuffer};

    std::vector<std::string> Names(const DataFormatGridRules& rules) {
        std::vector<std::string> names;
        for (const auto& e : rules.TypeList()) {
            names.push_back(e.Name);
        }
        return names;
    }
    void Choose(DataFormatGridRules& rules, int row, const std::string& entry) {
        ASSERT_TRUE(rules.Edit(row, kDfType, entry).accepted) << entry;
    }
};

TEST_F(DataFormatGrid, RowsShownFollowExtendedTables) {
    EXPECT_EQ(timed.RowCount(), 20);
    EXPECT_EQ(random.RowCount(), 20);
    Extended(true);
    EXPECT_EQ(timed.RowCount(), 100);
    EXPECT_EQ(random.RowCount(), 40);
}

TEST_F(DataFormatGrid, CellsByRowType) {
    cfg.General.PlatformIdString = "STN1";
    cfg.SDI12[2].Label = "RAIN";
    cfg.TimedData[0] = Row('H', 0, 1, 0, "L");
    cfg.TimedData[1] = Row('T');
    cfg.TimedData[1].Text = "AB";
    cfg.TimedData[2] = Row('S', 2, 3, 5, "S");
    cfg.TimedData[3] = Row('I', 7, 1, 4);
    struct Case {
        int row, column;
        const char* text;
        bool editable, greyed;
    } cases[] = {
        {0, kDfType, "Platform ID", true, false}, {0, kDfValueCount, "1", false, true},
        {0, kDfFieldWidth, "4", false, true},     {0, kDfFlags, "L", true, false},
        {0, kDfSlope, "", false, true},           {1, kDfType, "Text", true, false},
        {1, kDfValueCount, "AB", true, false},    {1, kDfFieldWidth, "", false, true},
        {1, kDfOffset, "", false, true},          {2, kDfType, "RAIN", true, false},
        {2, kDfValueCount, "3", true, false},     {2, kDfFieldWidth, "5", true, false},
        {2, kDfSlope, "0", true, false},          {3, kDfType, "INT7", true, false},
        {4, kDfType, "None", true, false},        {4, kDfValueCount, "", true, false},
        {4, kDfFieldWidth, "", true, false},      {4, kDfFlags, "", true, false},
    };
    for (const Case& c : cases) {
        const CellView v = timed.Cell(c.row, c.column);
        EXPECT_EQ(v.text, c.text) << c.row << "," << c.column;
        EXPECT_EQ(v.editable, c.editable) << c.row << "," << c.column;
        EXPECT_EQ(v.greyed, c.greyed) << c.row << "," << c.column;
    }
    EXPECT_EQ(timed.Cell(0, kDfType).kind, CellKind::List);
    EXPECT_EQ(timed.Cell(0, kDfFlags).kind, CellKind::Button);
}

TEST_F(DataFormatGrid, ValueCountLettersAndWidthByFormat) {
    cfg.TimedData[0] = Row('S', 0, 1, 5);
    ASSERT_TRUE(timed.Edit(0, kDfValueCount, "2NG").accepted);
    EXPECT_EQ(cfg.TimedData[0].ValueCount, 2);
    EXPECT_EQ(cfg.TimedData[0].StatFlags, kStatMin | kStatAvg);
    EXPECT_EQ(timed.Cell(0, kDfValueCount).text, "2"); // letters only with extended tables
    Extended(true);
    EXPECT_EQ(timed.Cell(0, kDfValueCount).text, "2NG");
    // Letters not typed are cleared; a rest that is not a number keeps the count.
    ASSERT_TRUE(timed.Edit(0, kDfValueCount, "X").accepted);
    EXPECT_EQ(cfg.TimedData[0].ValueCount, 2);
    EXPECT_EQ(cfg.TimedData[0].StatFlags, kStatMax);
    timed.Edit(0, kDfValueCount, "300");
    EXPECT_EQ(cfg.TimedData[0].ValueCount, 2) << "a count is one byte";

    struct Case {
        int format;
        const char* text;
        bool accepted;
        int width;
    } widths[] = {
        {0, "-2", false, 5}, {1, "-2", true, -2},  {2, "-2", true, -2}, {0, "12", true, 12},
        {1, "--", false, 5}, {1, "1-2", false, 5}, {0, "", false, 5},   {0, "a", false, 5},
    };
    for (const Case& c : widths) {
        cfg.TimedData[0].FieldWidth = 5;
        cfg.TimedTx.DataFormat = static_cast<std::uint8_t>(c.format);
        EXPECT_EQ(timed.Edit(0, kDfFieldWidth, c.text).accepted, c.accepted) << c.text;
        EXPECT_EQ(cfg.TimedData[0].FieldWidth, c.width) << c.format << " " << c.text;
    }
}

TEST_F(DataFormatGrid, FlagsUpperCaseAndScalingRules) {
    cfg.TimedData[0] = Row('S', 0, 1, 5);
    timed.Edit(0, kDfFlags, "lbz");
    EXPECT_EQ(cfg.TimedData[0].Flags, "LBZ");
    struct Case {
        const char* text;
        bool accepted;
        double slope;
    } cases[] = {{"1.5", true, 1.5},     {"-.25", true, -0.25}, {"+-.", false, -0.25},
                 {"1..2", false, -0.25}, {"1e3", false, -0.25}, {"", false, -0.25}};
    for (const Case& c : cases) {
        EXPECT_EQ(timed.Edit(0, kDfSlope, c.text).accepted, c.accepted) << c.text;
        EXPECT_DOUBLE_EQ(cfg.TimedData[0].Slope, c.slope) << c.text;
    }
    cfg.TimedTx.DataFormat = 0;
    EXPECT_FALSE(timed.ScalingShown());
    cfg.TimedTx.DataFormat = 1;
    EXPECT_TRUE(timed.ScalingShown());
}

TEST_F(DataFormatGrid, HeaderChoiceSetsScalingAndKeepsFlags) {
    cfg.TimedData[0] = Row('H', 3, 1, 3, "Z");
    Choose(timed, 0, "Tx Batt Volts");
    EXPECT_EQ(cfg.TimedData[0].Flags, "Z");
    EXPECT_EQ(cfg.TimedData[0].SourceIndex, 4);
    EXPECT_EQ(timed.Cell(0, kDfSlope).text, "10");
    EXPECT_EQ(timed.Cell(0, kDfOffset).text, "-9");
    EXPECT_TRUE(timed.Cell(0, kDfSlope).greyed);
    EXPECT_EQ(cfg.TimedData[0].FieldWidth, 5);
    Choose(timed, 0, "Tx Temp");
    EXPECT_EQ(timed.Cell(0, kDfSlope).text, "10");
    EXPECT_EQ(timed.Cell(0, kDfOffset).text, "0");
    Choose(timed, 0, "Platform ID");
    EXPECT_EQ(timed.Cell(0, kDfSlope).text, "");
    EXPECT_EQ(timed.Cell(0, kDfOffset).text, "");
    // "Tx Rev Pwr" in the list is "Tx Ref Pwr" in the grid.
    Choose(timed, 0, "Tx Rev Pwr");
    EXPECT_EQ(timed.Cell(0, kDfType).text, "Tx Ref Pwr");
    // Header widths follow the buffer's format when the grid is refreshed.
    cfg.TimedTx.DataFormat = 2;
    timed.NormalizeHeaderRows();
    EXPECT_EQ(cfg.TimedData[0].FieldWidth, -2);
}

TEST_F(DataFormatGrid, TextAndSensorChoices) {
    cfg.TimedData[0] = Row('S', 1, 2, 6, "L");
    cfg.RandomData[0] = cfg.TimedData[0];
    Choose(timed, 0, "Text");
    EXPECT_EQ(cfg.TimedData[0].SourceType, 'T');
    EXPECT_EQ(cfg.TimedData[0].Text, "2"); // the Value Count cell's text
    EXPECT_EQ(cfg.TimedData[0].Flags, "L");
    cfg.RandomTx.DataSource = 1;
    Choose(random, 0, "Text");
    EXPECT_EQ(cfg.RandomData[0].Flags, "") << "the random grid empties the flags";

    cfg.TimedTx.DataSource = 1;
    cfg.SDI12[3].Address = "3";
    cfg.TimedData[1] = Row('C');
    Choose(timed, 1, "SDI3");
    EXPECT_EQ(cfg.TimedData[1].SourceType, 'S');
    EXPECT_EQ(cfg.TimedData[1].SourceIndex, 3);
    EXPECT_EQ(cfg.TimedData[1].ValueCount, 1);
    EXPECT_EQ(cfg.TimedData[1].FieldWidth, 1);
    Choose(timed, 1, "None");
    EXPECT_EQ(cfg.TimedData[1], TDataFormatRow{});
    EXPECT_FALSE(timed.Edit(1, kDfType, "Nonsense").accepted);
}

TEST_F(DataFormatGrid, TypeListByDataSource) {
    const std::vector<std::string> fixed = {
        "None",       "Platform ID", "Pseudo-Bin 1", "Pseudo-Bin 2", "Seq Num",   "Tx Batt Volts",
        "Tx Fwd Pwr", "Tx Rev Pwr",  "Tx Temp",      "Latitude",     "Longitude", "Text"};
    EXPECT_EQ(Names(timed), fixed);
    EXPECT_EQ(Names(random), fixed);

    cfg.SDI12[0].Address = "0";
    cfg.SDI12[0].Label = "WIND";
    cfg.SDI12[12].Address = "C"; // beyond the ten rows without extended tables
    cfg.Internal[1].Type = "BV";
    cfg.RandomTx.DataSource = 1;
    auto list = random.TypeList();
    ASSERT_EQ(list.size(), fixed.size() + 3);
    EXPECT_EQ(list[11].Name, "Trigger Code");
    EXPECT_EQ(list[12].Name, "Text");
    EXPECT_EQ(list[13], (DataFormatTypeEntry{"WIND", "SDI-12 : 0", 'S', 0}));
    EXPECT_EQ(list[14], (DataFormatTypeEntry{"INT1", "Internal : 1", 'I', 1}));

    Extended(true);
    EXPECT_EQ(random.TypeList().size(), fixed.size() + 4);
    ini.InternalTabVisible = false;
    ini.SDI12Visible = false;
    EXPECT_EQ(random.TypeList().size(), fixed.size() + 1);
    cfg.TimedTx.DataSource = 1;
    EXPECT_EQ(Names(timed), fixed) << "no trigger code in the timed list";
}

TEST_F(DataFormatGrid, CleanUpKeepsOrder) {
    cfg.TimedData[0] = Row('S', 0, 1, 1);
    cfg.TimedData[2] = Row('H', 3, 1, 3);
    cfg.TimedData[4] = Row('T');
    cfg.TimedData[99] = Row('I', 2, 1, 1); // beyond the rows shown
    timed.CleanUp();
    std::string types;
    for (int i = 0; i < 6; ++i) {
        types += cfg.TimedData[static_cast<std::size_t>(i)].SourceType;
    }
    EXPECT_EQ(types, "SHTICC");
    EXPECT_TRUE(cfg.TimedData[99].IsFree());
}

TEST_F(DataFormatGrid, InsertMovesRowsDownAndDropsTheLast) {
    for (int i = 0; i < kTimedDataRows; ++i) {
        cfg.TimedData[static_cast<std::size_t>(i)] = Row('S', i % 10, 1, i + 1);
    }
    const GridEditResult r = timed.Insert(0);
    ASSERT_TRUE(r.accepted);
    EXPECT_EQ(r.firstRow, 0);
    EXPECT_EQ(r.lastRow, 19);
    EXPECT_TRUE(cfg.TimedData[0].IsFree());
    EXPECT_EQ(cfg.TimedData[1].FieldWidth, 1);
    EXPECT_EQ(cfg.TimedData[99].FieldWidth, 99) << "row 100 was dropped";
    EXPECT_FALSE(timed.Insert(100).accepted) << "outside the table";

    // The random table works within its 20 rows without extended tables.
    cfg.RandomData[19] = Row('T');
    cfg.RandomData[20] = Row('T');
    random.Insert(0);
    EXPECT_TRUE(cfg.RandomData[20].SourceType == 'T');
    EXPECT_TRUE(cfg.RandomData[21].IsFree());
}

TEST_F(DataFormatGrid, FlagsInputForTheDialog) {
    cfg.RandomTx.DataFormat = 2;
    cfg.RandomData[3] = Row('H', 5, 1, -2, "lx");
    const DataFormatFlagsInput in = random.FlagsInput(3);
    EXPECT_EQ(in.Flags, "LX");
    EXPECT_EQ(in.DataFormat, 2);
    EXPECT_EQ(in.RowType, 'H');
    EXPECT_EQ(in.ItemIndex, 5);
}

TEST_F(DataFormatGrid, ReadOnlyGridRefusesEdits) {
    timed.SetReadOnly(true);
    EXPECT_FALSE(timed.Edit(0, kDfType, "Text").accepted);
    EXPECT_FALSE(timed.Cell(0, kDfType).editable);
    EXPECT_FALSE(timed.CleanUp().accepted);
}

} // namespace

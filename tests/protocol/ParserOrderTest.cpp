#include "FormatTestSupport.h"

#include "protocol/ArgosDataPack.h"
#include "protocol/DataFormatConfig.h"
#include "protocol/EquationConfig.h"
#include "protocol/GeneralSettings.h"
#include "protocol/InternSensConfig.h"
#include "protocol/MinMaxAvgConfig.h"
#include "protocol/ParserOrder.h"
#include "protocol/RandomTriggerConfig.h"
#include "protocol/SDI12Config.h"
#include "protocol/TimeDataInfo.h"
#include "protocol/TxSetup.h"

#include <gtest/gtest.h>

#include <vector>

using namespace tavin;
using tavin::test::Dump;
using tavin::test::Harness;

TEST(ParserOrder, DispatcherOrder) {
    const std::vector<ConfigParser> expected = {ParseTxSetupFields,
                                                ParseTxTimeSyncOscCalFields,
                                                ParseGeneralTxConfiguration,
                                                ParseSDI12Configuration,
                                                ParseInternalSensorConfiguration,
                                                ParseMinMaxAvgStr,
                                                ParseEquationCmd,
                                                ParseTimedDataFormat,
                                                ParseRandomDataFormat,
                                                ParseRandomTriggers,
                                                ParesARGOSParameters,
                                                ParseTimeDataInfo};
    const auto list = DispatchParsers();
    EXPECT_EQ(std::vector<ConfigParser>(list.begin(), list.end()), expected);
}

TEST(ParserOrder, FileLoadOrderLeavesOutTheClock) {
    const std::vector<ConfigParser> expected = {
        ParseTxSetupFields,          ParseTimedDataFormat,        ParseRandomDataFormat,
        ParseSDI12Configuration,     ParseMinMaxAvgStr,           ParseEquationCmd,
        ParseTxTimeSyncOscCalFields, ParseGeneralTxConfiguration, ParseInternalSensorConfiguration,
        ParseRandomTriggers,         ParesARGOSParameters};
    const auto list = FileLoadParsers();
    EXPECT_EQ(std::vector<ConfigParser>(list.begin(), list.end()), expected);
}

// Everything these areas build, offered line by line to either list, makes
// the same tables again: each line is read by its own parser and by no other.
TEST(ParserOrder, BuiltLinesReadBackThroughEitherList) {
    Harness sent(153);
    XmtrConfig& c = sent.cfg;
    c.RandomEnabled = true;
    c.RandomTx.DataSource = 1;
    c.RandomTx.DataFormat = 2;
    c.General.PlatformIdString = "P1";
    c.Internal[0].Type = "TM";
    c.Internal[0].Interval = "00:15:00";
    c.Internal[0].LogRate = 2;
    c.Internal[0].Trig = kTrigHigh;
    c.Internal[1].Type = "E0";
    c.Internal[1].Label = "Calc";
    c.TippingBucket = {100, 9, "Monthly", 0, 0};
    c.MinMaxAvg[0] = {'I', 0, "01:00:00", "00:00:00", true, false, true, false};
    c.Equations = {"I0*1.8+32", "fmod(S1,2)"};
    c.TimedData[0].SourceType = 'H';
    c.TimedData[0].ValueCount = 1;
    c.TimedData[0].FieldWidth = 2; // the platform id string "P1"
    c.TimedData[1].SourceType = 'T';
    c.TimedData[1].Text = "ISX=0,C";
    c.TimedData[2].SourceType = 'I';
    c.TimedData[2].ValueCount = 2;
    c.TimedData[2].FieldWidth = 6;
    c.TimedData[2].Flags = "LN";
    c.RandomData[0].SourceType = 'T';
    c.RandomData[0].Text = "TDP=0,0";
    c.RandomData[1].SourceType = 'S';
    c.RandomData[1].SourceIndex = 3;
    c.RandomData[1].ValueCount = 1;
    c.RandomData[1].FieldWidth = -2;
    c.RandomData[1].Slope = 0.5;
    c.RandomTriggers[0] = {'I', 0, 'H', 12.5};
    c.RandomTriggers[1] = {'\0', 0, 'I', 600};

    CommandList out;
    ConfigInternSens(c, sent.ctx, out);
    ConfigMinMaxAvg(c, sent.ctx, out);
    ConfigEquations(c, sent.ctx, out);
    ConfigTimedDataParam(c, sent.ctx, out);
    ConfigRandomDataParam(c, sent.ctx, out);
    ConfigRandomTriggers(c, sent.ctx, out);

    for (const auto list : {DispatchParsers(), FileLoadParsers()}) {
        Harness read(153);
        read.cfg.RandomTx.DataFormat = 2;
        read.cfg.General.PlatformIdString = "P1";
        for (const auto& line : out.Lines) {
            OfferLine(list, line, read.cfg, read.ctx);
        }
        EXPECT_EQ(Dump(read.cfg), Dump(c));
    }
}

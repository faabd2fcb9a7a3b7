#include "protocol/StatusReplies.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace tavin;

namespace {

const std::string kDots(35, '.');
const std::string kLongLine(5000, 'S');

// Runs the lines through one table's parser and returns the grid.
TSampleGrid Feed(bool sdi12, const std::vector<std::string>& lines) {
    TAVINStatusView view;
    for (const auto& line : lines) {
        if (sdi12) {
            ParseSDI12Sample(line, view);
        } else {
            ParseInternSensSample(line, view);
        }
    }
    return sdi12 ? view.SDI12Samples : view.InternSamples;
}

} // namespace

TEST(SampleReplies, NextSampleFollowsTheSampleFlag) {
    struct Case {
        bool sdi12;
        std::vector<std::string> lines;
        int row;
        const char* shown;
    };
    for (const Case& c : {
             // X forms
             Case{true,
                  {"SSX=3,0,M,1,00:15:00,00:00:00", "SMX=3,07/04/2024,12:15:00"},
                  3,
                  "07/04/2024,12:15:00"},
             Case{true, {"SMX=3,07/04/2024,12:15:00"}, 3, "Not Enabled"},
             Case{true, {"SSX=3,0,M", "SMX=3,00/00/0000,00:00:00"}, 3, "Not Scheduled"},
             Case{true, {"SSX=3,0,M", "SSX=3,C", "SMX=3,07/04/2024,12:15:00"}, 3, "Not Enabled"},
             Case{false,
                  {"ISX=63,B,00:15:00,00:00:00", "IMX=63,07/04/2024,12:15:00"},
                  63,
                  "07/04/2024,12:15:00"},
             // short forms
             Case{true,
                  {"SS2=0,M,1,00:15:00,00:00:00", "SM2=07/04/2024,12:30:00"},
                  2,
                  "07/04/2024,12:30:00"},
             Case{true, {"SS2=C", "SM2=07/04/2024,12:30:00"}, 2, "Not Enabled"},
             Case{true, {"SS2=0,M", "SM2=00/00/0000,00:00:00"}, 2, "Not Scheduled"},
             Case{false,
                  {"IS4=1,00:15:00,00:00:00", "IM4=07/04/2024,12:30:00"},
                  4,
                  "07/04/2024,12:30:00"},
             Case{false, {"IS12=1", "IM12=07/04/2024,12:30:00"}, 12, "07/04/2024,12:30:00"},
         }) {
        const TSampleGrid grid = Feed(c.sdi12, c.lines);
        EXPECT_EQ(grid.Rows[c.row].NextSample, c.shown) << c.lines.back();
    }
}

TEST(SampleReplies, LabelsFillTheFirstThreeColumns) {
    struct Case {
        bool sdi12;
        const char* line;
        int row;
        const char* label;
    };
    for (const Case& c : {
             Case{true, "SLX=5,RAIN", 5, "RAIN"},
             Case{true, "SLX=12,WINDSPEED", 12, "WIND"},
             Case{true, "SL7=AT", 7, "AT"},
             Case{false, "ILX=40,BATT", 40, "BATT"},
             Case{false, "IL3=TEMP", 3, "TEMP"},
         }) {
        const TSampleGrid grid = Feed(c.sdi12, {c.line});
        EXPECT_EQ(grid.Rows[c.row],
                  (TSampleGridRow{std::to_string(c.row) + ":", c.label, kDots, ""}))
            << c.line;
    }
}

TEST(SampleReplies, RowLinesSetTheSampleFlags) {
    struct Case {
        bool sdi12;
        const char* line;
        int row;
        bool sampled;
    };
    for (const Case& c : {
             Case{true, "SSX=9,0,M,1", 9, true},
             Case{true, "SSX=9,C", 9, false},
             Case{true, "SS9=0,M", 9, true},
             Case{true, "SS9=C", 9, false},
             Case{false, "ISX=0,B,00:15:00", 0, true},
             Case{false, "ISX=0,C", 0, false},
             Case{false, "IS0=1", 0, true},
             Case{false, "IS0=C", 0, false},
         }) {
        TSampleGrid grid;
        grid.Sampled.fill(!c.sampled);
        TAVINStatusView view;
        (c.sdi12 ? view.SDI12Samples : view.InternSamples) = grid;
        EXPECT_TRUE(c.sdi12 ? ParseSDI12Sample(c.line, view) : ParseInternSensSample(c.line, view))
            << c.line;
        const TSampleGrid& after = c.sdi12 ? view.SDI12Samples : view.InternSamples;
        EXPECT_EQ(after.Sampled[c.row], c.sampled) << c.line;
    }
}

TEST(SampleReplies, HostileAndForeignLinesChangeNothing) {
    struct Case {
        bool sdi12;
        const char* line;
    };
    for (const Case& c : {
             // bulk query echoes and counts
             Case{true, "SMX=*?"},
             Case{true, "SLX=*?"},
             Case{true, "SSX=*?"},
             Case{true, "SM*?"},
             Case{true, "SL*?"},
             Case{true, "SS*?"},
             Case{true, "SSN=10"},
             Case{true, "SSN?"},
             Case{false, "IMX=*?"},
             Case{false, "ISX=*?"},
             Case{false, "IST=0"},
             Case{false, "ISN=5"},
             Case{false, "IL*?"},
             // rows out of range or not numbers
             Case{true, "SMX=64,07/04/2024,12:00:00"},
             Case{true, "SMX=-1,07/04/2024"},
             Case{true, "SMX=3a,07/04/2024"},
             Case{true, "SSX=64,0,M"},
             Case{true, "SS64=0"},
             Case{true, "SM99999999999=x"},
             Case{true, "SL70=ABCD"},
             Case{true, "SLX=,ABCD"},
             Case{true, "SMX="},
             Case{true, "SM="},
             Case{true, "SSX="},
             // the short internal forms take only the digits 0 to 4
             Case{false, "IM5=07/04/2024,12:00:00"},
             Case{false, "IL9=ABCD"},
             Case{false, "IM1x=07/04/2024"},
             // the internal sample X form must start the line
             Case{false, " IMX=3,07/04/2024,12:00:00"},
             // foreign lines
             Case{true, "TSM=1"},
             Case{true, "OK"},
             Case{true, ">"},
             Case{true, ""},
             Case{false, "TIL=Short"},
             Case{false, "RIL=None"},
             Case{true, "RST?"},
             Case{true, kLongLine.c_str()},
         }) {
        TAVINStatusView view;
        const TAVINStatusView before = view;
        const bool used =
            c.sdi12 ? ParseSDI12Sample(c.line, view) : ParseInternSensSample(c.line, view);
        EXPECT_FALSE(used) << c.line;
        EXPECT_EQ(view, before) << c.line;
    }
}

TEST(SampleReplies, TablesStaySeparate) {
    TAVINStatusView view;
    ParseSDI12Sample("SSX=1,0,M", view);
    ParseInternSensSample("SSX=1,0,M", view);
    ParseInternSensSample("SMX=1,07/04/2024,12:00:00", view);
    EXPECT_TRUE(view.SDI12Samples.Sampled[1]);
    EXPECT_FALSE(view.InternSamples.Sampled[1]);
    EXPECT_EQ(view.InternSamples.Rows[1].NextSample, "");
}

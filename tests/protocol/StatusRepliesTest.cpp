#include "protocol/StatusReplies.h"

#include "protocol/GlbIni.h"
#include "protocol/UtilityControl.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace tavin;

namespace {

struct StatusHost {
    StatusHost() {
        ctx.Utility = &utility;
        ctx.Ini = &ini;
        ctx.ShowCommStatus = [this](const std::string& text) { commStatus.push_back(text); };
        ctx.FirmwareLevelChanged = [this](int level) { levelChanges.push_back(level); };
    }
    TUtilityControl utility;
    TGlbIni ini;
    StatusParseContext ctx;
    TAVINStatusView view;
    std::vector<std::string> commStatus;
    std::vector<int> levelChanges;
};

} // namespace

TEST(FirmwareLevel, FirstWordOfTheVersionValue) {
    struct Case {
        const char* value;
        std::optional<int> level;
    };
    for (const Case& c : {
             Case{" 1.53,B1.02", 153},
             Case{" 1.15", 115},
             Case{" 1.305,B1.00", 130},
             Case{" 1.3", 130},
             Case{" 2", 200},
             Case{"M1.32 build 7", 132},
             Case{" 1.29M", 129},
             Case{" V1.53,B1.02", std::nullopt},
             Case{" 1.5a", std::nullopt},
             Case{"", std::nullopt},
             Case{" .", std::nullopt},
             Case{" 99999999999.5", std::nullopt},
         }) {
        EXPECT_EQ(FirmwareLevelOf(c.value), c.level) << "'" << c.value << "'";
    }
}

TEST(ParseReadStatusInfo, FirmwareLineSetsTheLevelOnceAndShowsTheVersion) {
    StatusHost h;
    EXPECT_TRUE(ParseReadStatusInfo("FirmwareVersions: 1.53,B1.02", h.view, h.ctx));
    EXPECT_EQ(h.view.FirmwareVersion, " 1.53,B1.02");
    EXPECT_EQ(h.view.FirmwareLevel, 153);
    EXPECT_EQ(h.utility.VersionCode(), 153);
    EXPECT_TRUE(h.utility.DailyBucketReset());
    EXPECT_EQ(h.levelChanges, std::vector<int>{153});

    // The same version again refreshes nothing.
    ParseReadStatusInfo("FirmwareVersions: 1.53,B1.02", h.view, h.ctx);
    EXPECT_EQ(h.levelChanges.size(), 1u);

    // An older one turns the extended tables off.
    ParseReadStatusInfo("FirmwareVersions: 1.29", h.view, h.ctx);
    EXPECT_FALSE(h.utility.ExtendedTables());
    EXPECT_TRUE(h.utility.SensorTriggers());
    EXPECT_EQ(h.levelChanges, (std::vector<int>{153, 129}));

    // A version that is not a number is shown but leaves the level alone.
    ParseReadStatusInfo("FirmwareVersions: beta", h.view, h.ctx);
    EXPECT_EQ(h.view.FirmwareVersion, " beta");
    EXPECT_EQ(h.utility.VersionCode(), 129);
    EXPECT_EQ(h.levelChanges.size(), 2u);
}

TEST(ParseReadStatusInfo, LevelWithoutFeatureSwitchesComparesWithTheLastReport) {
    TAVINStatusView view;
    StatusParseContext ctx;
    int changes = 0;
    ctx.FirmwareLevelChanged = [&](int) { ++changes; };
    ParseReadStatusInfo("FirmwareVersions: 1.30", view, ctx);
    ParseReadStatusInfo("FirmwareVersions: 1.30", view, ctx);
    EXPECT_EQ(view.FirmwareLevel, 130);
    EXPECT_EQ(changes, 1);
}

TEST(ParseReadStatusInfo, KeywordFields) {
    struct Case {
        const char* line;
        std::string TAVINStatusView::*field;
        const char* shown;
    };
    for (const Case& c : {
             Case{"SerialNumber: 40312", &TAVINStatusView::SerialNumber, " 40312"},
             Case{"TimeToNextTx: N/A", &TAVINStatusView::TimeToNextTx, " Not Available"},
             Case{"TimeToNextTx: 00:14:05", &TAVINStatusView::TimeToNextTx, " 00:14:05"},
             Case{"NextTimedTx: N/A", &TAVINStatusView::NextTimedTx, " Not Available"},
             Case{"NextTimedTx: 07/04/2024,12:00:00", &TAVINStatusView::NextTimedTx,
                  " 07/04/2024,12:00:00"},
             Case{"RandomBufferTxs: N/A", &TAVINStatusView::RandomBufferTxs, " Not Available"},
             Case{"RandomBufferTxs: 2", &TAVINStatusView::RandomBufferTxs, " 2"},
             Case{"NextRandomTx:N/A", &TAVINStatusView::NextRandomTx, " Not Available"},
             Case{"TimedBufferSize: N/A", &TAVINStatusView::TimedBufferSize, " N/A"},
             Case{"RandomBufferSize: 31", &TAVINStatusView::RandomBufferSize, " 31"},
             Case{"Failsafe: OK", &TAVINStatusView::Failsafe, " OK"},
             Case{"Failsafe:", &TAVINStatusView::Failsafe, ""},
         }) {
        StatusHost h;
        h.view.*c.field = "before";
        EXPECT_TRUE(ParseReadStatusInfo(c.line, h.view, h.ctx)) << c.line;
        EXPECT_EQ(h.view.*c.field, c.shown) << c.line;
    }
}

TEST(ParseReadStatusInfo, StateShowsTheRememberedGpsText) {
    StatusHost h;
    ParseReadStatusInfo("TransmitterState: Disabled", h.view, h.ctx);
    EXPECT_EQ(h.view.TransmitterState, " Disabled");

    // The GPS text waits for the next state line.
    ParseReadStatusInfo("GPS=No Fix", h.view, h.ctx);
    EXPECT_EQ(h.view.GpsText, "No Fix");
    EXPECT_EQ(h.view.TransmitterState, " Disabled");
    ParseReadStatusInfo("TransmitterState: Enabled", h.view, h.ctx);
    EXPECT_EQ(h.view.TransmitterState, " Enabled, No Fix");

    // A valid clock time drops it.
    ClearRememberedGpsText(h.view);
    ParseReadStatusInfo("TransmitterState: Enabled", h.view, h.ctx);
    EXPECT_EQ(h.view.TransmitterState, " Enabled");
}

TEST(ParseReadStatusInfo, SerialNumberNamesThePortOnlyWhileItIsOpen) {
    StatusHost h;
    h.ctx.PortNumber = 3;
    ParseReadStatusInfo("SerialNumber: 40312", h.view, h.ctx);
    EXPECT_TRUE(h.commStatus.empty());
    h.ctx.PortOpen = true;
    ParseReadStatusInfo("SerialNumber: 40312", h.view, h.ctx);
    EXPECT_EQ(h.commStatus, std::vector<std::string>{"COM3 S/N: 40312"});
}

TEST(ParseReadStatusInfo, KeywordsMustStartTheLine) {
    for (const char* line : {" SerialNumber: 1", "RST?", "xFirmwareVersions: 1.53", "GPS?", "OK",
                             ">", "", "Serialnumber: 1", "TIM=12:00:00"}) {
        StatusHost h;
        const TAVINStatusView before = h.view;
        EXPECT_FALSE(ParseReadStatusInfo(line, h.view, h.ctx)) << line;
        EXPECT_EQ(h.view, before) << line;
        EXPECT_TRUE(h.levelChanges.empty());
    }
}

TEST(ParseLastTxStatus, FieldsAndTheNoTransmissionCase) {
    TAVINStatusView view;
    for (const char* line : {"TxType: Timed", "TxStatus: OK", "TxTime: 07/04/2024,12:00:00",
                             "FwdPwr: 10.2", "RevPwr: 0.3", "TxVSWR: 1.4", "TxVolts: 12.6"}) {
        EXPECT_TRUE(ParseLastTxStatus(line, view)) << line;
    }
    EXPECT_EQ(view.TxType, " Timed");
    EXPECT_EQ(view.TxStatus, " OK");
    EXPECT_EQ(view.TxTime, " 07/04/2024,12:00:00");
    EXPECT_EQ(view.FwdPwr, " 10.2");
    EXPECT_EQ(view.RevPwr, " 0.3");
    EXPECT_EQ(view.TxVSWR, " 1.4");
    EXPECT_EQ(view.TxVolts, " 12.6");

    EXPECT_TRUE(ParseLastTxStatus("TxType: None", view));
    for (const std::string* f : {&view.TxType, &view.TxStatus, &view.TxTime}) {
        EXPECT_EQ(*f, " No Transmission");
    }
    for (const std::string* f : {&view.FwdPwr, &view.RevPwr, &view.TxVSWR, &view.TxVolts}) {
        EXPECT_EQ(*f, " No Measurement");
    }
    EXPECT_FALSE(ParseLastTxStatus("LTS", view));
    EXPECT_FALSE(ParseLastTxStatus(" TxType: Timed", view));
}

TEST(ParseGPS, StatusFixAndCalibration) {
    TAVINStatusView view;
    EXPECT_TRUE(ParseGPSStatus("GPS=Fix Valid", view));
    EXPECT_EQ(view.GpsStatus, "Fix Valid");
    EXPECT_FALSE(ParseGPSStatus("GPS?", view));

    for (const char* line : {"TOF: 07/04/2024,11:58:00", "Lat: 38.9", "Lng: -77.0", "Alt: 12"}) {
        EXPECT_TRUE(ParseReadOfGPS(line, view)) << line;
    }
    EXPECT_EQ(view.TimeOfFix, " 07/04/2024,11:58:00");
    EXPECT_EQ(view.Latitude, " 38.9");
    EXPECT_EQ(view.Longitude, " -77.0");
    EXPECT_EQ(view.Altitude, " 12");
    EXPECT_TRUE(ParseReadOfGPS("TOF: No Fix", view));
    for (const std::string* f :
         {&view.TimeOfFix, &view.Latitude, &view.Longitude, &view.Altitude}) {
        EXPECT_EQ(*f, "No Fix");
    }

    struct Case {
        const char* line;
        std::string TAVINStatusView::*field;
        const char* shown;
    };
    for (const Case& c : {
             Case{"Time: 07/04/2024,11:00:00", &TAVINStatusView::GpsTimeCal,
                  " 07/04/2024,11:00:00"},
             Case{"Last Time: N/A", &TAVINStatusView::GpsTimeCal, "Not Performed Since Power Up"},
             Case{"OCXO: N/A", &TAVINStatusView::LastOcxoCal, "Not Performed Since Power Up"},
             Case{"TCXO: 07/01/2024,00:00:00", &TAVINStatusView::LastTcxoCal,
                  " 07/01/2024,00:00:00"},
         }) {
        TAVINStatusView v;
        EXPECT_TRUE(ParseGPSLastCalibration(c.line, v)) << c.line;
        EXPECT_EQ(v.*c.field, c.shown) << c.line;
    }
    TAVINStatusView v;
    EXPECT_FALSE(ParseGPSLastCalibration("TxTime: 07/04/2024,12:00:00", v));
    EXPECT_FALSE(ParseGPSLastCalibration("GCS=Calibrating,OCXO=0.05,TCXO=-0.08", v));
    EXPECT_EQ(v, TAVINStatusView{});
}

TEST(ClearStatusInformation, EmptiesFieldsAndResetsTheGrids) {
    TAVINStatusView view;
    view.SerialNumber = " 1";
    view.TxType = " Timed";
    view.GpsStatus = "Fix Valid";
    view.StateText = " Enabled";
    view.PlatformIdCaption = "Platform ID : 1234ABCD";
    view.SDI12Samples.Sampled[3] = true;
    view.SDI12Samples.Rows[3].NextSample = "soon";

    ClearStatusInformation(view, false);
    EXPECT_EQ(view.SerialNumber, "");
    EXPECT_EQ(view.TxType, "");
    EXPECT_EQ(view.GpsStatus, "");
    EXPECT_EQ(view.StateText, " Enabled");
    EXPECT_EQ(view.PlatformIdCaption, "Platform ID : 1234ABCD");
    EXPECT_TRUE(view.SDI12Samples.Sampled[3]);
    EXPECT_EQ(view.SDI12Samples.RowCount, 10);
    EXPECT_EQ(view.InternSamples.RowCount, 5);
    EXPECT_FALSE(view.SDI12Samples.ScrollBar);
    EXPECT_EQ(view.SDI12Samples.Rows[3],
              (TSampleGridRow{"3:", "SDI3", std::string(35, '.'), "Not Enabled"}));
    EXPECT_EQ(view.SDI12Samples.Rows[12].Label, "SD12");
    EXPECT_EQ(view.InternSamples.Rows[9].Label, "INT9");
    EXPECT_EQ(view.InternSamples.Rows[63].Label, "IN63");

    ClearStatusInformation(view, true);
    EXPECT_EQ(view.SDI12Samples.RowCount, 64);
    EXPECT_EQ(view.InternSamples.RowCount, 64);
    EXPECT_TRUE(view.InternSamples.ScrollBar);
}

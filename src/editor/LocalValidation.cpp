#include "editor/LocalValidation.h"

#include "editor/EditorNames.h"
#include "protocol/UtilityControl.h"
#include "support/FixedFormats.h"
#include "support/StringRoutines.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

namespace tavin {
namespace {

constexpr int kShortSDI12Rows = 10;
constexpr int kShortInternRows = 5;
constexpr int kFormatRowsChecked = 20;

void Fail(TConfigCheckError& err, std::uint8_t code, const char* control, const char* page,
          int row = 0) {
    err.ErrorCode = code;
    err.ErrorRow = row;
    err.ErrorControl = control;
    err.ErrorPage = page;
}

bool OutsidePrintableHeader(const std::string& text) {
    if (text.empty()) {
        return true;
    }
    const auto c = static_cast<unsigned char>(text.front());
    return c < 0x3F || c > 0x7E;
}

bool IsSensorValue(char type) {
    return type == 'I' || type == 'S';
}

// The value count, field width and slope rules of a sensor row sent by the
// transmitter itself. A later finding in the row replaces an earlier one.
std::uint8_t SensorRowCode(const TDataFormatRow& row, std::uint8_t dataFormat) {
    std::uint8_t code = 0;
    if (row.ValueCount == 0 && row.StatFlags == 0) {
        code = kErrInvalidValueCount;
    }
    const int width = std::abs(row.FieldWidth);
    if (dataFormat == 0) {
        if (width > 16) {
            code = kErrInvalidFieldWidth;
        }
    } else if (row.FieldWidth == 0 || width > 4) {
        code = kErrInvalidFieldWidth;
    } else if (row.Slope == 0.0) {
        code = kErrZeroSlope;
    }
    return code;
}

} // namespace

EditorValues EditorValuesFromModel(const XmtrConfig& cfg, bool advancedSettings) {
    EditorValues ed;
    const auto charText = [](char c) { return c == '\0' ? std::string() : std::string(1, c); };
    ed.PB1 = charText(cfg.General.PseudoBinaryHeader1);
    ed.PB2 = charText(cfg.General.PseudoBinaryHeader2);
    ed.GpsTimeSync = cfg.General.GpsTimeSync;
    ed.GpsTcxoCal = cfg.General.GpsTcxoCal;
    ed.GpsOcxoCal = cfg.General.GpsOcxoCal;
    ed.GpsSyncTimeout = cfg.General.GpsSyncTimeout;
    ed.InvalidReplace = charText(cfg.General.InvalidReplaceChar);
    ed.TxPower100 = cfg.General.TxPower100;
    ed.TxPower300 = cfg.General.TxPower300;
    ed.TxPower1200 = cfg.General.TxPower1200;
    ed.TimedChecked = cfg.TimedEnabled;
    ed.RandomChecked = cfg.RandomEnabled;
    ed.TimedTxInterval = cfg.TimedTx.Interval;
    ed.AdvancedSettings = advancedSettings;
    return ed;
}

void CheckGeneralSetup(TConfigCheckError& err, const EditorValues& ed) {
    if (err.ErrorCode != 0) {
        return;
    }
    const char* page = names::kTabGeneralTxConfiguration;
    if (OutsidePrintableHeader(ed.PB1)) {
        Fail(err, kErrInvalidData, names::kPB1, page);
    } else if (OutsidePrintableHeader(ed.PB2)) {
        Fail(err, kErrInvalidData, names::kPB2, page);
    } else if (ed.GpsTimeSync < 0) {
        Fail(err, kErrInvalidData, names::kRzGPSTimeSync, page);
    }
}

void CheckAdvancedSettings(TConfigCheckError& err, const EditorValues& ed) {
    if (err.ErrorCode != 0) {
        return;
    }
    const char* page = names::kTabGeneralTxConfiguration;
    const auto replaceBad = [&] {
        if (ed.InvalidReplace.empty()) {
            return true;
        }
        const auto c = static_cast<unsigned char>(ed.InvalidReplace.front());
        return c < 0x20 || c > 0x7E;
    };
    if (ed.GpsTcxoCal < 0) {
        Fail(err, kErrInvalidData, names::kRzGPSTCXOCal, page);
    } else if (ed.GpsOcxoCal < 0) {
        Fail(err, kErrInvalidData, names::kRzGPSOCXOCal, page);
    } else if (ed.GpsSyncTimeout < 0) {
        Fail(err, kErrInvalidData, names::kRzGPSSyncCalTimeout, page);
    } else if (replaceBad()) {
        Fail(err, kErrInvalidData, names::kEdtInvalidReplace, page);
    } else if (ed.TxPower100 == 0.0) {
        Fail(err, kErrInvalidData, names::kRzSpinTxPwr100, page);
    } else if (ed.TxPower300 == 0.0) {
        Fail(err, kErrInvalidData, names::kRzSpinTxPwr300, page);
    } else if (ed.TxPower1200 == 0.0) {
        Fail(err, kErrInvalidData, names::kRzSpinTxPwr1200, page);
    }
}

void CheckTxParams(TConfigCheckError& err, const EditorValues& ed) {
    if (err.ErrorCode != 0 || !ed.TimedChecked) {
        return;
    }
    const std::string& text = ed.TimedTxInterval;
    std::string dayPart = "00";
    std::string timePart = text;
    if (text.size() > 8) {
        dayPart = text.substr(0, 2);
        const auto colon = text.find(':');
        timePart = colon == std::string::npos ? std::string() : text.substr(colon + 1);
    }
    int h = 0, m = 0, s = 0;
    bool valid = ParseLongTime(timePart, h, m, s) && h * 3600 + m * 60 + s >= 5 * 60;
    if (valid && IsIntegerText(dayPart, false)) {
        std::int32_t days = 0;
        valid = TextToInt32(dayPart, days) && days <= 30;
    }
    if (!valid) {
        Fail(err, kErrInvalidTime, names::kTimedTxInterval, names::kTabTxSetup);
    }
}

bool ValidTimeString(std::string_view text, bool longTimes, bool allowZero) {
    std::string spaced(text);
    std::replace(spaced.begin(), spaced.end(), ':', ' ');
    std::vector<ScanValue> v;
    if (ScanFormatted(spaced, "%d %d %d", v, 2) < 3) {
        return false;
    }
    const int h = v[0].integer, m = v[1].integer, s = v[2].integer;
    // A negative field is no time, whatever the bounds below would say.
    if (h < 0 || m < 0 || s < 0) {
        return false;
    }
    if (!allowZero && h == 0 && m == 0 && s == 0) {
        return false;
    }
    if (h < 12) {
        return m < 60 && s < 60;
    }
    if (longTimes) {
        if (h <= 23) {
            return m < 60 && s < 60 && s % 2 == 0;
        }
        return h == 24 && m == 0 && s == 0;
    }
    return h == 12 && m == 0 && s == 0;
}

void CheckSDI12Sensors(TConfigCheckError& err, const XmtrConfig& cfg,
                       const TUtilityControl& utility) {
    if (err.ErrorCode != 0) {
        return;
    }
    const bool longTimes = utility.LongSensorIntervals();
    const int rows = longTimes ? kSDI12Rows : kShortSDI12Rows;
    for (int i = 0; i < rows; ++i) {
        const TSDI12Row& r = cfg.SDI12[i];
        if (!r.Append && r.Address.empty()) {
            continue;
        }
        std::uint8_t code = 0;
        if (r.Value == 0) {
            code = kErrInvalidParameter;
        } else if (!r.Append) {
            if (!ValidTimeString(r.Interval, longTimes, false)) {
                code = kErrInvalidInterval;
            } else if (!ValidTimeString(r.Offset, longTimes, true)) {
                code = kErrInvalidOffset;
            }
        }
        if (code != 0) {
            Fail(err, code, names::kGridSDI12, names::kTabSDI12, i);
            return;
        }
    }
}

namespace {

// Interval (zero not allowed) then offset (zero allowed) of a timed row.
std::uint8_t TimingCode(const std::string& interval, const std::string& offset, bool longTimes) {
    if (!ValidTimeString(interval, longTimes, false)) {
        return kErrInvalidInterval;
    }
    if (!ValidTimeString(offset, longTimes, true)) {
        return kErrInvalidOffset;
    }
    return 0;
}

} // namespace

void CheckInternalSensors(TConfigCheckError& err, const XmtrConfig& cfg,
                          const TUtilityControl& utility) {
    if (err.ErrorCode != 0) {
        return;
    }
    const bool longTimes = utility.LongSensorIntervals();
    const int rows = longTimes ? kInternRows : kShortInternRows;
    for (int i = 0; i < rows; ++i) {
        const TInternSensor& r = cfg.Internal[i];
        if (r.Type == "0" || r.Type == "C") {
            continue;
        }
        if (const auto code = TimingCode(r.Interval, r.Offset, longTimes); code != 0) {
            Fail(err, code, names::kGridInternSens, names::kTabInternalSensors, i);
            return;
        }
    }
}

void CheckMinMaxAvgSensors(TConfigCheckError& err, const XmtrConfig& cfg,
                           const TUtilityControl& utility) {
    if (err.ErrorCode != 0 || !utility.MinMaxAvgEnabled()) {
        return;
    }
    const int rows = std::min(cfg.DefinedMinMaxAvgCount(), kMinMaxAvgRows);
    for (int i = 0; i < rows; ++i) {
        const TSensorMMA& r = cfg.MinMaxAvg[i];
        // An empty record (type 'C' or none at all) is the end marker, not a
        // sensor whose empty times would be reported.
        if (r.IsFree() || r.SourceType == '0') {
            continue;
        }
        if (const auto code = TimingCode(r.Interval, r.Offset, true); code != 0) {
            Fail(err, code, names::kGridMinMaxAvg, names::kTabMinMaxAvg, i);
            return;
        }
    }
}

void CheckTimedDataParams(TConfigCheckError& err, const XmtrConfig& cfg, const EditorValues& ed,
                          const TUtilityControl& utility) {
    if (err.ErrorCode != 0) {
        return;
    }
    const char* grid = names::kGridTimedDataFormat;
    const char* page = names::kTabTimedDataFormat;
    if (!ed.TimedChecked) {
        const int rows = utility.ExtendedTables() ? kTimedDataRows : kFormatRowsChecked;
        for (int i = 0; i < rows; ++i) {
            const char t = cfg.TimedData[i].SourceType;
            if (t == 'H' || IsSensorValue(t)) {
                Fail(err, kErrTimedDisabled, grid, page, i);
                return;
            }
        }
        return;
    }
    const auto& tx = cfg.TimedTx;
    for (int i = 0; i < kFormatRowsChecked; ++i) {
        const TDataFormatRow& r = cfg.TimedData[i];
        if (!IsSensorValue(r.SourceType)) {
            continue;
        }
        std::uint8_t code = 0;
        if (tx.DataSource == 0) {
            code = kErrInvalidType;
        } else if (tx.DataSource == 1) {
            code = SensorRowCode(r, tx.DataFormat);
        }
        if (code != 0) {
            Fail(err, code, grid, page, i);
            return;
        }
    }
}

void CheckRandomTxParams(TConfigCheckError& err, const XmtrConfig& cfg, const EditorValues& ed) {
    if (err.ErrorCode != 0) {
        return;
    }
    const char* grid = names::kGridRandomDataFormat;
    const char* page = names::kTabRandomDataFormat;
    const auto& tx = cfg.RandomTx;
    constexpr int kTriggerCodeHeader = 10;
    for (int i = 0; i < kFormatRowsChecked; ++i) {
        const TDataFormatRow& r = cfg.RandomData[i];
        std::uint8_t code = 0;
        if (!ed.RandomChecked) {
            if (r.SourceType == 'H' || IsSensorValue(r.SourceType)) {
                code = kErrRandomDisabled;
            }
        } else if (tx.DataSource == 0) {
            if (IsSensorValue(r.SourceType) ||
                (r.SourceType == 'H' && r.SourceIndex == kTriggerCodeHeader)) {
                code = kErrInvalidType;
            }
        } else if (tx.DataSource == 1 && IsSensorValue(r.SourceType)) {
            code = SensorRowCode(r, tx.DataFormat);
        }
        if (code != 0) {
            Fail(err, code, grid, page, i);
            return;
        }
    }
}

TConfigCheckError CheckLocalSetup(const XmtrConfig& cfg, const EditorValues& ed,
                                  const TUtilityControl& utility) {
    TConfigCheckError err;
    CheckGeneralSetup(err, ed);
    if (ed.AdvancedSettings) {
        CheckAdvancedSettings(err, ed);
    }
    CheckTxParams(err, ed);
    CheckSDI12Sensors(err, cfg, utility);
    CheckInternalSensors(err, cfg, utility);
    CheckMinMaxAvgSensors(err, cfg, utility);
    CheckTimedDataParams(err, cfg, ed, utility);
    CheckRandomTxParams(err, cfg, ed);
    return err;
}

std::string GetErrorString(const TConfigCheckError& err) {
    static constexpr std::array<const char*, 15> kTexts = {
        "",
        "Invalid Time",
        "Invalid Interval",
        "Invalid Offset",
        "Invalid Data",
        "Timed Transmission Are Disabled",
        "Random Transmission Are Disabled",
        "Invalid Sensor",
        "Invalid Type",
        "Invalid Parameter",
        "Wrong Data Source",
        "Invalid Value Count",
        "Invalid Field Width",
        "Zero Slope",
        "Sensors Are Disabled",
    };
    return err.ErrorCode < kTexts.size() ? kTexts[err.ErrorCode] : "";
}

int ErrorGridColumn(std::string_view control, std::uint8_t code) {
    struct GridColumns {
        const char* grid;
        int interval, offset; // codes 2 and 3
    };
    static constexpr GridColumns kSensorGrids[] = {
        {names::kGridSDI12, 7, 8},
        {names::kGridInternSens, 4, 5},
        {names::kGridMinMaxAvg, 3, 4},
    };
    for (const auto& g : kSensorGrids) {
        if (control == g.grid) {
            return code == kErrInvalidInterval ? g.interval
                   : code == kErrInvalidOffset ? g.offset
                                               : 1;
        }
    }
    if (control == names::kGridTimedDataFormat || control == names::kGridRandomDataFormat) {
        switch (code) {
        case kErrInvalidValueCount:
            return 2;
        case kErrInvalidFieldWidth:
            return 3;
        case kErrZeroSlope:
            return 5;
        default:
            return 1;
        }
    }
    return -1;
}

bool IsFocusableEditControl(std::string_view control) {
    return control == names::kPB1 || control == names::kPB2 ||
           control == names::kEdtInvalidReplace || control == names::kTimedTxInterval;
}

} // namespace tavin

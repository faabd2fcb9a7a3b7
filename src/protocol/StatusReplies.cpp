#include "protocol/StatusReplies.h"

#include "protocol/CommandLine.h"
#include "protocol/GlbIni.h"
#include "protocol/UtilityControl.h"
#include "protocol/ValueForms.h"
#include "protocol/XmtrConfig.h"
#include "support/StringRoutines.h"

namespace tavin {
namespace {

constexpr std::string_view kNA = "N/A";

// The value of a keyword line when the line starts with the keyword.
bool Keyword(std::string_view line, std::string_view keyword, std::string& value) {
    if (!line.starts_with(keyword)) {
        return false;
    }
    value = KeywordValue(line);
    return true;
}

std::string OrNotAvailable(std::string value) {
    return Contains(value, kNA) ? std::string(kNotAvailableText) : value;
}

void ShowState(TAVINStatusView& view) {
    view.TransmitterState = view.StateText;
    if (!view.GpsText.empty()) {
        view.TransmitterState += ", " + view.GpsText;
    }
}

void ReadFirmware(std::string value, TAVINStatusView& view, StatusParseContext& ctx) {
    const std::optional<int> level = FirmwareLevelOf(value);
    view.FirmwareVersion = std::move(value);
    if (!level) {
        return;
    }
    const int current = ctx.Utility ? ctx.Utility->VersionCode() : view.FirmwareLevel;
    view.FirmwareLevel = *level;
    if (*level == current) {
        return;
    }
    if (ctx.Utility) {
        const TGlbIni defaults;
        ApplyFirmwareLevel(*level, *ctx.Utility, ctx.Ini ? *ctx.Ini : defaults);
    }
    if (ctx.FirmwareLevelChanged) {
        ctx.FirmwareLevelChanged(*level);
    }
}

} // namespace

std::optional<int> FirmwareLevelOf(std::string_view firmwareValue) {
    const std::string word = SplitWord(1, firmwareValue, " M,");
    if (word.empty() || word.find_first_not_of("0123456789.") != std::string::npos) {
        return std::nullopt;
    }
    bool ok = false;
    const int level = VersionCodeFromText(word, &ok);
    if (!ok) {
        return std::nullopt;
    }
    return level;
}

bool ApplyFirmwareLevel(int level, TUtilityControl& utility, const TGlbIni& ini) {
    return utility.SetVersionCode(level, ini);
}

bool ParseReadStatusInfo(std::string_view line, TAVINStatusView& view, StatusParseContext& ctx) {
    std::string value;
    if (Keyword(line, "FirmwareVersions:", value)) {
        ReadFirmware(std::move(value), view, ctx);
    } else if (Keyword(line, "SerialNumber:", value)) {
        view.SerialNumber = value;
        if (ctx.PortOpen && ctx.ShowCommStatus) {
            ctx.ShowCommStatus("COM" + std::to_string(ctx.PortNumber) + " S/N:" + value);
        }
    } else if (Keyword(line, "TransmitterState:", value)) {
        view.StateText = std::move(value);
        ShowState(view);
    } else if (line.starts_with("GPS=")) {
        view.GpsText = std::string(AfterFirst(line, '='));
    } else if (Keyword(line, "TimeToNextTx:", value)) {
        view.TimeToNextTx = OrNotAvailable(std::move(value));
    } else if (Keyword(line, "NextTimedTx:", value)) {
        view.NextTimedTx = OrNotAvailable(std::move(value));
    } else if (Keyword(line, "RandomBufferTxs:", value)) {
        view.RandomBufferTxs = OrNotAvailable(std::move(value));
    } else if (Keyword(line, "NextRandomTx:", value)) {
        view.NextRandomTx = OrNotAvailable(std::move(value));
    } else if (Keyword(line, "TimedBufferSize:", value)) {
        view.TimedBufferSize = std::move(value);
    } else if (Keyword(line, "RandomBufferSize:", value)) {
        view.RandomBufferSize = std::move(value);
    } else if (Keyword(line, "Failsafe:", value)) {
        view.Failsafe = std::move(value);
    } else {
        return false;
    }
    return true;
}

bool ParseLastTxStatus(std::string_view line, TAVINStatusView& view) {
    std::string value;
    if (Keyword(line, "TxType:", value)) {
        if (Contains(value, "None")) {
            view.TxType = view.TxStatus = view.TxTime = kNoTransmissionText;
            view.FwdPwr = view.RevPwr = view.TxVSWR = view.TxVolts = kNoMeasurementText;
        } else {
            view.TxType = std::move(value);
        }
    } else if (Keyword(line, "TxStatus:", value)) {
        view.TxStatus = std::move(value);
    } else if (Keyword(line, "TxTime:", value)) {
        view.TxTime = std::move(value);
    } else if (Keyword(line, "FwdPwr:", value)) {
        view.FwdPwr = std::move(value);
    } else if (Keyword(line, "RevPwr:", value)) {
        view.RevPwr = std::move(value);
    } else if (Keyword(line, "TxVSWR:", value)) {
        view.TxVSWR = std::move(value);
    } else if (Keyword(line, "TxVolts:", value)) {
        view.TxVolts = std::move(value);
    } else {
        return false;
    }
    return true;
}

bool ParseGPSStatus(std::string_view line, TAVINStatusView& view) {
    if (!line.starts_with("GPS=")) {
        return false;
    }
    view.GpsStatus = std::string(AfterFirst(line, '='));
    return true;
}

bool ParseReadOfGPS(std::string_view line, TAVINStatusView& view) {
    std::string value;
    if (Keyword(line, "TOF:", value)) {
        if (Contains(value, kNoFixText)) {
            view.TimeOfFix = view.Latitude = view.Longitude = view.Altitude = kNoFixText;
        } else {
            view.TimeOfFix = std::move(value);
        }
    } else if (Keyword(line, "Lat:", value)) {
        view.Latitude = std::move(value);
    } else if (Keyword(line, "Lng:", value)) {
        view.Longitude = std::move(value);
    } else if (Keyword(line, "Alt:", value)) {
        view.Altitude = std::move(value);
    } else {
        return false;
    }
    return true;
}

bool ParseGPSLastCalibration(std::string_view line, TAVINStatusView& view) {
    std::string* field = nullptr;
    if (Contains(line, "Time:") && !Contains(line, "TxTime:")) {
        field = &view.GpsTimeCal;
    } else if (Contains(line, "OCXO:")) {
        field = &view.LastOcxoCal;
    } else if (Contains(line, "TCXO:")) {
        field = &view.LastTcxoCal;
    } else {
        return false;
    }
    std::string value = KeywordValue(line);
    *field = Contains(value, kNA) ? std::string(kNotPerformedText) : std::move(value);
    return true;
}

void ClearRememberedGpsText(TAVINStatusView& view) {
    view.GpsText.clear();
}

void ClearStatusInformation(TAVINStatusView& view, bool extendedTables) {
    TAVINStatusView cleared;
    cleared.StateText = std::move(view.StateText);
    cleared.GpsText = std::move(view.GpsText);
    cleared.PlatformIdCaption = std::move(view.PlatformIdCaption);
    cleared.FirmwareLevel = view.FirmwareLevel;
    cleared.SDI12Samples.Sampled = view.SDI12Samples.Sampled;
    cleared.InternSamples.Sampled = view.InternSamples.Sampled;
    auto reset = [&](TSampleGrid& grid, int shortRows, std::string (*label)(int)) {
        grid.RowCount = extendedTables ? kSampleRows : shortRows;
        grid.ScrollBar = extendedTables;
        for (int i = 0; i < kSampleRows; ++i) {
            grid.Rows[i] = {std::to_string(i) + ":", label(i), std::string(kSampleDots),
                            std::string(kNotEnabledText)};
        }
    };
    reset(cleared.SDI12Samples, kShortSDI12SampleRows, DefaultSDI12Label);
    reset(cleared.InternSamples, kShortInternSampleRows, DefaultInternLabel);
    view = std::move(cleared);
}

} // namespace tavin

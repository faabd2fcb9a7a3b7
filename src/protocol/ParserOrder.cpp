#include "protocol/ParserOrder.h"

#include "protocol/ArgosDataPack.h"
#include "protocol/DataFormatConfig.h"
#include "protocol/EquationConfig.h"
#include "protocol/GeneralSettings.h"
#include "protocol/InternSensConfig.h"
#include "protocol/MinMaxAvgConfig.h"
#include "protocol/RandomTriggerConfig.h"
#include "protocol/SDI12Config.h"
#include "protocol/TimeDataInfo.h"
#include "protocol/TxSetup.h"

#include <array>

namespace tavin {

namespace {

constexpr std::array<ConfigParser, 12> kDispatchParsers = {
    ParseTxSetupFields,
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
    ParseTimeDataInfo,
};

constexpr std::array<ConfigParser, 11> kFileLoadParsers = {
    ParseTxSetupFields,          ParseTimedDataFormat,        ParseRandomDataFormat,
    ParseSDI12Configuration,     ParseMinMaxAvgStr,           ParseEquationCmd,
    ParseTxTimeSyncOscCalFields, ParseGeneralTxConfiguration, ParseInternalSensorConfiguration,
    ParseRandomTriggers,         ParesARGOSParameters,
};

} // namespace

std::span<const ConfigParser> DispatchParsers() {
    return kDispatchParsers;
}

std::span<const ConfigParser> FileLoadParsers() {
    return kFileLoadParsers;
}

void OfferLine(std::span<const ConfigParser> parsers, std::string_view line, XmtrConfig& cfg,
               ParseContext& ctx) {
    for (ConfigParser parse : parsers) {
        parse(line, cfg, ctx);
    }
}

} // namespace tavin

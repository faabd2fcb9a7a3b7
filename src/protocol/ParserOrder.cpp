#include "protocol/ParserOrder.h"

#include "protocol/ArgosDataPack.h"
#include "protocol/DataFormatConfig.h"
#include "protocol/EquationConfig.h"
#include "protocol/InternSensConfig.h"
#include "protocol/MinMaxAvgConfig.h"
#include "protocol/RandomTriggerConfig.h"

#include <array>

namespace tavin {

// The transmission setup, general settings, clock and SDI-12 parsers live
// with their own areas; only their shape matters here.
void ParseTxSetupFields(std::string_view line, XmtrConfig& cfg, ParseContext& ctx);
void ParseTxTimeSyncOscCalFields(std::string_view line, XmtrConfig& cfg, ParseContext& ctx);
void ParseGeneralTxConfiguration(std::string_view line, XmtrConfig& cfg, ParseContext& ctx);
void ParseSDI12Configuration(std::string_view line, XmtrConfig& cfg, ParseContext& ctx);
void ParseTimeDataInfo(std::string_view line, XmtrConfig& cfg, ParseContext& ctx);

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

// Reply lines as a noisy line may deliver them, offered to every
// configuration parser in the dispatcher's order; the model they leave is then
// turned into the send-all commands by the same builders the send uses.

#include "FuzzSetup.h"
#include "protocol/ArgosDataPack.h"
#include "protocol/DataFormatConfig.h"
#include "protocol/EquationConfig.h"
#include "protocol/GeneralSettings.h"
#include "protocol/InternSensConfig.h"
#include "protocol/MinMaxAvgConfig.h"
#include "protocol/ParserOrder.h"
#include "protocol/RandomTriggerConfig.h"
#include "protocol/SDI12Config.h"
#include "protocol/TxSetup.h"

using namespace tavin;

namespace {

class CountingSink : public CommandSink {
public:
    void Add(std::string line) override { bytes += line.size() + 1; }
    std::size_t bytes = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzInput in(data, size);
    const std::uint8_t choice = in.Byte();
    fuzz::FuzzSetup setup(choice);
    ParseContext& ctx = setup.ctx;
    const TUtilityControl& utility = setup.utility;
    XmtrConfig cfg;
    ctx.TxMode = 1 + (choice >> 2) % 3;
    ctx.InternalSensorTestOn = (choice & 1) != 0;
    for (const std::string& line : fuzz::SplitLines(in.Rest())) {
        OfferLine(DispatchParsers(), line, cfg, ctx);
    }
    ctx.RederiveTxMode(cfg);
    CountingSink sink;
    ConfigGeneralTxSettings(cfg, ctx, sink);
    ConfigTimedTransmission(cfg, ctx, sink);
    ConfigRandomTransmission(cfg, ctx, sink);
    ConfigTimeSyncOscCal(cfg, ctx, sink);
    ConfigSDI12(cfg, utility.ExtendedTables(), utility.SensorTriggers(), sink);
    ConfigInternSens(cfg, ctx, sink);
    ConfigEquations(cfg, ctx, sink);
    ConfigMinMaxAvg(cfg, ctx, sink);
    ConfigTimedDataParam(cfg, ctx, sink);
    ConfigRandomDataParam(cfg, ctx, sink);
    ConfigRandomTriggers(cfg, ctx, sink);
    ConfigArgosDataPack(cfg, sink, DataPackTarget::SendAll);
    return 0;
}

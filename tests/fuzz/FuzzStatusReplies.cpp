// Status, last transmission, GPS and sample lines as the monitor poll hands
// them over, through every status parser in the monitor handler's order.

#include "FuzzSetup.h"
#include "protocol/StatusReplies.h"

using namespace tavin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzInput in(data, size);
    const std::uint8_t choice = in.Byte();
    fuzz::FuzzSetup setup(choice);
    TUtilityControl& utility = setup.utility;
    TAVINStatusView view;
    ClearStatusInformation(view, utility.ExtendedTables());
    StatusParseContext ctx;
    ctx.Utility = &utility;
    ctx.Ini = &setup.ini;
    ctx.PortOpen = (choice & 1) != 0;
    ctx.PortNumber = 3;
    ctx.ShowCommStatus = [](const std::string&) {};
    ctx.FirmwareLevelChanged = [&](int) { ClearStatusInformation(view, utility.ExtendedTables()); };
    for (const std::string& line : fuzz::SplitLines(in.Rest())) {
        ParseReadStatusInfo(line, view, ctx);
        ParseInternSensSample(line, view);
        ParseSDI12Sample(line, view);
        ParseLastTxStatus(line, view);
        ParseGPSStatus(line, view);
        ParseReadOfGPS(line, view);
        ParseGPSLastCalibration(line, view);
        if (view.SDI12Samples.RowCount > kSampleRows || view.InternSamples.RowCount > kSampleRows) {
            __builtin_trap();
        }
    }
    return 0;
}

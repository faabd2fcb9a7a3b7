// Configuration files and templates as a user's disk may hold them: any
// bytes, loaded under any firmware level and mode, then written out again.

#include "FuzzSetup.h"
#include "files/ConfigFile.h"

using namespace tavin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzInput in(data, size);
    const std::uint8_t choice = in.Byte();
    fuzz::FuzzSetup setup(choice);
    ParseContext& ctx = setup.ctx;
    XmtrConfig cfg;
    LoadConfigText(in.Rest(), cfg, ctx, (choice & 1) != 0);
    ctx.RederiveTxMode(cfg);
    const std::string file = JoinConfigLines(CreateConfigData(cfg, ctx));
    const std::string body = JoinConfigLines(CreateTemplateData(cfg, ctx));
    // What was written reads back, and from then on saving and loading keep
    // the configuration as it is. (The first save may drop what the file
    // cannot carry: rows the counts leave out, triggers without sensor data.)
    auto saveAndLoad = [choice](const std::string& text) {
        fuzz::FuzzSetup setup(choice);
        XmtrConfig model;
        LoadConfigText(text, model, setup.ctx, false);
        setup.ctx.RederiveTxMode(model);
        return JoinConfigLines(CreateConfigData(model, setup.ctx));
    };
    const std::string second = saveAndLoad(file);
    if (saveAndLoad(second) != second) {
        __builtin_trap();
    }
    XmtrConfig fromTemplate;
    LoadConfigText(body, fromTemplate, ctx, true);
    return 0;
}

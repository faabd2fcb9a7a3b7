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
    // What was written reads back without harm.
    XmtrConfig again;
    LoadConfigText(file, again, ctx, false);
    LoadConfigText(body, again, ctx, true);
    return 0;
}

#pragma once
// The firmware level, preferences and parse context one fuzz input picks, so
// that the parsers meet every set of feature switches.

#include "FuzzInput.h"
#include "protocol/GlbIni.h"
#include "protocol/ParseContext.h"
#include "protocol/UtilityControl.h"

namespace tavin::fuzz {

struct FuzzSetup {
    // Bits 3..7 of choice pick the firmware level, bit 1 the advanced
    // settings; the context's callbacks do nothing.
    explicit FuzzSetup(std::uint8_t choice) {
        utility.SetVersionCode(VersionCodeFrom(choice >> 3), ini, true);
        ctx.Utility = &utility;
        ctx.Ini = &ini;
        ctx.AdvancedSettings = (choice & 2) != 0;
        ctx.PostMessage = [](int, int) {};
        ctx.QueueCommand = [](std::string) {};
        ctx.AppendTestOutput = [](std::string_view) {};
    }
    FuzzSetup(const FuzzSetup&) = delete;
    FuzzSetup& operator=(const FuzzSetup&) = delete;

    TGlbIni ini;
    TUtilityControl utility;
    ParseContext ctx;
};

} // namespace tavin::fuzz

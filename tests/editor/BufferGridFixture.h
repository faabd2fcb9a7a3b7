#pragma once
// A model with the switches and preferences the buffer grids read.

#include "protocol/GlbIni.h"
#include "protocol/ParseContext.h"
#include "protocol/UtilityControl.h"
#include "protocol/XmtrConfig.h"

#include <gtest/gtest.h>

namespace tavin::test {

class BufferGridFixture : public ::testing::Test {
protected:
    BufferGridFixture() {
        ctx.Utility = &utility;
        ctx.Ini = &ini;
        Extended(false);
    }
    // Firmware 1.30 has the extended tables, 1.10 does not.
    void Extended(bool on) { utility.SetVersionCode(on ? 130 : 110, ini, true); }

    static TDataFormatRow Row(char type, int index = 0, int count = 0, int width = 0,
                              const char* flags = "") {
        TDataFormatRow r;
        r.SourceType = type;
        r.SourceIndex = static_cast<std::uint8_t>(index);
        r.ValueCount = static_cast<std::uint8_t>(count);
        r.FieldWidth = width;
        r.Flags = flags;
        return r;
    }

    XmtrConfig cfg;
    TGlbIni ini;
    TUtilityControl utility;
    ParseContext ctx;
};

} // namespace tavin::test

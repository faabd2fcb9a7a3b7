#pragma once
// A configuration, preferences and feature switches for the sensor grid
// rules, with a few ways to lay out SDI-12 and internal tables quickly.

#include "editor/GridRules.h"
#include "protocol/GlbIni.h"
#include "protocol/UtilityControl.h"
#include "protocol/XmtrConfig.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tavin::test {

struct SensorRulesFixture {
    explicit SensorRulesFixture(int versionCode = 153) {
        cfg.ClearAll(ini);
        SetVersion(versionCode);
    }
    void SetVersion(int code) { utility.SetVersionCode(code, ini, true); }

    // A plain sensor on record i with the given address, as a load leaves it.
    void Sensor(int i, const std::string& address, const std::string& measurement = "0") {
        TSDI12Row& r = cfg.SDI12[i];
        r.Enabled = true;
        r.Append = false;
        r.Address = address;
        r.Measurement = measurement;
        r.Interval = "00:15:00";
        cfg.SDI12[i + 1].Enabled = true;
    }
    // An appended value on record i taking value `value` of the sensor above.
    void Appended(int i, int value, bool withAddress = true) {
        TSDI12Row& r = cfg.SDI12[i];
        r.Enabled = true;
        r.Append = true;
        r.Address = withAddress ? cfg.SDI12[i - 1].Address : "";
        r.Value = value;
        cfg.SDI12[i + 1].Enabled = true;
    }
    void Internal(int i, const std::string& type, const std::string& label = "") {
        cfg.Internal[i].Type = type;
        cfg.Internal[i].Interval = "01:00:00";
        if (!label.empty()) {
            cfg.Internal[i].Label = label;
        }
    }

    TGlbIni ini;
    TUtilityControl utility;
    XmtrConfig cfg;
};

// What one cell of a grid must look like.
struct CellCase {
    int row;
    int col;
    CellKind kind;
    bool editable;
    bool greyed;
    const char* text;
};

inline void ExpectCells(const GridRules& rules, const std::vector<CellCase>& cases) {
    for (const CellCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "row " << c.row << " col " << c.col);
        const CellView v = rules.Cell(c.row, c.col);
        EXPECT_EQ(v.kind, c.kind);
        EXPECT_EQ(v.editable, c.editable);
        EXPECT_EQ(v.greyed, c.greyed);
        EXPECT_EQ(v.text, c.text);
    }
}

} // namespace tavin::test

#pragma once
// The SDI-12 sensor query of the main window: which sensor a grid row asks,
// and the command that asks it; and the diagnostic listing of the SDI-12
// sensor table.

#include "protocol/XmtrConfig.h"

#include <string>
#include <vector>

namespace tavin {

struct SDI12QueryPlan {
    enum class Outcome {
        Nothing,   // the row is no sensor row
        NoAddress, // the sensor has no address: "Enter an SDI-12 Address"
        Query,     // send `command`
    };
    Outcome outcome = Outcome::Nothing;
    int sensor = -1;     // the sensor asked, after following appended rows up
    std::string command; // "SDI=0M!", "SDI=1M2!"
};

// gridRow: the SDI-12 grid's current row, 1 for the first sensor. A row that
// takes a further value of the row above is asked through the nearest row
// above it that measures on its own.
SDI12QueryPlan PlanSDI12Query(const XmtrConfig& cfg, int gridRow);

// One line per SDI-12 sensor 0-63: enabled, inherit, address, measurement,
// value number, interval and offset.
std::vector<std::string> SDI12TableListing(const XmtrConfig& cfg);

} // namespace tavin

#pragma once
// The commands that act on the transmitter's state rather than on its stored
// configuration: enable and disable, the configuration check, the clock and
// UTC correction, GPS fix and calibration, forced test transmissions, the
// oscillator corrections, readings, status reports, samples and test buffers.

#include "sim/SimCommandLine.h"
#include "sim/SimConfigStore.h"
#include "sim/SimStatusReports.h"
#include "sim/SimUnitState.h"

#include <cstdint>
#include <string_view>

namespace tavin::sim {

class SimUnitCommands {
public:
    // Both live as long as this object; `config` is the working configuration.
    SimUnitCommands(SimUnitState& unit, const SimConfigStore& config)
        : unit_(unit), config_(config) {}

    static bool Handles(std::string_view mnemonic);
    Lines Execute(const SimCommandLine& cmd, std::int64_t nowMs);

    // Finishes a GPS operation whose time is up.
    void Advance(std::int64_t nowMs);

private:
    Lines Enable(const SimCommandLine& cmd, std::int64_t nowMs);
    Lines Gps(const SimCommandLine& cmd, std::int64_t nowMs);
    Lines ForcedTransmission(const SimCommandLine& cmd, std::int64_t nowMs);
    Lines Clock(const SimCommandLine& cmd, std::int64_t nowMs);
    Lines Calibration(const SimCommandLine& cmd);
    Lines Readings(const SimCommandLine& cmd);
    Lines Sdi12(const SimCommandLine& cmd);
    Lines Reports(const SimCommandLine& cmd, std::int64_t nowMs);
    void StartGps(GpsOperation op, std::int64_t nowMs);

    SimUnitState& unit_;
    const SimConfigStore& config_;
};

} // namespace tavin::sim

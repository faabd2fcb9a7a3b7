#pragma once
// The status, sample and buffer answers of the simulated transmitter, made
// from its configuration and state.

#include "sim/SimConfigStore.h"
#include "sim/SimUnitState.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tavin::sim {

using Lines = std::vector<std::string>;

class SimStatusReports {
public:
    SimStatusReports(const SimConfigStore& config, const SimUnitState& unit, std::int64_t nowMs)
        : config_(config), unit_(unit), nowMs_(nowMs) {}

    Lines ReadStatus() const;              // "RST?"
    Lines LastTransmission() const;        // "LTS"
    Lines GpsStatus() const;               // "GPS?"
    Lines ReadGps() const;                 // "RGP?"
    Lines LastCalibration() const;         // "LGC?"
    std::string CalibrationStatus() const; // "GCS=..."

    // "SM*?", "SMX=*?", "IM*?", "IMX=*?": one line per defined row with the
    // next time it will be sampled.
    Lines Samples(TableId table, bool xForm) const;
    std::string SampleLine(TableId table, int row, bool xForm) const;

    // The message a format table builds and the "TBD=" / "RBD=" answer.
    std::string BufferText(TableId table) const;
    Lines BufferDump(TableId table) const;

    // "OK", "Enabled", or a fault that names what is wrong.
    std::string ConfigCheck() const;

private:
    bool Scheduled() const;
    // Next time a schedule "offset + k * interval from midnight" comes up.
    bool NextTime(std::int64_t offsetSec, std::int64_t intervalSec, SimClock::Seconds& next) const;
    bool RowSchedule(TableId table, int row, std::int64_t& interval, std::int64_t& offset,
                     int depth = 0) const;

    const SimConfigStore& config_;
    const SimUnitState& unit_;
    std::int64_t nowMs_;
};

// Seconds of "hh:mm:ss" or "dd:hh:mm:ss"; -1 when malformed.
std::int64_t SecondsOfTimeText(std::string_view text);
// Number of the first field of "TCH"/"RCH": the channel, 0 when disabled;
// an ARGOS channel text counts as 1.
int ChannelOf(std::string_view channelValue);

} // namespace tavin::sim

#pragma once
// Everything the simulated transmitter knows besides its configuration: the
// firmware it runs, whether it transmits, its clock, the GPS and calibration
// operations, the oscillator and bucket readings.

#include "sim/SimClock.h"

#include <cstdint>
#include <map>
#include <string>

namespace tavin::sim {

enum class RunState { Disabled, Enabled, LoggerOnly };
enum class GpsOperation { None, Calibration, Fix };

struct SimUnitState {
    std::string firmwareVersion = "1.53";
    int firmwareLevel = 153;
    std::string serialNumber = "10234";
    // The serial number of the TCXO fitted, which "TSN" checks "TSN=" against.
    std::string tcxoSerialNumber = "10234";

    RunState run = RunState::Disabled;

    // The transmitter's clock, and the true time the GPS would give it.
    SimClock clock;
    SimClock gpsTime;

    // UTC correction: empty while not set; manual after "UTC=", from the GPS
    // almanac after a fix (then a manual preset is refused with "INV").
    std::string utcCorrection;
    bool utcManual = false;
    bool utcFromGps = false;
    std::string almanacUtcCorrection = "18";

    bool ocxoOn = false;
    bool sensorTest = false;
    std::int64_t bucketCount = 0;
    std::string temperature = "23.5";
    std::string batteryVolts = "12.6";
    std::string failsafe = "OK";

    // Calibration values ("TSN", "OCR", "SFC", "TCR", "TCA"): kept apart from
    // the configuration, so factory defaults and restores leave them alone.
    std::map<std::string, std::string, std::less<>> calibration = {{"TSN", "10234"},
                                                                   {"OCR", "0.0012"},
                                                                   {"SFC", "0.000000"},
                                                                   {"TCR", "0.000000"},
                                                                   {"TCA", "0.000"}};

    GpsOperation gpsOperation = GpsOperation::None;
    std::int64_t gpsStartMs = 0;
    std::int64_t gpsEndMs = 0;
    std::int64_t calibrationMs = 10000;
    std::int64_t fixMs = 5000;

    bool haveFix = false;
    SimClock::Seconds fixTime = 0;
    std::string latitude = "45.4215";
    std::string longitude = "-75.6972";
    std::string altitude = "70";
    bool haveTimeCal = false;
    SimClock::Seconds timeCalTime = 0;
    bool haveOscCal = false;
    SimClock::Seconds oscCalTime = 0;

    bool haveTx = false;
    SimClock::Seconds txTime = 0;
    std::string txType;
};

} // namespace tavin::sim

#pragma once
// How the buffer pages follow the data source and data format choices of
// the "Transmission Setup" page: which pages appear, which choices are
// offered, and the random data format buttons in each transmission mode.

#include "protocol/GlbIni.h"
#include "protocol/XmtrConfig.h"

namespace tavin {

// What a data source choice does beyond storing itself.
struct DataSourceEffects {
    // Make the buffer page visible (its preference is switched on with it).
    bool ShowBufferPage = false;
    // The "Random Triggers" page: shown with sensor data, hidden without.
    bool ShowTriggerPage = false;
    bool HideTriggerPage = false;
    // The data order choice (`rgTimedDataOrder`, `rgRandomDataOrder`).
    bool DataOrderEnabled = false;
    // Timed operation flags 6 and 7 ("Buffer Empty", "Do Not Clear") only
    // mean something for data from the RS-232 port.
    bool OpFlags67Enabled = false;
};

// `rgTimedDataSelect` (0 RS-232, 1 Sensor). With sensor data flags 6 and 7
// are unticked in the model and "TdfTabVisible" is switched on.
DataSourceEffects TimedDataSourceChanged(XmtrConfig& cfg, TGlbIni& ini, int source);
// `rgRandomDataSelect`; with sensor data "RdfTabVisible" is switched on.
DataSourceEffects RandomDataSourceChanged(XmtrConfig& cfg, TGlbIni& ini, int source);

// The buttons `rbRandomFmtASCII`, `rbRandomFmtPseudo`, `rbRandomFmtBinary`.
struct RandomFormatButtons {
    bool AsciiEnabled = true;
    bool PseudoEnabled = true;
    bool BinaryEnabled = true;
    int Checked = -1; // 0 ASCII, 1 Pseudo, 2 Binary, -1 none

    bool operator==(const RandomFormatButtons&) const = default;
};

// `RefreshRandomDataFormat`. ARGOS/SCD messages are binary-coded: ASCII is
// not offered, and with sensor data the message is binary. A button checked
// here is a choice, so the model's random data format follows it.
RandomFormatButtons RefreshRandomDataFormat(XmtrConfig& cfg, bool argosMode);

} // namespace tavin

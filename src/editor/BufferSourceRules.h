#pragma once
// How the buffer pages follow the data source and data format choices of
// the "Transmission Setup" page: which pages appear, which choices are
// offered, and the random data format buttons in each transmission mode.

#include "editor/TxSetupRules.h"
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

// `RefreshRandomDataFormat` on the model: the buttons as the transmission
// page's rule gives them, and, since a button checked here is a choice, the
// model's random data format following it.
RandomFormatButtons RefreshRandomDataFormat(XmtrConfig& cfg, bool argosMode);

} // namespace tavin

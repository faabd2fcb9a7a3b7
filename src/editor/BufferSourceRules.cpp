#include "editor/BufferSourceRules.h"

namespace tavin {

// The reactions are the transmission page's rules; here they also reach the
// model and the preferences.

DataSourceEffects TimedDataSourceChanged(XmtrConfig& cfg, TGlbIni& ini, int source) {
    const DataSourceReaction r = TimedDataSourceReaction(source);
    cfg.TimedTx.DataSource = static_cast<std::uint8_t>(source);
    DataSourceEffects e;
    e.ShowBufferPage = r.ShowDataPage;
    e.DataOrderEnabled = r.DataOrderEnabled;
    e.OpFlags67Enabled = r.FlagsSixSevenEnabled;
    if (r.ShowDataPage) {
        ini.TdfTabVisible = true;
    }
    if (!r.FlagsSixSevenEnabled) {
        cfg.TimedTx.OpFlags[6] = false;
        cfg.TimedTx.OpFlags[7] = false;
    }
    return e;
}

DataSourceEffects RandomDataSourceChanged(XmtrConfig& cfg, TGlbIni& ini, int source) {
    const DataSourceReaction r = RandomDataSourceReaction(source);
    cfg.RandomTx.DataSource = static_cast<std::uint8_t>(source);
    DataSourceEffects e;
    e.ShowBufferPage = r.ShowDataPage;
    e.DataOrderEnabled = r.DataOrderEnabled;
    e.ShowTriggerPage = r.ShowTriggerPage;
    e.HideTriggerPage = r.HideTriggerPage;
    if (r.ShowDataPage) {
        ini.RdfTabVisible = true;
    }
    return e;
}

RandomFormatButtons RefreshRandomDataFormat(XmtrConfig& cfg, bool argosMode) {
    const RandomFormatButtons b =
        RefreshRandomDataFormat(cfg.RandomTx.DataFormat, cfg.RandomTx.DataSource, argosMode);
    if (argosMode && b.Checked != kNoChoice) {
        cfg.RandomTx.DataFormat = static_cast<std::uint8_t>(b.Checked);
    }
    return b;
}

} // namespace tavin

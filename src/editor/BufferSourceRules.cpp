#include "editor/BufferSourceRules.h"

namespace tavin {

namespace {
constexpr int kSensor = 1;
constexpr int kPseudo = 1;
constexpr int kBinary = 2;
} // namespace

DataSourceEffects TimedDataSourceChanged(XmtrConfig& cfg, TGlbIni& ini, int source) {
    DataSourceEffects e;
    cfg.TimedTx.DataSource = static_cast<std::uint8_t>(source);
    if (source == kSensor) {
        e.ShowBufferPage = true;
        ini.TdfTabVisible = true;
        e.DataOrderEnabled = true;
        cfg.TimedTx.OpFlags[6] = false;
        cfg.TimedTx.OpFlags[7] = false;
    } else {
        e.OpFlags67Enabled = true;
    }
    return e;
}

DataSourceEffects RandomDataSourceChanged(XmtrConfig& cfg, TGlbIni& ini, int source) {
    DataSourceEffects e;
    cfg.RandomTx.DataSource = static_cast<std::uint8_t>(source);
    if (source == kSensor) {
        e.ShowBufferPage = true;
        ini.RdfTabVisible = true;
        e.ShowTriggerPage = true;
        e.DataOrderEnabled = true;
    } else {
        e.HideTriggerPage = true;
    }
    return e;
}

RandomFormatButtons RefreshRandomDataFormat(XmtrConfig& cfg, bool argosMode) {
    RandomFormatButtons b;
    std::uint8_t& format = cfg.RandomTx.DataFormat;
    if (!argosMode) {
        b.Checked = format <= kBinary ? format : -1;
        return b;
    }
    b.AsciiEnabled = false;
    if (cfg.RandomTx.DataSource == kSensor) {
        b.PseudoEnabled = false;
        b.BinaryEnabled = false;
        format = kBinary;
    } else if (format != kPseudo && format != kBinary) {
        format = kPseudo;
    }
    b.Checked = format;
    return b;
}

} // namespace tavin

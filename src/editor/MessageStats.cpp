#include "editor/MessageStats.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace tavin {
namespace {

constexpr int kRate100 = 0, kRate300 = 1, kRate1200 = 2;
constexpr int kInterleaverNone = 0, kInterleaverShort = 1, kInterleaverLong = 2;
constexpr int kFormatAscii = 0, kFormatBinary = 2;

bool Has(std::string_view flags, char c) {
    return flags.find(c) != std::string_view::npos;
}

int FlagLetterCount(std::string_view flags) {
    int n = 0;
    for (char c : flags) {
        if (std::string_view("CLBXSRNZ").find(c) != std::string_view::npos) {
            ++n;
        }
    }
    return n;
}

int PlatformIdLength(const XmtrConfig& cfg) {
    const std::string& pis = cfg.General.PlatformIdString;
    return pis == "." ? 0 : static_cast<int>(pis.size());
}

// Bytes of a header entry of kind `kind`, and the extra bytes of its label.
int HeaderSize(const XmtrConfig& cfg, int kind, bool binaryCoded, bool randomBuffer,
               int& labelExtra) {
    labelExtra = 0;
    switch (kind) {
    case 0:
        return PlatformIdLength(cfg);
    case 1:
    case 2:
        return 1;
    case 3:
        return binaryCoded ? 2 : 3;
    case 4:
        labelExtra = 3;
        return binaryCoded ? 1 : 5;
    case 5:
    case 6:
        labelExtra = 3;
        return binaryCoded ? 2 : 5;
    case 7:
        labelExtra = 3;
        return binaryCoded ? 2 : 6;
    case 8:
    case 9:
        labelExtra = 5;
        return binaryCoded ? 4 : 10;
    case 10:
        return randomBuffer ? (binaryCoded ? 1 : 3) : 0;
    default:
        return 0;
    }
}

std::string LabelOf(const std::string& label, std::string (*fallback)(int), int row) {
    return label.empty() ? fallback(row) : label;
}

int EntryLength(const XmtrConfig& cfg, const TDataFormatRow& e, bool binaryCoded,
                bool randomBuffer) {
    const std::string_view flags = e.Flags;
    if (e.SourceType == 'T') {
        int n = static_cast<int>(e.Text.size());
        if (Has(flags, 'L')) {
            n += 2;
            if (Has(flags, 'X')) {
                n -= 1;
            }
        }
        n += Has(flags, 'S') + Has(flags, 'R') + Has(flags, 'N');
        return n;
    }
    if (e.IsFree()) {
        return 0;
    }
    const bool labelled = Has(flags, 'L');
    int n = FlagLetterCount(flags);
    n -= Has(flags, 'Z');
    if (labelled) {
        n -= 1;
        n -= Has(flags, 'X');
    }
    n -= Has(flags, 'C');
    if (e.SourceType == 'H') {
        int extra = 0;
        n += HeaderSize(cfg, e.SourceIndex, binaryCoded, randomBuffer, extra);
        return n + (labelled ? extra : 0);
    }
    const int width = std::abs(e.FieldWidth);
    n += width * e.ValueCount;
    n += width * (((e.StatFlags & kStatMin) != 0) + ((e.StatFlags & kStatMax) != 0) +
                  ((e.StatFlags & kStatAvg) != 0));
    if (labelled && e.SourceIndex < kSDI12Rows) {
        if (e.SourceType == 'S') {
            n += static_cast<int>(
                     LabelOf(cfg.SDI12[e.SourceIndex].Label, DefaultSDI12Label, e.SourceIndex)
                         .size()) +
                 2;
        } else if (e.SourceType == 'I') {
            n += static_cast<int>(
                     LabelOf(cfg.Internal[e.SourceIndex].Label, DefaultInternLabel, e.SourceIndex)
                         .size()) +
                 2;
        }
    }
    return n;
}

template <typename Rows>
int BufferLength(const XmtrConfig& cfg, const Rows& rows, int dataFormat, bool randomBuffer) {
    int total = 0;
    for (const auto& e : rows) {
        total += EntryLength(cfg, e, dataFormat != kFormatAscii, randomBuffer);
    }
    return total;
}

int RoundUp(int value, int step) {
    return (value + step - 1) / step * step;
}

std::string Format(const char* fmt, double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, fmt, v);
    return buf;
}

const char* InterleaverWord(int i) {
    switch (i) {
    case kInterleaverNone:
        return "None";
    case kInterleaverShort:
        return "Short";
    case kInterleaverLong:
        return "Long";
    default:
        return "";
    }
}

const char* InterleaverSize(int i) {
    switch (i) {
    case kInterleaverNone:
        return "N/A";
    case kInterleaverShort:
        return "96 bytes";
    case kInterleaverLong:
        return "192 bytes";
    default:
        return "";
    }
}

// The labels of a 300 or 1200 bit/s message.
void FastRateLabels(MessageStatsLabels& l, int rate, int interleaver) {
    const bool r300 = rate == kRate300;
    l.TypeCaption = "Interleaver:";
    l.TypeValue = InterleaverWord(interleaver);
    l.SizeValue = InterleaverSize(interleaver);
    l.Carrier = r300 ? "0.50 sec" : "0.25 sec";
    l.SymbolCaption = "Clock Dur:";
    l.SymbolValue = r300 ? "0.02 sec" : "0.005 sec";
    l.Frame = r300 ? "0.10 sec" : "0.025 sec";
    l.DataRate = r300 ? "37.5 bytes/sec" : "150 bytes/sec";
    l.BitRate = r300 ? "300bps" : "1200bps";
}

void SlowRateLabels(MessageStatsLabels& l, bool longPreamble) {
    l.TypeCaption = "Preamble:";
    l.TypeValue = longPreamble ? "Long" : "Short";
    l.SizeValue = "N/A";
    l.Carrier = longPreamble ? "5.00 sec" : "0.50 sec";
    l.SymbolCaption = "Symbol Dur:";
    l.SymbolValue = longPreamble ? "2.50 sec" : "0.48 sec";
    l.Frame = "0.15";
    l.DataRate = "12.5 bytes/sec";
    l.BitRate = "100bps";
}

MessageFigures Figures(int buffer, int msg, double seconds, const char* unit) {
    MessageFigures f;
    f.BufferLength = buffer;
    f.MsgLength = msg;
    f.Seconds = seconds;
    f.BufferText = std::to_string(buffer) + unit;
    f.MsgText = std::to_string(msg) + unit;
    f.DurationText = Format("%4.3f sec", seconds);
    return f;
}

} // namespace

int CalcTimedBufferLength(const XmtrConfig& cfg) {
    return BufferLength(cfg, cfg.TimedData, cfg.TimedTx.DataFormat, false);
}

int CalcRandomBufferLength(const XmtrConfig& cfg) {
    return BufferLength(cfg, cfg.RandomData, cfg.RandomTx.DataFormat, true);
}

double CalcTimedMsgLength(const XmtrConfig& cfg, int& length) {
    const auto& tx = cfg.TimedTx;
    const int b = length;
    if (tx.Channel <= 0) {
        return 0;
    }
    const bool binary = tx.DataFormat == kFormatBinary;
    const int framed = b + 8 + (binary ? 3 : 0);
    switch (tx.BitRate) {
    case kRate100:
        if (tx.Channel > 200) {
            length = b + 8;
            return b / 12.5 + 8.27;
        }
        length = b + 5;
        return b / 12.5 + (tx.Preamble == 0 ? 1.52 : 8.04);
    case kRate300:
    case kRate1200: {
        const bool r300 = tx.BitRate == kRate300;
        const double bytesPerSec = r300 ? 37.5 : 150.0;
        switch (tx.Interleaver) {
        case kInterleaverNone:
            length = framed;
            if (r300) {
                return b / 37.5 + 0.8333333333333334 + (binary ? 0.08 : 0);
            }
            return (b + 8) / 150.0 + 0.3333333333333333 + (binary ? 0.02 : 0);
        case kInterleaverShort:
        case kInterleaverLong:
            length = RoundUp(framed, tx.Interleaver == kInterleaverShort ? 96 : 192);
            return length / bytesPerSec + (r300 ? 0.62 : 0.28);
        default:
            return 0;
        }
    }
    default:
        return 0;
    }
}

double CalcRandomMsgLength(const XmtrConfig& cfg, int& length) {
    const auto& tx = cfg.RandomTx;
    const int b = length;
    if (tx.Channel <= 0) {
        return 0;
    }
    const bool binary = tx.DataFormat == kFormatBinary;
    switch (tx.BitRate) {
    case kRate100:
        return b / 12.5 + (tx.Channel > 200 ? 8.27 : 1.52);
    case kRate300:
    case kRate1200: {
        const bool r300 = tx.BitRate == kRate300;
        const double binaryExtra = binary ? (r300 ? 0.08 : 0.02) : 0;
        switch (tx.Interleaver) {
        case kInterleaverNone:
            return b / (r300 ? 37.5 : 150.0) + (r300 ? 0.8333333333333334 : 0.3333333333333333) +
                   binaryExtra;
        case kInterleaverShort:
        case kInterleaverLong:
            length = RoundUp(b + (r300 ? 4 : 8), tx.Interleaver == kInterleaverShort ? 96 : 192);
            return length / (r300 ? 37.5 : 150.0) + (r300 ? 0.62 : 0.28) + binaryExtra;
        default:
            return 0;
        }
    }
    default:
        return 0;
    }
}

int CalcARGOSBufferLength(const XmtrConfig& cfg, bool extendedTables) {
    int bits = 0;
    if (cfg.RandomTx.DataSource == 0) {
        for (auto w : cfg.RandomTx.ArgosDataPack) {
            bits += w;
        }
    } else if (cfg.RandomTx.DataSource == 1) {
        const int rows = extendedTables ? kRandomDataRows : 20;
        for (int i = 0; i < rows; ++i) {
            const auto& e = cfg.RandomData[i];
            bits += std::abs(e.FieldWidth) * e.ValueCount;
        }
    }
    return bits;
}

double CalcARGOSMsgLength(const XmtrConfig& cfg, int& bits) {
    const std::string& id = cfg.PlatformIdArgos;
    int header = 56;
    if (id.size() < 8) {
        header = 28;
    } else if (id[6] == '0' && id[7] == '0') {
        header = 48;
    }
    bits += header;
    return bits / 400.0 + 0.23;
}

MessageStatsLabels UpdateTimedMsgStats(const XmtrConfig& cfg) {
    MessageStatsLabels l;
    const auto& tx = cfg.TimedTx;
    l.Visible = tx.Channel > 0;
    if (tx.BitRate == kRate100) {
        SlowRateLabels(l, tx.Channel > 200 || tx.Preamble != 0);
    } else if (tx.BitRate == kRate300 || tx.BitRate == kRate1200) {
        FastRateLabels(l, tx.BitRate, tx.Interleaver);
    }
    return l;
}

MessageStatsLabels UpdateRandomMsgStats(const XmtrConfig& cfg) {
    MessageStatsLabels l;
    const auto& tx = cfg.RandomTx;
    l.Visible = tx.Channel > 0;
    if (tx.BitRate == kRate100) {
        SlowRateLabels(l, tx.Channel > 200);
    } else if (tx.BitRate == kRate300 || tx.BitRate == kRate1200) {
        FastRateLabels(l, tx.BitRate, tx.Interleaver);
    }
    l.SizeCaption = "Size";
    return l;
}

MessageStatsLabels UpdateARGOSMsgStats(const XmtrConfig& cfg) {
    MessageStatsLabels l;
    l.Visible = !cfg.RandomTx.ArgosChannel.empty();
    l.TypeValue = cfg.RandomTx.ScdEnabled ? "SCD+ARGOS" : "ARGOS";
    l.Carrier = Format("%1.4f", 0.16);
    l.SymbolCaption = "Bit Sync:";
    l.SymbolValue = Format("%1.4f", 0.0375);
    l.Frame = Format("%1.4f", 0.02);
    l.SizeCaption = "Iterleaver:";
    l.SizeValue = "None";
    l.BitRate = std::to_string(400) + " BPS"; // the figure is an integer rate
    l.DataRate = Format("%1.4f", 0.0025);
    return l;
}

MessageFigures TimedMessageFigures(const XmtrConfig& cfg) {
    const int buffer = CalcTimedBufferLength(cfg);
    int msg = buffer;
    const double s = CalcTimedMsgLength(cfg, msg);
    return Figures(buffer, msg, s, " bytes");
}

MessageFigures RandomMessageFigures(const XmtrConfig& cfg) {
    const int buffer = CalcRandomBufferLength(cfg);
    int msg = buffer;
    const double s = CalcRandomMsgLength(cfg, msg);
    return Figures(buffer, msg, s, " bytes");
}

MessageFigures ARGOSMessageFigures(const XmtrConfig& cfg, bool extendedTables) {
    const int buffer = CalcARGOSBufferLength(cfg, extendedTables);
    int msg = buffer;
    const double s = CalcARGOSMsgLength(cfg, msg);
    return Figures(buffer, msg, s, " Bits");
}

} // namespace tavin

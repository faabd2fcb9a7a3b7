#include "editor/TxSetupRules.h"

#include "editor/SetupPageTexts.h"

namespace tavin {

namespace {

// A record index as a choice: values beyond the page's buttons show none.
int Choice(int index, int count) {
    return index >= 0 && index < count ? index : kNoChoice;
}

template <typename T> void StoreChoice(int choice, T& field) {
    if (choice != kNoChoice) {
        field = static_cast<T>(choice);
    }
}

} // namespace

std::string IntervalFieldText(const std::string& interval, bool allowIntervalDays) {
    if (allowIntervalDays || interval.size() <= 8) {
        return interval;
    }
    return interval.substr(3, 8);
}

std::string IntervalFromField(const std::string& text) {
    return text.size() > 8 ? text : "00:" + text;
}

TimedTxFields LoadTimedTxFields(const TTimedTxParams& timed, bool allowIntervalDays) {
    TimedTxFields f;
    f.Channel = timed.Channel;
    f.WindowLength = timed.WindowLength;
    f.FirstTx = timed.FirstTx;
    f.Interval = IntervalFieldText(timed.Interval, allowIntervalDays);
    f.BitRate = Choice(timed.BitRate, 3);
    f.Preamble = Choice(timed.Preamble, 2);
    f.Interleaver = Choice(timed.Interleaver, 3);
    f.DataFormat = Choice(timed.DataFormat, 3);
    f.DataSource = Choice(timed.DataSource, 2);
    f.DataOrder = Choice(timed.DataOrder, 2);
    f.OpFlags = timed.OpFlags;
    return f;
}

void StoreTimedTxFields(const TimedTxFields& f, XmtrConfig& cfg) {
    if (!cfg.TimedEnabled || f.Blank) {
        return;
    }
    TTimedTxParams& t = cfg.TimedTx;
    t.Channel = f.Channel;
    t.WindowLength = f.WindowLength;
    t.Interval = IntervalFromField(f.Interval);
    t.FirstTx = f.FirstTx;
    StoreChoice(f.BitRate, t.BitRate);
    StoreChoice(f.Interleaver, t.Interleaver);
    StoreChoice(f.DataFormat, t.DataFormat);
    StoreChoice(f.Preamble, t.Preamble);
    StoreChoice(f.DataSource, t.DataSource);
    StoreChoice(f.DataOrder, t.DataOrder);
    t.OpFlags = f.OpFlags;
}

TimedTxFields BlankTimedTxFields() {
    TimedTxFields f;
    f.Blank = true;
    return f;
}

RandomTxFields LoadRandomTxFields(const TRandomTxParams& random, bool argosMode) {
    RandomTxFields f;
    if (argosMode) {
        f.ArgosChannel = random.ArgosChannel;
        f.Interval = random.ArgosInterval;
        f.Percent = 10;
        f.RepeatCount = random.ArgosRepeatCount;
    } else {
        f.Channel = random.Channel;
        f.Interval = random.Interval;
        f.Percent = random.Percent;
        f.RepeatCount = random.RepeatCount;
        f.BitRate = Choice(random.BitRate, 3);
        f.Interleaver = Choice(random.Interleaver, 3);
    }
    f.DataFormat = Choice(random.DataFormat, 3);
    f.DataSource = Choice(random.DataSource, 2);
    f.DataOrder = Choice(random.DataOrder, 2);
    f.OpFlags = random.OpFlags;
    for (int i = 0; i < kOpFlagCount; ++i) {
        if (!RandomOpFlagSelectable(i)) {
            f.OpFlags[i] = false;
        }
    }
    return f;
}

void StoreRandomTxFields(const RandomTxFields& f, XmtrConfig& cfg, bool argosMode) {
    if (!cfg.RandomEnabled || f.Blank) {
        return;
    }
    TRandomTxParams& r = cfg.RandomTx;
    if (argosMode) {
        r.ArgosChannel = f.ArgosChannel;
        r.ArgosInterval = f.Interval;
        r.ArgosRepeatCount = f.RepeatCount;
        if (f.DataFormat == 1 || f.DataFormat == 2) {
            r.DataFormat = static_cast<std::uint8_t>(f.DataFormat);
        }
    } else {
        r.Channel = f.Channel;
        r.Interval = f.Interval;
        r.Percent = f.Percent;
        StoreChoice(f.BitRate, r.BitRate);
        StoreChoice(f.Interleaver, r.Interleaver);
        r.RepeatCount = f.RepeatCount;
        StoreChoice(f.DataFormat, r.DataFormat);
    }
    StoreChoice(f.DataSource, r.DataSource);
    StoreChoice(f.DataOrder, r.DataOrder);
    r.OpFlags = f.OpFlags;
}

RandomTxFields BlankRandomTxFields(const RandomTxFields& current) {
    RandomTxFields f;
    f.Blank = true;
    f.OpFlags = current.OpFlags;
    f.OpFlags[1] = false;
    f.OpFlags[2] = false;
    return f;
}

bool RandomOpFlagSelectable(int flag) {
    return flag >= 1 && flag <= 4;
}

int TimedChannelMaximum(int bitRate) {
    return bitRate == kRate1200 ? kMaxChannel1200 : kMaxChannel;
}

int RandomChannelMaximum(int bitRate) {
    switch (bitRate) {
    case kRate100:
        return kMaxChannel100Random;
    case kRate1200:
        return kMaxChannel1200;
    default:
        return kMaxChannel;
    }
}

int RandomChannelMinimum(bool randomEnabled) {
    return randomEnabled ? 1 : 0;
}

BitRateReaction TimedBitRateReaction(int bitRate, int channel) {
    BitRateReaction r;
    r.Channel = channel;
    r.MaxChannel = TimedChannelMaximum(bitRate);
    switch (bitRate) {
    case kRate100:
        r.PreambleEnabled = channel <= kMaxShortPreambleChannel;
        r.PreambleLong = !r.PreambleEnabled;
        break;
    case kRate300:
        r.InterleaverEnabled = true;
        break;
    case kRate1200:
        if (channel > kMaxChannel1200) {
            r.Message = texts::kChannelOutOfRange1200;
            r.Channel = kMaxChannel1200;
        }
        r.InterleaverEnabled = true;
        break;
    default:
        break;
    }
    return r;
}

BitRateReaction RandomBitRateReaction(int bitRate, int channel) {
    BitRateReaction r;
    r.Channel = channel;
    r.MaxChannel = RandomChannelMaximum(bitRate);
    r.InterleaverEnabled = RandomInterleaverEnabled(bitRate);
    if (bitRate >= kRate100 && bitRate <= kRate1200 && channel > r.MaxChannel) {
        r.Message =
            bitRate == kRate100 ? texts::kChannelOutOfRange100 : texts::kChannelOutOfRange1200;
        r.Channel = r.MaxChannel;
    }
    return r;
}

bool RandomInterleaverEnabled(int bitRate) {
    return bitRate == kRate300 || bitRate == kRate1200;
}

bool TimedPreambleEnabled(int bitRate, int channel) {
    return bitRate == kRate100 && channel <= kMaxShortPreambleChannel;
}

DataSourceReaction TimedDataSourceReaction(int dataSource) {
    DataSourceReaction r;
    const bool sensor = dataSource == 1;
    r.DataOrderEnabled = sensor;
    r.FlagsSixSevenEnabled = !sensor;
    r.ShowDataPage = sensor;
    return r;
}

DataSourceReaction RandomDataSourceReaction(int dataSource) {
    DataSourceReaction r;
    const bool sensor = dataSource == 1;
    r.DataOrderEnabled = sensor;
    r.ShowDataPage = sensor;
    r.ShowTriggerPage = sensor;
    r.HideTriggerPage = !sensor;
    return r;
}

RandomFormatButtons RefreshRandomDataFormat(int modelFormat, int dataSource, bool argosMode) {
    RandomFormatButtons b;
    if (!argosMode) {
        b.Checked = Choice(modelFormat, 3);
        return b;
    }
    b.AsciiEnabled = false;
    if (dataSource == 1) {
        b.PseudoEnabled = false;
        b.BinaryEnabled = false;
        b.Checked = 2;
    } else {
        b.Checked = modelFormat == 2 ? 2 : 1;
    }
    return b;
}

TxSetupView TabTxSetupView(const TxSetupInputs& in) {
    TxSetupView v;
    const bool locked = in.MonitorMode || in.TemplateLocked;
    v.TimedCaptionGreyed = !in.TimedEnabled || locked;
    v.RandomCaptionGreyed = !in.RandomEnabled || locked;
    v.AdaptRandom = !v.RandomCaptionGreyed;
    if (in.ArgosMode) {
        v.PercentEnabled = false;
        v.FixedPercent = 10;
        v.IntervalMin = 35;
        v.IntervalMax = 300;
        v.BitRateEnabled = false;
        v.ClearRateChoices = true;
        v.DataFormatEnabled = true;
    }
    return v;
}

} // namespace tavin

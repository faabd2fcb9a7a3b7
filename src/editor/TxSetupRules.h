#pragma once
// The rules of the "Transmission Setup" page without the widgets: the
// working copy of the timed and random records that the page's fields hold,
// how it is loaded, stored and blanked, the channel limits of each bit rate,
// the preamble rule and which groups and fields the mode allows. The page
// only shows what these say.

#include "protocol/XmtrConfig.h"

#include <string>

namespace tavin {

// A choice field without selection.
inline constexpr int kNoChoice = -1;

// Bit-rate choices of the page, in the order of their buttons.
inline constexpr int kRate100 = 0;
inline constexpr int kRate300 = 1;
inline constexpr int kRate1200 = 2;

inline constexpr int kMaxChannel = 266;
inline constexpr int kMaxChannel100Random = 200;
inline constexpr int kMaxChannel1200 = 133;
// A timed channel above this at 100 bps has no choice of preamble.
inline constexpr int kMaxShortPreambleChannel = 200;

// What the timed fields show. Empty texts and kNoChoice are the blank state.
struct TimedTxFields {
    bool Blank = false; // the spin fields show nothing
    int Channel = 1;
    int WindowLength = 5;
    std::string Interval; // "hh:mm:ss", or "dd:hh:mm:ss" with days allowed
    std::string FirstTx;  // "hh:mm:ss"
    int BitRate = kNoChoice;
    int Preamble = kNoChoice;
    int Interleaver = kNoChoice;
    int DataFormat = kNoChoice;
    int DataSource = kNoChoice;
    int DataOrder = kNoChoice;
    OpFlagSet OpFlags{};

    bool operator==(const TimedTxFields&) const = default;
};

// What the random fields show. In the ARGOS modes the channel is the ARGOS
// channel text and the bit rate and interleaver have no selection.
struct RandomTxFields {
    bool Blank = false;
    int Channel = 1;
    std::string ArgosChannel;
    int Interval = 5;
    int Percent = 10;
    int RepeatCount = 0;
    int BitRate = kNoChoice;
    int Interleaver = kNoChoice;
    int DataFormat = kNoChoice; // the checked format button
    int DataSource = kNoChoice;
    int DataOrder = kNoChoice;
    OpFlagSet OpFlags{};

    bool operator==(const RandomTxFields&) const = default;
};

// The interval as the field shows it: whole with days allowed, otherwise
// without its day part.
std::string IntervalFieldText(const std::string& interval, bool allowIntervalDays);
// The interval as the record keeps it: a text without days gets "00:".
std::string IntervalFromField(const std::string& text);

TimedTxFields LoadTimedTxFields(const TTimedTxParams& timed, bool allowIntervalDays);
// Copies the fields into the record; nothing while timed transmissions are
// off. Choices without selection leave their record field.
void StoreTimedTxFields(const TimedTxFields& fields, XmtrConfig& cfg);
TimedTxFields BlankTimedTxFields();

RandomTxFields LoadRandomTxFields(const TRandomTxParams& random, bool argosMode);
// Copies the fields into the record; nothing while random transmissions are off.
void StoreRandomTxFields(const RandomTxFields& fields, XmtrConfig& cfg, bool argosMode);
// Random flags 1 and 2 are unticked; 3 and 4 keep their ticks.
RandomTxFields BlankRandomTxFields(const RandomTxFields& current);
// Random flags 0, 5, 6 and 7 are for future use and cannot be ticked.
bool RandomOpFlagSelectable(int flag);

// What choosing a bit rate does to the channel and the choices beside it.
struct BitRateReaction {
    int MaxChannel = kMaxChannel;
    int Channel = 0;     // the channel after the choice (lowered to the limit)
    std::string Message; // the information box, "" for none
    bool PreambleEnabled = false;
    bool PreambleLong = false; // the preamble is set to "Long"
    bool InterleaverEnabled = false;
};

BitRateReaction TimedBitRateReaction(int bitRate, int channel);
BitRateReaction RandomBitRateReaction(int bitRate, int channel);
// After a change of the timed channel or window: a preamble can be chosen
// only at 100 bps up to channel 200.
bool TimedPreambleEnabled(int bitRate, int channel);

// The data source choices: what they allow beside them.
struct DataSourceReaction {
    bool DataOrderEnabled = false;
    bool FlagsSixSevenEnabled = true; // timed only
    bool ShowDataPage = false;        // the buffer page is shown (its preference set on)
    bool ShowTriggerPage = false;     // random only
    bool HideTriggerPage = false;     // random only
};
DataSourceReaction TimedDataSourceReaction(int dataSource);
DataSourceReaction RandomDataSourceReaction(int dataSource);

// The random data format buttons: which are enabled and which is checked
// (kNoChoice: none).
struct RandomFormatButtons {
    bool AsciiEnabled = true;
    bool PseudoEnabled = true;
    bool BinaryEnabled = true;
    int Checked = kNoChoice;

    bool operator==(const RandomFormatButtons&) const = default;
};
// ARGOS/SCD messages are binary-coded: ASCII is not offered, and with sensor
// data the message is binary.
RandomFormatButtons RefreshRandomDataFormat(int modelFormat, int dataSource, bool argosMode);

// Where the page stands when it is entered.
struct TxSetupInputs {
    bool TimedEnabled = false;
    bool RandomEnabled = false;
    bool ArgosMode = false;
    bool MonitorMode = false;
    // "Configure TAVIN From A Template" without "ModifyOnDownload".
    bool TemplateLocked = false;
};

struct TxSetupView {
    bool TimedCaptionGreyed = false;
    bool RandomCaptionGreyed = false;
    // The random fields below are adapted only while its caption is not greyed.
    bool AdaptRandom = true;
    bool PercentEnabled = true;
    int FixedPercent = -1; // the percent field shows this in the ARGOS modes
    int IntervalMin = 5;
    int IntervalMax = 99;
    bool BitRateEnabled = true;    // random bit rate and interleaver choices
    bool ClearRateChoices = false; // they lose their selection
    bool DataFormatEnabled = true; // the random "Data Format" group
};
TxSetupView TabTxSetupView(const TxSetupInputs& in);
// In GOES mode the random interleaver can be chosen at 300 and 1200 bps only.
bool RandomInterleaverEnabled(int bitRate);

// The limits of the random channel field: 0 while random transmissions are
// off, the maximum of the bit rate otherwise.
int RandomChannelMinimum(bool randomEnabled);
int RandomChannelMaximum(int bitRate);
int TimedChannelMaximum(int bitRate);

} // namespace tavin

#pragma once
// The "Transmission Setup" page: the timed and random transmission fields as
// a working copy of their records (TxSetupRules). The enable boxes, the
// bit-rate, data source and data format choices react at once; the record
// catches up through StoreTimedTxFields / StoreRandomTxFields when the focus
// leaves a group and before anything is sent or saved.

#include "editor/TxSetupRules.h"
#include "protocol/XmtrConfig.h"

#include <QWidget>

#include <functional>
#include <optional>
#include <string>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QSpinBox;

namespace tavin {

class ChoiceGroup;
struct TGlbIni;

// What the page asks of the window around it.
struct TxSetupPageHost {
    // The mode the page is shown in (Monitor, template without changes).
    std::function<TxSetupInputs()> Inputs;
    // Shows or hides a page of the window by objectName.
    std::function<void(const std::string& page, bool shown)> SetPageShown;
    std::function<void(const std::string& text)> ShowInfoBox;
    // "Select Channel" for the ARGOS channel: the chosen channel, or nullopt.
    std::function<std::optional<std::string>(const std::string& current)> SelectArgosChannel;
};

class TxSetupPage : public QWidget {
    Q_OBJECT
public:
    TxSetupPage(XmtrConfig& cfg, TGlbIni& ini, TxSetupPageHost host, QWidget* parent = nullptr);

    // The enable boxes' reactions; they run even when the tick did not change.
    void cbTimedClick();
    void cbRandomClick();
    // Ticks or unticks a box from the program: its reaction runs when the
    // tick changes, or always with force.
    void SetTimedChecked(bool on, bool force = false);
    void SetRandomChecked(bool on, bool force = false);
    // The boxes follow TimedEnabled and RandomEnabled of the model.
    void FollowModel(bool force);

    void TabTxSetupEnter();
    void LoadTimedTxFields();
    void StoreTimedTxFields();
    void BlankTimedTxFields();
    void LoadRandomTxFields();
    void StoreRandomTxFields();
    void BlankRandomTxFields();
    // Both records catch up with the fields.
    void StoreTxFields();
    void RefreshRandomDataFormat();

    // What the fields hold, and showing a working copy in them.
    TimedTxFields TimedFields() const;
    RandomTxFields RandomFields() const;
    void ShowTimedFields(const TimedTxFields& f);
    void ShowRandomFields(const RandomTxFields& f);

    // The interval mask and hint of the "AllowIntervalDays" preference.
    void SetIntervalDays(bool allow);
    // GOES: timed and random in their places. ARGOS: the timed part hidden,
    // the ARGOS channel text in place of the random channel.
    void ArrangeForMode(bool argosMode);
    // Enables a station field (timed channel, first transmission, random channel).
    QSpinBox* TimedChannel() const { return timedChannel_; }
    QLineEdit* TimedFirstTx() const { return timedFirstTx_; }
    QSpinBox* RandomChannel() const { return randomChannel_; }

signals:
    // The timed or random data format choice changed (the grids show or
    // hide their slope and offset columns).
    void timedDataFormatChanged(int format);
    void randomDataFormatChanged(int format);

private:
    void BuildTimed();
    void BuildRandom();
    void Connect();
    bool ArgosMode() const;
    void TimedChanged();
    void RandomChanged();
    void rgTimedBitRateClick();
    void rgRandomBitRateClick();
    void RzTimedParamChange();
    void TimedDataSourceReaction();
    void RandomDataSourceReaction(bool reportChange);
    void OnFocusChanged(QWidget* old, QWidget* now);

    XmtrConfig& cfg_;
    TGlbIni& ini_;
    TxSetupPageHost host_;
    bool allowDays_ = false;
    bool arrangedArgos_ = false; // the mode the fields are arranged for

    QCheckBox* cbTimed_ = nullptr;
    QGroupBox* gbTimed_ = nullptr;
    QSpinBox* timedChannel_ = nullptr;
    QLineEdit* timedInterval_ = nullptr;
    QLineEdit* timedFirstTx_ = nullptr;
    QSpinBox* timedWindow_ = nullptr;
    ChoiceGroup* timedBitRate_ = nullptr;
    ChoiceGroup* timedPreamble_ = nullptr;
    ChoiceGroup* timedInterleaver_ = nullptr;
    ChoiceGroup* timedFormat_ = nullptr;
    ChoiceGroup* timedSource_ = nullptr;
    ChoiceGroup* timedOrder_ = nullptr;
    QListWidget* timedFlags_ = nullptr;

    QCheckBox* cbRandom_ = nullptr;
    QGroupBox* gbRandom_ = nullptr;
    QLabel* randomChannelLabel_ = nullptr;
    QSpinBox* randomChannel_ = nullptr;
    QLineEdit* argosChannel_ = nullptr;
    QSpinBox* randomInterval_ = nullptr;
    QSpinBox* randomPercent_ = nullptr;
    QSpinBox* randomRepeat_ = nullptr;
    ChoiceGroup* randomBitRate_ = nullptr;
    ChoiceGroup* randomInterleaver_ = nullptr;
    ChoiceGroup* randomFormat_ = nullptr;
    ChoiceGroup* randomSource_ = nullptr;
    ChoiceGroup* randomOrder_ = nullptr;
    QListWidget* randomFlags_ = nullptr;
};

} // namespace tavin

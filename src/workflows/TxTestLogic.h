#pragma once
// The logic of the test window: forced test transmissions of a chosen type,
// bit rate and channel, stopping them, the OCXO switch and the fail-safe
// reset. The OCXO box never changes by itself or by a click: it follows the
// transmitter's "FTX=" answers, parsed one line per tick of the window's
// reply timer.

#include "link/TransmitterLink.h"

#include <deque>
#include <string>

namespace tavin {

class TxTestView {
public:
    virtual ~TxTestView() = default;
    // The program sets "OCXO On"; no command goes out for it.
    virtual void SetOcxoChecked(bool checked) = 0;
    // The channel spinner's maximum, and its value.
    virtual void SetChannelMaximum(int maximum) = 0;
    virtual void SetChannel(int channel) = 0;
    virtual void ShowInfoBox(const std::string& text) = 0;
    virtual void ShowErrorBox(const std::string& text) = 0;
};

class TxTestController {
public:
    static constexpr int kReplyTimerMs = 30;
    static constexpr int kMaxChannel = 266;
    static constexpr int kMaxChannel1200 = 133;
    static constexpr int kBitRate1200 = 2;

    TxTestController(TransmitterLink& link, TxTestView& view) : link_(link), view_(view) {}

    // "Force Tx": type 0-4 ("Carrier Only" ...), bit rate 0-2 (100, 300, 1200).
    void ForceTx(int typeIndex, int channel, int bitRateIndex, bool ocxoOn);
    // "OCXO On" was clicked by the user; nowChecked is the box after the click.
    void OcxoClicked(bool nowChecked);
    void StopTx();
    void ResetFailSafe();
    // A bit rate was chosen while the spinner shows channel.
    void BitRateChanged(int bitRateIndex, int channel);

    void PacketHandler(const std::string& line);
    // A tick of the reply timer: an error reported by the transmitter is
    // shown, and one waiting line is parsed.
    void OnTimer();

    bool OcxoRequest() const { return ocxoRequest_; }
    bool FailSafeRequest() const { return failSafe_; }
    std::size_t PendingLines() const { return replies_.size(); }

private:
    TransmitterLink& link_;
    TxTestView& view_;
    std::deque<std::string> replies_; // MemoReply
    bool ocxoRequest_ = false;
    bool failSafe_ = false;
};

} // namespace tavin

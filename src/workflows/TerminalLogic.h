#pragma once
// The two terminal windows: the direct control window, which sends any typed
// command line to the transmitter, and the SDI-12 terminal, which sends a
// typed SDI-12 command through the transmitter to the sensor bus.

#include "link/TransmitterLink.h"
#include "workflows/CommandHistory.h"
#include "workflows/ServiceMemo.h"

#include <string>

namespace tavin {

// What the direct control window shows besides its memo.
class DirectControlView : public ServiceMemo {
public:
    // `XmitReplyEdit`: the last reply line without its prompt part.
    virtual void ShowReply(const std::string& text) = 0;
};

class DirectControlController {
public:
    DirectControlController(TransmitterLink& link, DirectControlView& view)
        : link_(link), view_(view) {}

    // Any key in the command box. Replies are shown only from the first key
    // on: what arrives before belongs to someone else.
    void KeyPressed() { typed_ = true; }
    // Enter: the text goes out as a command. Returns whether the box is to
    // be emptied ("Clear On Enter").
    bool Enter(const std::string& text, bool clearOnEnter);
    // Escape: ESC alone goes out.
    bool Escape(bool clearOnEnter);
    void PacketHandler(const std::string& line);

    bool Typed() const { return typed_; }
    CommandHistory& History() { return history_; }

private:
    TransmitterLink& link_;
    DirectControlView& view_;
    CommandHistory history_;
    bool typed_ = false;
};

class SDI12TerminalController {
public:
    // sdiSeen: the program-wide flag, set by the first reply that carries
    // "SDI=" and never cleared while the program runs.
    SDI12TerminalController(TransmitterLink& link, ServiceMemo& memo, bool& sdiSeen)
        : link_(link), memo_(memo), sdiSeen_(sdiSeen) {}

    // Enter: "SDI=" and the text go out, the text goes to the memo. Returns
    // whether the box is to be emptied.
    bool Enter(const std::string& text, bool clearOnEnter);
    // Escape: ESC alone goes out.
    void Escape();
    void PacketHandler(const std::string& line);

private:
    TransmitterLink& link_;
    ServiceMemo& memo_;
    bool& sdiSeen_;
};

} // namespace tavin

#pragma once
// The data buffer check and refresh: the transmitter builds a test buffer
// from its stored message format ("TDP"/"RDP") and the check shows what the
// buffer holds ("TBD?"/"RBD?"); a refresh first sends the locally edited
// format and then checks again. In Monitor mode the buffer status tabs show
// the live buffers ("TBD"/"RBD").
//
// The handlers are installed in the link's `OperationHandler` slot; a check
// lives until its box is unticked, the transmitter refuses ("ERR" while it is
// enabled), or another operation installs its own handler.

#include "link/TransmitterLink.h"
#include "protocol/ParseContext.h"
#include "workflows/BufferCheckHost.h"

#include <string>
#include <string_view>

namespace tavin {

class TransmitterSession;

class BufferCheck {
public:
    BufferCheck(TransmitterSession& session, BufferCheckHost& host);
    BufferCheck(const BufferCheck&) = delete;
    BufferCheck& operator=(const BufferCheck&) = delete;

    // `cbTimedDataBufferCheckClick` / `cbRandomDataBufferCheckClick`, with
    // the box's new tick.
    void BufferCheckClick(DataBuffer which, bool checked);
    // `btnTimedBufferRefreshClick` / `btnRandomBufferRefreshClick`.
    void BufferRefreshClick(DataBuffer which);
    // `HideDataBufferReviewControls`: both checks end, as if unticked.
    void HideDataBufferReviewControls();

    // The line handlers.
    void BufferCheckHandler(DataBuffer which, const std::string& line);
    void BufferRefreshHandler(DataBuffer which, const std::string& line);
    void DataBufferStatusHandler(DataBuffer which, const std::string& line);
    // The Monitor mode handlers, for supervision to install.
    TransmitterLink::LineHandler StatusHandler(DataBuffer which);

    // `DumpStarted`: the size line has arrived, buffer lines follow.
    bool DumpStarted = false;
    // `CheckQuerySent`: the dump query of a check is queued.
    bool CheckQuerySent = false;
    // `LastFormatCommand`, `LastFormatEchoed`.
    std::string LastFormatCommand;
    bool LastFormatEchoed = false;

private:
    class RefreshSink;
    struct HandlerFn;

    void StartCheck(DataBuffer which);
    void EndCheck(DataBuffer which);

    TransmitterSession& s_;
    BufferCheckHost& host_;
};

} // namespace tavin

// The main window's side of a port that opens again, chosen from the "Comm"
// menu or reopened by itself after it was lost: supervision starts over.

#include "app/TfrmXmtrCfg.h"
#include "link/qt/QtLink.h"
#include "workflows/Supervision.h"
#include "workflows/TransmitterSession.h"

namespace tavin {

void TfrmXmtrCfg::ConnectReconnect() {
    connect(link_.get(), &QtLink::portReady, this, [this] {
        if (session_) {
            session_->Supervisor().PortReopened();
        }
    });
}

} // namespace tavin

// The main window's side of a port that opens again: supervision starts over,
// and a lost port that came back by itself is said in the status bar.

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

// Link supervision on the main window: idle polling and the Monitor mode.

#include "app/TfrmXmtrCfg.h"
#include "link/qt/QtLink.h"

namespace tavin {

void TfrmXmtrCfg::ConfigureAutoPoll() {}

bool TfrmXmtrCfg::EnterMonitorMode() {
    return link_->CheckLinkReady(true) && false;
}

} // namespace tavin

// The main window's data buffer pages: building them, refreshing them with
// the other views, and the session's and supervision's requests that reach
// the buffer check.

#include "app/BufferPages.h"
#include "app/MainWindowHost.h"
#include "app/StatusPanel.h"
#include "app/TfrmXmtrCfg.h"
#include "service/TFormOperationInfo.h"

#include <QTabWidget>

namespace tavin {

void TfrmXmtrCfg::BuildBufferPages() {
    BufferPages::Hooks hooks;
    hooks.ShowPage = [this](const std::string& page, bool shown) { SetPageShown(page, shown); };
    hooks.ProgressDialog = [this]() -> QWidget* { return host_ ? host_->BoxDialog() : nullptr; };
    bufferPages_ = std::make_unique<BufferPages>(config_, parse_, ini_, *session_, hooks);
    bufferPages_->Build(pages_);
}

BufferPages& TfrmXmtrCfg::Buffers() {
    return *bufferPages_;
}

void TfrmXmtrCfg::RefreshBufferViews() {
    if (!bufferPages_) {
        return;
    }
    // The status panel is made after the pages; its buffer tabs are filled
    // the first time the views are shown.
    if (statusPanel_) {
        bufferPages_->BuildStatusViews(statusPanel_->Page(StatusTab::TimedDataBfr),
                                       statusPanel_->Page(StatusTab::RandomDataBfr));
    }
    bufferPages_->RefreshRandomDataFormat();
    bufferPages_->RefreshAll();
}

// --- Requests of the session and of supervision ------------------------------------------

void MainWindowHost::HideDataBufferReviewControls() {
    if (w_.bufferPages_) {
        w_.bufferPages_->Check().HideDataBufferReviewControls();
    }
}

void MainWindowHost::ClearDumpStarted() {
    if (w_.bufferPages_) {
        w_.bufferPages_->Check().DumpStarted = false;
    }
}

// The status tabs' views exist by then: the window refreshes its views when
// it is first shown.
TransmitterLink::LineHandler MainWindowHost::TimedDataBufferStatusHandler() {
    if (!w_.bufferPages_) {
        return {};
    }
    return w_.bufferPages_->Check().StatusHandler(DataBuffer::Timed);
}

TransmitterLink::LineHandler MainWindowHost::RandomDataBufferStatusHandler() {
    if (!w_.bufferPages_) {
        return {};
    }
    return w_.bufferPages_->Check().StatusHandler(DataBuffer::Random);
}

} // namespace tavin

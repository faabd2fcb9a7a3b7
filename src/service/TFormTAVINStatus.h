#pragma once
// The status window ("TAVIN Status"): one button per status or inspection
// query, the raw replies in `MemoGenStatus`. A thin view over
// StatusWindowController.

#include "workflows/StatusWindowLogic.h"

#include <QDialog>

namespace tavin {

class Prompter;
class ServiceMemoEdit;

class TFormTAVINStatus : public QDialog {
    Q_OBJECT
public:
    TFormTAVINStatus(TransmitterLink& link, bool extended, Prompter& prompter,
                     QWidget* parent = nullptr);

    // Every reply line while the window is open (the link's ReplyHandler).
    void PacketHandler(const std::string& line) { controller_.PacketHandler(line); }
    StatusWindowController& Controller() { return controller_; }

    ServiceMemoEdit* MemoGenStatus = nullptr;

private:
    Prompter& prompter_;
    ServiceMemoEdit* memo_;
    StatusWindowController controller_;
};

} // namespace tavin

#pragma once
// The direct control window ("TAVIN Direct Control"): a typed command line
// goes to the transmitter as it is, and every reply line comes back into the
// memo, the last one also into the reply box. Up and Down recall earlier
// commands. A thin view over DirectControlController.

#include "workflows/TerminalLogic.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;

namespace tavin {

class Prompter;
class ServiceMemoEdit;

class TFormTAVINControl : public QDialog, private DirectControlView {
    Q_OBJECT
public:
    TFormTAVINControl(TransmitterLink& link, Prompter& prompter, QWidget* parent = nullptr);

    void PacketHandler(const std::string& line) { controller_.PacketHandler(line); }
    DirectControlController& Controller() { return controller_; }

    QLineEdit* XmitCmdEdit = nullptr;
    QLineEdit* XmitReplyEdit = nullptr;
    QCheckBox* cbChkClearOnEnter = nullptr;
    ServiceMemoEdit* MemoTAVINResponse = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowReply(const std::string& text) override;
    void AppendLine(const std::string& line) override;
    void ClearLines() override;

    Prompter& prompter_;
    DirectControlController controller_;
};

} // namespace tavin

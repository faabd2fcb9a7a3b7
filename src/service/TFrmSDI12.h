#pragma once
// The SDI-12 terminal ("SDI-12 "): a typed SDI-12 command goes through the
// transmitter to the sensor bus behind "SDI=", and the sensor's answer comes
// back into the memo without that prefix. A thin view over
// SDI12TerminalController.

#include "workflows/TerminalLogic.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;

namespace tavin {

class Prompter;
class ServiceMemoEdit;

class TFrmSDI12 : public QDialog {
    Q_OBJECT
public:
    // sdiSeen: the program-wide flag that gates the memo (see
    // SDI12TerminalController).
    TFrmSDI12(TransmitterLink& link, bool& sdiSeen, Prompter& prompter, QWidget* parent = nullptr);

    void PacketHandler(const std::string& line) { controller_.PacketHandler(line); }
    SDI12TerminalController& Controller() { return controller_; }

    QLineEdit* SDI12CmdEdit = nullptr;
    QCheckBox* cbChkClearOnEnter = nullptr;
    ServiceMemoEdit* RzMemoSDI12Rsp = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Prompter& prompter_;
    ServiceMemoEdit* memo_;
    SDI12TerminalController controller_;
};

} // namespace tavin

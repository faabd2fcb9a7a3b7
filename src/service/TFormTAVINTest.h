#pragma once
// The test window ("TAVIN Test Options"): forced test transmissions, the
// OCXO switch and the fail-safe reset. A thin view over TxTestController;
// its reply timer parses one waiting line every 30 ms.

#include "workflows/TxTestLogic.h"

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QSpinBox;
class QTimer;

namespace tavin {

class Prompter;

class TFormTAVINTest : public QDialog, private TxTestView {
    Q_OBJECT
public:
    TFormTAVINTest(TransmitterLink& link, Prompter& prompter, QWidget* parent = nullptr);

    void PacketHandler(const std::string& line) { controller_.PacketHandler(line); }
    TxTestController& Controller() { return controller_; }

    QGroupBox* rgForcedTxType = nullptr;
    QGroupBox* rgForcedBitRate = nullptr;
    QSpinBox* RzForcedTxChannel = nullptr;
    QCheckBox* cbEnableOCXO = nullptr;
    QTimer* TimerReply = nullptr;

private:
    void SetOcxoChecked(bool checked) override;
    void SetChannelMaximum(int maximum) override;
    void SetChannel(int channel) override;
    void ShowInfoBox(const std::string& text) override;
    void ShowErrorBox(const std::string& text) override;

    Prompter& prompter_;
    QButtonGroup* types_ = nullptr;
    QButtonGroup* rates_ = nullptr;
    TxTestController controller_;
};

} // namespace tavin

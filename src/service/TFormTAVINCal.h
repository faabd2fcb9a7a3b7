#pragma once
// The calibration window ("Quillfen TAVIN Calibration"): the oscillator
// corrections, the TCXO serial number check, the OCXO correction, and the
// GPS calibration and forced fix with their status box. A thin view over
// CalibrationController; its reply timer runs every 20 ms.

#include "workflows/CalibrationLogic.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QDoubleSpinBox;
class QLabel;
class QTimer;

namespace tavin {

class Prompter;
class TFormOperationInfo;

class TFormTAVINCal : public QDialog, private CalibrationHost {
    Q_OBJECT
public:
    using LinkCheck = std::function<bool(bool showMessage)>;

    TFormTAVINCal(TransmitterLink& link, LinkCheck checkLinkReady, Prompter& prompter,
                  QWidget* parent = nullptr);
    ~TFormTAVINCal() override;

    void PacketHandler(const std::string& line) { controller_.PacketHandler(line); }
    // The opening queries go out through Controller().Open() once the
    // window's handler owns the link.
    CalibrationController& Controller() { return controller_; }
    // The status box dialog while one is shown, else null.
    TFormOperationInfo* StatusDialog() const { return statusDialog_; }

    QDoubleSpinBox* OvcSimSynFreqCorr = nullptr;
    QDoubleSpinBox* OvcSimTCXOCorr = nullptr;
    QDoubleSpinBox* OvcSimTCXOAging = nullptr;
    QLabel* LblFldTCXOSerNum = nullptr;
    QCheckBox* cbTCXOOK = nullptr;
    QLabel* LblOCXOCorrection = nullptr;
    QTimer* TimerReply = nullptr;

public slots:
    void done(int result) override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // CalibrationHost
    bool CheckLinkReady(bool showMessage) override { return checkLinkReady_(showMessage); }
    bool AskYesNo(const std::string& text) override;
    void ShowErrorBox(const std::string& text) override;
    void ShowSynthesizerCorrection(const std::string& text) override;
    void ShowTcxoCorrection(const std::string& text) override;
    void ShowTcxoAging(const std::string& text) override;
    void ShowTcxoSerialNumber(const std::string& text) override;
    void ShowTcxoOk(bool ok) override;
    void ShowOcxoCorrection(const std::string& text) override;
    void ShowStatusBox(OperationBox& box, const std::string& caption) override;
    void StatusBoxChanged(const OperationBox& box) override;
    void StatusBoxClosed(int result) override;

    LinkCheck checkLinkReady_;
    Prompter& prompter_;
    TFormOperationInfo* statusDialog_ = nullptr;
    CalibrationController controller_;
};

} // namespace tavin

#include "service/TFormTAVINCal.h"

#include "service/ServiceWidgets.h"
#include "service/TFormOperationInfo.h"
#include "ui/MessageBoxes.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace tavin {

namespace {

QDoubleSpinBox* CorrectionField(QWidget* parent, const char* name, int decimals) {
    auto* field = new QDoubleSpinBox(parent);
    field->setObjectName(name);
    field->setLocale(QLocale::c());
    field->setDecimals(decimals);
    field->setSingleStep(0.1);
    field->setRange(-999.999999, 999.999999);
    field->setAlignment(Qt::AlignRight);
    if (auto* edit = field->findChild<QLineEdit*>()) {
        edit->setMaxLength(12);
    }
    return field;
}

// A reply's value in a field; a text that is no number leaves it alone.
void ShowNumber(QDoubleSpinBox* field, const std::string& text) {
    bool ok = false;
    const double value = Latin(text).trimmed().toDouble(&ok);
    if (ok) {
        field->setValue(value);
    }
}

} // namespace

TFormTAVINCal::TFormTAVINCal(TransmitterLink& link, LinkCheck checkLinkReady, Prompter& prompter,
                             QWidget* parent)
    : QDialog(parent), checkLinkReady_(std::move(checkLinkReady)), prompter_(prompter),
      controller_(link, *this) {
    setObjectName("FormTAVINCal");
    setWindowTitle("Quillfen TAVIN Calibration");

    auto* synth = new QGroupBox("Synthesizer", this);
    synth->setObjectName("gbSynthesizer");
    OvcSimSynFreqCorr = CorrectionField(synth, "OvcSimSynFreqCorr", 6);
    QPushButton* synRead = ServiceButton(synth, "BtnSynRead", "Read");
    QPushButton* synSet = ServiceButton(synth, "BtnSynSet", "Set");
    auto* synthGrid = new QGridLayout(synth);
    synthGrid->addWidget(new QLabel("Synthesizer Frequency Correction (ppm)", synth), 0, 0, 1, 3);
    synthGrid->addWidget(OvcSimSynFreqCorr, 1, 0);
    synthGrid->addWidget(synRead, 1, 1);
    synthGrid->addWidget(synSet, 1, 2);

    auto* tcxo = new QGroupBox("TCXO Calibration", this);
    tcxo->setObjectName("gbTCXOCalibration");
    LblFldTCXOSerNum = new QLabel(tcxo);
    LblFldTCXOSerNum->setObjectName("LblFldTCXOSerNum");
    cbTCXOOK = new QCheckBox("OK", tcxo);
    cbTCXOOK->setObjectName("cbTCXOOK");
    cbTCXOOK->setEnabled(false);
    OvcSimTCXOCorr = CorrectionField(tcxo, "OvcSimTCXOCorr", 6);
    OvcSimTCXOAging = CorrectionField(tcxo, "OvcSimTCXOAging", 3);
    QPushButton* tcrRead = ServiceButton(tcxo, "BtnTCXORead", "Read");
    QPushButton* tcrSet = ServiceButton(tcxo, "BtnTCXOSet", "Set");
    QPushButton* tcaRead = ServiceButton(tcxo, "BtnAgingRead", "Read");
    QPushButton* tcaSet = ServiceButton(tcxo, "BtnAgingSet", "Set");
    auto* tcxoGrid = new QGridLayout(tcxo);
    tcxoGrid->addWidget(new QLabel("Serial Number :", tcxo), 0, 0);
    tcxoGrid->addWidget(LblFldTCXOSerNum, 0, 1);
    tcxoGrid->addWidget(cbTCXOOK, 0, 2);
    tcxoGrid->addWidget(new QLabel("Correction (ppm)", tcxo), 1, 0, 1, 3);
    tcxoGrid->addWidget(OvcSimTCXOCorr, 2, 0);
    tcxoGrid->addWidget(tcrRead, 2, 1);
    tcxoGrid->addWidget(tcrSet, 2, 2);
    tcxoGrid->addWidget(new QLabel("Aging Correction (ppm)", tcxo), 3, 0, 1, 3);
    tcxoGrid->addWidget(OvcSimTCXOAging, 4, 0);
    tcxoGrid->addWidget(tcaRead, 4, 1);
    tcxoGrid->addWidget(tcaSet, 4, 2);

    auto* ocxo = new QGroupBox("OCXO Correction", this);
    ocxo->setObjectName("gbOCXOCorrection");
    LblOCXOCorrection = new QLabel(ocxo);
    LblOCXOCorrection->setObjectName("LblOCXOCorrection");
    QPushButton* ocrRead = ServiceButton(ocxo, "BtnOCXOCorrection", "OCXO Correction?");
    auto* ocxoRow = new QHBoxLayout(ocxo);
    ocxoRow->addWidget(LblOCXOCorrection, 1);
    ocxoRow->addWidget(ocrRead);

    QPushButton* gpsCal = ServiceButton(this, "BtnStartGPSCal", "Start GPS Calibration");
    QPushButton* fix = ServiceButton(this, "BtnTimePositionFix", "Time && Position Fix");
    QPushButton* close = ServiceButton(this, "BtnClose", "Close");
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(gpsCal);
    bottom->addWidget(fix);
    bottom->addStretch(1);
    bottom->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(synth);
    layout->addWidget(tcxo);
    layout->addWidget(ocxo);
    layout->addLayout(bottom);

    auto text = [](QDoubleSpinBox* field) { return Latin(field->text()); };
    connect(synRead, &QPushButton::clicked, this, [this] { controller_.ReadSynthesizer(); });
    connect(synSet, &QPushButton::clicked, this,
            [this, text] { controller_.SetSynthesizer(text(OvcSimSynFreqCorr)); });
    connect(tcrRead, &QPushButton::clicked, this, [this] { controller_.ReadTcxoCorrection(); });
    connect(tcrSet, &QPushButton::clicked, this,
            [this, text] { controller_.SetTcxoCorrection(text(OvcSimTCXOCorr)); });
    connect(tcaRead, &QPushButton::clicked, this, [this] { controller_.ReadTcxoAging(); });
    connect(tcaSet, &QPushButton::clicked, this,
            [this, text] { controller_.SetTcxoAging(text(OvcSimTCXOAging)); });
    connect(ocrRead, &QPushButton::clicked, this, [this] { controller_.ReadOcxoCorrection(); });
    connect(gpsCal, &QPushButton::clicked, this, [this] { controller_.StartGpsCalibration(); });
    connect(fix, &QPushButton::clicked, this, [this] { controller_.ForceFix(); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    TimerReply = new QTimer(this);
    TimerReply->setObjectName("TimerReply");
    TimerReply->setInterval(CalibrationController::kReplyTimerMs);
    connect(TimerReply, &QTimer::timeout, this, [this] { controller_.OnTimer(); });
    TimerReply->start();
}

TFormTAVINCal::~TFormTAVINCal() {
    TimerReply->stop();
}

void TFormTAVINCal::done(int result) {
    // Close, Escape and the frame's button all come here.
    if (controller_.CanClose()) {
        QDialog::done(result);
    }
}

void TFormTAVINCal::closeEvent(QCloseEvent* event) {
    if (controller_.Calibrating() || controller_.Fixing()) {
        controller_.CanClose();
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

bool TFormTAVINCal::AskYesNo(const std::string& text) {
    return prompter_.AskYesNo(text);
}

void TFormTAVINCal::ShowErrorBox(const std::string& text) {
    prompter_.ShowErrorBox(text);
}

void TFormTAVINCal::ShowSynthesizerCorrection(const std::string& text) {
    ShowNumber(OvcSimSynFreqCorr, text);
}

void TFormTAVINCal::ShowTcxoCorrection(const std::string& text) {
    ShowNumber(OvcSimTCXOCorr, text);
}

void TFormTAVINCal::ShowTcxoAging(const std::string& text) {
    ShowNumber(OvcSimTCXOAging, text);
}

void TFormTAVINCal::ShowTcxoSerialNumber(const std::string& text) {
    LblFldTCXOSerNum->setText(Latin(text));
}

void TFormTAVINCal::ShowTcxoOk(bool ok) {
    cbTCXOOK->setChecked(ok);
}

void TFormTAVINCal::ShowOcxoCorrection(const std::string& text) {
    LblOCXOCorrection->setText(Latin(text));
}

void TFormTAVINCal::ShowStatusBox(OperationBox& box, const std::string& caption) {
    if (statusDialog_) {
        TFormOperationInfo* old = statusDialog_;
        statusDialog_ = nullptr;
        old->hide();
        old->QDialog::done(mrCancel);
    }
    TFormOperationInfo dialog(box, this);
    dialog.setWindowTitle(Latin(caption));
    statusDialog_ = &dialog;
    dialog.exec();
    if (statusDialog_ == &dialog) {
        statusDialog_ = nullptr;
    }
}

void TFormTAVINCal::StatusBoxChanged(const OperationBox&) {
    if (statusDialog_) {
        statusDialog_->Refresh();
    }
}

void TFormTAVINCal::StatusBoxClosed(int result) {
    if (statusDialog_) {
        statusDialog_->Finish(result);
    }
}

} // namespace tavin

#include "service/TFormTAVINTest.h"

#include "service/ServiceWidgets.h"
#include "ui/MessageBoxes.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

namespace tavin {

namespace {

const char* const kTypes[] = {"Carrier Only", "Random Modulation ", "Alternate Modulation (Clock)",
                              "Fixed Message", "Identify Message (Fixed + Location)"};
const char* const kRates[] = {"100 BPS", "300 BPS", "1200 BPS"};

QGroupBox* RadioGroup(QWidget* parent, const char* name, const char* title,
                      const char* const* items, int count, QButtonGroup*& group) {
    auto* box = new QGroupBox(title, parent);
    box->setObjectName(name);
    auto* layout = new QVBoxLayout(box);
    group = new QButtonGroup(box);
    for (int i = 0; i < count; ++i) {
        auto* radio = new QRadioButton(items[i], box);
        radio->setObjectName(QStringLiteral("%1_%2").arg(name).arg(i));
        group->addButton(radio, i);
        layout->addWidget(radio);
    }
    group->button(0)->setChecked(true);
    return box;
}

} // namespace

TFormTAVINTest::TFormTAVINTest(TransmitterLink& link, Prompter& prompter, QWidget* parent)
    : QDialog(parent), prompter_(prompter), controller_(link, *this) {
    setObjectName("FormTAVINTest");
    setWindowTitle("TAVIN Test Options");

    auto* force = new QGroupBox("Force Transmission", this);
    force->setObjectName("gbForceTransmission");
    rgForcedTxType = RadioGroup(force, "rgForcedTxType", "Type", kTypes, 5, types_);
    rgForcedBitRate = RadioGroup(force, "rgForcedBitRate", "Bit Rate", kRates, 3, rates_);
    RzForcedTxChannel = new QSpinBox(force);
    RzForcedTxChannel->setObjectName("RzForcedTxChannel");
    RzForcedTxChannel->setRange(1, TxTestController::kMaxChannel);
    RzForcedTxChannel->setWrapping(true);
    RzForcedTxChannel->setToolTip("Enter Timed Transmission Channel");
    cbEnableOCXO = new QCheckBox("OCXO On", force);
    cbEnableOCXO->setObjectName("cbEnableOCXO");
    QPushButton* forceTx = ServiceButton(force, "BtnForceTx", "Force Tx",
                                         "Force the Transmitter to send a transmission");
    QPushButton* stopTx =
        ServiceButton(force, "BtnStopTx", "Stop Tx", "Stop the current transmission");
    QPushButton* failSafe = ServiceButton(force, "BtnResetFailSafe", "Reset Fail-Safe");

    auto* channel = new QHBoxLayout;
    channel->addWidget(new QLabel("Channel", force));
    channel->addWidget(RzForcedTxChannel);
    channel->addStretch(1);
    auto* buttons = new QVBoxLayout;
    buttons->addLayout(channel);
    buttons->addWidget(cbEnableOCXO);
    buttons->addWidget(forceTx);
    buttons->addWidget(stopTx);
    buttons->addWidget(failSafe);
    buttons->addStretch(1);
    auto* grid = new QGridLayout(force);
    grid->addWidget(rgForcedTxType, 0, 0, 2, 1);
    grid->addWidget(rgForcedBitRate, 0, 1);
    grid->addLayout(buttons, 1, 1);

    QPushButton* close = ServiceButton(this, "BtnClose", "Close");
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(force);
    layout->addLayout(bottom);

    TimerReply = new QTimer(this);
    TimerReply->setObjectName("TimerReply");
    TimerReply->setInterval(TxTestController::kReplyTimerMs);
    connect(TimerReply, &QTimer::timeout, this, [this] { controller_.OnTimer(); });
    TimerReply->start();

    connect(forceTx, &QPushButton::clicked, this, [this] {
        controller_.ForceTx(types_->checkedId(), RzForcedTxChannel->value(), rates_->checkedId(),
                            cbEnableOCXO->isChecked());
    });
    connect(stopTx, &QPushButton::clicked, this, [this] { controller_.StopTx(); });
    connect(failSafe, &QPushButton::clicked, this, [this] { controller_.ResetFailSafe(); });
    connect(cbEnableOCXO, &QCheckBox::clicked, this,
            [this](bool checked) { controller_.OcxoClicked(checked); });
    connect(rates_, &QButtonGroup::idClicked, this,
            [this](int id) { controller_.BitRateChanged(id, RzForcedTxChannel->value()); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
}

void TFormTAVINTest::SetOcxoChecked(bool checked) {
    // Set by the program: `clicked` is not emitted, so nothing is sent.
    cbEnableOCXO->setChecked(checked);
}

void TFormTAVINTest::SetChannelMaximum(int maximum) {
    RzForcedTxChannel->setMaximum(maximum);
}

void TFormTAVINTest::SetChannel(int channel) {
    RzForcedTxChannel->setValue(channel);
}

void TFormTAVINTest::ShowInfoBox(const std::string& text) {
    prompter_.ShowInfoBox(text);
}

void TFormTAVINTest::ShowErrorBox(const std::string& text) {
    prompter_.ShowErrorBox(text);
}

} // namespace tavin

#include "service/TFormOperationInfo.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace tavin {

namespace {

QLabel* MakeLabel(QWidget* parent, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    label->setVisible(false);
    return label;
}

} // namespace

TFormOperationInfo::TFormOperationInfo(QWidget* parent) : TFormOperationInfo(ownBox_, parent) {
    ownBox_.SetHost(this);
}

TFormOperationInfo::TFormOperationInfo(OperationBox& external, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowStaysOnTopHint),
      box_(&external) {
    setObjectName("FormOperationInfo");
    setWindowTitle("Information");
    setModal(true);

    LblOperationString = MakeLabel(this, "LblOperationString");
    LblUserInstruction = MakeLabel(this, "LblUserInstruction");
    LblCommand = MakeLabel(this, "LblCommand");
    ProgressBar = new QProgressBar(this);
    ProgressBar->setObjectName("ProgressBar");
    ProgressBar->setVisible(false);
    BtnOK = new QPushButton("OK", this);
    BtnOK->setObjectName("BtnOK");
    BtnCancel = new QPushButton("Cancel", this);
    BtnCancel->setObjectName("BtnCancel");
    BtnOK->setAutoDefault(false);
    BtnCancel->setAutoDefault(false);
    TimerDelay = new QTimer(this);
    TimerDelay->setObjectName("TimerDelay");
    TimerDelay->setSingleShot(true);
    TimerDelay->setTimerType(Qt::PreciseTimer);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BtnOK);
    buttons->addWidget(BtnCancel);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(LblOperationString);
    layout->addWidget(LblUserInstruction);
    layout->addWidget(LblCommand);
    layout->addWidget(ProgressBar);
    layout->addLayout(buttons);
    setMinimumWidth(320);

    connect(BtnOK, &QPushButton::clicked, this, [this] { box_->ClickOK(); });
    connect(BtnCancel, &QPushButton::clicked, this, [this] { box_->ClickCancel(); });
    connect(TimerDelay, &QTimer::timeout, this, [this] { TimerDelayTimer(); });
    BoxChanged();
}

int TFormOperationInfo::exec() {
    if (!box_->IsOpen()) {
        return box_->Result();
    }
    return QDialog::exec();
}

void TFormOperationInfo::reject() {
    box_->ClickCancel();
}

void TFormOperationInfo::closeEvent(QCloseEvent* event) {
    // The box has no close button; it ends only with a result.
    if (box_->IsOpen()) {
        event->ignore();
    } else {
        QDialog::closeEvent(event);
    }
}

void TFormOperationInfo::BoxChanged() {
    auto show = [](QLabel* widget, const OperationBox::Label& label) {
        widget->setText(QString::fromLatin1(label.text.c_str()));
        widget->setVisible(label.visible);
    };
    show(LblOperationString, box_->Get(BoxLabel::Operation));
    show(LblUserInstruction, box_->Get(BoxLabel::Instruction));
    show(LblCommand, box_->Get(BoxLabel::Command));
    const OperationBox::Bar& bar = box_->Progress();
    ProgressBar->setRange(bar.minimum, bar.maximum);
    ProgressBar->setValue(bar.position);
    ProgressBar->setVisible(bar.visible);
    const OperationBox::Button& ok = box_->Get(BoxButton::OK);
    const OperationBox::Button& cancel = box_->Get(BoxButton::Cancel);
    BtnOK->setText(QString::fromLatin1(ok.caption.c_str()));
    BtnOK->setVisible(ok.visible);
    BtnCancel->setText(QString::fromLatin1(cancel.caption.c_str()));
    BtnCancel->setVisible(cancel.visible);
}

void TFormOperationInfo::StartDelayTimer(int ms) {
    TimerDelay->start(ms);
}

void TFormOperationInfo::StopDelayTimer() {
    TimerDelay->stop();
}

void TFormOperationInfo::BoxClosed(int result) {
    TimerDelay->stop();
    done(result);
}

} // namespace tavin

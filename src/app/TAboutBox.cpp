#include "app/TAboutBox.h"

#include "app/AppTexts.h"

#include <QFont>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <QtGlobal>

#ifndef TAVIN_VERSION
#define TAVIN_VERSION "0.0"
#endif

namespace tavin {

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName("AboutBox");
    setWindowTitle("About");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(32, 24, 32, 20);
    layout->setSpacing(8);
    auto* name = new QLabel(texts::kApplicationTitle, this);
    name->setObjectName("ProductName");
    QFont big = name->font();
    big.setPointSizeF(big.pointSizeF() * 1.5);
    big.setBold(true);
    name->setFont(big);
    auto* version = new QLabel(QStringLiteral("Version ") + TAVIN_VERSION, this);
    version->setObjectName("Version");
    auto* qt = new QLabel(QStringLiteral("Qt ") + qVersion(), this);
    qt->setObjectName("QtVersion");
    ok_ = new QPushButton("OK", this);
    ok_->setObjectName("OKButton");
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    for (QLabel* label : {name, version, qt}) {
        label->setAlignment(Qt::AlignHCenter);
        layout->addWidget(label);
    }
    layout->addSpacing(8);
    layout->addWidget(ok_, 0, Qt::AlignHCenter);
}

void TAboutBox::CloseAfter(int ms) {
    ok_->hide();
    QTimer::singleShot(ms, this, &QDialog::accept);
}

void TAboutBox::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Over the middle of the window, or of the screen while there is none
    // on show yet (the start-up box).
    QRect area;
    if (parentWidget() && parentWidget()->isVisible()) {
        area = parentWidget()->window()->frameGeometry();
    } else if (QScreen* screen = this->screen()) {
        area = screen->availableGeometry();
    }
    if (area.isValid()) {
        move(area.center() - rect().center());
    }
}

} // namespace tavin

#include "app/TAboutBox.h"

#include "app/AppTexts.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#ifndef TAVIN_VERSION
#define TAVIN_VERSION "0.0"
#endif

namespace tavin {

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName("AboutBox");
    setWindowTitle("About");
    auto* layout = new QVBoxLayout(this);
    auto* name = new QLabel(texts::kApplicationTitle, this);
    name->setObjectName("ProductName");
    auto* version = new QLabel(QStringLiteral("Version ") + TAVIN_VERSION, this);
    version->setObjectName("Version");
    ok_ = new QPushButton("OK", this);
    ok_->setObjectName("OKButton");
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(name);
    layout->addWidget(version);
    layout->addWidget(ok_);
}

void TAboutBox::CloseAfter(int ms) {
    ok_->hide();
    QTimer::singleShot(ms, this, &QDialog::accept);
}

} // namespace tavin

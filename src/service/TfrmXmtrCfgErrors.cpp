#include "service/TfrmXmtrCfgErrors.h"

#include "service/ServiceWidgets.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tavin {

TfrmXmtrCfgErrors::TfrmXmtrCfgErrors(QWidget* parent) : QDialog(parent) {
    setObjectName("frmXmtrCfgErrors");
    setWindowTitle("Configuration Errors");
    MemoErrors = new QPlainTextEdit(this);
    MemoErrors->setObjectName("MemoErrors");
    MemoErrors->setReadOnly(true);
    MemoErrors->setLineWrapMode(QPlainTextEdit::NoWrap);
    MemoErrors->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    MemoErrors->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    MemoErrors->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPushButton* ok = ServiceButton(this, "BtnOK", "OK");
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(ok);
    bottom->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(MemoErrors, 1);
    layout->addLayout(bottom);
    resize(613, 499);
}

void TfrmXmtrCfgErrors::AddLines(const std::vector<std::string>& lines) {
    QStringList text;
    for (const std::string& line : lines) {
        text << Latin(line);
    }
    MemoErrors->appendPlainText(text.join('\n'));
}

} // namespace tavin

#include "ui/MessageBoxes.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

namespace tavin {

namespace {

QString Q(const std::string& text) {
    return QString::fromLatin1(BoxText(text).c_str());
}

} // namespace

std::string BoxText(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            out += '\n';
            if (i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
        } else {
            out += text[i];
        }
    }
    return out;
}

void QtPrompter::ShowErrorBox(const std::string& text) {
    QMessageBox::critical(parent_, QApplication::applicationName(), Q(text));
}

void QtPrompter::ShowInfoBox(const std::string& text) {
    QMessageBox::information(parent_, QApplication::applicationName(), Q(text));
}

bool QtPrompter::AskYesNo(const std::string& text) {
    return QMessageBox::question(parent_, QApplication::applicationName(), Q(text),
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

std::optional<std::string> QtPrompter::InputBox(const std::string& caption,
                                                const std::string& prompt,
                                                const std::string& initial) {
    bool ok = false;
    const QString text = QInputDialog::getText(
        parent_, QString::fromLatin1(caption.c_str()), QString::fromLatin1(prompt.c_str()),
        QLineEdit::Normal, QString::fromLatin1(initial.c_str()), &ok);
    if (!ok) {
        return std::nullopt;
    }
    return text.toLatin1().toStdString();
}

} // namespace tavin

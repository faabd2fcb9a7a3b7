#include "ui/MessageBoxes.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

#include <vector>

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

namespace tavin {

std::string DialogFilter(const std::string& filter) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= filter.size()) {
        const std::size_t bar = filter.find('|', start);
        parts.push_back(filter.substr(start, bar == std::string::npos ? bar : bar - start));
        if (bar == std::string::npos) {
            break;
        }
        start = bar + 1;
    }
    std::string out;
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        std::string pattern = parts[i + 1] == "*.*" ? "*" : parts[i + 1];
        for (char& c : pattern) {
            if (c == ';') {
                c = ' ';
            }
        }
        if (!out.empty()) {
            out += ";;";
        }
        out += parts[i] + " (" + pattern + ")";
    }
    return out;
}

std::optional<std::string> QtPrompter::OpenFileName(const std::string& title,
                                                    const std::string& filter,
                                                    const std::string& folder,
                                                    const std::string& name) {
    return FileDialog(&QFileDialog::getOpenFileName, title, filter, folder, name);
}

std::optional<std::string> QtPrompter::SaveFileName(const std::string& title,
                                                    const std::string& filter,
                                                    const std::string& folder,
                                                    const std::string& name) {
    return FileDialog(&QFileDialog::getSaveFileName, title, filter, folder, name);
}

std::optional<std::string> QtPrompter::FileDialog(FileDialogFn dialog, const std::string& title,
                                                  const std::string& filter,
                                                  const std::string& folder,
                                                  const std::string& name) {
    const QString start =
        QString::fromLatin1(folder.empty() ? name.c_str() : (folder + "/" + name).c_str());
    const QString path =
        dialog(parent_, QString::fromLatin1(title.c_str()), start,
               QString::fromLatin1(DialogFilter(filter).c_str()), nullptr, QFileDialog::Options());
    if (path.isEmpty()) {
        return std::nullopt;
    }
    return path.toLocal8Bit().toStdString();
}

} // namespace tavin

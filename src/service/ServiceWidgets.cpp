#include "service/ServiceWidgets.h"

#include "files/AtomicFile.h"
#include "ui/MessageBoxes.h"

#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScrollBar>

namespace tavin {

namespace {

// The folder the last memo was saved in, for the next save dialog.
std::string& LastSaveFolder() {
    static std::string folder;
    return folder;
}

} // namespace

ServiceMemoEdit::ServiceMemoEdit(QWidget* parent, const char* name) : QPlainTextEdit(parent) {
    setObjectName(name);
    setReadOnly(true);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    // A memo left open for hours keeps its newest lines.
    setMaximumBlockCount(20000);
}

void ServiceMemoEdit::AppendLine(const std::string& line) {
    appendPlainText(Latin(line));
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

QStringList ServiceMemoEdit::Lines() const {
    if (document()->isEmpty()) {
        return {};
    }
    return toPlainText().split('\n');
}

QString Latin(const std::string& text) {
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}

std::string Latin(const QString& text) {
    return text.toLatin1().toStdString();
}

QPushButton* ServiceButton(QWidget* parent, const char* name, const char* caption,
                           const char* hint) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    // Enter in a command box must not press a button of the window.
    button->setAutoDefault(false);
    if (hint) {
        button->setToolTip(hint);
    }
    return button;
}

QHBoxLayout* MemoWindowButtons(QDialog& dialog, ServiceMemoEdit& memo, Prompter& prompter,
                               const char* saveTitle) {
    QPushButton* clear = ServiceButton(&dialog, "BtnClear", "Clear");
    QPushButton* save =
        ServiceButton(&dialog, "BtnSaveMemo", "Save...", "Save what the memo shows to a text file");
    QPushButton* close = ServiceButton(&dialog, "BtnClose", "Close");
    QObject::connect(clear, &QPushButton::clicked, &memo, [&memo] { memo.ClearLines(); });
    QObject::connect(save, &QPushButton::clicked, &memo,
                     [&memo, &prompter, saveTitle] { SaveMemoToFile(prompter, memo, saveTitle); });
    QObject::connect(close, &QPushButton::clicked, &dialog, &QDialog::accept);
    auto* row = new QHBoxLayout;
    row->addWidget(clear);
    row->addWidget(save);
    row->addStretch(1);
    row->addWidget(close);
    return row;
}

void SaveMemoToFile(Prompter& prompter, const QPlainTextEdit& memo, const std::string& title) {
    std::string folder = LastSaveFolder();
    if (folder.empty()) {
        folder = QDir::homePath().toStdString();
    }
    const std::optional<std::string> path =
        prompter.SaveFileName(title, "Text File|*.txt|All Files|*.*", folder, "");
    if (!path || path->empty()) {
        return;
    }
    std::string text = Latin(memo.toPlainText());
    if (!text.empty()) {
        text += '\n';
    }
    std::string error;
    if (!WriteFileAtomically(*path, text, &error)) {
        prompter.ShowErrorBox("Could not save " + *path + "\r" + error);
        return;
    }
    LastSaveFolder() = QFileInfo(QString::fromStdString(*path)).absolutePath().toStdString();
}

} // namespace tavin

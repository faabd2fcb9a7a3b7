#pragma once
// Pieces the service windows share: the memo that their logic writes to,
// named buttons, text conversion for the transmitter's single-byte lines,
// and saving a memo to a text file.

#include "workflows/ServiceMemo.h"

#include <QPlainTextEdit>
#include <QString>

#include <string>

class QDialog;
class QHBoxLayout;
class QPushButton;
class QWidget;

namespace tavin {

class Prompter;

// The hint of "Clear On Enter" in both terminal windows.
inline constexpr char kClearOnEnterHint[] =
    "Clear Command Entered in Xmt Command Box after command has been sent";

// A read-only memo with a vertical scroll bar; lines are bytes, shown one
// for one.
class ServiceMemoEdit : public QPlainTextEdit, public ServiceMemo {
    Q_OBJECT
public:
    ServiceMemoEdit(QWidget* parent, const char* name);
    void AppendLine(const std::string& line) override;
    void ClearLines() override { clear(); }
    // The memo's lines, for tests and for saving.
    QStringList Lines() const;
};

QString Latin(const std::string& text);
std::string Latin(const QString& text);

QPushButton* ServiceButton(QWidget* parent, const char* name, const char* caption,
                           const char* hint = nullptr);

// The buttons under a memo: "Clear" and "Save..." on the left, "Close"
// (which accepts the dialog) on the right.
QHBoxLayout* MemoWindowButtons(QDialog& dialog, ServiceMemoEdit& memo, Prompter& prompter,
                               const char* saveTitle);

// Asks for a file name and writes the memo's text to it, replacing the file
// whole or not at all. An error is reported through the prompter.
void SaveMemoToFile(Prompter& prompter, const QPlainTextEdit& memo, const std::string& title);

} // namespace tavin

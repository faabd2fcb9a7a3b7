#pragma once
// The "Configuration Errors" list window: lines of text in a fixed-pitch,
// read-only memo above an "OK" button. Its owner fills it and shows it.

#include <QDialog>

#include <string>
#include <vector>

class QPlainTextEdit;

namespace tavin {

class TfrmXmtrCfgErrors : public QDialog {
    Q_OBJECT
public:
    explicit TfrmXmtrCfgErrors(QWidget* parent = nullptr);
    void AddLines(const std::vector<std::string>& lines);

    QPlainTextEdit* MemoErrors = nullptr;
};

} // namespace tavin

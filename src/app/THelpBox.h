#pragma once
// A short help text in a box of its own: "Getting started" and "Keyboard and
// mouse" from the Help menu. The texts are rich text, so that headings and
// lists read well.

#include <QDialog>

namespace tavin {

class THelpBox : public QDialog {
    Q_OBJECT
public:
    THelpBox(const QString& title, const QString& html, QWidget* parent = nullptr);
};

// The texts; the preferences file is named so that a user can find it.
QString GettingStartedHtml(const QString& preferencesFile);
QString KeyboardAndMouseHtml();

} // namespace tavin

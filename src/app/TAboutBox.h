#pragma once
// The About box: the product name, the version it was built as and the Qt
// version it runs on, centred over the window. At start-up it shows without
// its OK button and closes itself after a delay; from the Help menu it stays
// until the user closes it.

#include <QDialog>

class QPushButton;

namespace tavin {

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);
    // Hides OK and closes the box by itself after ms.
    void CloseAfter(int ms);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QPushButton* ok_ = nullptr;
};

} // namespace tavin

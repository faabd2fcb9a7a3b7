#pragma once
// The About box: the product name and version. At start-up it shows without
// its OK button and closes itself after a delay.

#include <QDialog>

class QPushButton;

namespace tavin {

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);
    // Hides OK and closes the box by itself after ms.
    void CloseAfter(int ms);

private:
    QPushButton* ok_ = nullptr;
};

} // namespace tavin

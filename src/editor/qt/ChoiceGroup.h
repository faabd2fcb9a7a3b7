#pragma once
// A titled group of radio buttons that may have no selection, the shape of
// every single choice on the setting pages. Choosing a button, by hand or
// from the program, emits chosen(index) once; clearing the selection emits
// nothing.

#include <QGroupBox>

#include <initializer_list>

class QButtonGroup;
class QRadioButton;

namespace tavin {

class ChoiceGroup : public QGroupBox {
    Q_OBJECT
public:
    ChoiceGroup(const char* name, const char* title, std::initializer_list<const char*> choices,
                int columns = 1, QWidget* parent = nullptr);

    // The index of the checked button, or -1.
    int Selected() const;
    // Checks a button, or with -1 (or an index out of range) none.
    void Select(int index);
    QRadioButton* Button(int index) const;
    int Count() const;

signals:
    void chosen(int index);

private:
    QButtonGroup* group_ = nullptr;
};

} // namespace tavin

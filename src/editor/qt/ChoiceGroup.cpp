#include "editor/qt/ChoiceGroup.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

namespace tavin {

ChoiceGroup::ChoiceGroup(const char* name, const char* title,
                         std::initializer_list<const char*> choices, int columns, QWidget* parent)
    : QGroupBox(title, parent) {
    setObjectName(name);
    group_ = new QButtonGroup(this);
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(6, 2, 6, 2);
    layout->setVerticalSpacing(0);
    int index = 0;
    const int rows = (int(choices.size()) + columns - 1) / columns;
    for (const char* choice : choices) {
        auto* button = new QRadioButton(choice, this);
        button->setObjectName(QStringLiteral("%1_%2").arg(name).arg(index));
        group_->addButton(button, index);
        layout->addWidget(button, index % rows, index / rows);
        ++index;
    }
    connect(group_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked) {
            emit chosen(id);
        }
    });
}

int ChoiceGroup::Selected() const {
    return group_->checkedId();
}

void ChoiceGroup::Select(int index) {
    if (index >= 0 && index < Count()) {
        group_->button(index)->setChecked(true);
        return;
    }
    // An exclusive group cannot uncheck its last button.
    group_->setExclusive(false);
    for (QAbstractButton* button : group_->buttons()) {
        button->setChecked(false);
    }
    group_->setExclusive(true);
}

QRadioButton* ChoiceGroup::Button(int index) const {
    return static_cast<QRadioButton*>(group_->button(index));
}

int ChoiceGroup::Count() const {
    return int(group_->buttons().size());
}

} // namespace tavin

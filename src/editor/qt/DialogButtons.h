#pragma once
// The "OK" and "Cancel" buttons of the editor's small dialogs (`BtnOK`,
// `BtnCancel`), accepting and rejecting the dialog.

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

namespace tavin {

inline QDialogButtonBox* OkCancelButtons(QDialog* dialog) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("BtnOK");
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("BtnCancel");
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

} // namespace tavin

#include "service/TFrmSDI12.h"

#include "service/ServiceWidgets.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tavin {

TFrmSDI12::TFrmSDI12(TransmitterLink& link, bool& sdiSeen, Prompter& prompter, QWidget* parent)
    : QDialog(parent), prompter_(prompter), memo_(new ServiceMemoEdit(this, "RzMemoSDI12Rsp")),
      controller_(link, *memo_, sdiSeen) {
    setObjectName("FrmSDI12");
    setWindowTitle("SDI-12 ");
    RzMemoSDI12Rsp = memo_;
    SDI12CmdEdit = new QLineEdit(this);
    SDI12CmdEdit->setObjectName("SDI12CmdEdit");
    SDI12CmdEdit->installEventFilter(this);
    cbChkClearOnEnter = new QCheckBox("Clear On Enter", this);
    cbChkClearOnEnter->setObjectName("cbChkClearOnEnter");
    // Each command starts in an empty box.
    cbChkClearOnEnter->setChecked(true);
    cbChkClearOnEnter->setToolTip(kClearOnEnterHint);

    auto* top = new QGridLayout;
    top->addWidget(new QLabel("SDI-12 Command", this), 0, 0);
    top->addWidget(SDI12CmdEdit, 0, 1);
    top->addWidget(cbChkClearOnEnter, 0, 2);
    top->setColumnStretch(1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(memo_, 1);
    layout->addLayout(MemoWindowButtons(*this, *memo_, prompter_, "Save SDI-12 Terminal"));
    resize(480, 380);
    SDI12CmdEdit->setFocus();
}

bool TFrmSDI12::eventFilter(QObject* watched, QEvent* event) {
    if (watched != SDI12CmdEdit || event->type() != QEvent::KeyPress) {
        return QDialog::eventFilter(watched, event);
    }
    switch (static_cast<QKeyEvent*>(event)->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (controller_.Enter(Latin(SDI12CmdEdit->text()), cbChkClearOnEnter->isChecked())) {
            SDI12CmdEdit->clear();
        }
        return true;
    case Qt::Key_Escape:
        // ESC goes to the transmitter; it does not close the window.
        controller_.Escape();
        return true;
    default:
        return false;
    }
}

} // namespace tavin

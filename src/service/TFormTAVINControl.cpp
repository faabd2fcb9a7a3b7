#include "service/TFormTAVINControl.h"

#include "service/ServiceWidgets.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tavin {

TFormTAVINControl::TFormTAVINControl(TransmitterLink& link, Prompter& prompter, QWidget* parent)
    : QDialog(parent), prompter_(prompter), controller_(link, *this) {
    setObjectName("FormTAVINControl");
    setWindowTitle("TAVIN Direct Control");

    auto* comm = new QGroupBox("Transmitter Comm", this);
    comm->setObjectName("gbTransmitterComm");
    XmitCmdEdit = new QLineEdit(comm);
    XmitCmdEdit->setObjectName("XmitCmdEdit");
    XmitCmdEdit->installEventFilter(this);
    XmitReplyEdit = new QLineEdit(comm);
    XmitReplyEdit->setObjectName("XmitReplyEdit");
    XmitReplyEdit->setReadOnly(true);
    cbChkClearOnEnter = new QCheckBox("Clear On Enter", comm);
    cbChkClearOnEnter->setObjectName("cbChkClearOnEnter");
    // Each command starts in an empty box; Up brings the last one back.
    cbChkClearOnEnter->setChecked(true);
    cbChkClearOnEnter->setToolTip(kClearOnEnterHint);
    MemoTAVINResponse = new ServiceMemoEdit(comm, "MemoTAVINResponse");

    auto* grid = new QGridLayout(comm);
    grid->addWidget(new QLabel("Xmt Command", comm), 0, 0);
    grid->addWidget(XmitCmdEdit, 0, 1);
    grid->addWidget(cbChkClearOnEnter, 0, 2);
    grid->addWidget(new QLabel("Xmt Reply", comm), 1, 0);
    grid->addWidget(XmitReplyEdit, 1, 1, 1, 2);
    grid->addWidget(MemoTAVINResponse, 2, 0, 1, 3);
    grid->setColumnStretch(1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(comm, 1);
    layout->addLayout(
        MemoWindowButtons(*this, *MemoTAVINResponse, prompter_, "Save TAVIN Direct Control"));
    resize(600, 440);
    XmitCmdEdit->setFocus();
}

bool TFormTAVINControl::eventFilter(QObject* watched, QEvent* event) {
    if (watched != XmitCmdEdit || event->type() != QEvent::KeyPress) {
        return QDialog::eventFilter(watched, event);
    }
    controller_.KeyPressed();
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool clearOnEnter = cbChkClearOnEnter->isChecked();
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (controller_.Enter(Latin(XmitCmdEdit->text()), clearOnEnter)) {
            XmitCmdEdit->clear();
        }
        return true;
    case Qt::Key_Escape:
        // ESC goes to the transmitter; it does not close the window.
        if (controller_.Escape(clearOnEnter)) {
            XmitCmdEdit->clear();
        }
        return true;
    case Qt::Key_Up:
        XmitCmdEdit->setText(Latin(controller_.History().Up(Latin(XmitCmdEdit->text()))));
        return true;
    case Qt::Key_Down:
        XmitCmdEdit->setText(Latin(controller_.History().Down(Latin(XmitCmdEdit->text()))));
        return true;
    default:
        return false;
    }
}

void TFormTAVINControl::ShowReply(const std::string& text) {
    XmitReplyEdit->setText(Latin(text));
}

void TFormTAVINControl::AppendLine(const std::string& line) {
    MemoTAVINResponse->AppendLine(line);
}

void TFormTAVINControl::ClearLines() {
    MemoTAVINResponse->ClearLines();
}

} // namespace tavin

#include "editor/qt/TformChannelSelect.h"

#include "editor/qt/DialogButtons.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tavin {

namespace {

QString Q(const std::string& text) {
    return QString::fromLatin1(text.data(), int(text.size()));
}

QComboBox* ChannelList(QWidget* parent, const char* name, const std::vector<std::string>& list) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    for (const std::string& entry : list) {
        box->addItem(Q(entry));
    }
    box->setMaxVisibleItems(20);
    return box;
}

void Select(QComboBox* box, const std::string& channel) {
    box->setCurrentIndex(channel.empty() ? -1 : box->findText(Q(channel)));
}

} // namespace

TformChannelSelect::TformChannelSelect(const std::string& channel, bool scdSelected,
                                       QWidget* parent)
    : QDialog(parent), scd_(scdSelected) {
    setObjectName("TformChannelSelect");
    setWindowTitle("Select Channel");
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    cbARGOSChan_ = ChannelList(this, "cbARGOSChan", ArgosChannelList());
    cbSCDChan_ = ChannelList(this, "cbSCDChan", ScdChannelList());
    cbSCDChan_->setEnabled(scdSelected);
    form->addRow("ARGOS Channel", cbARGOSChan_);
    form->addRow("SCD Channel", cbSCDChan_);
    layout->addLayout(form);
    layout->addWidget(OkCancelButtons(this));

    const ChannelSelection shown = SplitChannelText(channel, scdSelected);
    Select(cbARGOSChan_, shown.Argos);
    Select(cbSCDChan_, shown.Scd);
}

std::string TformChannelSelect::Result() const {
    ChannelSelection choice;
    choice.Argos = cbARGOSChan_->currentText().toStdString();
    choice.Scd = cbSCDChan_->currentIndex() >= 0 ? cbSCDChan_->currentText().toStdString() : "";
    return JoinChannelText(choice, scd_);
}

std::optional<std::string> TformChannelSelect::Ask(const std::string& channel, bool scdSelected,
                                                   QWidget* parent) {
    TformChannelSelect dialog(channel, scdSelected, parent);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.Result();
}

} // namespace tavin

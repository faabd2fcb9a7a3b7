#include "editor/qt/TFrmDataFormatFlags.h"

#include "editor/qt/DialogButtons.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tavin {

namespace {

QCheckBox* Box(QWidget* parent, const char* name, const char* caption) {
    auto* b = new QCheckBox(caption, parent);
    b->setObjectName(name);
    return b;
}

void Put(QCheckBox* box, const FlagBox& state) {
    box->setChecked(state.Checked);
    box->setEnabled(state.Enabled);
}

FlagBox Get(const QCheckBox* box) {
    return {box->isChecked(), box->isEnabled()};
}

} // namespace

TFrmDataFormatFlags::TFrmDataFormatFlags(const std::string& flags, int dataFormat, char rowType,
                                         int itemIndex, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowStaysOnTopHint) {
    setObjectName("TFrmDataFormatFlags");
    setWindowTitle("Record Format Flags");
    setModal(true);
    auto* layout = new QVBoxLayout(this);

    chkC_ = Box(this, "ChkC", "C : Binary Wrap");
    layout->addWidget(chkC_);
    chkL_ = Box(this, "ChkL", "L: Label");
    layout->addWidget(chkL_);
    rgLabelColon_ = new QGroupBox(this);
    rgLabelColon_->setObjectName("rgLabelColon");
    auto* colonLayout = new QVBoxLayout(rgLabelColon_);
    colonGroup_ = new QButtonGroup(rgLabelColon_);
    const char* const captions[3] = {"Colon Before", "Colon After", "No Colon"};
    const char* const names[3] = {"rbColonBefore", "rbColonAfter", "rbNoColon"};
    for (int i = 0; i < 3; ++i) {
        colon_[i] = new QRadioButton(captions[i], rgLabelColon_);
        colon_[i]->setObjectName(names[i]);
        colonGroup_->addButton(colon_[i], i);
        colonLayout->addWidget(colon_[i]);
    }
    layout->addWidget(rgLabelColon_);

    auto* terminators = new QGroupBox("Record Terminators", this);
    terminators->setObjectName("gbRecordTerminators");
    auto* termLayout = new QVBoxLayout(terminators);
    chkS_ = Box(terminators, "ChkS", "S: Space");
    chkR_ = Box(terminators, "ChkR", "R: Carriage Return");
    chkN_ = Box(terminators, "ChkN", "N: Line Feed");
    termLayout->addWidget(chkS_);
    termLayout->addWidget(chkR_);
    termLayout->addWidget(chkN_);
    layout->addWidget(terminators);
    chkZ_ = Box(this, "ChkZ", "Add Leading Zero");
    layout->addWidget(chkZ_);

    layout->addWidget(OkCancelButtons(this));
    layout->setSizeConstraint(QLayout::SetFixedSize);

    opened_ = DataFormatFlagsRules(flags, dataFormat, rowType, itemIndex);
    Apply(opened_);
    connect(chkL_, &QCheckBox::toggled, this, [this](bool checked) {
        DataFormatFlagsState s = State();
        SetLabelChecked(s, checked);
        Apply(s);
    });
}

void TFrmDataFormatFlags::Apply(const DataFormatFlagsState& s) {
    const bool blocked = chkL_->blockSignals(true);
    Put(chkC_, s.C);
    Put(chkL_, s.L);
    Put(chkS_, s.S);
    Put(chkR_, s.R);
    Put(chkN_, s.N);
    Put(chkZ_, s.Z);
    chkL_->blockSignals(blocked);
    rgLabelColon_->setEnabled(s.ColonEnabled);
    // A disabled choice shows no selection.
    colonGroup_->setExclusive(false);
    for (QRadioButton* b : colon_) {
        b->setChecked(false);
    }
    colonGroup_->setExclusive(true);
    if (s.Colon != LabelColon::None) {
        colon_[static_cast<int>(s.Colon)]->setChecked(true);
    }
}

DataFormatFlagsState TFrmDataFormatFlags::State() const {
    DataFormatFlagsState s;
    s.C = Get(chkC_);
    s.L = Get(chkL_);
    s.S = Get(chkS_);
    s.R = Get(chkR_);
    s.N = Get(chkN_);
    s.Z = Get(chkZ_);
    s.ColonEnabled = rgLabelColon_->isEnabled();
    s.Colon = LabelColon::None;
    for (int i = 0; i < 3; ++i) {
        if (colon_[i]->isChecked()) {
            s.Colon = static_cast<LabelColon>(i);
        }
    }
    return s;
}

std::string TFrmDataFormatFlags::FlagsText() const {
    return BuildFlagsText(State());
}

void TFrmDataFormatFlags::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (parentWidget()) {
        const QWidget* top = parentWidget()->window();
        move(top->geometry().center() - rect().center());
    }
    switch (InitialFlagsFocus(State())) {
    case FlagsFocus::C:
        chkC_->setFocus();
        break;
    case FlagsFocus::L:
        chkL_->setFocus();
        break;
    case FlagsFocus::S:
        chkS_->setFocus();
        break;
    }
}

std::optional<std::string> TFrmDataFormatFlags::Ask(const std::string& flags, int dataFormat,
                                                    char rowType, int itemIndex, QWidget* parent) {
    TFrmDataFormatFlags dialog(flags, dataFormat, rowType, itemIndex, parent);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.FlagsText();
}

} // namespace tavin

#include "editor/qt/MessageStatsPanel.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

namespace tavin {

namespace {

QString Q(const std::string& text) {
    return QString::fromLatin1(text.data(), int(text.size()));
}

void SetCaption(QLabel* label, const std::string& caption) {
    // An empty caption keeps the one the group has.
    if (!caption.empty()) {
        label->setText(Q(caption));
    }
}

} // namespace

MessageStatsPanel::MessageStatsPanel(const QString& prefix, QWidget* parent)
    : QWidget(parent), prefix_(prefix) {
    setObjectName("pnl" + prefix + "MsgStats");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);

    info_ = new QGroupBox("Message Information", this);
    info_->setObjectName("gb" + prefix + "MsgInfo");
    new QFormLayout(info_);
    bufferSize_ = AddRow(info_, "BufferSize", "Buffer Size:");
    msgLength_ = AddRow(info_, "MsgLength", "Msg Length:");
    duration_ = AddRow(info_, "Duration", "Duration:");
    layout->addWidget(info_);

    stats_ = new QGroupBox("Message Stats", this);
    stats_->setObjectName("gb" + prefix + "MsgStats");
    new QFormLayout(stats_);
    typeValue_ = AddRow(stats_, "TypeValue", "Preamble:", &typeCaption_);
    typeCaption_->setObjectName("Lbl" + prefix + "Type");
    sizeValue_ = AddRow(stats_, "SizeValue", "Size", &sizeCaption_);
    carrier_ = AddRow(stats_, "Carrier", "Carrier:");
    symbolValue_ = AddRow(stats_, "SymbolValue", "Symbol Dur:", &symbolCaption_);
    frame_ = AddRow(stats_, "Frame", "Frame Dur:");
    dataRate_ = AddRow(stats_, "DataRate", "Data Rate:");
    bitRate_ = AddRow(stats_, "BitRate", "Bit Rate:");
    warning_ = new QLabel(stats_);
    warning_->setObjectName("Lbl" + prefix + "WindowWarning");
    warning_->setWordWrap(true);
    warning_->setStyleSheet("color: #b00000;");
    warning_->hide();
    static_cast<QFormLayout*>(stats_->layout())->addRow(warning_);
    layout->addWidget(stats_);
    layout->addStretch(1);
}

QLabel* MessageStatsPanel::AddRow(QGroupBox* group, const QString& name, const QString& caption,
                                  QLabel** captionLabel) {
    auto* label = new QLabel(caption, group);
    label->setObjectName("Lbl" + prefix_ + name + "Caption");
    auto* value = new QLabel(group);
    value->setObjectName("Lbl" + prefix_ + name);
    static_cast<QFormLayout*>(group->layout())->addRow(label, value);
    if (captionLabel) {
        *captionLabel = label;
    }
    return value;
}

void MessageStatsPanel::Show(const BufferStatsView& view) {
    bufferSize_->setText(Q(view.Figures.BufferText));
    msgLength_->setText(Q(view.Figures.MsgText));
    duration_->setText(Q(view.Figures.DurationText));

    const MessageStatsLabels& l = view.Labels;
    SetCaption(typeCaption_, l.TypeCaption);
    typeValue_->setText(Q(l.TypeValue));
    SetCaption(sizeCaption_, l.SizeCaption);
    sizeValue_->setText(Q(l.SizeValue));
    carrier_->setText(Q(l.Carrier));
    SetCaption(symbolCaption_, l.SymbolCaption);
    symbolValue_->setText(Q(l.SymbolValue));
    frame_->setText(Q(l.Frame));
    dataRate_->setText(Q(l.DataRate));
    bitRate_->setText(Q(l.BitRate));
    // The window warning speaks for the message, so it shows even when the
    // timing figures of a transmission without a channel do not.
    stats_->setVisible(l.Visible || !view.Warning.empty());
    warning_->setText(Q(view.Warning));
    warning_->setVisible(!view.Warning.empty());
}

} // namespace tavin

#include "link/OperationBox.h"

#include <utility>

namespace tavin {

OperationBox::OperationBox(OperationBoxHost* host) : host_(host) {}

OperationBox::Label& OperationBox::Mutable(BoxLabel label) {
    switch (label) {
    case BoxLabel::Operation:
        return operation_;
    case BoxLabel::Instruction:
        return instruction_;
    case BoxLabel::Command:
        break;
    }
    return command_;
}

OperationBox::Button& OperationBox::Mutable(BoxButton button) {
    return button == BoxButton::OK ? ok_ : cancel_;
}

const OperationBox::Label& OperationBox::Get(BoxLabel label) const {
    return const_cast<OperationBox*>(this)->Mutable(label);
}

const OperationBox::Button& OperationBox::Get(BoxButton button) const {
    return button == BoxButton::OK ? ok_ : cancel_;
}

void OperationBox::SetCaption(BoxLabel label, std::string text) {
    Mutable(label).text = std::move(text);
    Changed();
}

void OperationBox::SetVisible(BoxLabel label, bool visible) {
    Mutable(label).visible = visible;
    Changed();
}

void OperationBox::SetProgressVisible(bool visible) {
    bar_.visible = visible;
    Changed();
}

void OperationBox::SetProgressRange(int minimum, int maximum) {
    bar_.minimum = minimum;
    bar_.maximum = maximum < minimum ? minimum : maximum;
    SetProgressPosition(bar_.position);
}

void OperationBox::SetProgressPosition(int position) {
    if (position < bar_.minimum) {
        position = bar_.minimum;
    } else if (position > bar_.maximum) {
        position = bar_.maximum;
    }
    bar_.position = position;
    Changed();
}

void OperationBox::SetCaption(BoxButton button, std::string caption) {
    Mutable(button).caption = std::move(caption);
    Changed();
}

void OperationBox::SetVisible(BoxButton button, bool visible) {
    Mutable(button).visible = visible;
    Changed();
}

void OperationBox::SetDelayModalResultTime(int ms, int result) {
    if (closed_) {
        return;
    }
    ok_.visible = false;
    cancel_.visible = false;
    delayPending_ = true;
    pendingResult_ = result;
    delayMs_ = ms < 0 ? 0 : ms;
    Changed();
    if (host_ != nullptr) {
        host_->StartDelayTimer(delayMs_);
    }
}

void OperationBox::TimerDelayTimer() {
    if (closed_ || !delayPending_) {
        return;
    }
    Close(pendingResult_);
}

void OperationBox::Close(int result) {
    if (closed_) {
        return;
    }
    closed_ = true;
    result_ = result;
    if (delayPending_) {
        delayPending_ = false;
        if (host_ != nullptr) {
            host_->StopDelayTimer();
        }
    }
    if (host_ != nullptr) {
        host_->BoxClosed(result);
    }
}

void OperationBox::ClickOK() {
    if (ok_.visible) {
        Close(mrOk);
    }
}

void OperationBox::ClickCancel() {
    if (cancel_.visible) {
        Close(mrCancel);
    }
}

void OperationBox::Changed() {
    if (host_ != nullptr && !closed_) {
        host_->BoxChanged();
    }
}

} // namespace tavin

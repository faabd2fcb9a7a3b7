#include "ui/DeferredPrompter.h"

namespace tavin {

DeferredPrompter::DeferredPrompter(Prompter& inner, QObject* parent)
    : QObject(parent), inner_(inner) {}

DeferredPrompter::DeferredPrompter(std::unique_ptr<Prompter> inner, QObject* parent)
    : QObject(parent), owned_(std::move(inner)), inner_(*owned_) {}

DeferredPrompter::~DeferredPrompter() = default;

void DeferredPrompter::ShowErrorBox(const std::string& text) {
    Raise(true, text);
}

void DeferredPrompter::ShowInfoBox(const std::string& text) {
    Raise(false, text);
}

void DeferredPrompter::Raise(bool error, const std::string& text) {
    // A box raised while earlier ones wait goes behind them, so that the
    // user reads them in the order they happened.
    if (pending_.empty() && !showing_ && !(deferNow_ ? deferNow_() : true)) {
        Show({error, text});
        return;
    }
    pending_.push_back({error, text});
    if (!scheduled_) {
        scheduled_ = true;
        QMetaObject::invokeMethod(this, &DeferredPrompter::Flush, Qt::QueuedConnection);
    }
}

void DeferredPrompter::Show(const Box& box) {
    if (box.error) {
        inner_.ShowErrorBox(box.text);
    } else {
        inner_.ShowInfoBox(box.text);
    }
}

// One box at a time: boxes raised while one is open are shown when it closes,
// by the loop that showed it.
void DeferredPrompter::Flush() {
    scheduled_ = false;
    if (showing_) {
        return;
    }
    showing_ = true;
    while (!pending_.empty()) {
        const Box box = std::move(pending_.front());
        pending_.pop_front();
        Show(box);
    }
    showing_ = false;
}

} // namespace tavin

#pragma once
// Answers the next modal dialog from a test: once the dialog's own event
// loop runs, `answer` gets it; if it is still open after a few seconds it is
// rejected, so that a test never hangs on a box.

#include <QApplication>
#include <QDialog>
#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>

namespace tavin::test {

class ModalAnswer {
public:
    template <typename D> void Next(std::function<void(D*)> answer) {
        QTimer::singleShot(0, &guard_, [this, answer] {
            auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget());
            seen_ = dialog != nullptr;
            if (dialog) {
                answer(dialog);
            }
        });
        QTimer::singleShot(5000, &guard_, [] {
            if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                d->reject();
            }
        });
    }
    bool Seen() const { return seen_; }

private:
    QObject guard_;
    bool seen_ = false;
};

} // namespace tavin::test

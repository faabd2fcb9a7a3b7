#pragma once
// Message boxes that only tell (error, information) are shown after the event
// that raised them has returned, whenever that event is one the link is
// handling: a reply line, a timer tick, a posted window message, a failing
// port. A modal box runs a nested event loop, and Qt does not fire a timer
// again while that timer's own handler is still on the stack: a box opened
// from the framing timer would stop the framing while it is open, the pump
// would time out and send the command again, and every repeated answer would
// open the box again. Shown from a queued call instead, the box leaves every
// timer running, and the code that raised it has finished updating its state
// before the user sees it.
//
// Questions (yes/no, input, file dialogs) need their answer at once; they are
// passed through, and their callers queue nothing before the answer is in.

#include "ui/MessageBoxes.h"

#include <QObject>

#include <deque>
#include <functional>
#include <memory>
#include <string>

namespace tavin {

class DeferredPrompter : public QObject, public Prompter {
    Q_OBJECT
public:
    // Shows through inner, which must outlive this object.
    explicit DeferredPrompter(Prompter& inner, QObject* parent = nullptr);
    // Shows through inner, which this object owns.
    explicit DeferredPrompter(std::unique_ptr<Prompter> inner, QObject* parent = nullptr);
    ~DeferredPrompter() override;

    // Whether a box raised now must wait for the current event to return;
    // unset = always.
    void SetDeferWhen(std::function<bool()> deferNow) { deferNow_ = std::move(deferNow); }

    // Boxes waiting to be shown.
    std::size_t Pending() const { return pending_.size(); }

    void ShowErrorBox(const std::string& text) override;
    void ShowInfoBox(const std::string& text) override;
    bool AskYesNo(const std::string& text) override { return inner_.AskYesNo(text); }
    std::optional<std::string> InputBox(const std::string& caption, const std::string& prompt,
                                        const std::string& initial) override {
        return inner_.InputBox(caption, prompt, initial);
    }
    std::optional<std::string> OpenFileName(const std::string& title, const std::string& filter,
                                            const std::string& folder,
                                            const std::string& name) override {
        return inner_.OpenFileName(title, filter, folder, name);
    }
    std::optional<std::string> SaveFileName(const std::string& title, const std::string& filter,
                                            const std::string& folder,
                                            const std::string& name) override {
        return inner_.SaveFileName(title, filter, folder, name);
    }

private:
    struct Box {
        bool error;
        std::string text;
    };
    void Raise(bool error, const std::string& text);
    void Show(const Box& box);
    void Flush();

    std::unique_ptr<Prompter> owned_;
    Prompter& inner_;
    std::function<bool()> deferNow_;
    std::deque<Box> pending_;
    bool scheduled_ = false;
    bool showing_ = false;
};

} // namespace tavin

#pragma once
// The progress box of every long operation, as state: what it shows, the
// pending delayed close, and the result it ended with. The box does not talk
// to the transmitter; the operation's reply handlers update it and close it,
// usually after a delay, and the opener evaluates the result.
//
// Opening it modally is the host's business (QDialog::exec in the program,
// a stepped clock in tests): the box is "open" until Close gives it a result.

#include <string>

namespace tavin {

// The modal results the program uses.
enum ModalResult : int {
    mrNone = 0,
    mrOk = 1,     // success
    mrCancel = 2, // cancelled or aborted by the user, or the link timed out
    mrNo = 7,     // the transmitter reported an error
};

enum class BoxLabel { Operation, Instruction, Command };
enum class BoxButton { OK, Cancel };

class OperationBoxHost {
public:
    virtual ~OperationBoxHost() = default;
    // Something the box shows has changed.
    virtual void BoxChanged() = 0;
    // (Re)start the one-shot delay timer; a running delay starts again.
    virtual void StartDelayTimer(int ms) = 0;
    virtual void StopDelayTimer() = 0;
    // The box has ended with this result.
    virtual void BoxClosed(int result) = 0;
};

class OperationBox {
public:
    struct Label {
        std::string text;
        bool visible = false;
    };
    struct Bar {
        bool visible = false;
        int minimum = 0;
        int maximum = 100;
        int position = 0;
    };
    struct Button {
        std::string caption;
        bool visible = true;
    };

    explicit OperationBox(OperationBoxHost* host = nullptr);
    void SetHost(OperationBoxHost* host) { host_ = host; }

    // Labels `LblOperationString`, `LblUserInstruction`, `LblCommand`: all
    // hidden at first.
    void SetCaption(BoxLabel label, std::string text);
    void SetVisible(BoxLabel label, bool visible);
    const Label& Get(BoxLabel label) const;

    // `ProgressBar`: hidden at first.
    void SetProgressVisible(bool visible);
    void SetProgressRange(int minimum, int maximum);
    void SetProgressPosition(int position);
    const Bar& Progress() const { return bar_; }

    // `BtnOK` "OK" and `BtnCancel` "Cancel": shown at first; users rename
    // Cancel ("Abort", "ABORT").
    void SetCaption(BoxButton button, std::string caption);
    void SetVisible(BoxButton button, bool visible);
    const Button& Get(BoxButton button) const;

    // Hides both buttons and closes the box with `result` after `ms`. A
    // second call before the first fires starts the delay again and replaces
    // the result.
    void SetDelayModalResultTime(int ms, int result);
    // The delay has run out: the box ends with the remembered result.
    void TimerDelayTimer();
    // Ends the box now (a pending delay is dropped).
    void Close(int result);
    // A press of a button ends the box at once, whatever delay is pending;
    // a hidden button cannot be pressed.
    void ClickOK();
    void ClickCancel();

    bool IsOpen() const { return !closed_; }
    int Result() const { return result_; }
    bool DelayPending() const { return delayPending_; }
    int PendingResult() const { return pendingResult_; }
    int DelayMs() const { return delayMs_; }

private:
    Label& Mutable(BoxLabel label);
    Button& Mutable(BoxButton button);
    void Changed();

    OperationBoxHost* host_ = nullptr;
    Label operation_, instruction_, command_;
    Bar bar_;
    Button ok_{"OK", true};
    Button cancel_{"Cancel", true};
    bool closed_ = false;
    int result_ = mrNone;
    bool delayPending_ = false;
    int pendingResult_ = mrNone;
    int delayMs_ = 0;
};

} // namespace tavin

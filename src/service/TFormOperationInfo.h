#pragma once
// The progress box of long operations (caption "Information"): up to three
// lines of text, a progress bar, OK and Cancel, and a delayed close. The
// state lives in OperationBox; this dialog shows it and runs its delay timer.
// Open it with exec(): the link's timers keep running inside, and the
// operation's handlers close it through Box().

#include "link/OperationBox.h"

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

namespace tavin {

class TFormOperationInfo : public QDialog, public OperationBoxHost {
    Q_OBJECT
public:
    explicit TFormOperationInfo(QWidget* parent = nullptr);
    // Shows a box whose state lives elsewhere (an operation of the session):
    // its owner reports changes with Refresh and the end with Finish, and
    // runs the delay itself.
    explicit TFormOperationInfo(OperationBox& external, QWidget* parent = nullptr);

    OperationBox& Box() { return *box_; }
    // Shows the box's state again.
    void Refresh() { BoxChanged(); }
    // The box has ended: the dialog ends with its result.
    void Finish(int result) { BoxClosed(result); }

    void SetDelayModalResultTime(int ms, int result) { box_->SetDelayModalResultTime(ms, result); }
    void TimerDelayTimer() { box_->TimerDelayTimer(); }

    // Returns at once when the box has already been given its result.
    int exec() override;

    QLabel* LblOperationString = nullptr;
    QLabel* LblUserInstruction = nullptr;
    QLabel* LblCommand = nullptr;
    QProgressBar* ProgressBar = nullptr;
    QPushButton* BtnOK = nullptr;
    QPushButton* BtnCancel = nullptr;
    QTimer* TimerDelay = nullptr;

public slots:
    // Escape acts as the Cancel button, and only while it is shown.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BoxChanged() override;
    void StartDelayTimer(int ms) override;
    void StopDelayTimer() override;
    void BoxClosed(int result) override;

    OperationBox ownBox_;
    OperationBox* box_;
};

} // namespace tavin

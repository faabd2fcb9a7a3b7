#include "datalog/qt/TFormDataLogHost.h"

#include "datalog/DataLogTexts.h"
#include "datalog/qt/LogMemo.h"
#include "datalog/qt/TFormDataLog.h"
#include "link/LinkHost.h"
#include "link/TransmitterLink.h"
#include "ui/MessageBoxes.h"

#include <QTimer>

namespace tavin {

namespace {

int ModalResultOf(LogBoxResult result) {
    switch (result) {
    case LogBoxResult::Ok:
        return mrOk;
    case LogBoxResult::No:
        return mrNo;
    case LogBoxResult::Cancel:
        break;
    }
    return mrCancel;
}

LogBoxResult LogResultOf(int modalResult) {
    switch (modalResult) {
    case mrOk:
        return LogBoxResult::Ok;
    case mrNo:
        return LogBoxResult::No;
    default:
        return LogBoxResult::Cancel;
    }
}

} // namespace

TFormDataLogHost::TFormDataLogHost(TFormDataLog& window, TransmitterLink& link, LinkHost& port,
                                   Prompter& prompter, LogBoxFactory boxes)
    : w_(window), link_(link), port_(port), prompter_(prompter), boxes_(std::move(boxes)) {}

TFormDataLogHost::~TFormDataLogHost() {
    if (file_) {
        file_->cancelWriting();
    }
}

void TFormDataLogHost::QueueCommand(const std::string& command) {
    link_.QueueCommand(command);
}

bool TFormDataLogHost::PortOpen() const {
    return port_.PortOpen();
}

void TFormDataLogHost::SendDirect(std::string_view bytes) {
    port_.WritePort(bytes);
}

void TFormDataLogHost::ReleaseCurrentCommand() {
    link_.ReleaseCurrentCommand();
}

void TFormDataLogHost::AppendMemo(const std::string& line) {
    w_.Memo().AppendLine(line);
}

void TFormDataLogHost::SetReceiveInterval(int milliseconds) {
    QTimer& timer = w_.TimerReceive();
    if (timer.interval() != milliseconds) {
        timer.setInterval(milliseconds);
    }
}

void TFormDataLogHost::FiltersChanged() {
    w_.ShowFilters();
}

void TFormDataLogHost::ShowBacklog(std::string_view backlog) {
    w_.ShowBacklog(backlog);
}

void TFormDataLogHost::RecordsStarting() {
    w_.PlotDataStarting();
}

void TFormDataLogHost::RecordDecoded(const LogRecord& record) {
    w_.PlotRecord(record);
}

void TFormDataLogHost::ShowBox(const LogBoxSetup& setup) {
    if (!boxes_) {
        return;
    }
    auto dialog = boxes_(&w_);
    OperationBox& box = dialog->Box();
    box.SetCaption(BoxLabel::Operation, setup.operation);
    box.SetVisible(BoxLabel::Operation, true);
    box.SetCaption(BoxLabel::Instruction, setup.instruction);
    box.SetVisible(BoxLabel::Instruction, setup.instructionVisible);
    box.SetCaption(BoxLabel::Command, "");
    box.SetVisible(BoxLabel::Command, setup.commandVisible);
    box.SetProgressVisible(false);
    box.SetVisible(BoxButton::OK, false);
    box.SetCaption(BoxButton::Cancel, setup.cancelCaption);
    box.SetVisible(BoxButton::Cancel, setup.cancelVisible);
    // A box still open is replaced: it ends as cancelled, and its own
    // operation hears of it when its dialog returns.
    if (box_ && box_->Box().IsOpen()) {
        box_->Box().Close(mrCancel);
    }
    box_ = std::move(dialog);
    LogBoxDialog* shown = box_.get();
    const int result = shown->Exec();
    std::unique_ptr<LogBoxDialog> closed;
    if (box_.get() == shown) {
        closed = std::move(box_);
    }
    w_.Memo().Flush();
    w_.Logic().BoxClosed(LogResultOf(result));
    w_.RecordsFinished();
}

bool TFormDataLogHost::BoxOpen() const {
    return box_ && box_->Box().IsOpen();
}

void TFormDataLogHost::ShowBoxCancel() {
    if (box_) {
        box_->Box().SetVisible(BoxButton::Cancel, true);
    }
}

void TFormDataLogHost::SetBoxInstruction(const std::string& text) {
    if (box_) {
        box_->Box().SetCaption(BoxLabel::Instruction, text);
        box_->Box().SetVisible(BoxLabel::Instruction, true);
    }
}

void TFormDataLogHost::SetBoxCommand(const std::string& text) {
    if (box_) {
        box_->Box().SetCaption(BoxLabel::Command, text);
        box_->Box().SetVisible(BoxLabel::Command, true);
    }
}

void TFormDataLogHost::SetBoxProgress(bool visible, int maximum, int position) {
    if (!box_) {
        return;
    }
    OperationBox& box = box_->Box();
    if (visible) {
        if (box.Progress().maximum != maximum || box.Progress().minimum != 0) {
            box.SetProgressRange(0, maximum);
        }
        box.SetProgressPosition(position);
    }
    if (box.Progress().visible != visible) {
        box.SetProgressVisible(visible);
    }
}

void TFormDataLogHost::CloseBoxAfter(int milliseconds, LogBoxResult result) {
    if (box_) {
        box_->Box().SetDelayModalResultTime(milliseconds, ModalResultOf(result));
    }
}

bool TFormDataLogHost::AskYesNo(const std::string& text) {
    return prompter_.AskYesNo(text);
}

bool TFormDataLogHost::AskErrorYesNo(const std::string& text) {
    return prompter_.AskYesNo(text);
}

std::optional<std::string> TFormDataLogHost::ChooseSaveFile(const std::string& initialPath) {
    return w_.AskSaveFile(initialPath);
}

bool TFormDataLogHost::CreateLogFile(const std::string& path) {
    // The log is written beside the old file and takes its place when the
    // retrieval ends, so an aborted or failed retrieval never leaves a
    // half-written file where a good one was.
    file_ = std::make_unique<QSaveFile>(QString::fromLocal8Bit(path.c_str()));
    if (!file_->open(QIODevice::WriteOnly)) {
        file_.reset();
        return false;
    }
    return true;
}

void TFormDataLogHost::WriteLogLine(const std::string& line) {
    if (file_) {
        file_->write(line.data(), static_cast<qint64>(line.size()));
        file_->write("\n", 1);
    }
}

void TFormDataLogHost::CloseLogFile() {
    if (!file_) {
        return;
    }
    const bool written = file_->commit();
    const QString name = file_->fileName();
    file_.reset();
    if (!written) {
        prompter_.ShowErrorBox(std::string(logtext::kFileWriteError) + "\r" +
                               name.toLocal8Bit().toStdString());
    }
}

} // namespace tavin

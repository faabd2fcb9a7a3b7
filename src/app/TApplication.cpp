#include "app/TApplication.h"

#include "app/ExceptionLog.h"
#include "ui/MessageBoxes.h"

#include <QEvent>
#include <QMetaEnum>

namespace tavin {

TApplication::TApplication(int& argc, char** argv)
    : QApplication(argc, argv), ownPrompter_(std::make_unique<QtPrompter>()),
      prompter_(ownPrompter_.get()) {}

TApplication::~TApplication() = default;

void TApplication::SetPrompter(Prompter* prompter) {
    prompter_ = prompter ? prompter : ownPrompter_.get();
}

bool TApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        ReportException(receiver, event);
        return false;
    }
}

std::string TApplication::DescribeEvent(QObject* receiver, QEvent* event) {
    std::string text = "the ";
    const char* type =
        event ? QMetaEnum::fromType<QEvent::Type>().valueToKey(event->type()) : nullptr;
    text += type ? type : event ? std::to_string(int(event->type())) : "unknown";
    text += " event of ";
    if (!receiver) {
        return text + "no object";
    }
    text += receiver->metaObject()->className();
    if (!receiver->objectName().isEmpty()) {
        text += " \"" + receiver->objectName().toStdString() + "\"";
    }
    return text;
}

void TApplication::ReportException(QObject* receiver, QEvent* event) {
    const std::string what = ExceptionLog::DescribeCurrentException();
    const std::string where = DescribeEvent(receiver, event);
    const bool logged = ExceptionLog::Append(what, where);
    // A failure while the box is up is logged, not stacked on the screen.
    if (reporting_) {
        return;
    }
    reporting_ = true;
    std::string text =
        "An unexpected error stopped the last action:\r" + what + "\r(in " + where + ")\r\r";
    text += logged
                ? "The details were written to " + ExceptionLog::Path() + "."
                : "The details could not be written to " +
                      (ExceptionLog::Path().empty() ? std::string("a log") : ExceptionLog::Path()) +
                      ".";
    text += "\rThe program goes on; please check what the last action changed.";
    prompter_->ShowErrorBox(text);
    reporting_ = false;
}

} // namespace tavin

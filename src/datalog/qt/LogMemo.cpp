#include "datalog/qt/LogMemo.h"

#include <QFontDatabase>
#include <QScrollBar>

namespace tavin {

LogMemo::LogMemo(QWidget* parent) : QPlainTextEdit(parent) {
    setReadOnly(true);
    setUndoRedoEnabled(false);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    flushTimer_.setSingleShot(true);
    flushTimer_.setInterval(kFlushMs);
    connect(&flushTimer_, &QTimer::timeout, this, &LogMemo::Flush);
}

void LogMemo::AppendLine(const std::string& line) {
    AppendLine(QString::fromLatin1(line.data(), static_cast<qsizetype>(line.size())));
}

void LogMemo::AppendLine(const QString& line) {
    pending_.append(line);
    if (pending_.size() >= kBatchLines) {
        Flush();
    } else if (!flushTimer_.isActive()) {
        flushTimer_.start();
    }
}

void LogMemo::Flush() {
    flushTimer_.stop();
    if (pending_.isEmpty()) {
        return;
    }
    // One insertion for the whole batch; the view follows the end only when
    // the user has not scrolled away from it.
    QScrollBar* bar = verticalScrollBar();
    const bool atEnd = bar->value() == bar->maximum();
    appendPlainText(pending_.join('\n'));
    pending_.clear();
    if (atEnd) {
        bar->setValue(bar->maximum());
    }
}

QStringList LogMemo::Lines() {
    Flush();
    if (document()->isEmpty()) {
        return {};
    }
    return toPlainText().split('\n');
}

void LogMemo::SetLines(const QStringList& lines) {
    pending_.clear();
    flushTimer_.stop();
    setPlainText(lines.join('\n'));
}

void LogMemo::ClearLines() {
    pending_.clear();
    flushTimer_.stop();
    clear();
}

} // namespace tavin

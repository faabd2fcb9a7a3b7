#include "datalog/qt/LogMemo.h"

#include <QFontDatabase>
#include <QScrollBar>

#include <algorithm>

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
    connect(&flushTimer_, &QTimer::timeout, this, [this] {
        if (FlushBatch()) {
            flushTimer_.start(0);
        }
    });
}

void LogMemo::AppendLine(const std::string& line) {
    AppendLine(QString::fromLatin1(line.data(), static_cast<qsizetype>(line.size())));
}

void LogMemo::AppendLine(const QString& line) {
    pending_.append(line);
    if (!flushTimer_.isActive()) {
        flushTimer_.start(PendingLines() >= kBatchLines ? 0 : kFlushMs);
    }
}

bool LogMemo::FlushBatch() {
    if (head_ >= pending_.size()) {
        return false;
    }
    // One insertion for the whole batch; the view follows the end only when
    // the user has not scrolled away from it.
    QScrollBar* bar = verticalScrollBar();
    const bool atEnd = bar->value() == bar->maximum();
    const qsizetype n = std::min<qsizetype>(pending_.size() - head_, kBatchLines);
    appendPlainText(pending_.sliced(head_, n).join('\n'));
    head_ += n;
    if (head_ == pending_.size()) {
        pending_.clear();
        head_ = 0;
    }
    if (atEnd) {
        bar->setValue(bar->maximum());
    }
    return head_ > 0;
}

void LogMemo::Flush() {
    flushTimer_.stop();
    while (FlushBatch()) {
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
    ClearLines();
    pending_ = lines;
    if (!pending_.isEmpty()) {
        flushTimer_.start(0);
    }
}

void LogMemo::ClearLines() {
    pending_.clear();
    head_ = 0;
    flushTimer_.stop();
    clear();
}

} // namespace tavin

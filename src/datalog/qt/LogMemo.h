#pragma once
// The data log window's memo: read-only, fixed pitch, both scroll bars. A
// two-year log is about half a million lines, so lines are gathered and
// added in batches on a short timer, never one widget update per record.

#include <QPlainTextEdit>
#include <QStringList>
#include <QTimer>

#include <string>

namespace tavin {

class LogMemo : public QPlainTextEdit {
    Q_OBJECT
public:
    // How long lines wait to be shown together, and how many make a batch:
    // more than that waiting are shown a batch per pass of the event loop,
    // so that the window stays responsive while a saved two-year log loads.
    static constexpr int kFlushMs = 100;
    static constexpr int kBatchLines = 5000;

    explicit LogMemo(QWidget* parent = nullptr);

    // A line at the end (shown with the next batch).
    void AppendLine(const std::string& line);
    void AppendLine(const QString& line);
    // Shows every line still waiting.
    void Flush();
    // Every line, those waiting included.
    QStringList Lines();
    // Replaces everything with these lines (shown a batch at a time).
    void SetLines(const QStringList& lines);
    void ClearLines();
    int PendingLines() const { return static_cast<int>(pending_.size() - head_); }

    // Shows one batch; true when more are waiting.
    bool FlushBatch();

private:
    QStringList pending_;
    qsizetype head_ = 0; // pending_ before this has been shown
    QTimer flushTimer_;
};

} // namespace tavin

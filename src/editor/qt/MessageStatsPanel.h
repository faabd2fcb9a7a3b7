#pragma once
// The "Message Information" and "Message Stats" groups of a buffer page:
// buffer size, message length and duration, the timing figures of the bit
// rate, and a warning when the timed message outlasts its window.

#include "editor/BufferStats.h"

#include <QWidget>

#include <map>
#include <string>

class QGroupBox;
class QLabel;

namespace tavin {

class MessageStatsPanel : public QWidget {
    Q_OBJECT
public:
    // prefix names the controls: "Timed" gives `gbTimedMsgInfo`,
    // `LblTimedBufferSize`, `LblTimedType`, `LblTimedWindowWarning` ...
    MessageStatsPanel(const QString& prefix, QWidget* parent = nullptr);

    void Show(const BufferStatsView& view);
    QGroupBox* InfoGroup() const { return info_; }
    QGroupBox* StatsGroup() const { return stats_; }

private:
    QLabel* AddRow(QGroupBox* group, const QString& name, const QString& caption,
                   QLabel** captionLabel = nullptr);

    QString prefix_;
    QGroupBox* info_ = nullptr;
    QGroupBox* stats_ = nullptr;
    QLabel* bufferSize_ = nullptr;
    QLabel* msgLength_ = nullptr;
    QLabel* duration_ = nullptr;
    QLabel* typeCaption_ = nullptr;
    QLabel* typeValue_ = nullptr;
    QLabel* sizeCaption_ = nullptr;
    QLabel* sizeValue_ = nullptr;
    QLabel* carrier_ = nullptr;
    QLabel* symbolCaption_ = nullptr;
    QLabel* symbolValue_ = nullptr;
    QLabel* frame_ = nullptr;
    QLabel* dataRate_ = nullptr;
    QLabel* bitRate_ = nullptr;
    QLabel* warning_ = nullptr;
};

} // namespace tavin

#pragma once
// The log as a picture: the decoded samples of the chosen sensors against
// time, one line per sensor label, their minimum, maximum and average
// summaries as marks, and the events as vertical marks. The mouse wheel
// zooms, dragging pans; the picture can be saved as PNG.

#include "datalog/LogPlotData.h"

#include <QWidget>

#include <set>
#include <string>

class QCheckBox;
class QCustomPlot;
class QCPGraph;
class QListWidget;

namespace tavin {

class Prompter;

class LogPlotView : public QWidget {
    Q_OBJECT
public:
    // Seconds from 01/01/1970 to the log's base date 01/01/2000 (UTC).
    static constexpr double kLogEpoch = 946684800.0;

    explicit LogPlotView(Prompter& prompter, QWidget* parent = nullptr);

    // Shows these records; the sensors the user left out stay out.
    void SetData(const LogPlotData& data);
    // The whole log in view again.
    void ResetZoom();
    // Saves the picture; false when it cannot be written.
    bool ExportPng(const std::string& path);
    void ExportClick();

    QCustomPlot* Canvas() const { return plot_; }
    // The graph drawn under this name ("LVL", "LVL MIN", "STX"), or null.
    QCPGraph* Graph(const QString& name) const;

private:
    void Redraw();
    QCPGraph* AddGraph(const QString& name, const std::vector<LogPlotPoint>& points,
                       const QColor& color, int shape, bool events);

    Prompter& prompter_;
    LogPlotData data_;
    std::set<std::string> hidden_; // labels the user unticked
    QListWidget* list_ = nullptr;
    QCheckBox* events_ = nullptr;
    QCustomPlot* plot_ = nullptr;
};

} // namespace tavin

#include "datalog/qt/LogPlotView.h"

#include "datalog/DataLogTexts.h"
#include "ui/MessageBoxes.h"

#include <QCheckBox>
#include <QDateTime>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <qcustomplot.h>

#include <algorithm>
#include <map>

namespace tavin {

namespace {

// Distinct colours for the sensors, in turn.
const QColor kColours[] = {QColor(31, 119, 180),  QColor(214, 39, 40),   QColor(44, 160, 44),
                           QColor(148, 103, 189), QColor(255, 127, 14),  QColor(23, 190, 207),
                           QColor(140, 86, 75),   QColor(227, 119, 194), QColor(127, 127, 127),
                           QColor(188, 189, 34)};

QString Q(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

LogPlotView::LogPlotView(Prompter& prompter, QWidget* parent)
    : QWidget(parent), prompter_(prompter) {
    auto* layout = new QHBoxLayout(this);
    auto* side = new QVBoxLayout;
    list_ = new QListWidget(this);
    list_->setObjectName("ListPlotSensors");
    list_->setSelectionMode(QAbstractItemView::NoSelection);
    list_->setMaximumWidth(130);
    side->addWidget(list_, 1);
    events_ = new QCheckBox("Events", this);
    events_->setObjectName("cbPlotEvents");
    events_->setChecked(true);
    side->addWidget(events_);
    auto* reset = new QPushButton("Whole Log", this);
    reset->setObjectName("BtnPlotWholeLog");
    reset->setAutoDefault(false);
    side->addWidget(reset);
    auto* exportButton = new QPushButton("Save PNG...", this);
    exportButton->setObjectName("BtnPlotExport");
    exportButton->setAutoDefault(false);
    side->addWidget(exportButton);
    layout->addLayout(side);

    plot_ = new QCustomPlot(this);
    plot_->setObjectName("PlotLog");
    plot_->setInteractions(QCP::iRangeDrag | QCP::iRangeZoom);
    auto ticker = QSharedPointer<QCPAxisTickerDateTime>::create();
    ticker->setDateTimeFormat("MM/dd/yyyy\nHH:mm");
    ticker->setDateTimeSpec(Qt::UTC);
    plot_->xAxis->setTicker(ticker);
    plot_->yAxis2->setRange(0, 1);
    // The sensor list beside the plot names the lines in their colours; the
    // legend, light and out of the way, names the marks.
    plot_->legend->setVisible(true);
    plot_->legend->setFont(QFont(font().family(), 7));
    plot_->legend->setBrush(QColor(255, 255, 255, 190));
    plot_->axisRect()->insetLayout()->setInsetAlignment(0, Qt::AlignTop | Qt::AlignLeft);
    plot_->setNoAntialiasingOnDrag(true);
    layout->addWidget(plot_, 1);

    connect(list_, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        const std::string label = item->text().toLatin1().toStdString();
        if (item->checkState() == Qt::Checked) {
            hidden_.erase(label);
        } else {
            hidden_.insert(label);
        }
        Redraw();
    });
    connect(events_, &QCheckBox::toggled, this, [this] { Redraw(); });
    connect(reset, &QPushButton::clicked, this, [this] { ResetZoom(); });
    connect(exportButton, &QPushButton::clicked, this, [this] { ExportClick(); });
    Redraw();
}

void LogPlotView::SetData(const LogPlotData& data) {
    data_ = data;
    {
        const QSignalBlocker block(list_);
        list_->clear();
        std::size_t colour = 0;
        for (const LogPlotSeries& s : data_.Series()) {
            QPixmap swatch(12, 12);
            swatch.fill(kColours[colour++ % std::size(kColours)]);
            auto* item = new QListWidgetItem(QIcon(swatch), Q(s.label), list_);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
            item->setCheckState(hidden_.count(s.label) ? Qt::Unchecked : Qt::Checked);
        }
    }
    Redraw();
    ResetZoom();
}

QCPGraph* LogPlotView::AddGraph(const QString& name, const std::vector<LogPlotPoint>& points,
                                const QColor& color, int shape, bool events) {
    QCPGraph* g = plot_->addGraph(plot_->xAxis, events ? plot_->yAxis2 : plot_->yAxis);
    g->setName(name);
    QVector<double> keys(static_cast<qsizetype>(points.size()));
    QVector<double> values(static_cast<qsizetype>(points.size()));
    for (std::size_t i = 0; i < points.size(); ++i) {
        keys[static_cast<qsizetype>(i)] = points[i].time + kLogEpoch;
        values[static_cast<qsizetype>(i)] = events ? 1.0 : points[i].value;
    }
    g->setData(keys, values);
    QPen pen(color);
    if (events) {
        g->setLineStyle(QCPGraph::lsImpulse);
        pen.setStyle(Qt::DotLine);
    } else if (shape != QCPScatterStyle::ssNone) {
        g->setLineStyle(QCPGraph::lsNone);
        g->setScatterStyle(QCPScatterStyle(static_cast<QCPScatterStyle::ScatterShape>(shape), 7));
    }
    g->setPen(pen);
    return g;
}

void LogPlotView::Redraw() {
    plot_->clearGraphs();
    plot_->clearItems();
    if (data_.Empty()) {
        auto* note = new QCPItemText(plot_);
        note->setObjectName("PlotNoRecords");
        note->position->setType(QCPItemPosition::ptAxisRectRatio);
        note->position->setCoords(0.5, 0.5);
        note->setText(Q(std::string(logtext::kPlotNoRecords)));
        // The day that is ending, rather than 1970.
        const double now = double(QDateTime::currentSecsSinceEpoch());
        plot_->xAxis->setRange(now - 86400, now);
        plot_->yAxis->setRange(0, 1);
    }
    std::size_t colour = 0;
    for (const LogPlotSeries& s : data_.Series()) {
        const QColor c = kColours[colour++ % std::size(kColours)];
        if (hidden_.count(s.label)) {
            continue;
        }
        const QString name = Q(s.label);
        AddGraph(name, s.samples, c, QCPScatterStyle::ssNone, false)->removeFromLegend();
        // The summaries are marks on their sensor's line.
        const struct {
            const std::vector<LogPlotPoint>& points;
            const char* suffix;
            QCPScatterStyle::ScatterShape shape;
        } marks[] = {{s.minimum, " MIN", QCPScatterStyle::ssTriangleInverted},
                     {s.maximum, " MAX", QCPScatterStyle::ssTriangle},
                     {s.average, " AVG", QCPScatterStyle::ssDiamond}};
        for (const auto& m : marks) {
            if (!m.points.empty()) {
                AddGraph(name + m.suffix, m.points, c, m.shape, false);
            }
        }
    }
    if (events_->isChecked()) {
        // One kind of event, one colour of vertical mark.
        std::map<std::string, std::vector<LogPlotPoint>> byName;
        for (const LogPlotEvent& e : data_.Events()) {
            byName[e.name].push_back({e.time, 1.0});
        }
        static const std::map<std::string, QColor> kEventColours = {{"STX", QColor(160, 160, 160)},
                                                                    {"ETX", QColor(110, 110, 110)},
                                                                    {"SYNC", QColor(0, 150, 136)},
                                                                    {"TCXO", QColor(255, 152, 0)},
                                                                    {"OCXO", QColor(121, 85, 72)}};
        for (const auto& [name, points] : byName) {
            const auto it = kEventColours.find(name);
            AddGraph(Q(name), points, it == kEventColours.end() ? Qt::gray : it->second,
                     QCPScatterStyle::ssNone, true);
        }
    }
    plot_->legend->setVisible(plot_->legend->itemCount() > 0);
    plot_->replot();
}

void LogPlotView::ResetZoom() {
    bool any = false, anyValue = false;
    QCPRange keys, values;
    for (int i = 0; i < plot_->graphCount(); ++i) {
        QCPGraph* g = plot_->graph(i);
        if (g->data()->isEmpty()) {
            continue;
        }
        bool found = false;
        const QCPRange k = g->getKeyRange(found);
        if (!found) {
            continue;
        }
        keys = any ? QCPRange(std::min(keys.lower, k.lower), std::max(keys.upper, k.upper)) : k;
        if (g->valueAxis() == plot_->yAxis) {
            bool valueFound = false;
            const QCPRange v = g->getValueRange(valueFound);
            if (valueFound) {
                values = anyValue ? QCPRange(std::min(values.lower, v.lower),
                                             std::max(values.upper, v.upper))
                                  : v;
                anyValue = true;
            }
        }
        any = true;
    }
    if (any) {
        const double keyMargin = std::max(keys.size() * 0.02, 60.0);
        const double valueMargin = std::max(values.size() * 0.05, 0.5);
        plot_->xAxis->setRange(keys.lower - keyMargin, keys.upper + keyMargin);
        plot_->yAxis->setRange(values.lower - valueMargin, values.upper + valueMargin);
    }
    plot_->replot();
}

QCPGraph* LogPlotView::Graph(const QString& name) const {
    for (int i = 0; i < plot_->graphCount(); ++i) {
        if (plot_->graph(i)->name() == name) {
            return plot_->graph(i);
        }
    }
    return nullptr;
}

bool LogPlotView::ExportPng(const std::string& path) {
    return plot_->savePng(QString::fromLocal8Bit(path.c_str()));
}

void LogPlotView::ExportClick() {
    const auto path = prompter_.SaveFileName(std::string(logtext::kExportPlotTitle),
                                             std::string(logtext::kPngFilter), std::string(),
                                             std::string(logtext::kPlotFileName));
    if (path && !ExportPng(*path)) {
        prompter_.ShowErrorBox(std::string(logtext::kFileWriteError) + "\r" + *path);
    }
}

} // namespace tavin

// The two plotting libraries Debian offers for Qt 6, measured on what the
// data log plot asks of them: 100,000 points of one sensor over time, drawn
// into a window-sized picture. "draw" is the time of one full redraw after
// the data is in; "fill" the time to hand the points over; "rss_kb" the
// resident memory the plot with its points added. The ratios in the notes
// are QtCharts over QCustomPlot from one run.

#include "QtBenchMain.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QDateTimeAxis>
#include <QImage>
#include <QLineSeries>
#include <QPainter>
#include <QValueAxis>
#include <qcustomplot.h>

#include <cmath>
#include <fstream>
#include <memory>
#include <unistd.h>

namespace {

constexpr int kPoints = 100000;
constexpr int kWidth = 1200;
constexpr int kHeight = 600;

long ResidentKb() {
    std::ifstream statm("/proc/self/statm");
    long size = 0, resident = 0;
    statm >> size >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// A day-and-night curve with noise, one point every 15 minutes from 2000 on.
QVector<double> Times() {
    QVector<double> x(kPoints);
    for (int i = 0; i < kPoints; ++i) {
        x[i] = 946684800.0 + i * 900.0;
    }
    return x;
}
QVector<double> Values() {
    QVector<double> y(kPoints);
    for (int i = 0; i < kPoints; ++i) {
        y[i] = 12.0 + 3.0 * std::sin(i * 0.0654) + 0.1 * ((i * 7919) % 13);
    }
    return y;
}

struct ChartsPlot {
    QChartView view;
    QLineSeries* series = nullptr;
    ChartsPlot() {
        auto* chart = new QChart;
        series = new QLineSeries;
        chart->addSeries(series);
        auto* x = new QDateTimeAxis;
        x->setFormat("MM/dd/yyyy");
        auto* y = new QValueAxis;
        chart->addAxis(x, Qt::AlignBottom);
        chart->addAxis(y, Qt::AlignLeft);
        series->attachAxis(x);
        series->attachAxis(y);
        view.setChart(chart);
        view.resize(kWidth, kHeight);
    }
    void Fill(const QVector<double>& xs, const QVector<double>& ys) {
        QList<QPointF> points;
        points.reserve(kPoints);
        for (int i = 0; i < kPoints; ++i) {
            points.append(QPointF(xs[i] * 1000.0, ys[i]));
        }
        series->replace(points);
        auto* x = static_cast<QDateTimeAxis*>(view.chart()->axes(Qt::Horizontal).first());
        x->setRange(QDateTime::fromMSecsSinceEpoch(qint64(xs.front() * 1000)),
                    QDateTime::fromMSecsSinceEpoch(qint64(xs.back() * 1000)));
        view.chart()->axes(Qt::Vertical).first()->setRange(8, 16);
    }
    void Draw(QImage& image) {
        QPainter p(&image);
        view.render(&p);
    }
};

struct CustomPlot {
    QCustomPlot plot;
    CustomPlot() {
        plot.addGraph();
        plot.xAxis->setTicker(QSharedPointer<QCPAxisTickerDateTime>::create());
        plot.resize(kWidth, kHeight);
    }
    void Fill(const QVector<double>& xs, const QVector<double>& ys) {
        plot.graph(0)->setData(xs, ys, true);
        plot.xAxis->setRange(xs.front(), xs.back());
        plot.yAxis->setRange(8, 16);
    }
    void Draw(QImage& image) {
        plot.replot(QCustomPlot::rpImmediateRefresh);
        QPainter p(&image);
        plot.render(&p);
    }
};

template <typename Plot> void Fill(benchmark::State& state) {
    const QVector<double> xs = Times(), ys = Values();
    for (auto _ : state) {
        state.PauseTiming();
        auto plot = std::make_unique<Plot>();
        state.ResumeTiming();
        plot->Fill(xs, ys);
        state.PauseTiming();
        plot.reset();
        state.ResumeTiming();
    }
}

template <typename Plot> void Draw(benchmark::State& state) {
    const QVector<double> xs = Times(), ys = Values();
    const long before = ResidentKb();
    auto plot = std::make_unique<Plot>();
    plot->Fill(xs, ys);
    QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    plot->Draw(image); // the first draw lays out axes and caches
    state.counters["rss_kb"] = double(ResidentKb() - before);
    for (auto _ : state) {
        image.fill(Qt::white);
        plot->Draw(image);
        benchmark::DoNotOptimize(image.constBits());
    }
}

BENCHMARK(Fill<ChartsPlot>)->Name("QtCharts/fill")->Unit(benchmark::kMillisecond);
BENCHMARK(Fill<CustomPlot>)->Name("QCustomPlot/fill")->Unit(benchmark::kMillisecond);
BENCHMARK(Draw<ChartsPlot>)->Name("QtCharts/draw")->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(Draw<CustomPlot>)->Name("QCustomPlot/draw")->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char** argv) {
    return RunQtBenchmarks(argc, argv);
}

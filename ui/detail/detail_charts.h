#pragma once
// The three line/scatter plots of the data detail view (waveform, spectrum,
// PRPD) on Qt Charts, with their axes, formats and initial ranges.
// Threading: UI thread only.

#include <QPointF>
#include <QVector>
#include <QtCharts/QChartView>

QT_CHARTS_BEGIN_NAMESPACE
class QChart;
class QLineSeries;
class QScatterSeries;
class QValueAxis;
class QXYSeries;
QT_CHARTS_END_NAMESPACE

// One plot: a chart view with one series and two value axes.
struct detail_chart {
    QtCharts::QChartView* view = nullptr;
    QtCharts::QChart* chart = nullptr;
    QtCharts::QXYSeries* series = nullptr;
    QtCharts::QValueAxis* x = nullptr;
    QtCharts::QValueAxis* y = nullptr;
};

detail_chart make_wave_chart(QWidget* parent);
detail_chart make_spectrum_chart(QWidget* parent);
detail_chart make_prpd_chart(QWidget* parent);

// Sets the axis ranges and replaces the series points. An end that is no
// finite number counts as 0; a range whose ends coincide (a silent signal) is
// widened so the axis stays drawable. With
// envelope set, a long series is drawn as its envelope (below).
void set_chart_data(detail_chart& c, const QVector<QPointF>& points, double x0, double x1,
                    double y0, double y1, bool envelope = false);
// Empties the series; the axes keep their ranges.
void clear_chart(detail_chart& c);

// A long waveform reduced for drawing: per bucket of consecutive points the
// smallest and the largest value, in the order they occur, so every peak
// the full series would draw is kept. Series of at most 2 * buckets points
// come back unchanged.
QVector<QPointF> envelope_points(const QVector<QPointF>& points, int buckets);

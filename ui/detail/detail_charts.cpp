#include "ui/detail/detail_charts.h"

#include <QtCharts/QChart>
#include <QtCharts/QLineSeries>
#include <QtCharts/QScatterSeries>
#include <QtCharts/QValueAxis>

#include <QGraphicsScene>

#include <algorithm>
#include <cmath>

using namespace QtCharts;

// Points beyond this are drawn as their envelope; a chart view cannot draw
// a quarter of a million points at interactive speed and a screen column
// shows only its extremes anyway.
static constexpr int wave_buckets = 1600;

static QFont axis_font(int px, bool bold = false) {
    QFont f;
    f.setPixelSize(px);
    f.setBold(bold);
    return f;
}

static QValueAxis* make_axis(const QString& title, const QString& format, double lo, double hi) {
    auto* a = new QValueAxis;
    if (!title.isEmpty())
        a->setTitleText(title);
    a->setTitleFont(axis_font(12));
    a->setLabelsFont(axis_font(11));
    if (!format.isEmpty())
        a->setLabelFormat(format);
    a->setRange(lo, hi);
    a->setGridLineColor(QColor(230, 230, 230));
    a->setLinePenColor(QColor(204, 204, 204));
    return a;
}

static detail_chart make_chart(QWidget* parent, const QString& title, QXYSeries* series,
                               QValueAxis* x, QValueAxis* y) {
    detail_chart c;
    c.chart = new QChart;
    c.chart->setTitle(title);
    c.chart->setTitleFont(axis_font(13, true));
    c.chart->setBackgroundBrush(Qt::white);
    c.chart->setBackgroundRoundness(0);
    c.chart->legend()->hide();
    c.chart->setMargins(QMargins(4, 2, 8, 2));
    // Animations would replay on every frame step.
    c.chart->setAnimationOptions(QChart::NoAnimation);
    c.chart->addSeries(series);
    c.chart->addAxis(x, Qt::AlignBottom);
    c.chart->addAxis(y, Qt::AlignLeft);
    series->attachAxis(x);
    series->attachAxis(y);
    c.view = new QChartView(c.chart, parent);
    // Thousands of scatter markers are scene items; indexing each one as it
    // is added costs more than drawing them all.
    c.view->scene()->setItemIndexMethod(QGraphicsScene::NoIndex);
    c.view->setRenderHint(QPainter::Antialiasing, false);
    c.view->setFrameShape(QFrame::NoFrame);
    c.view->setMinimumSize(260, 180);
    c.series = series;
    c.x = x;
    c.y = y;
    return c;
}

detail_chart make_wave_chart(QWidget* parent) {
    auto* s = new QLineSeries;
    s->setPen(QPen(QColor(30, 117, 217), 1));
    return make_chart(parent, QObject::tr("Waveform"), s,
                      make_axis(QObject::tr("Time (sec)"), QStringLiteral("%.2f"), 0, 2),
                      make_axis(QObject::tr("Amplitude (Pa)"), QStringLiteral("%.2f"), -1, 1));
}

detail_chart make_spectrum_chart(QWidget* parent) {
    auto* s = new QLineSeries;
    s->setPen(QPen(QColor(30, 117, 217), 1));
    return make_chart(parent, QObject::tr("Spectrum"), s,
                      make_axis(QObject::tr("Frequency (Hz)"), QStringLiteral("%.0f"), 5000, 96000),
                      make_axis(QObject::tr("Amplitude (dB)"), QString(), 0, 5));
}

detail_chart make_prpd_chart(QWidget* parent) {
    auto* s = new QScatterSeries;
    s->setMarkerSize(4);
    s->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
    s->setColor(QColor(30, 117, 217));
    s->setBorderColor(QColor(30, 117, 217));
    QValueAxis* x = make_axis(QObject::tr("Phase"), QStringLiteral("%.0f"), 0, 360);
    x->setTickCount(5);
    QValueAxis* y = make_axis(QString(), QStringLiteral("%.2f"), 0, 1.05);
    return make_chart(parent, QObject::tr("PRPD"), s, x, y);
}

static void widen(double& lo, double& hi) {
    // Qt Charts refuses a range that is no number and keeps the old one,
    // which would show the previous item's axes: such an end counts as 0.
    if (!std::isfinite(lo))
        lo = 0;
    if (!std::isfinite(hi))
        hi = 0;
    if (!(hi > lo)) {
        const double pad = lo == 0 ? 1.0 : std::abs(lo) * 0.1;
        lo -= pad;
        hi += pad;
    }
}

void set_chart_data(detail_chart& c, const QVector<QPointF>& points, double x0, double x1,
                    double y0, double y1, bool envelope) {
    widen(x0, x1);
    widen(y0, y1);
    c.x->setRange(x0, x1);
    c.y->setRange(y0, y1);
    if (envelope && points.size() > 2 * wave_buckets)
        c.series->replace(envelope_points(points, wave_buckets));
    else
        c.series->replace(points);
}

void clear_chart(detail_chart& c) {
    c.series->clear();
}

QVector<QPointF> envelope_points(const QVector<QPointF>& points, int buckets) {
    const int n = points.size();
    if (buckets <= 0 || n <= 2 * buckets)
        return points;
    QVector<QPointF> out;
    out.reserve(2 * buckets);
    for (int b = 0; b < buckets; ++b) {
        const int from = int(int64_t(n) * b / buckets);
        const int to = int(int64_t(n) * (b + 1) / buckets);
        int lo = from, hi = from;
        for (int i = from + 1; i < to; ++i) {
            if (points[i].y() < points[lo].y())
                lo = i;
            if (points[i].y() > points[hi].y())
                hi = i;
        }
        out.push_back(points[std::min(lo, hi)]);
        if (lo != hi)
            out.push_back(points[std::max(lo, hi)]);
    }
    return out;
}

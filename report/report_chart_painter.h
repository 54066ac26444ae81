#pragma once
// Off-screen charts of a report (spectrum line, PRPD scatter) drawn with
// QPainter into a QImage, in the look of the detail view's charts: white
// background, value axes with ticks, labels and titles, grid lines in a
// light grey and the series in the program's blue.
// Threading: any thread that may paint on a QImage (no widgets, no QChart).

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QVector>

struct report_chart_axis {
    QString title;  // empty: none
    QString format; // printf style with one "%f"-like conversion; empty: automatic decimals
    double lo = 0;
    double hi = 1;
    int ticks = 5;
    bool visible = true; // hidden: no line, labels, ticks or title
    bool grid = true;
    QColor label_colour = QColor(0x40, 0x40, 0x44);
    QColor line_colour = QColor(204, 204, 204);
};

struct report_chart {
    QSize size = QSize(800, 400);
    report_chart_axis x;
    report_chart_axis y;
    QVector<QPointF> points;
    bool scatter = false;
    // A framed plot area (the PRPD chart's).
    bool plot_area_frame = false;
    int pixel_size = 12; // labels and titles
    QColor title_colour = Qt::black;
    QColor grid_colour = QColor(204, 204, 204);
    QColor series_colour = QColor(5, 94, 162);
};

// The two charts of a report with their initial axes and ranges.
report_chart report_spectrum_chart();
report_chart report_prpd_chart();

// Sets a range; one whose ends coincide or are not finite (a silent signal)
// is widened so the axis stays drawable.
void set_report_axis_range(report_chart_axis& a, double lo, double hi);

// Label texts of an axis, from the first (left or bottom) tick to the last.
QStringList report_axis_labels(const report_chart_axis& a);
// Where the data lands: the plot area inside the chart.
QRect report_chart_plot_area(const report_chart& c);
// Pixel position of a data point (not clipped).
QPointF report_chart_map(const report_chart& c, const QRect& area, QPointF p);
// The finished picture, c.size large.
QImage render_report_chart(const report_chart& c);

#include "report/report_chart_painter.h"

#include <QCoreApplication>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {
constexpr int tick_length = 5;
constexpr int gap = 4;

QFont chart_font(int pixel_size) {
    QFont f;
    f.setPixelSize(pixel_size);
    return f;
}

// One value through a printf-style format whose only conversion is "%[.N]f";
// anything else in the format is copied as it stands.
QString format_value(const QString& format, double v) {
    QString out;
    bool done = false;
    for (int i = 0; i < format.size(); ++i) {
        const QChar c = format.at(i);
        if (c != QLatin1Char('%') || done) {
            out += c;
            continue;
        }
        if (i + 1 < format.size() && format.at(i + 1) == QLatin1Char('%')) {
            out += QLatin1Char('%');
            ++i;
            continue;
        }
        int j = i + 1, precision = 6;
        if (j < format.size() && format.at(j) == QLatin1Char('.')) {
            int k = j + 1;
            while (k < format.size() && format.at(k).isDigit())
                ++k;
            precision = std::min(format.midRef(j + 1, k - j - 1).toInt(), 12);
            j = k;
        }
        if (j < format.size() && format.at(j) == QLatin1Char('f')) {
            char buf[64];
            std::snprintf(buf, sizeof buf, "%.*f", precision, v);
            out += QString::fromLatin1(buf);
            done = true;
            i = j;
        } else {
            out += c;
        }
    }
    return out;
}

double tick_value(const report_chart_axis& a, int i) {
    return a.ticks < 2 ? a.lo : a.lo + i * (a.hi - a.lo) / (a.ticks - 1);
}

// A scatter marker: a disc of diameter 4 outlined by a 2-pixel pen, as the
// detail view's scatter series draws it.
QImage scatter_marker(const QColor& colour) {
    QImage m(8, 8, QImage::Format_ARGB32_Premultiplied);
    m.fill(Qt::transparent);
    QPainter p(&m);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(colour, 2));
    p.setBrush(colour);
    p.drawEllipse(QPointF(4, 4), 2.0, 2.0);
    return m;
}

int max_label_width(const QFontMetrics& fm, const QStringList& labels) {
    int w = 0;
    for (const QString& s : labels)
        w = std::max(w, fm.horizontalAdvance(s));
    return w;
}
} // namespace

report_chart report_spectrum_chart() {
    report_chart c;
    c.x.title = QCoreApplication::translate("report_plot_obj", "Frequency (Hz)");
    c.x.format = QStringLiteral("%.0f");
    c.x.lo = 5000;
    c.x.hi = 96000;
    c.y.title = QCoreApplication::translate("report_plot_obj", "Amplitude (dB)");
    c.y.lo = 0;
    c.y.hi = 5;
    return c;
}

report_chart report_prpd_chart() {
    report_chart c;
    c.scatter = true;
    c.plot_area_frame = true;
    c.x.title = QCoreApplication::translate("report_plot_obj", "Phase");
    c.x.format = QStringLiteral("%.0f");
    c.x.lo = 0;
    c.x.hi = 360;
    c.x.grid = false;
    c.x.label_colour = Qt::black;
    c.y.visible = false;
    c.y.grid = false;
    c.y.lo = 0;
    c.y.hi = 1.05;
    c.points = {QPointF(0, -1)};
    return c;
}

void set_report_axis_range(report_chart_axis& a, double lo, double hi) {
    if (!std::isfinite(lo) || !std::isfinite(hi)) {
        lo = 0;
        hi = 1;
    }
    if (!(hi > lo)) {
        const double pad = lo == 0 ? 1.0 : std::abs(lo) * 0.1;
        lo -= pad;
        hi += pad;
    }
    a.lo = lo;
    a.hi = hi;
}

QStringList report_axis_labels(const report_chart_axis& a) {
    QStringList out;
    if (a.ticks < 1 || !(a.hi > a.lo))
        return out;
    // Without a format the decimals follow the tick spacing, one more than
    // the spacing needs, as the detail view's axes show them.
    const int decimals =
        a.ticks < 2 ? 1
                    : std::max(int(-std::floor(std::log10((a.hi - a.lo) / (a.ticks - 1)))), 0) + 1;
    for (int i = 0; i < a.ticks; ++i) {
        const double v = tick_value(a, i);
        out << (a.format.isEmpty() ? QString::number(v, 'f', decimals) : format_value(a.format, v));
    }
    return out;
}

QRect report_chart_plot_area(const report_chart& c) {
    const QFontMetrics fm(chart_font(c.pixel_size));
    const QStringList xl = c.x.visible ? report_axis_labels(c.x) : QStringList();
    const QStringList yl = c.y.visible ? report_axis_labels(c.y) : QStringList();
    int left = 1, bottom = 1;
    if (c.y.visible) {
        left = tick_length + gap + max_label_width(fm, yl) + gap;
        if (!c.y.title.isEmpty())
            left += fm.height() + gap;
    }
    // Half of the outer labels may stand beside the plot area.
    if (!xl.isEmpty())
        left = std::max(left, fm.horizontalAdvance(xl.first()) / 2 + 2);
    const int right = xl.isEmpty() ? 1 : fm.horizontalAdvance(xl.last()) / 2 + 2;
    const int top = yl.isEmpty() ? 1 : fm.height() / 2 + 2;
    if (c.x.visible) {
        bottom = tick_length + gap / 2 + fm.height() + gap;
        if (!c.x.title.isEmpty())
            bottom += fm.height() + gap;
    }
    return QRect(left, top, std::max(1, c.size.width() - left - right),
                 std::max(1, c.size.height() - top - bottom));
}

QPointF report_chart_map(const report_chart& c, const QRect& area, QPointF p) {
    const double fx = (p.x() - c.x.lo) / (c.x.hi - c.x.lo);
    const double fy = (p.y() - c.y.lo) / (c.y.hi - c.y.lo);
    // The last pixel column and row of the area stand for hi.
    return QPointF(area.left() + fx * (area.width() - 1), area.bottom() - fy * (area.height() - 1));
}

QImage render_report_chart(const report_chart& c) {
    QImage img(c.size, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    const QFont font = chart_font(c.pixel_size);
    p.setFont(font);
    const QFontMetrics fm(font);
    const QRect area = report_chart_plot_area(c);
    const int bottom = area.bottom();

    if (c.plot_area_frame) {
        p.setPen(QPen(c.grid_colour, 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(area);
    }
    const QStringList xl = report_axis_labels(c.x);
    const QStringList yl = report_axis_labels(c.y);
    // Grid lines, then the axes over them.
    p.setPen(QPen(c.grid_colour, 1));
    for (int i = 0; c.x.grid && i < xl.size(); ++i) {
        const double x = report_chart_map(c, area, QPointF(tick_value(c.x, i), c.y.lo)).x();
        p.drawLine(QPointF(x, area.top()), QPointF(x, bottom));
    }
    for (int i = 0; c.y.grid && i < yl.size(); ++i) {
        const double y = report_chart_map(c, area, QPointF(c.x.lo, tick_value(c.y, i))).y();
        p.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
    }
    if (c.x.visible) {
        p.setPen(QPen(c.x.line_colour, 1));
        p.drawLine(area.left(), bottom, area.right(), bottom);
        for (int i = 0; i < xl.size(); ++i) {
            const double x = report_chart_map(c, area, QPointF(tick_value(c.x, i), c.y.lo)).x();
            p.setPen(QPen(c.x.line_colour, 1));
            p.drawLine(QPointF(x, bottom), QPointF(x, bottom + tick_length));
            p.setPen(c.x.label_colour);
            p.drawText(QPointF(x - fm.horizontalAdvance(xl[i]) / 2.0,
                               bottom + tick_length + gap / 2 + fm.ascent()),
                       xl[i]);
        }
        if (!c.x.title.isEmpty()) {
            p.setPen(c.title_colour);
            p.drawText(QPointF(area.left() + (area.width() - fm.horizontalAdvance(c.x.title)) / 2.0,
                               bottom + tick_length + gap / 2 + fm.height() + gap + fm.ascent()),
                       c.x.title);
        }
    }
    if (c.y.visible) {
        p.setPen(QPen(c.y.line_colour, 1));
        p.drawLine(area.left(), area.top(), area.left(), bottom);
        for (int i = 0; i < yl.size(); ++i) {
            const double y = report_chart_map(c, area, QPointF(c.x.lo, tick_value(c.y, i))).y();
            p.setPen(QPen(c.y.line_colour, 1));
            p.drawLine(QPointF(area.left() - tick_length, y), QPointF(area.left(), y));
            p.setPen(c.y.label_colour);
            p.drawText(QPointF(area.left() - tick_length - gap - fm.horizontalAdvance(yl[i]),
                               y + (fm.ascent() - fm.descent()) / 2.0),
                       yl[i]);
        }
        if (!c.y.title.isEmpty()) {
            p.save();
            p.setPen(c.title_colour);
            p.translate(fm.ascent() + 1,
                        area.top() + (area.height() + fm.horizontalAdvance(c.y.title)) / 2.0);
            p.rotate(-90);
            p.drawText(0, 0, c.y.title);
            p.restore();
        }
    }

    p.setClipRect(area);
    if (c.scatter) {
        // One marker drawn once and stamped at every point: thousands of
        // antialiased ellipses would cost more than the rest of the report.
        const QImage marker = scatter_marker(c.series_colour);
        const QPointF centre(marker.width() / 2.0, marker.height() / 2.0);
        for (const QPointF& pt : c.points) {
            const QPointF at = report_chart_map(c, area, pt) - centre;
            p.drawImage(QPoint(int(std::lround(at.x())), int(std::lround(at.y()))), marker);
        }
    } else if (!c.points.isEmpty()) {
        QPolygonF line;
        line.reserve(c.points.size());
        for (const QPointF& pt : c.points)
            line << report_chart_map(c, area, pt);
        p.setPen(QPen(c.series_colour, 1, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
        p.drawPolyline(line);
    }
    p.end();
    return img;
}

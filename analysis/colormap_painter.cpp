#include "analysis/colormap_painter.h"

#include <QCoreApplication>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include <cmath>

namespace {
QString x_title_text() {
    return QCoreApplication::translate("colormap_label", "Time (sec)");
}
QString y_title_text() {
    return QCoreApplication::translate("colormap_label", "Frequency (Hz)");
}
constexpr int label_gap = 1;  // below the ticks
constexpr int title_gap = 2;  // between labels and title
constexpr int frame_room = 3; // the widget's 2 px border and a pixel of air

// Height and ascent of a text as drawn, glyphs of fallback fonts included
// (a Chinese title is taller than the Latin font says).
struct text_box {
    int ascent;
    int height;
};
text_box box_of(const QFontMetrics& fm, const QString& text) {
    const QRect r = fm.boundingRect(text);
    const int ascent = std::max(fm.ascent(), -r.top());
    const int descent = std::max(fm.descent(), r.bottom() + 1);
    return {ascent, ascent + descent};
}
} // namespace

QFont colormap_font(const QFont& base) {
    QFont f = base;
    f.setPointSize(10);
    return f;
}

int colormap_bottom_margin(const QFont& font) {
    const QFontMetrics fm(font);
    const int needed = colormap_tick_length + label_gap +
                       box_of(fm, QStringLiteral("0.00")).height + title_gap +
                       box_of(fm, x_title_text()).height + frame_room;
    return std::max(colormap_margin_bottom, needed);
}

QRect colormap_plot_area(QSize size, const QFont& base) {
    const int bottom = colormap_bottom_margin(colormap_font(base));
    return QRect(colormap_margin_left, colormap_margin_top,
                 std::max(0, size.width() - colormap_margin_left - colormap_margin_right),
                 std::max(0, size.height() - colormap_margin_top - bottom));
}

QStringList colormap_x_labels(double x0, double x1) {
    QStringList out;
    for (int i = 0; i < colormap_ticks; ++i)
        out << QString::number(x0 + i * (x1 - x0) / (colormap_ticks - 1), 'f', 2);
    return out;
}

QStringList colormap_y_labels(double y0, double y1) {
    QStringList out;
    for (int i = 0; i < colormap_ticks; ++i)
        out << QString::number((y0 + i * (y1 - y0) / (colormap_ticks - 1)) / 1000.0, 'f', 0) +
                   QStringLiteral("k");
    return out;
}

void paint_colormap(QPainter& p, QSize size, const colormap_view& v) {
    const QRect area = colormap_plot_area(size, p.font());
    p.save();
    p.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    const QFont font = colormap_font(p.font());
    p.setFont(font);
    const QFontMetrics fm(font);
    const QColor line(204, 204, 204);
    p.setPen(line);
    p.drawRect(area.adjusted(0, 0, -1, -1));

    const int left = area.left();
    const int bottom = area.top() + area.height();
    const QStringList xl = colormap_x_labels(v.x0, v.x1);
    const text_box label = box_of(fm, QStringLiteral("0.00"));
    const QStringList yl = colormap_y_labels(v.y0, v.y1);
    for (int i = 0; i < colormap_ticks; ++i) {
        const int x = left + int(std::lround(double(i) * area.width() / (colormap_ticks - 1)));
        p.setPen(line);
        p.drawLine(x, bottom, x, bottom + colormap_tick_length);
        p.setPen(Qt::black);
        const int tw = fm.horizontalAdvance(xl[i]);
        p.drawText(x - tw / 2, bottom + colormap_tick_length + label_gap + label.ascent, xl[i]);
    }
    for (int i = 0; i < colormap_ticks; ++i) {
        const int y = bottom - int(std::lround(double(i) * area.height() / (colormap_ticks - 1)));
        p.setPen(line);
        p.drawLine(left - colormap_tick_length, y, left, y);
        p.setPen(Qt::black);
        const int tw = fm.horizontalAdvance(yl[i]);
        p.drawText(left - colormap_tick_length - 3 - tw, y + (fm.ascent() - fm.descent()) / 2,
                   yl[i]);
    }

    p.setPen(Qt::black);
    const QString x_title = x_title_text();
    const QString y_title = y_title_text();
    // Below the labels, whole: the margin was made for exactly this stack.
    const int x_title_y = bottom + colormap_tick_length + label_gap + label.height + title_gap +
                          box_of(fm, x_title).ascent;
    p.drawText(area.left() + (area.width() - fm.horizontalAdvance(x_title)) / 2, x_title_y,
               x_title);
    p.save();
    p.translate(box_of(fm, y_title).ascent + 2,
                area.top() + (area.height() + fm.horizontalAdvance(y_title)) / 2);
    p.rotate(-90);
    p.drawText(0, 0, y_title);
    p.restore();

    if (!v.image.isNull() && !area.isEmpty())
        p.drawImage(area, v.image);
    p.restore();
}

QImage render_colormap(QSize size, const colormap_view& v, const QImage& colour_bar) {
    const int bar_w = colour_bar.isNull() ? 0 : 96;
    QImage out(size.width() + bar_w, size.height(), QImage::Format_RGB32);
    out.fill(Qt::white);
    QPainter p(&out);
    paint_colormap(p, size, v);
    if (bar_w > 0) {
        const QRect area = colormap_plot_area(size, p.font());
        p.drawImage(QRect(size.width(), area.top(), bar_w - colormap_margin_right, area.height()),
                    colour_bar);
    }
    p.end();
    return out;
}

#pragma once
// Drawing of the spectrogram frame: plot area, ticks, labels, titles and the
// image scaled into the plot area. Shared by the spectrogram widget and
// off-screen renders (the command line), so both show the same picture.
// Threading: any thread that may paint on a QImage.

#include <QFont>
#include <QImage>
#include <QRect>
#include <QSize>
#include <QStringList>

class QPainter;

struct colormap_view {
    QImage image; // may be null: only frame, ticks and labels are drawn
    double x0 = 0;
    double x1 = 1;
    double y0 = 5000;
    double y1 = 96000;
};

constexpr int colormap_margin_left = 65;
constexpr int colormap_margin_top = 12;
constexpr int colormap_margin_right = 20;
// At least this much below the plot area; more when the tick labels and the
// time axis title need it in the font and language at hand.
constexpr int colormap_margin_bottom = 42;
constexpr int colormap_ticks = 5;
constexpr int colormap_tick_length = 5;

// The font of labels and titles: base at point size 10.
QFont colormap_font(const QFont& base);
// Room below the plot area for the tick labels and the whole time axis
// title in this font (itself at the drawing size).
int colormap_bottom_margin(const QFont& font);
// The plot area inside a frame of the given size, for text drawn in base's
// family (the widget's or the painter's font).
QRect colormap_plot_area(QSize size, const QFont& base = QFont());
// Tick labels from the first (left / bottom) to the last tick.
QStringList colormap_x_labels(double x0, double x1);
QStringList colormap_y_labels(double y0, double y1);
// Paints the whole frame into size (background included).
void paint_colormap(QPainter& p, QSize size, const colormap_view& v);
// A finished picture of the frame with the colour bar image (may be null)
// beside it, as saved by the command line.
QImage render_colormap(QSize size, const colormap_view& v, const QImage& colour_bar);

#pragma once
// Drawing of the spectrogram frame: plot area, ticks, labels, titles and the
// image scaled into the plot area. Shared by the spectrogram widget and
// off-screen renders (the command line), so both show the same picture.
// Threading: any thread that may paint on a QImage.

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
constexpr int colormap_margin_bottom = 42;
constexpr int colormap_ticks = 5;
constexpr int colormap_tick_length = 5;

// The plot area inside a frame of the given size.
QRect colormap_plot_area(QSize size);
// Tick labels from the first (left / bottom) to the last tick.
QStringList colormap_x_labels(double x0, double x1);
QStringList colormap_y_labels(double y0, double y1);
// Paints the whole frame into size (background included).
void paint_colormap(QPainter& p, QSize size, const colormap_view& v);
// A finished picture of the frame with the colour bar image (may be null)
// beside it, as saved by the command line.
QImage render_colormap(QSize size, const colormap_view& v, const QImage& colour_bar);

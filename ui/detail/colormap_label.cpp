#include "ui/detail/colormap_label.h"

#include <QPainter>
#include <QPen>

colormap_label::colormap_label(QWidget* parent) : QWidget(parent) {
    setStyleSheet(QStringLiteral("QWidget{background: white;border: 2px solid #999999;}"));
    const QRect area = colormap_plot_area(size(), font());
    plot_w_ = area.width();
    plot_h_ = area.height();
}

void colormap_label::set_image(const QImage& img, double x0, double x1, double y0, double y1) {
    view_.image = img;
    view_.x0 = x0;
    view_.x1 = x1;
    view_.y0 = y0;
    view_.y1 = y1;
    update();
}

void colormap_label::set_y_range(double y0, double y1) {
    view_.y0 = y0;
    view_.y1 = y1;
    update();
}

void colormap_label::clear() {
    if (!view_.image.isNull())
        view_.image.fill(Qt::white);
    update();
}

void colormap_label::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect area = colormap_plot_area(size(), font());
    plot_w_ = area.width();
    plot_h_ = area.height();
    paint_colormap(p, size(), view_);
    // The style sheet's border, drawn over the white background the
    // painter laid down.
    p.setPen(QPen(QColor(0x99, 0x99, 0x99), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
}

#include "ui/detail/colour_bar_view.h"

#include "analysis/rainbow_table.h"

#include <QPainter>

// Same vertical margins as the spectrogram's plot area, so rows line up.
static constexpr int top_margin = 12;
static constexpr int bottom_margin = 42;

colour_bar_view::colour_bar_view(QWidget* parent) : QWidget(parent) {
    setFixedWidth(56);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    setToolTip(tr("Level per frequency"));
}

void colour_bar_view::set_image(const QImage& img) {
    m_image = img;
    update();
}

void colour_bar_view::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    const QRect area(4, top_margin, width() - 8,
                     std::max(height() - top_margin - bottom_margin, 1));
    if (!m_image.isNull())
        p.drawImage(area, m_image);
    else
        p.fillRect(area, QColor(42, 44, 54));
    p.setPen(QColor(204, 204, 204));
    p.drawRect(area.adjusted(0, 0, -1, -1));

    // A key of the colours under the bar. Bars grow from the right edge, so
    // the lowest colour sits on the right and the highest on the left.
    const QRect key(area.left(), area.bottom() + 8, area.width(), 6);
    const auto& table = rainbow_table();
    for (int x = 0; x < key.width(); ++x) {
        const int i = key.width() > 1 ? (key.width() - 1 - x) * 255 / (key.width() - 1) : 0;
        const rgb8 c = table[size_t(i)];
        p.setPen(QColor(c.r, c.g, c.b));
        p.drawLine(key.left() + x, key.top(), key.left() + x, key.bottom());
    }
    QFont f = font();
    f.setPixelSize(10);
    p.setFont(f);
    p.setPen(QColor(102, 102, 102));
    p.drawText(QRect(area.left(), key.bottom() + 2, area.width(), 14), Qt::AlignLeft, tr("high"));
    p.drawText(QRect(area.left(), key.bottom() + 2, area.width(), 14), Qt::AlignRight, tr("low"));
}

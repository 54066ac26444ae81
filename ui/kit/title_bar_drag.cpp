#include "ui/kit/title_bar_drag.h"

#include <QMouseEvent>
#include <QWidget>

bool title_bar_drag::press(QWidget* window, const QMouseEvent* e) {
    if (e->button() != Qt::LeftButton || e->pos().y() > title_height_ || e->pos().y() < 0)
        return false;
    dragging_ = true;
    last_global_ = e->globalPos();
    window_top_left_ = window->frameGeometry().topLeft();
    return true;
}

bool title_bar_drag::move(QWidget* window, const QMouseEvent* e) {
    if (!dragging_)
        return false;
    const QPoint global = e->globalPos();
    window_top_left_ += global - last_global_;
    window->move(window_top_left_);
    last_global_ = global;
    return true;
}

bool title_bar_drag::release(const QMouseEvent* e) {
    if (!dragging_)
        return false;
    dragging_ = false;
    return true;
}

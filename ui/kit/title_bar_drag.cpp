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

title_bar_drag_filter::title_bar_drag_filter(QWidget* window, int title_height)
    : QObject(window), window_(window), drag_(title_height) {}

title_bar_drag_filter* title_bar_drag_filter::install(QWidget* window, int title_height) {
    auto* filter = new title_bar_drag_filter(window, title_height);
    window->installEventFilter(filter);
    return filter;
}

bool title_bar_drag_filter::eventFilter(QObject* watched, QEvent* event) {
    if (watched != window_)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        return drag_.press(window_, static_cast<QMouseEvent*>(event));
    case QEvent::MouseMove:
        return drag_.move(window_, static_cast<QMouseEvent*>(event));
    case QEvent::MouseButtonRelease:
        return drag_.release(static_cast<QMouseEvent*>(event));
    default:
        return false;
    }
}

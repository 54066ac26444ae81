#include "ui/kit/t_orn_widget.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyleOption>

t_orn_widget::t_orn_widget(QWidget* parent) : QWidget(parent) {
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint | Qt::Window);
    setAttribute(Qt::WA_DeleteOnClose, true);
}

void t_orn_widget::mousePressEvent(QMouseEvent* e) {
    if (!drag_.press(this, e))
        QWidget::mousePressEvent(e);
}

void t_orn_widget::mouseMoveEvent(QMouseEvent* e) {
    if (!drag_.move(this, e))
        QWidget::mouseMoveEvent(e);
}

void t_orn_widget::mouseReleaseEvent(QMouseEvent* e) {
    if (!drag_.release(e))
        QWidget::mouseReleaseEvent(e);
}

void t_orn_widget::paintEvent(QPaintEvent* e) {
    QStyleOption opt;
    opt.initFrom(this);
    QPainter p(this);
    style()->drawPrimitive(QStyle::PE_Widget, &opt, &p, this);
    QWidget::paintEvent(e);
}

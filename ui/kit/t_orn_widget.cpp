#include "ui/kit/t_orn_widget.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
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

void t_orn_widget::showEvent(QShowEvent* e) {
    if (!shown_once_ && isWindow() && !testAttribute(Qt::WA_Moved) && !e->spontaneous()) {
        QRect area;
        QWidget* active = QApplication::activeWindow();
        if (active && active != this && active->isVisible())
            area = active->frameGeometry();
        else if (QScreen* screen = QGuiApplication::primaryScreen())
            area = screen->availableGeometry();
        if (area.isValid()) {
            QRect frame = frameGeometry();
            frame.moveCenter(area.center());
            move(frame.topLeft());
        }
    }
    shown_once_ = true;
    QWidget::showEvent(e);
}

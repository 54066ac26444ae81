#include "ui/kit/t_orn_widget.h"

#include "ui/kit/kit_style.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyleOption>
#include <QVBoxLayout>

t_orn_widget::t_orn_widget(QWidget* parent) : QWidget(parent) {
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint | Qt::Window);
    setAttribute(Qt::WA_DeleteOnClose, true);
}

QVBoxLayout* t_orn_widget::build_dialog_frame(const QString& title, const QSize& size,
                                              const char* class_name, QPushButton** close_button) {
    setWindowTitle(title);
    setWindowIcon(QIcon(QString::fromLatin1(kit_style::app_icon)));
    setFixedSize(size);
    setStyleSheet(kit_style::window_style(class_name));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    const kit_style::title_bar_parts bar = kit_style::make_title_bar(this, title);
    layout->addWidget(bar.bar);
    if (close_button)
        *close_button = bar.close;
    return layout;
}

t_orn_widget::confirm_cancel t_orn_widget::add_confirm_cancel_row(QVBoxLayout* layout) {
    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 36, 24);
    row->setSpacing(12);
    row->addStretch();
    confirm_cancel b;
    b.ok = kit_style::make_button(this, tr("Confirm"), QStringLiteral("ok"));
    b.cancle = kit_style::make_button(this, tr("Cancel"), QStringLiteral("cancle"));
    row->addWidget(b.ok);
    row->addWidget(b.cancle);
    layout->addLayout(row);
    return b;
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

#include "ui/tool_bar_strip.h"

#include <QEvent>
#include <QScrollBar>

#include <algorithm>

namespace {
const char* const strip_style =
    "QScrollArea{border:none;background:white;}"
    "QScrollBar:horizontal{height:8px;background:transparent;margin:0;}"
    "QScrollBar::handle:horizontal{background:#D0D0D0;min-width:40px;border-radius:4px;}"
    "QScrollBar::add-line:horizontal,QScrollBar::sub-line:horizontal{width:0;}"
    "QScrollBar::add-page:horizontal,QScrollBar::sub-page:horizontal{background:none;}";
constexpr int min_visible_width = 120; // enough to see that the bar goes on
} // namespace

tool_bar_strip::tool_bar_strip(QWidget* bar, int bar_height, QWidget* parent)
    : QScrollArea(parent), bar_height_(bar_height) {
    setObjectName(QStringLiteral("tool_bar_strip"));
    setFrameShape(QFrame::NoFrame);
    setStyleSheet(QString::fromLatin1(strip_style));
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWidgetResizable(true);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    bar->setFixedHeight(bar_height);
    setWidget(bar);
    // The bar's compact width changes with the boxes it shows.
    bar->installEventFilter(this);
    fit_height();
}

QSize tool_bar_strip::minimumSizeHint() const {
    return {min_visible_width, height()};
}

QSize tool_bar_strip::sizeHint() const {
    const QWidget* bar = widget();
    return {bar ? bar->sizeHint().width() : min_visible_width, height()};
}

bool tool_bar_strip::scrolling() const {
    const QWidget* bar = widget();
    return bar && bar->minimumSizeHint().width() > width();
}

int tool_bar_strip::missing_width() const {
    const QWidget* bar = widget();
    return bar ? std::max(0, bar->minimumSizeHint().width() - width()) : 0;
}

void tool_bar_strip::fit_height() {
    const int extra = scrolling() ? horizontalScrollBar()->sizeHint().height() : 0;
    if (height() != bar_height_ + extra)
        setFixedHeight(bar_height_ + extra);
}

void tool_bar_strip::resizeEvent(QResizeEvent* e) {
    QScrollArea::resizeEvent(e);
    fit_height();
}

bool tool_bar_strip::eventFilter(QObject* obj, QEvent* e) {
    if (obj == widget() && e->type() == QEvent::LayoutRequest) {
        fit_height();
        Q_EMIT bar_resized();
    }
    return QScrollArea::eventFilter(obj, e);
}

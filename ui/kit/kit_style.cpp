#include "ui/kit/kit_style.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace kit_style {

const char* const title_bar = "background:#4778C7;";
const char* const title_label = "QLabel{font:16px;color:white}";
const char* const close_button = "QPushButton{border:none;background:transparent;"
                                 "border-image:url(:/TOrnViewer/Resources/close.png);}"
                                 "QPushButton:hover{background:rgba(255,255,255,40);}"
                                 "QPushButton:pressed{background:rgba(0,0,0,40);}";
const char* const button = "QPushButton{background:rgb(30,117,217);border:1px solid "
                           "#FFFFFF;color:white;}QPushButton:disabled{background:rgb(112,176,239)}";
const char* const message_text = "QLabel{font:16px;padding-left:32px;}";
const char* const progress_bar =
    "QProgressBar{height: 28px;border-radius: 14px;text-align: center;font: 16px;color: "
    "white;background-color: qlineargradient(x1: 0, y1: 0,x2: 0, y2: 1, stop: 0 #858585, stop: "
    "0.5 #CACACA, stop: 1.0 #858585);margin-left:30px;margin-right:30px;}QProgressBar::chunk{ "
    "background-color:rgb(71, 120, 199);border-radius: 14px;}";
const char* const window_white = "background:white;";
// A thin outline keeps a frameless white window apart from a white window behind it.
const char* const window_outline = "border:1px solid #4778C7;";

const char* const menu =
    "QMenu{background:white;border:1px solid #B8BEC9;padding:4px 0px;font:14px;color:#333333;}"
    "QMenu::item{padding:6px 28px 6px 16px;background:transparent;color:#333333;}"
    "QMenu::item:selected{background:#E5F3FF;color:#1E75D9;}"
    "QMenu::item:disabled{color:#AAAAAA;}"
    "QMenu::separator{height:1px;background:#E2E2E2;margin:4px 8px;}";

const char* const app_icon = ":/TOrnViewer/Resources/app_logo.ico";
const char* const close_icon = ":/TOrnViewer/Resources/close.png";

title_bar_parts make_title_bar(QWidget* parent, const QString& title, bool with_close) {
    title_bar_parts parts;
    parts.bar = new QWidget(parent);
    parts.bar->setObjectName(QStringLiteral("title_bar"));
    // A plain QWidget paints its style-sheet background only when asked to.
    parts.bar->setAttribute(Qt::WA_StyledBackground, true);
    parts.bar->setStyleSheet(QString::fromLatin1(kit_style::title_bar));
    parts.bar->setFixedHeight(title_bar_height);
    parts.bar->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);

    auto* row = new QHBoxLayout(parts.bar);
    row->setContentsMargins(16, 0, 8, 0);
    row->setSpacing(8);

    parts.title = new QLabel(title, parts.bar);
    parts.title->setObjectName(QStringLiteral("title"));
    parts.title->setStyleSheet(QString::fromLatin1(title_label));
    parts.title->setTextFormat(Qt::PlainText);
    row->addWidget(parts.title);
    row->addStretch(1);

    if (with_close) {
        parts.close = new QPushButton(parts.bar);
        parts.close->setObjectName(QStringLiteral("close"));
        parts.close->setFixedSize(close_button_size, close_button_size);
        parts.close->setCursor(Qt::PointingHandCursor);
        parts.close->setFocusPolicy(Qt::NoFocus);
        parts.close->setStyleSheet(QString::fromLatin1(kit_style::close_button));
        row->addWidget(parts.close);
    }
    return parts;
}

QString window_style(const char* class_name) {
    return QStringLiteral("%1{%2%3}")
        .arg(QLatin1String(class_name), QLatin1String(window_white), QLatin1String(window_outline));
}

QPushButton* make_button(QWidget* parent, const QString& text, const QString& object_name) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(object_name);
    b->setFixedSize(button_width, button_height);
    b->setCursor(Qt::PointingHandCursor);
    b->setStyleSheet(QString::fromLatin1(button));
    return b;
}

} // namespace kit_style

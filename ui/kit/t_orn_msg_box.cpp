#include "ui/kit/t_orn_msg_box.h"

#include "ui/kit/kit_style.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QIcon>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int icon_size = 48;
}

QString t_orn_msg_box::icon_path(int icon) {
    switch (icon) {
    case icon_info:
        return QStringLiteral(":/TOrnViewer/Resources/msg_info.svg");
    case icon_warn:
        return QStringLiteral(":/TOrnViewer/Resources/msg_warn.svg");
    case icon_question:
        return QStringLiteral(":/TOrnViewer/Resources/msg_question.svg");
    case icon_critical:
        return QStringLiteral(":/TOrnViewer/Resources/msg_critical.svg");
    default:
        return QString();
    }
}

t_orn_msg_box::t_orn_msg_box(QWidget* parent, const std::string& title, const std::string& text,
                             int icon, int buttons)
    : t_orn_widget(parent) {
    setObjectName(QStringLiteral("t_orn_msg_box"));
    const QString title_text = QString::fromStdString(title);
    setWindowTitle(title_text);
    setWindowIcon(QIcon(QString::fromLatin1(kit_style::app_icon)));
    setMinimumSize(450, 200);
    setFocusPolicy(Qt::StrongFocus);
    setStyleSheet(kit_style::window_style("t_orn_msg_box"));

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    kit_style::title_bar_parts bar = kit_style::make_title_bar(this, title_text);
    outer->addWidget(bar.bar);

    auto* body = new QHBoxLayout;
    body->setContentsMargins(32, 20, 32, 12);
    body->setSpacing(0);
    icon_label_ = new QLabel(this);
    icon_label_->setObjectName(QStringLiteral("icon"));
    icon_label_->setFixedSize(icon_size, icon_size);
    const QString path = icon_path(icon);
    if (!path.isEmpty()) {
        // Render the vector image at the label's device pixel size, not its default size.
        const qreal dpr = devicePixelRatioF();
        QImageReader reader(path);
        reader.setScaledSize(QSize(qRound(icon_size * dpr), qRound(icon_size * dpr)));
        QPixmap pm = QPixmap::fromImage(reader.read());
        pm.setDevicePixelRatio(dpr);
        icon_label_->setPixmap(pm);
    } else {
        icon_label_->hide();
    }
    body->addWidget(icon_label_, 0, Qt::AlignVCenter);

    text_label_ = new QLabel(QString::fromStdString(text), this);
    text_label_->setObjectName(QStringLiteral("text"));
    text_label_->setStyleSheet(QString::fromLatin1(kit_style::message_text));
    // Messages quote names and paths: show them as written, never as markup.
    text_label_->setTextFormat(Qt::PlainText);
    text_label_->setWordWrap(true);
    text_label_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    text_label_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    body->addWidget(text_label_, 1);
    outer->addLayout(body, 1);

    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 36, 20);
    row->setSpacing(12);
    row->addStretch(1);
    ok_ = kit_style::make_button(this, tr("Confirm"), QStringLiteral("ok"));
    ok_->setFocusPolicy(Qt::NoFocus);
    row->addWidget(ok_);
    if (buttons != buttons_confirm && buttons != 2) {
        cancle_ = kit_style::make_button(this, tr("Cancel"), QStringLiteral("cancle"));
        cancle_->setFocusPolicy(Qt::NoFocus);
        row->addWidget(cancle_);
        connect(cancle_, &QPushButton::clicked, this, &t_orn_msg_box::on_cancle_clicked);
    }
    outer->addLayout(row);

    connect(ok_, &QPushButton::clicked, this, &t_orn_msg_box::on_ok_clicked);
    connect(bar.close, &QPushButton::clicked, this, &t_orn_msg_box::on_close_clicked);
    setFocus(Qt::OtherFocusReason);
}

void t_orn_msg_box::on_ok_clicked() {
    if (answered_)
        return;
    answered_ = true;
    Q_EMIT msg_ok();
    close();
}

void t_orn_msg_box::on_cancle_clicked() {
    if (answered_)
        return;
    answered_ = true;
    Q_EMIT msg_cancle();
    close();
}

void t_orn_msg_box::on_close_clicked() {
    if (answered_)
        return;
    answered_ = true;
    Q_EMIT msg_close();
    close();
}

void t_orn_msg_box::keyPressEvent(QKeyEvent* e) {
    switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        on_ok_clicked();
        return;
    case Qt::Key_Escape:
        on_close_clicked();
        return;
    default:
        t_orn_widget::keyPressEvent(e);
    }
}

void t_orn_msg_box::closeEvent(QCloseEvent* e) {
    // Closed without a button (system menu, Alt+F4): report it like the close button.
    if (!answered_) {
        answered_ = true;
        Q_EMIT msg_close();
    }
    t_orn_widget::closeEvent(e);
}

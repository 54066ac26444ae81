#include "ui/device/dev_sync_time_box.h"

#include "store/time_util.h"
#include "ui/kit/kit_style.h"

#include <QDateTime>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <cmath>

namespace {
const char* const time_edit_style = "QLineEdit{font:16px;border:2px solid #999999;"
                                    "border-radius:4px;padding-left:12px;}";
const char* const sync_button_style = "QPushButton{background:rgb(30,117,217);border:none;"
                                      "color:white;font:14px;padding:0 12px;}QPushButton:disabled{"
                                      "background:rgb(112,176,239)}";

QString cut_at_dot(const QString& text) {
    const int dot = text.indexOf(QLatin1Char('.'));
    return dot < 0 ? text : text.left(dot);
}
} // namespace

dev_sync_time_box::dev_sync_time_box(const std::vector<search_device_info>& dev_vec,
                                     QWidget* parent)
    : t_orn_widget(parent), devices_(dev_vec) {
    setObjectName(QStringLiteral("dev_sync_time_box"));
    const QString title = tr("Synchronize the computer system time to the device");
    setWindowTitle(title);
    setWindowIcon(QIcon(QString::fromLatin1(kit_style::app_icon)));
    setFixedWidth(550);
    setMinimumHeight(160);
    setStyleSheet(kit_style::window_style("dev_sync_time_box"));

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    const kit_style::title_bar_parts bar = kit_style::make_title_bar(this, title);
    outer->addWidget(bar.bar);
    connect(bar.close, &QPushButton::clicked, this, &dev_sync_time_box::on_close_clicked);

    auto* grid = new QGridLayout;
    grid->setContentsMargins(24, 20, 24, 8);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(12);
    auto add_row = [&](int row, const QString& label_text) {
        auto* label = new QLabel(label_text, this);
        label->setStyleSheet(QStringLiteral("QLabel{font:16px;}"));
        label->setTextFormat(Qt::PlainText);
        auto* edit = new QLineEdit(this);
        edit->setReadOnly(true);
        edit->setFixedHeight(30);
        edit->setStyleSheet(QString::fromLatin1(time_edit_style));
        grid->addWidget(label, row, 0);
        grid->addWidget(edit, row, 1);
        return edit;
    };
    for (size_t i = 0; i < devices_.size(); ++i) {
        QLineEdit* e = add_row(int(i), device_label(devices_[i], devices_.size()));
        e->setObjectName(QStringLiteral("device_time_%1").arg(i));
        device_edits_.append(e);
    }
    computer_edit_ = add_row(int(devices_.size()), tr("Computer time") + tr(":"));
    computer_edit_->setObjectName(QStringLiteral("computer_time"));
    grid->setColumnStretch(1, 1);
    outer->addLayout(grid);

    auto* bottom = new QHBoxLayout;
    bottom->setContentsMargins(24, 8, 24, 20);
    result_ = new QLabel(this);
    result_->setObjectName(QStringLiteral("result"));
    result_->setStyleSheet(QStringLiteral("QLabel{font:14px;color:#555555;}"));
    result_->setWordWrap(true);
    result_->setTextFormat(Qt::PlainText);
    bottom->addWidget(result_, 1);
    ok_ = new QPushButton(tr("Synchronization"), this);
    ok_->setObjectName(QStringLiteral("ok"));
    ok_->setFixedHeight(40);
    ok_->setMinimumWidth(96);
    ok_->setCursor(Qt::PointingHandCursor);
    ok_->setStyleSheet(QString::fromLatin1(sync_button_style));
    bottom->addWidget(ok_);
    outer->addLayout(bottom);
    connect(ok_, &QPushButton::clicked, this, &dev_sync_time_box::on_ok_clicked);

    timer_ = new QTimer(this);
    timer_->setInterval(500);
    connect(timer_, &QTimer::timeout, this, &dev_sync_time_box::timer_timout);
    timer_->start();
    timer_timout();
    adjustSize();
}

QString dev_sync_time_box::device_label(const search_device_info& dev, size_t device_count) {
    QString text = tr("Device time");
    if (device_count > 1)
        text += QString::fromStdString(dev.ip);
    return text + tr(":");
}

QString dev_sync_time_box::device_time_text(const device_status_info& status, double now) {
    const QString text = QString::fromStdString(status.time);
    QDateTime t = QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
    if (!t.isValid())
        t = QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (!t.isValid() || status.poll_time <= 0 || !std::isfinite(now))
        return cut_at_dot(text);
    const double since = qBound(0.0, now - status.poll_time, 86400.0);
    return t.addMSecs(qint64(since * 1000.0)).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

void dev_sync_time_box::on_ok_clicked() {
    result_->setText(tr("Synchronizing..."));
    ok_->setEnabled(false);
    Q_EMIT sync_time(devices_);
}

void dev_sync_time_box::sync_time_finish(bool, std::string info) {
    ok_->setEnabled(true);
    result_->setText(QString::fromStdString(info));
}

void dev_sync_time_box::on_close_clicked() {
    timer_->stop();
    Q_EMIT sync_time_stop();
    close();
}

void dev_sync_time_box::update_device_status(std::vector<device_status_info> dev_status_vec) {
    status_ = std::move(dev_status_vec);
    timer_timout();
}

void dev_sync_time_box::timer_timout() {
    const double now = now_seconds();
    for (size_t i = 0; i < devices_.size(); ++i) {
        QString shown;
        for (const device_status_info& s : status_) {
            if (s.ip == devices_[i].ip) {
                shown = device_time_text(s, now);
                break;
            }
        }
        device_edits_[int(i)]->setText(shown);
    }
    computer_edit_->setText(cut_at_dot(QString::fromStdString(time_stamp_text())));
}

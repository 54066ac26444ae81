#include "ui/device/dev_search_box.h"

#include "device/device_api.h"
#include "ui/kit/kit_style.h"
#include "ui/ui_util.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int row_height = 40;
constexpr int visible_rows = 6;
const char* const upgrade_style = "QPushButton{background:rgb(30,117,217);border:1px solid "
                                  "#FFFFFF;color:white;}";
const char* const edit_style = "QLineEdit{font:14px;border:2px solid #999999;border-radius:4px;"
                               "padding-left:8px;}";
} // namespace

dev_search_box::dev_search_box(const std::vector<search_device_info>& dev_vec,
                               const std::vector<device_status_info>& status_vec,
                               const QString& title, QWidget* parent)
    : t_orn_widget(parent) {
    setObjectName(QStringLiteral("dev_search_box"));
    setWindowTitle(title);
    setWindowIcon(QIcon(QString::fromLatin1(kit_style::app_icon)));
    setFixedWidth(450);
    setMinimumHeight(160);
    setStyleSheet(kit_style::window_style("dev_search_box"));

    auto* outer = new QVBoxLayout(this);
    // One pixel all round keeps the window's outline visible beside the list.
    outer->setContentsMargins(1, 0, 1, 1);
    outer->setSpacing(0);
    const kit_style::title_bar_parts bar = kit_style::make_title_bar(this, title);
    outer->addWidget(bar.bar);
    connect(bar.close, &QPushButton::clicked, this, &dev_search_box::on_close_clicked);

    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("device_list"));
    list_->setFrameShape(QFrame::NoFrame);
    list_->setStyleSheet(QStringLiteral("QListWidget{background:white;border:none;}"));
    list_->setSelectionMode(QAbstractItemView::NoSelection);
    list_->setFocusPolicy(Qt::NoFocus);
    list_->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    outer->addWidget(list_, 1);

    auto* row = new QHBoxLayout;
    row->setContentsMargins(16, 8, 16, 16);
    row->setSpacing(12);
    address_ = new QLineEdit(this);
    address_->setObjectName(QStringLiteral("address"));
    address_->setPlaceholderText(tr("Camera address"));
    address_->setFixedHeight(kit_style::button_height);
    address_->setStyleSheet(QString::fromLatin1(edit_style));
    row->addWidget(address_, 1);
    add_ = kit_style::make_button(this, tr("Add"), QStringLiteral("add"));
    row->addWidget(add_);
    search_ = kit_style::make_button(this, tr("Search"), QStringLiteral("search"));
    row->addWidget(search_);
    outer->addLayout(row);
    connect(add_, &QPushButton::clicked, this, &dev_search_box::on_add_btn_clicked);
    connect(address_, &QLineEdit::returnPressed, this, &dev_search_box::on_add_btn_clicked);
    connect(search_, &QPushButton::clicked, this, &dev_search_box::on_search_btn_clicked);

    update_text(dev_vec, status_vec);
}

QString dev_search_box::row_text(int index, const search_device_info& dev,
                                 const std::vector<device_status_info>& status_vec) {
    QString text = tr("Device") + QString::number(index + 1) + QStringLiteral(": ") +
                   QString::fromStdString(dev.ip);
    for (const device_status_info& s : status_vec) {
        if (s.ip == dev.ip) {
            text += QLatin1Char(' ') + QString::fromStdString(s.version);
            break;
        }
    }
    return text;
}

void dev_search_box::add_message_row(const QString& text) {
    auto* item = new QListWidgetItem(list_);
    item->setSizeHint(QSize(width() - 20, row_height));
    auto* label = new QLabel(text, list_);
    label->setObjectName(QStringLiteral("message"));
    label->setStyleSheet(QStringLiteral("QLabel{font:18px;padding-left:16px;}"));
    label->setWordWrap(true);
    list_->setItemWidget(item, label);
}

void dev_search_box::update_text(std::vector<search_device_info> dev_vec,
                                 std::vector<device_status_info> status_vec) {
    list_->clear();
    devices_ = std::move(dev_vec);
    status_ = std::move(status_vec);
    if (devices_.empty()) {
        add_message_row(searched_ && !searching_
                            ? tr("No device found. Enter the address shown on the camera.")
                            : tr("Searching device!"));
    }
    for (size_t i = 0; i < devices_.size(); ++i) {
        auto* item = new QListWidgetItem(list_);
        item->setSizeHint(QSize(width() - 20, row_height));
        auto* row = new QWidget(list_);
        auto* h = new QHBoxLayout(row);
        h->setContentsMargins(16, 0, 16, 0);
        auto* label = new QLabel(row_text(int(i), devices_[i], status_), row);
        label->setObjectName(QStringLiteral("row_text"));
        label->setStyleSheet(QStringLiteral("QLabel{font:18px;}"));
        label->setTextFormat(Qt::PlainText);
        h->addWidget(label, 1);
        auto* up = new QPushButton(tr("Upgrade"), row);
        up->setObjectName(QStringLiteral("upgrade"));
        up->setFixedSize(88, 33);
        up->setCursor(Qt::PointingHandCursor);
        up->setStyleSheet(QString::fromLatin1(upgrade_style));
        up->setProperty("index", int(i));
        connect(up, &QPushButton::clicked, this, &dev_search_box::on_update_btn_clicked);
        h->addWidget(up);
        list_->setItemWidget(item, row);
    }
    const int rows = qBound(1, int(devices_.size()), visible_rows);
    list_->setFixedHeight(rows * row_height + 8);
    adjustSize();
}

void dev_search_box::on_close_clicked() {
    close();
}

void dev_search_box::on_update_btn_clicked() {
    const QObject* button = sender();
    if (!button)
        return;
    bool ok = false;
    const int index = button->property("index").toInt(&ok);
    if (ok && index >= 0 && index < int(devices_.size()))
        Q_EMIT update_device(devices_[size_t(index)]);
}

void dev_search_box::on_search_btn_clicked() {
    if (searching_)
        return;
    set_searching(true);
    Q_EMIT search_device();
}

void dev_search_box::on_add_btn_clicked() {
    const std::string address = address_->text().trimmed().toStdString();
    if (!is_device_address(address)) {
        show_msg_box(tr("Warning"),
                     tr("Please enter the camera's IPv4 address as its screen shows it, for "
                        "example 192.168.1.20."),
                     1, 1);
        return;
    }
    address_->clear();
    Q_EMIT add_device(address);
}

void dev_search_box::set_searching(bool on) {
    searching_ = on;
    if (!on)
        searched_ = true;
    search_->setEnabled(!on);
    search_->setText(on ? tr("Searching...") : tr("Search"));
    if (devices_.empty())
        update_text(devices_, status_);
}

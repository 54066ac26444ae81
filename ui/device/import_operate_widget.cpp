#include "ui/device/import_operate_widget.h"

#include "core/app_config.h"
#include "core/app_log.h"
#include "device/device_api.h"
#include "store/database.h"
#include "store/name_check.h"
#include "ui/kit/kit_style.h"
#include "ui/kit/t_orn_msg_box.h"
#include "ui/ui_util.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QStyleOption>
#include <QThread>
#include <QVBoxLayout>

namespace {

constexpr int wizard_width = 696;
constexpr int short_height = 358;
constexpr int tall_height = 600;
const char* const connect_style = "QPushButton{background:rgb(30,117,217);border:none;"
                                  "color:white;}QPushButton:disabled{background:rgb(112,176,239)}";
const char* const cancel_style =
    "QPushButton{border-image:url(:/TOrnViewer/Resources/cancle.png);color:rgb(30,117,217);}"
    "QPushButton:disabled{border-image:url(:/TOrnViewer/Resources/cancle_disable.png);"
    "color:#AAAAAA;}";
const char* const edit_style = "QLineEdit{font:16px;border:2px solid #999999;border-radius:4px;"
                               "padding-left:12px;}";

QPixmap resource_pixmap(const QString& name, const QSize& size) {
    return QIcon(QStringLiteral(":/TOrnViewer/Resources/") + name).pixmap(size);
}

} // namespace

// ---- import_data_box_widget ------------------------------------------------

import_data_box_widget::import_data_box_widget(const std::string& host, int index, QWidget* parent)
    : QWidget(parent), host_(host), index_(index) {
    setObjectName(QStringLiteral("import_data_box_widget"));
    setMouseTracking(true);
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(0);
    label_ = new QLabel(QString::fromStdString(host), this);
    label_->setObjectName(QStringLiteral("host"));
    label_->setFixedHeight(39);
    label_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label_->setStyleSheet(
        QStringLiteral("QLabel{font:16px;padding-left:12px;background:transparent;}"));
    v->addWidget(label_);
    auto* row = new QHBoxLayout;
    row->setContentsMargins(12, 0, 12, 6);
    connect_btn_ = new QPushButton(tr("connect"), this);
    connect_btn_->setObjectName(QStringLiteral("connect"));
    connect_btn_->setFixedSize(88, 33);
    connect_btn_->setCursor(Qt::PointingHandCursor);
    connect_btn_->setStyleSheet(QString::fromLatin1(connect_style));
    connect_btn_->hide();
    row->addWidget(connect_btn_);
    row->addStretch(1);
    v->addLayout(row);
    v->addStretch(1);
    line_ = new QFrame(this);
    line_->setObjectName(QStringLiteral("separator"));
    line_->setFixedHeight(1);
    v->addWidget(line_);
    connect(connect_btn_, &QPushButton::clicked, this,
            &import_data_box_widget::on_connect_btn_clicked);
    set_hovered(false);
}

void import_data_box_widget::set_hovered(bool on) {
    hovered_ = on;
    setStyleSheet(on ? QStringLiteral("#import_data_box_widget{background:#EDEDED;}")
                     : QStringLiteral("#import_data_box_widget{background:white;}"));
    line_->setStyleSheet(on ? QStringLiteral("background:#4778C7;border:none;")
                            : QStringLiteral("background:#E2E2E2;border:none;"));
    connect_btn_->setVisible(on || connecting_);
}

void import_data_box_widget::enterEvent(QEvent* e) {
    Q_EMIT mouse_enter(index_);
    QWidget::enterEvent(e);
}

void import_data_box_widget::leaveEvent(QEvent* e) {
    Q_EMIT mouse_leave(index_);
    QWidget::leaveEvent(e);
}

void import_data_box_widget::mousePressEvent(QMouseEvent* e) {
    Q_EMIT mouse_down(index_);
    QWidget::mousePressEvent(e);
}

void import_data_box_widget::paintEvent(QPaintEvent*) {
    QStyleOption opt;
    opt.initFrom(this);
    QPainter p(this);
    style()->drawPrimitive(QStyle::PE_Widget, &opt, &p, this);
}

void import_data_box_widget::on_connect_btn_clicked() {
    if (connecting_)
        return;
    connecting_ = true;
    connect_btn_->setEnabled(false);
    connect_btn_->setText(tr("Connecting..."));
    connect_btn_->show();
    Q_EMIT connecting(index_, true);
    // The read blocks for up to its time-outs, so it runs off the UI thread;
    // the relay lives on this thread and brings the answer back.
    auto* relay = new QObject;
    QPointer<import_data_box_widget> self(this);
    const std::string host = host_;
    QThread* job = QThread::create([host, relay, self]() {
        std::vector<std::string> list;
        const int rc = orn_read_data_list(host, list);
        QMetaObject::invokeMethod(
            relay,
            [relay, self, rc, list]() {
                if (self)
                    self->connect_done(rc, list);
                relay->deleteLater();
            },
            Qt::QueuedConnection);
    });
    connect(job, &QThread::finished, job, &QObject::deleteLater);
    job->start();
}

void import_data_box_widget::connect_done(int result, std::vector<std::string> list) {
    connecting_ = false;
    connect_btn_->setEnabled(true);
    connect_btn_->setText(tr("connect"));
    connect_btn_->setVisible(hovered_);
    Q_EMIT connecting(index_, false);
    if (result != 0) {
        show_msg_box(tr("Warning"), tr("Device connect fail,please try again!"), 1, 1);
        return;
    }
    Q_EMIT connect_device_index(index_, list);
}

// ---- import_operate_widget -------------------------------------------------

import_operate_widget::import_operate_widget(const std::vector<search_device_info>& dev_vec,
                                             QWidget* parent)
    : t_orn_widget(parent), devices_(dev_vec) {
    setObjectName(QStringLiteral("import_operate_widget"));
    const QString title = tr("Data Import");
    setWindowTitle(title);
    setWindowIcon(QIcon(QString::fromLatin1(kit_style::app_icon)));
    setStyleSheet(kit_style::window_style("import_operate_widget"));

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    const kit_style::title_bar_parts bar = kit_style::make_title_bar(this, title);
    outer->addWidget(bar.bar);
    connect(bar.close, &QPushButton::clicked, this, &import_operate_widget::on_cancle_clicked);

    step_image_ = new QLabel(this);
    step_image_->setObjectName(QStringLiteral("step_image"));
    step_image_->setFixedSize(600, 44);
    outer->addSpacing(12);
    outer->addWidget(step_image_, 0, Qt::AlignHCenter);
    auto* captions = new QHBoxLayout;
    captions->setContentsMargins(0, 0, 0, 0);
    captions->setSpacing(0);
    const QString caption_texts[step_count] = {tr("Connect device"), tr("Choose data"),
                                               tr("Import"), tr("Finish")};
    auto* caption_row = new QWidget(this);
    caption_row->setFixedWidth(600);
    caption_row->setLayout(captions);
    for (const QString& t : caption_texts) {
        auto* l = new QLabel(t, caption_row);
        l->setAlignment(Qt::AlignCenter);
        l->setFixedWidth(150);
        step_captions_.append(l);
        captions->addWidget(l);
    }
    outer->addWidget(caption_row, 0, Qt::AlignHCenter);

    pages_ = new QStackedWidget(this);
    outer->addWidget(pages_, 1);
    build_pages();

    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(0, 8, 36, 20);
    buttons->setSpacing(12);
    buttons->addStretch(1);
    select_all_ = kit_style::make_button(this, tr("Select all"), QStringLiteral("select_all"));
    previous_ = kit_style::make_button(this, tr("Previous"), QStringLiteral("previous"));
    next_ = kit_style::make_button(this, tr("Next"), QStringLiteral("next"));
    cancle_ = new QPushButton(tr("Cancel"), this);
    cancle_->setObjectName(QStringLiteral("cancle"));
    cancle_->setFixedSize(kit_style::button_width, kit_style::button_height);
    cancle_->setCursor(Qt::PointingHandCursor);
    cancle_->setStyleSheet(QString::fromLatin1(cancel_style));
    for (QPushButton* b : {select_all_, previous_, next_, cancle_})
        buttons->addWidget(b);
    outer->addLayout(buttons);
    connect(select_all_, &QPushButton::clicked, this,
            &import_operate_widget::on_select_all_btn_clicked);
    connect(previous_, &QPushButton::clicked, this,
            &import_operate_widget::on_previous_next_clicked);
    connect(next_, &QPushButton::clicked, this, &import_operate_widget::on_previous_next_clicked);
    connect(cancle_, &QPushButton::clicked, this, &import_operate_widget::on_cancle_clicked);

    show_step();
}

void import_operate_widget::build_pages() {
    // Step 0: the device drop-down.
    auto* p0 = new QWidget(pages_);
    auto* v0 = new QVBoxLayout(p0);
    v0->setContentsMargins(48, 16, 48, 0);
    auto* row0 = new QHBoxLayout;
    auto* dev_label = new QLabel(tr("Device list:"), p0);
    dev_label->setStyleSheet(QStringLiteral("QLabel{font:16px;}"));
    row0->addWidget(dev_label);
    combo_ = new QComboBox(p0);
    combo_->setObjectName(QStringLiteral("device_combo"));
    combo_->setFixedSize(300, 40);
    combo_view_ = new QListWidget(combo_);
    combo_view_->setMinimumHeight(200);
    combo_view_->setStyleSheet(
        QStringLiteral("QListWidget{background:white;border:1px solid #C8C8C8;}"
                       "QListWidget::item{padding:0px;}"));
    combo_view_->setMouseTracking(true);
    combo_->setModel(combo_view_->model());
    combo_->setView(combo_view_);
    for (size_t i = 0; i < devices_.size(); ++i) {
        auto* item = new QListWidgetItem(QString::fromStdString(devices_[i].ip), combo_view_);
        item->setSizeHint(QSize(300, normal_row_height));
        auto* box = new import_data_box_widget(devices_[i].ip, int(i), combo_view_);
        combo_view_->setItemWidget(item, box);
        connect(box, &import_data_box_widget::mouse_enter, this,
                &import_operate_widget::input_item_mouse_enter);
        connect(box, &import_data_box_widget::mouse_leave, this,
                &import_operate_widget::input_item_mouse_leave);
        connect(box, &import_data_box_widget::mouse_down, this,
                &import_operate_widget::input_item_mouse_down);
        connect(box, &import_data_box_widget::connect_device_index, this,
                &import_operate_widget::connect_device_index);
        connect(box, &import_data_box_widget::connecting, this,
                &import_operate_widget::device_connecting);
    }
    row0->addWidget(combo_);
    row0->addStretch(1);
    v0->addLayout(row0);
    status_ = new QLabel(p0);
    status_->setObjectName(QStringLiteral("status"));
    status_->setWordWrap(true);
    status_->setTextFormat(Qt::PlainText);
    status_->setStyleSheet(QStringLiteral("QLabel{font:14px;color:#555555;}"));
    status_->setText(devices_.empty()
                         ? tr("No device is known yet. Find one with \"Device search\" in the "
                              "main window's context menu.")
                         : tr("Open the list, point at a device and press \"connect\"."));
    v0->addSpacing(12);
    v0->addWidget(status_);
    v0->addStretch(1);
    pages_->addWidget(p0);

    // Step 1: the data set name and the camera's data sets.
    auto* p1 = new QWidget(pages_);
    auto* v1 = new QVBoxLayout(p1);
    v1->setContentsMargins(48, 16, 48, 0);
    auto* row1 = new QHBoxLayout;
    auto* name_label = new QLabel(tr("Please enter the data name:"), p1);
    name_label->setFixedSize(150, 40);
    name_label->setWordWrap(true);
    row1->addWidget(name_label);
    name_edit_ = new QLineEdit(p1);
    name_edit_->setObjectName(QStringLiteral("data_name"));
    name_edit_->setFixedSize(300, 40);
    name_edit_->setPlaceholderText(tr("Please enter the data name"));
    name_edit_->setStyleSheet(QString::fromLatin1(edit_style));
    row1->addWidget(name_edit_);
    row1->addStretch(1);
    v1->addLayout(row1);
    remove_box_ = new QCheckBox(tr("Remove device data"), p1);
    remove_box_->setObjectName(QStringLiteral("remove_device_data"));
    remove_box_->setChecked(app_cfg.export_remove_device_data);
    connect(remove_box_, &QCheckBox::stateChanged, this,
            &import_operate_widget::on_input_remove_device_data_state_changed);
    v1->addWidget(remove_box_);
    data_list_ = new QListWidget(p1);
    data_list_->setObjectName(QStringLiteral("data_choice_list"));
    data_list_->setSelectionMode(QAbstractItemView::NoSelection);
    data_list_->setStyleSheet(QStringLiteral("QListWidget{border:1px solid #E2E2E2;}"));
    v1->addWidget(data_list_, 1);
    pages_->addWidget(p1);

    // Step 2: the transfer.
    auto* p2 = new QWidget(pages_);
    auto* v2 = new QVBoxLayout(p2);
    v2->setContentsMargins(16, 24, 16, 0);
    auto* keep_on =
        new QLabel(tr("Data exporting, keep device power on and network connected."), p2);
    keep_on->setObjectName(QStringLiteral("progress_text"));
    keep_on->setAlignment(Qt::AlignCenter);
    keep_on->setWordWrap(true);
    keep_on->setStyleSheet(QStringLiteral("QLabel{font:16px;}"));
    v2->addWidget(keep_on);
    bar_ = new QProgressBar(p2);
    bar_->setObjectName(QStringLiteral("progress"));
    bar_->setRange(0, 100);
    bar_->setFixedHeight(28);
    bar_->setStyleSheet(QString::fromLatin1(kit_style::progress_bar));
    bar_->setFormat(progress_text(tr("Exporting...%5.1f%%"), 0));
    v2->addSpacing(16);
    v2->addWidget(bar_);
    v2->addStretch(1);
    pages_->addWidget(p2);

    // Step 3: the outcome.
    auto* p3 = new QWidget(pages_);
    auto* v3 = new QVBoxLayout(p3);
    v3->setContentsMargins(16, 8, 16, 0);
    auto* h3 = new QHBoxLayout;
    h3->addStretch(1);
    done_picture_ = new QLabel(p3);
    done_picture_->setFixedSize(120, 120);
    h3->addWidget(done_picture_);
    auto* texts = new QVBoxLayout;
    done_text_ = new QLabel(p3);
    done_text_->setObjectName(QStringLiteral("result"));
    done_text_->setStyleSheet(QStringLiteral("QLabel{font:24px;}"));
    done_detail_ = new QLabel(p3);
    done_detail_->setObjectName(QStringLiteral("result_detail"));
    done_detail_->setWordWrap(true);
    done_detail_->setTextFormat(Qt::PlainText);
    done_detail_->setMaximumWidth(420);
    done_detail_->setStyleSheet(QStringLiteral("QLabel{font:14px;color:#555555;}"));
    texts->addStretch(1);
    texts->addWidget(done_text_);
    texts->addWidget(done_detail_);
    texts->addStretch(1);
    h3->addSpacing(16);
    h3->addLayout(texts);
    h3->addStretch(1);
    v3->addLayout(h3);
    v3->addStretch(1);
    pages_->addWidget(p3);
}

QString import_operate_widget::progress_text(const QString& format, double percent) {
    static const QRegularExpression conv(QStringLiteral("%(\\d*)(?:\\.(\\d+))?f"));
    QString out = format;
    const QRegularExpressionMatch m = conv.match(out);
    if (m.hasMatch()) {
        const int width = qMin(m.captured(1).toInt(), 20);
        const int precision = m.captured(2).isEmpty() ? 6 : qMin(m.captured(2).toInt(), 20);
        out.replace(m.capturedStart(), m.capturedLength(),
                    QString::asprintf("%*.*f", width, precision, percent));
    }
    return out.replace(QStringLiteral("%%"), QStringLiteral("%"));
}

import_data_box_widget* import_operate_widget::device_box(int i) const {
    QListWidgetItem* item = combo_view_->item(i);
    return item ? qobject_cast<import_data_box_widget*>(combo_view_->itemWidget(item)) : nullptr;
}

QCheckBox* import_operate_widget::data_check_box(int row) const {
    QListWidgetItem* item = data_list_->item(row);
    return item ? qobject_cast<QCheckBox*>(data_list_->itemWidget(item)) : nullptr;
}

void import_operate_widget::show_step() {
    step_image_->setPixmap(resource_pixmap(
        QStringLiteral("import_process_background_%1.png").arg(step_), QSize(600, 44)));
    for (int i = 0; i < step_captions_.size(); ++i)
        step_captions_[i]->setStyleSheet(i <= step_
                                             ? QStringLiteral("QLabel{font:14px;color:#4778C7;}")
                                             : QStringLiteral("QLabel{font:14px;color:#9A9A9A;}"));
    previous_->setEnabled(step_ == 1);
    next_->setText(step_ == 3 ? tr("Finish") : tr("Next"));
    next_->setEnabled(step_ == 1 || step_ == 3 || (step_ == 0 && connected_));
    cancle_->setEnabled(step_ != 3);
    select_all_->setVisible(step_ == 1);
    if (step_ == 1)
        select_all_->setText(select_all_state_ == 2 ? tr("Clear") : tr("Select all"));
    if (step_ == 3) {
        done_picture_->setPixmap(resource_pixmap(finished_ok_ ? QStringLiteral("import_success.png")
                                                              : QStringLiteral("import_failed.png"),
                                                 QSize(120, 120)));
        done_text_->setText(finished_ok_       ? tr("Data import succeeded")
                            : abort_requested_ ? tr("Data import aborted")
                                               : tr("Data import failed"));
        done_detail_->setText(finish_info_);
    }
    setFixedSize(wizard_width, step_ == 1 ? tall_height : short_height);
    pages_->setCurrentIndex(step_);
}

void import_operate_widget::on_previous_next_clicked() {
    if (sender() == previous_)
        go_previous();
    else
        go_next();
}

void import_operate_widget::go_previous() {
    move_to(qMax(0, step_ - 1), false);
}

void import_operate_widget::go_next() {
    if (step_ == 3) {
        Q_EMIT import_data_finish_refesh_data_list();
        close();
        return;
    }
    move_to(qMin(step_count - 1, step_ + 1), true);
}

void import_operate_widget::move_to(int target, bool forward) {
    if (target == step_)
        return;
    if (step_ == 0 && forward) {
        if (combo_->currentIndex() < 0 || combo_->currentIndex() >= int(devices_.size())) {
            show_msg_box(tr("Prompt"),
                         tr("No available devices in the device list!\nExport abort!"), 0, 1);
            return;
        }
    }
    if (step_ == 1 && !forward) {
        Q_EMIT get_device_data_name_cancle();
        connected_ = false; // a device is connected again before going on
        status_->setText(tr("Open the list, point at a device and press \"connect\"."));
    }
    if (step_ == 1 && forward) {
        std::vector<std::string> selection;
        if (!check_name_page(selection))
            return;
        const std::string host = devices_[size_t(combo_->currentIndex())].ip;
        abort_requested_ = false;
        finished_ok_ = true;
        finish_info_.clear();
        bar_->setValue(0);
        bar_->setFormat(progress_text(tr("Exporting...%5.1f%%"), 0));
        Q_EMIT start_import_data(host, name_edit_->text(), selection);
        Q_EMIT get_device_data_name_cancle();
    }
    step_ = target;
    if (step_ == 1) {
        select_all_state_ = 0;
        data_list_->clear();
        dir_names_.clear();
        Q_EMIT get_device_data_name();
    }
    show_step();
}

bool import_operate_widget::check_name_page(std::vector<std::string>& selection) {
    const QString name = name_edit_->text();
    const auto warn = [](const QString& text) { show_msg_box(tr("Warning"), text, 1, 1); };
    if (name.isEmpty()) {
        warn(tr("The data name cannot be empty!"));
        return false;
    }
    // "." and ".." name directories that already exist everywhere.
    if (!is_valid_name(name.toStdWString()) || name == QLatin1String(".") ||
        name == QLatin1String("..")) {
        warn(tr(" Illegal characters found in the data name! Please modify it."));
        return false;
    }
    if (data_import_db_name_exists(name.toStdWString())) {
        warn(tr("Data name already exists! Please modify it"));
        return false;
    }
    if (select_all_state_ == 2) {
        selection = device_data_list_;
    } else {
        for (int row = 0; row < data_list_->count(); ++row) {
            QCheckBox* box = data_check_box(row);
            if (box && box->isChecked() && size_t(row) < dir_names_.size())
                selection.push_back(dir_names_[size_t(row)]);
        }
    }
    if (select_all_state_ == 0 && selection.empty()) {
        warn(tr("Select the data you want to import!"));
        return false;
    }
    return true;
}

void import_operate_widget::update_device_data_name(std::string dir_name, std::string data_name) {
    auto* item = new QListWidgetItem(data_list_);
    auto* box = new QCheckBox(QString::fromStdString(data_name), data_list_);
    box->setStyleSheet(QStringLiteral("QCheckBox{font:14px;padding-left:8px;}"));
    box->setChecked(select_all_state_ == 2);
    item->setSizeHint(QSize(0, 32));
    data_list_->setItemWidget(item, box);
    connect(box, &QCheckBox::stateChanged, this,
            &import_operate_widget::on_data_list_item_checkbox_state_changed);
    dir_names_.push_back(dir_name);
}

void import_operate_widget::on_cancle_clicked() {
    Q_EMIT get_device_data_name_cancle();
    if (step_ == 2) {
        auto* box = show_msg_box(tr("Warning"), tr("Confirm abort importing data!"), 2, 1);
        connect(box, &t_orn_msg_box::msg_ok, this,
                &import_operate_widget::msg_ok_import_data_abort);
        return;
    }
    if (step_ == 3)
        Q_EMIT import_data_finish_refesh_data_list();
    close();
}

void import_operate_widget::input_item_mouse_enter(int idx) {
    for (int i = 0; i < int(devices_.size()); ++i) {
        if (import_data_box_widget* box = device_box(i))
            box->set_hovered(i == idx);
        set_row_height(i, i == idx ? hovered_row_height : normal_row_height);
    }
}

void import_operate_widget::input_item_mouse_leave(int idx) {
    if (import_data_box_widget* box = device_box(idx))
        box->set_hovered(false);
    set_row_height(idx, normal_row_height);
}

void import_operate_widget::input_item_mouse_down(int) {}

void import_operate_widget::set_row_height(int idx, int height) {
    if (QListWidgetItem* item = combo_view_->item(idx)) {
        if (item->sizeHint().height() != height)
            item->setSizeHint(QSize(300, height));
    }
}

void import_operate_widget::device_connecting(int idx, bool running) {
    if (idx < 0 || idx >= int(devices_.size()))
        return;
    if (running) {
        next_->setEnabled(false);
        status_->setText(
            tr("Connecting to %1...").arg(QString::fromStdString(devices_[size_t(idx)].ip)));
    } else if (!connected_) {
        status_->setText(tr("Open the list, point at a device and press \"connect\"."));
    }
}

void import_operate_widget::connect_device_index(int idx, std::vector<std::string> data_list) {
    if (idx < 0 || idx >= int(devices_.size()))
        return;
    connected_ = true;
    combo_->setCurrentIndex(idx);
    combo_->hidePopup();
    device_data_list_ = std::move(data_list);
    status_->setText(tr("Connected to %1. Data sets on the device: %2")
                         .arg(QString::fromStdString(devices_[size_t(idx)].ip))
                         .arg(device_data_list_.size()));
    if (step_ == 0)
        next_->setEnabled(true);
    Q_EMIT device_connect(devices_[size_t(idx)]);
}

void import_operate_widget::update_import_progress(double v) {
    if (!(v >= 0))
        v = 0;
    const double percent = qMin(v, 1.0) * 100.0;
    bar_->setValue(int(percent));
    bar_->setFormat(progress_text(tr("Exporting...%5.1f%%"), percent));
}

void import_operate_widget::import_data_finish(bool success, std::string info) {
    finished_ok_ = success;
    finish_info_ = QString::fromStdString(info);
    if (!success)
        show_msg_box(tr("Import data abort"), finish_info_, 1, 1);
    if (step_ == 2) {
        step_ = 3;
        show_step();
    }
}

void import_operate_widget::msg_ok_import_data_abort() {
    if (step_ != 2)
        return;
    abort_requested_ = true;
    bar_->setFormat(tr("Aborting..."));
    Q_EMIT import_data_abort();
}

void import_operate_widget::on_input_remove_device_data_state_changed(int v) {
    app_cfg.export_remove_device_data = v == Qt::Checked;
    app_log("write_config on_input_remove_device_data_state_changed:%d",
            app_cfg.export_remove_device_data ? 1 : 0);
    if (const int rc = write_config())
        app_log("write_config err:%d", rc);
}

void import_operate_widget::on_select_all_btn_clicked() {
    select_all_state_ = select_all_state_ == 2 ? 0 : 2;
    select_all_->setText(select_all_state_ == 2 ? tr("Clear") : tr("Select all"));
    for (int row = 0; row < data_list_->count(); ++row)
        if (QCheckBox* box = data_check_box(row))
            box->setChecked(select_all_state_ == 2);
}

void import_operate_widget::on_data_list_item_checkbox_state_changed(int) {}

void import_operate_widget::closeEvent(QCloseEvent* e) {
    if (step_ == 2) {
        e->ignore();
        on_cancle_clicked();
        return;
    }
    t_orn_widget::closeEvent(e);
}

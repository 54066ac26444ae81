// The main window's device side: the entry points of the device dialogs
// (context menu), the device list and status list with their polls, the
// import wizard's requests, clock synchronisation and firmware upgrade.
#include "app/torn_viewer.h"

#include "app/tasks/device_link_obj.h"
#include "app/tasks/orn_func_obj.h"
#include "app/torn_viewer_device.h"
#include "core/app_config.h"
#include "core/app_log.h"
#include "device/device_search.h"
#include "platform/net.h"
#include "ui/data_list_widget.h"
#include "ui/device/dev_search_box.h"
#include "ui/device/dev_sync_time_box.h"
#include "ui/device/import_operate_widget.h"
#include "ui/dir_setting_widget.h"
#include "ui/kit/t_orn_msg_box.h"
#include "ui/kit/task_progress_widget.h"
#include "ui/ui_util.h"

#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QThread>
#include <QTimer>

bool torn_viewer_device_state::any_dialog_open() const {
    return search_box || sync_box || wizard;
}

void TOrnViewer::init_device_link() {
    if (const int rc = platform::net_startup())
        app_log("WSA_init err:%d", rc);
    device_ = std::make_unique<torn_viewer_device_state>();
    torn_viewer_device_state& s = *device_;
    std::vector<search_device_info> known;
    if (read_known_devices(known) == 0)
        s.devices = known;

    s.link = new device_link_obj();
    s.thread = new QThread();
    s.thread->setObjectName("device");
    s.link->moveToThread(s.thread);
    connect(s.thread, &QThread::finished, s.link, &QObject::deleteLater);
    connect(s.thread, &QThread::finished, s.thread, &QObject::deleteLater);
    connect(s.link, &device_link_obj::status_ready, this,
            [this](std::vector<device_status_info> v) {
                device_->poll_pending = false;
                update_device_status(std::move(v));
            });
    connect(s.link, &device_link_obj::search_finish, this,
            [this](std::vector<search_device_info> found, std::vector<device_status_info> status,
                   int, double) {
                torn_viewer_device_state& st = *device_;
                st.searching = false;
                std::vector<search_device_info> merged = st.devices;
                merge_devices(merged, found);
                // Fresh answers replace the old ones; the rest stay.
                std::vector<device_status_info> statuses = status;
                for (const device_status_info& old : st.status) {
                    bool fresh = false;
                    for (const device_status_info& n : status)
                        fresh = fresh || n.ip == old.ip;
                    if (!fresh)
                        statuses.push_back(old);
                }
                st.status = statuses;
                update_search_device_vector(merged);
                if (st.search_box)
                    st.search_box->set_searching(false);
            });
    connect(s.link, &device_link_obj::data_name_ready, this,
            [this](int request, std::string dir, std::string name) {
                torn_viewer_device_state& st = *device_;
                if (request == st.data_name_request && st.wizard)
                    st.wizard->update_device_data_name(dir, name);
            });
    connect(this, &TOrnViewer::start_get_device_data_name, this, [this](search_device_info dev) {
        device_link_obj* link = device_->link;
        const int request = device_->data_name_request;
        QMetaObject::invokeMethod(
            link, [link, request, dev]() { link->read_data_names(request, dev); },
            Qt::QueuedConnection);
    });
    s.thread->start();

    s.poll_timer = new QTimer(this);
    s.poll_timer->setInterval(torn_viewer_device_state::poll_interval_ms);
    connect(s.poll_timer, &QTimer::timeout, this, &TOrnViewer::poll_device_status);
}

void TOrnViewer::add_device_menu_actions() {
    QAction* import = menu_->addAction(tr("Import from device"));
    connect(import, &QAction::triggered, this, &TOrnViewer::on_import_data_btn_clicked);
    QAction* search = menu_->addAction(tr("Device search"));
    connect(search, &QAction::triggered, this,
            &TOrnViewer::navigation_bar_setting_btn_action_search_trigger);
    QAction* sync = menu_->addAction(tr("Time synchronization"));
    connect(sync, &QAction::triggered, this,
            &TOrnViewer::navigation_bar_setting_btn_action_time_sync_trigger);
    QAction* save_root = menu_->addAction(tr("Data save path"));
    connect(save_root, &QAction::triggered, this,
            &TOrnViewer::navigation_bar_setting_btn_action_save_root_triggr);
    menu_->addSeparator();
}

void TOrnViewer::stop_device_link() {
    if (!device_ || !device_->thread)
        return;
    // A transfer in progress stops at its next chunk instead of holding the
    // exit until it ends.
    if (worker_) {
        worker_->abort_import_device_data();
        worker_->abort_update_device();
    }
    device_->link->cancel_data_names(device_->data_name_request);
    device_->poll_timer->stop();
    device_->thread->quit();
    device_->thread->wait();
    device_->thread = nullptr;
}

torn_viewer_device_state& TOrnViewer::device_state() {
    return *device_;
}

const std::vector<search_device_info>& TOrnViewer::device_list() const {
    return device_->devices;
}

const std::vector<device_status_info>& TOrnViewer::device_status_list() const {
    return device_->status;
}

const search_device_info& TOrnViewer::connected_device() const {
    return device_->connected;
}

const std::string& TOrnViewer::firmware_path() const {
    return device_->firmware_path;
}

void TOrnViewer::set_firmware_file_chooser(std::function<QString(const QString&)> chooser) {
    device_->choose_firmware = std::move(chooser);
}

// ---- Device list and status ------------------------------------------------

void TOrnViewer::update_search_device_vector(std::vector<search_device_info> dev_vec) {
    torn_viewer_device_state& s = *device_;
    s.devices = std::move(dev_vec);
    if (const int rc = write_known_devices(s.devices))
        app_log("write_known_devices err:%d", rc);
    Q_EMIT update_search_box_dev_vector(s.devices, s.status);
}

void TOrnViewer::update_device_status(std::vector<device_status_info> status_vec) {
    device_->status = std::move(status_vec);
    Q_EMIT update_search_box_dev_vector(device_->devices, device_->status);
}

void TOrnViewer::poll_device_status() {
    torn_viewer_device_state& s = *device_;
    if (!s.any_dialog_open()) {
        s.poll_timer->stop();
        return;
    }
    if (s.poll_pending || s.devices.empty() || !s.thread)
        return;
    s.poll_pending = true;
    device_link_obj* link = s.link;
    const std::vector<search_device_info> devices = s.devices;
    QMetaObject::invokeMethod(
        link, [link, devices]() { link->poll_status(devices); }, Qt::QueuedConnection);
}

void TOrnViewer::start_device_search() {
    torn_viewer_device_state& s = *device_;
    if (s.searching || !s.thread)
        return;
    s.searching = true;
    if (s.search_box)
        s.search_box->set_searching(true);
    device_link_obj* link = s.link;
    const std::string ranges = app_cfg.device_search_ranges;
    QMetaObject::invokeMethod(
        link, [link, ranges]() { link->search(ranges); }, Qt::QueuedConnection);
}

void TOrnViewer::navigation_bar_setting_btn_action_search_trigger() {
    torn_viewer_device_state& s = *device_;
    if (s.search_box) {
        s.search_box->raise();
        s.search_box->activateWindow();
        return;
    }
    auto* box = new dev_search_box(s.devices, s.status, tr("Device search"));
    box->setWindowModality(Qt::ApplicationModal);
    connect(this, &TOrnViewer::update_search_box_dev_vector, box, &dev_search_box::update_text);
    connect(box, &dev_search_box::update_device, this, &TOrnViewer::update_device);
    connect(box, &dev_search_box::search_device, this, &TOrnViewer::start_device_search);
    connect(box, &dev_search_box::add_device, this, [this](std::string address) {
        std::vector<search_device_info> list = device_->devices;
        search_device_info d;
        d.ip = address;
        if (merge_devices(list, {d}))
            update_search_device_vector(list);
        poll_device_status();
    });
    s.search_box = box;
    box->show();
    s.poll_timer->start();
    poll_device_status();
    start_device_search();
}

// ---- Import from a camera --------------------------------------------------

void TOrnViewer::on_import_data_btn_clicked() {
    app_log("TOrnViewer::on_import_data_btn_clicked");
    torn_viewer_device_state& s = *device_;
    auto* w = new import_operate_widget(s.devices);
    w->setWindowModality(Qt::ApplicationModal);
    connect(w, &import_operate_widget::start_import_data, this, &TOrnViewer::start_import_data);
    connect(w, &import_operate_widget::device_connect, this, &TOrnViewer::device_connect);
    connect(worker_, &orn_func_obj::update_import_progress, w,
            &import_operate_widget::update_import_progress);
    connect(worker_, &orn_func_obj::import_data_finish, w,
            &import_operate_widget::import_data_finish);
    connect(w, &import_operate_widget::import_data_abort, this, &TOrnViewer::import_data_abort);
    connect(w, &import_operate_widget::import_data_finish_refesh_data_list, this,
            &TOrnViewer::import_data_finish_refesh_data_list);
    connect(w, &import_operate_widget::get_device_data_name, this,
            &TOrnViewer::get_device_data_name);
    connect(w, &import_operate_widget::get_device_data_name_cancle, this,
            &TOrnViewer::get_device_data_name_cancle);
    s.wizard = w;
    w->show();
    s.poll_timer->start();
}

void TOrnViewer::read_device_data_number(int) {}

void TOrnViewer::device_connect(search_device_info dev) {
    device_->connected = dev;
}

void TOrnViewer::start_import_data(std::string hostname, QString data_name,
                                   std::vector<std::string> data_list) {
    if (app_cfg.export_root.empty()) {
        // The data goes under the data save directory: ask for one first.
        auto* dlg = new set_default_export_path_widget();
        dlg->setWindowModality(Qt::ApplicationModal);
        QEventLoop wait;
        connect(dlg, &QObject::destroyed, &wait, &QEventLoop::quit);
        dlg->show();
        wait.exec();
    }
    // The name reaches the worker in the code page of file names (UTF-8).
    Q_EMIT import_device_data(hostname, data_name.toUtf8().toStdString(), data_list);
}

void TOrnViewer::start_import_device_has_data(QString, std::vector<std::string>) {}

void TOrnViewer::import_data_abort() {
    worker_->abort_import_device_data();
}

void TOrnViewer::import_data_finish_refesh_data_list() {
    data_list_->update_data_list();
}

void TOrnViewer::get_device_data_name() {
    ++device_->data_name_request;
    Q_EMIT start_get_device_data_name(device_->connected);
}

void TOrnViewer::get_device_data_name_cancle() {
    device_->link->cancel_data_names(device_->data_name_request);
    ++device_->data_name_request;
}

// ---- Clock synchronisation -------------------------------------------------

void TOrnViewer::navigation_bar_setting_btn_action_time_sync_trigger() {
    torn_viewer_device_state& s = *device_;
    if (s.devices.empty()) {
        show_msg_box(tr("Synchronize the computer system time to the device"),
                     tr("No synchronized device found! Please try again later."), 0, 1);
        return;
    }
    Q_EMIT sync_time_start();
    auto* box = new dev_sync_time_box(s.devices);
    box->setWindowModality(Qt::ApplicationModal);
    connect(box, &dev_sync_time_box::sync_time, worker_, &orn_func_obj::sync_time);
    connect(worker_, &orn_func_obj::sync_time_finish, box, &dev_sync_time_box::sync_time_finish);
    // The new clocks show at once instead of at the next poll.
    connect(worker_, &orn_func_obj::sync_time_finish, this, [this] { poll_device_status(); });
    connect(this, &TOrnViewer::update_search_box_dev_vector, box,
            [box](std::vector<search_device_info>, std::vector<device_status_info> status) {
                box->update_device_status(std::move(status));
            });
    box->update_device_status(s.status);
    s.sync_box = box;
    box->show();
    s.poll_timer->start();
    poll_device_status();
}

// ---- Firmware upgrade ------------------------------------------------------

void TOrnViewer::update_device(search_device_info d) {
    torn_viewer_device_state& s = *device_;
    const QString start = s.firmware_path.empty()
                              ? desktop_dir()
                              : QFileInfo(QString::fromStdString(s.firmware_path)).absolutePath();
    const QString chosen =
        s.choose_firmware
            ? s.choose_firmware(start)
            : QFileDialog::getOpenFileName(nullptr, tr("Select firmware file"), start,
                                           tr("Firmware file (*.dat);;All files (*)"));
    if (chosen.isEmpty())
        return;
    s.firmware_path = chosen.toUtf8().toStdString();
    auto* dlg = new device_update_progress_widget();
    dlg->setWindowModality(Qt::ApplicationModal);
    connect(dlg, &task_progress_widget::task_abort, this, &TOrnViewer::update_device_abort);
    connect(worker_, &orn_func_obj::update_device_progress, dlg,
            &task_progress_widget::update_progress_value);
    connect(worker_, &orn_func_obj::update_device_finish, dlg,
            &device_update_progress_widget::update_finish);
    dlg->show();
    Q_EMIT start_update_device(d, s.firmware_path);
}

void TOrnViewer::update_device_abort() {
    worker_->abort_update_device();
}

void TOrnViewer::update_device_finish(bool, std::string info) {
    show_msg_box(tr("Device upgrade"), QString::fromStdString(info), 0, 1);
    // The new version shows beside the device at once.
    poll_device_status();
}

// ---- Data save directory ---------------------------------------------------

void TOrnViewer::navigation_bar_setting_btn_action_save_root_triggr() {
    auto* dlg = new set_default_export_path_widget();
    dlg->setWindowModality(Qt::ApplicationModal);
    dlg->show();
}

void TOrnViewer::auto_update_device_msg_ok() {}

void TOrnViewer::auto_update_device_msg_cancle() {}

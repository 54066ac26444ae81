// Entry points of the device parts. No control of the window triggers them;
// they stay until the device import, search and clock dialogs join.
#include "app/torn_viewer.h"

#include "core/app_log.h"
#include "ui/dir_setting_widget.h"

void TOrnViewer::on_import_data_btn_clicked() {
    // TODO(device): opens the device import wizard.
    app_log("TOrnViewer::on_import_data_btn_clicked");
}

void TOrnViewer::read_device_data_number(int) {}

void TOrnViewer::update_device_finish(bool, std::string) {}

void TOrnViewer::navigation_bar_setting_btn_action_save_root_triggr() {
    auto* dlg = new set_default_export_path_widget();
    dlg->setWindowModality(Qt::ApplicationModal);
    dlg->show();
}

void TOrnViewer::navigation_bar_setting_btn_action_search_trigger() {
    // TODO(device): opens the device search dialog.
}

void TOrnViewer::navigation_bar_setting_btn_action_time_sync_trigger() {
    // TODO(device): opens the clock synchronisation dialog.
}

void TOrnViewer::update_search_device_vector(std::vector<search_device_info>) {}

void TOrnViewer::update_device_status(std::vector<device_status_info>) {}

void TOrnViewer::auto_update_device_msg_ok() {}

void TOrnViewer::auto_update_device_msg_cancle() {}

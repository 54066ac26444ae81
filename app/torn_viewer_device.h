#pragma once
// The main window's device state: the known cameras and their last status,
// the device thread with its link object, the status polls while a device
// dialog is open, and the open device dialogs.
// Threading: UI thread only (the link object lives on its own thread).

#include "store/records.h"

#include <QPointer>
#include <QString>

#include <functional>
#include <string>
#include <vector>

class QThread;
class QTimer;
class dev_search_box;
class dev_sync_time_box;
class device_link_obj;
class import_operate_widget;

struct torn_viewer_device_state {
    static constexpr int poll_interval_ms = 2000;

    std::vector<search_device_info> devices; // device list, kept in devices.json
    std::vector<device_status_info> status;  // last answer of each device
    search_device_info connected;            // the device the wizard connected to
    std::string firmware_path;               // last chosen firmware file

    QThread* thread = nullptr;
    device_link_obj* link = nullptr;
    QTimer* poll_timer = nullptr;
    bool poll_pending = false;
    bool searching = false;
    int data_name_request = 0;

    QPointer<dev_search_box> search_box;
    QPointer<dev_sync_time_box> sync_box;
    QPointer<import_operate_widget> wizard;
    std::function<QString(const QString&)> choose_firmware;

    bool any_dialog_open() const;
};

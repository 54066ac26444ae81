// Worker tasks whose bodies belong to another area (the device link).
// Until they are filled in, each ends at once with its finish signal so that a waiting progress
// dialog closes.

#include "app/tasks/orn_func_obj.h"

void orn_func_obj::import_device_data(std::string, std::string, std::vector<std::string>) {
    Q_EMIT import_data_finish(false, tr("Import from device is not available.").toStdString());
}

void orn_func_obj::sync_time(std::vector<search_device_info>) {}

void orn_func_obj::update_device(search_device_info, std::string) {
    Q_EMIT update_device_finish(false, tr("Device update is not available.").toStdString());
}

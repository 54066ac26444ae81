// The worker's device tasks: import from a camera, clock synchronisation and
// firmware upgrade. Each ends with exactly one finish signal.

#include "app/tasks/orn_func_obj.h"

#include "app/tasks/device_import.h"
#include "app/tasks/task_awake.h"
#include "core/app_config.h"
#include "core/app_log.h"
#include "device/device_api.h"
#include "platform/text.h"
#include "store/time_util.h"

#include <QStringList>

#include <cerrno>
#include <cstring>

namespace {

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

QString q(const std::wstring& s) {
    return QString::fromStdWString(s);
}

// Why a request to a camera failed, for the user.
QString request_failure(int code) {
    if (code == 1)
        return orn_func_obj::tr("the device answered with an error");
    if (code == 2)
        return orn_func_obj::tr("the device's answer could not be read");
    if (code == ECONNRESET || code == EPIPE)
        return orn_func_obj::tr("the connection to the device was lost");
    if (code == ECONNREFUSED || code == ETIMEDOUT || code == EHOSTUNREACH || code == ENETUNREACH)
        return orn_func_obj::tr("the device could not be reached (%1)").arg(q(std::strerror(code)));
    return q(std::strerror(code));
}

QString import_message(const device_import_result& r) {
    const QString where = q(r.target_dir);
    QString text;
    if (r.success) {
        text = orn_func_obj::tr("%1 data items were stored in \"%2\" and registered.")
                   .arg(r.items_stored)
                   .arg(where);
        if (r.removal_requested) {
            text += QLatin1Char(' ');
            text += r.removal_result == 0
                        ? orn_func_obj::tr("The data was removed from the device.")
                        : orn_func_obj::tr("Removing the data from the device failed: %1.")
                              .arg(request_failure(r.removal_result));
        }
        return text;
    }
    switch (r.failure) {
    case device_import_failure::no_save_directory:
        return orn_func_obj::tr("No data save directory is set. Choose one with \"Data save "
                                "path\" in the main window's context menu.");
    case device_import_failure::bad_name:
        return orn_func_obj::tr("The data name cannot be used as a directory name.");
    case device_import_failure::bad_set_name:
        return orn_func_obj::tr("The device named a data set \"%1\", which cannot be used as a "
                                "directory name. Nothing was imported.")
            .arg(q(r.failed_at));
    case device_import_failure::exists:
        return orn_func_obj::tr("\"%1\" already exists. Choose another data name.")
            .arg(q(r.failed_at));
    case device_import_failure::create_failed:
        return orn_func_obj::tr("The directory \"%1\" could not be created: %2.")
            .arg(q(r.failed_at), q(std::strerror(r.error)));
    case device_import_failure::manifest_failed:
        return orn_func_obj::tr("The device did not list the data set \"%1\": %2. Nothing was "
                                "imported.")
            .arg(q(r.failed_at), request_failure(r.error));
    default:
        break;
    }
    if (r.aborted)
        text = orn_func_obj::tr("Import aborted.");
    else if (r.failure == device_import_failure::transfer_failed)
        text = orn_func_obj::tr("The transfer of \"%1\" failed: %2.")
                   .arg(q(r.failed_at), request_failure(r.error));
    else if (r.failure == device_import_failure::sync_failed)
        text = orn_func_obj::tr("The files could not be written to disk: %1.")
                   .arg(q(std::strerror(r.error)));
    else if (r.failure == device_import_failure::register_failed)
        text = orn_func_obj::tr("The data set could not be registered in the database.");
    else
        text = orn_func_obj::tr("Import incomplete.");
    text += QLatin1Char(' ');
    if (r.items_stored > 0)
        text += orn_func_obj::tr("%1 of %2 data items were stored in \"%3\".")
                    .arg(r.items_stored)
                    .arg(r.items_total)
                    .arg(where);
    else
        text += orn_func_obj::tr("No data item was stored.");
    if (r.items_refused > 0) {
        text += QLatin1Char(' ');
        text += orn_func_obj::tr("%1 data items were refused: their names cannot be used as "
                                 "file names.")
                    .arg(r.items_refused);
    }
    if (r.removal_requested || app_cfg.export_remove_device_data) {
        text += QLatin1Char(' ');
        text += orn_func_obj::tr("Nothing was removed from the device.");
    }
    return text;
}

} // namespace

void orn_func_obj::import_device_data(std::string hostname, std::string data_name,
                                      std::vector<std::string> data_list) {
    task_awake awake;
    import_device_abort_.store(0, std::memory_order_relaxed);
    device_import_request req;
    req.address = hostname;
    req.data_name = utf8_to_wide(data_name);
    req.sets = std::move(data_list);
    req.export_root = app_cfg.export_root;
    req.remove_after = app_cfg.export_remove_device_data;
    last_device_import_ = import_from_device(
        req, import_device_abort_, [this](double v) { Q_EMIT update_import_progress(v); });
    if (last_device_import_.success)
        Q_EMIT update_import_progress(1.0);
    Q_EMIT import_data_finish(last_device_import_.success,
                              import_message(last_device_import_).toStdString());
}

void orn_func_obj::sync_time(std::vector<search_device_info> dev_vec) {
    QStringList failed, done;
    for (const search_device_info& d : dev_vec) {
        std::string device_time;
        const int rc = device_set_time(d.ip, time_stamp_text(), &device_time);
        app_log("sync_time %s err:%d time:%s", d.ip.c_str(), rc, device_time.c_str());
        if (rc != 0)
            failed << QStringLiteral("%1 (%2)").arg(q(d.ip), request_failure(rc));
        else
            done << q(d.ip);
    }
    if (failed.isEmpty())
        Q_EMIT sync_time_finish(
            true,
            tr("Device time synchronized: %1").arg(done.join(QStringLiteral(", "))).toStdString());
    else
        Q_EMIT sync_time_finish(
            false,
            tr("Synchronization failed: %1").arg(failed.join(QStringLiteral(", "))).toStdString());
}

void orn_func_obj::update_device(search_device_info d, std::string path) {
    task_awake awake;
    update_abort_.store(0, std::memory_order_relaxed);
    app_log("update_device %s %s", d.ip.c_str(), path.c_str());
    std::string version;
    int status = 0;
    const int rc = device_upload_firmware(
        d.ip, path, [this](double v) { Q_EMIT update_device_progress(v); },
        [this]() { return update_abort_.load(std::memory_order_relaxed) != 0; }, &version, &status);
    app_log("update_device %s err:%d status_code:%d version:%s", d.ip.c_str(), rc, status,
            version.c_str());
    QString info;
    if (rc == 0)
        info = tr("Device upgrade succeeded. Firmware version: %1").arg(q(version));
    else if (rc == ECANCELED)
        info = tr("Device upgrade aborted. The device keeps its firmware.");
    else if (status == 400)
        info = tr("The device refused the file: it is not a firmware file.");
    else if (status == 413)
        info = tr("The firmware file is too large for the device.");
    else if (status == 507)
        info = tr("The device has no space for the firmware.");
    else if (rc == ENOENT || rc == EACCES || rc == EISDIR)
        info = tr("The firmware file could not be read: %1").arg(q(std::strerror(rc)));
    else
        info = tr("Device upgrade failed: %1.").arg(request_failure(rc));
    Q_EMIT update_device_finish(rc == 0, info.toStdString());
}

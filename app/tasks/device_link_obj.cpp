#include "app/tasks/device_link_obj.h"

#include "core/app_log.h"
#include "device/device_api.h"
#include "device/device_search.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>

namespace {
// More than this is not a search of a local network.
constexpr size_t max_search_addresses = 4096;

uint64_t now_ms() {
    return uint64_t(QDateTime::currentMSecsSinceEpoch());
}
} // namespace

device_link_obj::device_link_obj() : QObject(nullptr) {}

void device_link_obj::search(std::string ranges) {
    QElapsedTimer clock;
    clock.start();
    const std::vector<std::string> addresses =
        range_addresses(search_ranges_for(ranges), max_search_addresses);
    app_log("device_search addresses:%d", static_cast<int>(addresses.size()));
    const std::vector<probe_result> results = probe_devices(addresses, probe_options());
    std::vector<search_device_info> found;
    std::vector<device_status_info> status;
    for (const probe_result& r : results) {
        if (r.result != 0)
            continue;
        search_device_info d;
        d.ip = r.address;
        d.name = r.sn;
        d.tag = now_ms();
        found.push_back(d);
        status.push_back(r.status);
    }
    const double seconds = clock.elapsed() / 1000.0;
    app_log("device_search found:%d in %.3f s", static_cast<int>(found.size()), seconds);
    Q_EMIT search_finish(found, status, static_cast<int>(addresses.size()), seconds);
}

void device_link_obj::poll_status(std::vector<search_device_info> devices) {
    std::vector<std::string> addresses;
    for (const auto& d : devices)
        addresses.push_back(d.ip);
    probe_options o;
    o.timeout_ms = 1000;
    o.deadline_ms = 1500;
    o.parallel = 16;
    std::vector<device_status_info> status;
    for (const probe_result& r : probe_devices(addresses, o))
        if (r.result == 0)
            status.push_back(r.status);
    Q_EMIT status_ready(status);
}

void device_link_obj::read_data_names(int request, search_device_info device) {
    std::vector<std::string> names;
    if (int rc = orn_read_data_list(device.ip, names)) {
        app_log("read_data_names %s err:%d", device.ip.c_str(), rc);
        return;
    }
    for (const std::string& name : names) {
        if (cancelled_request_.load() >= request)
            return;
        device_data_set set;
        QString text = QString::fromStdString(name);
        if (device_read_data_set(device.ip, name, set) == 0) {
            text = tr("%1 (%2 data items)")
                       .arg(QString::fromStdString(set.title))
                       .arg(set.items.size());
        }
        Q_EMIT data_name_ready(request, name, text.toStdString());
    }
}

// halvix-cli device: the camera link from the command line, through the same
// code as the window program (search, status, data sets, import with
// registration, clock and firmware).

#include "cli/cli_args.h"
#include "cli/cli_command.h"
#include "cli/cli_json_util.h"

#include "app/tasks/device_link_obj.h"
#include "app/tasks/orn_func_obj.h"
#include "core/app_config.h"
#include "device/device_api.h"
#include "device/device_search.h"
#include "platform/terminal.h"
#include "platform/termination.h"
#include "platform/text.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>
#include <functional>
#include <thread>

namespace {

const char* const usage_text =
    "usage: halvix-cli device search [--ranges R] [--json]\n"
    "       halvix-cli device status ADDR [--json]\n"
    "       halvix-cli device list ADDR [--json]\n"
    "       halvix-cli device import ADDR NAME (--set S)... | --all [--to DIR] [--remove]\n"
    "       halvix-cli device sync-time ADDR...\n"
    "       halvix-cli device upgrade ADDR FILE";

int usage() {
    // Our own text of several lines: printed as it stands, not escaped as
    // error texts that carry outside names are.
    std::fprintf(stderr, "halvix-cli: %s\n", usage_text);
    return 2;
}

class progress_bar {
public:
    explicit progress_bar(const char* label) : label_(label), on_(platform::stdout_is_terminal()) {}
    void draw(double v) {
        const int percent = int(v * 1000 + 0.5);
        if (!on_ || percent == shown_)
            return;
        shown_ = percent;
        const int width = 40;
        const int filled = int(v * width + 0.5);
        std::printf("\r%s [%s%s] %5.1f%%", label_, std::string(size_t(filled), '#').c_str(),
                    std::string(size_t(width - filled), ' ').c_str(), v * 100.0);
        std::fflush(stdout);
    }
    void end() {
        if (on_ && shown_ >= 0)
            std::printf("\n");
    }

private:
    const char* label_;
    bool on_;
    int shown_ = -1;
};

Json::Value status_json(const device_status_info& s, const std::string& sn) {
    Json::Value v(Json::objectValue);
    v["address"] = s.ip;
    v["sn"] = sn;
    v["host_addr_mac"] = s.host_addr_mac;
    v["time"] = s.time;
    v["version"] = s.version;
    v["battery"] = s.battery;
    v["disk_available"] = Json::Int64(s.disk_available);
    v["disk_total"] = Json::Int64(s.disk_total);
    return v;
}

bool check_address(const QString& a) {
    if (is_device_address(a.toStdString()))
        return true;
    cli_error(cli_tr("%1 is not a device address (a.b.c.d or a.b.c.d:port)").arg(a));
    return false;
}

// "ADDR [--json]"; false when the arguments are something else.
bool address_and_json(const QStringList& args, QString& address, bool& json) {
    json = args.contains("--json");
    QStringList rest = args;
    rest.removeAll("--json");
    if (rest.size() != 1 || !check_address(rest[0]))
        return false;
    address = rest[0];
    return true;
}

// Runs a long job on a thread of its own while this thread answers Ctrl+C
// with `stop`.
void run_interruptible(const std::function<void()>& job, const std::function<void()>& stop) {
    platform::on_termination_request(stop);
    std::thread t([&job] {
        job();
        QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit,
                                  Qt::QueuedConnection);
    });
    QCoreApplication::exec();
    t.join();
}

// One of the worker's long camera jobs, interruptible, with a progress bar;
// prints the worker's closing text. 0 when the job succeeded.
int run_worker_job(const char* label, void (orn_func_obj::*progress)(double),
                   void (orn_func_obj::*finish)(bool, std::string),
                   const std::function<void(orn_func_obj&)>& job,
                   const std::function<void(orn_func_obj&)>& stop) {
    orn_func_obj worker;
    progress_bar bar(label);
    QObject::connect(&worker, progress, [&bar](double v) { bar.draw(v); });
    std::string info;
    bool ok = false;
    QObject::connect(&worker, finish, [&](bool success, std::string text) {
        ok = success;
        info = std::move(text);
    });
    run_interruptible([&] { job(worker); }, [&] { stop(worker); });
    bar.end();
    std::printf("%s\n", info.c_str());
    return ok ? 0 : 1;
}

int cmd_search(const QStringList& args) {
    bool json = false;
    std::string ranges = app_cfg.device_search_ranges;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == "--json")
            json = true;
        else if (args[i] == "--ranges" && i + 1 < args.size())
            ranges = args[++i].toStdString();
        else
            return usage();
    }
    std::vector<ipv4_range> parsed;
    std::string bad;
    if (!ranges.empty() && !parse_search_ranges(ranges, parsed, &bad)) {
        cli_error(cli_tr("not an address range: %1").arg(QString::fromStdString(bad)));
        return 2;
    }
    device_link_obj link;
    std::vector<search_device_info> found;
    std::vector<device_status_info> status;
    int probed = 0;
    double seconds = 0;
    QObject::connect(&link, &device_link_obj::search_finish,
                     [&](std::vector<search_device_info> f, std::vector<device_status_info> s,
                         int p, double sec) {
                         found = std::move(f);
                         status = std::move(s);
                         probed = p;
                         seconds = sec;
                     });
    link.search(ranges);
    std::vector<search_device_info> known;
    read_known_devices(known);
    if (merge_devices(known, found))
        write_known_devices(known);
    if (json) {
        Json::Value out(Json::arrayValue);
        for (size_t i = 0; i < found.size(); ++i)
            out.append(status_json(status[i], found[i].name));
        cli_print_json(out);
    } else {
        for (size_t i = 0; i < found.size(); ++i)
            std::printf("%-21s %-16s %-10s %s\n", found[i].ip.c_str(), found[i].name.c_str(),
                        status[i].version.c_str(), status[i].time.c_str());
        std::printf("%s\n", cli_tr("%1 devices found among %2 addresses in %3 s")
                                .arg(found.size())
                                .arg(probed)
                                .arg(seconds, 0, 'f', 2)
                                .toUtf8()
                                .constData());
    }
    return found.empty() ? 1 : 0;
}

int cmd_status(const QStringList& args) {
    QString address;
    bool json = false;
    if (!address_and_json(args, address, json))
        return usage();
    device_status_info s;
    std::string sn;
    const int rc = device_read_status(address.toStdString(), s, &sn);
    if (rc != 0) {
        cli_error(cli_tr("%1 did not answer (%2)").arg(address).arg(rc));
        return 1;
    }
    if (json) {
        cli_print_json(status_json(s, sn));
    } else {
        std::printf("address    %s\nsn         %s\nversion    %s\ntime       %s\nmac        %s\n"
                    "battery    %.0f%%\ndisk       %.1f of %.1f GB free\n",
                    s.ip.c_str(), sn.c_str(), s.version.c_str(), s.time.c_str(),
                    s.host_addr_mac.c_str(), s.battery, s.disk_available / 1e9, s.disk_total / 1e9);
    }
    return 0;
}

int cmd_list(const QStringList& args) {
    QString typed;
    bool json = false;
    if (!address_and_json(args, typed, json))
        return usage();
    const std::string address = typed.toStdString();
    std::vector<std::string> names;
    if (int rc = orn_read_data_list(address, names)) {
        cli_error(cli_tr("the data list of %1 could not be read (%2)").arg(typed).arg(rc));
        return 1;
    }
    Json::Value out(Json::arrayValue);
    for (const std::string& n : names) {
        device_data_set set;
        const int rc = device_read_data_set(address, n, set);
        Json::Value v(Json::objectValue);
        v["name"] = n;
        v["title"] = set.title;
        v["items"] = int(set.items.size());
        v["bytes"] = Json::Int64(set.total_bytes);
        v["result"] = rc;
        out.append(v);
        if (!json)
            std::printf("%s  %d items  %.1f MB%s\n", cli_pad(n, 32).c_str(), int(set.items.size()),
                        set.total_bytes / 1e6, rc == 0 ? "" : "  (manifest unreadable)");
    }
    if (json)
        cli_print_json(out);
    return 0;
}

int cmd_import(const QStringList& args) {
    QStringList pos;
    std::vector<std::string> sets;
    bool all = false;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == "--set" && i + 1 < args.size())
            sets.push_back(args[++i].toStdString());
        else if (args[i] == "--all")
            all = true;
        else if (args[i] == "--remove")
            app_cfg.export_remove_device_data = true;
        else if (args[i] == "--to" && i + 1 < args.size())
            app_cfg.export_root = QDir(args[++i]).absolutePath().toStdWString();
        else if (args[i].startsWith("--"))
            return usage();
        else
            pos << args[i];
    }
    if (pos.size() != 2 || (sets.empty() && !all) || !check_address(pos[0]))
        return usage();
    const std::string address = pos[0].toStdString();
    if (all && orn_read_data_list(address, sets) != 0) {
        cli_error(cli_tr("the data list of %1 could not be read").arg(pos[0]));
        return 1;
    }
    if (app_cfg.export_root.empty()) {
        cli_error(cli_tr("no data save directory is set: use --to DIR"));
        return 2;
    }
    const std::string name = pos[1].toUtf8().toStdString();
    return run_worker_job(
        "import", &orn_func_obj::update_import_progress, &orn_func_obj::import_data_finish,
        [&](orn_func_obj& w) { w.import_device_data(address, name, sets); },
        [](orn_func_obj& w) { w.abort_import_device_data(); });
}

int cmd_sync_time(const QStringList& args) {
    if (args.isEmpty())
        return usage();
    std::vector<search_device_info> devs;
    for (const QString& a : args) {
        if (!check_address(a))
            return 2;
        search_device_info d;
        d.ip = a.toStdString();
        devs.push_back(d);
    }
    orn_func_obj worker;
    bool ok = false;
    QObject::connect(&worker, &orn_func_obj::sync_time_finish,
                     [&ok](bool success, std::string text) {
                         ok = success;
                         std::printf("%s\n", text.c_str());
                     });
    worker.sync_time(devs);
    return ok ? 0 : 1;
}

int cmd_upgrade(const QStringList& args) {
    if (args.size() != 2 || !check_address(args[0]))
        return usage();
    search_device_info d;
    d.ip = args[0].toStdString();
    const std::string path = QDir(args[1]).absolutePath().toUtf8().toStdString();
    return run_worker_job(
        "upload", &orn_func_obj::update_device_progress, &orn_func_obj::update_device_finish,
        [&](orn_func_obj& w) { w.update_device(d, path); },
        [](orn_func_obj& w) { w.abort_update_device(); });
}

int run_device(const QStringList& args) {
    if (args.isEmpty())
        return usage();
    if (int r = cli_prepare_environment())
        return r;
    const QString sub = args[0];
    const QStringList rest = args.mid(1);
    if (sub == "search")
        return cmd_search(rest);
    if (sub == "status")
        return cmd_status(rest);
    if (sub == "list")
        return cmd_list(rest);
    if (sub == "import")
        return cmd_import(rest);
    if (sub == "sync-time")
        return cmd_sync_time(rest);
    if (sub == "upgrade")
        return cmd_upgrade(rest);
    return usage();
}

const cli_command_registrar registrar(
    {"device", "device search|status|list|import|sync-time|upgrade ...",
     "talk to a camera on the network: find cameras, show their status and data sets, import "
     "data sets (downloaded and registered), set their clocks, upload firmware",
     run_device});

} // namespace

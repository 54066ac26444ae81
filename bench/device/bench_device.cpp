// Device link speed on loopback: import of a 200-item data set from the
// camera simulator (download, file system sync and registration, end to
// end) in MB/s of item files and items/s, and the search of 127.0.0.0/24.
// Prints figures; never fails on timing.
// Usage: bench_device [items] [runs]

#include "app/tasks/device_import.h"
#include "core/app_globals.h"
#include "device/device_search.h"
#include "platform/file_sync.h"
#include "platform/fs_ops.h"
#include "store/database.h"
#include "tools/devicesim/device_sim.h"
#include "tools/samplegen/sample_gen.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int items = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    QTemporaryDir home, root;
    set_app_data_location(home.path().toStdWString());
    QDir(home.path()).mkpath("config");
    db_init();

    // A camera's data set as the camera writes it: 8 frames of 7680 samples
    // and a 640 x 480 picture per item.
    sample_options o;
    o.items = items;
    o.seed = 11;
    QElapsedTimer clock;
    clock.start();
    if (generate_sample_set((root.path() + "/bench set").toStdWString(), o) != 0) {
        std::fprintf(stderr, "cannot write the data set\n");
        return 1;
    }
    std::printf("data set: %d items written in %.1f s\n", items, clock.elapsed() / 1000.0);

    device_sim_options so;
    so.root = root.path().toStdString();
    so.bind = "127.0.0.19";
    so.port = 0;
    device_sim camera(so);
    if (camera.start() != 0) {
        std::fprintf(stderr, "cannot listen on 127.0.0.19\n");
        return 1;
    }

    // Each import against a plain local copy of the same files to the same
    // file system: the copy is the floor the file system sets. On tmpfs the
    // figures show the link itself.
    std::vector<std::pair<QString, QString>> targets{{"temporary directory", QString()}};
    if (QDir("/dev/shm").exists())
        targets.push_back({"tmpfs (/dev/shm)", "/dev/shm"});
    for (const auto& target : targets) {
        QTemporaryDir save(target.second.isEmpty() ? QDir::tempPath() + "/bench_device-XXXXXX"
                                                   : target.second + "/bench_device-XXXXXX");
        std::vector<double> seconds, copies;
        double mb = 0;
        for (int run = 0; run < runs; ++run) {
            clock.restart();
            platform::fs_copy((root.path() + "/bench set").toStdString(),
                              (save.path() + QStringLiteral("/copy %1").arg(run)).toStdString());
            platform::sync_file_system(save.path().toStdString());
            copies.push_back(clock.nsecsElapsed() / 1e9);

            device_import_request req;
            req.address = camera.address();
            req.data_name =
                QStringLiteral("import %1 %2").arg(&target - &targets[0]).arg(run).toStdWString();
            req.sets = {"bench set"};
            req.export_root = save.path().toStdWString();
            const std::atomic<uint8_t> no_abort{0};
            clock.restart();
            const device_import_result r = import_from_device(req, no_abort, nullptr);
            const double s = clock.nsecsElapsed() / 1e9;
            if (!r.success || r.items_registered != items) {
                std::fprintf(stderr, "import %d failed (%d of %d registered)\n", run,
                             r.items_registered, items);
                return 1;
            }
            mb = r.bytes_stored / 1e6;
            seconds.push_back(s);
        }
        std::sort(seconds.begin(), seconds.end());
        std::sort(copies.begin(), copies.end());
        const double median = seconds[seconds.size() / 2];
        const double copy = copies[copies.size() / 2];
        std::printf("%s: import of %d items (%.1f MB of item files), median of %d runs: %.3f s, "
                    "%.0f MB/s, %.0f items/s (best %.0f MB/s, %.0f items/s)\n",
                    qPrintable(target.first), items, mb, runs, median, mb / median, items / median,
                    mb / seconds.front(), items / seconds.front());
        std::printf("%s: local copy of the same files with sync: %.3f s, %.0f MB/s, %.0f "
                    "items/s\n",
                    qPrintable(target.first), copy, mb / copy, items / copy);
    }

    // The search probes port 45600; this camera listens on another one, so it
    // measures the sweep over 254 addresses, finding whatever listens there.
    std::vector<double> sweep;
    size_t found = 0;
    for (int run = 0; run < 3; ++run) {
        clock.restart();
        const std::vector<std::string> addresses =
            range_addresses(search_ranges_for("127.0.0.0/24"), 4096);
        found = 0;
        for (const probe_result& r : probe_devices(addresses, probe_options()))
            found += r.result == 0 ? 1 : 0;
        sweep.push_back(clock.nsecsElapsed() / 1e9);
    }
    std::sort(sweep.begin(), sweep.end());
    std::printf("search of 127.0.0.0/24 (254 addresses): median %.3f s, worst %.3f s, %zu "
                "cameras answered\n",
                sweep[1], sweep[2], found);
    return 0;
}

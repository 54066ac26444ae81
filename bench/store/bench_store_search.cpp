// Prints how long the data browser's database reads take over 100,000 items
// (goal for a search: under 100 ms). Figures only; never fails on time.

#include "core/app_globals.h"
#include "store/database.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace {
constexpr int item_count = 100000;
constexpr int dataset_count = 20;

// Best of several runs, wall clock and processor time (the machine may be
// shared, which stretches wall time but not processor time).
struct timing {
    double wall_ms = 1e30;
    double cpu_ms = 1e30;
};

template <class F> timing best_ms(F&& f, int runs = 5) {
    timing best;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        const std::clock_t c0 = std::clock();
        f();
        best.cpu_ms = std::min(best.cpu_ms, (std::clock() - c0) * 1000.0 / CLOCKS_PER_SEC);
        best.wall_ms = std::min(best.wall_ms, t.nsecsElapsed() / 1e6);
    }
    return best;
}
template <class F> void report(const char* what, F&& select) {
    size_t rows = 0;
    const timing t = best_ms([&] { rows = select().size(); });
    std::printf("%-34s %8.1f ms wall %8.1f ms cpu, %6zu rows\n", what, t.wall_ms, t.cpu_ms, rows);
}
} // namespace

int main() {
    QTemporaryDir dir;
    set_app_data_location(dir.path().toStdWString());
    QDir(dir.path()).mkpath("config");
    if (db_init() != 0)
        return 1;

    QElapsedTimer fill;
    fill.start();
    for (int d = 0; d < dataset_count; ++d)
        data_import_db_insert(L"/data/set" + std::to_wstring(d), L"set" + std::to_wstring(d), "1",
                              "ds" + std::to_string(d), "TarvoOrnApp");
    sqlite3* h = db_open();
    db_begin(h);
    for (int i = 0; i < item_count; ++i) {
        data_list_insert_row r;
        r.data_import_id = "ds" + std::to_string(i % dataset_count);
        r.dir_name = "item" + std::to_string(i);
        r.data_name = (i % 100 == 0 ? "valve leak " : "point ") + std::to_string(i);
        r.data_note = i % 7 == 0 ? "checked by night shift" : "";
        r.distance = 1.5 + i % 10;
        char time[32];
        std::snprintf(time, sizeof time, "2024-%02d-%02d %02d:%02d:%02d", 1 + i % 12, 1 + i % 28,
                      i % 24, i % 60, (i / 60) % 60);
        r.time = time;
        r.fs = 48000;
        r.spl = 40 + i % 30;
        r.valid_type = i % 3;
        r.frame_num = 40;
        r.discharge = i % 5;
        r.favorite = i % 11 == 0;
        data_list_db_insert(h, r);
    }
    db_commit(h);
    db_close(h);
    std::printf("insert %d items in one transaction: %.1f ms\n", item_count,
                fill.nsecsElapsed() / 1e6);

    report("search \"\" (every item)",
           [] { return data_list_db_search(L"", false, false, false); });
    report("search \"valve\"", [] { return data_list_db_search(L"valve", false, false, false); });
    report("search \"night\" + favourite",
           [] { return data_list_db_search(L"night", false, false, true); });
    report("search_discharge \"\" level 3", [] {
        return data_list_db_search_discharge(L"", false, false, false, true, false, false);
    });
    import_data_info ds;
    ds.id = "ds3";
    ds.local_root = L"/data/set3";
    report("select one data set", [&] { return data_list_db_select(ds, false, false, false); });
    report("select one data set, favourites",
           [&] { return data_list_db_select(ds, false, false, true); });
    const timing count = best_ms([] { data_list_db_count("ds3"); });
    std::printf("%-34s %8.2f ms wall %8.2f ms cpu\n", "count one data set", count.wall_ms,
                count.cpu_ms);
    return 0;
}

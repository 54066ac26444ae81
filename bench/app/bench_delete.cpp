// Delete and Remove of many data items: the worker's task (one transaction
// on one connection, directories deleted item by item) against what one
// autocommit statement on a fresh connection per item costs, and a local
// import of as many items for scale. Prints figures; never fails on timing.
#include "ui_test_util.h"

#include "app/tasks/local_import.h"
#include "app/tasks/orn_func_obj.h"
#include "store/database.h"
#include "store/file_util.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>

#include <cstdio>
#include <string>
#include <vector>

namespace {
struct run {
    double seconds = 0;
    int progress_signals = 0;
    int left = 0; // rows of the data set afterwards
    bool dataset_gone = false;
};

run delete_task(const QString& parent, const QString& name, int n, bool rm) {
    const import_data_info set = ui_test::make_dataset(parent, name, n);
    std::vector<data_info> items = data_list_db_select(set, false, false, false);
    std::vector<int> all; // empty: every item
    orn_func_obj worker(100, nullptr);
    run r;
    QObject::connect(&worker, &orn_func_obj::delete_data_progress, &worker,
                     [&](double) { ++r.progress_signals; });
    QObject::connect(&worker, &orn_func_obj::delete_data_finish, &worker,
                     [&](bool, std::string, bool gone) { r.dataset_gone = gone; });
    QElapsedTimer t;
    t.start();
    worker.delete_data(&items, &all, rm);
    r.seconds = t.nsecsElapsed() / 1e9;
    r.left = data_list_db_count(set.id);
    return r;
}

// The former way: every row its own statement on its own connection.
double per_item_statements(const QString& parent, const QString& name, int n) {
    const import_data_info set = ui_test::make_dataset(parent, name, n);
    const std::vector<data_info> items = data_list_db_select(set, false, false, false);
    QElapsedTimer t;
    t.start();
    for (const data_info& d : items)
        data_list_db_delete_item(d.data_import_id, d.time);
    return t.nsecsElapsed() / 1e9;
}

// What the file system alone takes for the directories of n items.
double directories_alone(const QString& parent, const QString& name, int n) {
    const import_data_info set = ui_test::make_dataset(parent, name, n);
    const std::vector<data_info> items = data_list_db_select(set, false, false, false);
    QElapsedTimer t;
    t.start();
    for (const data_info& d : items)
        delete_path(d.data_dir);
    return t.nsecsElapsed() / 1e9;
}

double import_of(const QString& parent, const QString& name, int n) {
    ui_test::make_dataset(parent, name, n); // the directories
    const QString root = parent + "/" + name;
    // Registered anew, as a local import does it.
    std::atomic<uint8_t> abort{0};
    QElapsedTimer t;
    t.start();
    const local_import_result r = import_local_roots({root.toStdWString()}, abort, {});
    const double s = t.nsecsElapsed() / 1e9;
    return r.inserted_all == n ? s : -1;
}
} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    register_meta_types();
    QTemporaryDir tmp;
    ui_test::use_private_data_location(tmp);
    const QString parent = tmp.path() + "/sets";
    QDir().mkpath(parent);

    std::printf("%-34s %8s %10s %10s\n", "run", "items", "seconds", "per item");
    for (int n : {1500, 5000}) {
        auto line = [n](const char* what, double s) {
            std::printf("%-34s %8d %10.3f %9.3f ms\n", what, n, s, s * 1000.0 / n);
        };
        const run remove = delete_task(parent, QString("remove_%1").arg(n), n, false);
        line("Remove (task, one transaction)", remove.seconds);
        const run del = delete_task(parent, QString("delete_%1").arg(n), n, true);
        line("Delete (task, with directories)", del.seconds);
        line("directories alone (file system)",
             directories_alone(parent, QString("dirs_%1").arg(n), n));
        if (remove.left != 0 || del.left != 0 || !remove.dataset_gone || !del.dataset_gone)
            std::printf("  !! rows left: %d / %d\n", remove.left, del.left);
        std::printf("  progress signals: %d / %d\n", remove.progress_signals, del.progress_signals);
        if (n <= 1500) // minutes at 5,000
            line("per-item statements (former way)",
                 per_item_statements(parent, QString("former_%1").arg(n), n));
        line("local import of as many items", import_of(parent, QString("import_%1").arg(n), n));
    }
    return 0;
}

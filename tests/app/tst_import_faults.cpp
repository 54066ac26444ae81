// Local import under faults: a disk that fills up during a data set, a
// database locked by another program, two data sets of one name imported at
// the same moment, and directory names that are not UTF-8.

#include "analysis/datafile/data_file.h"
#include "app/tasks/orn_func_obj.h"
#include "core/app_globals.h"
#include "full_disk.h"
#include "platform/text.h"
#include "sample_sets.h"
#include "store/database.h"

#include <QtTest>

#include <sqlite3.h>

#include <filesystem>
#include <future>
#include <thread>

namespace {

std::wstring w(const QString& s) {
    return s.toStdWString();
}

int rows_in_database() {
    return int(data_list_db_search(L"", false, false, false).size());
}

int sets_named(const std::wstring& name) {
    int n = 0;
    for (const auto& s : data_import_db_select_all())
        n += s.name == name;
    return n;
}

struct finish {
    bool ok = false;
    QString info;
};

// The worker's import as the main window runs it; the finish signal's values.
finish run_import(const std::vector<std::wstring>& roots) {
    orn_func_obj worker;
    QSignalSpy spy(&worker, &orn_func_obj::import_local_data_finish);
    worker.import_local_data(roots);
    if (spy.size() != 1)
        return {false, QString("%1 finish signals").arg(spy.size())};
    return {spy[0][0].toBool(), QString::fromStdString(spy[0][1].value<std::string>())};
}

} // namespace

class tst_import_faults : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> tmp;
    std::atomic<uint8_t> no_abort{0};

    void use_data_location(const QString& dir) {
        set_app_data_location(w(dir));
        QVERIFY(QDir(dir).mkpath("config"));
        QCOMPARE(db_init(), 0);
    }

private Q_SLOTS:
    void initTestCase() { register_meta_types(); }
    void init() {
        tmp = std::make_unique<QTemporaryDir>();
        QVERIFY(tmp->isValid());
    }

    void full_disk_registers_nothing_of_the_set_and_says_why() {
        const QString root = tmp->filePath("sets/big");
        QVERIFY(make_set(root, 40, 4000));
        full_disk disk(tmp->filePath("appdata"));
        use_data_location(disk.path());
        QVERIFY(disk.fill(48 * 1024));
        const finish f = run_import({w(root)});
        disk.release();
        QVERIFY2(f.info.contains("disk is full"), qPrintable(f.info + " / " + disk.name()));
        QCOMPARE(sets_named(L"big"), 0);
        QCOMPARE(rows_in_database(), 0);
        QVERIFY(!f.ok);
        // With room again the same set goes in whole.
        QCOMPARE(run_import({w(root)}).info, QString("Local data import completed!"));
        QCOMPARE(rows_in_database(), 40);
    }

    void locked_database_ends_the_import_with_a_reason() {
        use_data_location(tmp->filePath("appdata"));
        const QString root = tmp->filePath("sets/locked");
        QVERIFY(make_set(root, 2));
        sqlite3* other = nullptr;
        QCOMPARE(sqlite3_open(db_path().c_str(), &other), SQLITE_OK);
        QCOMPARE(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
        auto done = std::async(std::launch::async, [&] { return run_import({w(root)}); });
        // Released after a minute at the latest, so that a waiting import ends.
        const bool ended = done.wait_for(std::chrono::seconds(60)) == std::future_status::ready;
        sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr);
        sqlite3_close(other);
        const finish f = done.get();
        QVERIFY2(ended, "the import waited for the lock");
        QVERIFY2(f.info.contains("locked"), qPrintable(f.info));
        QCOMPARE(sets_named(L"locked"), 0);
    }

    void same_name_imported_at_once_registers_one() {
        use_data_location(tmp->filePath("appdata"));
        QVERIFY(make_set(tmp->filePath("a/twin"), 6));
        QVERIFY(make_set(tmp->filePath("b/twin"), 6));
        std::promise<void> go;
        std::shared_future<void> start = go.get_future().share();
        auto import_one = [&](const QString& root) {
            start.wait();
            return import_local_roots({w(root)}, no_abort, nullptr);
        };
        auto a = std::async(std::launch::async, import_one, tmp->filePath("a/twin"));
        auto b = std::async(std::launch::async, import_one, tmp->filePath("b/twin"));
        go.set_value();
        const local_import_result ra = a.get();
        const local_import_result rb = b.get();
        QCOMPARE(sets_named(L"twin"), 1);
        QCOMPARE(ra.import_ids.size() + rb.import_ids.size(), size_t(1));
        QCOMPARE(rows_in_database(), 6);
        const local_import_result& refused = ra.import_ids.empty() ? ra : rb;
        QCOMPARE(refused.name_taken.size(), size_t(1));
    }

    void names_that_are_not_utf8_import_and_open() {
        namespace fs = std::filesystem;
        use_data_location(tmp->filePath("appdata"));
        const std::string base = QFile::encodeName(tmp->path()).toStdString();
        QVERIFY(make_set(tmp->filePath("plain"), 2));
        const std::string root = base + "/set\xff";
        fs::rename(base + "/plain", root);
        std::vector<std::string> items;
        for (const auto& e : fs::directory_iterator(root))
            items.push_back(e.path().filename().string());
        std::sort(items.begin(), items.end());
        QCOMPARE(items.size(), size_t(2));
        // One item named in Latin-1, without a name in its files.
        const std::string odd = "caf\xe9";
        fs::rename(root + "/" + items[0], root + "/" + odd);
        fs::remove(root + "/" + odd + "/note.json");

        const local_import_result r = import_local_roots({utf8_to_wide(root)}, no_abort, nullptr);
        QCOMPARE(r.total, 2);
        QCOMPARE(r.inserted_all, 2);
        QCOMPARE(r.import_ids.size(), size_t(1));
        import_data_info set;
        for (const auto& s : data_import_db_select_all())
            set = s;
        QCOMPARE(wide_to_utf8(set.local_root), root);
        QCOMPARE(set.name, std::wstring(L"set\uFFFD")); // shown with a replacement character
        const std::vector<data_info> rows = data_list_db_select(set, false, false, false);
        QCOMPARE(rows.size(), size_t(2));
        for (data_info d : rows) {
            const bool is_odd = wide_to_utf8(d.dir_name) == odd;
            QVERIFY(is_odd || wide_to_utf8(d.dir_name) == items[1]);
            if (is_odd)
                QCOMPARE(d.data_name, std::wstring(L"caf\uFFFD"));
            d.time.clear();
            QCOMPARE(read_data_item(d), 0); // the item opens from its stored path
            QVERIFY(!d.time.empty());
        }
    }
};

QTEST_GUILESS_MAIN(tst_import_faults)
#include "tst_import_faults.moc"

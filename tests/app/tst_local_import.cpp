// Local import: rows written for the independent samples and for generated
// sets, the edge cases of the directories, abort, the directory checks and
// the worker's messages; and under faults: a disk that fills up during a data
// set, a database locked by another program, two data sets of one name
// imported at the same moment, and directory names that are not UTF-8.

#include "analysis/datafile/data_file.h"
#include "app/tasks/orn_func_obj.h"
#include "full_disk.h"
#include "platform/text.h"
#include "sample_sets.h"

#include <QtTest>

#include <json/json.h>
#include <sqlite3.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <future>

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

class tst_local_import : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> tmp; // data sets, and the program's data folder "appdata"
    std::atomic<uint8_t> no_abort{0};

    // Imports the named folders of tmp.
    local_import_result import(const QStringList& dirs,
                               const std::function<void(double)>& progress = {},
                               std::atomic<uint8_t>* abort = nullptr) {
        std::vector<std::wstring> roots;
        for (const QString& d : dirs)
            roots.push_back(w(tmp->filePath(d)));
        return import_local_roots(roots, abort ? *abort : no_abort, progress);
    }

private Q_SLOTS:
    void initTestCase() { register_meta_types(); }
    void init() {
        tmp = std::make_unique<QTemporaryDir>();
        QVERIFY(tmp->isValid() && use_data_location(tmp->filePath("appdata")));
    }

    void samples_import_as_their_manifest_says() {
        std::ifstream in(HALVIX_SAMPLES_DIR "/basic.manifest.json");
        Json::Value m;
        QVERIFY(Json::parseFromStream(Json::CharReaderBuilder(), in, &m, nullptr));
        std::vector<double> steps;
        const local_import_result r =
            import_local_roots({utf8_to_wide(HALVIX_SAMPLES_DIR "/basic/")}, no_abort,
                               [&](double v) { steps.push_back(v); });
        QCOMPARE(std::make_tuple(r.total, r.inserted_all, r.import_ids.size()),
                 std::make_tuple(m["subdirectories"].asInt(), m["data_items"].asInt(), size_t(1)));
        QVERIFY(!steps.empty() && std::is_sorted(steps.begin(), steps.end()));

        const import_data_info set = dataset_named(L"basic");
        QCOMPARE(std::tie(set.id, set.sn, set.local_root, set.app_name), // the first item's writer
                 std::make_tuple(r.import_ids[0], std::string("1"),
                                 utf8_to_wide(HALVIX_SAMPLES_DIR "/basic"),
                                 std::string("TarvoOrnApp")));
        const std::vector<data_info> rows = data_list_db_select(set, false, false, false);
        QCOMPARE(int(rows.size()), m["data_items"].asInt());
        for (const Json::Value& item : m["items"]) {
            const auto row = std::find_if(rows.begin(), rows.end(), [&](const data_info& d) {
                return wide_to_utf8(d.dir_name) == item["dir"].asString();
            });
            QVERIFY2(row != rows.end(), item["dir"].asCString());
            const Json::Value &want = item["import_row"], &info = item["expected_info"];
            QVERIFY(std::fabs(row->spl - want["spl"].asDouble()) < 6e-4);
            QCOMPARE(std::make_tuple(wide_to_utf8(row->data_name), row->frame_num, row->time,
                                     row->valid_type, row->dd_start_frame_idx),
                     std::make_tuple(want["data_name"].asString(), want["frame_num"][0].asInt(),
                                     info["time"].asString(), info["valid_type"].asInt(), 0));
        }
    }

    void directories_without_items() {
        for (const char* dir : {"empty_root", "no_items/a", "no_items/b"})
            QDir(tmp->path()).mkpath(dir);
        const local_import_result e = import({"empty_root", "missing"});
        QCOMPARE(std::make_pair(e.total, e.inserted_all), std::make_pair(0, 0));
        std::vector<double> steps;
        const local_import_result n = import({"no_items"}, [&](double v) { steps.push_back(v); });
        QCOMPARE(std::make_tuple(n.total, n.processed, n.inserted_all, steps.size()),
                 std::make_tuple(2, 2, 0, size_t(0)));
        QVERIFY(data_import_db_select_all().empty());
    }

    void generated_set_with_unnamed_item_and_plain_folders() {
        sample_set set; // item 10 has no name in its files
        QCOMPARE(generate_sample_set(w(tmp->filePath("gen")), small_set(11, 2, 480), &set), 0);
        QDir(tmp->path()).mkpath("gen/zz_not_an_item");
        std::vector<double> steps;
        const local_import_result r = import({"gen"}, [&](double v) { steps.push_back(v); });
        QCOMPARE(r.total, 12);
        QCOMPARE(r.inserted_all, 11);
        // The plain folder sorts last, so progress stops short of 1.
        QCOMPARE(steps.back(), 11.0 / 12.0);
        const import_data_info ds = dataset_named(L"gen");
        QCOMPARE(ds.app_name, set.items[0].app_name);
        const auto rows = data_list_db_select(ds, false, false, false);
        QCOMPARE(rows.size(), size_t(11));
        for (const auto& row : rows) {
            const auto it =
                std::find_if(set.items.begin(), set.items.end(),
                             [&](const sample_item& s) { return s.dir_name == row.dir_name; });
            QVERIFY(it != set.items.end());
            QCOMPARE(std::tie(row.data_name, row.frame_num),
                     std::make_tuple(it->name.empty() ? it->dir_name : it->name, 2));
            QVERIFY(std::fabs(row.spl - (it->note_has_spl ? it->note_spl : it->frame_spl[0])) <
                    6e-4);
        }
    }

    void abort_keeps_rows_already_written() {
        sample_options o = small_set(6);
        o.seed = 5;
        QCOMPARE(generate_sample_set(w(tmp->filePath("abort_a")), o), 0);
        QCOMPARE(generate_sample_set(w(tmp->filePath("abort_b")), o), 0);
        std::atomic<uint8_t> abort{0};
        int seen = 0;
        const local_import_result r = import(
            {"abort_a", "abort_b"}, [&](double) { abort.store(++seen >= 3); }, &abort);
        QCOMPARE(std::make_pair(r.aborted, r.inserted_all), std::make_pair(true, 3));
        QCOMPARE(sets_named(L"abort_a") + sets_named(L"abort_b"), 1);
        QCOMPARE(data_list_db_count(dataset_named(L"abort_a").id), 3);
    }

    void directory_checks() {
        QDir(tmp->path()).mkpath("fresh");
        const std::wstring taken = w(tmp->filePath("elsewhere/taken"));
        QCOMPARE(data_import_db_insert(taken, L"taken", "1", make_dataset_id(), "TarvoOrnApp"), 0);
        std::vector<std::wstring> roots;
        std::wstring refused;
        // Accepted ones stay when a later one is refused.
        QList<QUrl> urls = {QUrl::fromLocalFile(tmp->filePath("fresh") + "/"),
                            QUrl::fromLocalFile(tmp->filePath("taken")),
                            QUrl::fromLocalFile(tmp->filePath("other"))};
        QCOMPARE(check_local_dir(urls, roots, &refused), local_dir_check::name_exists);
        QCOMPARE(std::make_pair(roots, refused),
                 std::make_pair(std::vector<std::wstring>{w(tmp->filePath("fresh"))},
                                w(tmp->filePath("taken"))));

        roots.clear();
        // The same name twice in one request.
        QCOMPARE(check_local_dir({QUrl::fromLocalFile(tmp->filePath("x/dup")),
                                  QUrl::fromLocalFile(tmp->filePath("y/dup"))},
                                 roots),
                 local_dir_check::name_exists);
        QCOMPARE(roots.size(), size_t(1));
        QCOMPARE(local_root_name(L"/a/b/"), std::wstring(L"b"));
    }

    void worker_reports_progress_and_the_result() {
        QCOMPARE(generate_sample_set(w(tmp->filePath("worker")), small_set(4)), 0);
        orn_func_obj worker(100, nullptr);
        QSignalSpy progress(&worker, &orn_func_obj::update_import_local_progress);
        QSignalSpy finish(&worker, &orn_func_obj::import_local_data_finish);
        worker.import_local_data({w(tmp->filePath("worker")), w(tmp->filePath("nope"))});
        QVERIFY(progress.size() == 4 && progress.last()[0].toDouble() == 1.0);
        QCOMPARE(finish[0][1].value<std::string>(), std::string("Local data import completed!"));
        worker.import_local_data({w(tmp->filePath("nope"))});
        QCOMPARE(finish[1][1].value<std::string>(), std::string("No data available for import!"));
    }
    void full_disk_registers_nothing_of_the_set_and_says_why() {
        const QString root = tmp->filePath("sets/big");
        QVERIFY(make_set(root, 40, 4000));
        full_disk disk(tmp->filePath("full"));
        QVERIFY(use_data_location(disk.path()));
        QVERIFY(disk.fill(48 * 1024));
        const finish f = run_import({w(root)});
        disk.release();
        QVERIFY2(f.info.contains("disk is full"), qPrintable(f.info + " / " + disk.name()));
        QCOMPARE(std::make_tuple(f.ok, sets_named(L"big"), rows_in_database()),
                 std::make_tuple(false, 0, 0));
        // With room again the same set goes in whole.
        QCOMPARE(run_import({w(root)}).info, QString("Local data import completed!"));
        QCOMPARE(rows_in_database(), 40);
    }

    void locked_database_ends_the_import_with_a_reason() {
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
        QCOMPARE(std::make_tuple(sets_named(L"twin"), ra.import_ids.size() + rb.import_ids.size(),
                                 rows_in_database()),
                 std::make_tuple(1, size_t(1), 6));
        const local_import_result& refused = ra.import_ids.empty() ? ra : rb;
        QCOMPARE(refused.name_taken.size(), size_t(1));
    }

    void names_that_are_not_utf8_import_and_open() {
        QVERIFY(make_set(tmp->filePath("plain"), 2));
        const QStringList items =
            QDir(tmp->filePath("plain")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        QCOMPARE(items.size(), 2);
        // The set and one item named in Latin-1, the item without a name in its files.
        const std::string root = QFile::encodeName(tmp->path()).toStdString() + "/set\xff";
        const std::string odd = "caf\xe9";
        QVERIFY(QFile::remove(tmp->filePath("plain/" + items[0] + "/note.json")));
        std::filesystem::rename(QFile::encodeName(tmp->filePath("plain/" + items[0])).toStdString(),
                                QFile::encodeName(tmp->filePath("plain")).toStdString() + "/" +
                                    odd);
        std::filesystem::rename(QFile::encodeName(tmp->filePath("plain")).toStdString(), root);

        const local_import_result r = import_local_roots({utf8_to_wide(root)}, no_abort, nullptr);
        QCOMPARE(std::make_tuple(r.total, r.inserted_all, r.import_ids.size()),
                 std::make_tuple(2, 2, size_t(1)));
        // Stored as it is on disk, shown with a replacement character.
        const import_data_info set = data_import_db_select_all().at(0);
        QCOMPARE(std::make_pair(wide_to_utf8(set.local_root), set.name),
                 std::make_pair(root, std::wstring(L"set\uFFFD")));
        const std::vector<data_info> rows = data_list_db_select(set, false, false, false);
        QCOMPARE(rows.size(), size_t(2));
        for (data_info d : rows) {
            const bool is_odd = wide_to_utf8(d.dir_name) == odd;
            QVERIFY(is_odd || QString::fromStdWString(d.dir_name) == items[1]);
            if (is_odd)
                QCOMPARE(d.data_name, std::wstring(L"caf\uFFFD"));
            d.time.clear();
            QCOMPARE(read_data_item(d), 0); // the item opens from its stored path
            QVERIFY(!d.time.empty());
        }
    }
};

QTEST_GUILESS_MAIN(tst_local_import)
#include "tst_local_import.moc"

// Local import: rows written for the independent samples and for generated
// sets, the edge cases of the directories, abort, and the directory checks.

#include "app/tasks/orn_func_obj.h"
#include "core/app_globals.h"
#include "platform/text.h"
#include "sample_sets.h"
#include "store/database.h"

#include <QtTest>

#include <json/json.h>

#include <cmath>
#include <fstream>

namespace {

std::wstring w(const QString& s) {
    return s.toStdWString();
}

} // namespace

class tst_local_import : public QObject {
    Q_OBJECT
    QTemporaryDir data_home; // the program's data folder
    QTemporaryDir work;      // data sets to import
    std::atomic<uint8_t> no_abort{0};

    // Imports the named folders of work.
    local_import_result import(const QStringList& dirs,
                               const std::function<void(double)>& progress = {},
                               std::atomic<uint8_t>* abort = nullptr) {
        std::vector<std::wstring> roots;
        for (const QString& d : dirs)
            roots.push_back(w(work.filePath(d)));
        return import_local_roots(roots, abort ? *abort : no_abort, progress);
    }

private slots:
    void initTestCase() {
        register_meta_types();
        set_app_data_location(w(data_home.path()));
        QDir(data_home.path()).mkpath("config");
        QCOMPARE(db_init(), 0);
    }

    void samples_import_as_their_manifest_says() {
        std::ifstream in(HALVIX_SAMPLES_DIR "/basic.manifest.json");
        Json::Value m;
        QVERIFY(Json::parseFromStream(Json::CharReaderBuilder(), in, &m, nullptr));
        std::vector<double> steps;
        const local_import_result r =
            import_local_roots({utf8_to_wide(HALVIX_SAMPLES_DIR "/basic/")}, no_abort,
                               [&](double v) { steps.push_back(v); });
        QCOMPARE(r.total, m["subdirectories"].asInt());
        QCOMPARE(r.inserted_all, m["data_items"].asInt());
        QCOMPARE(r.import_ids.size(), size_t(1));
        QVERIFY(!steps.empty() && std::is_sorted(steps.begin(), steps.end()));

        const import_data_info set = dataset_named(L"basic");
        QCOMPARE(set.id, r.import_ids[0]);
        QCOMPARE(set.sn, std::string("1"));
        QCOMPARE(set.local_root, utf8_to_wide(HALVIX_SAMPLES_DIR "/basic"));
        QCOMPARE(set.app_name, std::string("TarvoOrnApp")); // first item's writer
        const std::vector<data_info> rows = data_list_db_select(set, false, false, false);
        QCOMPARE(int(rows.size()), m["data_items"].asInt());
        for (const Json::Value& item : m["items"]) {
            const auto row = std::find_if(rows.begin(), rows.end(), [&](const data_info& d) {
                return wide_to_utf8(d.dir_name) == item["dir"].asString();
            });
            QVERIFY2(row != rows.end(), item["dir"].asCString());
            // Name, level, frames and filters are compared through halvix-cli.
            QCOMPARE(row->time, item["expected_info"]["time"].asString());
            QCOMPARE(row->valid_type, item["expected_info"]["valid_type"].asInt());
            QCOMPARE(row->dd_start_frame_idx, 0);
        }
    }

    void directories_without_items() {
        QDir(work.path()).mkpath("empty_root");
        QDir(work.path()).mkpath("no_items/a");
        QDir(work.path()).mkpath("no_items/b");
        const local_import_result e = import({"empty_root", "missing"});
        QCOMPARE(e.total, 0);
        QCOMPARE(e.inserted_all, 0);
        std::vector<double> steps;
        const local_import_result n = import({"no_items"}, [&](double v) { steps.push_back(v); });
        QCOMPARE(n.total, 2);
        QCOMPARE(n.processed, 2);
        QCOMPARE(n.inserted_all, 0);
        QVERIFY(steps.empty());
        QVERIFY(dataset_named(L"no_items").id.empty());
        QVERIFY(dataset_named(L"empty_root").id.empty());
    }

    void generated_set_with_unnamed_item_and_plain_folders() {
        sample_set set; // item 10 has no name in its files
        QCOMPARE(generate_sample_set(w(work.filePath("gen")), small_set(11, 2, 480), &set), 0);
        QDir(work.path()).mkpath("gen/zz_not_an_item");
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
            QCOMPARE(row.data_name, it->name.empty() ? it->dir_name : it->name);
            QCOMPARE(row.frame_num, 2);
            const double spl = it->note_has_spl ? it->note_spl : it->frame_spl[0];
            QVERIFY(std::fabs(row.spl - spl) < 0.0006);
        }
    }

    void abort_keeps_rows_already_written() {
        sample_options o = small_set(6);
        o.seed = 5;
        QCOMPARE(generate_sample_set(w(work.filePath("abort_a")), o), 0);
        QCOMPARE(generate_sample_set(w(work.filePath("abort_b")), o), 0);
        std::atomic<uint8_t> abort{0};
        int seen = 0;
        const local_import_result r = import(
            {"abort_a", "abort_b"}, [&](double) { abort.store(++seen >= 3); }, &abort);
        QVERIFY(r.aborted);
        QCOMPARE(r.inserted_all, 3);
        const import_data_info a = dataset_named(L"abort_a");
        QVERIFY(!a.id.empty());
        QCOMPARE(data_list_db_count(a.id), 3);
        QVERIFY(dataset_named(L"abort_b").id.empty());
    }

    void directory_checks() {
        QDir(work.path()).mkpath("fresh");
        const std::wstring taken = w(work.filePath("elsewhere/taken"));
        QCOMPARE(data_import_db_insert(taken, L"taken", "1", make_dataset_id(), "TarvoOrnApp"), 0);
        std::vector<std::wstring> roots;
        std::wstring refused;
        // Accepted ones stay when a later one is refused.
        QList<QUrl> urls = {QUrl::fromLocalFile(work.filePath("fresh") + "/"),
                            QUrl::fromLocalFile(work.filePath("taken")),
                            QUrl::fromLocalFile(work.filePath("other"))};
        QCOMPARE(check_local_dir(urls, roots, &refused), local_dir_check::name_exists);
        QCOMPARE(roots, std::vector<std::wstring>{w(work.filePath("fresh"))});
        QCOMPARE(refused, w(work.filePath("taken")));

        roots.clear();
        // The same name twice in one request.
        QCOMPARE(check_local_dir({QUrl::fromLocalFile(work.filePath("x/dup")),
                                  QUrl::fromLocalFile(work.filePath("y/dup"))},
                                 roots),
                 local_dir_check::name_exists);
        QCOMPARE(roots.size(), size_t(1));
        QCOMPARE(local_root_name(L"/a/b/"), std::wstring(L"b"));
    }

    void worker_reports_progress_and_the_result() {
        QCOMPARE(generate_sample_set(w(work.filePath("worker")), small_set(4)), 0);
        orn_func_obj worker(100, nullptr);
        QSignalSpy progress(&worker, &orn_func_obj::update_import_local_progress);
        QSignalSpy finish(&worker, &orn_func_obj::import_local_data_finish);
        worker.import_local_data({w(work.filePath("worker")), w(work.filePath("nope"))});
        QCOMPARE(progress.size(), 4);
        QCOMPARE(progress.last()[0].toDouble(), 1.0);
        QCOMPARE(finish[0][1].value<std::string>(), std::string("Local data import completed!"));
        worker.import_local_data({w(work.filePath("nope"))});
        QCOMPARE(finish[1][1].value<std::string>(), std::string("No data available for import!"));
    }
};

QTEST_GUILESS_MAIN(tst_local_import)
#include "tst_local_import.moc"

// Import from a camera simulated on 127.0.0.16: two data sets with Chinese
// names checked file by file and row by row and then removed on the camera,
// abort and a cut cable mid-way (nothing removed), refused names and
// requests; the worker's import, clock and firmware tasks.

#include "app/tasks/device_import.h"
#include "app/tasks/orn_func_obj.h"
#include "core/app_config.h"
#include "platform/fs_ops.h"
#include "platform/text.h"
#include "sample_sets.h"
#include "tools/devicesim/device_sim.h"

#include <QtTest>

namespace {
const char* const set_a = "巡检 一号";
const char* const set_b = "变电站 二号";
const char* const shared_dir = "20240318_090000"; // in both sets

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

QByteArray file_bytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

QStringList entries(const QString& dir) {
    return QDir(dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
}

} // namespace

class tst_device_import : public QObject {
    Q_OBJECT
    QTemporaryDir home;     // the program's data folder
    QTemporaryDir pristine; // the camera's data sets as first written
    QTemporaryDir work;
    std::unique_ptr<QTemporaryDir> camera_root;
    std::unique_ptr<device_sim> camera;
    std::atomic<uint8_t> no_abort{0};
    int run = 0;

    // A camera holding fresh copies of both sets.
    void start_camera(device_sim_options o = {}) {
        camera.reset();
        camera_root = std::make_unique<QTemporaryDir>();
        for (const char* s : {set_a, set_b})
            QCOMPARE(platform::fs_copy(pristine.filePath(s).toStdString(),
                                       camera_root->filePath(s).toStdString()),
                     0);
        o.root = camera_root->path().toStdString();
        o.bind = "127.0.0.16";
        o.port = 0;
        o.sn = "HVX40-TEST";
        camera = std::make_unique<device_sim>(o);
        QCOMPARE(camera->start(), 0);
    }

    device_import_request request(bool remove = false) {
        device_import_request r;
        r.address = camera->address();
        r.data_name = QStringLiteral("导入 %1").arg(++run).toStdWString();
        r.sets = {set_a, set_b};
        r.export_root = (work.path() + "/save/").toStdWString();
        r.remove_after = remove;
        return r;
    }

    // The pristine item a stored directory was copied from; the item both
    // sets hold arrives a second time as "<dir>_2", from the second set.
    QString source_of(const QString& dir) const {
        const bool copy = dir == QString(shared_dir) + "_2";
        const QString a = pristine.filePath(set_a + ("/" + dir));
        return !copy && QDir(a).exists()
                   ? a
                   : pristine.filePath(set_b + ("/" + (copy ? shared_dir : dir)));
    }

    // Every item directory holds complete, byte-identical copies of the
    // camera's files, and nothing half-written is left.
    void check_stored_items(const device_import_result& r) {
        const QString target = QString::fromStdWString(r.target_dir);
        const QStringList dirs = entries(target);
        for (const QString& dir : dirs) {
            QVERIFY2(!dir.startsWith('.'), qPrintable(dir));
            const QString source = source_of(dir);
            QCOMPARE(entries(target + "/" + dir), entries(source));
            for (const QString& f : entries(source))
                QVERIFY2(file_bytes(target + "/" + dir + "/" + f) == file_bytes(source + "/" + f),
                         qPrintable(dir + "/" + f));
        }
        QCOMPARE(dirs.size(), r.items_stored);
    }

private slots:
    void initTestCase() {
        register_meta_types();
        QVERIFY(use_data_location(home.path()));
        QCOMPARE(
            platform::fs_copy(HALVIX_SAMPLES_DIR "/basic", pristine.filePath(set_a).toStdString()),
            0);
        QCOMPARE(generate_sample_set(pristine.filePath(set_b).toStdWString(), small_set(5, 2, 960)),
                 0);
        QCOMPARE(
            platform::fs_copy(HALVIX_SAMPLES_DIR "/basic/20240318_090000",
                              pristine.filePath(QString(set_b) + "/" + shared_dir).toStdString()),
            0);
        // The rows a local import writes for the same items, to compare with.
        const local_import_result local = import_local_roots(
            {pristine.filePath(set_a).toStdWString(), pristine.filePath(set_b).toStdWString()},
            no_abort, nullptr);
        QCOMPARE(local.inserted_all, 12);
    }

    void two_sets_with_chinese_names_arrive_file_by_file_and_row_by_row() {
        start_camera();
        std::vector<double> steps;
        const device_import_request req = request(true);
        const device_import_result r =
            import_from_device(req, no_abort, [&](double v) { steps.push_back(v); });
        QCOMPARE(std::make_tuple(r.success, r.items_total, r.items_stored, r.bytes_stored),
                 std::make_tuple(true, 12, 12, r.bytes_total));
        QVERIFY(std::is_sorted(steps.begin(), steps.end()) && steps.back() == 1.0);
        check_stored_items(r);
        QVERIFY(QDir(QString::fromStdWString(r.target_dir) + "/" + shared_dir + "_2").exists());

        const import_data_info set = dataset_named(req.data_name);
        QCOMPARE(std::tie(set.id, set.sn, set.local_root),
                 std::make_tuple(r.import_id, std::string("HVX40-TEST"), r.target_dir));
        const std::vector<data_info> rows = data_list_db_select(set, false, false, false);
        QCOMPARE(rows.size(), size_t(12));
        auto fields = [](const data_info& d) {
            return std::make_tuple(d.data_name, d.data_note, d.time, d.distance, d.data_type, d.fs,
                                   d.spl, d.valid_type, d.frame_num, d.discharge, d.favorite);
        };
        for (const data_info& row : rows) {
            const QFileInfo source(source_of(QString::fromStdWString(row.dir_name)));
            const auto local = data_list_db_select(
                dataset_named(source.dir().dirName().toStdWString()), false, false, false);
            const auto want = std::find_if(local.begin(), local.end(), [&](const data_info& l) {
                return l.dir_name == source.fileName().toStdWString();
            });
            QVERIFY2(want != local.end() && fields(row) == fields(*want),
                     qPrintable(source.filePath()));
        }
        // Removed on the camera only now that every file is stored and registered.
        QCOMPARE(std::make_tuple(r.removal_requested, r.removal_result, r.sets_removed),
                 std::make_tuple(true, 0, 2));
        QVERIFY(entries(camera_root->path()).isEmpty());
    }

    // Stopped by the user, or by a cable pulled mid-file: finished items
    // stay and are registered, the item in transfer leaves nothing, and the
    // camera keeps everything although removal was asked for.
    void interrupted_transfers_data() {
        QTest::addColumn<bool>("abort");
        QTest::newRow("abort mid-transfer") << true;
        QTest::newRow("cut by the camera") << false;
    }

    void interrupted_transfers() {
        QFETCH(bool, abort);
        device_sim_options o;
        if (!abort) {
            // Late enough that whole items are in, early enough that some are not.
            int64_t total = 0;
            for (QDirIterator it(pristine.path(), QDir::Files, QDirIterator::Subdirectories);
                 it.hasNext();)
                total += QFileInfo(it.next()).size();
            o.cut_after_bytes = total - 300000;
        }
        start_camera(o);
        std::atomic<uint8_t> stop{0};
        const device_import_request req = request(true);
        const QString target = QString::fromStdWString(req.export_root + req.data_name);
        const device_import_result r = import_from_device(req, stop, [&](double) {
            // Once two items are in place.
            if (abort && QDir(target).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size() >= 2)
                stop = 1;
        });
        QCOMPARE(std::make_tuple(r.success, r.aborted, r.failure),
                 std::make_tuple(false, abort,
                                 abort ? device_import_failure::none
                                       : device_import_failure::transfer_failed));
        QVERIFY2(r.items_stored > 0 && r.items_stored < r.items_total,
                 qPrintable(QString::number(r.items_stored)));
        check_stored_items(r);
        const import_data_info set = dataset_named(req.data_name);
        QCOMPARE(std::make_tuple(set.id, data_list_db_count(set.id), r.removal_requested),
                 std::make_tuple(r.import_id, r.items_stored, false));
        QCOMPARE(std::make_pair(entries(camera_root->path()),
                                entries(camera_root->filePath(set_a)).size()),
                 std::make_pair(QStringList{set_b, set_a}, 6));
    }

    void refused_requests_data() {
        QTest::addColumn<QString>("data_name"); // empty: no data save directory
        QTest::addColumn<QStringList>("sets");
        QTest::addColumn<int>("failure");
        auto row = [](const char* tag, const char* name, device_import_failure f,
                      const QStringList& sets = {set_a, set_b}) {
            QTest::newRow(tag) << QString(name) << sets << int(f);
        };
        row("no data save directory", "", device_import_failure::no_save_directory);
        row("slash in the name", "a/b", device_import_failure::bad_name);
        row("name ..", "..", device_import_failure::bad_name);
        row("set name with a parent step", "x2", device_import_failure::bad_set_name, {"../etc"});
        row("set the camera does not have", "x3", device_import_failure::manifest_failed,
            {"missing"});
        row("directory exists", "taken", device_import_failure::exists);
    }

    void refused_requests() {
        QFETCH(QString, data_name);
        QFETCH(QStringList, sets);
        QFETCH(int, failure);
        start_camera();
        QDir(work.path()).mkpath("save/taken");
        device_import_request req = request();
        if (data_name.isEmpty())
            req.export_root.clear();
        else
            req.data_name = data_name.toStdWString();
        req.sets.clear();
        for (const QString& s : sets)
            req.sets.push_back(s.toStdString());
        const QStringList before = entries(work.path() + "/save");
        const device_import_result r = import_from_device(req, no_abort, nullptr);
        QCOMPARE(std::make_tuple(r.success, int(r.failure), r.items_stored),
                 std::make_tuple(false, failure, 0));
        QCOMPARE(entries(work.path() + "/save"), before);
        QCOMPARE(camera->file_bytes_served(), int64_t(0));
    }

    void items_named_unsafely_by_the_camera_are_refused() {
        start_camera();
        QDir(camera_root->path()).mkpath(QString(set_a) + "/x:y");
        QFile f(camera_root->path() + "/" + set_a + "/x:y/Data.dat");
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write("x") == 1);
        f.close();
        const device_import_result r = import_from_device(request(true), no_abort, nullptr);
        QCOMPARE(std::make_tuple(r.success, r.items_refused, r.items_stored, r.items_registered,
                                 r.removal_requested),
                 std::make_tuple(false, 1, 12, 12, false));
    }

    // One finish each; a second import of the same name fails with a reason.
    void worker_import_ends_with_one_finish() {
        start_camera();
        orn_func_obj worker;
        QSignalSpy finish(&worker, &orn_func_obj::import_data_finish);
        app_cfg.export_root = (work.path() + "/save").toStdWString();
        app_cfg.export_remove_device_data = false;
        for (int i = 0; i < 2; ++i)
            worker.import_device_data(camera->address(), "工作 数据", {set_a});
        QCOMPARE(finish.count(), 2);
        QVERIFY(finish[0][0].toBool() && !finish[1][0].toBool());
        QVERIFY(qs(finish[0][1].value<std::string>()).contains("6")); // items stored
        QVERIFY(qs(finish[1][1].value<std::string>()).contains("工作 数据"));
        QCOMPARE(entries(camera_root->path() + "/" + set_a).size(), 6); // nothing to remove asked
    }

    void clock_sync_moves_the_camera_clock() {
        device_sim_options o;
        o.start_time = "2019-05-06 07:08:09";
        start_camera(o);
        orn_func_obj worker;
        QSignalSpy finish(&worker, &orn_func_obj::sync_time_finish);
        search_device_info d, gone;
        d.ip = camera->address();
        gone.ip = "127.0.0.16:1";
        worker.sync_time({d});
        QVERIFY(qAbs(camera->clock_offset_ms()) < 2000);
        worker.sync_time({d, gone}); // one finish each, the second naming the one it missed
        QCOMPARE(finish.count(), 2);
        QVERIFY(finish[0][0].toBool() && !finish[1][0].toBool());
        QVERIFY(qs(finish[1][1].value<std::string>()).contains("127.0.0.16:1"));
    }

    // An accepted upload is followed through the window; a refused one
    // still ends with progress 1 and exactly one message.
    void refused_firmware_gives_one_failure() {
        start_camera();
        const QString path = work.path() + "/firmware.dat";
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                f.write(QByteArray(5000, 'x')));
        f.close();
        orn_func_obj worker;
        QSignalSpy progress(&worker, &orn_func_obj::update_device_progress);
        QSignalSpy finish(&worker, &orn_func_obj::update_device_finish);
        search_device_info d;
        d.ip = camera->address();
        worker.update_device(d, path.toStdString());
        QCOMPARE(finish.count(), 1);
        QVERIFY(!finish[0][0].toBool() && progress.last().at(0).toDouble() == 1.0);
        QCOMPARE(camera->version(), std::string("V1.0.0"));
    }
};

QTEST_GUILESS_MAIN(tst_device_import)
#include "tst_device_import.moc"

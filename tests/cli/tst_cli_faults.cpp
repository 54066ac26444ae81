// halvix-cli under faults, as a separate process: bad configuration files,
// FIFOs in a data set, a damaged or locked database, a full disk, control
// characters and names that are not UTF-8 in its output, and imports killed
// at random points.

#include "cli_run.h"
#include "full_disk.h"
#include "sample_sets.h"

#include <sqlite3.h>

#include <sys/stat.h>

#include <random>

namespace {
bool write_file(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}
} // namespace

class tst_cli_faults : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> home;

    QString data_dir() const { return home->path() + "/xdg/Halvix"; }
    QString db_file() const { return data_dir() + "/config/config.db"; }

    cli_result cli(const QStringList& args, int timeout_ms = 60000) const {
        return run_cli(home->path(), args, timeout_ms);
    }
    // Arguments written by the shell, so that they can hold bytes that are
    // no UTF-8 (printf '\351'); the working directory is home.
    cli_result cli_shell(const QString& args) const {
        QProcess p;
        p.setProcessEnvironment(cli_env(home->path()));
        p.setWorkingDirectory(home->path());
        p.start("/bin/sh", {"-c", "exec \"$0\" " + args, HALVIX_CLI_PATH});
        return cli_finish(p, 60000);
    }

private Q_SLOTS:
    void init() {
        home = std::make_unique<QTemporaryDir>();
        QVERIFY(home->isValid());
    }

    void bad_configuration_does_not_stop_the_cli_data() {
        QTest::addColumn<QByteArray>("text"); // empty: config.json is a directory
        QTest::newRow("directory") << QByteArray();
        QTest::newRow("nested 5000 deep") << QByteArray(5000, '[') + QByteArray(5000, ']');
    }
    void bad_configuration_does_not_stop_the_cli() {
        QFETCH(QByteArray, text);
        const QString path = data_dir() + "/config/config.json";
        QVERIFY(QDir().mkpath(text.isEmpty() ? path : data_dir() + "/config"));
        if (!text.isEmpty())
            QVERIFY(write_file(path, text));
        QCOMPARE(cli({"datasets"}).code, 0);
        QFile log(data_dir() + "/log/Halvix.txt");
        QVERIFY(log.open(QIODevice::ReadOnly) && log.readAll().contains("read_config err:"));
    }

    void fifos_hold_neither_import_nor_info() {
        const QString root = home->filePath("fifos");
        QVERIFY(make_set(root, 4));
        const QStringList items = QDir(root).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        QCOMPARE(items.size(), 4);
        const char* files[] = {"Data.dat", "note.json", "data_edit.json"};
        for (int i = 0; i < 3; ++i) {
            const QString f = root + "/" + items[i] + "/" + files[i];
            QFile::remove(f);
            QCOMPARE(::mkfifo(QFile::encodeName(f).constData(), 0600), 0);
        }
        QCOMPARE(cli({"import", root}, 30000).code, 0);
        const cli_result r = cli({"info", root + "/" + items[0]}, 30000);
        QVERIFY(r.code == 1 && r.err.contains("Data.dat"));
        QCOMPARE(cli({"info", root + "/" + items[1]}, 30000).code, 0);
    }

    void damaged_database_fails_items_and_datasets() {
        QVERIFY(make_set(home->filePath("set"), 2));
        QCOMPARE(cli({"import", home->filePath("set")}).code, 0);
        // data_import's table is the database's second page: overwrite it.
        QFile db(db_file());
        QVERIFY(db.open(QIODevice::ReadWrite) && db.seek(4096));
        QCOMPARE(db.write(QByteArray(4096, '\xa5')), qint64(4096));
        db.close();
        for (const QStringList& args : {QStringList{"datasets"},
                                        {"datasets", "--json"},
                                        {"items", "set"},
                                        {"items", "--search", ""}}) {
            const cli_result r = cli(args);
            QVERIFY2(r.code != 0 && r.code > -2, qPrintable(args.join(' ')));
            QVERIFY2(r.err.contains("database"), qPrintable(r.err));
        }
    }

    void locked_database_gives_a_clear_message() {
        QCOMPARE(cli({"datasets"}).code, 0);
        sqlite3* other = nullptr;
        QCOMPARE(sqlite3_open(QFile::encodeName(db_file()).constData(), &other), SQLITE_OK);
        QCOMPARE(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
        const cli_result r = cli({"datasets"}, 90000);
        sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr);
        sqlite3_close(other);
        QVERIFY2(r.code > 0 && r.err.contains("locked"), qPrintable(r.err));
    }

    void full_disk_import_says_why() {
        full_disk disk(home->filePath("xdg"));
        QVERIFY(make_set(home->filePath("big"), 40, 4000));
        QCOMPARE(cli({"datasets"}).code, 0); // the database exists
        QVERIFY(disk.fill(24 * 1024));
        const cli_result r = cli({"import", home->filePath("big")});
        disk.release();
        QVERIFY2(r.code > 0 && r.err.contains("disk is full"),
                 qPrintable(QString("%1 %2 / %3").arg(r.code).arg(r.err, disk.name())));
        QCOMPARE(cli({"datasets", "--json"}).out.trimmed(), QByteArray("[]"));
    }

    void text_output_escapes_control_characters_and_odd_bytes() {
        const QString root = home->filePath("set");
        QVERIFY(make_set(root, 3)); // the third item is a gas leak, for the survey
        const QStringList dirs = QDir(root).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        const QString item = root + "/" + dirs[0];
        for (const QString& d : dirs)
            QVERIFY(write_file(
                root + "/" + d + "/note.json",
                "{\"name\":\"n\\u001b]0;owned\\u0007\",\"note\":\"a\\u001b[31mred\\u009b\"}"));
        // A data set directory named in Latin-1, given as bytes.
        const QByteArray odd = QFile::encodeName(home->path()) + "/caf\xe9";
        QCOMPARE(::rename(QFile::encodeName(root).constData(), odd.constData()), 0);
        QCOMPARE(cli_shell("import \"$(printf 'caf\\351')\"").code, 0);

        for (const QStringList& args :
             {QStringList{"datasets"}, {"items", "caf\uFFFD"}, {"items", "--search", ""}}) {
            const cli_result r = cli(args);
            QCOMPARE(r.code, 0);
            QVERIFY2(!r.out.contains('\x1b') && !r.out.contains('\x07') &&
                         !r.out.contains("\xc2\x9b"),
                     r.out.constData());
            QVERIFY2(r.out.contains("caf\xef\xbf\xbd"), r.out.constData()); // U+FFFD
        }
        const cli_result info =
            cli_shell("info \"$(printf 'caf\\351')\"/" + QFileInfo(item).fileName());
        QCOMPARE(info.code, 0);
        QVERIFY(!info.out.contains('\x1b') && info.out.contains("\\x1b"));
        const cli_result survey = cli({"survey", "caf\uFFFD"});
        QCOMPARE(survey.code, 0);
        QVERIFY2(!survey.out.contains('\x1b') && survey.out.contains("\\x1b"),
                 survey.out.constData());
        for (const QStringList& args : {QStringList{"items", "caf\uFFFD", "--json"},
                                        QStringList{"survey", "caf\uFFFD", "--json"}}) {
            const cli_result json = cli(args);
            QCOMPARE(json.code, 0);
            QCOMPARE(QString::fromUtf8(json.out).toUtf8(), json.out); // valid UTF-8
        }
    }

    void killed_imports_leave_whole_sets_or_none() {
        const uint32_t seed = std::random_device{}();
        qInfo("kill points from seed %u", seed);
        std::mt19937 rng(seed);
        QCOMPARE(cli({"datasets"}).code, 0);
        const int rounds = 12;
        for (int i = 0; i < rounds; ++i) {
            const QString root = home->filePath(QString("set%1").arg(i));
            QVERIFY(make_set(root, 150));
            QProcess p;
            p.setProcessEnvironment(cli_env(home->path()));
            p.start(HALVIX_CLI_PATH, {"import", root});
            QVERIFY(p.waitForStarted());
            QThread::msleep(std::uniform_int_distribution<int>(0, 160)(rng));
            p.kill();
            p.waitForFinished();
        }
        // Opened for writing, as the program opens it: a journal left by the
        // last killed import is rolled back first.
        sqlite3* db = nullptr;
        QCOMPARE(sqlite3_open_v2(QFile::encodeName(db_file()).constData(), &db,
                                 SQLITE_OPEN_READWRITE, nullptr),
                 SQLITE_OK);
        auto text = [db](const char* sql) {
            sqlite3_stmt* st = nullptr;
            QString out;
            if (sqlite3_prepare_v2(db, sql, -1, &st, nullptr) == SQLITE_OK)
                while (sqlite3_step(st) == SQLITE_ROW)
                    out += QString::fromUtf8(
                               reinterpret_cast<const char*>(sqlite3_column_text(st, 0))) +
                           "\n";
            sqlite3_finalize(st);
            return out;
        };
        QCOMPARE(text("pragma integrity_check"), QString("ok\n"));
        // Every registered set holds all 150 of its items; no item lacks its set.
        QCOMPARE(text("select count(*) from data_list where data_import_id not in "
                      "(select id from data_import)"),
                 QString("0\n"));
        const QStringList counts =
            text("select count(l.data_import_id) from data_import i left join data_list l on "
                 "l.data_import_id = i.id group by i.id")
                .split('\n', Qt::SkipEmptyParts);
        for (const QString& c : counts)
            QCOMPARE(c, QString("150"));
        qInfo("%d of %d killed imports had registered their set", int(counts.size()), rounds);
        sqlite3_close(db);
    }
};

QTEST_GUILESS_MAIN(tst_cli_faults)
#include "tst_cli_faults.moc"

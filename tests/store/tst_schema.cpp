// Schema creation and migration of config.db, and files that are no usable database.

#include "store/database.h"
#include "store_fixture.h"

#include <QtTest>

namespace {
// data_list as older versions created it: 11 columns, then 12 with frame_num.
const std::string list_11 =
    "CREATE TABLE data_list([data_import_id] text not null,[dir_name] text not null,[data_name] "
    "text not null,[data_note] text not null,[distance] real not null,[time] text not "
    "null,[data_type] int not null,[fs] int not null,[dd_start_frame_idx] int not null,[spl] real "
    "not null,[valid_type] int not null);";
const std::string list_12 = list_11.substr(0, list_11.size() - 2) + ",[frame_num] int not null);";
const char* const import_5 = "CREATE TABLE data_import([id] text not null,[time] text not "
                             "null,[local_root] text not null,[name] text not null,[sn] text "
                             "not null);";

sql_table query(const std::string& statement) {
    sql_table rows;
    sql_run(db_path(), statement, &rows);
    return rows;
}

} // namespace

class tst_schema : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Every older layout ends in the current one at once, not only at the next
    // start, and a second start changes nothing.
    void layouts_data() {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<int>("items");        // kept, with discharge and favorite 0
        QTest::addColumn<QString>("app_name"); // of the one kept data set; empty: none
        QTest::newRow("new file") << QString() << 0 << QString();
        QTest::newRow("12-column list gains discharge and favorite")
            << QString::fromStdString(list_12) +
                   "INSERT INTO data_list VALUES ('ds','a','n1','',1,'2024-01-01 00:00:01',0,"
                   "48000,0,50,1,10),('ds','b','n2','',1,'2024-01-01 00:00:02',0,48000,0,60,0,10);"
            << 2 << QString();
        QTest::newRow("11-column list drops both tables")
            << QString::fromStdString(list_11) + import_5 +
                   "INSERT INTO data_list VALUES ('ds','a','n','',1,'t',0,1,0,50,1);"
                   "INSERT INTO data_import VALUES ('ds','t','/r','n','1');"
            << 0 << QString();
        QTest::newRow("data_import gains app_name for old rows")
            << QString(import_5) + "INSERT INTO data_import VALUES ('1_5_5','2023-05-05 "
                                   "10:00:00.000','/old','old','SN9');"
            << 0 << "TarvoOrnApp";
    }
    void layouts() {
        QFETCH(QString, setup);
        QFETCH(int, items);
        QFETCH(QString, app_name);
        store_fixture fx;
        if (!setup.isNull())
            QCOMPARE(sql_run(db_path(), setup.toStdString()), 0);
        import_data_info ds;
        ds.id = "ds";
        for (int start = 0; start < 2; ++start) {
            QCOMPARE(db_init(), 0);
            // Columns of both tables, the index, the kept items (with both flags 0).
            QCOMPARE(
                QVector<size_t>(
                    {query("PRAGMA table_info(data_import)").size(),
                     query("PRAGMA table_info(data_list)").size(),
                     query("select name from sqlite_master where type='index' and "
                           "tbl_name='data_list'")
                         .size(),
                     query("select * from data_list where discharge = 0 and favorite = 0").size(),
                     data_list_db_select(ds, false, false, false).size()}),
                QVector<size_t>({6, 14, 1, size_t(items), size_t(items)}));
            const auto all = data_import_db_select_all();
            QCOMPARE(all.size(), size_t(!app_name.isEmpty()));
            if (!all.empty()) {
                QCOMPARE(all[0].app_name, app_name.toStdString());
                QCOMPARE(all[0].sn, std::string("SN9"));
            }
        }
    }

    void garbage_file_is_logged_and_left_intact() {
        store_fixture fx;
        const QString db = fx.path("config/config.db");
        const QByteArray garbage =
            QByteArray("this is not a database file, keep me ").repeated(200);
        QVERIFY(write_bytes(db, garbage));
        QVERIFY(db_init() != 0);
        QVERIFY(data_import_db_insert(L"/r", L"n", "1", make_dataset_id(), "TarvoOrnApp") != 0);
        QVERIFY(data_import_db_select_all().empty());
        QCOMPARE(data_list_db_count("x"), 0);
        sqlite3* h = db_open();
        QVERIFY(h);
        QVERIFY(db_begin(h) != 0);
        db_close(h);
        QCOMPARE(read_bytes(db), garbage);
        QVERIFY(fx.log_text().contains("sql_exec: errno:26 "));
    }

    void missing_config_directory_fails_open_and_logs() {
        store_fixture fx;
        QDir(fx.path("config")).removeRecursively();
        QVERIFY(db_init() != 0);
        QVERIFY(db_open() == nullptr);
        QVERIFY(fx.log_text().contains("sql_open:" + fx.path("config/config.db") + " "));
    }

    void read_only_database_keeps_its_rows() {
        store_fixture fx;
        QCOMPARE(db_init(), 0);
        QCOMPARE(data_import_db_insert(L"/r", L"kept", "1", "1_2_3", "TarvoOrnApp"), 0);
        const QString db = fx.path("config/config.db");
        QFile::setPermissions(db, QFile::ReadOwner | QFile::ReadUser);
        {
            QFile probe(db);
            if (probe.open(QIODevice::ReadWrite)) {
                QFile::setPermissions(db, QFile::ReadOwner | QFile::WriteOwner);
                QSKIP("running with rights that ignore file permissions");
            }
        }
        const QByteArray before = read_bytes(db);
        db_init();
        QVERIFY(data_import_db_insert(L"/r", L"new", "1", "1_2_4", "TarvoOrnApp") != 0);
        const auto all = data_import_db_select_all();
        QCOMPARE(all.size(), size_t(1));
        QCOMPARE(all[0].name, std::wstring(L"kept"));
        QCOMPARE(read_bytes(db), before);
        QFile::setPermissions(db, QFile::ReadOwner | QFile::WriteOwner);
    }
};

QTEST_GUILESS_MAIN(tst_schema)
#include "tst_schema.moc"

// Schema creation and migration of config.db, and files that are no usable database.

#include "store/database.h"
#include "store_fixture.h"

#include <QtTest>

namespace {
const char* const list_12 =
    "CREATE TABLE data_list([data_import_id] text not null,[dir_name] text not null,[data_name] "
    "text not null,[data_note] text not null,[distance] real not null,[time] text not "
    "null,[data_type] int not null,[fs] int not null,[dd_start_frame_idx] int not null,[spl] real "
    "not null,[valid_type] int not null,[frame_num] int not null);";
const char* const list_11 =
    "CREATE TABLE data_list([data_import_id] text not null,[dir_name] text not null,[data_name] "
    "text not null,[data_note] text not null,[distance] real not null,[time] text not "
    "null,[data_type] int not null,[fs] int not null,[dd_start_frame_idx] int not null,[spl] real "
    "not null,[valid_type] int not null);";
const char* const import_5 = "CREATE TABLE data_import([id] text not null,[time] text not "
                             "null,[local_root] text not null,[name] text not null,[sn] text "
                             "not null);";

int column_count(const char* table) {
    sql_table rows;
    sql_run(db_path(), std::string("PRAGMA table_info(") + table + ")", &rows);
    return static_cast<int>(rows.size());
}

sql_table query(const std::string& statement) {
    sql_table rows;
    sql_run(db_path(), statement, &rows);
    return rows;
}

QByteArray read_all(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}
} // namespace

class tst_schema : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void fresh_database_gets_both_tables_and_repeat_is_harmless() {
        store_fixture fx;
        QCOMPARE(db_init(), 0);
        QVERIFY(QFile::exists(fx.path("config/config.db")));
        QCOMPARE(column_count("data_import"), 6);
        QCOMPARE(column_count("data_list"), 14);
        QCOMPARE(query("select name from sqlite_master where type='index' and "
                       "tbl_name='data_list'")
                     .size(),
                 size_t(1));
        QCOMPARE(data_import_db_insert(L"/d/set", L"set", "1", "1_1_1", "TarvoOrnApp"), 0);
        QCOMPARE(db_init(), 0);
        QCOMPARE(data_import_db_select_all().size(), size_t(1));
    }

    void twelve_column_list_gains_discharge_and_favorite() {
        store_fixture fx;
        QCOMPARE(sql_run(db_path(), list_12), 0);
        QCOMPARE(sql_run(db_path(), "INSERT INTO data_list VALUES ('ds','a','n1','',1,'2024-01-01 "
                                    "00:00:01',0,48000,0,50,1,10),('ds','b','n2','',1,'2024-01-01 "
                                    "00:00:02',0,48000,0,60,0,10);"),
                 0);
        QCOMPARE(db_init(), 0);
        QCOMPARE(column_count("data_list"), 14);
        const sql_table rows = query("select discharge, favorite from data_list");
        QCOMPARE(rows.size(), size_t(2));
        for (const auto& r : rows)
            QCOMPARE(r, (std::vector<std::string>{"0", "0"}));
        import_data_info ds;
        ds.id = "ds";
        QCOMPARE(data_list_db_select(ds, false, false, false).size(), size_t(2));
        QCOMPARE(data_list_db_select(ds, false, false, true).size(), size_t(0));
        QCOMPARE(data_list_db_select_discharge(ds, true, false, false, false, false, false).size(),
                 size_t(2));
    }

    void eleven_column_list_drops_both_tables_and_starts_empty() {
        store_fixture fx;
        QCOMPARE(sql_run(db_path(), list_11), 0);
        QCOMPARE(sql_run(db_path(), import_5), 0);
        QCOMPARE(sql_run(db_path(),
                         "INSERT INTO data_list VALUES ('ds','a','n','',1,'t',0,1,0,"
                         "50,1);INSERT INTO data_import VALUES ('ds','t','/r','n','1');"),
                 0);
        QCOMPARE(db_init(), 0);
        // Recreated at once in the current layout, not only at the next start.
        QCOMPARE(column_count("data_list"), 14);
        QCOMPARE(column_count("data_import"), 6);
        QVERIFY(data_import_db_select_all().empty());
        QCOMPARE(query("select * from data_list").size(), size_t(0));
    }

    void data_import_without_app_name_gains_it_for_old_rows() {
        store_fixture fx;
        QCOMPARE(sql_run(db_path(), import_5), 0);
        QCOMPARE(sql_run(db_path(), "INSERT INTO data_import VALUES ('1_5_5','2023-05-05 "
                                    "10:00:00.000','/old','old','SN9');"),
                 0);
        QCOMPARE(db_init(), 0);
        QCOMPARE(column_count("data_import"), 6);
        const auto all = data_import_db_select_all();
        QCOMPARE(all.size(), size_t(1));
        QCOMPARE(all[0].app_name, std::string("TarvoOrnApp"));
        QCOMPARE(all[0].sn, std::string("SN9"));
        QCOMPARE(column_count("data_list"), 14);
    }

    void garbage_file_is_logged_and_left_intact() {
        store_fixture fx;
        const QString db = fx.path("config/config.db");
        QByteArray garbage;
        for (int i = 0; i < 200; ++i)
            garbage += "this is not a database file, keep me ";
        {
            QFile f(db);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(garbage);
        }
        QVERIFY(db_init() != 0);
        QVERIFY(data_import_db_insert(L"/r", L"n", "1", make_dataset_id(), "TarvoOrnApp") != 0);
        QVERIFY(data_import_db_select_all().empty());
        QCOMPARE(data_list_db_count("x"), 0);
        sqlite3* h = db_open();
        QVERIFY(h);
        QVERIFY(db_begin(h) != 0);
        db_close(h);
        QCOMPARE(read_all(db), garbage);
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
        const QByteArray before = read_all(db);
        db_init();
        QVERIFY(data_import_db_insert(L"/r", L"new", "1", "1_2_4", "TarvoOrnApp") != 0);
        const auto all = data_import_db_select_all();
        QCOMPARE(all.size(), size_t(1));
        QCOMPARE(all[0].name, std::wstring(L"kept"));
        QCOMPARE(read_all(db), before);
        QFile::setPermissions(db, QFile::ReadOwner | QFile::WriteOwner);
    }
};

QTEST_GUILESS_MAIN(tst_schema)
#include "tst_schema.moc"

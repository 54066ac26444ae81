// config.db: data set and item operations (writes, filters, searches,
// identifiers, concurrent writers), schema creation and migration, and files
// that are no usable database. The schema cases set up a data folder of
// their own.

#include "platform/text.h"
#include "store/database.h"
#include "store_fixture.h"

#include <QtTest>

#include <regex>
#include <set>
#include <sstream>
#include <thread>

namespace {
// Distance and SPL carry more decimals than are stored (two and three).
data_list_insert_row item(const std::string& ds, const std::string& name, int second, int valid,
                          int favorite, int discharge, const std::string& note = {}) {
    const std::string s = std::to_string(second);
    return {ds,      "d" + s, name, note,      2.456,   "2024-01-01 00:00:0" + s, 1, 48000, 3,
            61.2504, valid,   40,   discharge, favorite};
}

// What a selected item shows of its row.
QString row_text(const data_info& d) {
    std::wostringstream o;
    o << d.data_dir << '|' << d.dir_name << '|' << d.data_name << '|' << utf8_to_wide(d.time) << '|'
      << d.distance << '|' << d.spl << '|' << d.fs << '|' << d.valid_type << '|' << d.frame_num
      << '|' << d.dd_start_frame_idx << '|' << d.favorite;
    return QString::fromStdWString(o.str());
}

int insert_all(const std::vector<data_list_insert_row>& rows) {
    sqlite3* h = db_open();
    if (!h)
        return -1;
    int rc = db_begin(h);
    for (const auto& r : rows)
        rc = rc ? rc : data_list_db_insert(h, r);
    rc = rc ? rc : db_commit(h);
    db_close(h);
    return rc;
}

// The last digit of each item's time: "4321" for newest first.
QString seconds(const std::vector<data_info>& items) {
    QString out;
    for (const auto& d : items)
        out += QChar(d.time.back());
    return out;
}

import_data_info dataset(const std::string& id, const std::wstring& root) {
    return {id, root, {}, {}, {}, {}};
}

// A data set record without its time.
QString set_text(const import_data_info& d) {
    return QString::fromStdWString(utf8_to_wide(d.id) + L"|" + d.local_root + L"|" + d.name + L"|" +
                                   utf8_to_wide(d.sn + "|" + d.app_name));
}

// Filter flags of a row of filters_data().
enum : int { N = 1, C = 2, F = 4, L0 = 8, L1 = 16, L2 = 32, L3 = 64, L4 = 128, LEVELS = 256 };
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

class tst_database : public QObject {
    Q_OBJECT
    std::unique_ptr<store_fixture> fx;

    // Data set A (registered): four items with every filter column varied;
    // B (not registered): one item.
    void fill_filter_data() {
        QCOMPARE(data_import_db_insert(L"/data/A", L"A", "1", "A", "TarvoOrnApp"), 0);
        QCOMPARE(
            insert_all({item("A", "O'Brien's pump", 1, 0, 0, 0), item("A", "50% valve", 2, 1, 1, 2),
                        item("A", "500 valve", 3, 0, 1, 4, "a_b"), item("A", "four", 4, 2, 0, 1),
                        item("B", "压缩机泄漏", 5, 0, 1, 0, "备注")}),
            0);
    }

private Q_SLOTS:
    void init() {
        fx = std::make_unique<store_fixture>();
        QCOMPARE(db_init(), 0);
    }
    void cleanup() { fx.reset(); }

    void filters_data() {
        QTest::addColumn<QString>("search"); // null: the items of data set A
        QTest::addColumn<int>("flags");
        QTest::addColumn<QString>("expected");
        QTest::newRow("A: all") << QString() << 0 << "4321";
        QTest::newRow("A: favorite") << QString() << int(F) << "32";
        QTest::newRow("A: normal") << QString() << int(N) << "31";
        QTest::newRow("A: check") << QString() << int(C) << "2";
        QTest::newRow("A: any of three") << QString() << (N | C | F) << "321";
        QTest::newRow("A: all levels") << QString() << int(LEVELS) << "4321";
        QTest::newRow("A: levels 1, 4") << QString() << (LEVELS | L1 | L4) << "43";
        QTest::newRow("A: level 0, favorite") << QString() << (LEVELS | L0 | F) << "321";
        QTest::newRow("A: levels 2, 3") << QString() << (LEVELS | L2 | L3) << "2";
        QTest::newRow("all sets") << "" << 0 << "54321";
        QTest::newRow("all sets: all levels") << "" << int(LEVELS) << "54321";
        QTest::newRow("quote") << "'Brien" << 0 << "1";
        QTest::newRow("percent is no wildcard") << "50%" << 0 << "2";
        QTest::newRow("underscore matches itself only") << "0_v" << 0 << "";
        QTest::newRow("chinese name") << "泄漏" << 0 << "5";
        QTest::newRow("chinese note") << "备注" << 0 << "5";
        QTest::newRow("text and check") << "valve" << int(C) << "2";
        QTest::newRow("normal or favorite") << "" << (N | F) << "5321";
        QTest::newRow("levels 1, 3") << "" << (LEVELS | L1 | L3) << "4";
        QTest::newRow("levels 0, 2, favorite") << "" << (LEVELS | L0 | L2 | F) << "5321";
    }
    void filters() {
        QFETCH(QString, search);
        QFETCH(int, flags);
        QFETCH(QString, expected);
        fill_filter_data();
        const bool n = flags & N, c = flags & C, f = flags & F;
        const bool l[5] = {bool(flags & L0), bool(flags & L1), bool(flags & L2), bool(flags & L3),
                           bool(flags & L4)};
        const auto a = dataset("A", L"/data/A");
        const std::wstring text = search.toStdWString();
        std::vector<data_info> got;
        if (search.isNull() && flags & LEVELS)
            got = data_list_db_select_discharge(a, l[0], l[1], l[2], l[3], l[4], f);
        else if (search.isNull())
            got = data_list_db_select(a, n, c, f);
        else if (flags & LEVELS)
            got = data_list_db_search_discharge(text, l[0], l[1], l[2], l[3], l[4], f);
        else
            got = data_list_db_search(text, n, c, f);
        QCOMPARE(seconds(got), expected);
    }

    void item_fields_and_hostile_values() {
        fill_filter_data();
        const auto all = data_list_db_search(L"", false, false, false);
        QCOMPARE(all[0].data_dir, std::wstring()); // its data set is not registered
        // Shown flags come from the item files, not the row.
        QCOMPARE(row_text(all[1]), QString("/data/A/d4|d4|four|2024-01-01 00:00:04|2.46|61.25|"
                                           "48000|2|40|3|0"));
        QCOMPARE(all[0].data_note, std::wstring(L"备注"));
        const auto moved = data_list_db_select(dataset("A", L"/moved"), false, false, false);
        QCOMPARE(moved[0].data_dir, std::wstring(L"/moved/d4"));
        QVERIFY(data_list_db_select(dataset("none", L"/x"), false, false, false).empty());

        const std::string evil = "x'); DROP TABLE data_list; --";
        const std::string note(100000, 'n'); // far beyond any fixed statement buffer
        QCOMPARE(insert_all({item("E", evil, 1, 0, 0, 0, note)}), 0);
        QCOMPARE(data_import_db_insert(L"/r'oot", L"it's", "s'n", "E", "app'"), 0);
        const auto items = data_list_db_select(dataset("E", L"/r"), false, false, false);
        QCOMPARE(items.size(), size_t(1));
        QCOMPARE(items[0].data_name, utf8_to_wide(evil));
        QCOMPARE(items[0].data_note.size(), note.size());
        QVERIFY(data_list_db_name_exists("E", utf8_to_wide(evil)));
        QVERIFY(!data_list_db_name_exists("E", L"x"));
        QVERIFY(data_import_db_name_exists(L"it's"));
        QCOMPARE(set_text(data_import_db_select_by_id("E")), QString("E|/r'oot|it's|s'n|"));
        QCOMPARE(data_list_db_search(utf8_to_wide(evil), false, false, false).size(), size_t(1));
    }

    void dataset_insert_rename_delete() {
        QCOMPARE(data_import_db_insert(L"/data/first", L"first", "1", "1_1_1", "TarvoOrnApp"), 0);
        // Registration times have millisecond resolution: make the order certain.
        QThread::msleep(3);
        QCOMPARE(data_import_db_insert(L"/data/第二", L"第二", "", "1_1_2", "TarvoSableApp"), 0);
        auto all = data_import_db_select_all();
        QCOMPARE(all.size(), size_t(2));
        QCOMPARE(set_text(all[0]), QString("1_1_2|/data/第二|第二||TarvoSableApp")); // newest first
        QVERIFY(
            std::regex_match(all[0].time, std::regex(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3})")));
        QVERIFY(all[1].time <= all[0].time);

        import_data_info renamed = all[1];
        renamed.name = L"renamed";
        renamed.local_root = L"/data/renamed";
        QCOMPARE(data_import_db_rename(renamed), 0);
        // The lookup by id leaves the writer out.
        QCOMPARE(set_text(data_import_db_select_by_id("1_1_1")),
                 QString("1_1_1|/data/renamed|renamed|1|"));
        QCOMPARE(data_import_db_select_by_id("1_1_2").name, std::wstring(L"第二"));
        QVERIFY(data_import_db_name_exists(L"renamed"));
        QVERIFY(!data_import_db_name_exists(L"first"));

        QCOMPARE(data_import_db_delete("1_1_1"), 0);
        QVERIFY(data_import_db_select_by_id("1_1_1").id.empty());
        QCOMPARE(data_import_db_select_all().size(), size_t(1));
    }

    void batch_on_one_handle_commits_or_rolls_back() {
        sqlite3* h = db_open();
        QVERIFY(h);
        for (bool commit : {false, true}) {
            QCOMPARE(db_begin(h), 0);
            QCOMPARE(data_list_db_insert(h, item("X", "n", 1, 0, 0, 0)), 0);
            QCOMPARE(data_import_db_insert(h, L"/x", L"x", "1", "X", "TarvoOrnApp"), 0);
            QCOMPARE(commit ? db_commit(h) : db_rollback(h), 0);
            QCOMPARE(data_list_db_count("X"), commit ? 1 : 0);
            QCOMPARE(data_import_db_select_all().size(), size_t(commit));
        }
        db_close(h);
        QVERIFY(data_list_db_insert(nullptr, item("X", "n", 2, 0, 0, 0)) != 0);
    }

    void item_update_count_and_delete() {
        QCOMPARE(data_list_db_count("A"), 0);
        fill_filter_data();
        QCOMPARE(insert_all({item("A", "twin", 1, 0, 0, 0)}), 0);
        QCOMPARE(data_list_db_count("A"), 5);
        QCOMPARE(data_list_db_count("B"), 1);

        data_info d;
        d.data_import_id = "A";
        d.time = "2024-01-01 00:00:04";
        d.data_name = L"新名字";
        d.distance = 7.25;
        d.spl = 80.5;
        d.valid_type = d.favorite = 1;
        d.discharge = 3;
        QCOMPARE(data_list_db_update(make_update_row(d)), 0);
        QCOMPARE(data_list_db_update_time("2024-01-01 00:00:09", "A", "2024-01-01 00:00:04"), 0);
        const auto a = dataset("A", L"/A");
        const auto level3 =
            data_list_db_select_discharge(a, false, false, false, true, false, false);
        QCOMPARE(level3.size(), size_t(1));
        QCOMPARE(row_text(level3[0]), QString("/A/d4|d4|新名字|2024-01-01 00:00:09|7.25|80.5|"
                                              "48000|1|40|0|0"));
        QCOMPARE(seconds(data_list_db_select(a, false, false, true)), QString("932"));

        // Two items of one data set with the same time go together.
        QCOMPARE(data_list_db_delete_item("A", "2024-01-01 00:00:01"), 0);
        QCOMPARE(data_list_db_count("A"), 3);
        QCOMPARE(data_list_db_delete_dataset("A"), 0);
        QCOMPARE(data_list_db_count("A"), 0);
        QCOMPARE(data_list_db_count("B"), 1);
    }

    void dataset_ids_are_unique_across_threads() {
        std::vector<std::string> ids[3];
        auto make = [&ids](int t) {
            for (int i = 0; i < 700; ++i)
                ids[t].push_back(make_dataset_id());
        };
        std::thread t1(make, 1), t2(make, 2);
        make(0);
        t1.join();
        t2.join();
        const std::regex form(R"(1_\d+_\d+(_\d+)?)");
        std::set<std::string> all;
        for (const auto& list : ids) {
            for (const auto& id : list)
                QVERIFY2(std::regex_match(id, form), id.c_str());
            all.insert(list.begin(), list.end());
        }
        QCOMPARE(all.size(), size_t(2100));
    }

    // A batch writer on one handle and single-statement writers wait for each
    // other instead of failing.
    void concurrent_writers_lose_no_row() {
        int failures[2] = {0, 0};
        std::thread batch([&failures] {
            sqlite3* h = db_open();
            failures[0] += !h;
            for (int chunk = 0; chunk < 10 && h; ++chunk) {
                failures[0] += db_begin(h) != 0;
                for (int i = 0; i < 50; ++i)
                    failures[0] +=
                        data_list_db_insert(h, item("T", "batch", chunk * 50 + i, 0, 0, 0)) != 0;
                failures[0] += db_commit(h) != 0;
            }
            db_close(h);
        });
        for (int i = 0; i < 200; ++i) {
            const data_list_insert_row r = item("T", "single", 1000 + i, 0, 0, 0);
            sqlite3* h = db_open();
            failures[1] += data_list_db_insert(h, r) != 0;
            db_close(h);
            data_list_update_row u;
            u.data_import_id = "T";
            u.time = r.time;
            u.data_name = "updated";
            failures[1] += data_list_db_update(u) != 0;
        }
        batch.join();
        QCOMPARE(failures[0], 0);
        QCOMPARE(failures[1], 0);
        QCOMPARE(data_list_db_count("T"), 700);
        QCOMPARE(data_list_db_search(L"updated", false, false, false).size(), size_t(200));
    }

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

QTEST_GUILESS_MAIN(tst_database)
#include "tst_database.moc"

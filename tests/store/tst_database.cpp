// Data set and item operations of config.db: writes, filters, searches,
// identifiers, statement texts and concurrent writers.

#include "platform/text.h"
#include "store/database.h"
#include "store/database_sql.h"
#include "store_fixture.h"

#include <QtTest>

#include <regex>
#include <set>
#include <thread>

namespace {
data_list_insert_row item(const std::string& ds, const std::string& dir, const std::string& name,
                          const std::string& time, int valid, int favorite, int discharge,
                          const std::string& note = {}) {
    data_list_insert_row r;
    r.data_import_id = ds;
    r.dir_name = dir;
    r.data_name = name;
    r.data_note = note;
    r.distance = 2.5;
    r.time = time;
    r.data_type = 1;
    r.fs = 48000;
    r.dd_start_frame_idx = 3;
    r.spl = 61.25;
    r.valid_type = valid;
    r.frame_num = 40;
    r.discharge = discharge;
    r.favorite = favorite;
    return r;
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

std::vector<std::string> times(const std::vector<data_info>& items) {
    std::vector<std::string> out;
    for (const auto& d : items)
        out.push_back(d.time);
    return out;
}

using sv = std::vector<std::string>;

import_data_info dataset(const std::string& id, const std::wstring& root) {
    import_data_info d;
    d.id = id;
    d.local_root = root;
    return d;
}
} // namespace

class tst_database : public QObject {
    Q_OBJECT
    std::unique_ptr<store_fixture> fx;

    // Data set A: four items with every filter column varied; B: one item.
    void fill_filter_data() {
        QCOMPARE(insert_all({item("A", "d1", "one", "2024-01-01 00:00:01", 0, 0, 0),
                             item("A", "d2", "two", "2024-01-01 00:00:02", 1, 1, 2),
                             item("A", "d3", "three", "2024-01-01 00:00:03", 0, 1, 4),
                             item("A", "d4", "four", "2024-01-01 00:00:04", 2, 0, 1),
                             item("B", "e1", "other", "2024-01-01 00:00:05", 0, 1, 0)}),
                 0);
    }

private Q_SLOTS:
    void init() {
        fx = std::make_unique<store_fixture>();
        QCOMPARE(db_init(), 0);
    }
    void cleanup() { fx.reset(); }

    void select_filters_of_one_dataset() {
        fill_filter_data();
        const auto a = dataset("A", L"/data/A");
        const auto all = data_list_db_select(a, false, false, false);
        QCOMPARE(times(all), (sv{"2024-01-01 00:00:04", "2024-01-01 00:00:03",
                                 "2024-01-01 00:00:02", "2024-01-01 00:00:01"}));
        QCOMPARE(all[0].data_dir, std::wstring(L"/data/A/d4"));
        QCOMPARE(all[0].dir_name, std::wstring(L"d4"));
        QCOMPARE(all[0].data_name, std::wstring(L"four"));
        QCOMPARE(all[0].distance, 2.5);
        QCOMPARE(all[0].spl, 61.25);
        QCOMPARE(all[0].fs, 48000);
        QCOMPARE(all[0].valid_type, 2);
        QCOMPARE(all[0].frame_num, 40);
        QCOMPARE(all[0].dd_start_frame_idx, 3);
        QCOMPARE(all[0].favorite, 0); // shown values come from the item files
        QCOMPARE(times(data_list_db_select(a, false, false, true)),
                 (sv{"2024-01-01 00:00:03", "2024-01-01 00:00:02"}));
        QCOMPARE(times(data_list_db_select(a, true, false, false)),
                 (sv{"2024-01-01 00:00:03", "2024-01-01 00:00:01"}));
        QCOMPARE(times(data_list_db_select(a, false, true, false)), (sv{"2024-01-01 00:00:02"}));
        QCOMPARE(data_list_db_select(a, true, true, true).size(), size_t(3));
        QCOMPARE(data_list_db_select_discharge(a, false, false, false, false, false, false).size(),
                 size_t(4));
        QCOMPARE(times(data_list_db_select_discharge(a, false, false, true, false, false, false)),
                 (sv{"2024-01-01 00:00:02"}));
        QCOMPARE(times(data_list_db_select_discharge(a, false, true, false, false, true, false)),
                 (sv{"2024-01-01 00:00:04", "2024-01-01 00:00:03"}));
        QCOMPARE(times(data_list_db_select_discharge(a, true, false, false, false, false, true)),
                 (sv{"2024-01-01 00:00:03", "2024-01-01 00:00:02", "2024-01-01 00:00:01"}));
        QVERIFY(data_list_db_select(dataset("none", L"/x"), false, false, false).empty());
    }

    void search_over_all_datasets() {
        QCOMPARE(data_import_db_insert(L"/data/A", L"A", "1", "A", "TarvoOrnApp"), 0);
        QCOMPARE(
            insert_all({item("A", "d1", "O'Brien's pump", "2024-02-01 00:00:01", 0, 0, 0),
                        item("A", "d2", "50% valve", "2024-02-01 00:00:02", 1, 1, 3),
                        item("A", "d3", "500 valve", "2024-02-01 00:00:03", 0, 0, 0, "a_b"),
                        item("ghost", "g1", "压缩机泄漏", "2024-02-01 00:00:04", 1, 0, 1, "备注")}),
            0);
        const auto all = data_list_db_search(L"", false, false, false);
        QCOMPARE(times(all), (sv{"2024-02-01 00:00:04", "2024-02-01 00:00:03",
                                 "2024-02-01 00:00:02", "2024-02-01 00:00:01"}));
        QCOMPARE(all[0].data_dir, std::wstring()); // its data set is missing
        QCOMPARE(all[1].data_dir, std::wstring(L"/data/A/d3"));
        QCOMPARE(
            data_list_db_search_discharge(L"", false, false, false, false, false, false).size(),
            size_t(4));

        const auto quote = data_list_db_search(L"'Brien", false, false, false);
        QCOMPARE(quote.size(), size_t(1));
        QCOMPARE(quote[0].data_name, std::wstring(L"O'Brien's pump"));
        // Wildcard characters are matched as themselves.
        QCOMPARE(times(data_list_db_search(L"50%", false, false, false)),
                 (sv{"2024-02-01 00:00:02"}));
        QCOMPARE(times(data_list_db_search(L"a_b", false, false, false)),
                 (sv{"2024-02-01 00:00:03"}));
        QVERIFY(data_list_db_search(L"0_v", false, false, false).empty());
        const auto chinese = data_list_db_search(L"泄漏", false, false, false);
        QCOMPARE(chinese.size(), size_t(1));
        QCOMPARE(chinese[0].data_name, std::wstring(L"压缩机泄漏"));
        QCOMPARE(chinese[0].data_note, std::wstring(L"备注"));
        QCOMPARE(data_list_db_search(L"备注", false, false, false).size(), size_t(1));

        QCOMPARE(times(data_list_db_search(L"valve", false, true, false)),
                 (sv{"2024-02-01 00:00:02"}));
        QCOMPARE(data_list_db_search(L"", true, false, true).size(), size_t(3));
        QCOMPARE(times(data_list_db_search_discharge(L"", false, true, false, true, false, false)),
                 (sv{"2024-02-01 00:00:04", "2024-02-01 00:00:02"}));
    }

    void values_cannot_break_or_inject_statements() {
        const std::string evil = "x'); DROP TABLE data_list; --";
        const std::string note(100000, 'n'); // far beyond any fixed statement buffer
        QCOMPARE(insert_all({item("A", "d", evil, "2024-01-01 00:00:01", 0, 0, 0, note)}), 0);
        QCOMPARE(data_import_db_insert(L"/r'oot", L"it's", "s'n", "A", "app'"), 0);
        const auto items = data_list_db_select(dataset("A", L"/r"), false, false, false);
        QCOMPARE(items.size(), size_t(1));
        QCOMPARE(items[0].data_name, utf8_to_wide(evil));
        QCOMPARE(items[0].data_note.size(), note.size());
        QVERIFY(data_list_db_name_exists("A", utf8_to_wide(evil)));
        QVERIFY(!data_list_db_name_exists("A", L"x"));
        QVERIFY(data_import_db_name_exists(L"it's"));
        const auto ds = data_import_db_select_by_id("A");
        QCOMPARE(ds.local_root, std::wstring(L"/r'oot"));
        QCOMPARE(ds.sn, std::string("s'n"));
        QCOMPARE(data_list_db_search(utf8_to_wide(evil), false, false, false).size(), size_t(1));
    }

    void statement_texts() {
        QCOMPARE(
            data_list_count_sql("a'b"),
            std::string("select  count (*) as num from data_list where data_import_id = 'a''b'"));
        QCOMPARE(
            data_list_select_sql("x", false, false, false),
            std::string("select * from data_list where data_import_id = 'x' order by time desc"));
        QCOMPARE(data_list_select_sql("x", true, false, true),
                 std::string("select * from data_list where data_import_id = 'x' and (valid_type = "
                             "0 or favorite = 1) order by time desc"));
        const bool none[5] = {false, false, false, false, false};
        const bool some[5] = {true, false, false, true, false};
        QCOMPARE(
            data_list_select_discharge_sql("x", none, false),
            std::string("select * from data_list where data_import_id = 'x' order by time desc"));
        QCOMPARE(
            data_list_select_discharge_sql("x", some, true),
            std::string("select * from data_list where data_import_id = 'x' and (discharge = 0 "
                        "or discharge = 3 or favorite = 1) order by time desc"));
        QCOMPARE(
            data_list_search_sql("ab", true, true, false),
            std::string("select * from data_list where (data_name like '%ab%' or data_note "
                        "like '%ab%') and (valid_type=0 or  valid_type=1 ) order by time desc"));
        QCOMPARE(data_list_search_discharge_sql("", none, true),
                 std::string("select * from data_list where (data_name like '%%' or data_note like "
                             "'%%') and ( favorite=1 ) order by time desc"));
        QCOMPARE(
            data_list_search_sql("5%", false, false, false),
            std::string("select * from data_list where (data_name like '%5\\%%' escape '\\' or "
                        "data_note like '%5\\%%' escape '\\') order by time desc"));
        data_list_insert_row r = item("i'd", "dir", "n", "t", 1, 0, 2, "no'te");
        r.distance = 1.236;
        r.spl = 5.4321;
        QCOMPARE(data_list_insert_sql(r),
                 std::string("INSERT INTO data_list (data_import_id, dir_name, data_name, "
                             "data_note, distance, time, data_type, fs, dd_start_frame_idx, spl, "
                             "valid_type, frame_num, discharge, favorite) values ('i''d', 'dir', "
                             "'n', 'no''te', 1.24, 't', 1, 48000, 3 , 5.432, 1, 40, 2, 0)"));
        data_list_update_row u;
        u.data_import_id = "A";
        u.data_name = "n";
        u.data_note = "";
        u.distance = 2.0;
        u.time = "t";
        u.spl = 70.12345;
        u.valid_type = 1;
        u.discharge = 4;
        u.favorite = 1;
        QCOMPARE(data_list_update_sql(u),
                 std::string("UPDATE data_list SET data_name = 'n', data_note = '', distance = "
                             "2.000, dd_start_frame_idx = 0, spl = 70.123, valid_type = 1, "
                             "discharge = 4, favorite = 1 where data_import_id = 'A' and time = "
                             "'t'"));
        QCOMPARE(data_import_rename_sql("n'", "/r", "t", "1"),
                 std::string("update data_import set name = 'n''', local_root = '/r' where time = "
                             "'t' and sn = '1'"));
    }

    void dataset_insert_rename_delete() {
        QCOMPARE(data_import_db_insert(L"/data/first", L"first", "1", "1_1_1", "TarvoOrnApp"), 0);
        // Registration times have millisecond resolution: make the order certain.
        QThread::msleep(3);
        QCOMPARE(data_import_db_insert(L"/data/第二", L"第二", "", "1_1_2", "TarvoSableApp"), 0);
        auto all = data_import_db_select_all();
        QCOMPARE(all.size(), size_t(2));
        QCOMPARE(all[0].id, std::string("1_1_2")); // newest first
        QCOMPARE(all[0].name, std::wstring(L"第二"));
        QCOMPARE(all[0].app_name, std::string("TarvoSableApp"));
        QVERIFY(
            std::regex_match(all[0].time, std::regex(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3})")));
        QVERIFY(all[1].time <= all[0].time);

        import_data_info renamed = all[1];
        renamed.name = L"renamed";
        renamed.local_root = L"/data/renamed";
        QCOMPARE(data_import_db_rename(renamed), 0);
        const auto back = data_import_db_select_by_id("1_1_1");
        QCOMPARE(back.name, std::wstring(L"renamed"));
        QCOMPARE(back.local_root, std::wstring(L"/data/renamed"));
        QCOMPARE(back.app_name, std::string()); // not read by this lookup
        QVERIFY(data_import_db_name_exists(L"renamed"));
        QVERIFY(!data_import_db_name_exists(L"first"));

        QCOMPARE(data_import_db_delete("1_1_1"), 0);
        QVERIFY(data_import_db_select_by_id("1_1_1").id.empty());
        QCOMPARE(data_import_db_select_all().size(), size_t(1));
    }

    void batch_on_one_handle_commits_or_rolls_back() {
        sqlite3* h = db_open();
        QVERIFY(h);
        QCOMPARE(db_begin(h), 0);
        QCOMPARE(data_list_db_insert(h, item("X", "d", "n", "t1", 0, 0, 0)), 0);
        QCOMPARE(data_import_db_insert(h, L"/x", L"x", "1", "X", "TarvoOrnApp"), 0);
        QCOMPARE(db_rollback(h), 0);
        QCOMPARE(data_list_db_count("X"), 0);
        QVERIFY(data_import_db_select_all().empty());

        QCOMPARE(db_begin(h), 0);
        QCOMPARE(data_list_db_insert(h, item("X", "d", "n", "t1", 0, 0, 0)), 0);
        QCOMPARE(data_import_db_insert(h, L"/x", L"x", "1", "X", "TarvoOrnApp"), 0);
        QCOMPARE(db_commit(h), 0);
        db_close(h);
        QCOMPARE(data_list_db_count("X"), 1);
        QCOMPARE(data_import_db_select_by_id("X").name, std::wstring(L"x"));
        QVERIFY(data_list_db_insert(nullptr, item("X", "d", "n", "t2", 0, 0, 0)) != 0);
    }

    void item_update_count_and_delete() {
        QCOMPARE(data_list_db_count("A"), 0);
        fill_filter_data();
        QCOMPARE(insert_all({item("A", "d5", "twin", "2024-01-01 00:00:01", 0, 0, 0)}), 0);
        QCOMPARE(data_list_db_count("A"), 5);
        QCOMPARE(data_list_db_count("B"), 1);

        data_info d;
        d.data_import_id = "A";
        d.time = "2024-01-01 00:00:04";
        d.data_name = L"新名字";
        d.data_note = L"note";
        d.distance = 7.25;
        d.spl = 80.5;
        d.valid_type = 1;
        d.favorite = 1;
        d.discharge = 3;
        QCOMPARE(data_list_db_update(make_update_row(d)), 0);
        QCOMPARE(data_list_db_update_time("2024-01-01 00:00:09", "A", "2024-01-01 00:00:04"), 0);
        const auto a = dataset("A", L"/A");
        const auto fav = data_list_db_select_discharge(a, false, false, false, true, false, false);
        QCOMPARE(fav.size(), size_t(1));
        QCOMPARE(fav[0].time, std::string("2024-01-01 00:00:09"));
        QCOMPARE(fav[0].data_name, std::wstring(L"新名字"));
        QCOMPARE(fav[0].distance, 7.25);
        QCOMPARE(fav[0].valid_type, 1);

        // Two items of one data set with the same time go together.
        QCOMPARE(data_list_db_delete_item("A", "2024-01-01 00:00:01"), 0);
        QCOMPARE(data_list_db_count("A"), 3);
        QCOMPARE(data_list_db_delete_dataset("A"), 0);
        QCOMPARE(data_list_db_count("A"), 0);
        QCOMPARE(data_list_db_count("B"), 1);
    }

    void dataset_ids_are_unique_within_one_second() {
        const std::regex form(R"(1_\d+_\d+(_\d+)?)");
        std::set<std::string> ids;
        for (int i = 0; i < 1000; ++i) {
            const std::string id = make_dataset_id();
            QVERIFY(std::regex_match(id, form));
            ids.insert(id);
        }
        QCOMPARE(ids.size(), size_t(1000));
        // Identifiers handed out on other threads do not repeat either.
        std::vector<std::string> a, b;
        std::thread t1([&] {
            for (int i = 0; i < 500; ++i)
                a.push_back(make_dataset_id());
        });
        std::thread t2([&] {
            for (int i = 0; i < 500; ++i)
                b.push_back(make_dataset_id());
        });
        t1.join();
        t2.join();
        ids.insert(a.begin(), a.end());
        ids.insert(b.begin(), b.end());
        QCOMPARE(ids.size(), size_t(2000));
    }

    void concurrent_writers_lose_no_row() {
        auto batch_writer = [] {
            sqlite3* h = db_open();
            int failures = h ? 0 : 1;
            for (int chunk = 0; chunk < 10 && h; ++chunk) {
                failures += db_begin(h) != 0;
                for (int i = 0; i < 50; ++i)
                    failures +=
                        data_list_db_insert(h, item("T", "b", "batch",
                                                    std::to_string(chunk * 50 + i), 0, 0, 0)) != 0;
                failures += db_commit(h) != 0;
            }
            db_close(h);
            return failures;
        };
        auto single_writer = [] {
            int failures = 0;
            for (int i = 0; i < 200; ++i) {
                sqlite3* h = db_open();
                failures += data_list_db_insert(
                                h, item("T", "s", "single", "s" + std::to_string(i), 0, 0, 0)) != 0;
                db_close(h);
                data_list_update_row u;
                u.data_import_id = "T";
                u.time = "s" + std::to_string(i);
                u.data_name = "updated";
                failures += data_list_db_update(u) != 0;
            }
            return failures;
        };
        int f1 = 0, f2 = 0;
        std::thread t1([&] { f1 = batch_writer(); });
        std::thread t2([&] { f2 = single_writer(); });
        t1.join();
        t2.join();
        QCOMPARE(f1, 0);
        QCOMPARE(f2, 0);
        QCOMPARE(data_list_db_count("T"), 700);
        QCOMPARE(data_list_db_search(L"updated", false, false, false).size(), size_t(200));
    }
};

QTEST_GUILESS_MAIN(tst_database)
#include "tst_database.moc"

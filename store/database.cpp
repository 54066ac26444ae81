#include "store/database.h"

#include "core/app_globals.h"
#include "core/app_log.h"
#include "platform/text.h"
#include "store/database_sql.h"
#include "store/time_util.h"

#include <sqlite3.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstring>
#include <ctime>
#include <mutex>
#include <random>
#include <set>
#include <unordered_map>

namespace {
int collect_row(void* table, int n, char** values, char**) {
    std::vector<std::string> row;
    row.reserve(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
        row.emplace_back(values[i] ? values[i] : "NULL");
    static_cast<sql_table*>(table)->push_back(std::move(row));
    return 0;
}

int stream_row(void* fn, int n, char** values, char**) {
    (*static_cast<const sql_row_fn*>(fn))(n, values);
    return 0;
}

// Cells are written by SQLite in the C locale; parse them the same way
// whatever locale the process runs in. Unparsable text reads as 0.
int32_t cell_int(const char* s) {
    int32_t v = 0;
    if (!s)
        return 0;
    while (*s == ' ')
        ++s;
    std::from_chars(s, s + std::strlen(s), v, 10);
    return v;
}

// Runs one statement on its own connection of config.db.
int db_run(const std::string& statement, sql_table* rows = nullptr) {
    if (statement.empty())
        return SQLITE_NOMEM;
    return sql_run(db_path(), statement, rows);
}

// A select whose failure gives no rows; *result tells a failure from none.
sql_table db_select(const std::string& statement, int* result = nullptr) {
    sql_table rows;
    const int rc = db_run(statement, &rows);
    if (rc != SQLITE_OK)
        rows.clear();
    if (result)
        *result = rc;
    return rows;
}

// Widens a UTF-8 column value; names and directories are mostly ASCII.
std::wstring column_wide(sqlite3_stmt* st, int col) {
    const auto* s = reinterpret_cast<const char*>(sqlite3_column_text(st, col));
    if (!s)
        return L"NULL";
    const size_t n = static_cast<size_t>(sqlite3_column_bytes(st, col));
    for (size_t i = 0; i < n; ++i)
        if (static_cast<unsigned char>(s[i]) >= 0x80)
            return utf8_to_wide(std::string(s, n));
    return std::wstring(s, s + n);
}

std::string column_text(sqlite3_stmt* st, int col) {
    const auto* s = reinterpret_cast<const char*>(sqlite3_column_text(st, col));
    return s ? std::string(s, static_cast<size_t>(sqlite3_column_bytes(st, col))) : "NULL";
}

// Item selects step the statement and read typed columns: a search may
// return every item, and formatting each number to text and back would
// cost more than the query itself.
std::vector<data_info> db_select_items(const std::string& statement, int* result) {
    std::vector<data_info> out;
    sqlite3* db = nullptr;
    int rc = statement.empty() ? SQLITE_NOMEM : sql_open(db_path(), &db);
    if (result)
        *result = rc;
    if (rc != SQLITE_OK)
        return out;
    sqlite3_stmt* st = nullptr;
    rc = sqlite3_prepare_v2(db, statement.c_str(), static_cast<int>(statement.size()) + 1, &st,
                            nullptr);
    if (rc == SQLITE_OK) {
        out.reserve(256);
        while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
            if (sqlite3_column_count(st) < 12)
                continue;
            data_info& d = out.emplace_back();
            d.data_import_id = column_text(st, 0);
            d.dir_name = column_wide(st, 1);
            d.data_name = column_wide(st, 2);
            d.data_note = column_wide(st, 3);
            d.distance = sqlite3_column_double(st, 4);
            d.time = column_text(st, 5);
            d.data_type = sqlite3_column_int(st, 6);
            d.fs = sqlite3_column_int(st, 7);
            d.dd_start_frame_idx = sqlite3_column_int(st, 8);
            d.spl = sqlite3_column_double(st, 9);
            d.valid_type = sqlite3_column_int(st, 10);
            d.frame_num = sqlite3_column_int(st, 11);
        }
        if (rc == SQLITE_DONE)
            rc = SQLITE_OK;
    }
    if (rc != SQLITE_OK) {
        app_log("sql_exec: errno:%d %s %s", rc, sqlite3_errmsg(db), statement.c_str());
        out.clear();
    }
    if (result)
        *result = rc;
    sqlite3_finalize(st);
    sqlite3_close(db);
    return out;
}

// root + "/" + dir_name in one allocation: a search may fill 100,000 of these.
void set_data_dir(data_info& d, const std::wstring& root) {
    d.data_dir.reserve(root.size() + 1 + d.dir_name.size());
    d.data_dir.append(root).append(1, L'/').append(d.dir_name);
}

std::vector<data_info> items_of_dataset(const std::string& statement,
                                        const import_data_info& dataset, int* result) {
    std::vector<data_info> out = db_select_items(statement, result);
    for (auto& d : out)
        set_data_dir(d, dataset.local_root);
    return out;
}

std::vector<data_info> items_of_search(const std::string& statement, int* result) {
    std::vector<data_info> out = db_select_items(statement, result);
    if (out.empty())
        return out;
    std::unordered_map<std::string, std::wstring> roots;
    int rc = SQLITE_OK;
    for (const auto& ds : data_import_db_select_all(&rc))
        roots.emplace(ds.id, ds.local_root); // the first row of an id wins
    if (rc != SQLITE_OK && result)
        *result = rc; // items without their directories are no answer
    for (auto& d : out) {
        const auto it = roots.find(d.data_import_id);
        if (it != roots.end())
            set_data_dir(d, it->second);
    }
    return out;
}

bool dataset_id_in_db(const std::string& id) {
    sql_table rows;
    if (db_run(sql_format("select id from data_import where id='%q'", id.c_str()), &rows) != 0)
        return false;
    return !rows.empty();
}
} // namespace

int sql_open(const std::string& path, sqlite3** handle) {
    *handle = nullptr;
    sqlite3* db = nullptr;
    const int rc =
        sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (rc != SQLITE_OK) {
        app_log("sql_open:%s %s", path.c_str(), db ? sqlite3_errmsg(db) : sqlite3_errstr(rc));
        sqlite3_close(db);
        return rc;
    }
    // Two connections writing at once wait for each other instead of losing a write.
    sqlite3_busy_timeout(db, sql_busy_timeout_ms);
    *handle = db;
    return SQLITE_OK;
}

namespace {
int exec_logged(sqlite3* handle, const std::string& statement,
                int (*callback)(void*, int, char**, char**), void* context) {
    if (!handle) {
        app_log("sql_exec: errno:%d %s %s", SQLITE_MISUSE, "no database connection",
                statement.c_str());
        return SQLITE_MISUSE;
    }
    const auto started = std::chrono::steady_clock::now();
    char* message = nullptr;
    int rc = sqlite3_exec(handle, statement.c_str(), callback, context, &message);
    // A single statement outside a transaction can still get SQLITE_BUSY at
    // once, without the busy handler, when SQLite sees that waiting could
    // deadlock with another connection's commit. The statement was rolled
    // back whole, so running it again is safe: retry until the statement has
    // waited sql_busy_timeout_ms in all, the busy handler's waits included
    // (each retry may only wait what is left). Statements that deliver rows
    // are not retried (their rows may already be delivered).
    while (rc == SQLITE_BUSY && !callback && sqlite3_get_autocommit(handle)) {
        const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(
                                std::chrono::steady_clock::now() - started)
                                .count();
        if (waited + 5 >= sql_busy_timeout_ms)
            break;
        sqlite3_free(message);
        message = nullptr;
        sqlite3_sleep(5);
        sqlite3_busy_timeout(handle, int(sql_busy_timeout_ms - waited - 5));
        rc = sqlite3_exec(handle, statement.c_str(), nullptr, nullptr, &message);
    }
    sqlite3_busy_timeout(handle, sql_busy_timeout_ms);
    if (rc != SQLITE_OK) {
        app_log("sql_exec: errno:%d %s %s", rc, message ? message : sqlite3_errmsg(handle),
                statement.c_str());
    }
    sqlite3_free(message);
    return rc;
}
} // namespace

int sql_exec(sqlite3* handle, const std::string& statement, sql_table* rows) {
    return exec_logged(handle, statement, rows ? collect_row : nullptr, rows);
}

int sql_exec(sqlite3* handle, const std::string& statement, const sql_row_fn& on_row) {
    return exec_logged(handle, statement, on_row ? stream_row : nullptr,
                       const_cast<sql_row_fn*>(&on_row));
}

int sql_run(const std::string& path, const std::string& statement, sql_table* rows) {
    sqlite3* db = nullptr;
    const int rc = sql_open(path, &db);
    if (rc != SQLITE_OK)
        return rc;
    const int result = sql_exec(db, statement, rows);
    sqlite3_close(db);
    return result;
}

std::string db_path() {
    return wide_to_utf8(app_data_path + L"config/config.db");
}

sqlite3* db_open() {
    sqlite3* db = nullptr;
    sql_open(db_path(), &db);
    return db;
}

void db_close(sqlite3* handle) {
    sqlite3_close(handle);
}

int db_begin(sqlite3* handle) {
    return sql_exec(handle, "BEGIN IMMEDIATE");
}

int db_commit(sqlite3* handle) {
    return sql_exec(handle, "COMMIT");
}

int db_rollback(sqlite3* handle) {
    return sql_exec(handle, "ROLLBACK");
}

bool db_in_transaction(sqlite3* handle) {
    return handle && !sqlite3_get_autocommit(handle);
}

int db_init() {
    sqlite3* db = nullptr;
    int rc = sql_open(db_path(), &db);
    if (rc != SQLITE_OK)
        return rc;
    sql_table list_columns;
    sql_table import_columns;
    // A database that cannot be read (locked by another program, damaged)
    // is left alone; the caller reports it.
    rc = sql_exec(db, "PRAGMA  table_info(data_list)", &list_columns);
    if (rc == SQLITE_OK)
        rc = sql_exec(db, "PRAGMA  table_info(data_import)", &import_columns);
    if (rc != SQLITE_OK) {
        sqlite3_close(db);
        return rc;
    }
    bool import_dropped = false;
    if (!list_columns.empty()) {
        if (list_columns.size() < 12) {
            // A layout this old is discarded whole.
            rc = sql_exec(db, "DROP TABLE data_list;");
            if (!import_columns.empty()) {
                rc = sql_exec(db, "DROP TABLE data_import;");
                import_dropped = rc == SQLITE_OK;
            }
        } else if (list_columns.size() < 14) {
            rc = sql_exec(db, "ALTER TABLE data_list ADD COLUMN discharge int NOT NULL DEFAULT 0;");
            if (rc != SQLITE_OK)
                app_log("data_list add col discharge errno:%d", rc);
            rc = sql_exec(db, "ALTER TABLE data_list ADD COLUMN favorite int NOT NULL DEFAULT 0;");
            if (rc != SQLITE_OK)
                app_log("data_list add col favorite errno:%d", rc);
        }
    }
    if (!import_dropped && !import_columns.empty() && import_columns.size() < 6) {
        // Older rows all came from the main device family.
        rc =
            sql_exec(db, "ALTER TABLE data_import ADD COLUMN app_name text DEFAULT 'TarvoOrnApp';");
        if (rc != SQLITE_OK)
            app_log("data_import add col app_name errno:%d", rc);
    }
    if (rc == SQLITE_OK) {
        rc = sql_exec(db, "CREATE TABLE IF NOT EXISTS [data_import]([id] text not null,[time] "
                          "text not null,[local_root] text not null,[name] text not null,[sn] "
                          "text not null,[app_name] text);");
        if (rc == SQLITE_OK)
            rc = sql_exec(
                db, "CREATE TABLE IF NOT EXISTS [data_list]([data_import_id] text not "
                    "null,[dir_name] text not null,[data_name] text not null,[data_note] text not "
                    "null,[distance] real not null,[time] text not null,[data_type] int not "
                    "null,[fs] int not null,[dd_start_frame_idx] int not null,[spl] real not "
                    "null,[valid_type] int not null,[frame_num] int not null,[discharge] int not "
                    "null,[favorite] int not null);");
        // Page reads, counts and deletes select by data set and time.
        if (rc == SQLITE_OK)
            rc = sql_exec(db, "CREATE INDEX IF NOT EXISTS [data_list_import_time] ON "
                              "[data_list]([data_import_id],[time]);");
    }
    sqlite3_close(db);
    return rc;
}

std::string make_dataset_id() {
    static std::mutex issued_lock;
    static std::set<std::string> issued;
    thread_local std::mt19937 rng{std::random_device{}()};
    std::uniform_int_distribution<uint32_t> draw(0, 2147483647u);
    for (unsigned attempt = 0;; ++attempt) {
        const uint32_t r = draw(rng);
        const long long t = static_cast<long long>(std::time(nullptr));
        std::string id = "1_" + std::to_string(t) + "_" + std::to_string(r);
        if (attempt >= 16) // practically unreachable; guarantees an end
            id += "_" + std::to_string(attempt);
        {
            std::lock_guard<std::mutex> lock(issued_lock);
            if (issued.count(id))
                continue;
        }
        if (dataset_id_in_db(id))
            continue;
        std::lock_guard<std::mutex> lock(issued_lock);
        if (issued.insert(id).second)
            return id;
    }
}

namespace {
std::string import_insert_statement(const std::wstring& local_root, const std::wstring& name,
                                    const std::string& sn, const std::string& id,
                                    const std::string& app_name) {
    const std::string root8 = wide_to_utf8(local_root);
    const std::string name8 = wide_to_utf8(name);
    const std::string time = time_stamp_text();
    std::string statement = data_import_insert_sql(id, time, root8, name8, sn, app_name);
    if (statement.empty()) {
        const size_t size = root8.size() + name8.size() + sn.size() + id.size() + app_name.size() +
                            time.size() + 111;
        app_log("data_import_db_insert malloc:%d errno:%d", static_cast<int>(size), ENOMEM);
    }
    return statement;
}
} // namespace

int data_import_db_insert(const std::wstring& local_root, const std::wstring& name,
                          const std::string& sn, const std::string& id,
                          const std::string& app_name) {
    const std::string statement = import_insert_statement(local_root, name, sn, id, app_name);
    return statement.empty() ? SQLITE_NOMEM : db_run(statement);
}

int data_import_db_insert(sqlite3* handle, const std::wstring& local_root, const std::wstring& name,
                          const std::string& sn, const std::string& id,
                          const std::string& app_name) {
    const std::string statement = import_insert_statement(local_root, name, sn, id, app_name);
    return statement.empty() ? SQLITE_NOMEM : sql_exec(handle, statement);
}

std::vector<import_data_info> data_import_db_select_all(int* result) {
    const sql_table rows = db_select("select * from data_import order by time desc", result);
    std::vector<import_data_info> out;
    out.reserve(rows.size());
    for (const auto& row : rows) {
        if (row.size() < 6)
            continue;
        import_data_info d;
        d.id = row[0];
        d.time = row[1];
        d.local_root = utf8_to_wide(row[2]);
        d.name = utf8_to_wide(row[3]);
        d.sn = row[4];
        d.app_name = row[5];
        out.push_back(std::move(d));
    }
    return out;
}

import_data_info data_import_db_select_by_id(const std::string& id) {
    const sql_table rows =
        db_select(sql_format("select * from data_import where id='%q'", id.c_str()));
    import_data_info d;
    if (rows.empty() || rows[0].size() < 5)
        return d;
    d.id = rows[0][0];
    d.time = rows[0][1];
    d.local_root = utf8_to_wide(rows[0][2]);
    d.name = utf8_to_wide(rows[0][3]);
    d.sn = rows[0][4];
    return d;
}

bool data_import_db_name_exists(const std::wstring& name) {
    const std::string n = wide_to_utf8(name);
    return !db_select(sql_format("select * from data_import where name = '%q'", n.c_str())).empty();
}

int data_import_db_name_exists(sqlite3* handle, const std::wstring& name, bool& exists) {
    const std::string n = wide_to_utf8(name);
    sql_table rows;
    const int rc = sql_exec(
        handle, sql_format("select id from data_import where name = '%q'", n.c_str()), &rows);
    exists = rc == SQLITE_OK && !rows.empty();
    return rc;
}

int data_import_db_rename(const import_data_info& info) {
    return db_run(data_import_rename_sql(wide_to_utf8(info.name), wide_to_utf8(info.local_root),
                                         info.time, info.sn));
}

int data_import_db_delete(const std::string& id) {
    return db_run(sql_format("delete from data_import where id = '%q'", id.c_str()));
}

data_list_insert_row make_insert_row(const data_info& item) {
    data_list_insert_row r;
    r.data_import_id = item.data_import_id;
    r.dir_name = wide_to_utf8(item.dir_name);
    r.data_name = wide_to_utf8(item.data_name);
    r.data_note = wide_to_utf8(item.data_note);
    r.distance = item.distance;
    r.time = item.time;
    r.data_type = item.data_type;
    r.fs = item.fs;
    r.dd_start_frame_idx = item.dd_start_frame_idx;
    r.spl = item.spl;
    r.valid_type = item.valid_type;
    r.frame_num = item.frame_num;
    r.discharge = item.discharge;
    r.favorite = item.favorite;
    return r;
}

data_list_update_row make_update_row(const data_info& item) {
    data_list_update_row r;
    r.data_import_id = item.data_import_id;
    r.data_name = wide_to_utf8(item.data_name);
    r.data_note = wide_to_utf8(item.data_note);
    r.distance = item.distance;
    r.time = item.time;
    r.dd_start_frame_idx = item.dd_start_frame_idx;
    r.spl = item.spl;
    r.valid_type = item.valid_type;
    r.discharge = item.discharge;
    r.favorite = item.favorite;
    return r;
}

int data_list_db_insert(sqlite3* handle, const data_list_insert_row& row) {
    const std::string statement = data_list_insert_sql(row);
    if (statement.empty())
        return SQLITE_NOMEM;
    return sql_exec(handle, statement);
}

int data_list_db_update(const data_list_update_row& row) {
    return db_run(data_list_update_sql(row));
}

int data_list_db_update(sqlite3* handle, const data_list_update_row& row) {
    const std::string statement = data_list_update_sql(row);
    if (statement.empty())
        return SQLITE_NOMEM;
    return sql_exec(handle, statement);
}

namespace {
std::string update_time_sql(const std::string& new_time, const std::string& id,
                            const std::string& old_time) {
    return sql_format(
        "UPDATE data_list SET time = '%q' where data_import_id = '%q' and time = '%q'",
        new_time.c_str(), id.c_str(), old_time.c_str());
}
} // namespace

int data_list_db_update_time(const std::string& new_time, const std::string& data_import_id,
                             const std::string& old_time) {
    return db_run(update_time_sql(new_time, data_import_id, old_time));
}

int data_list_db_update_time(sqlite3* handle, const std::string& new_time,
                             const std::string& data_import_id, const std::string& old_time) {
    const std::string statement = update_time_sql(new_time, data_import_id, old_time);
    if (statement.empty())
        return SQLITE_NOMEM;
    return sql_exec(handle, statement);
}

int data_list_db_delete_dataset(const std::string& data_import_id) {
    return db_run(
        sql_format("delete from data_list where data_import_id = '%q'", data_import_id.c_str()));
}

int data_list_db_delete_item(const std::string& data_import_id, const std::string& time) {
    return db_run(sql_format("delete from data_list where data_import_id = '%q' and time = '%q'",
                             data_import_id.c_str(), time.c_str()));
}

int data_list_db_count(const std::string& data_import_id, int* result) {
    const sql_table rows = db_select(data_list_count_sql(data_import_id), result);
    if (rows.empty() || rows[0].empty())
        return 0;
    return cell_int(rows[0][0].c_str());
}

bool data_list_db_name_exists(const std::string& data_import_id, const std::wstring& data_name) {
    const std::string n = wide_to_utf8(data_name);
    return !db_select(sql_format("select * from data_list where data_import_id = '%q' and "
                                 "data_name = '%q'",
                                 data_import_id.c_str(), n.c_str()))
                .empty();
}

std::vector<data_info> data_list_db_select(const import_data_info& dataset, bool normal, bool check,
                                           bool favorite, int* result) {
    return items_of_dataset(data_list_select_sql(dataset.id, normal, check, favorite), dataset,
                            result);
}

std::vector<data_info> data_list_db_select_discharge(const import_data_info& dataset, bool level0,
                                                     bool level1, bool level2, bool level3,
                                                     bool level4, bool favorite, int* result) {
    const bool levels[5] = {level0, level1, level2, level3, level4};
    return items_of_dataset(data_list_select_discharge_sql(dataset.id, levels, favorite), dataset,
                            result);
}

std::vector<data_info> data_list_db_search(const std::wstring& text, bool normal, bool check,
                                           bool favorite, int* result) {
    return items_of_search(data_list_search_sql(wide_to_utf8(text), normal, check, favorite),
                           result);
}

std::vector<data_info> data_list_db_search_discharge(const std::wstring& text, bool level0,
                                                     bool level1, bool level2, bool level3,
                                                     bool level4, bool favorite, int* result) {
    const bool levels[5] = {level0, level1, level2, level3, level4};
    return items_of_search(data_list_search_discharge_sql(wide_to_utf8(text), levels, favorite),
                           result);
}

db_failure db_failure_of(int rc, int system_errno) {
    switch (rc & 0xff) {
    case SQLITE_OK:
        return db_failure::none;
    case SQLITE_FULL:
        return db_failure::disk_full;
    case SQLITE_READONLY:
        return db_failure::read_only;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return db_failure::locked;
    case SQLITE_IOERR:
    case SQLITE_CANTOPEN:
        // A file that may not grow is as full as a full disk.
        if (system_errno == ENOSPC || system_errno == EFBIG || system_errno == EDQUOT)
            return db_failure::disk_full;
        if (system_errno == EROFS || system_errno == EACCES || system_errno == EPERM)
            return db_failure::read_only;
        return db_failure::other;
    default:
        return db_failure::other;
    }
}

db_failure db_failure_of(sqlite3* handle, int rc) {
    const int system_errno = handle ? sqlite3_system_errno(handle) : 0;
    // A write the file system refused without saying why (SQLite keeps the
    // reason only for some calls) is nearly always a full disk, a quota or
    // a file size limit.
    if ((rc & 0xff) == SQLITE_IOERR && system_errno == 0 && handle &&
        sqlite3_extended_errcode(handle) == SQLITE_IOERR_WRITE)
        return db_failure::disk_full;
    return db_failure_of(rc, system_errno);
}

#pragma once
// The dataset database config.db: tables data_import (one row per data set)
// and data_list (one row per data item), the start-up schema step and every
// statement the program runs.
//
// Threading: any thread. There is no lock of our own: every operation opens
// and closes its own connection, except the batches on a db_open() handle,
// which belongs to the thread that opened it. A statement waits up to
// sql_busy_timeout_ms in all for another writer (another program holding the
// database gets it SQLITE_BUSY after that, never an endless wait).
// Results are SQLite result codes (0 = SQLITE_OK) unless noted.

#include "store/records.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct sqlite3;

// Result rows as text cells in column order; a NULL cell reads "NULL".
using sql_table = std::vector<std::vector<std::string>>;

constexpr int sql_busy_timeout_ms = 10000;

// Why a statement failed, in the words a user needs.
enum class db_failure { none, disk_full, read_only, locked, other };
// From a result code and the system error behind it (sqlite3_system_errno).
db_failure db_failure_of(int rc, int system_errno);
// The same for the last failure on a handle.
db_failure db_failure_of(sqlite3* handle, int rc);

// Opens (creating when missing) the database at a UTF-8 path. On failure
// *handle is null, the failure is logged and its result code returned.
int sql_open(const std::string& path, sqlite3** handle);
// Runs one or more statements; rows are appended to `rows` when given.
int sql_exec(sqlite3* handle, const std::string& statement, sql_table* rows = nullptr);
// The same, handing each row to `on_row` as it comes (cells null for NULL);
// for large results that need no table of texts.
using sql_row_fn = std::function<void(int count, char** cells)>;
int sql_exec(sqlite3* handle, const std::string& statement, const sql_row_fn& on_row);
// Opens, runs and closes.
int sql_run(const std::string& path, const std::string& statement, sql_table* rows = nullptr);

// UTF-8 path of config.db under app_data_path.
std::string db_path();
// Opens config.db for a batch of statements; null on failure. Close it with
// db_close().
sqlite3* db_open();
void db_close(sqlite3* handle);
// Batch transaction on one handle. db_begin takes the write lock at once so a
// concurrent writer waits (busy time-out) instead of failing.
int db_begin(sqlite3* handle);
int db_commit(sqlite3* handle);
int db_rollback(sqlite3* handle);
// Whether a transaction is open on the handle (SQLite ends one by itself on
// some failures, a full disk among them).
bool db_in_transaction(sqlite3* handle);

// Schema step, once per start before any other operation: creates the tables,
// migrates older layouts. Never overwrites a file that is not a database.
int db_init();

// A data set identifier "1_<seconds>_<random>", unique in data_import and
// among identifiers handed out by this process.
std::string make_dataset_id();

// ---- data_import -----------------------------------------------------------

// Inserts a data set row; its time is now (time_stamp_text).
int data_import_db_insert(const std::wstring& local_root, const std::wstring& name,
                          const std::string& sn, const std::string& id,
                          const std::string& app_name);
// The same on an open handle, inside a batch of that handle.
int data_import_db_insert(sqlite3* handle, const std::wstring& local_root, const std::wstring& name,
                          const std::string& sn, const std::string& id,
                          const std::string& app_name);
// Every data set, newest first. *result (when given) receives the result
// code: an empty list may be a failure.
std::vector<import_data_info> data_import_db_select_all(int* result = nullptr);
// The first row with this id (app_name left empty); an empty record when none.
import_data_info data_import_db_select_by_id(const std::string& id);
bool data_import_db_name_exists(const std::wstring& name);
// The same on an open handle, inside its transaction; the result code.
int data_import_db_name_exists(sqlite3* handle, const std::wstring& name, bool& exists);
// Stores the record's name and local_root in the row selected by its time and sn.
int data_import_db_rename(const import_data_info& info);
int data_import_db_delete(const std::string& id);

// ---- data_list -------------------------------------------------------------

// An item row as it is inserted (texts in UTF-8).
struct data_list_insert_row {
    std::string data_import_id;
    std::string dir_name;
    std::string data_name;
    std::string data_note;
    double distance = 0;
    std::string time;
    int32_t data_type = 0;
    int32_t fs = 0;
    int32_t dd_start_frame_idx = 0;
    double spl = 0;
    int32_t valid_type = 0;
    int32_t frame_num = 0;
    int32_t discharge = 0;
    int32_t favorite = 0;
};

// An item row as it is updated, selected by data_import_id and time.
struct data_list_update_row {
    std::string data_import_id;
    std::string data_name;
    std::string data_note;
    double distance = 0;
    std::string time;
    int32_t dd_start_frame_idx = 0;
    double spl = 0;
    int32_t valid_type = 0;
    int32_t discharge = 0;
    int32_t favorite = 0;
};

// Builds the insert row of an item record (wide texts to UTF-8).
data_list_insert_row make_insert_row(const data_info& item);
data_list_update_row make_update_row(const data_info& item);

// Inserts on an open handle (batches: wrap in db_begin / db_commit).
int data_list_db_insert(sqlite3* handle, const data_list_insert_row& row);
int data_list_db_update(const data_list_update_row& row);
int data_list_db_update_time(const std::string& new_time, const std::string& data_import_id,
                             const std::string& old_time);
// The same two on an open handle (the detail view's apply step).
int data_list_db_update(sqlite3* handle, const data_list_update_row& row);
int data_list_db_update_time(sqlite3* handle, const std::string& new_time,
                             const std::string& data_import_id, const std::string& old_time);
int data_list_db_delete_dataset(const std::string& data_import_id);
int data_list_db_delete_item(const std::string& data_import_id, const std::string& time);
// Number of items of a data set; 0 when none or on failure (*result tells).
int data_list_db_count(const std::string& data_import_id, int* result = nullptr);
bool data_list_db_name_exists(const std::string& data_import_id, const std::wstring& data_name);

// Items of one data set, newest first. No flag set: every item; otherwise the
// items matching any flag set. *result (when given) receives the result code.
std::vector<data_info> data_list_db_select(const import_data_info& dataset, bool normal, bool check,
                                           bool favorite, int* result = nullptr);
std::vector<data_info> data_list_db_select_discharge(const import_data_info& dataset, bool level0,
                                                     bool level1, bool level2, bool level3,
                                                     bool level4, bool favorite,
                                                     int* result = nullptr);
// Items of every data set whose name or note contains the text, newest first.
std::vector<data_info> data_list_db_search(const std::wstring& text, bool normal, bool check,
                                           bool favorite, int* result = nullptr);
std::vector<data_info> data_list_db_search_discharge(const std::wstring& text, bool level0,
                                                     bool level1, bool level2, bool level3,
                                                     bool level4, bool favorite,
                                                     int* result = nullptr);

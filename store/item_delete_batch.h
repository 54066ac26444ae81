#pragma once
// The database side of one delete task: every data_list and data_import row
// it deletes goes through one connection inside one transaction, committed
// once at the end. Thousands of items then cost one commit instead of one
// connection and one journal sync each.
// Threading: the thread that constructed it, for its whole life.

#include "store/records.h"

#include <string>

struct sqlite3;
struct sqlite3_stmt;

class item_delete_batch {
public:
    // Opens config.db and takes the write lock (waiting up to the busy
    // time-out for another writer). begin_result() tells whether it did.
    item_delete_batch();
    // Rolls back what was not committed, and closes.
    ~item_delete_batch();
    item_delete_batch(const item_delete_batch&) = delete;
    item_delete_batch& operator=(const item_delete_batch&) = delete;

    // 0 when the transaction is open; otherwise an SQLite result code and
    // every other call fails with it.
    int begin_result() const { return begin_rc_; }

    // The item's data_list row (by data_import_id and time).
    int delete_item(const std::string& data_import_id, const std::string& time);
    // Rows the data set has left in this transaction; -1 on failure.
    int count(const std::string& data_import_id);
    // The data set's data_import row (app_name left empty); empty when none.
    import_data_info select_dataset(const std::string& id);
    int delete_dataset(const std::string& id);
    // Makes everything above permanent. 0 or the result code (rolled back).
    int commit();

private:
    sqlite3* db_ = nullptr;
    sqlite3_stmt* delete_item_ = nullptr;
    int begin_rc_ = 0;
    bool open_ = false; // a transaction is open
};

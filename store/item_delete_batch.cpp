#include "store/item_delete_batch.h"

#include "core/app_log.h"
#include "platform/text.h"
#include "store/database.h"
#include "store/database_sql.h"

#include <sqlite3.h>

#include <cstdlib>

item_delete_batch::item_delete_batch() {
    begin_rc_ = sql_open(db_path(), &db_);
    if (begin_rc_ != SQLITE_OK)
        return;
    begin_rc_ = db_begin(db_);
    open_ = begin_rc_ == SQLITE_OK;
}

item_delete_batch::~item_delete_batch() {
    sqlite3_finalize(delete_item_);
    if (open_)
        db_rollback(db_);
    if (db_)
        db_close(db_);
}

int item_delete_batch::delete_item(const std::string& data_import_id, const std::string& time) {
    if (!open_)
        return begin_rc_ ? begin_rc_ : SQLITE_MISUSE;
    static const char* const statement =
        "delete from data_list where data_import_id = ? and time = ?";
    int rc = SQLITE_OK;
    // Prepared once and bound per item: parsing the statement anew for each
    // of thousands of items would cost more than deleting the rows.
    if (!delete_item_)
        rc = sqlite3_prepare_v2(db_, statement, -1, &delete_item_, nullptr);
    if (rc == SQLITE_OK) {
        sqlite3_reset(delete_item_);
        sqlite3_bind_text(delete_item_, 1, data_import_id.c_str(), int(data_import_id.size()),
                          SQLITE_TRANSIENT);
        sqlite3_bind_text(delete_item_, 2, time.c_str(), int(time.size()), SQLITE_TRANSIENT);
        rc = sqlite3_step(delete_item_);
        if (rc == SQLITE_DONE)
            rc = SQLITE_OK;
    }
    if (rc != SQLITE_OK)
        app_log("sql_exec: errno:%d %s delete from data_list where data_import_id = '%s' and "
                "time = '%s'",
                rc, sqlite3_errmsg(db_), data_import_id.c_str(), time.c_str());
    return rc;
}

int item_delete_batch::count(const std::string& data_import_id) {
    if (!open_)
        return -1;
    sql_table rows;
    if (sql_exec(db_, data_list_count_sql(data_import_id), &rows) != SQLITE_OK || rows.empty() ||
        rows[0].empty())
        return -1;
    return std::atoi(rows[0][0].c_str());
}

import_data_info item_delete_batch::select_dataset(const std::string& id) {
    import_data_info d;
    sql_table rows;
    if (!open_ ||
        sql_exec(db_, sql_format("select * from data_import where id='%q'", id.c_str()), &rows) !=
            SQLITE_OK ||
        rows.empty() || rows[0].size() < 5)
        return d;
    d.id = rows[0][0];
    d.time = rows[0][1];
    d.local_root = utf8_to_wide(rows[0][2]);
    d.name = utf8_to_wide(rows[0][3]);
    d.sn = rows[0][4];
    return d;
}

int item_delete_batch::delete_dataset(const std::string& id) {
    if (!open_)
        return begin_rc_ ? begin_rc_ : SQLITE_MISUSE;
    return sql_exec(db_, sql_format("delete from data_import where id = '%q'", id.c_str()));
}

int item_delete_batch::commit() {
    if (!open_)
        return begin_rc_ ? begin_rc_ : SQLITE_MISUSE;
    sqlite3_finalize(delete_item_);
    delete_item_ = nullptr;
    const int rc = db_commit(db_);
    if (rc != SQLITE_OK)
        db_rollback(db_);
    open_ = false;
    return rc;
}

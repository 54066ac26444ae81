// Local data import: the import of data set directories.

#include "app/tasks/local_import.h"

#include "analysis/datafile/data_file.h"
#include "core/app_log.h"
#include "platform/text.h"
#include "store/database.h"
#include "store/db_messages.h"
#include "store/file_util.h"

#include <algorithm>
#include <cmath>

namespace {

double finite_or_zero(double v) {
    return std::isfinite(v) ? v : 0.0;
}

// One item directory into a record, in the reading order of an item's files.
// A directory is an item when it holds a regular file Data.dat.
bool read_item(const std::wstring& root, const std::wstring& sub_path, data_info& d) {
    const std::wstring dat = sub_path + L"/Data.dat";
    if (!regular_file_exists(dat))
        return false;
    d.data_dir = sub_path;
    d.dir_name = local_root_name(sub_path);
    d.dd_start_frame_idx = 0;
    d.spl = 0;
    std::vector<signal_frame_ptr> frames;
    int32_t one = 1;
    bool at_end = false;
    read_data_frames(dat, 0, one, frames, d, at_end);
    if (!frames.empty())
        d.spl = frames[0]->spl;
    frames.clear();
    if (!d.index_table.empty()) {
        d.frame_num = int32_t(std::min<size_t>(d.index_table.size(), INT32_MAX));
    } else {
        int32_t count = 0;
        count_data_frames(dat, count);
        d.frame_num = count;
    }
    const std::wstring note = sub_path + L"/note.json";
    read_data_note(&note, d);
    read_data_edit(d);
    if (d.data_name.empty()) // a name, not a path: bytes that are no UTF-8 show as U+FFFD
        d.data_name = platform::display_text(d.dir_name);
    // A silent frame gives -inf dB; the row must still hold a number.
    d.spl = finite_or_zero(d.spl);
    d.distance = finite_or_zero(d.distance);
    return true;
}

} // namespace

local_import_result import_local_roots(const std::vector<std::wstring>& roots_in,
                                       const std::atomic<uint8_t>& abort,
                                       const std::function<void(double)>& progress,
                                       const local_import_options& options) {
    local_import_result res;
    std::vector<std::wstring> roots;
    for (const auto& r : roots_in)
        roots.push_back(trim_dir_root(r));
    std::vector<std::vector<std::wstring>> subdirs(roots.size());
    for (size_t i = 0; i < roots.size(); ++i) {
        list_subdirectories(roots[i], subdirs[i]);
        std::sort(subdirs[i].begin(), subdirs[i].end());
        res.total += int(subdirs[i].size());
    }
    app_log("import_local_data total_num:%d", res.total);
    if (res.total < 1)
        return res;

    sqlite3* db = nullptr;
    const int open_rc = sql_open(db_path(), &db);
    // Remembers why the import stops; the set it stopped in is rolled back.
    auto fail = [&](const std::wstring& root, int rc) {
        res.failure = db_failure_of(db, rc);
        res.failure_code = rc;
        res.failed_root = root;
        res.failure_text = db_failure_text(res.failure, rc).toStdString();
        app_log("import_local_data %s err:%d %s", wide_to_utf8(root).c_str(), rc,
                res.failure_text.c_str());
    };
    if (open_rc != 0) {
        fail(roots.front(), open_rc);
        return res;
    }
    for (size_t r = 0; r < roots.size(); ++r) {
        if (abort.load(std::memory_order_relaxed)) {
            res.aborted = true;
            break;
        }
        if (subdirs[r].empty())
            continue;
        const std::wstring name = platform::display_text(local_root_name(roots[r]));
        // The write lock first: the name check and the rows of the set are
        // one transaction, so two imports of one name cannot both pass.
        const bool batch = options.one_transaction;
        int rc = batch ? db_begin(db) : 0;
        bool taken = false;
        if (rc == 0)
            rc = data_import_db_name_exists(db, name, taken);
        if (rc == 0 && taken) {
            app_log("import_local_data name exists:%s", wide_to_utf8(name).c_str());
            if (batch)
                db_rollback(db);
            res.name_taken.push_back(roots[r]);
            continue;
        }
        const std::string id = rc == 0 ? make_dataset_id() : std::string();
        int inserted = 0;
        std::string app_name;
        for (const std::wstring& sub : subdirs[r]) {
            if (rc != 0)
                break;
            if (abort.load(std::memory_order_relaxed)) {
                res.aborted = true;
                break;
            }
            ++res.processed;
            data_info d;
            d.data_import_id = id;
            if (!read_item(roots[r], sub, d))
                continue;
            rc = data_list_db_insert(db, make_insert_row(d));
            if (rc != 0)
                break;
            if (inserted == 0)
                app_name = d.app_name;
            ++inserted;
            if (progress)
                progress(double(res.processed) / double(res.total));
        }
        // Rows of items already read are kept, also after an abort.
        if (rc == 0 && inserted > 0)
            rc = data_import_db_insert(db, roots[r], name, options.sn, id, app_name);
        if (rc == 0 && batch)
            rc = db_commit(db);
        if (rc != 0) {
            fail(roots[r], rc);
            if (db_in_transaction(db))
                db_rollback(db);
            break;
        }
        if (inserted > 0) {
            res.import_ids.push_back(id);
            res.import_roots.push_back(roots[r]);
            res.import_items.push_back(inserted);
            res.inserted_all += inserted;
        }
        if (res.aborted)
            break;
    }
    db_close(db);
    return res;
}

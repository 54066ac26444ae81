// Local data import: the import of data set directories.

#include "app/tasks/local_import.h"

#include "analysis/datafile/data_file.h"
#include "core/app_log.h"
#include "platform/text.h"
#include "store/database.h"
#include "store/file_util.h"

#include <algorithm>
#include <cmath>

namespace {

double finite_or_zero(double v) {
    return std::isfinite(v) ? v : 0.0;
}

// One item directory into a record, in the reading order of an item's files.
bool read_item(const std::wstring& root, const std::wstring& sub_path, data_info& d) {
    const std::wstring dat = sub_path + L"/Data.dat";
    if (!path_exists(dat))
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
    if (d.data_name.empty())
        d.data_name = d.dir_name;
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

    sqlite3* db = db_open();
    for (size_t r = 0; r < roots.size(); ++r) {
        if (abort.load(std::memory_order_relaxed)) {
            res.aborted = true;
            break;
        }
        if (subdirs[r].empty())
            continue;
        const std::string id = make_dataset_id();
        int inserted = 0;
        std::string app_name;
        const bool batch = options.one_transaction && db && db_begin(db) == 0;
        for (const std::wstring& sub : subdirs[r]) {
            if (abort.load(std::memory_order_relaxed)) {
                res.aborted = true;
                break;
            }
            ++res.processed;
            data_info d;
            d.data_import_id = id;
            if (!read_item(roots[r], sub, d))
                continue;
            if (data_list_db_insert(db, make_insert_row(d)) == 0) {
                if (inserted == 0)
                    app_name = d.app_name;
                ++inserted;
            }
            if (progress)
                progress(double(res.processed) / double(res.total));
        }
        bool registered =
            inserted > 0 && data_import_db_insert(db, roots[r], local_root_name(roots[r]),
                                                  options.sn, id, app_name) == 0;
        // Rows of items already read are kept, also after an abort.
        if (batch && db_commit(db) != 0) {
            db_rollback(db);
            inserted = 0;
            registered = false;
        }
        if (registered) {
            res.import_ids.push_back(id);
            res.import_roots.push_back(roots[r]);
            res.import_items.push_back(inserted);
        }
        res.inserted_all += inserted;
        if (res.aborted)
            break;
    }
    if (db)
        db_close(db);
    return res;
}

// Worker tasks of the data browser: page reading and the delete / remove of
// data items.

#include "app/tasks/orn_func_obj.h"
#include "app/tasks/task_awake.h"
#include "core/app_log.h"
#include "store/database.h"
#include "store/file_util.h"

#include <set>

void orn_func_obj::read_local_data(int total_num, int page_num) {
    app_log("read_local_data %d,%d", total_num, page_num);
    for (int k = 0; k < page_size_; ++k) {
        const int idx = page_num * page_size_ + k;
        if (idx >= total_num)
            break;
        Q_EMIT read_one_data_finish(idx);
    }
    Q_EMIT read_one_page_finish();
}

void orn_func_obj::delete_data(std::vector<data_info>* data_info_vector,
                               std::vector<int>* delete_list, bool rm) {
    delete_abort_.store(0, std::memory_order_relaxed);
    task_awake awake;
    bool dataset_deleted = false;
    if (data_info_vector && delete_list) {
        const std::vector<data_info>& items = *data_info_vector;
        // An empty selection stands for every item of the result.
        const bool all = delete_list->empty();
        const int n = all ? static_cast<int>(items.size()) : static_cast<int>(delete_list->size());
        std::set<std::string> dataset_ids;
        for (int i = 0; i < n; ++i) {
            if (delete_abort_.load(std::memory_order_relaxed))
                break;
            const int idx = all ? i : (*delete_list)[i];
            if (idx >= 0 && idx < static_cast<int>(items.size())) {
                const data_info& d = items[idx];
                dataset_ids.insert(d.data_import_id);
                data_list_db_delete_item(d.data_import_id, d.time);
                if (rm && dir_exists(d.data_dir))
                    delete_path(d.data_dir);
            }
            Q_EMIT delete_data_progress(static_cast<double>(i + 1) / n);
        }
        for (const std::string& id : dataset_ids) {
            app_log("del data_import_id:%s", id.c_str());
            if (data_list_db_count(id) != 0)
                continue;
            const import_data_info dataset = data_import_db_select_by_id(id);
            data_import_db_delete(id);
            // "Remove" never touches the user's files, even when it empties
            // the dataset: only "Delete" takes the directory with it.
            if (rm && !dataset.local_root.empty() && dir_exists(dataset.local_root))
                delete_path(dataset.local_root);
            dataset_deleted = true;
        }
    }
    Q_EMIT delete_data_finish(true, std::string(), dataset_deleted);
    app_log("delete_data finish thread");
}

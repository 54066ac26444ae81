#include "app/tasks/delete_items.h"

#include "core/app_log.h"
#include "store/file_util.h"
#include "store/item_delete_batch.h"

#include <set>
#include <string>

std::vector<data_info> delete_selection(const std::vector<data_info>& items,
                                        const std::vector<int>& selection) {
    if (selection.empty())
        return items;
    std::vector<data_info> out;
    out.reserve(selection.size());
    for (int idx : selection)
        if (idx >= 0 && idx < static_cast<int>(items.size()))
            out.push_back(items[static_cast<size_t>(idx)]);
    return out;
}

delete_items_result delete_items(const std::vector<data_info>& items, bool rm,
                                 const std::atomic<uint8_t>& abort,
                                 const std::function<void(double)>& progress) {
    delete_items_result r;
    item_delete_batch batch;
    r.db_result = batch.begin_result();
    if (r.db_result != 0) {
        // Nothing is touched, files included: the rows could not follow.
        app_log("delete_data db begin err:%d", r.db_result);
        return r;
    }
    const int n = static_cast<int>(items.size());
    std::set<std::string> dataset_ids;
    for (int i = 0; i < n; ++i) {
        if (abort.load(std::memory_order_relaxed)) {
            r.aborted = true;
            break;
        }
        const data_info& d = items[static_cast<size_t>(i)];
        dataset_ids.insert(d.data_import_id);
        // The row stays while the item's files do: the list never forgets
        // an item that is still on disk after a failed Delete.
        if (rm && dir_exists(d.data_dir) && delete_path(d.data_dir) != 0 &&
            dir_exists(d.data_dir)) {
            ++r.kept;
        } else if (batch.delete_item(d.data_import_id, d.time) == 0) {
            ++r.removed;
        }
        ++r.handled;
        if (progress)
            progress(static_cast<double>(i + 1) / n);
    }
    std::vector<std::wstring> emptied_roots;
    for (const std::string& id : dataset_ids) {
        app_log("del data_import_id:%s", id.c_str());
        if (batch.count(id) != 0)
            continue;
        const import_data_info dataset = batch.select_dataset(id);
        if (batch.delete_dataset(id) != 0)
            continue;
        // "Remove" never touches the user's files, even when it empties the
        // dataset: only "Delete" takes the directory with it.
        if (rm && !dataset.local_root.empty())
            emptied_roots.push_back(dataset.local_root);
        r.dataset_deleted = true;
    }
    r.db_result = batch.commit();
    if (r.db_result != 0) {
        app_log("delete_data db commit err:%d", r.db_result);
        r.removed = 0;
        r.dataset_deleted = false;
        return r;
    }
    // Only once the rows are gone for good.
    for (const std::wstring& root : emptied_roots)
        if (dir_exists(root))
            delete_path(root);
    return r;
}

// Worker tasks of the data browser: page reading and the delete / remove of
// data items.

#include "app/tasks/delete_items.h"
#include "app/tasks/orn_func_obj.h"
#include "app/tasks/task_awake.h"
#include "core/app_log.h"

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
    // The task's own copy of every record, taken before anything waits: the
    // window may replace its array once the progress dialog has gone.
    const std::vector<data_info> items = data_info_vector && delete_list
                                             ? delete_selection(*data_info_vector, *delete_list)
                                             : std::vector<data_info>();
    const delete_items_result r = delete_items(
        items, rm, delete_abort_, [this](double v) { Q_EMIT delete_data_progress(v); });
    QString info;
    if (r.db_result != 0)
        info = tr("The dataset database could not be updated (error %1). Nothing was removed "
                  "from the list.")
                   .arg(r.db_result);
    else if (r.kept > 0)
        info = tr("%n data item(s) could not be deleted from the disk and stay in the list.", "",
                  r.kept);
    Q_EMIT delete_data_finish(info.isEmpty(), info.toStdString(), r.dataset_deleted);
    app_log("delete_data finish thread");
}

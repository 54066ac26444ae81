// The worker's report task: the window's item array and selection become a
// report through run_report(), with the analysis object and the plot object
// drawing each item's pictures while the task waits.

#include "app/tasks/orn_func_obj.h"

#include "analysis/data_detail_func_obj.h"
#include "app/tasks/task_awake.h"
#include "core/app_log.h"

void orn_func_obj::gen_report(std::vector<data_info>* data_info_vector, std::vector<int>* gen_list,
                              import_data_info import_data) {
    task_awake awake;
    report_abort_.store(0);
    // The selected items are copied at once: after an abort the window's
    // progress dialog closes and the window may change its array while the
    // current item is still being finished here.
    std::vector<data_info> items;
    if (data_info_vector) {
        if (!gen_list || gen_list->empty()) {
            items = *data_info_vector;
        } else {
            for (int idx : *gen_list)
                if (idx >= 0 && idx < int(data_info_vector->size()))
                    items.push_back((*data_info_vector)[size_t(idx)]);
        }
    }
    report_callbacks cb;
    cb.progress = [this](double v) { Q_EMIT gen_report_progress(v); };
    cb.request_plots = [this](const data_info& d) {
        Q_EMIT report_one_new_data(d);
        if (detail_) {
            data_info run = d;
            run.frame_read_num = 25;
            detail_->data_detail_handle_add(run);
        }
        Q_EMIT update_plot(1);
    };
    last_report_ = run_report(items, import_data, report_settings_from_config(), report_abort_,
                              report_sync_, cb);
    app_log("gen_report_finish thread");
    Q_EMIT gen_report_finish(last_report_.target, last_report_.success, last_report_.info);
}

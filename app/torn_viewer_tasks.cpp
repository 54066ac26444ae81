// Worker tasks started from the browser and the dataset list: delete or
// remove of items, and the local data import.
#include "app/torn_viewer.h"

#include "app/tasks/delete_items.h"
#include "app/tasks/orn_func_obj.h"
#include "core/app_log.h"
#include "ui/data_list_widget.h"
#include "ui/data_tool_bar.h"
#include "ui/kit/t_orn_msg_box.h"
#include "ui/kit/task_progress_widget.h"
#include "ui/preview_item_widget.h"
#include "ui/ui_util.h"

#include <QListWidget>

void TOrnViewer::on_delete_btn_clicked(bool rm) {
    app_log("on_delete_btn_clicked %d", rm ? 1 : 0);
    delete_rm_ = rm;
    selection_.clear();
    if (!tool_bar_->select_all_checked()) {
        for (int row = 0; row < preview_list_->count(); ++row) {
            preview_item_widget* t = tile(row);
            if (t && t->is_checked())
                selection_.push_back(t->index());
        }
    }
    // An empty selection means every item; with no item there is nothing to do.
    if ((!tool_bar_->select_all_checked() && selection_.empty()) || data_info_vector_.empty()) {
        show_msg_box(tr("Warning"), tr("Please select the data you want to delete/remove!"), 1, 1);
        return;
    }
    const QString text =
        rm ? tr("Confirm deletion of a dataset? The dataset is not recoverable after deletion!")
           : tr("Confirm to remove data from dataset?");
    t_orn_msg_box* box = show_msg_box(tr("Deleting a dataset"), text, 1, 1);
    connect(box, &t_orn_msg_box::msg_ok, this, &TOrnViewer::start_delete_data);
}

void TOrnViewer::start_delete_data() {
    app_log("TOrnViewer::start_delete_data");
    auto* dlg = new delete_data_progress_widget();
    dlg->setWindowModality(Qt::ApplicationModal);
    connect(dlg, &task_progress_widget::task_abort, this, &TOrnViewer::abort_delete_data);
    connect(worker_, &orn_func_obj::delete_data_progress, dlg,
            &task_progress_widget::update_progress_value);
    connect(worker_, &orn_func_obj::delete_data_finish, dlg,
            &delete_data_progress_widget::delete_data_finish);
    dlg->show();
    delete_job& job = delete_jobs_.emplace_back();
    job.items = delete_selection(data_info_vector_, selection_);
    Q_EMIT delete_data_signal(&job.items, &job.selection, delete_rm_);
}

void TOrnViewer::abort_delete_data() {
    worker_->abort_delete_data();
}

void TOrnViewer::delete_data_finish(bool success, std::string info, bool delete_dateset_flag) {
    if (!delete_jobs_.empty())
        delete_jobs_.pop_front();
    if (!success && !info.empty())
        show_msg_box(tr("Warning"), QString::fromStdString(info), 1, 1);
    // A dataset emptied by the task is gone from the database: the list must
    // not offer it any longer, whichever view the task started from.
    if (search_mode_) {
        if (delete_dateset_flag)
            data_list_->update_data_list();
        tool_bar_->search_again();
        return;
    }
    data_list_->click_current_row();
    if (delete_dateset_flag)
        data_list_->update_data_list();
}

void TOrnViewer::start_import_local_data(std::vector<std::wstring> root_vec) {
    auto* dlg = new import_local_data_progress_widget();
    dlg->setWindowModality(Qt::ApplicationModal);
    connect(dlg, &task_progress_widget::task_abort, this, &TOrnViewer::import_local_data_abort);
    connect(worker_, &orn_func_obj::update_import_local_progress, dlg,
            &task_progress_widget::update_progress_value);
    connect(worker_, &orn_func_obj::import_local_data_finish, dlg,
            &import_local_data_progress_widget::import_finish);
    dlg->show();
    Q_EMIT import_local_data(root_vec);
}

void TOrnViewer::import_local_data_abort() {
    worker_->abort_import_local_data();
}

void TOrnViewer::import_local_data_finish(bool success, std::string info) {
    // A set that could not be stored is a warning, not a piece of news.
    show_msg_box(tr("Local data import"), QString::fromStdString(info), success ? 0 : 1, 1);
    data_list_->update_data_list();
}

// Leak survey: the dataset list's "Leak survey" entry and the tool bar's
// button, the survey dialog's detail views and their Apply, and its Word
// document as a worker task.
#include "app/torn_viewer.h"

#include "app/tasks/orn_func_obj.h"
#include "core/app_config.h"
#include "core/app_log.h"
#include "platform/text.h"
#include "store/database.h"
#include "ui/data_list_widget.h"
#include "ui/data_tool_bar.h"
#include "ui/detail/data_detail_widget.h"
#include "ui/kit/t_orn_msg_box.h"
#include "ui/kit/task_progress_widget.h"
#include "ui/preview_item_widget.h"
#include "ui/survey/leak_survey_widget.h"
#include "ui/ui_util.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QListWidget>

leak_survey_widget* TOrnViewer::survey_dialog() const {
    return survey_;
}

void TOrnViewer::connect_survey() {
    register_survey_meta_types();
    connect(data_list_, &data_list_widget::leak_survey_requested, this,
            &TOrnViewer::on_leak_survey_requested);
    connect(tool_bar_, &data_tool_bar::survey_btn_clicked, this,
            &TOrnViewer::on_survey_btn_clicked);
    connect(this, &TOrnViewer::check_gas_leak_items, worker_, &orn_func_obj::check_gas_leak_items);
    connect(this, &TOrnViewer::gen_survey_report, worker_, &orn_func_obj::gen_survey_report);
    connect(worker_, &orn_func_obj::gas_leak_check_finish, this,
            &TOrnViewer::gas_leak_check_finish);
    connect(worker_, &orn_func_obj::survey_report_finish, this, &TOrnViewer::survey_report_finish);
}

void TOrnViewer::on_leak_survey_requested(import_data_info info) {
    app_log("on_leak_survey_requested %s", wide_to_utf8(info.name).c_str());
    open_leak_survey(info, data_list_db_select(info, false, false, false));
}

void TOrnViewer::on_survey_btn_clicked() {
    app_log("on_survey_btn_clicked");
    if (search_mode_ || !has_dataset_)
        return;
    // The checked tiles, or every item shown when none is checked.
    std::vector<data_info> items;
    if (!tool_bar_->select_all_checked()) {
        for (int row = 0; row < preview_list_->count(); ++row) {
            preview_item_widget* t = tile(row);
            if (t && t->is_checked() && t->index() < int(data_info_vector_.size()))
                items.push_back(data_info_vector_[size_t(t->index())]);
        }
    }
    if (items.empty())
        items = data_info_vector_;
    open_leak_survey(current_dataset_, std::move(items));
}

void TOrnViewer::open_leak_survey(const import_data_info& dataset, std::vector<data_info> items) {
    if (survey_) {
        survey_->raise();
        survey_->activateWindow();
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QElapsedTimer timer;
    timer.start();
    leak_survey s = build_leak_survey(items, app_cfg.co2_kg_per_kwh);
    app_log("open_leak_survey %s items:%d leaks:%d %.3f", wide_to_utf8(dataset.name).c_str(),
            s.items, int(s.leaks.size()), timer.nsecsElapsed() / 1e9);
    survey_rows_ = std::move(items);
    auto* dlg = new leak_survey_widget(dataset, std::move(s));
    survey_ = dlg;
    connect(dlg, &leak_survey_widget::open_item_requested, this, &TOrnViewer::survey_open_item);
    connect(dlg, &leak_survey_widget::export_report_requested, this,
            &TOrnViewer::survey_export_report);
    dlg->setWindowModality(Qt::ApplicationModal);
    dlg->show();
    QApplication::restoreOverrideCursor();
}

void TOrnViewer::survey_open_item(int leak) {
    if (!survey_)
        return;
    const leak_survey& s = survey_->survey();
    // The detail view steps through the leaks in the order the table shows.
    survey_detail_.clear();
    survey_detail_leaks_.clear();
    int index = -1;
    for (int k : survey_->leaks_in_view_order()) {
        const int source = s.leaks[size_t(k)].source;
        if (source < 0 || source >= int(survey_rows_.size()))
            continue;
        if (k == leak)
            index = int(survey_detail_.size());
        survey_detail_.push_back(survey_rows_[size_t(source)]);
        survey_detail_leaks_.push_back(k);
    }
    if (index < 0)
        return;
    app_log("survey_open_item %d", leak);
    auto* dlg = new data_detail_widget(&survey_detail_, index, 0, detail_obj_);
    connect(dlg, &data_detail_widget::data_name_change, this, [this](int idx, std::string) {
        if (idx < 0 || idx >= int(survey_detail_.size()))
            return;
        // The detail view has updated its entry of the list to the stored row.
        const data_info& row = survey_detail_[size_t(idx)];
        if (survey_) {
            const int leak = survey_detail_leaks_[size_t(idx)];
            const int source = survey_->survey().leaks[size_t(leak)].source;
            if (source >= 0 && source < int(survey_rows_.size()))
                survey_rows_[size_t(source)] = row;
            survey_->refresh_item(row.data_dir);
        }
        survey_item_applied(row);
    });
    // Parameters are stored without Apply: every leak is read again on close.
    connect(dlg, &QObject::destroyed, this, [this] {
        if (survey_)
            survey_->refresh_all();
    });
    dlg->setWindowModality(Qt::ApplicationModal);
    dlg->show();
}

void TOrnViewer::survey_item_applied(const data_info& row) {
    for (size_t i = 0; i < data_info_vector_.size(); ++i) {
        data_info& b = data_info_vector_[i];
        if (b.data_dir != row.data_dir)
            continue;
        b.data_name = row.data_name;
        b.data_note = row.data_note;
        b.distance = row.distance;
        b.spl = row.spl;
        b.valid_type = row.valid_type;
        b.discharge = row.discharge;
        b.favorite = row.favorite;
        b.dd_start_frame_idx = row.dd_start_frame_idx;
        b.time = row.time;
        data_detail_data_name_change(int(i), wide_to_utf8(row.data_name));
        data_detail_data_time_change(int(i), row.time);
    }
}

void TOrnViewer::survey_export_report(std::wstring path) {
    if (!survey_)
        return;
    app_log("survey_export_report %s", wide_to_utf8(path).c_str());
    auto* progress = new report_progress_widget();
    progress->setWindowModality(Qt::ApplicationModal);
    // Direct: the worker is busy with the document and polls the flag.
    connect(progress, &report_progress_widget::report_abort, this,
            [this] { worker_->abort_survey_report(); });
    connect(worker_, &orn_func_obj::survey_report_progress, progress,
            &report_progress_widget::update_progress_value);
    connect(worker_, &orn_func_obj::survey_report_finish, progress,
            &report_progress_widget::gen_report_finish);
    progress->show();
    Q_EMIT gen_survey_report(survey_->survey(), path, app_cfg.lang == 1 ? 1 : 0,
                             survey_->dataset().name);
}

void TOrnViewer::survey_report_finish(std::wstring path, bool success, std::string info) {
    if (!success) {
        show_msg_box(tr("Report generation warning"), QString::fromStdString(info), 1, 1);
        return;
    }
    report_root_ = path;
    t_orn_msg_box* box = show_msg_box(
        tr("Report generation"),
        tr("Report generation is complete! Click \"Confirm\" to open the report table of contents"),
        0, 0);
    connect(box, &t_orn_msg_box::msg_ok, this, &TOrnViewer::explorer_report_root);
}

void TOrnViewer::request_gas_leak_check() {
    const int serial = ++leak_check_serial_;
    if (search_mode_ || data_info_vector_.empty()) {
        tool_bar_->set_survey_visible(false);
        return;
    }
    // The button keeps its state until the answer comes: no flicker when the
    // same dataset is shown again with other filters.
    std::vector<std::wstring> dirs;
    dirs.reserve(data_info_vector_.size());
    for (const data_info& d : data_info_vector_)
        dirs.push_back(d.data_dir);
    Q_EMIT check_gas_leak_items(serial, std::move(dirs));
}

void TOrnViewer::gas_leak_check_finish(int serial, bool found) {
    if (serial == leak_check_serial_ && !search_mode_)
        tool_bar_->set_survey_visible(found);
}

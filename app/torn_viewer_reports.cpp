// Report generation: the gate before a report, the report's window side
// (information and directory dialogs, progress, the plot handshake) and its
// result.
#include "app/torn_viewer.h"

#include "analysis/data_detail_func_obj.h"
#include "app/tasks/orn_func_obj.h"
#include "core/app_log.h"
#include "platform/shell.h"
#include "platform/text.h"
#include "report/report_plot_obj.h"
#include "report/word_automation.h"
#include "ui/data_tool_bar.h"
#include "ui/dir_setting_widget.h"
#include "ui/kit/t_orn_msg_box.h"
#include "ui/kit/task_progress_widget.h"
#include "ui/preview_item_widget.h"
#include "ui/report/report_info_widget.h"
#include "ui/ui_util.h"

#include <QListWidget>

int TOrnViewer::word_availability() {
    return reporter_checker();
}

void TOrnViewer::on_gen_report_btn_clicked() {
    app_log("on_gen_report_btn_clicked");
    if (search_mode_) {
        show_msg_box(tr("Prompt"), tr("Data search cannot be used for report generation!"), 1, 1);
        return;
    }
    if (word_ok_ != 0) {
        show_msg_box(tr("Warning"),
                     tr("WORD application failed to load. Report generation will not be "
                        "possible!"),
                     1, 1);
        return;
    }
    if (data_info_vector_.empty()) {
        show_msg_box(tr("Warning"), tr("Data selection is required for report generation!"), 1, 1);
        return;
    }
    selection_.clear();
    if (tool_bar_->select_all_checked()) {
        for (int i = 0; i < static_cast<int>(data_info_vector_.size()); ++i)
            selection_.push_back(i);
    } else {
        for (int row = 0; row < preview_list_->count(); ++row) {
            preview_item_widget* t = tile(row);
            if (t && t->is_checked())
                selection_.push_back(t->index());
        }
        if (selection_.empty()) {
            show_msg_box(tr("Warning"),
                         tr("Please select the data you want to generate a report for!"), 1, 1);
            return;
        }
    }
    auto* dlg = new report_info_widget();
    dlg->setWindowModality(Qt::ApplicationModal);
    connect(dlg, &report_info_widget::start_gen_report, this, &TOrnViewer::start_gen_report);
    dlg->show();
}

void TOrnViewer::start_gen_report() {
    app_log("TOrnViewer::start_gen_report");
    // The report goes on once the directory dialog has closed, whichever way.
    auto* dlg = new set_report_path_widget();
    dlg->setWindowModality(Qt::ApplicationModal);
    connect(dlg, &QObject::destroyed, this, &TOrnViewer::run_gen_report);
    dlg->show();
}

void TOrnViewer::run_gen_report() {
    auto* progress = new report_progress_widget();
    progress->setWindowModality(Qt::ApplicationModal);
    connect(progress, &report_progress_widget::report_abort, this, &TOrnViewer::abort_gen_report);
    connect(worker_, &orn_func_obj::gen_report_progress, progress,
            &report_progress_widget::update_progress_value);
    connect(worker_, &orn_func_obj::gen_report_finish, progress,
            &report_progress_widget::gen_report_finish);
    // Only while this report runs: a second report must drive each plot once.
    report_connections_ = {connect(worker_, &orn_func_obj::update_plot, detail_obj_,
                                   &data_detail_func_obj::update_data),
                           connect(detail_obj_, &data_detail_func_obj::update_wave_fft, plot_obj_,
                                   &report_plot_obj::update_wave_fft),
                           connect(detail_obj_, &data_detail_func_obj::update_wave_prpd, plot_obj_,
                                   &report_plot_obj::update_wave_prpd)};
    progress->show();
    app_log("emit gen_report");
    Q_EMIT gen_report(&data_info_vector_, &selection_, current_dataset_);
}

void TOrnViewer::abort_gen_report() {
    worker_->abort_gen_report();
}

void TOrnViewer::gen_report_finish(std::wstring target_root, bool success, std::string info) {
    report_root_ = target_root;
    for (const QMetaObject::Connection& c : report_connections_)
        disconnect(c);
    report_connections_.clear();
    if (!success) {
        show_msg_box(tr("Report generation warning"), QString::fromStdString(info), 1, 1);
        return;
    }
    // An aborted report says so, and how much it holds.
    const QString text =
        info.empty() ? tr("Report generation is complete! Click \"Confirm\" to open the report "
                          "table of contents")
                     : QString::fromStdString(info);
    t_orn_msg_box* box = show_msg_box(tr("Report generation"), text, 0, 0);
    connect(box, &t_orn_msg_box::msg_ok, this, &TOrnViewer::explorer_report_root);
}

void TOrnViewer::report_one_new_data(data_info d) {
    report_handshake_.new_item(d);
}

void TOrnViewer::report_update_one_plot() {
    std::wstring dir;
    if (report_handshake_.chart_updated(dir))
        Q_EMIT save_report_plot(dir);
}

void TOrnViewer::save_report_plot_finish() {
    worker_->report_plot_done();
}

void TOrnViewer::explorer_report_root() {
    const std::string path = wide_to_utf8(report_root_);
    app_log("explorer_report_root %s", path.c_str());
    const int rc = platform::reveal_in_file_manager(report_root_);
    if (rc != 0)
        app_log("errno:%d", rc);
}

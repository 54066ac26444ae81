// Report generation: the gate before a report and the task's window side.
#include "app/torn_viewer.h"

#include "core/app_log.h"
#include "platform/shell.h"
#include "platform/text.h"
#include "report/word_automation.h"
#include "ui/data_tool_bar.h"
#include "ui/dir_setting_widget.h"
#include "ui/kit/t_orn_msg_box.h"
#include "ui/preview_item_widget.h"
#include "ui/ui_util.h"

#include <QEventLoop>
#include <QListWidget>

int TOrnViewer::word_availability() {
    return reporter_checker();
}

void TOrnViewer::on_gen_report_btn_clicked() {
    if (search_mode_) {
        show_msg_box(tr("Prompt"), tr("Data search cannot be used for report generation!"), 0, 1);
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
    app_log("on_gen_report_btn_clicked selected:%d", static_cast<int>(selection_.size()));
    // TODO(report): open the report information dialog; its start_gen_report()
    // signal starts the task.
}

void TOrnViewer::start_gen_report() {
    app_log("TOrnViewer::start_gen_report");
    auto* dlg = new set_report_path_widget();
    dlg->setWindowModality(Qt::ApplicationModal);
    QEventLoop loop;
    connect(dlg, &QObject::destroyed, &loop, &QEventLoop::quit);
    dlg->show();
    loop.exec();
    // TODO(report): progress dialog, plot connections and the worker request.
}

void TOrnViewer::abort_gen_report() {
    // TODO(report): sets the worker's report abort flag.
}

void TOrnViewer::gen_report_finish(std::wstring target_root, bool success, std::string info) {
    report_root_ = target_root;
    if (!success) {
        show_msg_box(tr("Report generation warning"), QString::fromStdString(info), 1, 1);
        return;
    }
    t_orn_msg_box* box = show_msg_box(
        tr("Report generation"),
        tr("Report generation is complete! Click \"Confirm\" to open the report table of "
           "contents"),
        0, 0);
    connect(box, &t_orn_msg_box::msg_ok, this, &TOrnViewer::explorer_report_root);
}

void TOrnViewer::report_one_new_data(data_info) {
    // TODO(report): progress of one report item.
}

void TOrnViewer::report_update_one_plot() {
    // TODO(report): the plot thread joins with the report task.
}

void TOrnViewer::save_report_plot_finish() {
    // TODO(report): the plot thread joins with the report task.
}

void TOrnViewer::explorer_report_root() {
    const std::string path = wide_to_utf8(report_root_);
    app_log("explorer_report_root %s", path.c_str());
    const int rc = platform::reveal_in_file_manager(report_root_);
    if (rc != 0)
        app_log("errno:%d", rc);
}

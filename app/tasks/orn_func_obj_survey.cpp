// The worker's leak-survey tasks: whether a data set has gas-leak items (for
// the tool bar's "Leak survey") and the survey's Word document.

#include "app/tasks/orn_func_obj.h"

#include "analysis/datafile/data_file.h"
#include "app/tasks/task_awake.h"
#include "core/app_log.h"
#include "platform/text.h"
#include "report/survey_export.h"

#include <QCoreApplication>

void orn_func_obj::check_gas_leak_items(int serial, std::vector<std::wstring> data_dirs) {
    for (const std::wstring& dir : data_dirs) {
        data_info d;
        if (read_data_head(dir + L"/Data.dat", d) == 0 && d.sign_mode == 2) {
            Q_EMIT gas_leak_check_finish(serial, true);
            return;
        }
    }
    Q_EMIT gas_leak_check_finish(serial, false);
}

void orn_func_obj::gen_survey_report(leak_survey survey, std::wstring path, int lang_id,
                                     std::wstring dataset_name) {
    task_awake awake;
    survey_abort_.store(0);
    survey_report_options o;
    o.lang_id = lang_id;
    o.dataset_name = dataset_name;
    const survey_report_outcome r = write_survey_report(
        survey, path, o, [this](double v) { Q_EMIT survey_report_progress(v); }, &survey_abort_);
    std::string info;
    if (r.aborted)
        info = QCoreApplication::translate("survey_task", "The report was not written: aborted.")
                   .toStdString();
    else if (r.result != 0)
        info = QCoreApplication::translate("survey_task",
                                           "The report could not be written to %1.Error code:%2")
                   .arg(QString::fromStdWString(path))
                   .arg(r.result)
                   .toStdString();
    app_log("gen_survey_report %s %d %d", wide_to_utf8(path).c_str(), r.result, r.leaks);
    Q_EMIT survey_report_finish(path, r.result == 0 && !r.aborted, info);
}

// The worker object and its local import task.

#include "app/tasks/orn_func_obj.h"

#include "app/tasks/local_import.h"
#include "app/tasks/task_awake.h"
#include "platform/text.h"

#include <QStringList>

orn_func_obj::orn_func_obj(int page_size, data_detail_func_obj* detail)
    : QObject(nullptr), page_size_(page_size), detail_(detail) {}

void orn_func_obj::import_local_data(std::vector<std::wstring> root_vec) {
    task_awake awake;
    import_local_abort_.store(0, std::memory_order_relaxed);
    last_import_ = import_local_roots(root_vec, import_local_abort_,
                                      [this](double v) { Q_EMIT update_import_local_progress(v); });
    const local_import_result& r = last_import_;
    QStringList lines;
    for (const std::wstring& root : r.name_taken)
        lines << tr("%1 was not imported: a data set of this name was registered meanwhile.")
                     .arg(QString::fromStdWString(platform::display_text(local_root_name(root))));
    if (r.failure != db_failure::none)
        lines << tr("%1 was not imported: %2.")
                     .arg(QString::fromStdWString(
                              platform::display_text(local_root_name(r.failed_root))),
                          QString::fromStdString(r.failure_text));
    // Never "nothing to import" when something was there but could not be stored.
    if (lines.isEmpty())
        lines << (r.inserted_all > 0 ? tr("Local data import completed!")
                                     : tr("No data available for import!"));
    else if (r.inserted_all > 0)
        lines.prepend(tr("Local data import completed for %n data item(s).", "", r.inserted_all));
    const bool ok = r.name_taken.empty() && r.failure == db_failure::none;
    Q_EMIT import_local_data_finish(ok, lines.join(QLatin1Char('\n')).toStdString());
}

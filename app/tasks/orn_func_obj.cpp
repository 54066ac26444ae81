// The worker object and its local import task.

#include "app/tasks/orn_func_obj.h"

#include "app/tasks/local_import.h"
#include "app/tasks/task_awake.h"

orn_func_obj::orn_func_obj(int page_size, data_detail_func_obj* detail)
    : QObject(nullptr), page_size_(page_size), detail_(detail) {}

void orn_func_obj::import_local_data(std::vector<std::wstring> root_vec) {
    task_awake awake;
    import_local_abort_.store(0, std::memory_order_relaxed);
    last_import_ = import_local_roots(root_vec, import_local_abort_,
                                      [this](double v) { Q_EMIT update_import_local_progress(v); });
    const QString info = last_import_.inserted_all > 0 ? tr("Local data import completed!")
                                                       : tr("No data available for import!");
    Q_EMIT import_local_data_finish(true, info.toStdString());
}

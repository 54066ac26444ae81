#pragma once
// Reports as the main window makes them, without a window: the worker, the
// analysis object and the plot object each on a thread of their own, wired
// as the window wires them, with the plot handshake on the thread that runs
// the session. For the command line and the benchmark.
// Threading: construct, run and destroy on one thread (normally the main
// thread); run() waits in an event loop of its own until the report ends.

#include "app/tasks/report_task.h"

#include <QObject>

#include <functional>
#include <vector>

class QThread;
class data_detail_func_obj;
class orn_func_obj;
class report_plot_obj;

class report_session : public QObject {
    Q_OBJECT
public:
    report_session();
    ~report_session() override;

    // Runs a report over items with the settings of the configuration.
    report_outcome run(const std::vector<data_info>& items, const import_data_info& dataset,
                       const std::function<void(double)>& progress = nullptr);
    // Seconds the plot object spent drawing and saving so far.
    double plot_seconds() const;

private:
    QThread* worker_thread_ = nullptr;
    QThread* analysis_thread_ = nullptr;
    QThread* plot_thread_ = nullptr;
    orn_func_obj* worker_ = nullptr;
    data_detail_func_obj* detail_ = nullptr;
    report_plot_obj* plot_ = nullptr;
    report_plot_handshake handshake_;
    std::function<void(double)> progress_;
};

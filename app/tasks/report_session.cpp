#include "app/tasks/report_session.h"

#include "analysis/data_detail_func_obj.h"
#include "app/tasks/orn_func_obj.h"
#include "report/report_plot_obj.h"

#include <QEventLoop>
#include <QThread>

namespace {
QThread* start_thread(QObject* obj, const char* name) {
    auto* t = new QThread();
    t->setObjectName(name);
    obj->moveToThread(t);
    QObject::connect(t, &QThread::finished, obj, &QObject::deleteLater);
    t->start();
    return t;
}
} // namespace

report_session::report_session() {
    // The records cross the threads in queued signals.
    register_meta_types();
    detail_ = new data_detail_func_obj();
    worker_ = new orn_func_obj(100, detail_);
    plot_ = new report_plot_obj();

    connect(worker_, &orn_func_obj::update_plot, detail_, &data_detail_func_obj::update_data);
    connect(detail_, &data_detail_func_obj::update_wave_fft, plot_,
            &report_plot_obj::update_wave_fft);
    connect(detail_, &data_detail_func_obj::update_wave_prpd, plot_,
            &report_plot_obj::update_wave_prpd);
    // The handshake, here as in the window.
    connect(worker_, &orn_func_obj::report_one_new_data, this,
            [this](data_info d) { handshake_.new_item(d); });
    connect(plot_, &report_plot_obj::update_one_plot, this, [this] {
        std::wstring dir;
        if (handshake_.chart_updated(dir))
            QMetaObject::invokeMethod(
                plot_, [plot = plot_, dir] { plot->save_report_plot(dir); }, Qt::QueuedConnection);
    });
    connect(plot_, &report_plot_obj::save_report_plot_finish, this,
            [this] { worker_->report_plot_done(); });
    connect(worker_, &orn_func_obj::gen_report_progress, this, [this](double v) {
        if (progress_)
            progress_(v);
    });

    analysis_thread_ = start_thread(detail_, "analysis");
    worker_thread_ = start_thread(worker_, "worker");
    plot_thread_ = start_thread(plot_, "plot");
}

report_session::~report_session() {
    worker_->abort_gen_report();
    for (QThread* t : {worker_thread_, analysis_thread_, plot_thread_}) {
        t->quit();
        t->wait();
        delete t;
    }
}

report_outcome report_session::run(const std::vector<data_info>& items,
                                   const import_data_info& dataset,
                                   const std::function<void(double)>& progress) {
    progress_ = progress;
    std::vector<data_info> array = items;
    std::vector<int> selection; // empty: every item
    QEventLoop loop;
    const auto done = connect(worker_, &orn_func_obj::gen_report_finish, &loop, &QEventLoop::quit);
    QMetaObject::invokeMethod(
        worker_,
        [w = worker_, a = &array, s = &selection, dataset] { w->gen_report(a, s, dataset); },
        Qt::QueuedConnection);
    loop.exec();
    disconnect(done);
    progress_ = nullptr;
    return worker_->last_report();
}

double report_session::plot_seconds() const {
    return plot_->busy_seconds();
}

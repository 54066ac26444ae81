#pragma once
// The worker object: every long task of the main window, one at a time, on
// the worker thread (page reading, local import, delete, reports, device
// tasks). Requests arrive as queued signals; results leave as signals
// carrying copies of records.
// Threading: lives on the worker thread; its slots run there. The abort
// flags are the only members another thread touches (the UI thread sets
// them, the running task polls them).

#include "analysis/survey/leak_survey.h"
#include "app/tasks/device_import.h"
#include "app/tasks/local_import.h"
#include "app/tasks/report_task.h"
#include "store/records.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

class data_detail_func_obj;

class orn_func_obj : public QObject {
    Q_OBJECT
public:
    explicit orn_func_obj(int page_size = 100, data_detail_func_obj* detail = nullptr);

    int page_size() const { return page_size_; }
    data_detail_func_obj* detail_obj() const { return detail_; }

    // Set by the UI thread when the user confirms termination; a report
    // waiting for its pictures stops waiting at once.
    void abort_gen_report() {
        report_abort_.store(1);
        report_sync_.wake();
    }
    // The report's plot-done flag: both pictures of the current item are saved.
    // Any thread.
    void report_plot_done() { report_sync_.set_done(); }
    void abort_import_local_data() { import_local_abort_.store(1, std::memory_order_relaxed); }
    void abort_delete_data() { delete_abort_.store(1, std::memory_order_relaxed); }
    void abort_survey_report() { survey_abort_.store(1); }

    // Outcome of the last local import (read after its finish signal).
    const local_import_result& last_import() const { return last_import_; }
    // Outcome of the last report (read after its finish signal).
    const report_outcome& last_report() const { return last_report_; }

    // Device tasks: set by the UI thread, polled between files and chunks.
    void abort_import_device_data() { import_device_abort_.store(1, std::memory_order_relaxed); }
    void abort_update_device() { update_abort_.store(1, std::memory_order_relaxed); }
    // Outcome of the last import from a camera (read after its finish signal).
    const device_import_result& last_device_import() const { return last_device_import_; }

Q_SIGNALS:
    void read_device_data_finish(bool success, QString info);
    void read_one_data_finish(int);
    void read_device_data_number(int num);
    void download_one_data_finish(data_info);
    void download_one_data_progress(int value);
    void gen_report_finish(std::wstring, bool, std::string);
    void gen_report_progress(double);
    void delete_data_finish(bool, std::string, bool);
    void delete_data_progress(double);
    void export_data_finish(std::string, bool, std::string);
    void export_data_progress(int, int);
    void update_import_progress(double v);
    void import_data_finish(bool, std::string);
    void update_plot(int);
    void report_one_new_data(data_info d);
    void read_one_page_finish();
    void update_device_progress(double);
    void update_device_finish(bool, std::string);
    void update_import_local_progress(double v);
    void import_local_data_finish(bool, std::string);
    // The clocks of the devices handed to sync_time were set (or why not).
    void sync_time_finish(bool success, std::string info);
    // Whether any of the checked items was recorded in gas-leak mode.
    void gas_leak_check_finish(int serial, bool found);
    void survey_report_progress(double);
    void survey_report_finish(std::wstring path, bool success, std::string info);

public Q_SLOTS:
    void import_device_data(std::string hostname, std::string data_name,
                            std::vector<std::string> data_list);
    void sync_time(std::vector<search_device_info> dev_vec);
    void update_device(search_device_info d, std::string path);
    void import_local_data(std::vector<std::wstring> root_vec);
    void delete_data(std::vector<data_info>* data_info_vector, std::vector<int>* delete_list,
                     bool rm);
    void read_local_data(int total_num, int page_num);
    void gen_report(std::vector<data_info>* data_info_vector, std::vector<int>* gen_list,
                    import_data_info import_data);
    // Reads the items' headers until one is in gas-leak mode.
    void check_gas_leak_items(int serial, std::vector<std::wstring> data_dirs);
    // Writes the leak survey's Word document.
    void gen_survey_report(leak_survey survey, std::wstring path, int lang_id,
                           std::wstring dataset_name);

protected:
    int page_size_;
    data_detail_func_obj* detail_;
    std::atomic<uint8_t> report_abort_{0};
    std::atomic<uint8_t> import_local_abort_{0};
    std::atomic<uint8_t> delete_abort_{0};
    std::atomic<uint8_t> survey_abort_{0};
    local_import_result last_import_;
    report_plot_sync report_sync_;
    report_outcome last_report_;
    std::atomic<uint8_t> import_device_abort_{0};
    std::atomic<uint8_t> update_abort_{0};
    device_import_result last_device_import_;
};

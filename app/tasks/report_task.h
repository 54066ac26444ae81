#pragma once
// The report generation task: from the selected data items, one document per
// item or one combined document, filled through the document engine from the
// general or gas-leak template of the configured language, with the pictures
// the analysis and the report plots write into each item's directory. Shared
// by the worker object (the window's "Generate report"), the command line and
// the benchmark.
// Threading: run_report() runs on the thread that owns the automation state
// (one report at a time). report_plot_sync is set and woken from any thread.

#include "report/report_filler.h"
#include "store/records.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

// The plot-done flag of the running item. The task waits on it; the plot
// side sets it when both pictures are saved; an abort wakes the wait at once.
class report_plot_sync {
public:
    void clear();
    void set_done();
    // Ends a wait without setting the flag (the caller has set its abort flag).
    void wake();
    bool done() const { return done_.load() != 0; }
    // Waits until the flag or abort is set, at most timeout_ms. True when
    // the pictures are done.
    bool wait(const std::atomic<uint8_t>& abort, int timeout_ms);

private:
    std::atomic<uint8_t> done_{0};
    std::mutex lock_;
    std::condition_variable cv_;
};

// The window's side of the plot handshake: the item being plotted and the
// chart updates received for it. Two updates (spectrum and PRPD) ask for the
// pictures to be saved; a third saves them again.
class report_plot_handshake {
public:
    void new_item(const data_info& d) {
        dir_ = d.data_dir;
        count_ = 0;
    }
    // Counts an update; true (with the item's directory) when the pictures
    // are to be saved.
    bool chart_updated(std::wstring& dir) {
        ++count_;
        dir = dir_;
        return count_ > 1;
    }

private:
    std::wstring dir_;
    int count_ = 0;
};

// Everything a run takes from the configuration.
struct report_settings {
    std::wstring report_root;
    bool combine = true;
    int lang_id = 0; // 1: Chinese templates
    report_header_fields fields;
    std::wstring stamp; // file-name stamp of the run; empty: the local time at start
};
// The settings as the configuration holds them now.
report_settings report_settings_from_config();

struct report_outcome {
    bool success = false;
    bool aborted = false;
    // The combined document, or the run's sub-directory.
    std::wstring target;
    // The user's message: empty for a plain success.
    std::string info;
    std::vector<std::wstring> documents;
    std::vector<std::wstring> skipped; // item directories that were missing
    int items = 0;                     // items the documents hold
    int requested = 0;
    // Seconds: waiting for analysis and plots, filling, saving, the whole run.
    double t_wait = 0;
    double t_fill = 0;
    double t_save = 0;
    double t_total = 0;
};

struct report_callbacks {
    std::function<void(double)> progress; // 0..1
    // Starts the analysis and plots of an item whose pictures the run waits for.
    std::function<void(const data_info&)> request_plots;
};

// Longest wait for an item's pictures.
constexpr int report_plot_timeout_ms = 60000;

// Runs a report over items (already selected, in order). abort is polled
// before each item and ends the wait for pictures at once.
report_outcome run_report(const std::vector<data_info>& items, const import_data_info& dataset,
                          const report_settings& settings, const std::atomic<uint8_t>& abort,
                          report_plot_sync& sync, const report_callbacks& callbacks,
                          int plot_timeout_ms = report_plot_timeout_ms);

// A name usable as a file name: separators and characters no file system
// accepts become "_"; empty names become fallback.
std::wstring report_file_name(const std::wstring& name, const std::wstring& fallback);

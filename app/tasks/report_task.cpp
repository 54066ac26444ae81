#include "app/tasks/report_task.h"

#include "analysis/datafile/data_file.h"
#include "analysis/gas_leak.h"
#include "core/app_config.h"
#include "core/app_log.h"
#include "platform/atomic_file.h"
#include "platform/text.h"
#include "report/word_automation.h"
#include "store/file_util.h"
#include "store/time_util.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>

#include <chrono>
#include <cstdio>
#include <set>

// ---- report_plot_sync ----------------------------------------------------------

void report_plot_sync::clear() {
    done_.store(0);
}

void report_plot_sync::set_done() {
    {
        std::lock_guard<std::mutex> g(lock_);
        done_.store(1);
    }
    cv_.notify_all();
}

void report_plot_sync::wake() {
    { std::lock_guard<std::mutex> g(lock_); }
    cv_.notify_all();
}

bool report_plot_sync::wait(const std::atomic<uint8_t>& abort, int timeout_ms) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    std::unique_lock<std::mutex> g(lock_);
    while (!done_.load() && !abort.load()) {
        // Flags are also polled every 10 ms, so a setter that does not wake
        // the wait is still seen.
        const auto step = std::chrono::steady_clock::now() + std::chrono::milliseconds(10);
        if (step >= end) {
            cv_.wait_until(g, end);
            break;
        }
        cv_.wait_until(g, step);
    }
    return done_.load() != 0;
}

// ---- settings ------------------------------------------------------------------

report_settings report_settings_from_config() {
    report_settings s;
    s.report_root = app_cfg.report_root;
    s.combine = app_cfg.combine_report;
    s.lang_id = app_cfg.lang;
    report_header_fields& f = s.fields;
    f.test_purpose = test_purpose_text(app_cfg.report_test_purpose);
    f.location = app_cfg.report_location;
    f.temperature = app_cfg.report_temperature;
    f.temperature_unit = temperature_unit_word();
    f.working_condition = app_cfg.report_work_condition;
    f.humidity = app_cfg.report_humidity;
    f.inspector = app_cfg.report_worker;
    f.weather = app_cfg.report_weather;
    f.test_result = app_cfg.report_test_result;
    f.advice = app_cfg.report_test_advice;
    f.work_unit = app_cfg.report_work_unit;
    f.department = app_cfg.report_department;
    f.telephone = app_cfg.report_telephone_number;
    return s;
}

std::wstring report_file_name(const std::wstring& name, const std::wstring& fallback) {
    std::wstring out;
    for (wchar_t c : name) {
        const bool bad = c < 0x20 || c == L'/' || c == L'\\' || c == L':' || c == L'*' ||
                         c == L'?' || c == L'"' || c == L'<' || c == L'>' || c == L'|';
        out += bad ? L'_' : c;
    }
    // File systems limit a name to 255 bytes; UTF-8 takes up to 4 per character.
    if (out.size() > 60)
        out.resize(60);
    while (!out.empty() && (out.back() == L' ' || out.back() == L'.'))
        out.pop_back();
    if (out.empty() || out == L"." || out == L"..")
        return fallback.empty() ? std::wstring(L"report") : report_file_name(fallback, L"report");
    return out;
}

// ---- the task --------------------------------------------------------------------

namespace {
// Texts are marked where they are written (QT_TRANSLATE_NOOP) so that the
// translation tools find them.
QString tr_task(const char* text) {
    return QCoreApplication::translate("report_task", text);
}

std::string u8(const std::wstring& s) {
    return wide_to_utf8(s);
}

std::string read_resource(const std::wstring& resource) {
    QFile f(QString::fromStdWString(resource));
    if (!f.open(QIODevice::ReadOnly))
        return std::string();
    const QByteArray b = f.readAll();
    return std::string(b.constData(), size_t(b.size()));
}

// An empty template (its resource could not be read) is a failed write.
int write_template(const std::string& bytes, const std::wstring& path) {
    return bytes.empty() ? ENOENT : platform::write_file_replace(u8(path), bytes);
}

void remove_file(const std::wstring& path) {
    QFile::remove(QString::fromStdWString(path));
}

double seconds(QElapsedTimer& t) {
    const double s = t.nsecsElapsed() / 1e9;
    t.restart();
    return s;
}

// The file name of an item's document, unique within the run: two items of
// the same name must not overwrite each other's document.
std::wstring unique_name(const data_info& d, std::set<std::wstring>& used) {
    const std::wstring base = report_file_name(d.data_name, d.dir_name);
    std::wstring name = base;
    for (int k = 2; used.count(name); ++k)
        name = base + L" (" + std::to_wstring(k) + L")";
    used.insert(name);
    return name;
}
} // namespace

report_outcome run_report(const std::vector<data_info>& items, const import_data_info& dataset,
                          const report_settings& settings, const std::atomic<uint8_t>& abort,
                          report_plot_sync& sync, const report_callbacks& cb, int plot_timeout_ms) {
    QElapsedTimer run;
    run.start();
    report_outcome out;
    out.requested = int(items.size());
    auto progress = [&](double v) {
        if (cb.progress)
            cb.progress(v);
    };

    std::wstring root = settings.report_root;
    while (root.size() > 1 && root.back() == L'/')
        root.pop_back();
    if (root.empty()) {
        out.info = tr_task(QT_TRANSLATE_NOOP("report_task",
                                             "The report generation directory cannot be empty!"))
                       .toStdString();
        return out;
    }
    const std::wstring stamp =
        settings.stamp.empty() ? utf8_to_wide(time_stamp_name()) : settings.stamp;
    const std::wstring run_name = report_file_name(dataset.name, L"report") + L"_" + stamp;
    std::wstring dir = root == L"/" ? root : root + L"/";
    if (!settings.combine)
        dir += run_name + L"/";
    app_log("gen_report:%s", u8(dir).c_str());
    out.target = settings.combine || dir.size() < 2 ? dir : dir.substr(0, dir.size() - 1);
    if (const int rc = create_directories(dir)) {
        out.info = tr_task(QT_TRANSLATE_NOOP("report_task",
                                             "Failed to create export directory.Error code:%1"))
                       .arg(rc)
                       .toStdString();
        return out;
    }

    const bool chinese = settings.lang_id == 1;
    const std::string general_bytes =
        read_resource(chinese ? report_template_general_zh : report_template_general_en);
    const std::string leak_bytes =
        read_resource(chinese ? report_template_leak_zh : report_template_leak_en);
    const std::wstring general_copy = dir + L"t_general.docx";
    const std::wstring leak_copy = dir + L"t_leak.docx";
    const std::wstring combined = dir + run_name + L".docx";
    int write_error = 0;
    std::wstring write_failed;

    word_com_initialize();
    if (settings.combine) {
        out.target = combined;
        if (int rc = write_template(general_bytes, general_copy)) {
            write_error = rc;
            write_failed = general_copy;
        } else if ((rc = write_template(leak_bytes, leak_copy)) != 0) {
            write_error = rc;
            write_failed = leak_copy;
        } else if (word_start_combined_document(combined, true) != 0) {
            write_error = EIO;
            write_failed = combined;
        }
    }

    const int n = int(items.size());
    int number = 0;
    std::set<std::wstring> used;
    QElapsedTimer t;
    for (int i = 0; i < n && write_error == 0; ++i) {
        if (abort.load()) {
            out.aborted = true;
            break;
        }
        sync.clear();
        const data_info& item = items[size_t(i)];
        if (!dir_exists(item.data_dir)) {
            app_log("gen_report %s not exist", u8(item.data_dir).c_str());
            out.skipped.push_back(item.data_dir);
            continue;
        }
        t.start();
        if (cb.request_plots)
            cb.request_plots(item);
        const bool plotted = sync.wait(abort, plot_timeout_ms);
        out.t_wait += seconds(t);
        if (!plotted) {
            // An abort ends the wait at once; the item, still without its
            // pictures, is left out rather than filled half.
            if (abort.load()) {
                out.aborted = true;
                break;
            }
            app_log("report_plot timeout");
        }

        // The files as they are now: edits made since the page was read count.
        data_info c = item;
        read_data_item(c);
        const gas_leak_result leak =
            calc_gas_leak(c.spl, c.distance, c.gasleak_rect, c.gasleak_unit_mode,
                          c.gasleak_power_ratio, c.gasleak_energy_cost, c.gasleak_gas_cost);
        c.leak_cost = leak.cost;
        c.leak_level = leak.level;
        c.leak_rate = leak.rate;
        c.report_number = ++number;

        std::wstring path;
        if (settings.combine) {
            path = c.sign_mode == 2 ? leak_copy : general_copy;
        } else {
            path = dir + unique_name(c, used) + L".docx";
            if (const int rc =
                    write_template(c.sign_mode == 2 ? leak_bytes : general_bytes, path)) {
                write_error = rc;
                write_failed = path;
                break;
            }
        }
        word_item_document doc;
        word_open_template_copy(path, doc);
        fill_report_document(doc, c, dataset, settings.fields, is_msword);
        out.t_fill += seconds(t);
        const uint32_t finished = word_finish_item(doc, c.report_number > 1);
        out.t_save += seconds(t);
        if (finished != 0) {
            app_log("gen_report item fail %s 0x%08lx", u8(c.data_dir).c_str(),
                    static_cast<unsigned long>(finished));
            if (!settings.combine) {
                remove_file(path); // never leave an unfilled template behind
                write_error = EIO;
                write_failed = path;
            }
            --number;
        } else {
            ++out.items;
            if (!settings.combine)
                out.documents.push_back(path);
        }
        progress(double(i + 1) / n);
    }

    if (settings.combine) {
        t.start();
        const uint32_t saved = word_finish_combined_document();
        out.t_save += seconds(t);
        remove_file(general_copy);
        remove_file(leak_copy);
        if (saved != 0 && write_error == 0) {
            write_error = EIO;
            write_failed = combined;
        }
        if (out.items > 0 && write_error == 0)
            out.documents.push_back(combined);
        else
            remove_file(combined);
    }
    word_com_uninitialize();
    if (!settings.combine && out.documents.empty())
        delete_path(dir.substr(0, dir.size() - 1)); // the run's empty sub-directory
    progress(1.0);

    if (write_error != 0) {
        out.info = tr_task(QT_TRANSLATE_NOOP("report_task",
                                             "The report could not be written to %1.Error code:%2"))
                       .arg(QString::fromStdWString(write_failed))
                       .arg(write_error)
                       .toStdString();
    } else if (out.items == 0) {
        out.info =
            out.aborted
                ? tr_task(
                      QT_TRANSLATE_NOOP("report_task",
                                        "Report generation was aborted; no report was written."))
                      .toStdString()
                : tr_task(
                      QT_TRANSLATE_NOOP("report_task",
                                        "No report was written: none of the selected data items "
                                        "could be found."))
                      .toStdString();
    } else {
        out.success = true;
        if (out.aborted)
            out.info = tr_task(QT_TRANSLATE_NOOP(
                                   "report_task",
                                   "Report generation was aborted. The report holds %1 of %2 data "
                                   "items. Click \"Confirm\" to open the report table of contents"))
                           .arg(out.items)
                           .arg(n)
                           .toStdString();
    }
    out.t_total = run.nsecsElapsed() / 1e9;
    return out;
}

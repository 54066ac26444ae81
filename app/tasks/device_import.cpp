#include "app/tasks/device_import.h"

#include "app/tasks/local_import.h"
#include "core/app_log.h"
#include "device/device_api.h"
#include "platform/file_sync.h"
#include "platform/text.h"
#include "store/database.h"
#include "store/file_util.h"

#include <algorithm>
#include <mutex>
#include <set>
#include <thread>

namespace {

const char* const partial_prefix = ".partial-";
// Items downloaded at once.
constexpr size_t transfer_lanes = 4;

// An item directory name not used yet in this import ("D", "D_2", ...):
// two data sets may hold items of the same name.
std::string unique_dir(const std::string& dir, std::set<std::string>& used) {
    std::string name = dir;
    for (int n = 2; !used.insert(name).second; ++n)
        name = dir + "_" + std::to_string(n);
    return name;
}

bool typed_name_ok(const std::wstring& name) {
    return !name.empty() && name != L"." && name != L".." && is_valid_name(name);
}

} // namespace

device_import_result import_from_device(const device_import_request& req,
                                        const std::atomic<uint8_t>& abort,
                                        const std::function<void(double)>& progress) {
    device_import_result res;
    app_log("import_from_device %s %s sets:%d", req.address.c_str(),
            wide_to_utf8(req.data_name).c_str(), static_cast<int>(req.sets.size()));
    auto fail = [&res](device_import_failure f, int code, const std::string& at) {
        res.failure = f;
        res.error = code;
        res.failed_at = at;
        app_log("import_from_device failed:%d err:%d %s", static_cast<int>(f), code, at.c_str());
        return res;
    };
    if (req.export_root.empty())
        return fail(device_import_failure::no_save_directory, 0, "");
    if (!typed_name_ok(req.data_name))
        return fail(device_import_failure::bad_name, 0, wide_to_utf8(req.data_name));
    for (const std::string& s : req.sets)
        if (!is_safe_device_name(s))
            return fail(device_import_failure::bad_set_name, 0, s);
    std::wstring root = req.export_root;
    while (root.size() > 1 && root.back() == L'/')
        root.pop_back();
    res.target_dir = root + L"/" + req.data_name;
    if (path_exists(res.target_dir) || data_import_db_name_exists(req.data_name))
        return fail(device_import_failure::exists, EEXIST, wide_to_utf8(res.target_dir));

    // Every manifest first: the progress is a fraction of all bytes.
    std::vector<device_data_set> sets(req.sets.size());
    for (size_t i = 0; i < req.sets.size(); ++i) {
        if (abort.load(std::memory_order_relaxed)) {
            res.aborted = true;
            return res;
        }
        if (int rc = device_read_data_set(req.address, req.sets[i], sets[i]))
            return fail(device_import_failure::manifest_failed, rc, req.sets[i]);
        res.items_total += static_cast<int>(sets[i].items.size());
        res.items_refused += sets[i].refused;
        res.bytes_total += sets[i].total_bytes;
    }
    std::string sn;
    device_status_info status;
    device_read_status(req.address, status, &sn);
    if (sn.empty())
        sn = "1";

    if (int rc = create_directories(res.target_dir))
        return fail(device_import_failure::create_failed, rc, wide_to_utf8(res.target_dir));

    // Jobs in camera order, each with its directory name here fixed up front.
    struct job {
        const device_data_set* set;
        const device_item_entry* item;
        std::string dir;
    };
    std::vector<job> jobs;
    std::set<std::string> used;
    for (const device_data_set& set : sets)
        for (const device_item_entry& item : set.items)
            jobs.push_back({&set, &item, unique_dir(item.dir, used)});

    std::mutex lock; // the result, the progress callback
    std::atomic<int64_t> bytes_moved{0};
    std::atomic<size_t> next{0};
    std::atomic<bool> halt{false};
    bool failed = false;
    double shown = -1;
    auto report = [&]() {
        if (!progress)
            return;
        const double v =
            res.bytes_total > 0
                ? double(bytes_moved.load()) / double(res.bytes_total)
                : (res.items_total > 0 ? double(res.items_stored) / res.items_total : 1.0);
        if (v - shown >= 0.001 || (v >= 1.0 && shown < 1.0)) {
            shown = v;
            progress(std::min(v, 1.0));
        }
    };
    auto stop = [&]() { return halt.load() || abort.load(std::memory_order_relaxed) != 0; };
    auto run = [&]() {
        for (size_t j = next.fetch_add(1); j < jobs.size() && !stop(); j = next.fetch_add(1)) {
            const job& jb = jobs[j];
            const std::wstring partial =
                res.target_dir + L"/" + utf8_to_wide(partial_prefix + jb.dir);
            int rc = create_directories(partial);
            int64_t item_bytes = 0;
            std::string at = jb.set->name + "/" + jb.item->dir;
            for (size_t f = 0; rc == 0 && f < jb.item->files.size(); ++f) {
                const device_file_entry& file = jb.item->files[f];
                at = jb.set->name + "/" + jb.item->dir + "/" + file.name;
                int64_t counted = 0;
                rc = device_download_file(
                    req.address, jb.set->name, jb.item->dir, file,
                    wide_to_utf8(partial) + "/" + file.name,
                    [&](int64_t done) {
                        bytes_moved += done - counted;
                        counted = done;
                        std::lock_guard<std::mutex> g(lock);
                        report();
                    },
                    stop);
                if (rc == 0)
                    item_bytes += file.size;
            }
            if (rc == 0)
                rc = rename_path(partial, res.target_dir + L"/" + utf8_to_wide(jb.dir));
            std::lock_guard<std::mutex> g(lock);
            if (rc != 0) {
                delete_path(partial);
                if (rc == ECANCELED || abort.load(std::memory_order_relaxed)) {
                    res.aborted = !failed;
                } else if (!failed) {
                    fail(device_import_failure::transfer_failed, rc, at);
                    failed = true;
                }
                halt = true;
                return;
            }
            res.bytes_stored += item_bytes;
            ++res.items_stored;
            report();
        }
        if (abort.load(std::memory_order_relaxed) && !failed) {
            std::lock_guard<std::mutex> g(lock);
            res.aborted = true;
        }
    };
    // A few items in flight hide the round trips of one request per file.
    std::vector<std::thread> helpers;
    const size_t lanes = std::min<size_t>(transfer_lanes, jobs.size());
    for (size_t t = 1; t < lanes; ++t)
        helpers.emplace_back(run);
    run();
    for (auto& t : helpers)
        t.join();
    if (res.aborted && failed)
        res.aborted = false;

    if (res.items_stored == 0) {
        // Nothing came: no empty directory is left behind.
        delete_path(res.target_dir);
        if (!failed && !res.aborted && res.items_total == 0)
            res.success = res.items_refused == 0;
        return res;
    }
    // The bytes are on disk before the rows point at them, and long before
    // the camera may be asked to forget them.
    const std::string target_u8 = wide_to_utf8(res.target_dir);
    if (int rc = platform::sync_file_system(target_u8)) {
        if (!failed)
            fail(device_import_failure::sync_failed, rc, target_u8);
        failed = true;
    }
    // Registration runs to its end even after an abort: the stored items
    // stay and belong to the data set.
    const std::atomic<uint8_t> never{0};
    local_import_options options;
    options.sn = sn;
    const local_import_result reg = import_local_roots({res.target_dir}, never, nullptr, options);
    if (!reg.import_ids.empty()) {
        res.import_id = reg.import_ids.front();
        res.items_registered = reg.import_items.front();
    } else if (!failed) {
        fail(device_import_failure::register_failed, 0, target_u8);
        failed = true;
    }
    res.success =
        !failed && !res.aborted && res.items_refused == 0 && res.items_stored == res.items_total;
    if (res.success && req.remove_after) {
        res.removal_requested = true;
        res.removal_result = device_remove_data(req.address, req.sets, &res.sets_removed);
    }
    app_log("import_from_device stored:%d of %d registered:%d aborted:%d", res.items_stored,
            res.items_total, res.items_registered, res.aborted ? 1 : 0);
    return res;
}

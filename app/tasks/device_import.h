#pragma once
// Import from a camera: every chosen data set is downloaded item by item
// into one new directory under the data save directory, and that directory
// is then registered exactly as a local import registers one. Shared by the
// worker object, the command line and the benchmark.
//
// Each item is written into a hidden ".partial-" directory and renamed into
// place only when all its files are in, so an aborted or failed item leaves
// no partial item directory; finished items stay and are registered. The
// camera is asked to remove the data sets only when the whole import
// succeeded: every file stored, on disk and registered.
// Threading: any thread; the calls block.

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct device_import_request {
    std::string address;           // device address (device_api.h)
    std::wstring data_name;        // name of the new data set directory
    std::vector<std::string> sets; // data set names on the camera
    std::wstring export_root;      // the data save directory
    bool remove_after = false;     // remove the sets on the camera afterwards
};

enum class device_import_failure {
    none,
    no_save_directory, // export_root empty
    bad_name,          // the typed name cannot be a directory name
    bad_set_name,      // a data set name from the camera was refused
    exists,            // the directory or a data set of that name exists
    create_failed,     // the directory could not be made
    manifest_failed,   // a data set's manifest could not be read
    transfer_failed,   // a file could not be fetched or written
    sync_failed,       // the files could not be put on disk
    register_failed,   // the database did not take the rows
};

struct device_import_result {
    bool success = false;
    bool aborted = false;
    device_import_failure failure = device_import_failure::none;
    int error = 0;         // code of the failure (device_api.h results, errno)
    std::string failed_at; // the data set, item or file concerned
    int items_total = 0;
    int items_stored = 0;
    int items_refused = 0; // left out for a name that may not become a path
    int64_t bytes_total = 0;
    int64_t bytes_stored = 0;
    std::wstring target_dir;
    std::string import_id; // the registered data set; empty when none
    int items_registered = 0;
    bool removal_requested = false;
    int removal_result = 0; // device_remove_data() result when requested
    int sets_removed = 0;
};

// progress receives the fraction of the announced bytes stored so far.
device_import_result import_from_device(const device_import_request& request,
                                        const std::atomic<uint8_t>& abort,
                                        const std::function<void(double)>& progress);

#pragma once
// Registering data set directories that lie on a local disk (one data_list
// row per data item, one data_import row per data set), shared by the
// worker object, the command line and the benchmarks. The directory checks
// are in store/local_dir_check.h.
// Threading: any thread; one import at a time per abort flag.

#include "store/database.h"
#include "store/local_dir_check.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// ---- Import ----------------------------------------------------------------

struct local_import_result {
    int total = 0;        // subdirectories of all roots
    int processed = 0;    // subdirectories visited
    int inserted_all = 0; // data_list rows written
    bool aborted = false;
    std::vector<std::string> import_ids;    // one per data set that got rows
    std::vector<std::wstring> import_roots; // the data set of each id
    std::vector<int> import_items;          // rows of each id
    // Data sets refused because a set of the same name was registered
    // meanwhile (by another import running at the same time).
    std::vector<std::wstring> name_taken;
    // When the database failed, the import stopped there: nothing of
    // failed_root was registered, and no later root was tried.
    db_failure failure = db_failure::none;
    int failure_code = 0; // SQLite result code
    std::wstring failed_root;
    std::string failure_text; // the reason in words (translated, UTF-8)
};

struct local_import_options {
    // Rows of a data set are written in one transaction on one handle; off
    // only to measure the difference.
    bool one_transaction = true;
    // Serial column of the data set rows: "1" for directories of this
    // computer, the camera's serial number for an import from a camera.
    std::string sn = "1";
};

// Imports the data sets, each in one transaction that also checks that no
// set of its name is registered: a set is registered whole or not at all.
// The first failing statement ends the import (the set is rolled back).
// abort is polled before each data set and each item; progress receives
// processed / total after each data item.
local_import_result import_local_roots(const std::vector<std::wstring>& roots,
                                       const std::atomic<uint8_t>& abort,
                                       const std::function<void(double)>& progress,
                                       const local_import_options& options = {});

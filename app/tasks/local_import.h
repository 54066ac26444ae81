#pragma once
// Registering data set directories that lie on a local disk: the checks of
// the chosen or dropped directories, and the import itself (one data_list
// row per data item, one data_import row per data set), shared by the
// worker object, the command line and the benchmarks.
// Threading: any thread; one import at a time per abort flag.

#include <QList>
#include <QString>
#include <QUrl>

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// ---- Directory checks ------------------------------------------------------

enum class local_dir_check {
    accepted,
    network_path, // not a local file, or a path beginning with "//"
    name_exists,  // a data set of this name is registered (or chosen twice)
};

// Checks each URL in order and appends the accepted paths to roots. Stops at
// the first refusal and returns it (with the refused path in *refused);
// paths accepted before it stay in roots.
local_dir_check check_local_dir(const QList<QUrl>& urls, std::vector<std::wstring>& roots,
                                std::wstring* refused = nullptr);

// The translated text shown for a refusal (empty for accepted).
QString local_dir_check_message(local_dir_check result);

// Last path component of a data set directory (its data set name).
std::wstring local_root_name(const std::wstring& root);

// ---- Import ----------------------------------------------------------------

struct local_import_result {
    int total = 0;        // subdirectories of all roots
    int processed = 0;    // subdirectories visited
    int inserted_all = 0; // data_list rows written
    bool aborted = false;
    std::vector<std::string> import_ids;    // one per data set that got rows
    std::vector<std::wstring> import_roots; // the data set of each id
    std::vector<int> import_items;          // rows of each id
};

struct local_import_options {
    // Rows of a data set are written in one transaction on one handle; off
    // only to measure the difference.
    bool one_transaction = true;
};

// Imports the data sets. abort is polled before each data set and each item;
// progress receives processed / total after each data item.
local_import_result import_local_roots(const std::vector<std::wstring>& roots,
                                       const std::atomic<uint8_t>& abort,
                                       const std::function<void(double)>& progress,
                                       const local_import_options& options = {});

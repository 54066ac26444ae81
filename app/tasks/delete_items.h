#pragma once
// Delete and Remove of data items: their rows (and with Delete their
// directories) go, and a data set left without items goes with them. The
// worker object's task and the benchmark share it.
// Threading: any thread; one run at a time per abort flag.

#include "store/records.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <vector>

struct delete_items_result {
    int handled = 0; // items the run reached before it ended or was aborted
    int removed = 0; // rows deleted
    int kept = 0;    // items whose directory could not be deleted: row kept
    bool aborted = false;
    bool dataset_deleted = false; // a data set lost its last item and was removed
    int db_result = 0;            // 0, or the SQLite code that stopped the run
};

// The records to delete, copied out of the caller's array: an empty
// selection stands for every record. Indices outside the array are skipped.
std::vector<data_info> delete_selection(const std::vector<data_info>& items,
                                        const std::vector<int>& selection);

// Deletes the items in order. The database side runs in one transaction on
// one connection, committed at the end (also after an abort, for the items
// handled); with rm each item's directory is deleted first, and an item
// whose directory cannot be deleted keeps its row. abort is polled before
// each item; progress receives (i + 1) / n after each.
delete_items_result delete_items(const std::vector<data_info>& items, bool rm,
                                 const std::atomic<uint8_t>& abort,
                                 const std::function<void(double)>& progress);

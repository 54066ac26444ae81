#pragma once
// A registered data set of generated items in a private data folder, as the
// browser would hand it to the detail dialog.

#include "store/records.h"
#include "tools/samplegen/sample_gen.h"

#include <QTemporaryDir>

#include <string>
#include <vector>

struct detail_fixture {
    QTemporaryDir tmp;
    sample_set set;
    import_data_info dataset;
    std::vector<data_info> items; // the browser's list: newest first

    // Generates the items, registers them in a fresh database and lists
    // them. Empty on success, else what failed.
    std::string setup(const sample_options& options);
    // The list as a restart would read it from the database.
    std::vector<data_info> reload() const;
    // First listed item matching the predicate, -1 when none.
    template <class P> int find(P pred) const {
        for (size_t i = 0; i < items.size(); ++i) {
            data_info d = items[i];
            if (pred(d, generated(d.dir_name)))
                return int(i);
        }
        return -1;
    }
    const sample_item& generated(const std::wstring& dir_name) const;
};

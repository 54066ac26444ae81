#pragma once
// Generated data sets for the tests of the program as a whole: short frames
// and small pictures keep them quick to write and to import.

#include "app/tasks/local_import.h"
#include "core/app_globals.h"
#include "tools/samplegen/sample_gen.h"

#include <QDir>

// Points the program's data folder at dir, with a fresh database.
inline bool use_data_location(const QString& dir) {
    set_app_data_location(dir.toStdWString());
    return QDir(dir).mkpath("config") && db_init() == 0;
}

inline sample_options small_set(int items, int frames = 1, int samples = 64) {
    sample_options o;
    o.items = items;
    o.frames = frames;
    o.samples = samples;
    o.picture_width = 16;
    o.picture_height = 16;
    return o;
}

// small_set(items, 2) without grab pictures; with note_bytes, every item
// carries a note of that size (rows that need room in the database).
inline bool make_set(const QString& root, int items, int note_bytes = 0) {
    sample_options o = small_set(items, 2);
    o.grab = false;
    sample_set set;
    if (generate_sample_set(root.toStdWString(), o, &set) != 0)
        return false;
    for (const sample_item& it : set.items) {
        const std::string note = "{\"note\":\"" + std::string(size_t(note_bytes), 'x') + "\"}";
        if (note_bytes &&
            write_text(root.toStdWString() + L"/" + it.dir_name + L"/note.json", note) != 0)
            return false;
    }
    return true;
}

// Generates a set under root and imports it as the window's import does;
// the number of rows written, -1 when the set could not be written.
inline int import_generated(const QString& root, const sample_options& o) {
    if (generate_sample_set(root.toStdWString(), o) != 0)
        return -1;
    std::atomic<uint8_t> no_abort{0};
    return import_local_roots({root.toStdWString()}, no_abort, {}).inserted_all;
}

// The registered data set of that name, or an empty record.
inline import_data_info dataset_named(const std::wstring& name) {
    for (const auto& d : data_import_db_select_all())
        if (d.name == name)
            return d;
    return {};
}

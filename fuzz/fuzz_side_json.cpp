// libFuzzer target: any bytes as note.json and as data_edit.json, as text and
// as files of an item directory, then written back (favourite and level into
// note.json, the whole edit record) and read again.

#include "analysis/datafile/data_file.h"
#include "fuzz_util.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    data_info d;
    read_data_note(nullptr, d, &text);
    apply_data_edit_text(text, d);

    static const QString item = [] {
        const QString dir = fuzz::scratch_dir() + QStringLiteral("/item");
        QDir().mkpath(dir);
        return dir;
    }();
    const std::wstring note = (item + QStringLiteral("/note.json")).toStdWString();
    if (!fuzz::write_file(item + QStringLiteral("/note.json"), text) ||
        !fuzz::write_file(item + QStringLiteral("/data_edit.json"), text))
        return 0;
    data_info f;
    f.data_dir = item.toStdWString();
    read_data_note(&note, f);
    read_data_edit(f);
    if (save_data_note_change(note, f) == 0)
        read_data_note(&note, f);
    if (save_data_edit(f) == 0)
        read_data_edit(f);
    return 0;
}

// note.json and data_edit.json of a data item.

#include "analysis/datafile/data_file.h"
#include "analysis/datafile/data_file_internal.h"

#include "core/app_log.h"
#include "platform/text.h"

#include <cerrno>

using namespace datafile_detail;

namespace {

std::wstring item_file(const std::wstring& dir, const wchar_t* name) {
    std::wstring p = dir;
    if (!p.empty() && p.back() != L'/')
        p += L'/';
    return p + name;
}

void apply_note(const Json::Value& root, data_info& d) {
    get_wstring(root, "name", d.data_name);
    get_wstring(root, "note", d.data_note);
    get_int(root, "data_valid_type", d.valid_type);
    int32_t v = 0;
    d.favorite = get_int(root, "favorite", v) && v != 0 ? 1 : 0;
    if (!get_int(root, "discharge", d.discharge))
        d.discharge = 0;
    if (!get_double(root, "sound_abs_max", d.sound_abs_max))
        d.sound_abs_max = 0.01;
    get_double(root, "spl", d.spl);
    get_wstring(root, "gasleak_currency", d.gasleak_currency);
    get_int(root, "gasleak_unite_mode", d.gasleak_unit_mode);
}

void apply_edit(const Json::Value& root, data_info& d) {
    get_wstring(root, "data_name", d.data_name);
    get_wstring(root, "data_note", d.data_note);
    get_double(root, "distance", d.distance);
    get_double(root, "spl", d.spl);
    get_string(root, "time", d.time);
    get_wstring(root, "gasleak_currency", d.gasleak_currency);
    get_double(root, "gasleak_rect", d.gasleak_rect);
    get_int(root, "gasleak_unit_mode", d.gasleak_unit_mode);
    get_double(root, "gasleak_power_ratio", d.gasleak_power_ratio);
    get_double(root, "gasleak_energy_cost", d.gasleak_energy_cost);
    get_double(root, "gasleak_gas_cost", d.gasleak_gas_cost);
}

} // namespace

int read_data_note(const std::wstring* path, data_info& d, const std::string* text) {
    std::string content;
    std::string where = "(text)";
    if (path) {
        where = wide_to_utf8(*path);
        int64_t size = 0;
        const int r = read_side_file(*path, content, &size);
        if (r == EFBIG) {
            app_log("read_data_note size:%lld limit:%d %s", static_cast<long long>(size),
                    int(side_file_max_bytes), where.c_str());
            return r;
        }
        if (r == ENOMEM) {
            app_log("read_data_note malloc:%d errno:%d %s", 0, r, where.c_str());
            return r;
        }
        if (r != 0) {
            app_log("read_data_note errno:%d %s", r, where.c_str());
            return r;
        }
        if (content.empty())
            return -1;
    } else if (!text) {
        return 0;
    }
    const std::string& json = path ? content : *text;
    Json::Value root;
    std::string error;
    if (!parse_json(json.data(), json.data() + json.size(), root, error) || !root.isObject()) {
        app_log("read_data_note %s %s", where.c_str(),
                error.empty() ? "not a JSON object" : error.c_str());
        return -2;
    }
    // The texts live on in root and in the record; the file's bytes need not.
    std::string().swap(content);
    apply_note(root, d);
    return 0;
}

namespace {
int apply_edit_text(const std::string& text, data_info& d, const std::wstring* path) {
    Json::Value root;
    std::string error;
    if (!parse_json(text.data(), text.data() + text.size(), root, error) || !root.isObject()) {
        app_log("read_data_edit %s %s", path ? wide_to_utf8(*path).c_str() : "(text)",
                error.empty() ? "not a JSON object" : error.c_str());
        return 2;
    }
    apply_edit(root, d);
    return 0;
}
} // namespace

int read_data_edit(data_info& d) {
    const std::wstring path = item_file(d.data_dir, L"data_edit.json");
    std::string content;
    int64_t size = 0;
    const int r = read_side_file(path, content, &size);
    if (r == EFBIG)
        app_log("read_data_edit size:%lld limit:%d %s", static_cast<long long>(size),
                int(side_file_max_bytes), wide_to_utf8(path).c_str());
    if (r != 0)
        return r; // usually simply absent
    if (content.empty())
        return 1;
    return apply_edit_text(content, d, &path);
}

int apply_data_edit_text(const std::string& text, data_info& d) {
    return apply_edit_text(text, d, nullptr);
}

int save_data_edit(const data_info& d) {
    Json::Value root(Json::objectValue);
    root["data_name"] = wide_to_utf8(d.data_name);
    root["data_note"] = wide_to_utf8(d.data_note);
    root["distance"] = d.distance;
    root["spl"] = d.spl;
    root["time"] = d.time;
    root["gasleak_currency"] = wide_to_utf8(d.gasleak_currency);
    root["gasleak_rect"] = d.gasleak_rect;
    root["gasleak_unit_mode"] = d.gasleak_unit_mode;
    root["gasleak_power_ratio"] = d.gasleak_power_ratio;
    root["gasleak_energy_cost"] = d.gasleak_energy_cost;
    root["gasleak_gas_cost"] = d.gasleak_gas_cost;
    const std::wstring path = item_file(d.data_dir, L"data_edit.json");
    const int r = replace_file(path, compact_json(root));
    if (r != 0)
        app_log("save_data_edit errno:%d %s", r, wide_to_utf8(path).c_str());
    return r;
}

int save_data_note_change(const std::wstring& path, const data_info& d) {
    const std::string where = wide_to_utf8(path);
    std::string content;
    int r = read_side_file(path, content);
    if (r == ENOMEM) {
        app_log("save_data_note_change new errno:%d %s", r, where.c_str());
        return r;
    }
    if (r != 0) {
        app_log("save_data_note_change errno:%d %s", r, where.c_str());
        return r;
    }
    if (content.empty())
        return ENODATA; // nothing to keep; the caller learns that nothing was saved
    Json::Value root;
    std::string error;
    if (!parse_json(content.data(), content.data() + content.size(), root, error) ||
        !root.isObject()) {
        app_log("save_data_note_change parse fail %s", where.c_str());
        return -2;
    }
    root["discharge"] = d.discharge;
    root["favorite"] = d.favorite;
    root["data_valid_type"] = d.valid_type;
    r = replace_file(path, compact_json(root));
    if (r != 0)
        app_log("save_data_note_change save errno:%d %s", r, where.c_str());
    return r;
}

int read_data_item(data_info& d) {
    const int r = read_data_head(item_file(d.data_dir, L"Data.dat"), d);
    const std::wstring note = item_file(d.data_dir, L"note.json");
    read_data_note(&note, d);
    read_data_edit(d);
    return r;
}

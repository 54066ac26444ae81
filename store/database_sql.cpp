#include "store/database_sql.h"

#include <sqlite3.h>

#include <cmath>
#include <cstdarg>

namespace {
// Non-finite numbers would print as words that are no SQL literal.
double finite_or_zero(double v) {
    return std::isfinite(v) ? v : 0.0;
}

std::string join(const std::vector<const char*>& parts, const char* glue) {
    std::string out;
    for (size_t i = 0; i < parts.size(); ++i) {
        if (i)
            out += glue;
        out += parts[i];
    }
    return out;
}

// LIKE treats % and _ as wildcards: a search text holding them gets them
// escaped with '\', and the statement an escape clause; plain texts keep the
// plain statement.
bool needs_like_escape(const std::string& text) {
    return text.find_first_of("%_\\") != std::string::npos;
}

std::string like_escaped(const std::string& text) {
    std::string out;
    out.reserve(text.size() + 8);
    for (char c : text) {
        if (c == '%' || c == '_' || c == '\\')
            out += '\\';
        out += c;
    }
    return out;
}

std::string search_start(const std::string& text) {
    if (!needs_like_escape(text))
        return sql_format(
            "select * from data_list where (data_name like '%%%q%%' or data_note like "
            "'%%%q%%')",
            text.c_str(), text.c_str());
    const std::string e = like_escaped(text);
    return sql_format("select * from data_list where (data_name like '%%%q%%' escape '\\' or "
                      "data_note like '%%%q%%' escape '\\')",
                      e.c_str(), e.c_str());
}

std::string search_tail(const std::vector<const char*>& conditions) {
    std::string out;
    if (!conditions.empty())
        out += " and (" + join(conditions, " or ") + ")";
    out += " order by time desc";
    return out;
}
} // namespace

std::string sql_format(const char* format, ...) {
    va_list ap;
    va_start(ap, format);
    char* text = sqlite3_vmprintf(format, ap);
    va_end(ap);
    if (!text)
        return {};
    std::string out(text);
    sqlite3_free(text);
    return out;
}

std::string data_import_insert_sql(const std::string& id, const std::string& time,
                                   const std::string& local_root, const std::string& name,
                                   const std::string& sn, const std::string& app_name) {
    return sql_format("INSERT INTO data_import (id, time, local_root, name, sn, app_name) values "
                      "('%q', '%q', '%q', '%q', '%q', '%q')",
                      id.c_str(), time.c_str(), local_root.c_str(), name.c_str(), sn.c_str(),
                      app_name.c_str());
}

std::string data_import_rename_sql(const std::string& name, const std::string& local_root,
                                   const std::string& time, const std::string& sn) {
    return sql_format(
        "update data_import set name = '%q', local_root = '%q' where time = '%q' and sn = '%q'",
        name.c_str(), local_root.c_str(), time.c_str(), sn.c_str());
}

std::string data_list_insert_sql(const data_list_insert_row& r) {
    return sql_format(
        "INSERT INTO data_list (data_import_id, dir_name, data_name, data_note, distance, time, "
        "data_type, fs, dd_start_frame_idx, spl, valid_type, frame_num, discharge, favorite) "
        "values ('%q', '%q', '%q', '%q', %.2f, '%q', %d, %d, %d , %.3f, %d, %d, %d, %d)",
        r.data_import_id.c_str(), r.dir_name.c_str(), r.data_name.c_str(), r.data_note.c_str(),
        finite_or_zero(r.distance), r.time.c_str(), r.data_type, r.fs, r.dd_start_frame_idx,
        finite_or_zero(r.spl), r.valid_type, r.frame_num, r.discharge, r.favorite);
}

std::string data_list_update_sql(const data_list_update_row& r) {
    return sql_format("UPDATE data_list SET data_name = '%q', data_note = '%q', distance = %.3f, "
                      "dd_start_frame_idx = %d, spl = %.3f, valid_type = %d, discharge = %d, "
                      "favorite = %d where data_import_id = '%q' and time = '%q'",
                      r.data_name.c_str(), r.data_note.c_str(), finite_or_zero(r.distance),
                      r.dd_start_frame_idx, finite_or_zero(r.spl), r.valid_type, r.discharge,
                      r.favorite, r.data_import_id.c_str(), r.time.c_str());
}

std::string data_list_count_sql(const std::string& data_import_id) {
    return sql_format("select  count (*) as num from data_list where data_import_id = '%q'",
                      data_import_id.c_str());
}

std::string data_list_select_sql(const std::string& data_import_id, bool normal, bool check,
                                 bool favorite) {
    std::vector<const char*> c;
    if (normal)
        c.push_back("valid_type = 0");
    if (check)
        c.push_back("valid_type = 1");
    if (favorite)
        c.push_back("favorite = 1");
    if (c.empty())
        return sql_format("select * from data_list where data_import_id = '%q' order by time desc",
                          data_import_id.c_str());
    const std::string conditions = join(c, " or ");
    return sql_format(
        "select * from data_list where data_import_id = '%q' and (%s) order by time desc",
        data_import_id.c_str(), conditions.c_str());
}

std::string data_list_select_discharge_sql(const std::string& data_import_id, const bool levels[5],
                                           bool favorite) {
    static const char* const names[5] = {"discharge = 0", "discharge = 1", "discharge = 2",
                                         "discharge = 3", "discharge = 4"};
    std::vector<const char*> c;
    for (int i = 0; i < 5; ++i)
        if (levels[i])
            c.push_back(names[i]);
    if (favorite)
        c.push_back("favorite = 1");
    std::string out =
        sql_format("select * from data_list where data_import_id = '%q' ", data_import_id.c_str());
    if (!c.empty())
        out += "and (" + join(c, " or ") + ") ";
    out += "order by time desc";
    return out;
}

std::string data_list_search_sql(const std::string& text, bool normal, bool check, bool favorite) {
    std::vector<const char*> c;
    if (normal)
        c.push_back("valid_type=0");
    if (check)
        c.push_back(" valid_type=1 ");
    if (favorite)
        c.push_back(" favorite=1 ");
    return search_start(text) + search_tail(c);
}

std::string data_list_search_discharge_sql(const std::string& text, const bool levels[5],
                                           bool favorite) {
    static const char* const names[5] = {"discharge=0", " discharge=1 ", " discharge=2 ",
                                         " discharge=3 ", " discharge=4 "};
    std::vector<const char*> c;
    for (int i = 0; i < 5; ++i)
        if (levels[i])
            c.push_back(names[i]);
    if (favorite)
        c.push_back(" favorite=1 ");
    return search_start(text) + search_tail(c);
}

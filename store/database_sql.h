#pragma once
// Statement texts of the dataset database. Text values are escaped (a single
// quote doubled), so no value can end its literal or run as SQL.
// Threading: any thread; pure functions.

#include "store/database.h"

#include <string>

// printf-style formatting through SQLite: %q escapes a text value, %f is
// locale-independent. Empty on allocation failure.
std::string sql_format(const char* format, ...);

std::string data_import_insert_sql(const std::string& id, const std::string& time,
                                   const std::string& local_root, const std::string& name,
                                   const std::string& sn, const std::string& app_name);
std::string data_import_rename_sql(const std::string& name, const std::string& local_root,
                                   const std::string& time, const std::string& sn);
std::string data_list_insert_sql(const data_list_insert_row& row);
std::string data_list_update_sql(const data_list_update_row& row);
std::string data_list_count_sql(const std::string& data_import_id);
std::string data_list_select_sql(const std::string& data_import_id, bool normal, bool check,
                                 bool favorite);
std::string data_list_select_discharge_sql(const std::string& data_import_id, const bool levels[5],
                                           bool favorite);
std::string data_list_search_sql(const std::string& text, bool normal, bool check, bool favorite);
std::string data_list_search_discharge_sql(const std::string& text, const bool levels[5],
                                           bool favorite);

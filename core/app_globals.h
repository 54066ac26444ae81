#pragma once
// Process-wide state set once during start-up and read by every part.
// Threading: written by the UI thread before any other thread starts; read-only after.

#include <string>

extern std::wstring app_name;        // always "Halvix"
extern std::string app_name_u8;      // UTF-8 copy of app_name
extern std::wstring app_data_path;   // per-machine data folder, ends with '/'
extern std::wstring app_config_path; // app_data_path + "config"
extern std::wstring log_file_path;   // app_data_path + "log/" + app_name + ".txt"
extern std::wstring app_root;        // directory of the executable, no trailing '/'
extern std::string app_version;      // "1.0.0.1"; empty when unknown

// Sets app_name, app_data_path, app_config_path and log_file_path from a data
// folder (without trailing separator). Used by start-up and by tests/CLI.
void set_app_data_location(const std::wstring& data_folder);

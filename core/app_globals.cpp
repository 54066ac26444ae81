#include "core/app_globals.h"

std::wstring app_name = L"Halvix";
std::string app_name_u8 = "Halvix";
std::wstring app_data_path;
std::wstring app_config_path;
std::wstring log_file_path;
std::wstring app_root;
std::string app_version;

void set_app_data_location(const std::wstring& data_folder) {
    app_data_path = data_folder;
    if (app_data_path.empty() || app_data_path.back() != L'/')
        app_data_path += L'/';
    app_config_path = app_data_path + L"config";
    log_file_path = app_data_path + L"log/" + app_name + L".txt";
}

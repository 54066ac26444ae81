#pragma once
// Preparing the process before any window exists: data folder, log, version,
// configuration and interface language. Shared by the program and halvix-cli.
// Threading: UI (main) thread only, once, after the application object exists
// and before any other thread starts.

#include <string>

struct environment_result {
    // errno when the data folder could not be created (the caller reports it
    // and ends the process); data_dir is that folder.
    int data_dir_error = 0;
    std::wstring data_dir;
    // What read_config() returned (0 when the configuration was read).
    int config_result = 0;
};

// Sets app_data_path, app_config_path, log_file_path, app_root, app_version
// and app_cfg; opens the log; copies the configuration from the old per-user
// location on the first start; settles app_cfg.lang to 0 or 1.
environment_result init_environment();

// Language answer of the text of install_setting.ini: 1 for "lang=cn", 0 for
// any other value, -1 when the text gives no answer. The value ends at CR LF,
// LF or the end of the text.
int install_setting_lang(const std::string& bytes);

// Reads <root>/install_setting.ini; -1 when it is missing, empty, no regular
// file of at most 64 KiB, or gives no answer.
int read_install_setting_lang(const std::wstring& root);

// Final language id from the configured one: unset (negative) asks
// install_setting.ini in root; anything but 0 or 1 becomes 0.
int settle_lang(int configured, const std::wstring& root);

#include "core/environment.h"

#include "core/app_config.h"
#include "core/app_globals.h"
#include "core/app_log.h"
#include "platform/regular_file.h"
#include "platform/system_info.h"
#include "platform/text.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {
// Longest "lang=" value that is looked at; anything longer reads as English.
const size_t max_lang_value = 63;
const size_t install_setting_max_bytes = 64 * 1024;

fs::path fs_path(const std::wstring& p) {
    return fs::path(platform::wide_to_utf8(p));
}

int make_directories(const std::wstring& path) {
    std::error_code ec;
    fs::create_directories(fs_path(path), ec);
    if (ec)
        return ec.value() ? ec.value() : EIO;
    return fs::is_directory(fs_path(path), ec) ? 0 : ENOTDIR;
}

// Copies one configuration file from the old location; the old file stays.
void migrate_file(const std::wstring& from, const std::wstring& to) {
    std::error_code ec;
    if (!fs::exists(fs_path(from), ec))
        return;
    fs::copy_file(fs_path(from), fs_path(to), fs::copy_options::overwrite_existing, ec);
    if (ec)
        app_log("rename_file err:%d %s,%s", ec.value(), platform::wide_to_utf8(from).c_str(),
                platform::wide_to_utf8(to).c_str());
}
} // namespace

int install_setting_lang(const std::string& bytes) {
    const size_t key = bytes.find("lang=");
    if (key == std::string::npos)
        return -1;
    const size_t begin = key + 5;
    // The line ends at CR LF, or at a lone LF as an editor on this system writes it.
    size_t end = bytes.find('\n', begin);
    if (end == std::string::npos)
        end = bytes.size();
    else if (end > begin && bytes[end - 1] == '\r')
        --end;
    if (end - begin > max_lang_value)
        return 0;
    return bytes.compare(begin, end - begin, "cn") == 0 ? 1 : 0;
}

int read_install_setting_lang(const std::wstring& root) {
    if (root.empty())
        return -1;
    // A few lines; anything that is no small regular file gives no answer.
    std::string bytes;
    if (platform::read_regular_file(platform::wide_to_utf8(root + L"/install_setting.ini"),
                                    install_setting_max_bytes, bytes) != 0 ||
        bytes.empty())
        return -1;
    return install_setting_lang(bytes);
}

int settle_lang(int configured, const std::wstring& root) {
    int lang = configured;
    if (lang < 0) {
        const int answer = read_install_setting_lang(root);
        if (answer >= 0)
            lang = answer;
    }
    return (lang == 0 || lang == 1) ? lang : 0;
}

environment_result init_environment() {
    environment_result result;
    std::error_code ec;

    const std::wstring documents = platform::documents_folder();
    const std::wstring old_location =
        documents.empty() ? std::wstring() : documents + L"/" + app_name;
    const bool old_exists = !old_location.empty() && fs::exists(fs_path(old_location), ec);

    const std::wstring base = platform::common_data_folder();
    const std::wstring new_location = base + L"/" + app_name;
    const bool new_existed = !base.empty() && fs::is_directory(fs_path(new_location), ec);

    int exe_error = 0;
    const std::wstring exe = platform::executable_path(&exe_error);

    if (!new_existed) {
        const int rc = base.empty() ? ENOENT : make_directories(new_location);
        if (rc != 0) {
            result.data_dir_error = rc;
            result.data_dir = new_location;
            return result;
        }
    }

    set_app_data_location(new_location);
    fs::create_directories(fs_path(app_data_path + L"log"), ec);
    log_open(log_file_path);

    app_log("###start### %s", app_name_u8.c_str());
    app_log("oemcp:%u", platform::oem_code_page());

    if (exe.empty()) {
        app_log("GetModuleFileName err:%d", exe_error);
    } else {
        const size_t sep = exe.rfind(L'/'); // a backslash belongs to a name
        app_root = sep == std::wstring::npos ? std::wstring() : exe.substr(0, sep);
        app_version = platform::program_version();
        if (app_version.empty())
            app_log("query_app_version err:%d", ENOENT);
    }

    const int config_dir_rc = make_directories(app_config_path);
    if (config_dir_rc != 0)
        app_log("mkdir app_config_path:%d", config_dir_rc);

    if (!new_existed && old_exists && fs_path(old_location) != fs_path(new_location)) {
        app_log("move config file");
        migrate_file(old_location + L"/config/config.json", app_config_path + L"/config.json");
        migrate_file(old_location + L"/config/config.db", app_config_path + L"/config.db");
    }

    result.config_result = read_config();
    if (result.config_result != 0)
        app_log("read_config err:%d", result.config_result);

    const unsigned language_id = platform::ui_language_id();
    app_log("long_id:%x", language_id);

    app_cfg.lang = settle_lang(app_cfg.lang, app_root);
    app_log("long_id:%x %d", language_id, app_cfg.lang);
    return result;
}

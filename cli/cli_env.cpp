// The command-line program prepares the same data folder, log, configuration
// and database as the window program, so both work on one set of data.

#include "cli/cli_command.h"

#include "cli/cli_json_util.h"
#include "core/app_globals.h"
#include "core/app_log.h"
#include "core/environment.h"
#include "platform/crash_handler.h"
#include "platform/text.h"
#include "store/database.h"
#include "store/db_messages.h"

#include <QCoreApplication>

#include <cstdio>
#include <filesystem>

int cli_prepare_environment() {
    const environment_result env = init_environment();
    if (env.data_dir_error != 0) {
        std::fprintf(stderr, "Create Directory errno:%d %s\n", env.data_dir_error,
                     wide_to_utf8(env.data_dir).c_str());
        return 1;
    }
    platform::install_crash_handler(wide_to_utf8(app_data_path) + "log/", &log_fd);
    const int rc = db_init();
    if (rc != 0) {
        cli_database_error(rc);
        return 1;
    }
    return 0;
}

void cli_database_error(int rc) {
    cli_error(QCoreApplication::translate("halvix_cli", "the database %1 cannot be used: %2")
                  .arg(QString::fromStdWString(platform::display_text(utf8_to_wide(db_path()))),
                       db_failure_text(db_failure_of(rc, 0), rc)));
}

std::wstring cli_absolute_path(const std::string& native) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path p(native);
    if (p.is_relative())
        p = fs::current_path(ec) / p;
    std::string out = p.lexically_normal().string();
    while (out.size() > 1 && out.back() == '/')
        out.pop_back();
    return utf8_to_wide(out);
}

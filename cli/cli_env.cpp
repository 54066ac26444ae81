// The command-line program prepares the same data folder, log, configuration
// and database as the window program, so both work on one set of data.

#include "cli/cli_command.h"

#include "core/app_globals.h"
#include "core/app_log.h"
#include "core/environment.h"
#include "platform/crash_handler.h"
#include "platform/text.h"
#include "store/database.h"

#include <cstdio>

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
        std::fprintf(stderr, "halvix-cli: database %s could not be prepared (%d)\n",
                     db_path().c_str(), rc);
        return rc;
    }
    return 0;
}

// halvix-cli datasets: the registered data sets, newest first.

#include "cli/cli_args.h"
#include "cli/cli_command.h"
#include "cli/cli_json_util.h"

#include "platform/text.h"
#include "store/database.h"

#include <cstdio>

namespace {

int run_datasets(const QStringList& args) {
    bool json = false;
    for (const QString& a : args) {
        if (a == "--json") {
            json = true;
        } else {
            cli_error(cli_tr("usage: halvix-cli datasets [--json]"));
            return 2;
        }
    }
    if (int r = cli_prepare_environment())
        return r;
    int rc = 0;
    const std::vector<import_data_info> sets = data_import_db_select_all(&rc);
    std::vector<int> counts;
    for (size_t i = 0; rc == 0 && i < sets.size(); ++i)
        counts.push_back(data_list_db_count(sets[i].id, &rc));
    // An empty list must mean "no data sets", never "the database could not be read".
    if (rc != 0) {
        cli_database_error(rc);
        return 1;
    }
    if (json) {
        Json::Value out(Json::arrayValue);
        for (size_t i = 0; i < sets.size(); ++i) {
            Json::Value o = cli_import_data_info_json(sets[i]);
            o["items"] = counts[i];
            out.append(o);
        }
        cli_print_json(out);
        return 0;
    }
    std::printf("%-24s %-24s %-23s %6s  %-14s %s\n", "ID", "NAME", "TIME", "ITEMS", "WRITER",
                "DIRECTORY");
    for (size_t i = 0; i < sets.size(); ++i) {
        const import_data_info& s = sets[i];
        std::printf("%-24s %s %-23s %6d  %-14s %s\n", cli_text(s.id).c_str(),
                    cli_pad(cli_text(s.name), 24).c_str(), cli_text(s.time).c_str(), counts[i],
                    cli_text(s.app_name).c_str(), cli_text(s.local_root).c_str());
    }
    return 0;
}

const cli_command_registrar registrar({"datasets", "datasets [--json]",
                                       "list the registered data sets, newest first",
                                       run_datasets});

} // namespace

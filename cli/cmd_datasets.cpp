// halvix-cli datasets: the registered data sets, newest first.

#include "cli/cli_command.h"
#include "cli/cli_json_util.h"

#include "platform/text.h"
#include "store/database.h"

#include <QCoreApplication>

#include <cstdio>

namespace {

QString tr_cli(const char* text) {
    return QCoreApplication::translate("halvix_cli", text);
}

int run_datasets(const QStringList& args) {
    bool json = false;
    for (const QString& a : args) {
        if (a == "--json") {
            json = true;
        } else {
            cli_error(tr_cli("usage: halvix-cli datasets [--json]"));
            return 2;
        }
    }
    if (int r = cli_prepare_environment())
        return r;
    const std::vector<import_data_info> sets = data_import_db_select_all();
    if (json) {
        Json::Value out(Json::arrayValue);
        for (const auto& s : sets) {
            Json::Value o = cli_import_data_info_json(s);
            o["items"] = data_list_db_count(s.id);
            out.append(o);
        }
        cli_print_json(out);
        return 0;
    }
    std::printf("%-24s %-24s %-23s %6s  %-14s %s\n", "ID", "NAME", "TIME", "ITEMS", "WRITER",
                "DIRECTORY");
    for (const auto& s : sets) {
        std::printf("%-24s %s %-23s %6d  %-14s %s\n", s.id.c_str(),
                    cli_pad(wide_to_utf8(s.name), 24).c_str(), s.time.c_str(),
                    data_list_db_count(s.id), s.app_name.c_str(),
                    wide_to_utf8(s.local_root).c_str());
    }
    return 0;
}

const cli_command_registrar registrar({"datasets", "datasets [--json]",
                                       "list the registered data sets, newest first",
                                       run_datasets});

} // namespace

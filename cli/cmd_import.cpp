// halvix-cli import: registers data set directories, as dropping them on the
// dataset list does.

#include "cli/cli_args.h"
#include "cli/cli_command.h"
#include "cli/cli_json_util.h"

#include "app/tasks/local_import.h"
#include "app/tasks/orn_func_obj.h"
#include "platform/terminal.h"

#include <QUrl>

#include <cstdio>

namespace {

int run_import(const QStringList& args) {
    QList<QUrl> urls;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a.startsWith("--")) {
            cli_error(cli_tr("unknown option %1 (see --help)").arg(a));
            return 2;
        }
        // A share path stays as typed so that the check can refuse it; a
        // local one keeps its bytes (a name may be no UTF-8).
        urls.append(a.startsWith("//")
                        ? QUrl::fromLocalFile(a)
                        : local_dir_url(cli_absolute_path(cli_native_args()[size_t(i)])));
    }
    if (urls.isEmpty()) {
        cli_error(cli_tr("usage: halvix-cli import DIR..."));
        return 2;
    }
    if (int r = cli_prepare_environment())
        return r;

    std::vector<std::wstring> roots;
    std::wstring refused;
    const local_dir_check check = check_local_dir(urls, roots, &refused);
    if (check != local_dir_check::accepted)
        cli_error(QStringLiteral("%1 %2").arg(local_dir_check_message(check),
                                              QString::fromStdWString(refused)));

    int inserted = 0;
    if (!roots.empty()) {
        // The worker's own task, run here on the main thread.
        orn_func_obj worker;
        const bool bar = platform::stdout_is_terminal();
        QObject::connect(&worker, &orn_func_obj::update_import_local_progress, [bar](double v) {
            if (bar)
                cli_progress_bar(v);
        });
        std::string info;
        bool ok = true;
        QObject::connect(&worker, &orn_func_obj::import_local_data_finish,
                         [&info, &ok](bool success, std::string text) {
                             ok = success;
                             info = std::move(text);
                         });
        worker.import_local_data(roots);
        inserted = worker.last_import().inserted_all;
        if (bar)
            std::printf("\n");
        if (ok)
            std::printf("%s\n", info.c_str());
        const local_import_result& r = worker.last_import();
        for (size_t i = 0; i < r.import_ids.size(); ++i)
            std::printf("%s\n", cli_tr("%1: %2 data items (id %3)")
                                    .arg(QString::fromStdString(
                                        cli_text(local_root_name(r.import_roots[i]))))
                                    .arg(r.import_items[i])
                                    .arg(QString::fromStdString(r.import_ids[i]))
                                    .toUtf8()
                                    .constData());
        // A set that could not be stored is an error, with its reason.
        if (!ok) {
            for (const QString& line : QString::fromStdString(info).split('\n'))
                cli_error(line);
            return 1;
        }
    }
    if (check != local_dir_check::accepted)
        return 3;
    return inserted > 0 ? 0 : 1;
}

const cli_command_registrar registrar({"import", "import DIR...",
                                       "register data set directories (their items are read "
                                       "in place)",
                                       run_import});

} // namespace

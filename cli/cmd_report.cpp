// halvix-cli report: writes the inspection report of a data set's items, as
// the window's "Generate report" does, with the same analysis, plots and
// templates.

#include "cli/cli_args.h"
#include "cli/cli_command.h"
#include "cli/cli_json_util.h"

#include "app/tasks/report_session.h"
#include "core/app_config.h"
#include "platform/terminal.h"
#include "platform/text.h"
#include "report/word_automation.h"
#include "store/database.h"

#include <QDir>
#include <QTranslator>

#include <cstdio>

namespace {

const char* usage = "usage: halvix-cli report DATASET [--items I,J,...] [--combine|--separate] "
                    "[--lang en|zh] [--out DIR] [--json]";

QString qs(const std::wstring& s) {
    return QString::fromStdWString(s);
}

int run_report_command(const QStringList& args) {
    QString dataset, lang, out;
    bool json = false, combine = false, separate = false;
    cli_item_choice items;
    cli_options options;
    options.flag("--json", json).flag("--combine", combine).flag("--separate", separate);
    options.value("--lang", lang).value("--out", out);
    items.add_option(options);
    if (options.parse(args, dataset, [](const QString&) { return cli_tr(usage); }))
        return 2;
    if (dataset.isEmpty() || (combine && separate) || !cli_lang_valid(lang)) {
        cli_error(cli_tr(usage));
        return 2;
    }
    import_data_info set;
    std::vector<data_info> selected;
    if (int r = items.open(dataset, set, selected))
        return r;

    // Options change this run only; the configuration file is not written.
    if (combine || separate)
        app_cfg.combine_report = combine;
    if (!lang.isEmpty())
        app_cfg.lang = lang == "zh" ? 1 : 0;
    if (!out.isEmpty())
        app_cfg.report_root = cli_absolute(out).toStdWString();
    else if (app_cfg.report_root.empty())
        app_cfg.report_root = QDir::currentPath().toStdWString();
    // The fixed words of the report (purpose, unit, chart titles) in its language.
    QTranslator translator;
    cli_install_translation(translator, app_cfg.lang);
    retranslate_word_lists();

    word_com_initialize();
    if (const int rc = reporter_checker()) {
        cli_error(cli_tr("the document engine cannot open the report templates (%1)").arg(rc));
        return 1;
    }

    const bool bar = !json && platform::stdout_is_terminal();
    report_outcome r;
    {
        report_session session;
        r = session.run(selected, set, [bar](double v) {
            if (bar)
                cli_progress_bar(v);
        });
    }
    if (bar)
        std::printf("\n");

    if (json) {
        Json::Value o(Json::objectValue);
        o["target"] = cli_json_text(r.target);
        Json::Value docs(Json::arrayValue);
        for (const auto& d : r.documents)
            docs.append(cli_json_text(d));
        o["documents"] = docs;
        o["items"] = r.items;
        Json::Value skipped(Json::arrayValue);
        for (const auto& d : r.skipped)
            skipped.append(cli_json_text(d));
        o["skipped"] = skipped;
        cli_print_json(o);
    } else {
        for (const auto& d : r.documents)
            std::printf("%s\n", cli_text(d).c_str());
        for (const auto& d : r.skipped)
            cli_error(cli_tr("skipped %1: the item's directory does not exist").arg(qs(d)));
    }
    if (!r.success)
        cli_error(QString::fromStdString(r.info));
    return r.documents.empty() ? 1 : 0;
}

const cli_command_registrar registrar({"report",
                                       "report DATASET [--items I,J,...] [--combine|--separate] "
                                       "[--lang en|zh] [--out DIR] [--json]",
                                       "writes the inspection report of a data set's items (all, "
                                       "or by index in the browser's order, newest first)",
                                       run_report_command});

} // namespace

// halvix-cli report: writes the inspection report of a data set's items, as
// the window's "Generate report" does, with the same analysis, plots and
// templates.

#include "cli/cli_command.h"
#include "cli/cli_json_util.h"

#include "app/tasks/report_session.h"
#include "core/app_config.h"
#include "platform/terminal.h"
#include "platform/text.h"
#include "report/word_automation.h"
#include "store/database.h"

#include <QCoreApplication>
#include <QDir>
#include <QTranslator>

#include <cstdio>

namespace {

QString tr_cli(const char* text) {
    return QCoreApplication::translate("halvix_cli", text);
}

const char* usage = "usage: halvix-cli report DATASET [--items I,J,...] [--combine|--separate] "
                    "[--lang en|zh] [--out DIR] [--json]";

QString qs(const std::wstring& s) {
    return QString::fromStdWString(s);
}

int run_report_command(const QStringList& args) {
    QString dataset, items_text, lang, out;
    bool json = false, combine = false, separate = false, items_given = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        auto value = [&](QString& v) {
            if (i + 1 >= args.size()) {
                cli_error(tr_cli("%1 needs a value").arg(a));
                return false;
            }
            v = args[++i];
            return true;
        };
        if (a == "--json") {
            json = true;
        } else if (a == "--combine") {
            combine = true;
        } else if (a == "--separate") {
            separate = true;
        } else if (a == "--items") {
            if (!value(items_text))
                return 2;
            items_given = true;
        } else if (a == "--lang") {
            if (!value(lang))
                return 2;
        } else if (a == "--out") {
            if (!value(out))
                return 2;
        } else if (a.startsWith("--")) {
            cli_error(tr_cli("unknown option %1 (see --help)").arg(a));
            return 2;
        } else if (dataset.isEmpty()) {
            dataset = a;
        } else {
            cli_error(tr_cli(usage));
            return 2;
        }
    }
    if (dataset.isEmpty() || (combine && separate) ||
        (!lang.isEmpty() && lang != "en" && lang != "zh")) {
        cli_error(tr_cli(usage));
        return 2;
    }
    std::vector<int> indices;
    if (items_given) {
        for (const QString& part : items_text.split(',')) {
            int v = 0;
            if (!cli_parse_int("--items", part.trimmed(), v, 0, 1 << 30))
                return 2;
            indices.push_back(v);
        }
    }
    if (int r = cli_prepare_environment())
        return r;

    import_data_info set;
    const std::wstring key = dataset.toStdWString();
    for (const auto& s : data_import_db_select_all()) {
        if (utf8_to_wide(s.id) == key || s.name == key) {
            set = s;
            break;
        }
    }
    if (set.id.empty()) {
        cli_error(
            tr_cli("no data set named or numbered \"%1\" (see halvix-cli datasets)").arg(dataset));
        return 1;
    }
    // The browser's order: newest first.
    const std::vector<data_info> all = data_list_db_select(set, false, false, false);
    std::vector<data_info> selected;
    if (!items_given)
        selected = all;
    for (int idx : indices) {
        if (idx >= int(all.size())) {
            cli_error(tr_cli("item %1 does not exist: the data set has %2 items (0 to %3)")
                          .arg(idx)
                          .arg(all.size())
                          .arg(int(all.size()) - 1));
            return 2;
        }
        selected.push_back(all[size_t(idx)]);
    }

    // Options change this run only; the configuration file is not written.
    if (combine || separate)
        app_cfg.combine_report = combine;
    if (!lang.isEmpty())
        app_cfg.lang = lang == "zh" ? 1 : 0;
    if (!out.isEmpty())
        app_cfg.report_root = QDir::cleanPath(QDir::current().absoluteFilePath(out)).toStdWString();
    else if (app_cfg.report_root.empty())
        app_cfg.report_root = QDir::currentPath().toStdWString();
    // The fixed words of the report (purpose, unit, chart titles) in its language.
    QTranslator translator;
    if (app_cfg.lang == 1 && translator.load(QStringLiteral(":/TOrnViewer/tornviewer_zh.qm")))
        QCoreApplication::installTranslator(&translator);
    retranslate_word_lists();

    word_com_initialize();
    if (const int rc = reporter_checker()) {
        cli_error(tr_cli("the document engine cannot open the report templates (%1)").arg(rc));
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
        o["target"] = wide_to_utf8(r.target);
        Json::Value docs(Json::arrayValue);
        for (const auto& d : r.documents)
            docs.append(wide_to_utf8(d));
        o["documents"] = docs;
        o["items"] = r.items;
        Json::Value skipped(Json::arrayValue);
        for (const auto& d : r.skipped)
            skipped.append(wide_to_utf8(d));
        o["skipped"] = skipped;
        cli_print_json(o);
    } else {
        for (const auto& d : r.documents)
            std::printf("%s\n", wide_to_utf8(d).c_str());
        for (const auto& d : r.skipped)
            cli_error(tr_cli("skipped %1: the item's directory does not exist").arg(qs(d)));
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

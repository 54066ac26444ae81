// halvix-cli survey: a data set's gas leaks with their yearly totals, as the
// window's "Leak survey" shows them, and its CSV and Word exports.

#include "cli/cli_args.h"
#include "cli/cli_command.h"
#include "cli/cli_json_util.h"

#include "analysis/survey/leak_survey.h"
#include "core/app_config.h"
#include "platform/text.h"
#include "report/survey_export.h"
#include "store/database.h"

#include <QTranslator>

#include <cstdio>

namespace {

const char* usage = "usage: halvix-cli survey DATASET [--items I,J,...] [--csv FILE] "
                    "[--docx FILE] [--lang en|zh] [--json]";

std::string u8(const std::wstring& s) {
    return wide_to_utf8(s);
}

Json::Value leak_json(const survey_leak& l) {
    const data_info& d = l.item;
    Json::Value o(Json::objectValue);
    o["rank"] = l.rank;
    o["name"] = cli_json_text(survey_item_name(d));
    o["time"] = cli_json_text(d.time);
    o["data_dir"] = cli_json_text(d.data_dir);
    o["spl"] = cli_number(d.spl);
    o["distance"] = cli_number(d.distance);
    o["distance_substituted"] = l.distance_substituted;
    o["level_1m"] = cli_number(l.level_1m);
    o["leak_rate"] = cli_number(d.leak_rate);
    o["rate_unit"] = u8(survey_rate_unit(d));
    o["rate_lpm"] = cli_number(l.rate_lpm);
    o["leak_level"] = cli_number(d.leak_level);
    o["yearly_cost"] = cli_number(d.leak_cost);
    o["currency"] = cli_json_text(d.gasleak_currency);
    o["energy_kwh"] = l.has_energy ? cli_number(l.energy_kwh) : Json::Value();
    o["co2_kg"] = l.has_energy ? cli_number(l.co2_kg) : Json::Value();
    o["counted"] = l.counted;
    return o;
}

Json::Value survey_json(const leak_survey& s, const import_data_info& set) {
    Json::Value o(Json::objectValue);
    o["dataset"] = cli_json_text(set.name);
    o["items"] = s.items;
    o["other_items"] = s.other_items;
    o["co2_kg_per_kwh"] = cli_number(s.co2_kg_per_kwh);
    Json::Value leaks(Json::arrayValue);
    for (const survey_leak& l : s.leaks)
        leaks.append(leak_json(l));
    o["leaks"] = leaks;
    const survey_totals& t = s.totals;
    Json::Value tot(Json::objectValue);
    tot["rate_lpm"] = cli_number(t.rate_lpm);
    tot["energy_kwh"] = cli_number(t.energy_kwh);
    tot["co2_kg"] = cli_number(t.co2_kg);
    tot["counted"] = t.counted;
    tot["left_out"] = t.left_out;
    Json::Value costs(Json::arrayValue);
    for (const survey_cost_total& c : t.costs) {
        Json::Value ct(Json::objectValue);
        ct["currency"] = cli_json_text(c.currency);
        ct["cost"] = cli_number(c.cost);
        ct["leaks"] = c.leaks;
        costs.append(ct);
    }
    tot["costs"] = costs;
    o["totals"] = tot;
    return o;
}

void print_table(const leak_survey& s) {
    std::printf("%4s  %s %-19s %7s %6s %7s %14s %6s %18s %9s %8s\n", "RANK",
                cli_pad("NAME", 24).c_str(), "TIME", "SPL", "DIST", "L@1M", "LEAK RATE", "LEVEL",
                "YEARLY COST", "KWH/YR", "CO2 KG");
    for (const survey_leak& l : s.leaks) {
        const data_info& d = l.item;
        std::printf(
            "%4d  %s %-19s %7s %6s %7s %14s %6s %18s %9s %8s\n", l.rank,
            cli_pad(cli_text(survey_item_name(d)), 24).c_str(), cli_text(d.time).c_str(),
            u8(survey_number(d.spl, 1)).c_str(),
            u8(survey_number(d.distance, 1) + (l.distance_substituted ? L"*" : L"")).c_str(),
            u8(survey_number(l.level_1m, 1)).c_str(), u8(survey_rate_text(l)).c_str(),
            u8(survey_number(d.leak_level, 2)).c_str(),
            cli_text(survey_cost_text(d.leak_cost, d.gasleak_currency)).c_str(),
            l.has_energy ? u8(survey_number(l.energy_kwh, 0)).c_str() : "-",
            l.has_energy ? u8(survey_number(l.co2_kg, 0)).c_str() : "-");
    }
    const survey_totals& t = s.totals;
    std::printf("\n%s\n",
                cli_tr("Totals: %1 leaks counted, %2 left out (values not finite), %3 other data "
                       "items not listed")
                    .arg(t.counted)
                    .arg(t.left_out)
                    .arg(s.other_items)
                    .toUtf8()
                    .constData());
    std::printf("  %s %s L/min\n", cli_tr("Leak rate:").toUtf8().constData(),
                u8(survey_number(t.rate_lpm, 1)).c_str());
    std::string costs;
    for (const survey_cost_total& c : t.costs)
        costs += (costs.empty() ? "" : "; ") + cli_text(survey_cost_text(c.cost, c.currency));
    std::printf("  %s %s\n", cli_tr("Yearly cost:").toUtf8().constData(),
                costs.empty() ? "0.0" : costs.c_str());
    std::printf("  %s %s kWh/yr\n", cli_tr("Energy:").toUtf8().constData(),
                u8(survey_number(t.energy_kwh, 0)).c_str());
    std::printf("  %s %s kg/yr (%s kg/kWh)\n", cli_tr("CO2:").toUtf8().constData(),
                u8(survey_number(t.co2_kg, 0)).c_str(),
                u8(survey_number(s.co2_kg_per_kwh, 3)).c_str());
}

int run_survey(const QStringList& args) {
    QString dataset, lang, csv, docx;
    bool json = false;
    cli_item_choice items;
    cli_options options;
    options.flag("--json", json).value("--lang", lang).value("--csv", csv).value("--docx", docx);
    items.add_option(options);
    if (options.parse(args, dataset, [](const QString&) { return cli_tr(usage); }))
        return 2;
    if (dataset.isEmpty() || !cli_lang_valid(lang)) {
        cli_error(cli_tr(usage));
        return 2;
    }
    import_data_info set;
    std::vector<data_info> selected;
    if (int r = items.open(dataset, set, selected))
        return r;

    // The exports' fixed words in the chosen language (the configured one
    // by default); the configuration file is not written.
    const int lang_id = lang.isEmpty() ? (app_cfg.lang == 1 ? 1 : 0) : (lang == "zh" ? 1 : 0);
    QTranslator translator;
    cli_install_translation(translator, lang_id);

    const leak_survey s = build_leak_survey(selected, app_cfg.co2_kg_per_kwh);
    int rc = 0;
    Json::Value written(Json::objectValue);
    if (!csv.isEmpty()) {
        const std::wstring path = cli_absolute(csv).toStdWString();
        if (const int e = write_survey_csv(s, path)) {
            cli_error(cli_tr("the CSV file %1 could not be written (%2)")
                          .arg(QString::fromStdWString(path))
                          .arg(e));
            rc = 1;
        } else {
            written["csv"] = u8(path);
        }
    }
    if (!docx.isEmpty()) {
        const std::wstring path = cli_absolute(docx).toStdWString();
        survey_report_options o;
        o.lang_id = lang_id;
        o.dataset_name = set.name;
        const survey_report_outcome r = write_survey_report(s, path, o);
        if (r.result != 0) {
            cli_error(cli_tr("the report %1 could not be written (%2)")
                          .arg(QString::fromStdWString(path))
                          .arg(r.result));
            rc = 1;
        } else {
            written["docx"] = u8(path);
        }
    }

    if (json) {
        Json::Value o = survey_json(s, set);
        o["written"] = written;
        cli_print_json(o);
    } else {
        print_table(s);
        for (const char* k : {"csv", "docx"})
            if (written.isMember(k))
                std::printf("%s\n", written[k].asCString());
    }
    return rc;
}

const cli_command_registrar registrar({"survey",
                                       "survey DATASET [--items I,J,...] [--csv FILE] "
                                       "[--docx FILE] [--lang en|zh] [--json]",
                                       "the gas leaks of a data set (all items, or by index in "
                                       "the browser's order) ranked by yearly cost, with totals; "
                                       "optionally as CSV and Word document",
                                       run_survey});

} // namespace

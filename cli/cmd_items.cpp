// halvix-cli items: the items of a data set, or a search over all of them,
// with the data browser's filters.

#include "cli/cli_args.h"
#include "cli/cli_command.h"
#include "cli/cli_json_util.h"

#include "analysis/datafile/data_file.h"
#include "platform/text.h"
#include "report/csv_writer.h"
#include "store/database.h"

#include <cstdio>

namespace {

const char* usage = "usage: halvix-cli items DATASET [--search TEXT] [--normal] [--check] "
                    "[--level N]... [--favorite] [--json|--csv]";

// The level and mark shown for an item come from its note.json.
void shown_marks(data_info& d) {
    data_info n;
    const std::wstring note = d.data_dir + L"/note.json";
    if (!d.data_dir.empty() && read_data_note(&note, n) == 0) {
        d.favorite = n.favorite;
        d.discharge = n.discharge;
    }
}

int run_items(const QStringList& args) {
    QString dataset;
    bool json = false, csv = false, normal = false, check = false, favorite = false, search = false;
    bool levels[5] = {false, false, false, false, false};
    bool any_level = false;
    QString text;
    cli_options options;
    options.flag("--json", json).flag("--csv", csv).flag("--normal", normal);
    options.flag("--check", check).flag("--favorite", favorite).value("--search", text, &search);
    options.value("--level", [&](const QString& v) {
        int level = 0;
        if (!cli_parse_int("--level", v, level, 0, 4))
            return false;
        levels[level] = true;
        any_level = true;
        return true;
    });
    if (options.parse(args, dataset, [](const QString&) { return cli_tr(usage); }))
        return 2;
    if (any_level && (normal || check)) {
        cli_error(cli_tr("--level filters by defect level; it cannot be combined with --normal "
                         "or --check"));
        return 2;
    }
    if ((dataset.isEmpty() && !search) || (json && csv)) {
        cli_error(cli_tr(usage));
        return 2;
    }
    if (int r = cli_prepare_environment())
        return r;

    import_data_info set;
    if (!dataset.isEmpty()) {
        if (int r = cli_find_dataset(dataset, set))
            return r;
    }

    std::vector<data_info> items;
    int rc = 0;
    if (search) {
        items = any_level
                    ? data_list_db_search_discharge(text.toStdWString(), levels[0], levels[1],
                                                    levels[2], levels[3], levels[4], favorite, &rc)
                    : data_list_db_search(text.toStdWString(), normal, check, favorite, &rc);
        if (!set.id.empty()) {
            std::vector<data_info> mine;
            for (auto& d : items)
                if (d.data_import_id == set.id)
                    mine.push_back(std::move(d));
            items.swap(mine);
        }
    } else {
        items = any_level ? data_list_db_select_discharge(set, levels[0], levels[1], levels[2],
                                                          levels[3], levels[4], favorite, &rc)
                          : data_list_db_select(set, normal, check, favorite, &rc);
    }
    // An empty list must mean "no items", never "the database could not be read".
    if (rc != 0) {
        cli_database_error(rc);
        return 1;
    }
    for (auto& d : items)
        shown_marks(d);

    if (json) {
        Json::Value out(Json::arrayValue);
        for (const auto& d : items)
            out.append(cli_data_row_json(d));
        cli_print_json(out);
        return 0;
    }
    if (csv) {
        // The same columns as the text, for a spreadsheet: UTF-8 with a
        // byte-order mark, quoted where needed.
        csv_table t;
        t.add_row(
            {"Time", "Name", "SPL (dB)", "Level", "Favorite", "Check", "Frames", "Directory"});
        for (const auto& d : items)
            t.add_row({csv_text(cli_json_text(d.time)), csv_text(cli_json_text(d.data_name)),
                       csv_number(d.spl, 2), std::to_string(d.discharge),
                       std::to_string(d.favorite), std::to_string(d.valid_type),
                       std::to_string(d.frame_num), csv_text(cli_json_text(d.data_dir))});
        const std::string text = t.text(true);
        // Output redirected to a full disk is a failure, not an empty file.
        if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() ||
            std::fflush(stdout) != 0) {
            cli_error(cli_tr("the list could not be written"));
            return 1;
        }
        return 0;
    }
    std::printf("%-19s %-28s %8s %5s %3s %5s %6s  %s\n", "TIME", "NAME", "SPL", "LEVEL", "FAV",
                "CHECK", "FRAMES", "DIRECTORY");
    for (const auto& d : items) {
        std::printf("%-19s %s %8.2f %5d %3d %5d %6d  %s\n", cli_text(d.time).c_str(),
                    cli_pad(cli_text(d.data_name), 28).c_str(), d.spl, d.discharge, d.favorite,
                    d.valid_type, d.frame_num, cli_text(d.data_dir).c_str());
    }
    return 0;
}

const cli_command_registrar registrar({"items",
                                       "items DATASET [--search TEXT] [--normal] [--check] "
                                       "[--level N]... [--favorite] [--json|--csv]",
                                       "list a data set's items (or search all data sets) with "
                                       "the browser's filters; --csv writes them as CSV",
                                       run_items});

} // namespace

// halvix-cli items: the items of a data set, or a search over all of them,
// with the data browser's filters.

#include "cli/cli_command.h"
#include "cli/cli_json_util.h"

#include "analysis/datafile/data_file.h"
#include "platform/text.h"
#include "report/csv_writer.h"
#include "store/database.h"

#include <QCoreApplication>

#include <cstdio>

namespace {

QString tr_cli(const char* text) {
    return QCoreApplication::translate("halvix_cli", text);
}

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
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == "--json") {
            json = true;
        } else if (a == "--csv") {
            csv = true;
        } else if (a == "--normal") {
            normal = true;
        } else if (a == "--check") {
            check = true;
        } else if (a == "--favorite") {
            favorite = true;
        } else if (a == "--search" || a == "--level") {
            if (i + 1 >= args.size()) {
                cli_error(tr_cli("%1 needs a value").arg(a));
                return 2;
            }
            const QString v = args[++i];
            if (a == "--search") {
                search = true;
                text = v;
            } else {
                int level = 0;
                if (!cli_parse_int(a, v, level, 0, 4))
                    return 2;
                levels[level] = true;
                any_level = true;
            }
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
    if (any_level && (normal || check)) {
        cli_error(tr_cli("--level filters by defect level; it cannot be combined with --normal "
                         "or --check"));
        return 2;
    }
    if ((dataset.isEmpty() && !search) || (json && csv)) {
        cli_error(tr_cli(usage));
        return 2;
    }
    if (int r = cli_prepare_environment())
        return r;

    import_data_info set;
    if (!dataset.isEmpty()) {
        const std::wstring key = dataset.toStdWString();
        int rc = 0;
        const std::vector<import_data_info> sets = data_import_db_select_all(&rc);
        if (rc != 0) {
            cli_database_error(rc);
            return 1;
        }
        for (const auto& s : sets) {
            if (utf8_to_wide(s.id) == key || s.name == key) {
                set = s;
                break;
            }
        }
        if (set.id.empty()) {
            cli_error(tr_cli("no data set named or numbered \"%1\" (see halvix-cli datasets)")
                          .arg(dataset));
            return 1;
        }
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
            t.add_row({d.time, wide_to_utf8(d.data_name), csv_number(d.spl, 2),
                       std::to_string(d.discharge), std::to_string(d.favorite),
                       std::to_string(d.valid_type), std::to_string(d.frame_num),
                       wide_to_utf8(d.data_dir)});
        const std::string text = t.text(true);
        std::fwrite(text.data(), 1, text.size(), stdout);
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

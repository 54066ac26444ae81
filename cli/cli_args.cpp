#include "cli/cli_args.h"

#include "cli/cli_command.h"
#include "cli/cli_json_util.h"

#include "platform/text.h"
#include "store/database.h"

#include <QCoreApplication>
#include <QDir>
#include <QTranslator>

#include <algorithm>

QString cli_tr(const char* text) {
    return QCoreApplication::translate("halvix_cli", text);
}

QString cli_absolute(const QString& path) {
    return QDir::cleanPath(QDir::current().absoluteFilePath(path));
}

bool cli_parse_int(const QString& option, const QString& text, int& out, int min, int max) {
    bool ok = false;
    const int v = text.toInt(&ok);
    if (!ok || v < min || v > max) {
        cli_error(QStringLiteral("%1 needs a whole number from %2 to %3, not \"%4\"")
                      .arg(option)
                      .arg(min)
                      .arg(max)
                      .arg(text));
        return false;
    }
    out = v;
    return true;
}

cli_options& cli_options::flag(const char* name, bool& on) {
    options_.push_back({QString::fromLatin1(name), &on, nullptr});
    return *this;
}

cli_options& cli_options::value(const char* name, QString& out, bool* given) {
    return value(name, [&out, given](const QString& v) {
        out = v;
        if (given)
            *given = true;
        return true;
    });
}

cli_options& cli_options::value(const char* name, std::function<bool(const QString&)> take) {
    options_.push_back({QString::fromLatin1(name), nullptr, std::move(take)});
    return *this;
}

cli_options& cli_options::integer(const char* name, int& out, int min, int max) {
    const QString option = QString::fromLatin1(name);
    return value(name, [option, &out, min, max](const QString& v) {
        return cli_parse_int(option, v, out, min, max);
    });
}

int cli_options::parse(const QStringList& args, QString& operand,
                       const std::function<QString(const QString&)>& extra) const {
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        const auto known = std::find_if(options_.begin(), options_.end(),
                                        [&a](const option& o) { return o.name == a; });
        if (known != options_.end()) {
            if (known->flag) {
                *known->flag = true;
                continue;
            }
            if (i + 1 >= args.size()) {
                cli_error(cli_tr("%1 needs a value").arg(a));
                return 2;
            }
            if (!known->take(args[++i]))
                return 2;
        } else if (a.startsWith("--")) {
            cli_error(cli_tr("unknown option %1 (see --help)").arg(a));
            return 2;
        } else if (operand.isEmpty()) {
            operand = a;
        } else {
            cli_error(extra(a));
            return 2;
        }
    }
    return 0;
}

void cli_item_choice::add_option(cli_options& options) {
    options.value("--items", text_, &given_);
}

int cli_item_choice::open(const QString& dataset, import_data_info& set,
                          std::vector<data_info>& out) const {
    // A wrong index is refused before the database is touched.
    std::vector<int> indices;
    if (given_) {
        for (const QString& part : text_.split(',')) {
            int v = 0;
            if (!cli_parse_int("--items", part.trimmed(), v, 0, 1 << 30))
                return 2;
            indices.push_back(v);
        }
    }
    if (int r = cli_prepare_environment())
        return r;
    if (int r = cli_find_dataset(dataset, set))
        return r;
    int rc = 0;
    // The browser's order: newest first.
    const std::vector<data_info> all = data_list_db_select(set, false, false, false, &rc);
    // An empty list must mean "no items", never "the database could not be read".
    if (rc != 0) {
        cli_database_error(rc);
        return 1;
    }
    out.clear();
    if (!given_)
        out = all;
    for (int idx : indices) {
        if (idx >= int(all.size())) {
            cli_error(cli_tr("item %1 does not exist: the data set has %2 items (0 to %3)")
                          .arg(idx)
                          .arg(all.size())
                          .arg(int(all.size()) - 1));
            return 2;
        }
        out.push_back(all[size_t(idx)]);
    }
    return 0;
}

bool cli_lang_valid(const QString& lang) {
    return lang.isEmpty() || lang == "en" || lang == "zh";
}

void cli_install_translation(QTranslator& translator, int lang_id) {
    if (lang_id == 1 && translator.load(QStringLiteral(":/TOrnViewer/tornviewer_zh.qm")))
        QCoreApplication::installTranslator(&translator);
}

int cli_find_dataset(const QString& name, import_data_info& set) {
    const std::wstring key = name.toStdWString();
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
        cli_error(
            cli_tr("no data set named or numbered \"%1\" (see halvix-cli datasets)").arg(name));
        return 1;
    }
    return 0;
}

// halvix-cli sample: writes a synthetic data set to try the program with.

#include "cli/cli_command.h"
#include "cli/cli_json_util.h"

#include "tools/samplegen/sample_gen.h"

#include <QCoreApplication>
#include <QDir>
#include <QRegularExpression>

#include <cstdio>

namespace {

// The path as one shell word, so the printed command can be pasted as is.
QString shell_quoted(const QString& path) {
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_./+,:@%-]+$"));
    if (plain.match(path).hasMatch())
        return path;
    QString q = path;
    q.replace(QLatin1Char('\''), QLatin1String("'\\''"));
    return QLatin1Char('\'') + q + QLatin1Char('\'');
}

QString tr_cli(const char* text) {
    return QCoreApplication::translate("halvix_cli", text);
}

int run_sample(const QStringList& args) {
    sample_options o;
    QString out;
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
        QString v;
        if (a == "--items") {
            if (!value(v) || !cli_parse_int(a, v, o.items, 1, 100000))
                return 2;
        } else if (a == "--frames") {
            if (!value(v) || !cli_parse_int(a, v, o.frames, 1, 10000))
                return 2;
        } else if (a == "--seed") {
            int seed = 1;
            if (!value(v) || !cli_parse_int(a, v, seed, 0, 2147483647))
                return 2;
            o.seed = uint32_t(seed);
        } else if (a == "--writer") {
            if (!value(v))
                return 2;
            if (v == "orn")
                o.writer = 0;
            else if (v == "sable")
                o.writer = 1;
            else if (v == "vuvoraro")
                o.writer = 2;
            else if (v == "mixed")
                o.writer = -1;
            else {
                cli_error(
                    tr_cli("--writer takes orn, sable, vuvoraro or mixed, not \"%1\"").arg(v));
                return 2;
            }
        } else if (a == "--gas-leak") {
            o.gas_leak = true;
        } else if (a.startsWith("--")) {
            cli_error(tr_cli("unknown option %1 (see --help)").arg(a));
            return 2;
        } else if (out.isEmpty()) {
            out = a;
        } else {
            cli_error(tr_cli("only one output directory, not \"%1\"").arg(a));
            return 2;
        }
    }
    if (out.isEmpty()) {
        cli_error(tr_cli("usage: halvix-cli sample OUT_DIR [--items N] [--writer "
                         "orn|sable|vuvoraro] [--frames F] [--seed S] [--gas-leak]"));
        return 2;
    }
    const QString dir = QDir::cleanPath(QDir::current().absoluteFilePath(out));
    sample_set set;
    const int r = generate_sample_set(dir.toStdWString(), o, &set);
    if (r != 0) {
        cli_error(tr_cli("cannot write the data set to %1 (error %2)").arg(dir).arg(r));
        return 1;
    }
    std::printf("%s\n", tr_cli("Wrote %1 data items of %2 frames to %3")
                            .arg(set.items.size())
                            .arg(o.frames)
                            .arg(dir)
                            .toUtf8()
                            .constData());
    std::printf("%s\n", tr_cli("Register it with: halvix-cli import %1")
                            .arg(shell_quoted(dir))
                            .toUtf8()
                            .constData());
    return 0;
}

const cli_command_registrar registrar({"sample",
                                       "sample OUT_DIR [--items N] [--writer orn|sable|vuvoraro] "
                                       "[--frames F] [--seed S] [--gas-leak]",
                                       "write a synthetic data set to try the program with",
                                       run_sample});

} // namespace

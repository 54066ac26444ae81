// halvix-cli sample: writes a synthetic data set to try the program with.

#include "cli/cli_args.h"
#include "cli/cli_command.h"
#include "cli/cli_json_util.h"

#include "tools/samplegen/sample_gen.h"

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

int run_sample(const QStringList& args) {
    sample_options o;
    QString out;
    cli_options options;
    options.integer("--items", o.items, 1, 100000).integer("--frames", o.frames, 1, 10000);
    options.value("--seed", [&o](const QString& v) {
        int seed = 1;
        if (!cli_parse_int("--seed", v, seed, 0, 2147483647))
            return false;
        o.seed = uint32_t(seed);
        return true;
    });
    options.value("--writer", [&o](const QString& v) {
        if (v == "orn")
            o.writer = 0;
        else if (v == "sable")
            o.writer = 1;
        else if (v == "vuvoraro")
            o.writer = 2;
        else if (v == "mixed")
            o.writer = -1;
        else {
            cli_error(cli_tr("--writer takes orn, sable, vuvoraro or mixed, not \"%1\"").arg(v));
            return false;
        }
        return true;
    });
    options.flag("--gas-leak", o.gas_leak);
    const auto second = [](const QString& a) {
        return cli_tr("only one output directory, not \"%1\"").arg(a);
    };
    if (options.parse(args, out, second))
        return 2;
    if (out.isEmpty()) {
        cli_error(cli_tr("usage: halvix-cli sample OUT_DIR [--items N] [--writer "
                         "orn|sable|vuvoraro] [--frames F] [--seed S] [--gas-leak]"));
        return 2;
    }
    const QString dir = cli_absolute(out);
    sample_set set;
    const int r = generate_sample_set(dir.toStdWString(), o, &set);
    if (r != 0) {
        cli_error(cli_tr("cannot write the data set to %1 (error %2)").arg(dir).arg(r));
        return 1;
    }
    std::printf("%s\n", cli_tr("Wrote %1 data items of %2 frames to %3")
                            .arg(set.items.size())
                            .arg(o.frames)
                            .arg(dir)
                            .toUtf8()
                            .constData());
    std::printf("%s\n", cli_tr("Register it with: halvix-cli import %1")
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

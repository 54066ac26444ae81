// halvix-cli: command-line access to the program's data and analysis.

#include "cli/cli_command.h"

#include "store/records.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {
std::vector<cli_command>& commands() {
    static std::vector<cli_command> list;
    return list;
}

std::vector<std::string>& native_args() {
    static std::vector<std::string> args;
    return args;
}

void print_help() {
    std::printf("Usage: halvix-cli COMMAND [ARGS]\n\n"
                "Command-line companion of Halvix; shares its data directory and database.\n\n"
                "Options:\n"
                "  --help      show this text\n"
                "  --version   show the version\n\n"
                "Commands:\n");
    auto list = commands();
    std::sort(list.begin(), list.end(), [](const cli_command& a, const cli_command& b) {
        return std::strcmp(a.name, b.name) < 0;
    });
    for (const auto& c : list)
        std::printf("  %s\n      %s\n", c.synopsis, c.summary);
}
} // namespace

cli_command_registrar::cli_command_registrar(cli_command c) {
    commands().push_back(std::move(c));
}

const std::vector<std::string>& cli_native_args() {
    return native_args();
}

// Qt's notice about a missing runtime directory means nothing to a
// command-line user; everything else still reaches stderr.
static void quiet_message_handler(QtMsgType type, const QMessageLogContext& context,
                                  const QString& msg) {
    if (type == QtWarningMsg && msg.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR")))
        return;
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, msg)));
}

int main(int argc, char** argv) {
    qInstallMessageHandler(quiet_message_handler);
    // Pictures are drawn and decoded without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCoreApplication::setApplicationName("Halvix");
    QCoreApplication::setApplicationVersion(HALVIX_VERSION);
    register_meta_types();

    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    if (args.isEmpty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        print_help();
        return args.isEmpty() ? 2 : 0;
    }
    if (args[0] == "--version" || args[0] == "-v") {
        std::printf("halvix-cli %s\n", HALVIX_VERSION);
        return 0;
    }
    const QString name = args.takeFirst();
    for (int i = 2; i < argc; ++i)
        native_args().emplace_back(argv[i]);
    for (const auto& c : commands()) {
        if (name == QLatin1String(c.name))
            return c.run(args);
    }
    std::fprintf(stderr, "halvix-cli: unknown command \"%s\" (see --help)\n",
                 name.toUtf8().constData());
    return 2;
}

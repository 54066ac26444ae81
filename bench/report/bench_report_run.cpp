// A whole report as the window makes it: from the request to the finished
// combined document of 100 generated sample items (general and gas-leak
// items mixed), each analysed and plotted on the analysis and plot threads.
// Prints the total, the split (analysis, plots, filling, saving) and one
// item alone; with halvix-cli beside the build, the same report through the
// command line. Prints figures; never fails on timing.
// Usage: bench_report_run [ITEMS]

#include "app/tasks/local_import.h"
#include "app/tasks/report_session.h"
#include "core/app_config.h"
#include "core/environment.h"
#include "report/word_automation.h"
#include "store/database.h"
#include "tools/samplegen/sample_gen.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>

namespace {
void print_split(const char* what, const report_outcome& r, double plots, int items) {
    // The wait covers the analysis run, the two pictures and the hand-overs
    // between the threads; the plot object times its own part.
    const double analysis = r.t_wait - plots;
    std::printf("%s: %.3f s total, %.1f ms per item (%d items in the document)\n"
                "  analysis and hand-over %.3f s, plots %.3f s, filling %.3f s, saving %.3f s\n",
                what, r.t_total, 1000.0 * r.t_total / items, r.items, analysis, plots, r.t_fill,
                r.t_save);
}
} // namespace

int main(int argc, char** argv) {
    QTemporaryDir tmp;
    // A private data folder, database and configuration.
    qputenv("XDG_DATA_HOME", tmp.filePath("xdg").toUtf8());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    register_meta_types();
    const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100;
    init_environment();
    db_init();

    sample_options opt;
    opt.items = count;
    const QString root = tmp.filePath("survey");
    if (generate_sample_set(root.toStdWString(), opt) != 0) {
        std::fprintf(stderr, "cannot write the sample set\n");
        return 1;
    }
    std::atomic<uint8_t> no_abort{0};
    const local_import_result imported = import_local_roots({root.toStdWString()}, no_abort, {});
    import_data_info set;
    for (const auto& s : data_import_db_select_all())
        if (!imported.import_ids.empty() && s.id == imported.import_ids[0])
            set = s;
    const std::vector<data_info> items = data_list_db_select(set, false, false, false);

    app_cfg.report_root = tmp.filePath("reports").toStdWString();
    app_cfg.combine_report = true;
    app_cfg.lang = 0;
    word_com_initialize();
    reporter_checker();

    double all_seconds = 0;
    {
        // A fresh session, as after the program's start: its first report
        // also pays for the analysis plans and the fonts of the plots.
        report_session session;
        const report_outcome all = session.run(items, set);
        print_split("combined report", all, session.plot_seconds(), int(items.size()));
        const QString doc =
            all.documents.empty() ? QString() : QString::fromStdWString(all.documents[0]);
        std::printf("  %s, %.1f MB (goal: at most 5 s for 100 items)\n",
                    qPrintable(QFileInfo(doc).fileName()), QFileInfo(doc).size() / 1048576.0);
        all_seconds = all.t_total;

        double plots = session.plot_seconds();
        const report_outcome one = session.run({items[1]}, set);
        print_split("one item, combined document", one, session.plot_seconds() - plots, 1);
        std::printf("  (goal: at most 50 ms)\n");
    }

    // The command line on the same data set, as a user starts it.
    const QString cli = QCoreApplication::applicationDirPath() + "/../../cli/halvix-cli";
    if (QFileInfo(cli).isExecutable()) {
        QProcess p;
        QElapsedTimer t;
        t.start();
        p.start(cli, {"report", QString::fromStdString(set.id), "--combine", "--lang", "en",
                      "--out", tmp.filePath("cli"), "--json"});
        p.waitForFinished(120000);
        const double secs = t.nsecsElapsed() / 1e9;
        std::printf("halvix-cli report, same items: %.3f s wall time with process start (exit %d), "
                    "%.0f%% of the report above\n",
                    secs, p.exitCode(), 100.0 * secs / all_seconds);
    }
    return 0;
}

// Leak survey speed, offscreen: a 10,000-item data set (a third of its items
// gas leaks) from the database rows to the painted table, its CSV, and the
// Word document of 1,000 leaks with thumbnails. Prints figures; never fails
// on timing. Usage: bench_survey [ITEMS [DOC_LEAKS]].
#include "ui_test_util.h"

#include "analysis/survey/leak_survey.h"
#include "app/tasks/local_import.h"
#include "report/survey_export.h"
#include "store/database.h"
#include "tools/samplegen/sample_gen.h"
#include "ui/survey/leak_survey_widget.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTableView>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double ms(QElapsedTimer& t) {
    const double v = t.nsecsElapsed() / 1e6;
    t.restart();
    return v;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// Writes and registers a sample data set; the rows of its items.
std::vector<data_info> make_set(const QString& root, const sample_options& o) {
    if (generate_sample_set(root.toStdWString(), o) != 0)
        return {};
    std::atomic<uint8_t> no_abort{0};
    import_local_roots({root.toStdWString()}, no_abort, {});
    for (const import_data_info& d : data_import_db_select_all())
        if (d.local_root == root.toStdWString())
            return data_list_db_select(d, false, false, false);
    return {};
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    register_meta_types();
    QTemporaryDir tmp;
    ui_test::use_private_data_location(tmp);
    const int items = argc > 1 ? std::max(3, std::atoi(argv[1])) : 10000;
    const int doc_leaks = argc > 2 ? std::max(1, std::atoi(argv[2])) : 1000;

    std::printf("preparing %d items, a third of them gas leaks...\n", items);
    sample_options o;
    o.items = items;
    o.frames = 1;
    o.samples = 960;
    o.grab = false;
    o.raw_pictures = false;
    o.distinct_data_files = 3; // item 2 of every three carries the gas-leak header
    const QString big = tmp.filePath("big");
    const std::vector<data_info> rows = make_set(big, o);
    import_data_info set;
    set.name = L"big";
    std::printf("%zu rows\n", rows.size());

    // The window's way: rows from the database, every item's files, the
    // dialog painted. The files stay in the system's cache between runs.
    std::vector<double> select_ms, read_ms, show_ms, total_ms;
    leak_survey kept;
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer t, all;
        t.start();
        all.start();
        std::vector<data_info> r;
        for (const import_data_info& d : data_import_db_select_all())
            if (d.name == L"big")
                r = data_list_db_select(d, false, false, false);
        select_ms.push_back(ms(t));
        leak_survey s = build_leak_survey(r, 0.4);
        read_ms.push_back(ms(t));
        auto* w = new leak_survey_widget(set, s);
        w->show();
        w->table()->viewport()->repaint();
        show_ms.push_back(ms(t));
        total_ms.push_back(all.nsecsElapsed() / 1e6);
        kept = std::move(s);
        w->close();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    std::printf("survey of %d items (%zu leaks): table shown in %.1f ms "
                "(database %.1f ms, item files %.1f ms, dialog %.1f ms; median of 5)\n",
                kept.items, kept.leaks.size(), median(total_ms), median(select_ms), median(read_ms),
                median(show_ms));

    std::vector<double> csv_ms;
    const std::wstring csv = tmp.filePath("survey.csv").toStdWString();
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer t;
        t.start();
        if (write_survey_csv(kept, csv) != 0)
            std::printf("CSV write failed\n");
        csv_ms.push_back(ms(t));
    }
    std::printf("CSV of %zu leaks written in %.1f ms (%lld bytes; median of 5)\n",
                kept.leaks.size(), median(csv_ms),
                static_cast<long long>(QFileInfo(QString::fromStdWString(csv)).size()));

    std::printf("preparing %d gas-leak items with 640x480 pictures...\n", doc_leaks);
    sample_options d;
    d.items = doc_leaks;
    d.frames = 1;
    d.samples = 960;
    d.gas_leak = true;
    d.raw_pictures = false;
    d.distinct_data_files = 12;
    const std::vector<data_info> doc_rows = make_set(tmp.filePath("doc"), d);
    const leak_survey doc_survey = build_leak_survey(doc_rows, 0.4);
    survey_report_options ro;
    ro.dataset_name = L"doc";
    const std::wstring docx = tmp.filePath("survey.docx").toStdWString();
    QElapsedTimer t;
    t.start();
    const survey_report_outcome out = write_survey_report(doc_survey, docx, ro);
    const double doc_s = t.nsecsElapsed() / 1e9;
    std::printf("Word document of %d leaks with %d thumbnails written in %.2f s "
                "(thumbnails %.2f s, filling %.2f s, saving %.2f s; %lld bytes; result %d)\n",
                out.leaks, out.pictures, doc_s, out.t_pictures, out.t_fill, out.t_save,
                static_cast<long long>(QFileInfo(QString::fromStdWString(docx)).size()),
                out.result);
    return 0;
}

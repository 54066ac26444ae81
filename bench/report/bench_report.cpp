// Report generation speed: one general-template item with four pictures
// filled and saved, and a combined document of 100 items with pictures.
// Prints figures; never fails on timing.

#include "report/report_filler.h"
#include "report/report_sample.h"
#include "report/word_automation.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir tmp;
    word_com_initialize();

    // Every item has its own pictures, so none are shared between items.
    std::vector<report_sample> samples;
    for (int i = 0; i < 100; ++i) {
        const std::wstring dir = tmp.filePath(QString("item%1").arg(i)).toStdWString();
        write_sample_pictures(dir, true, i);
        samples.push_back(make_report_sample(dir, i % 2 == 1, false, i));
    }

    // One item: template copy written, opened, filled with four pictures, saved.
    const int runs = 30;
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        const std::wstring out = tmp.filePath(QString("single%1.docx").arg(i)).toStdWString();
        QElapsedTimer t;
        t.start();
        write_template_copy(report_template_general_en, out);
        word_item_document doc;
        word_open_template_copy(out, doc);
        fill_report_document(doc, samples[0].item, samples[0].dataset, samples[0].fields, true);
        word_finish_item(doc, false);
        ms.push_back(t.nsecsElapsed() / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("general item, 4 pictures, filled and saved: median %.2f ms, best %.2f ms, worst "
                "%.2f ms (%d runs; goal < 20 ms)\n",
                ms[runs / 2], ms.front(), ms.back(), runs);

    // Combined document of 100 items, general and gas-leak alternating.
    const std::wstring general = tmp.filePath("t_general.docx").toStdWString();
    const std::wstring leak = tmp.filePath("t_leak.docx").toStdWString();
    const QString combined = tmp.filePath("combined.docx");
    QElapsedTimer t;
    t.start();
    write_template_copy(report_template_general_en, general);
    write_template_copy(report_template_leak_en, leak);
    word_start_combined_document(combined.toStdWString(), true);
    for (int i = 0; i < 100; ++i) {
        const report_sample& s = samples[i];
        word_item_document doc;
        word_open_template_copy(s.item.sign_mode == 2 ? leak : general, doc);
        fill_report_document(doc, s.item, s.dataset, s.fields, true);
        word_finish_item(doc, i > 0);
    }
    word_finish_combined_document();
    const double secs = t.nsecsElapsed() / 1e9;
    std::printf("combined document, 100 items with pictures: %.3f s, %.1f ms per item, %.1f MB "
                "(goal < 5 s)\n",
                secs, secs * 10, QFileInfo(combined).size() / 1048576.0);
    return 0;
}

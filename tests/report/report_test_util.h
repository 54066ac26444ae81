#pragma once
// Shared helpers of the report tests: sample pictures,
// one-line automation calls and a whole report run.

#include "report/report_filler.h"
#include "report/report_sample.h"
#include "report/word_automation.h"
#include "tests/store/test_log.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

inline QString write_picture(const QString& path, int w, int h, const char* format = "JPG") {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(QColor(40, 120, 200));
    QPainter(&img).fillRect(0, 0, w / 2, h / 2, Qt::yellow);
    img.save(path, format);
    return path;
}

inline dispatch_ptr get_object(const dispatch_ptr& d, const wchar_t* name) {
    variant r;
    AutoWrap(DISPATCH_PROPERTYGET, &r, d, name, 0);
    return r.type == variant::kind::dispatch ? r.d : nullptr;
}

inline int get_int(const dispatch_ptr& d, const wchar_t* name) {
    variant r;
    AutoWrap(DISPATCH_PROPERTYGET, &r, d, name, 0);
    return r.i;
}

inline QString selection_text(const dispatch_ptr& sel) {
    variant r;
    AutoWrap(DISPATCH_PROPERTYGET, &r, sel, L"Text", 0);
    return QString::fromStdWString(r.s);
}

// A new engine application.
inline dispatch_ptr new_application() {
    word_com_initialize();
    int32_t id = 0;
    docengine::class_id_from_prog_id(L"Word.Application", id);
    dispatch_ptr app;
    docengine::create_instance(id, app);
    return app;
}

// A report run as the program makes it: one item into a copy of its template
// at out, several into one combined document at out (template copies beside
// it). 0, or the first failure.
inline int fill_report(const QString& out, const std::vector<report_sample>& items, int lang) {
    const bool combine = items.size() > 1;
    int rc = combine ? word_start_combined_document(out.toStdWString(), true) : 0;
    for (size_t i = 0; i < items.size() && rc == 0; ++i) {
        const QString copy = combine ? out + QString(".%1.docx").arg(i) : out;
        rc = write_template_copy(report_template_for(items[i].item, lang), copy.toStdWString());
        word_item_document doc;
        rc = rc ? rc : word_open_template_copy(copy.toStdWString(), doc);
        fill_report_document(doc, items[i].item, items[i].dataset, items[i].fields, true);
        word_finish_item(doc, i > 0);
    }
    if (combine)
        word_finish_combined_document();
    return rc;
}

#pragma once
// Shared helpers of the report tests: a private log file, sample pictures
// and one-line automation calls.

#include "core/app_log.h"
#include "report/word_automation.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

// Captures what app_log writes from construction on.
class log_capture {
public:
    explicit log_capture(const QString& dir) : path_(dir + "/test_log.txt") {
        QFile::remove(path_);
        log_open(path_.toStdWString());
    }
    ~log_capture() { log_close(); }
    QString text() const {
        QFile f(path_);
        f.open(QIODevice::ReadOnly);
        return QString::fromUtf8(f.readAll()).mid(static_cast<int>(mark_));
    }
    void reset() {
        QFile f(path_);
        f.open(QIODevice::ReadOnly);
        mark_ = QString::fromUtf8(f.readAll()).size();
    }
    int count(const QString& needle) const { return text().count(needle); }

private:
    QString path_;
    qint64 mark_ = 0;
};

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

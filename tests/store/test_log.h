#pragma once
// The program log in a private folder for one test, read back from a mark.

#include "core/app_log.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

class test_log {
public:
    test_log() { log_open(path().toStdWString()); }
    ~test_log() { log_close(); }
    // What was logged since construction or the last mark().
    QString text() const {
        QFile f(path());
        return f.open(QIODevice::ReadOnly) && f.seek(mark_) ? QString::fromUtf8(f.readAll())
                                                            : QString();
    }
    int count(const QString& needle) const { return text().count(needle); }
    void mark() { mark_ = QFileInfo(path()).size(); }

private:
    QString path() const { return dir_.path() + "/log.txt"; }
    QTemporaryDir dir_;
    qint64 mark_ = 0;
};

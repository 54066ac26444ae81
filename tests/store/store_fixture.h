#pragma once
// A private data folder with config/ and a log of its own for one test case, and
// whole-file reads and writes.

#include "core/app_globals.h"
#include "tests/store/test_log.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <memory>
#include <string>

inline QByteArray read_bytes(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

// Creates the parent directories; true when every byte was written.
inline bool write_bytes(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() && f.flush();
}

class store_fixture {
public:
    store_fixture() : dir_(std::make_unique<QTemporaryDir>()) {
        set_app_data_location(dir_->path().toStdWString());
        QDir(dir_->path()).mkpath("config");
    }

    QString path(const QString& rel = {}) const {
        return rel.isEmpty() ? dir_->path() : dir_->path() + "/" + rel;
    }
    std::wstring wpath(const QString& rel = {}) const { return path(rel).toStdWString(); }

    // Every directory ("name/") and file ("name=bytes") below the folder,
    // sorted; the fixture's own config/ left out.
    QStringList tree() const {
        QStringList out;
        QDirIterator it(path(), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString p = it.next(), name = QDir(path()).relativeFilePath(p);
            if (!name.startsWith("config"))
                out << (it.fileInfo().isDir() ? name + "/" : name + "=" + read_bytes(p));
        }
        out.sort();
        return out;
    }

    QString log_text() const { return log_.text(); } // everything logged so far

private:
    std::unique_ptr<QTemporaryDir> dir_;
    test_log log_;
};
